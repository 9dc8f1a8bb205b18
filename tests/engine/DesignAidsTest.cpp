// The design aids' pure logic: CSV text, the velocity guide, the trial of every
// catalogue size with its choice rule, and the hydraulic characteristic curves.

#include "engine/DesignAids.h"
#include "engine/CharacteristicCurve.h"
#include "engine/CsvText.h"
#include "tests/engine/Near.h"
#include "tests/support/ComputedSheets.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

std::vector<bool> chosenMarks(const std::vector<SizeTrial>& trials) {
    const std::optional<std::size_t> chosen = smallestPassingSize(trials);
    std::vector<bool> marks;
    for (std::size_t i = 0; i < trials.size(); ++i)
        marks.push_back(chosen == i);
    return marks;
}

} // namespace

// ---------------------------------------------------------------- CSV

TEST(CsvText, QuotesOnlyWhereNeededAndDoublesQuotes) {
    EXPECT_EQ(csvField("VP - φ100"), "VP - φ100");
    EXPECT_EQ(csvField(""), "");
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"O.K\""), "\"say \"\"O.K\"\"\"");
    EXPECT_EQ(csvField("line\nbreak"), "\"line\nbreak\"");
    EXPECT_EQ(csvField("cr\rhere"), "\"cr\rhere\"");
    EXPECT_EQ(csvField("\""), "\"\"\"\"");
}

TEST(CsvText, RecordEndsWithCrLfAndKeepsEmptyFields) {
    EXPECT_EQ(csvRecord({"ファイル", "", "a,b", ""}), "ファイル,,\"a,b\",\r\n");
    EXPECT_EQ(csvRecord({}), "\r\n");
    EXPECT_EQ(std::string(csvByteOrderMark), "\xEF\xBB\xBF");
}

// ---------------------------------------------------------------- velocity guide, texts

TEST(VelocityGuide, BothEdgesAreSuitable) {
    EXPECT_EQ(velocityGuide(0.6), VelocityGuide::Suitable);
    EXPECT_EQ(velocityGuide(3.0), VelocityGuide::Suitable);
    EXPECT_EQ(velocityGuide(std::nextafter(0.6, 0.0)), VelocityGuide::Low);
    EXPECT_EQ(velocityGuide(0.0), VelocityGuide::Low);
    EXPECT_EQ(velocityGuide(std::nextafter(3.0, 4.0)), VelocityGuide::High);
}

// ---------------------------------------------------------------- every catalogue size

TEST(SizeTrials, EachSizeIsComputedAsTheComputeButtonWould) {
    CalcSheet document;
    const ComputeInput input = vp100Input();
    const std::vector<SizeTrial> trials = tryEverySize(document, input);
    ASSERT_EQ(trials.size(), 8u);
    EXPECT_EQ(document.capacity, 0) << "the document itself is not computed";
    for (std::size_t i = 0; i < trials.size(); ++i) {
        ComputeInput sized = input;
        sized.sizeListPosition = static_cast<int>(i);
        CalcSheet alone;
        ASSERT_TRUE(computeRequest(alone, sized).ok());
        EXPECT_EQ(trials[i].sheet.capacity, alone.capacity) << i;
        EXPECT_EQ(trials[i].sheet.velocity, alone.velocity) << i;
        EXPECT_EQ(trials[i].sheet.facilityLabel, alone.facilityLabel) << i;
    }
    // VP φ100: V = 0.859487…, Q2 = 0.00685797… (hand calculation of the compute request).
    EXPECT_NEAR(trials[2].sheet.velocity, 0.859487, 1e-6);
    EXPECT_EQ(trials[2].size.displayText, "ＶＰ－φ１００");
}

TEST(SizeTrials, SmallestPassingSizeIsMarked) {
    // φ65 and φ75 carry less than Q1 = 0.0041 (about 0.0024 and 0.0035): φ100 is chosen.
    const std::vector<SizeTrial> trials = tryEverySize(CalcSheet{}, vp100Input());
    EXPECT_TRUE(trials[0].assessment.capacityFails);
    EXPECT_TRUE(trials[1].assessment.capacityFails);
    EXPECT_EQ(smallestPassingSize(trials), std::optional<std::size_t>(2));

    EXPECT_TRUE(trials[2].passes());
}

TEST(SizeTrials, MarginCheckMustPassTooWhenItIsOn) {
    // Reference 100 %: Q2 must be at least 2 × 0.0041. φ100 (0.0069, 67 %) fails the
    // margin although its capacity passes; φ125 (about 0.0124) passes both.
    ComputeInput input = vp100Input();
    input.marginCheck = MarginCheck::On;
    input.marginListPosition = 0;
    const std::vector<SizeTrial> trials = tryEverySize(CalcSheet{}, input);
    EXPECT_FALSE(trials[2].assessment.capacityFails);
    EXPECT_TRUE(trials[2].assessment.marginFails);
    EXPECT_EQ(smallestPassingSize(trials), std::optional<std::size_t>(3));
    EXPECT_FALSE(trials[2].passes());
}

TEST(SizeTrials, NoSizePassesNothingIsMarked) {
    ComputeInput input = vp100Input();
    input.plannedFlowText = "1.0";
    const std::vector<SizeTrial> trials = tryEverySize(CalcSheet{}, input);
    ASSERT_EQ(trials.size(), 8u);
    EXPECT_EQ(smallestPassingSize(trials), std::nullopt);
    for (bool mark : chosenMarks(trials))
        EXPECT_FALSE(mark);
}

TEST(SizeTrials, PlannedFlowExactlyEqualToTheCapacityPasses) {
    // Q1 typed with every digit of φ100's capacity: Q1′ = Q2 exactly, which is O.K.
    const double capacity = tryEverySize(CalcSheet{}, vp100Input())[2].sheet.capacity;
    char digits[40];
    std::snprintf(digits, sizeof digits, "%.17g", capacity);
    ComputeInput input = vp100Input();
    input.plannedFlowText = digits;
    const std::vector<SizeTrial> trials = tryEverySize(CalcSheet{}, input);
    ASSERT_EQ(trials[2].sheet.plannedFlow, trials[2].sheet.capacity);
    EXPECT_FALSE(trials[2].assessment.capacityFails);
    EXPECT_EQ(smallestPassingSize(trials), std::optional<std::size_t>(2));
}

TEST(SizeTrials, OnlyStandardPipesHaveSizes) {
    ComputeInput input = vp100Input();
    input.variant = ComputeVariant::OtherCircular;
    input.facilityKindIndex = 4;
    input.diameterText = "0.3";
    EXPECT_TRUE(tryEverySize(CalcSheet{}, input).empty());
    input.variant = ComputeVariant::Rectangular;
    input.facilityKindIndex = 5;
    EXPECT_TRUE(tryEverySize(CalcSheet{}, input).empty());
}

TEST(SizeTrials, ARefusedRequestIsNeverChosen) {
    ComputeInput input = vp100Input();
    input.gradientText = "-5"; // refused by the gradient check for every size
    const std::vector<SizeTrial> trials = tryEverySize(CalcSheet{}, input);
    ASSERT_EQ(trials.size(), 8u);
    EXPECT_TRUE(trials[0].failure.has_value());
    EXPECT_EQ(smallestPassingSize(trials), std::nullopt);
    EXPECT_FALSE(trials[0].passes());
}

// ---------------------------------------------------------------- characteristic curves

TEST(CharacteristicCurve, CircleAtFullAndHalfDepth) {
    for (const VelocityFormula formula : {VelocityFormula::Manning, VelocityFormula::Kutter}) {
        const std::vector<CurvePoint> points = characteristicCurve(circle(formula));
        ASSERT_EQ(points.size(), 101u);
        EXPECT_EQ(points.front().depthFraction, 0);
        EXPECT_EQ(points.front().flowRatio, 0);
        EXPECT_EQ(points.front().velocityRatio, 0);
        EXPECT_EQ(points.back().depthFraction, 1);
        EXPECT_EQ(points.back().flowRatio, 1);
        EXPECT_EQ(points.back().velocityRatio, 1);
        // Half a circle has the hydraulic radius of the full one: V/V_full = 1, Q/Q_full = 1/2.
        EXPECT_EQ(points[50].depthFraction, 0.5);
        EXPECT_NEAR(points[50].flowRatio, 0.5, 1e-12);
        EXPECT_NEAR(points[50].velocityRatio, 1.0, 1e-12);
    }
}

TEST(CharacteristicCurve, CircleAgainstTheSegmentFormulas) {
    // h/D = 0.25: θ = 2·acos(0.5) = 2π/3, A/A_full = (θ − sin θ)/(2π) = 0.195501…,
    // P/P_full = θ/(2π) = 1/3, so by Manning V/V_full = (0.195501…·3)^(2/3) = 0.701988….
    const std::vector<CurvePoint> points = characteristicCurve(circle(VelocityFormula::Manning));
    const double theta = 2 * std::acos(0.5);
    const double areaShare = (theta - std::sin(theta)) / (2 * std::acos(-1.0));
    const double velocityRatio = std::pow(areaShare * 3, 2.0 / 3.0);
    EXPECT_NEAR(areaShare, 0.1955011, 1e-7);
    EXPECT_NEAR(points[25].velocityRatio, velocityRatio, 1e-12);
    EXPECT_NEAR(points[25].flowRatio, areaShare * velocityRatio, 1e-12);
    // The flow of a circle peaks a little above 1 before full depth.
    double highest = 0;
    for (const CurvePoint& point : points)
        highest = std::max(highest, point.flowRatio);
    EXPECT_GT(highest, 1.07);
    EXPECT_LT(highest, 1.08);
}

TEST(CharacteristicCurve, RectangularChannelIsOpenBelowFullAndClosedAtFull) {
    const std::vector<CurvePoint> points = characteristicCurve(channel());
    EXPECT_NEAR(points[50].flowRatio, 0.5, 1e-12);
    EXPECT_NEAR(points[50].velocityRatio, 1.0, 1e-12);
    EXPECT_EQ(points.back().flowRatio, 1);
    // Just below full the open section has the larger hydraulic radius: at h/H = 0.99,
    // R = 0.495 / 2.48 against 1/6, so V/V_full = (0.199596… · 6)^(2/3) = 1.12772….
    EXPECT_NEAR(points[99].velocityRatio, std::pow(0.495 / 2.48 * 6, 2.0 / 3.0), 1e-12);
    EXPECT_NEAR(points[99].flowRatio, 0.99 * points[99].velocityRatio, 1e-12);
    // At full depth the program's own section: A = 0.5, P = 3.0.
    const FlowState full = flowStateAt(channel(), 1);
    EXPECT_DOUBLE_EQ(full.area, 0.5);
    EXPECT_DOUBLE_EQ(full.perimeter, 3.0);
}

TEST(CharacteristicCurve, FullDepthAgreesWithTheComputeRequestOfARectangle) {
    CalcSheet sheet;
    sheet.facilityKind = FacilityKind::Rectangular;
    sheet.channelHeight = 1.0;
    sheet.channelWidth = 0.5;
    sheet.depthRatio = 10;
    sheet.roughness = 0.015;
    sheet.slopePermille = 2;
    sheet.velocityFormula = VelocityFormula::Kutter;
    computeRectangularSection(sheet);
    computeCapacity(sheet);
    const FlowState full = flowStateAt(curveSectionOf(sheet), 1);
    EXPECT_EQ(full.velocity, sheet.velocity);
    EXPECT_EQ(full.flow, sheet.capacity);
}

TEST(CharacteristicCurve, DocumentDepthChoice) {
    CalcSheet sheet;
    sheet.facilityKind = FacilityKind::VP;
    sheet.depthRatio = 8;
    EXPECT_EQ(documentDepthFraction(sheet), std::optional<double>(0.8));
    sheet.depthRatio = 10;
    EXPECT_EQ(documentDepthFraction(sheet), std::optional<double>(1.0));
    // "水量９０％": the depth at which the exact segment holds 90 % of the full area.
    sheet.depthRatio = 90;
    const std::optional<double> depth = documentDepthFraction(sheet);
    ASSERT_TRUE(depth);
    const CurveSection section = circle(VelocityFormula::Manning);
    EXPECT_NEAR(flowStateAt(section, *depth).area / flowStateAt(section, 1).area, 0.9, 1e-12);
    sheet.depthRatio = 6; // not a depth code of the program
    EXPECT_EQ(documentDepthFraction(sheet), std::nullopt);
    sheet.facilityKind = FacilityKind::Rectangular;
    sheet.depthRatio = 90; // flow-area entries exist for circles only
    EXPECT_EQ(documentDepthFraction(sheet), std::nullopt);
}

TEST(CharacteristicCurve, PlannedFlowIntersection) {
    const CurveSection section = circle(VelocityFormula::Manning);
    const std::optional<double> half = depthFractionForFlowRatio(section, 0.5);
    ASSERT_TRUE(half);
    EXPECT_NEAR(*half, 0.5, 1e-9);
    // 1.05 is reached twice; the lower depth is the one where the flow first gets there.
    const std::optional<double> high = depthFractionForFlowRatio(section, 1.05);
    ASSERT_TRUE(high);
    EXPECT_LT(*high, 0.94);
    EXPECT_NEAR(flowStateAt(section, *high).flow / flowStateAt(section, 1).flow, 1.05, 1e-9);
    EXPECT_EQ(depthFractionForFlowRatio(section, 1.2), std::nullopt);
    EXPECT_EQ(depthFractionForFlowRatio(section, 0), std::optional<double>(0.0));
    EXPECT_EQ(depthFractionForFlowRatio(section, std::numeric_limits<double>::quiet_NaN()),
              std::nullopt);
    // A channel reaches ratios above 1 on its open branch.
    EXPECT_TRUE(depthFractionForFlowRatio(channel(), 1.1));
    EXPECT_EQ(depthFractionForFlowRatio(channel(), 1.2), std::nullopt);
}

// The flow a circle carries at its peak (h/D near 0.938) lies between two steps of
// 0.01; it is still found, below the peak.
TEST(CharacteristicCurve, FlowAtThePeakIsCarried) {
    const CurveSection section = circle(VelocityFormula::Manning);
    const double peak = flowStateFromBelow(section, 0.938).flow;
    const std::optional<double> depth = lowestDepthCarrying(section, peak);
    ASSERT_TRUE(depth);
    EXPECT_NEAR(*depth, 0.938, 0.005);
    EXPECT_TRUE(depthFractionForFlowRatio(section, peak / flowStateAt(section, 1).flow));
}

// ---------------------------------------------------------------- planned flow, minimum size

TEST(PlannedFlow, DepthAndVelocityWhereTheSectionFirstCarriesIt) {
    const CurveSection section = circle(VelocityFormula::Manning);
    const FlowState half = flowStateAt(section, 0.5);
    const std::optional<PlannedFlowState> state = plannedFlowState(section, half.flow);
    ASSERT_TRUE(state);
    EXPECT_NEAR(state->depthFraction, 0.5, 1e-9);
    EXPECT_NEAR(state->velocity, half.velocity, 1e-9);
    EXPECT_EQ(plannedFlowState(section, 0), std::nullopt);
    EXPECT_EQ(plannedFlowState(section, 2 * flowStateAt(section, 1).flow), std::nullopt);
    // The rectangular example: Q1′ 0.0006 runs 9 mm deep at about 0.13 m/sec.
    ComputeInput example = rectangularInput();
    example.plannedFlowText = "0.0006";
    example.gradientText = "2";
    example.roughnessText = "0.015";
    const std::optional<PlannedFlowState> shallow = plannedFlowStateOf(computedSheet(example));
    ASSERT_TRUE(shallow);
    EXPECT_NEAR(shallow->depthFraction, 0.009, 0.0005);
    EXPECT_NEAR(shallow->velocity, 0.129, 0.001);
}

TEST(SizeTrials, MinimumSizeKeepsTheChoiceOffSmallerPipes) {
    const std::vector<SizeTrial> trials = tryEverySize({}, vp100Input());
    EXPECT_EQ(smallestPassingSize(trials, 0), std::optional<std::size_t>(2)); // φ100
    EXPECT_EQ(smallestPassingSize(trials, 150), std::optional<std::size_t>(4));
    EXPECT_EQ(smallestPassingSize(trials, 160), std::optional<std::size_t>(5)); // φ200
    EXPECT_EQ(smallestPassingSize(trials, 400), std::nullopt);
    for (FacilityKind kind :
         {FacilityKind::VP, FacilityKind::VU, FacilityKind::FRPM, FacilityKind::Hume}) {
        const std::vector<PipeSize>& sizes = PipeCatalogue::sizes(kind);
        for (std::size_t i = 1; i < sizes.size(); ++i)
            EXPECT_GT(nominalDiameter(sizes[i]), nominalDiameter(sizes[i - 1])) << sizes[i].label;
    }
    EXPECT_EQ(nominalDiameter(PipeCatalogue::sizes(FacilityKind::Hume).back()), 3000);
}

// ---------------------------------------------------------------- spreadsheet formulas

TEST(CsvText, TextThatASpreadsheetWouldEvaluateGetsAQuote) {
    EXPECT_EQ(csvField("=HYPERLINK(\"x\")"), "\"'=HYPERLINK(\"\"x\"\")\"");
    for (const char* text : {"+1+2", "-A1", "@SUM(A1)", "\tx", "\rx", "-", "=1"})
        EXPECT_EQ(spreadsheetText(text), std::string("'") + text) << text;
    // Numbers stay numbers; a text with such a sign inside is left alone.
    for (const char* text : {"-0.25", "+3", "-12", "0.0041", "a=b", "", "—"})
        EXPECT_EQ(spreadsheetText(text), text) << text;
    EXPECT_EQ(tabSeparatedLine({"=x", "a\tb", "-1.5", ""}), "'=x\t\"a\tb\"\t-1.5\t\n");
}
