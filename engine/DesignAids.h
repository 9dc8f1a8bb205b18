#pragma once
// Design aids beside the calculation sheet: the velocity guide of a sewage pipe,
// the verdict texts of a result, and the trial of every catalogue size of a
// standard pipe with the smallest passing one chosen.

#include "engine/Calculation.h"
#include "engine/Catalogue.h"

#include <optional>
#include <string>
#include <vector>

namespace tovarin {

// Velocity guide of a sewage pipe, from the unrounded velocity V (m/sec):
// "適正" for 0.6 ≤ V ≤ 3.0, "不足" below 0.6, "過大" above 3.0.
std::string velocityGuide(double velocity);

// "O.K" or "NG", as the results panel colours the figure.
std::string verdictText(bool fails);

// Texts of the choices as the program names them.
std::string formulaText(VelocityFormula formula); // "マニング", "クッター" or empty
// The effective-depth list text of the document's depth choice ("満流", "水深８割",
// "水量９０％"); empty when the position is a blank line or outside the list.
std::string depthChoiceText(const CalcSheet& sheet);

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

// Position of the smallest passing size; none when no size passes.
std::optional<std::size_t> smallestPassingSize(const std::vector<SizeTrial>& trials);

// The header and the rows of the size table.
std::vector<std::string> sizeTableHeader();
std::vector<std::string> sizeTableRow(const SizeTrial& trial, bool chosen);

} // namespace tovarin
