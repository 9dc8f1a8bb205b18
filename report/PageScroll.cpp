#include "report/PageScroll.h"

#include <cmath>

namespace tovarin {

namespace {

constexpr double twipsPerMillimetre = 1440 / 25.4;

} // namespace

int millimetresToTwips(double millimetres) {
    return static_cast<int>(std::lround(millimetres * twipsPerMillimetre));
}

int roundHalfToEven(double value) {
    // The default floating-point rounding mode rounds halves to even.
    return static_cast<int>(std::nearbyint(value));
}

ScrollFigures scrollFigures(int pageTwips, int viewportTwips) {
    ScrollFigures figures;
    if (pageTwips <= viewportTwips)
        return figures;
    figures.maximum = pageTwips - viewportTwips;
    figures.largeStep = roundHalfToEven(figures.maximum / 2.0);
    figures.smallStep = roundHalfToEven(figures.largeStep / 2.0);
    return figures;
}

} // namespace tovarin
