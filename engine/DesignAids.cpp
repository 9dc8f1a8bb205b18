#include "engine/DesignAids.h"

namespace tovarin {

bool SizeTrial::passes() const {
    if (failure)
        return false;
    return assessment.beeps == 0;
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

std::optional<std::size_t> smallestPassingSize(const std::vector<SizeTrial>& trials,
                                               double minimumNominal) {
    for (std::size_t i = 0; i < trials.size(); ++i) {
        if (nominalDiameter(trials[i].size) >= minimumNominal && trials[i].passes())
            return i;
    }
    return std::nullopt;
}

double nominalDiameter(const PipeSize& size) {
    const std::string& label = size.label;
    const std::size_t phi = label.find("φ");
    if (phi == std::string::npos)
        return 0;
    double nominal = 0;
    for (std::size_t i = phi + std::string("φ").size(); i < label.size(); ++i) {
        if (label[i] < '0' || label[i] > '9')
            break;
        nominal = nominal * 10 + (label[i] - '0');
    }
    return nominal;
}

std::optional<PlannedFlowState> plannedFlowState(const CurveSection& section, double flow) {
    if (!(flow > 0))
        return std::nullopt;
    const std::optional<double> depth = lowestDepthCarrying(section, flow);
    if (!depth)
        return std::nullopt;
    return PlannedFlowState{*depth, flowStateFromBelow(section, *depth).velocity};
}

std::optional<PlannedFlowState> plannedFlowStateOf(const CalcSheet& sheet) {
    return assessmentOf(sheet).plannedFlowState;
}

} // namespace tovarin
