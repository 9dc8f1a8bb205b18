// The curves as SVG: the one user of Qt SVG, kept apart so that a build without it
// can put another writer in its place.

#include "tool/AidsCurve.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

namespace tovarin {

QByteArray curveSvgBytes(const CurveChart& chart) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(1600, 1200));
    svg.setViewBox(QRect(0, 0, 1600, 1200));
    svg.setTitle(chart.title);
    {
        QPainter painter;
        if (!painter.begin(&svg))
            return {};
        drawChart(painter, QSize(1600, 1200), chart);
    }
    return bytes;
}

} // namespace tovarin
