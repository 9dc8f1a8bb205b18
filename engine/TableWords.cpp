#include "engine/TableWords.h"

#include "engine/Catalogue.h"
#include "engine/NumberText.h"
#include "engine/ResultTexts.h"

namespace tovarin {

std::string formulaText(VelocityFormula formula) {
    switch (formula) {
    case VelocityFormula::Manning:
        return "マニング";
    case VelocityFormula::Kutter:
        return "クッター";
    case VelocityFormula::None:
        break;
    }
    return {};
}

std::string depthChoiceText(const CalcSheet& sheet) {
    const std::vector<std::string>& texts = sheet.facilityKind == FacilityKind::Rectangular
                                                ? DepthRatioTable::rectangularTexts()
                                                : DepthRatioTable::circularTexts();
    if (sheet.depthChoice < 0 || sheet.depthChoice >= static_cast<int>(texts.size()))
        return {};
    return texts[static_cast<std::size_t>(sheet.depthChoice)];
}

PlannedFlowCells plannedFlowCells(const Assessment& assessment) {
    const std::optional<PlannedFlowState>& state = assessment.plannedFlowState;
    if (!state || !assessment.plannedFlowGuide)
        return {"—", "—", "—"};
    return {formatNumber(state->depthFraction, "0.000"), formatNumber(state->velocity, "0.0000"),
            velocityGuideText(*assessment.plannedFlowGuide)};
}

std::vector<std::string> sizeTableHeader() {
    return {
        "管径",       "内径D(m)",     "流速V(m/sec)",       "流量Q2(m3/sec)",          "流量の判定",
        "余裕率(％)", "余裕率の判定", "計画水量時の水深比", "計画水量時の流速(m/sec)", "流速の目安",
        "選定"};
}

std::vector<std::string> sizeTableRow(const SizeTrial& trial, bool chosen) {
    const std::string diameter = formatNumber(trial.size.diameter, "0.0000");
    if (trial.failure)
        return {trial.size.displayText, diameter, "", "", "", "", "", "", "", "", ""};
    const ResultTexts texts = resultTexts(trial.sheet, trial.assessment);
    const bool margin = trial.assessment.marginShown;
    const PlannedFlowCells planned = plannedFlowCells(trial.assessment);
    return {trial.size.displayText,
            diameter,
            texts.velocity,
            texts.capacity,
            verdictText(trial.assessment.capacityFails),
            texts.marginRatio.value_or(""),
            margin ? verdictText(trial.assessment.marginFails) : "",
            planned.depthRatio,
            planned.velocity,
            planned.guide,
            chosen ? "◎" : ""};
}

std::vector<std::vector<std::string>> curveTable(const CurveSection& section,
                                                 const std::vector<CurvePoint>& points) {
    std::vector<std::vector<std::string>> table;
    table.push_back({section.circular ? "水深比h/D" : "水深比h/H", "Q/Q_full", "V/V_full"});
    for (const CurvePoint& point : points) {
        table.push_back({formatNumber(point.depthFraction, "0.00"),
                         formatNumber(point.flowRatio, "0.0000"),
                         formatNumber(point.velocityRatio, "0.0000")});
    }
    return table;
}

} // namespace tovarin
