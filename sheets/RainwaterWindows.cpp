#include "sheets/RainwaterWindows.h"

#include "documents/record/SheetNames.h"

#include "sheets/Controls.h"
#include "sheets/RainwaterFacilityWindow.h"
#include "sheets/RainwaterInputSheet.h"
#include "sheets/RainwaterResultsPanel.h"
#include "sheets/WindowPlaces.h"

#include <QApplication>
#include <QComboBox>
#include <QTableWidget>

namespace tovarin {

RainwaterWindows::RainwaterWindows(SheetHost& host, QObject* parent)
    : QObject(parent), host_(host) {}

RainwaterWindows::~RainwaterWindows() {
    // The windows call back into this object: they go first, without notifications.
    if (results_)
        disconnect(results_, nullptr, this, nullptr);
    destroyChildWindow(results_);
    destroyChildWindow(facility_);
    destroyChildWindow(form_);
}

QString RainwaterWindows::notice() {
    return QStringLiteral(
        "流出係数、降雨強度式の定数 及び 粗度係数(ｎ)は、各地域の開発指導要綱等による事。");
}

void RainwaterWindows::addChild(QWidget* window, int left, int top, int width, int height) {
    if (host_.onScreen() == OnScreen::Never)
        keepUnseenChildWindow(host_.mdiArea(), window, left, top, width, height);
    else
        addChildWindow(host_.mdiArea(), window, left, top, width, height);
}

void RainwaterWindows::closeWindows() {
    closeResults();
    destroyChildWindow(facility_);
    destroyChildWindow(form_);
}

bool RainwaterWindows::isOpen() const {
    return form_ && facility_;
}

void RainwaterWindows::showInput(const RainwaterInput& input) {
    closeWindows();
    form_ = new RainwaterInputSheet(*this);
    constexpr WindowPlace sheet = windowPlaces::inputSheet;
    addChild(form_, sheet.left, sheet.top, sheet.width, sheet.height);
    facility_ = new RainwaterFacilityWindow(*this);
    constexpr WindowPlace beside = windowPlaces::facilityWindow;
    addChild(facility_, beside.left, beside.top, beside.width, beside.height);
    form_->apply(input);
    facility_->apply(input);
    unchanged_ = this->input();
}

void RainwaterWindows::newDocument() {
    showInput(RainwaterInput{});
    host_.setStatusMessage(notice());
    form_->landUseList()->setFocus(Qt::OtherFocusReason);
}

RainwaterInput RainwaterWindows::input() const {
    RainwaterInput in;
    if (form_)
        form_->gather(in);
    if (facility_)
        facility_->gather(in);
    return in;
}

void RainwaterWindows::closeResults() {
    if (results_) {
        // The panel's end clears the result (resultsPanelGone).
        destroyChildWindow(results_);
        return;
    }
    if (result_)
        resultsPanelGone();
}

void RainwaterWindows::resultsPanelGone() {
    result_.reset();
    host_.resultChanged();
}

bool RainwaterWindows::compute() {
    if (!isOpen())
        return false;
    closeResults();
    const RainwaterOutcome outcome = computeRainwaterSheet(input());
    if (!outcome.ok()) {
        showInputError(host_.platform(), host_.dialogParent(),
                       QString::fromStdString(outcome.failure->message));
        focusField(outcome.failure->field, outcome.failure->row, outcome.failure->column);
        return false;
    }
    result_ = outcome.result;
    if (result_->capacityFails) {
        host_.platform().beep();
        host_.setStatusMessage(QStringLiteral("計画雨水量が施設の流量を超えています。"));
    }
    // The panel is shown beside the inputs: the focus stays where it was.
    QPointer<QWidget> focus = QApplication::focusWidget();
    auto* panel = new RainwaterResultsPanel(*result_);
    connect(panel, &QObject::destroyed, this, &RainwaterWindows::resultsPanelGone);
    constexpr WindowPlace below = windowPlaces::resultsPanel;
    addChild(panel, below.left, below.top, below.width, below.height);
    results_ = panel;
    if (focus && QApplication::focusWidget() != focus)
        focus->setFocus(Qt::OtherFocusReason);
    host_.resultChanged();
    return true;
}

void RainwaterWindows::focusField(RainwaterField field, int row, AreaColumn column) {
    if (!isOpen())
        return;
    QWidget* target = form_->focusTarget(field, row, column);
    if (!target)
        target = facility_->focusTarget(field);
    if (!target)
        return;
    focusWholeText(target);
    // A refused cell is opened for typing, its text selected.
    if (auto* table = qobject_cast<QTableWidget*>(target); table && table->currentItem())
        table->editItem(table->currentItem());
}

void RainwaterWindows::setDocumentTitle(const QString& path) {
    if (form_)
        form_->setWindowTitle(path);
}

} // namespace tovarin
