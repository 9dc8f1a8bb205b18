#include "engine/Calculation.h"
#include "engine/NumberText.h"
#include "tests/engine/Near.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tovarin;

namespace {

PlannedSewageInput input(LandUse use, const char* p, const char* q1, const char* a,
                         const char* q2) {
    return {use, p, q1, a, q2};
}

void expectFailure(const PlannedSewageInput& in, const char* message, PlannedSewageField focus) {
    const auto failure = checkPlannedSewage(in);
    ASSERT_TRUE(failure.has_value()) << message;
    EXPECT_EQ(failure->message, message);
    EXPECT_EQ(failure->focus, focus);
}

} // namespace

namespace {

// The planned flow of each land use's formula, and as the dialog shows and uses it
// (four decimals).
struct KeisanRow {
    const char* name;
    LandUse use;
    const char* p;
    const char* q1;
    const char* a;
    const char* q2;
    double flow;
    const char* shown;
};

class KeisanFormula : public ::testing::TestWithParam<KeisanRow> {};

} // namespace

TEST_P(KeisanFormula, PlannedFlowOfTheLandUse) {
    const KeisanRow& row = GetParam();
    CalcSheet sheet;
    keisan(sheet, input(row.use, row.p, row.q1, row.a, row.q2));
    EXPECT_REL(sheet.plannedFlowBase, row.flow);
    EXPECT_EQ(formatNumber(sheet.plannedFlowBase, "0.0000"), row.shown);
}

INSTANTIATE_TEST_SUITE_P(LandUses, KeisanFormula,
                         ::testing::Values(
                             // P·q1 / 86 400 000
                             KeisanRow{"Residential", LandUse::Residential, "1000", "350", "", "",
                                       0.004050925925925926, "0.0041"},
                             // q2·A, A in hectares
                             KeisanRow{"NonResidential2", LandUse::NonResidential2, "", "", "5000",
                                       "0.0012", 0.0006, "0.0006"},
                             // P·q1 / 86 400 000 + q2·A
                             KeisanRow{"NonResidential1", LandUse::NonResidential1, "200", "300",
                                       "10000", "0.001", 0.0016944444444444444, "0.0017"}),
                         [](const ::testing::TestParamInfo<KeisanRow>& info) {
                             return info.param.name;
                         });

TEST(Keisan, StoresAllFourNumbersWhateverTheLandUse) {
    CalcSheet sheet;
    keisan(sheet, input(LandUse::Residential, "100", "250", "5000", "abc"));
    EXPECT_EQ(sheet.population, 100);
    EXPECT_EQ(sheet.sewagePerCapita, 250);
    EXPECT_EQ(sheet.drainageArea, 5000);
    EXPECT_EQ(sheet.sewagePerHectare, 0);
    // Residential ignores the area part.
    EXPECT_REL(sheet.plannedFlowBase, 25000.0 / 86400000.0);
}

TEST(Keisan, NoLandUseLeavesThePlannedFlowUnchanged) {
    CalcSheet sheet;
    sheet.plannedFlowBase = 0.123;
    keisan(sheet, input(LandUse::None, "100", "250", "", ""));
    EXPECT_EQ(sheet.plannedFlowBase, 0.123);
    EXPECT_EQ(sheet.population, 100);
}

namespace {

// The fields a land use asks for, in the order the check reports them missing; the
// others may stay empty.
struct RequiredFields {
    LandUse use;
    std::vector<PlannedSewageField> order;
};

class CheckPlannedSewageOrder : public ::testing::TestWithParam<RequiredFields> {};

const char* missingMessage(PlannedSewageField field) {
    switch (field) {
    case PlannedSewageField::Population:
        return "計画人口を入力してください。";
    case PlannedSewageField::SewagePerCapita:
        return "計画時間最大汚水量（１人１日当り）を入力してください。";
    case PlannedSewageField::DrainageArea:
        return "排水面積を入力してください。";
    case PlannedSewageField::SewagePerHectare:
        return "計画時間最大汚水量（１ｈｒ当り）を入力してください。";
    }
    return "";
}

} // namespace

// Starting from an empty dialog, each missing field is reported in turn; once it is
// filled the next one is, and with all of them the entries pass.
TEST_P(CheckPlannedSewageOrder, ReportsEachMissingFieldInTurn) {
    const RequiredFields& row = GetParam();
    // P, q1, A, q2 in the order of PlannedSewageField.
    std::string texts[4];
    const auto entries = [&] {
        return input(row.use, texts[0].c_str(), texts[1].c_str(), texts[2].c_str(),
                     texts[3].c_str());
    };
    for (PlannedSewageField field : row.order) {
        expectFailure(entries(), missingMessage(field), field);
        texts[static_cast<int>(field)] = "1";
    }
    EXPECT_FALSE(checkPlannedSewage(entries()));
}

INSTANTIATE_TEST_SUITE_P(
    LandUses, CheckPlannedSewageOrder,
    ::testing::Values(
        RequiredFields{LandUse::Residential,
                       {PlannedSewageField::Population, PlannedSewageField::SewagePerCapita}},
        RequiredFields{LandUse::NonResidential1,
                       {PlannedSewageField::Population, PlannedSewageField::SewagePerCapita,
                        PlannedSewageField::DrainageArea, PlannedSewageField::SewagePerHectare}},
        RequiredFields{LandUse::NonResidential2,
                       {PlannedSewageField::DrainageArea, PlannedSewageField::SewagePerHectare}}));

TEST(CheckPlannedSewage, OnlyEmptinessIsChecked) {
    EXPECT_FALSE(checkPlannedSewage(input(LandUse::NonResidential1, "0", "-5", "abc", " ")));
    EXPECT_FALSE(checkPlannedSewage(input(LandUse::None, "", "", "", "")));
}
