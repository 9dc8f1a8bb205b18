#pragma once
// The unit conversions of the calculation, each named once.

namespace tovarin {

// Litres per person per day to cubic metres per second: 24 × 60 × 60 × 1000.
inline constexpr double litresPerDayPerCubicMetrePerSecond = 86400000;
// Square metres to hectares.
inline constexpr double hectaresPerSquareMetre = 1e-4;
// Metres to millimetres (diameters, widths and heights as the sheet names them).
inline constexpr double millimetresPerMetre = 1000;
// A gradient in per mille to a gradient.
inline constexpr double permillePerUnit = 1000;
// A depth code in tenths ("水深８割" is 8) to the fraction of the depth.
inline constexpr double depthFractionPerTenth = 0.1;

} // namespace tovarin
