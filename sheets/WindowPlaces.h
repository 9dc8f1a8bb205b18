#pragma once
// Where a document's windows stand in the main window's area, in twips: the input
// sheet at the top left, the facility window beside it and the results panel below
// both, as wide as the two. The sewage and the rainwater document put their windows
// at the same places.

namespace tovarin {

struct WindowPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

namespace windowPlaces {

// Form1 and the rainwater input sheet.
inline constexpr WindowPlace inputSheet{0, 0, 6165, 5115};
// Form2, Form4, Form5 and the rainwater facility window.
inline constexpr WindowPlace facilityWindow{inputSheet.left + inputSheet.width, inputSheet.top,
                                            4755, inputSheet.height};
// Form11 and the rainwater results panel.
inline constexpr WindowPlace resultsPanel{inputSheet.left, inputSheet.top + inputSheet.height,
                                          inputSheet.width + facilityWindow.width, 1440};

} // namespace windowPlaces

} // namespace tovarin
