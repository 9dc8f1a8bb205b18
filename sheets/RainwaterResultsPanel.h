#pragma once
// RainwaterResultsPanel, the rainwater results panel below the input windows: Q against Q2
// with the verdict, V with its guide, I and the time of concentration t (with t2).
// A failing verdict and a velocity outside the guide's range are shown in the
// warning colour; a panel is created fresh for each result.

#include "engine/Rainwater.h"

#include <QWidget>

class QLabel;

namespace tovarin {

class RainwaterResultsPanel : public QWidget {
    Q_OBJECT
public:
    explicit RainwaterResultsPanel(const RainwaterResult& result, QWidget* parent = nullptr);

    // The value labels, as shown.
    QLabel* plannedFlow() const { return plannedFlow_; }
    QLabel* capacity() const { return capacity_; }
    QLabel* verdict() const { return verdict_; }
    QLabel* velocity() const { return velocity_; }
    QLabel* velocityGuide() const { return guide_; }
    QLabel* intensity() const { return intensity_; }
    QLabel* concentrationTime() const { return time_; } // hidden with 直接
    QLabel* flowTime() const { return flowTime_; }      // "（t2＝2.1）"; hidden with 直接

private:
    QLabel* plannedFlow_ = nullptr;
    QLabel* capacity_ = nullptr;
    QLabel* verdict_ = nullptr;
    QLabel* velocity_ = nullptr;
    QLabel* guide_ = nullptr;
    QLabel* intensity_ = nullptr;
    QLabel* time_ = nullptr;
    QLabel* flowTime_ = nullptr;
};

} // namespace tovarin
