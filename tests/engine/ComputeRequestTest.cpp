#include "engine/Calculation.h"
#include "tests/engine/Near.h"
#include "tests/support/ComputedSheets.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

const char* const velocityReminder =
    "流速(V)はよろしいですか？チェックして下さい。（各地域の開発指導要綱等による事。）";

// The request over every field of a window still empty, and with both rates switched on.
ComputeInput emptyWindow(ComputeVariant variant) {
    ComputeInput in;
    in.variant = variant;
    in.groundwaterOn = OnOff::On;
    in.allowanceOn = OnOff::On;
    in.flowEntryMode = FlowEntryMode::Computed;
    return in;
}

void expectRefused(CalcSheet& sheet, const ComputeInput& in, const std::string& message,
                   FocusTarget focus, bool caretAtStart) {
    const ComputeOutcome outcome = computeRequest(sheet, in);
    ASSERT_FALSE(outcome.ok()) << "expected: " << message;
    EXPECT_EQ(outcome.failure->message, message);
    EXPECT_EQ(outcome.failure->focus, focus) << message;
    EXPECT_EQ(outcome.failure->caretAtStart, caretAtStart) << message;
    EXPECT_FALSE(outcome.failure->switchToDirectEntry) << message;
}

void expectAccepted(CalcSheet& sheet, const ComputeInput& in) {
    const ComputeOutcome outcome = computeRequest(sheet, in);
    ASSERT_TRUE(outcome.ok()) << outcome.failure->message;
    EXPECT_NE(sheet.capacity, 0);
}

// Checks 1 to 5 of the main sheet, each masking the ones after it.
void fillMainSheetCheckByCheck(CalcSheet& sheet, ComputeInput& in, int facilityKindIndex) {
    const ComputeOutcome first = computeRequest(sheet, in);
    ASSERT_FALSE(first.ok());
    EXPECT_EQ(first.failure->message, "計画汚水量を計算又は入力してください。");
    EXPECT_EQ(first.failure->focus, FocusTarget::PlannedFlowField);
    EXPECT_TRUE(first.failure->switchToDirectEntry);
    EXPECT_EQ(sheet.flowEntryMode, FlowEntryMode::Direct);

    in.plannedFlowText = "0.0041";
    expectRefused(sheet, in, "地下水混入率を入力してください。", FocusTarget::GroundwaterField,
                  false);
    in.groundwaterText = "15";
    expectRefused(sheet, in, "計画汚水量の割増しを入力してください。", FocusTarget::AllowanceField,
                  false);
    in.allowanceText = "0";
    expectRefused(sheet, in, "施設の種類を選択してください。", FocusTarget::FacilityKindList,
                  false);
    in.facilityKindIndex = facilityKindIndex;
    expectRefused(sheet, in, "流速の計算方法を選択してください。", FocusTarget::ManningOption,
                  false);
    in.velocityFormula = VelocityFormula::Kutter;
}

void fillGradientAndRoughness(CalcSheet& sheet, ComputeInput& in) {
    expectRefused(sheet, in, "施設の勾配を入力してください。", FocusTarget::GradientField, true);
    in.gradientText = "-5";
    expectRefused(sheet, in, "施設の勾配には正の値を入力してください。", FocusTarget::GradientField,
                  true);
    in.gradientText = "5";
    in.roughnessText = "0.000";
    expectRefused(sheet, in, "粗度係数を入力してください。", FocusTarget::RoughnessField, true);
    in.roughnessText = "-0.013";
    expectRefused(sheet, in, "粗度係数には正の値を入力してください。", FocusTarget::RoughnessField,
                  true);
    in.roughnessText = "0.013";
}

} // namespace

// ---------------------------------------------------------------- gathering

TEST(Gather, CopiesTheNumbersAndChoicesOfTheWindows) {
    CalcSheet sheet;
    ComputeInput in = rectangularInput();
    in.groundwaterOn = OnOff::On;
    in.groundwaterText = "1 5";
    in.allowanceOn = OnOff::On;
    in.allowanceText = "20";
    in.marginCheck = MarginCheck::On;
    in.landUse = LandUse::NonResidential1;
    in.velocityFormula = VelocityFormula::Kutter;
    gather(sheet, in);
    EXPECT_EQ(sheet.plannedFlowBase, 0.0041);
    EXPECT_EQ(sheet.groundwaterRate, 15);
    EXPECT_EQ(sheet.flowAllowance, 20);
    EXPECT_EQ(sheet.slopePermille, 10);
    EXPECT_EQ(sheet.roughness, 0.01);
    EXPECT_EQ(sheet.materialName, "コンクリート水路");
    EXPECT_EQ(sheet.channelHeight, 1.0);
    EXPECT_EQ(sheet.channelWidth, 0.5);
    EXPECT_EQ(sheet.facilityKind, FacilityKind::Rectangular);
    EXPECT_EQ(sheet.velocityFormula, VelocityFormula::Kutter);
    EXPECT_EQ(sheet.groundwaterOn, OnOff::On);
    EXPECT_EQ(sheet.allowanceOn, OnOff::On);
    EXPECT_EQ(sheet.flowEntryMode, FlowEntryMode::Computed);
    EXPECT_EQ(sheet.marginCheck, MarginCheck::On);
    EXPECT_EQ(sheet.landUse, LandUse::NonResidential1);
    EXPECT_EQ(sheet.depthChoice, 4);
}

TEST(Gather, RatesAreReadOnlyWhileSwitchedOn) {
    CalcSheet sheet;
    sheet.groundwaterRate = 7;
    sheet.flowAllowance = 9;
    ComputeInput in = vp100Input();
    in.groundwaterText = "15";
    in.allowanceText = "20";
    gather(sheet, in);
    EXPECT_EQ(sheet.groundwaterRate, 7);
    EXPECT_EQ(sheet.flowAllowance, 9);
}

// A stored document may hold a groundwater pair with neither option: it is "無し",
// and the planned flow compared is the document's own, not one left in the sheet.
TEST(Gather, GroundwaterWithNeitherOptionCountsAsNone) {
    CalcSheet sheet;
    sheet.plannedFlow = 0.5; // from an earlier calculation
    ComputeInput in = vp100Input();
    in.groundwaterOn = OnOff::None;
    const ComputeOutcome outcome = computeRequest(sheet, in);
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(sheet.groundwaterOn, OnOff::Off);
    EXPECT_EQ(sheet.plannedFlow, 0.0041);
    EXPECT_FALSE(outcome.assessment.capacityFails);
}

TEST(Gather, EachWindowGathersItsOwnFields) {
    CalcSheet sheet;
    sheet.materialName = "前の材料";
    sheet.pipeDiameter = 0.9;
    gather(sheet, vp100Input());
    EXPECT_EQ(sheet.materialName, "前の材料");
    EXPECT_EQ(sheet.pipeDiameter, 0.9); // resolved from the catalogue only when computing
    EXPECT_EQ(sheet.nominalSize, 2);

    gather(sheet, otherCircularInput());
    EXPECT_EQ(sheet.materialName, "鋳鉄管");
    EXPECT_EQ(sheet.pipeDiameter, 0.3);
    EXPECT_EQ(sheet.facilityKind, FacilityKind::OtherCircular);
}

// ---------------------------------------------------------------- worked examples

TEST(ComputeRequest, Vp100FullFlowByManning) {
    CalcSheet sheet;
    const ComputeOutcome outcome = computeRequest(sheet, vp100Input());
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(sheet.pipeDiameter, 0.1008);
    EXPECT_EQ(sheet.facilityLabel, "VP - φ100");
    EXPECT_EQ(sheet.depthRatio, 10);
    EXPECT_REL(sheet.flowArea, 0.007979150592);
    EXPECT_REL(sheet.wettedPerimeter, 0.3166632);
    EXPECT_REL(sheet.hydraulicRadius, 0.025197593506286806);
    EXPECT_REL(sheet.velocity, 0.8594871281801931);
    EXPECT_REL(sheet.capacity, 0.006857977227635368);
    EXPECT_EQ(sheet.plannedFlow, 0.0041);
    EXPECT_FALSE(outcome.assessment.capacityFails);
    EXPECT_EQ(outcome.assessment.verdictMessage, velocityReminder);
}

TEST(ComputeRequest, Vp100FullFlowByKutter) {
    CalcSheet sheet;
    ComputeInput in = vp100Input();
    in.velocityFormula = VelocityFormula::Kutter;
    ASSERT_TRUE(computeRequest(sheet, in).ok());
    EXPECT_REL(sheet.kutterNumerator, 123.155);
    EXPECT_REL(sheet.kutterDenominator, 2.458697546816);
    EXPECT_REL(sheet.kutterRootRI, 0.01587374987401742);
    EXPECT_REL(sheet.velocity, 0.7951086412666907);
    EXPECT_REL(sheet.capacity, 0.0063442915856674305);
}

TEST(ComputeRequest, RectangularChannelByDepthListPosition) {
    CalcSheet sheet;
    ComputeInput in = rectangularInput();
    expectAccepted(sheet, in);
    EXPECT_EQ(sheet.depthRatio, 8);
    EXPECT_REL(sheet.flowArea, 0.4);
    EXPECT_REL(sheet.wettedPerimeter, 2.1);

    in.depthListPosition = 0;
    in.depthListText = "満流";
    expectAccepted(sheet, in);
    EXPECT_REL(sheet.flowArea, 0.5);
    EXPECT_REL(sheet.wettedPerimeter, 3.0);

    // Position 1 of the rectangular list is 9.5; the circular list has a blank line there.
    in.depthListPosition = 1;
    in.depthListText = "水深９.5割";
    expectAccepted(sheet, in);
    EXPECT_EQ(sheet.depthRatio, 9.5);
}

TEST(ComputeRequest, OtherCircularPipeAtAFlowAreaRatio) {
    CalcSheet sheet;
    expectAccepted(sheet, otherCircularInput());
    EXPECT_EQ(sheet.depthRatio, 95);
    EXPECT_REL(sheet.flowArea, 0.09 * 0.7461);
    EXPECT_REL(sheet.wettedPerimeter, 0.3 * 2.4980);
}

TEST(ComputeRequest, ResidentialAllowanceAndMarginReachTheAssessment) {
    CalcSheet sheet;
    sheet.sewagePerCapita = 250;
    ComputeInput in = vp100Input();
    in.landUse = LandUse::Residential;
    in.allowanceOn = OnOff::On;
    in.allowanceText = "25";
    in.marginCheck = MarginCheck::On;
    in.marginListPosition = 12;
    const ComputeOutcome outcome = computeRequest(sheet, in);
    ASSERT_TRUE(outcome.ok());
    EXPECT_REL(outcome.assessment.allowedFlow, 0.005125);
    EXPECT_EQ(sheet.marginReference, 5);
    EXPECT_REL(sheet.marginRatio, 100 * ((0.006857977227635368 - 0.005125) / 0.005125));
    EXPECT_REL(sheet.maxPopulation, 0.006857977227635368 * 86400000 / 250);
    EXPECT_REL(outcome.assessment.shownMaxPopulation, 0.006857977227635368 * 86400000 / 250 / 1.25);
    EXPECT_EQ(outcome.assessment.beeps, 0);
}

// ---------------------------------------------------------------- order of the checks

TEST(ComputeRequestChecks, StandardPipeWindowInOrder) {
    CalcSheet sheet;
    ComputeInput in = emptyWindow(ComputeVariant::StandardPipe);
    fillMainSheetCheckByCheck(sheet, in, 0);
    // No allowance check of its own: an allowance typed as 0 passes here.
    fillGradientAndRoughness(sheet, in);
    expectRefused(sheet, in, "施設有効水深の割合を入力してください。", FocusTarget::DepthList,
                  false);
    in.depthListText = "満流";
    expectAccepted(sheet, in);
}

TEST(ComputeRequestChecks, OtherCircularWindowInOrder) {
    CalcSheet sheet;
    ComputeInput in = emptyWindow(ComputeVariant::OtherCircular);
    fillMainSheetCheckByCheck(sheet, in, 4);
    expectRefused(sheet, in, "計画汚水量の割増しを入力してください。", FocusTarget::AllowanceField,
                  false);
    in.allowanceText = "20";
    expectRefused(sheet, in, "直径を入力してください。", FocusTarget::DiameterField, true);
    in.diameterText = "-0.3";
    expectRefused(sheet, in, "直径には正の値を入力してください。", FocusTarget::DiameterField,
                  true);
    in.diameterText = "0.3";
    fillGradientAndRoughness(sheet, in);
    expectRefused(sheet, in, "施設の有効水深の割合を入力してください。", FocusTarget::DepthList,
                  false);
    in.depthListText = "満流";
    expectAccepted(sheet, in);
}

TEST(ComputeRequestChecks, RectangularWindowInOrder) {
    CalcSheet sheet;
    ComputeInput in = emptyWindow(ComputeVariant::Rectangular);
    fillMainSheetCheckByCheck(sheet, in, 5);
    expectRefused(sheet, in, "計画汚水量の割増しを入力してください。", FocusTarget::AllowanceField,
                  false);
    in.allowanceText = "20";
    expectRefused(sheet, in, "施設の高さを入力してください。", FocusTarget::HeightField, true);
    in.heightText = "-1";
    expectRefused(sheet, in, "施設の高さには正の値を入力してください。", FocusTarget::HeightField,
                  true);
    in.heightText = "1";
    expectRefused(sheet, in, "施設の巾を入力してください。", FocusTarget::WidthField, true);
    in.widthText = "-0.5";
    expectRefused(sheet, in, "施設の巾には正の値を入力してください。", FocusTarget::WidthField,
                  true);
    in.widthText = "0.5";
    fillGradientAndRoughness(sheet, in);
    expectRefused(sheet, in, "施設の有効水深の割合を入力してください。", FocusTarget::DepthList,
                  false);
    in.depthListText = "満流";
    expectAccepted(sheet, in);
}

TEST(ComputeRequestChecks, AnEmptyPlannedFlowIsReportedBeforeEverythingElse) {
    CalcSheet sheet;
    ComputeInput in;
    in.variant = ComputeVariant::Rectangular;
    const ComputeOutcome outcome = computeRequest(sheet, in);
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.failure->message, "計画汚水量を計算又は入力してください。");
    EXPECT_TRUE(outcome.failure->switchToDirectEntry);
}

TEST(ComputeRequestChecks, OnlyTheEmptyTextCountsAsAnEmptyField) {
    CalcSheet sheet;
    ComputeInput in = vp100Input();
    in.plannedFlowText = " ";
    in.groundwaterOn = OnOff::On;
    in.groundwaterText = "abc"; // reads as 0 and passes: factor 1
    expectAccepted(sheet, in);
    EXPECT_EQ(sheet.plannedFlowBase, 0);
    EXPECT_EQ(sheet.groundwaterRate, 0);
}

TEST(ComputeRequestChecks, TheBlankLineOfTheCircularDepthListIsRefused) {
    CalcSheet sheet;
    ComputeInput in = otherCircularInput();
    in.depthListPosition = 1;
    in.depthListText = "";
    expectRefused(sheet, in, "施設の有効水深の割合を入力してください。", FocusTarget::DepthList,
                  false);
}

TEST(ComputeRequestChecks, ARefusedRequestKeepsTheGatheredValuesAndNothingElseChanges) {
    CalcSheet sheet;
    expectAccepted(sheet, rectangularInput());
    const double capacity = sheet.capacity;
    const double velocity = sheet.velocity;
    ComputeInput in = rectangularInput();
    in.widthText = "0.8";
    in.gradientText = "";
    expectRefused(sheet, in, "施設の勾配を入力してください。", FocusTarget::GradientField, true);
    EXPECT_EQ(sheet.channelWidth, 0.8);
    EXPECT_EQ(sheet.slopePermille, 0);
    EXPECT_EQ(sheet.capacity, capacity);
    EXPECT_EQ(sheet.velocity, velocity);
    EXPECT_REL(sheet.flowArea, 0.4);
}

// ---------------------------------------------------------------- refused divisions and overflow

TEST(ComputeRequestGuards, AZeroPlannedFlowCannotTakeTheMarginCheck) {
    CalcSheet sheet;
    ComputeInput in = vp100Input();
    in.plannedFlowText = "0.0000";
    expectAccepted(sheet, in); // without the margin check a zero flow is fine

    in.marginCheck = MarginCheck::On;
    expectRefused(sheet, in,
                  "計画汚水量が０のため、余裕率を計算できません。計画汚水量を確認してください。",
                  FocusTarget::PlannedFlowField, false);

    // An allowance of -100 % makes Q1' zero as well.
    in.plannedFlowText = "0.0041";
    in.allowanceOn = OnOff::On;
    in.allowanceText = "-100";
    expectRefused(sheet, in,
                  "計画汚水量が０のため、余裕率を計算できません。計画汚水量を確認してください。",
                  FocusTarget::PlannedFlowField, false);
}

TEST(ComputeRequestGuards, ResidentialLandNeedsAPerCapitaQuantity) {
    CalcSheet sheet;
    ComputeInput in = vp100Input();
    in.landUse = LandUse::Residential;
    expectRefused(sheet, in,
                  "計画時間最大汚水量（１人１日当り）が０のため、最大計画人口を計算できません。"
                  "計画汚水量を計算し直してください。",
                  FocusTarget::PlannedFlowButton, false);

    // The zero planned flow is reported first.
    in.marginCheck = MarginCheck::On;
    in.plannedFlowText = "0";
    expectRefused(sheet, in,
                  "計画汚水量が０のため、余裕率を計算できません。計画汚水量を確認してください。",
                  FocusTarget::PlannedFlowField, false);

    // The existing checks come before both.
    in.roughnessText = "";
    expectRefused(sheet, in, "粗度係数を入力してください。", FocusTarget::RoughnessField, true);
}

TEST(ComputeRequestGuards, FiguresBeyondTheNumberRangeAreRefusedAndClearTheResult) {
    const std::string message = "計算結果が数値の範囲を超えました。入力値を確認してください。";
    CalcSheet sheet;
    expectAccepted(sheet, vp100Input());

    ComputeInput in = vp100Input();
    in.gradientText = "1E400";
    expectRefused(sheet, in, message, FocusTarget::GradientField, true);
    EXPECT_FALSE(sheet.hasResult());

    ComputeInput wide = otherCircularInput();
    wide.diameterText = "1E200";
    wide.velocityFormula = VelocityFormula::Kutter;
    expectRefused(sheet, wide, message, FocusTarget::GradientField, true);
    EXPECT_FALSE(sheet.hasResult());

    ComputeInput flood = rectangularInput();
    flood.plannedFlowText = "1E308";
    flood.allowanceOn = OnOff::On;
    flood.allowanceText = "50";
    expectRefused(sheet, flood, message, FocusTarget::GradientField, true);
}

TEST(ComputeRequestGuards, AKutterTermBeyondTheRangeIsRefusedWhereManningIsNot) {
    const std::string message = "計算結果が数値の範囲を超えました。入力値を確認してください。";
    CalcSheet sheet;
    ComputeInput in = rectangularInput();
    in.gradientText = "5E-310"; // 0.00155 / I overflows
    in.velocityFormula = VelocityFormula::Kutter;
    expectRefused(sheet, in, message, FocusTarget::GradientField, true);

    in.velocityFormula = VelocityFormula::Manning;
    expectAccepted(sheet, in);
    EXPECT_TRUE(std::isfinite(sheet.velocity));
    EXPECT_GT(sheet.capacity, 0);
}

TEST(ComputeRequestGuards, ACapacityThatUnderflowsToZeroIsRefused) {
    // V = I^(1/2) · R^(2/3) / n underflows with an absurd roughness.
    CalcSheet sheet;
    ComputeInput in = rectangularInput();
    in.gradientText = "1E-300";
    in.roughnessText = "1E300";
    expectRefused(sheet, in, "計算結果が数値の範囲を超えました。入力値を確認してください。",
                  FocusTarget::GradientField, true);
    EXPECT_EQ(sheet.capacity, 0);
}
