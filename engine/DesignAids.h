#pragma once
// Design aids beside the calculation sheet: the water at the planned flow and
// the trial of every catalogue size of a standard pipe with the smallest passing
// one chosen.

#include "engine/Calculation.h"
#include "engine/Catalogue.h"
#include "engine/CharacteristicCurve.h"

#include <optional>
#include <vector>

namespace tovarin {

// One catalogue size computed as "計算" would after choosing it.
struct SizeTrial {
    PipeSize size;
    std::optional<ComputeFailure> failure; // the request refused this size
    CalcSheet sheet;                       // valid without a failure
    Assessment assessment;                 // valid without a failure
    bool passes() const; // computed, capacity O.K and, with the margin check on, margin O.K
};

// Every size of the standard pipe kind that `input` names, smallest first, each
// with the same compute request as `input` except for the size list position.
// `document` is the calculation document as it stands (what the planned-sewage
// dialog left in it, for example the per-capita sewage quantity); it is not changed.
// Empty for a kind that is not a standard pipe.
std::vector<SizeTrial> tryEverySize(const CalcSheet& document, const ComputeInput& input);

// Position of the smallest passing size whose nominal diameter is at least
// `minimumNominal` (mm; 0 = any size); none when no such size passes.
std::optional<std::size_t> smallestPassingSize(const std::vector<SizeTrial>& trials,
                                               double minimumNominal = 0);

// The nominal diameter of a catalogue size in mm, from its sheet label ("VP - φ100",
// "ﾋｭｰﾑ管 φ150": the half-width digits after φ); 0 when the label has none.
double nominalDiameter(const PipeSize& size);

// The water at the planned flow: the lowest depth at which the section carries
// `flow` (m3/sec) on the curve that rises from the empty section, and the velocity
// there. None when the flow is not positive or no depth carries it.
std::optional<PlannedFlowState> plannedFlowState(const CurveSection& section, double flow);
// The same for a computed sheet: its section and the flow its assessment compares.
std::optional<PlannedFlowState> plannedFlowStateOf(const CalcSheet& sheet);

} // namespace tovarin
