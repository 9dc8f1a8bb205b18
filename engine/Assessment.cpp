#include "engine/Calculation.h"
#include "engine/Catalogue.h"
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

const std::string& verdictMessageOf(const CalcSheet& sheet, double allowedFlow, bool marginFails) {
    static const std::string none;
    static const std::string exceedsMarked = "計画汚水量(Q1)が施設の流量(Q2)を超えています。";
    static const std::string exceeds = "計画汚水量が施設の流量を超えています。";
    static const std::string marginShort = "余裕率が基準値を超えています。";
    static const std::string checkVelocity =
        "流速(V)はよろしいですか？チェックして下さい。（各地域の開発指導要綱等による事。）";

    if (sheet.allowanceOn == OnOff::None)
        return none;
    const bool allowanceOn = sheet.allowanceOn == OnOff::On;
    const double comparedFlow = allowanceOn ? allowedFlow : sheet.plannedFlow;
    if (comparedFlow > sheet.capacity)
        return allowanceOn ? exceeds : exceedsMarked;
    if (marginFails)
        return marginShort;
    return checkVelocity;
}

} // namespace

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

double allowedFlowOf(double flowAllowance, double plannedFlow) {
    return ((flowAllowance + 100) * plannedFlow) / 100;
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
        const double allowed = allowedFlowOf(sheet.flowAllowance, sheet.plannedFlow);
        sheet.marginRatio = 100 * ((sheet.capacity - allowed) / allowed);
    }
    return assessmentOf(sheet);
}

Assessment assessmentOf(const CalcSheet& sheet) {
    Assessment result;
    result.allowanceFactor = factorOf(sheet.flowAllowance);
    result.groundwaterFactor = factorOf(sheet.groundwaterRate);
    result.allowedFlow = allowedFlowOf(sheet.flowAllowance, sheet.plannedFlow);
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
    result.verdictMessage = verdictMessageOf(sheet, result.allowedFlow, result.marginFails);
    result.beeps = (result.capacityFails ? 1 : 0) + (result.marginFails ? 1 : 0);
    return result;
}

} // namespace tovarin
