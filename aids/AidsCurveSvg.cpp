// The curves as SVG, through our own SVG writer (aids/SheetToolSvg.h).

#include "aids/AidsCurve.h"
#include "aids/SheetToolSvg.h"

namespace tovarin {

QByteArray curveSvgBytes(const CurveChart& chart) {
    const QSize size(1600, 1200);
    return svgDrawing(size, chart.title,
                      [&](QPainter& painter) { drawChart(painter, size, chart); });
}

} // namespace tovarin
