#pragma once
// Form11, the results panel below the main sheet and the facility window: Q1′ with
// the allowance factor, Q2, V, the maximum population and the margin ratio, failing
// figures in light magenta. A panel is created fresh for each result.

#include "engine/Calculation.h"

#include <QColor>
#include <QStringList>
#include <QWidget>

class QAction;
class QLabel;

namespace tovarin {

class Form11 : public QWidget {
    Q_OBJECT
public:
    // The panel with its design texts and colours.
    explicit Form11(QWidget* parent = nullptr);

    // Place and inner size below the main sheet, in twips.
    static constexpr int leftTwips = 0;
    static constexpr int topTwips = 5115;
    static constexpr int widthTwips = 10920;
    static constexpr int heightTwips = 1440;

    static QColor warningColour() { return QColor(255, 0, 255); }
    static QColor resultGreen() { return QColor(0, 128, 0); }

    // Labels lbl1 .. lbl22; null for any other number.
    QLabel* lbl(int number) const;

    // Fills the labels from a computed sheet and its assessment: hides the lines that
    // do not apply and colours the failing figures.
    void fill(const CalcSheet& sheet, const Assessment& assessment);

    // The five value texts lbl3 (Q1′), lbl6 (Q2), lbl9 (V), lbl12 (maximum population)
    // and lbl21 (margin ratio), in this order, as shown.
    QStringList captions() const;

    // The panel's right-click menu: "設計補助…" asks for the design aids of the
    // inputs on screen.
    QAction* designAidsAction() const { return designAids_; }
    // Replaces the five value texts, in the order of captions(); missing entries leave
    // their labels as they are.
    void setCaptions(const QStringList& texts);

signals:
    void designAidsRequested();

private:
    QLabel* addPanelLabel(int number, const QString& text, int left, int top, const QFont& font);
    void setValue(int number, const std::string& text);
    void hideLabels(std::initializer_list<int> numbers);

    QLabel* lbl_[23] = {}; // lbl_[1] .. lbl_[22]
    QAction* designAids_ = nullptr;
};

} // namespace tovarin
