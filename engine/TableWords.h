#pragma once
// The words of the design aids' tables: headers, verdicts, guides and the names of
// the document's choices, in Japanese as the program names them, from the engine's
// figures and choices; the tool's CSV and the 設計補助 window show them. Qt-free.

#include "engine/CharacteristicCurve.h"
#include "engine/DesignAids.h"

#include <string>
#include <vector>

namespace tovarin {

// "マニング", "クッター", or empty without a formula.
std::string formulaText(VelocityFormula formula);
// The effective-depth list text of the document's depth choice ("満流", "水深８割",
// "水量９０％"); empty when the position is a blank line or outside the list.
std::string depthChoiceText(const CalcSheet& sheet);

// The planned-flow cells of an assessment: the depth ratio at the planned flow
// ("0.000"), the velocity there ("0.0000") and the velocity guide judged on it;
// all three "—" when no depth carries the planned flow.
struct PlannedFlowCells {
    std::string depthRatio;
    std::string velocity;
    std::string guide;
};
PlannedFlowCells plannedFlowCells(const Assessment& assessment);

// The header and the rows of the size table (--sizes).
std::vector<std::string> sizeTableHeader();
std::vector<std::string> sizeTableRow(const SizeTrial& trial, bool chosen);

// The curve points with the header ("水深比h/D" or "水深比h/H", "Q/Q_full",
// "V/V_full"), as CSV records (--curve OUT.csv).
std::vector<std::vector<std::string>> curveTable(const CurveSection& section,
                                                 const std::vector<CurvePoint>& points);

} // namespace tovarin
