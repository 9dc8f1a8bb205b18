#pragma once
// The small drawing of the section in the other-circular and rectangular windows:
// a circle marked "Ｄ", or a rectangle marked "Ｈ" at its side and "Ｂ" below it.

#include <QWidget>

namespace tovarin {

class SectionSketch : public QWidget {
    Q_OBJECT
public:
    enum class Shape { Circle, Rectangle };
    SectionSketch(Shape shape, QWidget* parent = nullptr);

    Shape shape() const { return shape_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintCircle(class QPainter& painter);
    void paintRectangle(class QPainter& painter);

    Shape shape_;
};

} // namespace tovarin
