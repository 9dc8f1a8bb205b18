// The curves as SVG, through our own SVG writer (tool/SheetToolSvg.h).

#include "tool/AidsCurve.h"
#include "tool/SheetToolSvg.h"

namespace tovarin {

QByteArray curveSvgBytes(const CurveChart& chart) {
    const QSize size(1600, 1200);
    return svgDrawing(size, chart.title,
                      [&](QPainter& painter) { drawChart(painter, size, chart); });
}

} // namespace tovarin
