#include "engine/Rainwater.h"
#include "engine/NumberText.h"
#include "tests/engine/Near.h"
#include "tests/support/RainwaterComputed.h"
#include "tests/support/RainwaterInputs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

RainwaterResult computed(const RainwaterInput& in) {
    return computedRainwater(in);
}

} // namespace

TEST(RainwaterExample, GivesTheFiguresOfTheUDitch) {
    const RainwaterTexts t = rainwaterTexts(computed(uDitchInput()));
    EXPECT_EQ(t.area, "0.4500");
    EXPECT_EQ(t.runoffCoefficient, "0.50");
    EXPECT_EQ(t.velocity, "0.9628");
    EXPECT_EQ(t.flowTime, "2.1");
    EXPECT_EQ(t.concentrationTime, "9.1");
    EXPECT_EQ(t.intensity, "101.8");
    // From the printed C, I and A; the unrounded ones would give 0.0639.
    EXPECT_EQ(t.plannedFlow, "0.0636");
    EXPECT_EQ(t.capacity, "0.0693");
    EXPECT_EQ(t.verdict, "O.K");
    EXPECT_EQ(t.velocityGuide, "適正");
}

// Each form at the example's printed t = 9.1 min, C 0.50, A 0.4500 (worked by hand).
struct FormCase {
    const char* name;
    IntensityForm form;
    const char* a;
    const char* b;
    const char* n;
    const char* intensity;
    const char* plannedFlow;
    const char* verdict;
};

class IntensityForms : public ::testing::TestWithParam<FormCase> {};

TEST_P(IntensityForms, GiveTheHandWorkedIntensityAndFlow) {
    const FormCase& c = GetParam();
    RainwaterInput in = uDitchInput();
    in.intensityForm = c.form;
    in.constantAText = c.a;
    in.constantBText = c.b;
    in.constantNText = c.n;
    in.directIntensityText = c.a;
    const RainwaterResult r = computed(in);
    const RainwaterTexts t = rainwaterTexts(r);
    EXPECT_EQ(t.intensity, c.intensity);
    EXPECT_EQ(t.plannedFlow, c.plannedFlow);
    EXPECT_EQ(t.verdict, c.verdict);
    EXPECT_EQ(r.capacityFails, std::string(c.verdict) == "NG");
    EXPECT_EQ(t.concentrationTime.has_value(), c.form != IntensityForm::Direct);
}

INSTANTIATE_TEST_SUITE_P(
    Rainwater, IntensityForms,
    ::testing::Values(
        // 5000/(9.1+40) = 101.833
        FormCase{"Talbot", IntensityForm::Talbot, "5000", "40", "", "101.8", "0.0636", "O.K"},
        // 500/9.1^0.5 = 165.748; 0.5×165.7×0.45/360 = 0.1035625
        FormCase{"Sherman", IntensityForm::Sherman, "500", "", "0.5", "165.7", "0.1036", "NG"},
        // 1000/(9.1^0.6+5) = 114.129
        FormCase{"Cleveland", IntensityForm::Cleveland, "1000", "5", "0.6", "114.1", "0.0713",
                 "NG"},
        // 600/(√9.1+0.5) = 170.618
        FormCase{"KunoIshiguro", IntensityForm::KunoIshiguro, "600", "0.5", "", "170.6", "0.1066",
                 "NG"},
        // 0.5×120×0.45/360 = 0.075
        FormCase{"Direct", IntensityForm::Direct, "120", "", "", "120.0", "0.0750", "NG"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RainwaterChain, TiesRoundHalfAwayFromZeroOnThePrintedFigures) {
    RainwaterInput in = uDitchInput();
    // Σ(Ci·Ai)/ΣAi = 0.125/0.2000 = 0.625 → 0.63.
    in.areas = {{"甲", "0.1", "0.5"}, {"乙", "0.1", "0.75"}};
    // t = 2.75 + 2.1 = 4.85 → 4.9, although the binary sum falls just below 4.85.
    in.inletTimeText = "2.75";
    const RainwaterResult r = computed(in);
    EXPECT_EQ(formatNumber(r.runoff, "0.00"), "0.63");
    EXPECT_EQ(*r.concentrationTime, 4.9);
    // 5000/(4.9+40) = 111.36
    EXPECT_EQ(r.intensity, 111.4);
    // 0.63 × 111.4 × 0.2000 / 360 = 0.038990
    EXPECT_EQ(rainwaterTexts(r).plannedFlow, "0.0390");
}

TEST(RainwaterChain, EqualPrintedFlowsPassAndTheGuideUsesThePrintedVelocity) {
    RainwaterInput in = uDitchInput();
    in.intensityForm = IntensityForm::Direct;
    // Q = C·I·A/360 = 0.50 × I × 0.4500 / 360 = 0.0693 needs I = 110.88 → 110.9 gives 0.06931
    in.directIntensityText = "110.9";
    RainwaterResult r = computed(in);
    EXPECT_EQ(rainwaterTexts(r).plannedFlow, "0.0693");
    EXPECT_FALSE(r.capacityFails);
    EXPECT_EQ(rainwaterVelocityGuide(0.8), VelocityGuide::Suitable);
    EXPECT_EQ(rainwaterVelocityGuide(0.7999), VelocityGuide::Low);
    EXPECT_EQ(rainwaterVelocityGuide(3.0), VelocityGuide::Suitable);
    EXPECT_EQ(rainwaterVelocityGuide(3.0001), VelocityGuide::High);
}

// The trapezoid against exact geometry: A = (B + m·h)·h, P = B + 2h·√(1+m²), open on top.
struct TrapezoidCase {
    const char* name;
    const char* b;
    const char* h;
    const char* m;
    const char* depth;
    double area;
    double perimeter;
};

class TrapezoidSection : public ::testing::TestWithParam<TrapezoidCase> {};

TEST_P(TrapezoidSection, MatchesExactGeometry) {
    const TrapezoidCase& c = GetParam();
    const RainwaterResult r = computed(trapezoidInput(c.b, c.h, c.m, c.depth));
    EXPECT_REL(r.facility.flowArea, c.area);
    EXPECT_REL(r.facility.wettedPerimeter, c.perimeter);
    EXPECT_REL(r.facility.hydraulicRadius, c.area / c.perimeter);
    EXPECT_REL(r.facility.capacity, r.facility.velocity * c.area);
}

INSTANTIATE_TEST_SUITE_P(
    Rainwater, TrapezoidSection,
    ::testing::Values(
        // m = 0 is the open rectangle: 0.30 × 0.24 and 0.30 + 2 × 0.24.
        TrapezoidCase{"RectangleAtEightTenths", "0.30", "0.30", "0", "水深８割", 0.072, 0.78},
        // At 満流 the top stays open, unlike the closed rectangle's 2(B + H).
        TrapezoidCase{"FullIsStillOpenOnTop", "0.30", "0.30", "0", "満流", 0.09, 0.90},
        // B = 0: a V-ditch, full, slopes 1:1.
        TrapezoidCase{"VDitch", "0", "0.4", "1", "満流", 0.16, 0.8 * std::sqrt(2.0)},
        TrapezoidCase{"SlopedFull", "0.5", "0.5", "1.5", "満流", 0.625, 0.5 + std::sqrt(3.25)},
        // h = 0.7 × 0.6 = 0.42: (0.4 + 0.5 × 0.42) × 0.42, 0.4 + 0.84·√1.25
        TrapezoidCase{"SevenTenths", "0.4", "0.6", "0.5", "水深７割", 0.2562,
                      0.4 + 0.84 * std::sqrt(1.25)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RainwaterFacility, CataloguePipesAndKutterUseTheSewageCalculation) {
    RainwaterInput in = uDitchInput();
    in.facilityKind = RainwaterFacilityKind::VU;
    in.sizeListPosition = 5; // φ200, D 0.203
    in.depthText = "水深８割";
    in.velocityFormula = VelocityFormula::Kutter;
    in.roughnessText = "0.010";
    const RainwaterResult r = computed(in);
    EXPECT_EQ(r.facility.facilityLabel, "VU - φ200");
    EXPECT_REL(r.facility.flowArea, 0.6735 * 0.203 * 0.203);
    EXPECT_REL(r.facility.wettedPerimeter, 2.2142 * 0.203);
    EXPECT_GT(r.facility.kutterNumerator, 0);
    EXPECT_EQ(r.velocity, std::stod(formatNumber(r.facility.velocity, "0.0000")));
}

// Refusals: the message and the field it sends the user to.
struct RefusalCase {
    const char* name;
    std::function<void(RainwaterInput&)> change;
    const char* message;
    RainwaterField focus;
    int row;
};

class RainwaterRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RainwaterRefusals, NameTheProblemAndItsField) {
    const RefusalCase& c = GetParam();
    RainwaterInput in = uDitchInput();
    c.change(in);
    const RainwaterOutcome outcome = computeRainwater(in);
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.failure->message, c.message);
    EXPECT_EQ(outcome.failure->field, c.focus);
    EXPECT_EQ(outcome.failure->row, c.row);
}

INSTANTIATE_TEST_SUITE_P(
    Rainwater, RainwaterRefusals,
    ::testing::Values(
        RefusalCase{"NoArea", [](RainwaterInput& in) { in.areas.clear(); },
                    "集水区域を１つ以上入力してください。", RainwaterField::AreaTable, -1},
        RefusalCase{"AreaZero", [](RainwaterInput& in) { in.areas[1].areaText = "0"; },
                    "区域（2行目）の面積には0.0001ha以上の値を入力してください。",
                    RainwaterField::AreaTable, 1},
        RefusalCase{"AreaPrintsAsZero",
                    [](RainwaterInput& in) { in.areas[0].areaText = "0.00004"; },
                    "区域（1行目）の面積には0.0001ha以上の値を入力してください。",
                    RainwaterField::AreaTable, 0},
        RefusalCase{"AreaNotANumber", [](RainwaterInput& in) { in.areas[2].areaText = "0.2a"; },
                    "区域（3行目）の面積には数値を入力してください。", RainwaterField::AreaTable,
                    2},
        RefusalCase{"RunoffAboveOne", [](RainwaterInput& in) { in.areas[0].runoffText = "1.01"; },
                    "区域（1行目）の流出係数には０より大きく１以下の値を入力してください。",
                    RainwaterField::AreaTable, 0},
        RefusalCase{"RunoffZero", [](RainwaterInput& in) { in.areas[0].runoffText = "0"; },
                    "区域（1行目）の流出係数には０より大きく１以下の値を入力してください。",
                    RainwaterField::AreaTable, 0},
        RefusalCase{"RunoffEmpty", [](RainwaterInput& in) { in.areas[1].runoffText = ""; },
                    "区域（2行目）の流出係数を入力してください。", RainwaterField::AreaTable, 1},
        RefusalCase{"ConstantMissing", [](RainwaterInput& in) { in.constantBText = ""; },
                    "降雨強度式の定数 b を入力してください。", RainwaterField::ConstantB, -1},
        RefusalCase{"ShermanWithoutN",
                    [](RainwaterInput& in) { in.intensityForm = IntensityForm::Sherman; },
                    "降雨強度式の定数 n を入力してください。", RainwaterField::ConstantN, -1},
        RefusalCase{"DenominatorNotPositive",
                    [](RainwaterInput& in) {
                        in.intensityForm = IntensityForm::KunoIshiguro;
                        in.constantBText = "-5";
                    },
                    "降雨強度式の分母が０以下になります。定数を確認してください。",
                    RainwaterField::ConstantB, -1},
        RefusalCase{"InletTimeZero", [](RainwaterInput& in) { in.inletTimeText = "0"; },
                    "流入時間には0.01分以上の値を入力してください。", RainwaterField::InletTime,
                    -1},
        RefusalCase{"FlowLengthNegative", [](RainwaterInput& in) { in.flowLengthText = "-1"; },
                    "流下延長には０以上の値を入力してください。", RainwaterField::FlowLength, -1},
        RefusalCase{"HeightMissing", [](RainwaterInput& in) { in.heightText = ""; },
                    "施設の高さを入力してください。", RainwaterField::Height, -1},
        RefusalCase{"TrapezoidWithoutSection",
                    [](RainwaterInput& in) { in = trapezoidInput("0", "0.3", "0"); },
                    "台形の底幅と法勾配が共に０のため、流水の断面積がありません。",
                    RainwaterField::Width, -1},
        RefusalCase{"GradientNegative", [](RainwaterInput& in) { in.gradientText = "-5"; },
                    "施設の勾配には正の値を入力してください。", RainwaterField::Gradient, -1},
        RefusalCase{"DepthOfAnotherList", [](RainwaterInput& in) { in.depthText = "水量９０％"; },
                    "施設の有効水深の割合を選択してください。", RainwaterField::DepthList, -1},
        RefusalCase{"SizeOutsideTheList",
                    [](RainwaterInput& in) {
                        in.facilityKind = RainwaterFacilityKind::VP;
                        in.sizeListPosition = 8;
                    },
                    "管径を選択してください。", RainwaterField::SizeList, -1},
        // Figures that enter a verdict: none beyond the range of numbers (it would print
        // as nothing, or as 0.0000 read back), none that prints as 0 and multiplies
        // into Q (Q 0 would pass as "O.K").
        RefusalCase{"AreasBeyondTheRange",
                    [](RainwaterInput& in) {
                        const std::string huge = "17" + std::string(307, '0'); // 1.7e308
                        in.areas = {{"甲", huge, "0.5"}, {"乙", huge, "0.5"}};
                    },
                    "集水区域の面積の合計が数値の範囲を超えました。区域の面積を確認してください。",
                    RainwaterField::AreaTable, -1},
        RefusalCase{"RunoffSumPrintsAsZero",
                    [](RainwaterInput& in) {
                        in.areas = {{"甲", "0.0001", "0.01"}};
                    },
                    "流出係数Cが0.00になります。区域の面積と流出係数を確認してください。",
                    RainwaterField::AreaTable, -1},
        RefusalCase{"DirectIntensityPrintsAsZero",
                    [](RainwaterInput& in) {
                        in.intensityForm = IntensityForm::Direct;
                        in.directIntensityText = "0.04";
                    },
                    "降雨強度には0.1mm/hr以上の値を入力してください。",
                    RainwaterField::DirectIntensity, -1},
        RefusalCase{"FormulaIntensityPrintsAsZero",
                    [](RainwaterInput& in) { in.constantAText = "0.001"; },
                    "降雨強度Iが0.0になります。降雨強度式の定数を確認してください。",
                    RainwaterField::ConstantA, -1},
        RefusalCase{"IntensityBeyondTheRange",
                    [](RainwaterInput& in) {
                        in.intensityForm = IntensityForm::Sherman;
                        in.constantAText = "1" + std::string(300, '0');
                        in.constantNText = "300";
                        in.inletTimeText = "0.5";
                        in.flowLengthText = "0";
                    },
                    "計算結果が数値の範囲を超えました。入力値を確認してください。",
                    RainwaterField::ConstantA, -1},
        RefusalCase{"FlowTimeBeyondTheRange",
                    [](RainwaterInput& in) {
                        in.gradientText = "0.0000001"; // V prints as 0.0001
                        in.flowLengthText = "1" + std::string(308, '0');
                    },
                    "計算結果が数値の範囲を超えました。入力値を確認してください。",
                    RainwaterField::FlowLength, -1},
        RefusalCase{"FlowBeyondTheRange",
                    [](RainwaterInput& in) {
                        in.intensityForm = IntensityForm::Direct;
                        in.directIntensityText = "1" + std::string(200, '0');
                        in.areas = {{"甲", "1" + std::string(200, '0'), "0.5"}};
                    },
                    "計算結果が数値の範囲を超えました。入力値を確認してください。",
                    RainwaterField::AreaTable, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RainwaterNumber, AcceptsPlainDecimalsOnly) {
    EXPECT_EQ(rainwaterNumber(" 0.25 "), 0.25);
    EXPECT_EQ(rainwaterNumber("-3"), -3.0);
    EXPECT_EQ(rainwaterNumber(".5"), 0.5);
    for (const char* bad : {"", " ", ".", "1e3", "1.2.3", "&H10", "０.５", "1,5"})
        EXPECT_FALSE(rainwaterNumber(bad)) << bad;
}

TEST(RainwaterConstants, PrintWithTheShortestExactPattern) {
    EXPECT_STREQ(constantPattern(5000), "0");
    EXPECT_STREQ(constantPattern(0.75), "0.00");
    EXPECT_STREQ(constantPattern(0.6667), "0.0000");
    EXPECT_STREQ(constantPattern(1.0 / 3), "0.00000");
}

// The facility's V and Q2 and the Q chain compute on their own from checked figures,
// as a caller that gathers them elsewhere (a network's section) would.
TEST(RainwaterHalves, FacilityAndFlowGiveTheWholeCalculationsFigures) {
    for (const RainwaterInput& in : {uDitchInput(), trapezoidInput("0.4", "0.6", "0.5")}) {
        const RainwaterResult whole = computed(in);
        RainwaterResult r = whole;
        r.velocity = r.capacity = r.intensity = r.plannedFlow = 0;
        r.flowTime.reset();
        r.concentrationTime.reset();
        r.facility.velocity = r.facility.capacity = r.facility.flowArea = 0;
        ASSERT_EQ(computeRainwaterFacility(r), std::nullopt);
        EXPECT_EQ(r.velocity, whole.velocity);
        EXPECT_EQ(r.capacity, whole.capacity);
        EXPECT_EQ(r.facility.flowArea, whole.facility.flowArea);
        ASSERT_EQ(computeRainwaterFlow(r), std::nullopt);
        EXPECT_EQ(r.flowTime, whole.flowTime);
        EXPECT_EQ(r.intensity, whole.intensity);
        EXPECT_EQ(r.plannedFlow, whole.plannedFlow);
    }
}

TEST(RainwaterHalves, FlowRefusesAStillFacility) {
    RainwaterResult r = computed(uDitchInput());
    r.velocity = 0;
    const auto refused = computeRainwaterFlow(r);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->field, RainwaterField::Gradient);
}
