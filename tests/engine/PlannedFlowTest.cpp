#include "engine/Calculation.h"
#include "engine/NumberText.h"
#include "tests/engine/Near.h"

#include <gtest/gtest.h>

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

TEST(Keisan, ResidentialFlowIsShownAndUsedAsFourDecimals) {
    CalcSheet sheet;
    keisan(sheet, input(LandUse::Residential, "1000", "350", "", ""));
    EXPECT_EQ(sheet.population, 1000);
    EXPECT_EQ(sheet.sewagePerCapita, 350);
    EXPECT_REL(sheet.plannedFlowBase, 0.004050925925925926);
    EXPECT_EQ(formatNumber(sheet.plannedFlowBase, "0.0000"), "0.0041");
}

TEST(Keisan, NonResidentialFormulas) {
    CalcSheet sheet;
    keisan(sheet, input(LandUse::NonResidential2, "", "", "5000", "0.0012"));
    EXPECT_REL(sheet.plannedFlowBase, 0.0006);
    EXPECT_EQ(formatNumber(sheet.plannedFlowBase, "0.0000"), "0.0006");

    keisan(sheet, input(LandUse::NonResidential1, "200", "300", "10000", "0.001"));
    EXPECT_REL(sheet.plannedFlowBase, 0.0016944444444444444);
    EXPECT_EQ(formatNumber(sheet.plannedFlowBase, "0.0000"), "0.0017");
}

TEST(Keisan, StoresAllFourNumbersWhateverTheLandUse) {
    CalcSheet sheet;
    keisan(sheet, input(LandUse::Residential, "100", "250", "5000", "abc"));
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

TEST(CheckPlannedSewage, ResidentialNeedsPopulationThenPerCapita) {
    expectFailure(input(LandUse::Residential, "", "", "", ""), "計画人口を入力してください。",
                  PlannedSewageField::Population);
    expectFailure(input(LandUse::Residential, "100", "", "", ""),
                  "計画時間最大汚水量（１人１日当り）を入力してください。",
                  PlannedSewageField::SewagePerCapita);
    EXPECT_FALSE(checkPlannedSewage(input(LandUse::Residential, "100", "250", "", "")));
}

TEST(CheckPlannedSewage, NonResidential1ReportsPopulationBeforeArea) {
    expectFailure(input(LandUse::NonResidential1, "", "", "", ""), "計画人口を入力してください。",
                  PlannedSewageField::Population);
    expectFailure(input(LandUse::NonResidential1, "1", "1", "", ""), "排水面積を入力してください。",
                  PlannedSewageField::DrainageArea);
    expectFailure(input(LandUse::NonResidential1, "1", "1", "1", ""),
                  "計画時間最大汚水量（１ｈｒ当り）を入力してください。",
                  PlannedSewageField::SewagePerHectare);
    EXPECT_FALSE(checkPlannedSewage(input(LandUse::NonResidential1, "1", "1", "1", "1")));
}

TEST(CheckPlannedSewage, NonResidential2NeedsOnlyTheAreaPart) {
    expectFailure(input(LandUse::NonResidential2, "", "", "", ""), "排水面積を入力してください。",
                  PlannedSewageField::DrainageArea);
    expectFailure(input(LandUse::NonResidential2, "", "", "5000", ""),
                  "計画時間最大汚水量（１ｈｒ当り）を入力してください。",
                  PlannedSewageField::SewagePerHectare);
    EXPECT_FALSE(checkPlannedSewage(input(LandUse::NonResidential2, "", "", "5000", "0.0012")));
}

TEST(CheckPlannedSewage, OnlyEmptinessIsChecked) {
    EXPECT_FALSE(checkPlannedSewage(input(LandUse::NonResidential1, "0", "-5", "abc", " ")));
    EXPECT_FALSE(checkPlannedSewage(input(LandUse::None, "", "", "", "")));
}
