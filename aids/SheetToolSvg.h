#pragma once
// SVG drawings of the curve (--curve OUT.svg, the aids window's SVG save), written by
// a small SVG writer of our own on every system.

#include <QByteArray>
#include <QPainter>
#include <QSize>
#include <QString>

#include <functional>

namespace tovarin {

// The SVG of what `draw` paints on a canvas of `size`; empty when it failed.
QByteArray svgDrawing(const QSize& size, const QString& title,
                      const std::function<void(QPainter&)>& draw);

} // namespace tovarin
