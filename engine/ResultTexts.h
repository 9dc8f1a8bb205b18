#pragma once
// The figures of the results panel as text: one place chooses their patterns, so the
// panel and every other output that shows them agree character for character.

#include "engine/Calculation.h"

#include <optional>
#include <string>

namespace tovarin {

struct ResultTexts {
    std::string allowanceFactor;              // fa "0.0#"; empty when fa is 1 (no allowance)
    std::string allowedFlow;                  // Q1′ "0.0000"
    std::string capacity;                     // Q2 "0.0000"
    std::string velocity;                     // V "0.0000"
    std::optional<std::string> maxPopulation; // "0.0"; residential land use only
    std::optional<std::string> marginRatio;   // "0.00"; margin check on only
};

ResultTexts resultTexts(const CalcSheet& sheet, const Assessment& assessment);

} // namespace tovarin
