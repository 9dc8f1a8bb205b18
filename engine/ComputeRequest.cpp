#include "engine/Calculation.h"
#include "engine/Catalogue.h"
#include "engine/NumberText.h"

#include <cmath>
#include <initializer_list>

namespace tovarin {

namespace {

// Failures are built only when a check refuses, so a passing request allocates nothing here.
std::optional<ComputeFailure> refuse(const char* message, FocusTarget focus) {
    return ComputeFailure{message, focus, false, false};
}

std::optional<ComputeFailure> refuseAtFieldStart(const char* message, FocusTarget focus) {
    return ComputeFailure{message, focus, true, false};
}

// ---------------------------------------------------------------- checks

// The main input sheet's checks, in this order: a planned flow, a groundwater rate
// when groundwater is on, an allowance when the allowance is on, a facility kind and a
// velocity formula. A missing planned flow also switches the sheet to direct entry,
// where the user is sent to type it.
std::optional<ComputeFailure> checkMainSheet(CalcSheet& sheet, const ComputeInput& in) {
    if (in.plannedFlowText.empty()) {
        sheet.flowEntryMode = FlowEntryMode::Direct;
        return ComputeFailure{"計画汚水量を計算又は入力してください。",
                              FocusTarget::PlannedFlowField, false, true};
    }
    if (sheet.groundwaterOn == OnOff::On && in.groundwaterText.empty())
        return refuse("地下水混入率を入力してください。", FocusTarget::GroundwaterField);
    if (sheet.allowanceOn == OnOff::On && in.allowanceText.empty())
        return refuse("計画汚水量の割増しを入力してください。", FocusTarget::AllowanceField);
    if (sheet.facilityKind == FacilityKind::None)
        return refuse("施設の種類を選択してください。", FocusTarget::FacilityKindList);
    if (sheet.velocityFormula == VelocityFormula::None)
        return refuse("流速の計算方法を選択してください。", FocusTarget::ManningOption);
    return std::nullopt;
}

// A dimension or coefficient must be given (non-zero) and positive: a negative
// base makes the real powers of the capacity computation undefined.
std::optional<ComputeFailure> checkPositive(double value, const char* missingMessage,
                                            const char* negativeMessage, FocusTarget focus) {
    if (value == 0)
        return refuseAtFieldStart(missingMessage, focus);
    if (value < 0)
        return refuseAtFieldStart(negativeMessage, focus);
    return std::nullopt;
}

std::optional<ComputeFailure> checkGradient(const CalcSheet& sheet) {
    return checkPositive(sheet.slopePermille, "施設の勾配を入力してください。",
                         "施設の勾配には正の値を入力してください。", FocusTarget::GradientField);
}

std::optional<ComputeFailure> checkRoughness(const CalcSheet& sheet) {
    return checkPositive(sheet.roughness, "粗度係数を入力してください。",
                         "粗度係数には正の値を入力してください。", FocusTarget::RoughnessField);
}

// An allowance switched on must not be zero: checked first in the other-circular and
// rectangular windows; the standard pipe window does not check it.
std::optional<ComputeFailure> checkAllowanceValue(const CalcSheet& sheet) {
    if (sheet.allowanceOn == OnOff::On && sheet.flowAllowance == 0)
        return refuse("計画汚水量の割増しを入力してください。", FocusTarget::AllowanceField);
    return std::nullopt;
}

std::optional<ComputeFailure> checkDepthText(const ComputeInput& in, const char* message) {
    if (in.depthListText.empty())
        return refuse(message, FocusTarget::DepthList);
    return std::nullopt;
}

std::optional<ComputeFailure> checkStandardPipeWindow(const CalcSheet& sheet,
                                                      const ComputeInput& in) {
    if (auto failure = checkGradient(sheet))
        return failure;
    if (auto failure = checkRoughness(sheet))
        return failure;
    return checkDepthText(in, "施設有効水深の割合を入力してください。");
}

std::optional<ComputeFailure> checkOtherCircularWindow(const CalcSheet& sheet,
                                                       const ComputeInput& in) {
    if (auto failure = checkAllowanceValue(sheet))
        return failure;
    if (auto failure =
            checkPositive(sheet.pipeDiameter, "直径を入力してください。",
                          "直径には正の値を入力してください。", FocusTarget::DiameterField))
        return failure;
    if (auto failure = checkGradient(sheet))
        return failure;
    if (auto failure = checkRoughness(sheet))
        return failure;
    return checkDepthText(in, "施設の有効水深の割合を入力してください。");
}

std::optional<ComputeFailure> checkRectangularWindow(const CalcSheet& sheet,
                                                     const ComputeInput& in) {
    if (auto failure = checkAllowanceValue(sheet))
        return failure;
    if (auto failure =
            checkPositive(sheet.channelHeight, "施設の高さを入力してください。",
                          "施設の高さには正の値を入力してください。", FocusTarget::HeightField))
        return failure;
    if (auto failure =
            checkPositive(sheet.channelWidth, "施設の巾を入力してください。",
                          "施設の巾には正の値を入力してください。", FocusTarget::WidthField))
        return failure;
    if (auto failure = checkGradient(sheet))
        return failure;
    if (auto failure = checkRoughness(sheet))
        return failure;
    return checkDepthText(in, "施設の有効水深の割合を入力してください。");
}

std::optional<ComputeFailure> checkFacilityWindow(const CalcSheet& sheet, const ComputeInput& in) {
    switch (in.variant) {
    case ComputeVariant::StandardPipe:
        return checkStandardPipeWindow(sheet, in);
    case ComputeVariant::OtherCircular:
        return checkOtherCircularWindow(sheet, in);
    case ComputeVariant::Rectangular:
        return checkRectangularWindow(sheet, in);
    }
    return std::nullopt;
}

// The margin ratio divides by the compared flow and the maximum population by q: refuse a zero
// divisor before anything is computed.
std::optional<ComputeFailure> checkDivisors(const CalcSheet& sheet) {
    if (sheet.marginCheck == MarginCheck::On &&
        comparedFlowOf(sheet, plannedFlowWithGroundwater(sheet)) == 0)
        return refuse(
            "計画汚水量が０のため、余裕率を計算できません。計画汚水量を確認してください。",
            FocusTarget::PlannedFlowField);
    if (sheet.landUse == LandUse::Residential && sheet.sewagePerCapita == 0)
        return refuse("計画時間最大汚水量（１人１日当り）が０のため、最大計画人口を計算できません。"
                      "計画汚水量を計算し直してください。",
                      FocusTarget::PlannedFlowButton);
    return std::nullopt;
}

// ---------------------------------------------------------------- computing

void computeSection(CalcSheet& sheet, const ComputeInput& in) {
    if (in.variant == ComputeVariant::Rectangular) {
        if (const auto code = DepthRatioTable::rectangularCode(in.depthListPosition))
            sheet.depthRatio = *code;
        computeRectangularSection(sheet);
        return;
    }
    if (in.variant == ComputeVariant::StandardPipe)
        resolveStandardPipe(sheet);
    if (const auto code = DepthRatioTable::circularCode(in.depthListPosition))
        sheet.depthRatio = *code;
    computeCircularSection(sheet);
}

bool allFinite(std::initializer_list<double> values) {
    for (double v : values) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

// Every figure the request produced, as shown, printed or saved afterwards, must be
// finite; and the capacity must not have underflowed to 0, which would read as
// "no result" while the results are on screen.
bool resultIsUsable(const CalcSheet& sheet, const Assessment& assessment) {
    if (!sheet.hasResult())
        return false;
    if (!allFinite({sheet.flowArea, sheet.wettedPerimeter, sheet.hydraulicRadius, sheet.slope,
                    sheet.velocity, sheet.capacity, sheet.plannedFlow, assessment.allowedFlow,
                    assessment.allowanceFactor, assessment.groundwaterFactor}))
        return false;
    if (sheet.velocityFormula == VelocityFormula::Kutter &&
        !allFinite({sheet.kutterNumerator, sheet.kutterDenominator, sheet.kutterRootRI}))
        return false;
    if (assessment.maxPopulationShown &&
        !allFinite({sheet.maxPopulation, assessment.shownMaxPopulation}))
        return false;
    if (assessment.marginShown && !allFinite({sheet.marginRatio}))
        return false;
    return true;
}

} // namespace

void gather(CalcSheet& sheet, const ComputeInput& in) {
    sheet.velocityFormula = in.velocityFormula;
    sheet.facilityKind = facilityKindFromIndex(in.facilityKindIndex);
    // A groundwater pair with neither option selected (a stored document may have
    // one) counts as "無し": the planned flow is the document's own base flow, not
    // whatever an earlier calculation left in the sheet.
    sheet.groundwaterOn = in.groundwaterOn == OnOff::None ? OnOff::Off : in.groundwaterOn;
    sheet.allowanceOn = in.allowanceOn;
    sheet.flowEntryMode = in.flowEntryMode;
    sheet.marginCheck = in.marginCheck;
    sheet.landUse = in.landUse;
    sheet.nominalSize = in.sizeListPosition;
    sheet.depthChoice = in.depthListPosition;

    sheet.plannedFlowBase = textToNumber(in.plannedFlowText);
    if (in.allowanceOn == OnOff::On)
        sheet.flowAllowance = textToNumber(in.allowanceText);
    if (in.groundwaterOn == OnOff::On)
        sheet.groundwaterRate = textToNumber(in.groundwaterText);
    sheet.slopePermille = textToNumber(in.gradientText);
    sheet.roughness = textToNumber(in.roughnessText);

    switch (in.variant) {
    case ComputeVariant::StandardPipe:
        break;
    case ComputeVariant::OtherCircular:
        sheet.materialName = in.materialText;
        sheet.pipeDiameter = textToNumber(in.diameterText);
        break;
    case ComputeVariant::Rectangular:
        sheet.materialName = in.materialText;
        sheet.channelHeight = textToNumber(in.heightText);
        sheet.channelWidth = textToNumber(in.widthText);
        break;
    }
}

ComputeOutcome computeRequest(CalcSheet& sheet, const ComputeInput& in) {
    ComputeOutcome outcome;
    gather(sheet, in);
    outcome.failure = checkMainSheet(sheet, in);
    if (!outcome.failure)
        outcome.failure = checkFacilityWindow(sheet, in);
    if (!outcome.failure)
        outcome.failure = checkDivisors(sheet);
    if (outcome.failure)
        return outcome;

    computeSection(sheet, in);
    computeCapacity(sheet);
    outcome.assessment = assess(sheet, in.marginListPosition);
    if (!resultIsUsable(sheet, outcome.assessment)) {
        // No result may stay marked as current once the request is refused.
        sheet.clearResult();
        outcome.assessment = Assessment{};
        outcome.failure =
            refuseAtFieldStart("計算結果が数値の範囲を超えました。入力値を確認してください。",
                               FocusTarget::GradientField);
    }
    return outcome;
}

} // namespace tovarin
