#pragma once
// The catchment's totals as the area table shows them while the user types: ΣA and
// the weighted runoff coefficient, from each row's printed area and coefficient, as
// the rainwater sheet computes them. Qt-free.

#include "engine/Rainwater.h"

#include <string>
#include <vector>

namespace tovarin {

struct CatchmentTotals {
    std::string area;   // ΣA "0.0000"; empty while it cannot be shown
    std::string runoff; // Σ(Ci·Ai)/ΣA "0.00"; empty while it cannot be shown
};

// Empty texts while a row's area or coefficient is not a number yet, or while ΣA is
// not above zero; nothing is refused here (the calculation does that).
CatchmentTotals catchmentTotals(const std::vector<CatchmentArea>& areas);

} // namespace tovarin
