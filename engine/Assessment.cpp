#include "engine/Assessment.h"

#include "engine/Catalogue.h"
#include "engine/CharacteristicCurve.h"
#include "engine/DesignAids.h"
#include "engine/Units.h"

namespace tovarin {

namespace {

// Percentage increase to a factor: 25 % gives 1.25.
double factorOf(double percent) {
    return (percent + 100) / 100;
}

double shownMaxPopulationOf(const CalcSheet& sheet, double groundwaterFactor,
                            double allowanceFactor) {
    const bool groundwater = sheet.groundwaterOn == OnOff::On;
    const bool allowance = sheet.allowanceOn == OnOff::On;
    if (groundwater && allowance)
        return sheet.maxPopulation / (groundwaterFactor * allowanceFactor);
    if (groundwater)
        return sheet.maxPopulation / groundwaterFactor;
    if (allowance)
        return sheet.maxPopulation / allowanceFactor;
    return sheet.maxPopulation;
}

const std::string& verdictMessageOf(const CalcSheet& sheet, const Assessment& verdicts) {
    static const std::string none;
    static const std::string exceedsMarked = "計画汚水量(Q1)が施設の流量(Q2)を超えています。";
    static const std::string exceeds = "計画汚水量が施設の流量を超えています。";
    static const std::string marginShort = "余裕率が基準値を超えています。";
    static const std::string checkVelocity =
        "流速(V)はよろしいですか？チェックして下さい。（各地域の開発指導要綱等による事。）";

    if (!verdicts.verdictShown)
        return none;
    if (verdicts.capacityFails)
        return sheet.allowanceOn == OnOff::On ? exceeds : exceedsMarked;
    if (verdicts.marginShown && verdicts.marginFails)
        return marginShort;
    return checkVelocity;
}

} // namespace

std::string velocityGuideText(VelocityGuide guide) {
    switch (guide) {
    case VelocityGuide::Low:
        return "不足";
    case VelocityGuide::High:
        return "過大";
    case VelocityGuide::Suitable:
        break;
    }
    return "適正";
}

std::string verdictText(bool fails) {
    return fails ? "NG" : "O.K";
}

VelocityGuide velocityGuide(double velocity) {
    if (velocity < lowestSuitableVelocity)
        return VelocityGuide::Low;
    if (velocity > highestSuitableVelocity)
        return VelocityGuide::High;
    return VelocityGuide::Suitable;
}

double plannedFlowWithGroundwater(const CalcSheet& sheet) {
    switch (sheet.groundwaterOn) {
    case OnOff::Off:
        return sheet.plannedFlowBase;
    case OnOff::On:
        return ((sheet.groundwaterRate + 100) * sheet.plannedFlowBase) / 100;
    case OnOff::None:
        break;
    }
    return sheet.plannedFlow;
}

double appliedAllowance(const CalcSheet& sheet) {
    return sheet.allowanceOn == OnOff::On ? sheet.flowAllowance : 0;
}

double comparedFlowOf(const CalcSheet& sheet, double plannedFlow) {
    if (sheet.allowanceOn != OnOff::On)
        return plannedFlow;
    return ((sheet.flowAllowance + 100) * plannedFlow) / 100;
}

Assessment assess(CalcSheet& sheet, int marginListPosition) {
    sheet.plannedFlow = plannedFlowWithGroundwater(sheet);
    if (sheet.landUse == LandUse::Residential) {
        sheet.maxPopulation =
            (sheet.capacity * litresPerDayPerCubicMetrePerSecond) / sheet.sewagePerCapita;
    }
    if (sheet.marginCheck == MarginCheck::On) {
        if (const auto reference = MarginReferences::value(marginListPosition))
            sheet.marginReference = *reference;
        const double compared = comparedFlowOf(sheet, sheet.plannedFlow);
        sheet.marginRatio = 100 * ((sheet.capacity - compared) / compared);
    }
    return assessmentOf(sheet);
}

Assessment assessmentOf(const CalcSheet& sheet) {
    Assessment result;
    result.allowanceFactor = factorOf(appliedAllowance(sheet));
    result.groundwaterFactor = factorOf(sheet.groundwaterRate);
    result.allowedFlow = comparedFlowOf(sheet, sheet.plannedFlow);
    result.verdictShown = sheet.allowanceOn != OnOff::None;
    result.capacityFails = result.allowedFlow > sheet.capacity;
    if (sheet.landUse == LandUse::Residential) {
        result.maxPopulationShown = true;
        result.shownMaxPopulation =
            shownMaxPopulationOf(sheet, result.groundwaterFactor, result.allowanceFactor);
    }
    if (sheet.marginCheck == MarginCheck::On) {
        result.marginShown = true;
        result.marginFails = sheet.marginRatio < sheet.marginReference;
    }
    result.verdictMessage = verdictMessageOf(sheet, result);
    result.beeps = (result.capacityFails ? 1 : 0) + (result.marginFails ? 1 : 0);
    result.plannedFlowState = plannedFlowState(curveSectionOf(sheet), result.allowedFlow);
    if (result.plannedFlowState)
        result.plannedFlowGuide = velocityGuide(result.plannedFlowState->velocity);
    return result;
}

} // namespace tovarin
