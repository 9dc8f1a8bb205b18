#include "aids/SheetToolSvg.h"

#include <QBuffer>
#include <QRect>
#include <QSvgGenerator>

namespace tovarin {

bool svgAvailable() {
    return true;
}

QByteArray svgDrawing(const QSize& size, const QString& title,
                      const std::function<void(QPainter&)>& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(title);
    {
        QPainter painter;
        if (!painter.begin(&svg))
            return {};
        draw(painter);
    }
    return bytes;
}

} // namespace tovarin
