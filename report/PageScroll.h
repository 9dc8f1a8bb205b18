#pragma once
// Figures of the print image window's scroll bars and page, all in twips
// (1/1440 inch). Qt-free.

namespace tovarin {

// Millimetres of paper in twips, rounded to the nearest twip: A4 (210 × 297 mm) is
// 11906 × 16838 twips. (Points would give 11900 × 16840.)
int millimetresToTwips(double millimetres);

// Rounds to the nearest integer, a half to the even neighbour (5066.5 → 5066).
int roundHalfToEven(double value);

// Range and steps of one scroll bar: the part of the page that does not fit into
// the viewport, half of it per large step and half of that per small step.
struct ScrollFigures {
    int maximum = 0;
    int largeStep = 0;
    int smallStep = 0;
};

// A page smaller than its viewport cannot scroll: its maximum is 0, so the page
// stays in view.
ScrollFigures scrollFigures(int pageTwips, int viewportTwips);

} // namespace tovarin
