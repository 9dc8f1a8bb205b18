#include "sheets/FacilityWindow.h"

#include "platform/qt/Twips.h"
#include "sheets/Controls.h"
#include "sheets/Notices.h"
#include "sheets/SewageWindows.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace tovarin {

FacilityWindow::FacilityWindow(SewageWindows& windows, const char* name, QWidget* parent)
    : QWidget(parent), windows_(windows) {
    setObjectName(QString::fromLatin1(name));
    setFont(sheetFont());
    resize(twipsSize(widthTwips, heightTwips));
}

FacilityWindow::~FacilityWindow() {
    // The controls die after this object: their last signals must not reach it.
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
}

QLabel* FacilityWindow::addTitle(const char* name, const QString& text, int left, int top) {
    QLabel* title = addLabel(this, name, text, left, top);
    setTextColour(title, titleGreen());
    return title;
}

EntryField* FacilityWindow::addField(const char* name, EntryField::Input input, int left, int top,
                                     int width, int height) {
    EntryField* field = addEntryField(this, name, input, left, top, width, height);
    connect(field, &EntryField::clicked, this, &FacilityWindow::invalidateResult);
    return field;
}

void FacilityWindow::addDepthList(int left, int top, int width) {
    cbo1_ = new QComboBox(this);
    cbo1_->setObjectName(QStringLiteral("cbo1"));
    placeTwips(cbo1_, left, top, width, 315);
    connect(cbo1_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            invalidateResult();
    });
    // Choosing the entry that is already shown is a choice too.
    connect(cbo1_, &QComboBox::activated, this, &FacilityWindow::invalidateResult);
    onEnterKey(cbo1_, [this] { cmd1_->setFocus(Qt::OtherFocusReason); });
}

void FacilityWindow::fillDepthList(const std::vector<std::string>& texts, int selected) {
    cbo1_->clear();
    for (const std::string& text : texts)
        cbo1_->addItem(QString::fromStdString(text));
    cbo1_->setCurrentIndex(selected);
}

void FacilityWindow::addComputeButton() {
    cmd1_ = addButton(this, "cmd1", QStringLiteral("計算"), 3060, 4500, 1215, 375);
    connect(cmd1_, &QPushButton::clicked, this, [this] { windows_.computeRequest(variant()); });
}

void FacilityWindow::chainEnter(EntryField* from, QWidget* to) {
    connect(from, &EntryField::enterPressed, this, [to] { to->setFocus(Qt::OtherFocusReason); });
}

void FacilityWindow::invalidateResult() {
    windows_.closeResults();
    windows_.host().setStatusMessage(facilityNotice());
}

void FacilityWindow::fillDepthInput(ComputeInput& input) const {
    input.depthListPosition = cbo1_->currentIndex();
    input.depthListText = cbo1_->currentText().toStdString();
}

} // namespace tovarin
