#include "engine/DesignAids.h"

namespace tovarin {

VelocityGuide velocityGuide(double velocity) {
    if (velocity < lowestSuitableVelocity)
        return VelocityGuide::Low;
    if (velocity > highestSuitableVelocity)
        return VelocityGuide::High;
    return VelocityGuide::Suitable;
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

} // namespace tovarin
