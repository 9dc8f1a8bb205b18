#pragma once
// Window positions and sizes are kept in twips (1/1440 inch), as the layout of the
// sheets is drawn up; they become pixels at the screen's logical resolution
// (15 twips per pixel at 96 dpi).

#include <QGuiApplication>
#include <QPoint>
#include <QRect>
#include <QScreen>
#include <QSize>

#include <cmath>

namespace tovarin {

namespace twips_detail {
inline double logicalDpi(bool horizontal) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 96.0;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0 ? dpi : 96.0;
}
inline int toPixels(int twips, bool horizontal) {
    return static_cast<int>(std::lround(twips * logicalDpi(horizontal) / 1440.0));
}
} // namespace twips_detail

// Horizontal and vertical twips in pixels.
inline int twipsX(int twips) {
    return twips_detail::toPixels(twips, true);
}
inline int twipsY(int twips) {
    return twips_detail::toPixels(twips, false);
}

inline QPoint twipsPoint(int left, int top) {
    return {twipsX(left), twipsY(top)};
}
inline QSize twipsSize(int width, int height) {
    return {twipsX(width), twipsY(height)};
}
inline QRect twipsRect(int left, int top, int width, int height) {
    return {twipsPoint(left, top), twipsSize(width, height)};
}

} // namespace tovarin
