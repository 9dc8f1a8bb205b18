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
    ::testing::Values(FieldCase{"RunoffNotANumber",
                                [](RainwaterInput& in) { in.areas[0].runoffText = "0,9"; },
                                {"区域（1行目）の流出係数には数値を入力してください。",
                                 RainwaterField::AreaTable, 0, AreaColumn::Runoff}},
                      FieldCase{
                          "FlowLengthNotANumber",
                          [](RainwaterInput& in) { in.flowLengthText = "120m"; },
                          {"流下延長には数値を入力してください。", RainwaterField::FlowLength}}),
    [](const auto& info) { return std::string(info.param.name); });

// What a document can hold but the calculation cannot use (a job half done included:
// empty fields, no area, a list with nothing chosen): saving lets it pass.
class OnlyTheCalculationRefuses : public ::testing::TestWithParam<FieldCase> {};

TEST_P(OnlyTheCalculationRefuses, AndSavingKeepsIt) {
    const RainwaterInput in = changed(GetParam());
    EXPECT_EQ(savingRefusal(in), std::nullopt);
    EXPECT_EQ(calculationRefusal(in), GetParam().refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Rainwater, OnlyTheCalculationRefuses,
    ::testing::Values(
        FieldCase{"NoArea",
                  [](RainwaterInput& in) { in.areas.clear(); },
                  {"集水区域を１つ以上入力してください。", RainwaterField::AreaTable}},
        FieldCase{"AreaBlank",
                  [](RainwaterInput& in) { in.areas[2].areaText = "  "; },
                  {"区域（3行目）の面積を入力してください。", RainwaterField::AreaTable, 2,
                   AreaColumn::Area}},
        FieldCase{"DirectIntensityMissing",
                  [](RainwaterInput& in) { in.intensityForm = IntensityForm::Direct; },
                  {"降雨強度を入力してください。", RainwaterField::DirectIntensity}},
        FieldCase{"SideSlopeMissing",
                  [](RainwaterInput& in) { in = trapezoidInput("0.3", "0.3", ""); },
                  {"台形の法勾配を入力してください。", RainwaterField::SideSlope}},
        FieldCase{"NoFormula",
                  [](RainwaterInput& in) { in.velocityFormula = VelocityFormula::None; },
                  {"流速の計算方法を選択してください。", RainwaterField::Roughness}},
        FieldCase{"NoDepth",
                  [](RainwaterInput& in) { in.depthText.clear(); },
                  {"施設の有効水深の割合を選択してください。", RainwaterField::DepthList}},
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

// Half done: every empty field and unchosen list is left open; a complete input not.
TEST(RainwaterFields, HalfDoneJobIsTold) {
    EXPECT_FALSE(rainwaterInputIncomplete(uDitchInput()));
    for (const auto& change : std::vector<std::function<void(RainwaterInput&)>>{
             [](RainwaterInput& in) { in.areas.clear(); },
             [](RainwaterInput& in) { in.areas[1].runoffText = " "; },
             [](RainwaterInput& in) { in.flowLengthText.clear(); },
             [](RainwaterInput& in) { in.velocityFormula = VelocityFormula::None; },
             [](RainwaterInput& in) { in.depthText.clear(); }}) {
        RainwaterInput in = uDitchInput();
        change(in);
        EXPECT_TRUE(rainwaterInputIncomplete(in));
        EXPECT_EQ(savingRefusal(in), std::nullopt);
    }
    RainwaterInput wrong = uDitchInput();
    wrong.flowLengthText = "1２0m";
    EXPECT_FALSE(rainwaterInputIncomplete(wrong));
}

// Typed with the input method on, a number keeps its figures in half width.
TEST(RainwaterFields, FullWidthNumbersReadAsTheirHalfWidthTwins) {
    EXPECT_EQ(halfWidthNumberText("１２０"), "120");
    EXPECT_EQ(halfWidthNumberText("－０．５"), "-0.5");
    EXPECT_EQ(halfWidthNumberText("＋１．５Ｅ－３　"), "+1.5E-3 ");
    EXPECT_EQ(halfWidthNumberText("0.85"), "0.85");
    // Other full-width characters stay, and the checks refuse them.
    EXPECT_EQ(halfWidthNumberText("１２０ｍ"), "120ｍ");
    EXPECT_EQ(halfWidthNumberText("φ３００"), "φ300");
}

// Rows pasted into the area table: placed from the current cell; a bad number or too
// many columns refuses the whole paste, naming the cell.
TEST(RainwaterFields, PastedAreaCells) {
    const AreaPaste rows = pastedAreaCells("公園\t0.05\t0.25\r\n駐車場\t０．０２\t\n", 3, 0);
    ASSERT_FALSE(rows.refusal);
    EXPECT_EQ(rows.rows, (std::vector<std::vector<std::string>>{{"公園", "0.05", "0.25"},
                                                                {"駐車場", "0.02", ""}}));
    EXPECT_EQ(pastedAreaCells("0.3\n0.4", 0, 2).rows,
              (std::vector<std::vector<std::string>>{{"0.3"}, {"0.4"}}));
    EXPECT_EQ(
        pastedAreaCells("0.3\t0.5\n0.4\tabc\n", 3, 1).refusal,
        (RainwaterRefusal{"区域（5行目）の流出係数「abc」は数値ではないため、貼り付けられません。",
                          RainwaterField::AreaTable, 4, AreaColumn::Runoff}));
    const AreaPaste wide = pastedAreaCells("a\t1\t0.5\textra\n", 0, 0);
    ASSERT_TRUE(wide.refusal);
    EXPECT_TRUE(wide.rows.empty());
    EXPECT_EQ(wide.refusal->row, 0);
    // Copied cells paste back as they were.
    const std::vector<std::vector<std::string>> cells{{"屋根", "0.12", "0.90"}, {"", "", ""}};
    EXPECT_EQ(pastedAreaCells(tabSeparatedCells(cells), 0, 0).rows, cells);
}

} // namespace
