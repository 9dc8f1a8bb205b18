// The one table of rainwater fields: saving and the calculation walk it with the same
// words; each refuses only what is its own to refuse.

#include "engine/RainwaterFields.h"
#include "tests/support/RainwaterInputs.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

struct FieldCase {
    const char* name;
    std::function<void(RainwaterInput&)> change;
    RainwaterRefusal refusal;
};

RainwaterInput changed(const FieldCase& c) {
    RainwaterInput in = uDitchInput();
    c.change(in);
    return in;
}

// What a document cannot hold: saving and the calculation refuse it alike.
class BothRefuse : public ::testing::TestWithParam<FieldCase> {};

TEST_P(BothRefuse, WithTheSameWordsAndPlace) {
    const RainwaterInput in = changed(GetParam());
    EXPECT_EQ(savingRefusal(in), GetParam().refusal);
    EXPECT_EQ(calculationRefusal(in), GetParam().refusal);
    EXPECT_EQ(computeRainwater(in).failure, GetParam().refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Rainwater, BothRefuse,
    ::testing::Values(
        FieldCase{"NoArea",
                  [](RainwaterInput& in) { in.areas.clear(); },
                  {"集水区域を１つ以上入力してください。", RainwaterField::AreaTable}},
        FieldCase{"AreaBlank",
                  [](RainwaterInput& in) { in.areas[2].areaText = "  "; },
                  {"区域（3行目）の面積を入力してください。", RainwaterField::AreaTable, 2,
                   AreaColumn::Area}},
        FieldCase{"RunoffNotANumber",
                  [](RainwaterInput& in) { in.areas[0].runoffText = "0,9"; },
                  {"区域（1行目）の流出係数には数値を入力してください。", RainwaterField::AreaTable,
                   0, AreaColumn::Runoff}},
        FieldCase{"DirectIntensityMissing",
                  [](RainwaterInput& in) { in.intensityForm = IntensityForm::Direct; },
                  {"降雨強度を入力してください。", RainwaterField::DirectIntensity}},
        FieldCase{"FlowLengthNotANumber",
                  [](RainwaterInput& in) { in.flowLengthText = "120m"; },
                  {"流下延長には数値を入力してください。", RainwaterField::FlowLength}},
        FieldCase{"SideSlopeMissing",
                  [](RainwaterInput& in) { in = trapezoidInput("0.3", "0.3", ""); },
                  {"台形の法勾配を入力してください。", RainwaterField::SideSlope}},
        FieldCase{"NoFormula",
                  [](RainwaterInput& in) { in.velocityFormula = VelocityFormula::None; },
                  {"流速の計算方法を選択してください。", RainwaterField::Roughness}},
        FieldCase{"NoDepth",
                  [](RainwaterInput& in) { in.depthText.clear(); },
                  {"施設の有効水深の割合を選択してください。", RainwaterField::DepthList}}),
    [](const auto& info) { return std::string(info.param.name); });

// What a document can hold but the calculation cannot use: saving lets it pass.
class OnlyTheCalculationRefuses : public ::testing::TestWithParam<FieldCase> {};

TEST_P(OnlyTheCalculationRefuses, AndSavingKeepsIt) {
    const RainwaterInput in = changed(GetParam());
    EXPECT_EQ(savingRefusal(in), std::nullopt);
    EXPECT_EQ(calculationRefusal(in), GetParam().refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Rainwater, OnlyTheCalculationRefuses,
    ::testing::Values(
        FieldCase{"RunoffPrintsAsZero",
                  [](RainwaterInput& in) { in.areas[1].runoffText = "0.004"; },
                  {"区域（2行目）の流出係数は小数第２位までで０より大きい値を入力してください。",
                   RainwaterField::AreaTable, 1, AreaColumn::Runoff}},
        FieldCase{"InletTimePrintsAsZero",
                  [](RainwaterInput& in) { in.inletTimeText = "0.004"; },
                  {"流入時間には0.01分以上の値を入力してください。", RainwaterField::InletTime}},
        FieldCase{"ConstantANegative",
                  [](RainwaterInput& in) { in.constantAText = "-1"; },
                  {"降雨強度式の定数 a には正の値を入力してください。", RainwaterField::ConstantA}},
        FieldCase{"DiameterZero",
                  [](RainwaterInput& in) {
                      in.facilityKind = RainwaterFacilityKind::OtherCircular;
                      in.diameterText = "0";
                  },
                  {"直径には正の値を入力してください。", RainwaterField::Diameter}},
        FieldCase{"FlatTrapezoid",
                  [](RainwaterInput& in) { in = trapezoidInput("0", "0.3", "-0"); },
                  {"台形の底幅と法勾配が共に０のため、流水の断面積がありません。",
                   RainwaterField::Width}}),
    [](const auto& info) { return std::string(info.param.name); });

// A name with a control character cannot be saved, but it computes (the sheet shows
// a stand-in).
TEST(RainwaterFields, OnlySavingRefusesANameWithAControlCharacter) {
    RainwaterInput in = uDitchInput();
    in.materialText = "側溝\t３００\x1b";
    EXPECT_EQ(savingRefusal(in), (RainwaterRefusal{"施設の名称に改行などの制御文字は使えません。",
                                                   RainwaterField::Material}));
    EXPECT_EQ(calculationRefusal(in), std::nullopt);
    in.materialText = "側溝\t３００";
    EXPECT_EQ(savingRefusal(in), std::nullopt);
}

// Only the fields of the chosen form and kind are walked: what is hidden is not asked.
TEST(RainwaterFields, WalkOnlyTheFieldsInUse) {
    RainwaterInput in = uDitchInput();
    in.intensityForm = IntensityForm::Direct;
    in.directIntensityText = "120";
    in.inletTimeText = "x";
    in.flowLengthText = "x";
    in.facilityKind = RainwaterFacilityKind::VU;
    in.sizeListPosition = 5;
    in.materialText = "\n";
    in.heightText = "x";
    EXPECT_EQ(savingRefusal(in), std::nullopt);
    EXPECT_EQ(calculationRefusal(in), std::nullopt);
    for (const RainwaterFieldEntry& entry : rainwaterFields(in)) {
        EXPECT_NE(entry.field, RainwaterField::InletTime);
        EXPECT_NE(entry.field, RainwaterField::Material);
        EXPECT_NE(entry.field, RainwaterField::Height);
    }
}

} // namespace
