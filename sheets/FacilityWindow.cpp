#include "sheets/FacilityWindow.h"

#include "platform/qt/Twips.h"
#include "sheets/Controls.h"
#include "sheets/Notices.h"
#include "sheets/SewageWindows.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace tovarin {

FacilityWindowBase::FacilityWindowBase(const char* name, Invalidation invalidation, QWidget* parent)
    : QWidget(parent), invalidation_(invalidation) {
    setObjectName(QString::fromLatin1(name));
    setFont(sheetFont());
    resize(twipsSize(windowPlaces::facilityWindow.width, windowPlaces::facilityWindow.height));
}

FacilityWindowBase::~FacilityWindowBase() {
    disconnectControls(this);
}

QLabel* FacilityWindowBase::addTitle(const char* name, const QString& text, int left, int top) {
    QLabel* title = addLabel(this, name, text, left, top);
    setTextColour(title, titleGreen());
    return title;
}

EntryField* FacilityWindowBase::addField(const char* name, EntryField::Input input, int left,
                                         int top, int width, int height) {
    EntryField* field = addEntryField(this, name, input, left, top, width, height);
    if (invalidation_ == Invalidation::ClickOrAnyChange)
        connect(field, &EntryField::clicked, this, [this] { invalidateResult(); });
    else
        connect(field, &QLineEdit::textEdited, this, [this] { invalidateResult(); });
    return field;
}

void FacilityWindowBase::addDepthList(const char* name, int left, int top, int width) {
    depthList_ = new QComboBox(this);
    depthList_->setObjectName(QString::fromLatin1(name));
    placeTwips(depthList_, left, top, width, 315);
    if (invalidation_ == Invalidation::ClickOrAnyChange) {
        connect(depthList_, &QComboBox::currentIndexChanged, this, [this](int index) {
            if (index >= 0)
                invalidateResult();
        });
    }
    // Choosing the entry that is already shown is a choice too.
    connect(depthList_, &QComboBox::activated, this, [this] { invalidateResult(); });
    onEnterKey(depthList_, [this] { compute_->setFocus(Qt::OtherFocusReason); });
}

void FacilityWindowBase::fillDepthList(const std::vector<std::string>& texts, int selected) {
    depthList_->clear();
    for (const std::string& text : texts)
        depthList_->addItem(QString::fromStdString(text));
    depthList_->setCurrentIndex(selected);
}

void FacilityWindowBase::addComputeButton(const char* name) {
    compute_ = addButton(this, name, QStringLiteral("計算"), 3060, 4500, 1215, 375);
    connect(compute_, &QPushButton::clicked, this, [this] { computeRequested(); });
}

std::pair<QRadioButton*, QRadioButton*>
FacilityWindowBase::addFormulaOptions(const char* manningName, const char* kutterName, int top) {
    QRadioButton* manning =
        addOption(this, manningName, QStringLiteral("マニング公式"), 300, top, 1695, 270);
    QRadioButton* kutter =
        addOption(this, kutterName, QStringLiteral("クッター公式"), 2100, top, 1695, 270);
    auto* formulas = new QButtonGroup(this);
    formulas->addButton(manning);
    formulas->addButton(kutter);
    manning->setChecked(true);
    for (QRadioButton* option : {manning, kutter})
        connect(option, &QRadioButton::clicked, this, [this] { invalidateResult(); });
    return {manning, kutter};
}

void FacilityWindowBase::chainEnter(EntryField* from, QWidget* to) {
    connect(from, &EntryField::enterPressed, this, [to] { to->setFocus(Qt::OtherFocusReason); });
}

void FacilityWindowBase::followInOrder(const QList<QWidget*>& order) {
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    for (qsizetype i = 0; i < order.size(); ++i) {
        auto* field = qobject_cast<EntryField*>(order[i]);
        if (!field)
            continue;
        connect(field, &EntryField::enterPressed, this, [order, i] {
            for (qsizetype next = i + 1; next < order.size(); ++next) {
                if (order[next]->isVisibleTo(order[next]->window()) && order[next]->isEnabled()) {
                    focusWholeText(order[next]);
                    return;
                }
            }
        });
    }
}

FacilityWindow::FacilityWindow(SewageWindows& windows, const char* name, QWidget* parent)
    : FacilityWindowBase(name, Invalidation::ClickOrAnyChange, parent), windows_(windows) {}

void FacilityWindow::addDepthList(int left, int top, int width) {
    FacilityWindowBase::addDepthList("cbo1", left, top, width);
}

void FacilityWindow::addComputeButton() {
    FacilityWindowBase::addComputeButton("cmd1");
}

void FacilityWindow::invalidateResult() {
    windows_.closeResults();
    windows_.host().setStatusMessage(facilityNotice());
}

void FacilityWindow::computeRequested() {
    windows_.computeRequest(variant());
}

void FacilityWindow::fillDepthInput(ComputeInput& input) const {
    input.depthListPosition = cbo1()->currentIndex();
    input.depthListText = cbo1()->currentText().toStdString();
}

} // namespace tovarin
