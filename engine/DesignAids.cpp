#include "engine/DesignAids.h"

#include "engine/NumberText.h"
#include "engine/ResultTexts.h"

namespace tovarin {

std::string velocityGuide(double velocity) {
    if (velocity < 0.6)
        return "不足";
    if (velocity > 3.0)
        return "過大";
    return "適正";
}

std::string verdictText(bool fails) {
    return fails ? "NG" : "O.K";
}

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

bool SizeTrial::passes() const {
    if (failure)
        return false;
    if (assessment.capacityFails)
        return false;
    return !(assessment.marginShown && assessment.marginFails);
}

std::vector<SizeTrial> tryEverySize(const CalcSheet& document, const ComputeInput& input) {
    std::vector<SizeTrial> trials;
    const FacilityKind kind = facilityKindFromIndex(input.facilityKindIndex);
    if (!isStandardPipe(kind) || input.variant != ComputeVariant::StandardPipe)
        return trials;
    const std::vector<PipeSize>& sizes = PipeCatalogue::sizes(kind);
    trials.reserve(sizes.size());
    for (std::size_t position = 0; position < sizes.size(); ++position) {
        ComputeInput sized = input;
        sized.sizeListPosition = static_cast<int>(position);
        SizeTrial trial{sizes[position], std::nullopt, document, Assessment{}};
        const ComputeOutcome outcome = computeRequest(trial.sheet, sized);
        trial.failure = outcome.failure;
        trial.assessment = outcome.assessment;
        trials.push_back(std::move(trial));
    }
    return trials;
}

std::optional<std::size_t> smallestPassingSize(const std::vector<SizeTrial>& trials) {
    for (std::size_t i = 0; i < trials.size(); ++i) {
        if (trials[i].passes())
            return i;
    }
    return std::nullopt;
}

std::vector<std::string> sizeTableHeader() {
    return {"管径",           "内径D(m)",   "流速V(m/sec)",
            "流量Q2(m3/sec)", "流量の判定", "余裕率(％)",
            "余裕率の判定",   "流速の目安", "選定"};
}

std::vector<std::string> sizeTableRow(const SizeTrial& trial, bool chosen) {
    const std::string diameter = formatNumber(trial.size.diameter, "0.0000");
    if (trial.failure)
        return {trial.size.displayText, diameter, "", "", "", "", "", "", ""};
    const ResultTexts texts = resultTexts(trial.sheet, trial.assessment);
    const bool margin = trial.assessment.marginShown;
    return {trial.size.displayText,
            diameter,
            texts.velocity,
            texts.capacity,
            verdictText(trial.assessment.capacityFails),
            texts.marginRatio.value_or(""),
            margin ? verdictText(trial.assessment.marginFails) : "",
            velocityGuide(trial.sheet.velocity),
            chosen ? "◎" : ""};
}

} // namespace tovarin
