#include "sheets/NetworkProfileView.h"

#include "report/NetworkProfile.h"

#include <QPainter>

namespace tovarin {

NetworkProfileView::NetworkProfileView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void NetworkProfileView::show(const NetworkResult* result, const NetworkLevels* levels) {
    result_ = result;
    levels_ = levels;
    head_ = -1;
    path_ = result ? networkProfilePath(*result, head_) : std::vector<std::size_t>{};
    update();
}

void NetworkProfileView::setHead(int head) {
    head_ = head;
    path_ = result_ ? networkProfilePath(*result_, head_) : std::vector<std::size_t>{};
    update();
}

void NetworkProfileView::paintEvent(QPaintEvent*) {
    if (!result_ || !levels_ || path_.empty())
        return;
    QPainter painter(this);
    // Millimetres of the drawing on screen: the page's 297 mm across the view.
    const double mm = width() / 297.0;
    drawNetworkProfile(painter, QRectF(rect()).adjusted(2, 2, -2, -2), mm, *result_, *levels_,
                       path_);
}

} // namespace tovarin
