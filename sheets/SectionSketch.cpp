#include "sheets/SectionSketch.h"

#include <QPainter>

namespace tovarin {

SectionSketch::SectionSketch(Shape shape, QWidget* parent) : QWidget(parent), shape_(shape) {
    setObjectName(shape == Shape::Circle ? QStringLiteral("Shape1") : QStringLiteral("Lines"));
}

void SectionSketch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    if (shape_ == Shape::Circle)
        paintCircle(painter);
    else
        paintRectangle(painter);
}

void SectionSketch::paintCircle(QPainter& painter) {
    const QRectF circle = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.drawEllipse(circle);
    painter.drawText(circle, Qt::AlignCenter, QStringLiteral("Ｄ"));
}

void SectionSketch::paintRectangle(QPainter& painter) {
    // The channel on the right, its height marked on the left and its width below.
    const QFontMetrics metrics(font());
    const int mark = metrics.horizontalAdvance(QStringLiteral("Ｈ")) + 6;
    const int textHeight = metrics.height() + 4;
    const QRect channel(mark, 1, width() - mark - 2, height() - textHeight - 2);
    painter.drawLine(channel.topLeft(), channel.bottomLeft());
    painter.drawLine(channel.bottomLeft(), channel.bottomRight());
    painter.drawLine(channel.bottomRight(), channel.topRight());
    painter.drawLine(channel.topLeft(), channel.topRight());
    painter.drawText(QRect(0, channel.top(), mark, channel.height()), Qt::AlignCenter,
                     QStringLiteral("Ｈ"));
    painter.drawText(QRect(channel.left(), channel.bottom(), channel.width(), textHeight),
                     Qt::AlignCenter, QStringLiteral("Ｂ"));
}

} // namespace tovarin
