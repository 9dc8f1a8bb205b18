#pragma once
// SVG drawings of the curve (--curve OUT.svg) through Qt SVG. A build without Qt SVG
// (the Windows build: its Qt has Qt Base only) refuses .svg at the arguments.

#include <QByteArray>
#include <QPainter>
#include <QSize>
#include <QString>

#include <functional>

namespace tovarin {

// Whether this build writes SVG.
bool svgAvailable();

// The SVG of what `draw` paints on a canvas of `size`; empty when it failed.
QByteArray svgDrawing(const QSize& size, const QString& title,
                      const std::function<void(QPainter&)>& draw);

} // namespace tovarin
