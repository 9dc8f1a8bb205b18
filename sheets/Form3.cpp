#include "sheets/Form3.h"

#include "platform/qt/Twips.h"
#include "sheets/Controls.h"
#include "sheets/EntryField.h"
#include "sheets/SheetHost.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

namespace tovarin {

namespace {

// The long captions of the second rows break over two lines in front of their
// parenthesis, as they do not fit beside their fields on one line.
QLabel* addWrappedLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
    QLabel* label = addLabel(parent, name, text, left, top);
    label->setWordWrap(true);
    placeTwips(label, left, top, 1650, 420);
    return label;
}

} // namespace

Form3::Form3(SheetHost& host, QWidget* parent) : QDialog(parent), host_(host) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Tovarin"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    setFont(sheetFont());
    useDesignedColours(this);
    setFixedSize(twipsSize(widthTwips, heightTwips));

    // Buttons first: "ＯＫ" leads the Tab order and has the focus when the dialog opens.
    cmd1_ = addButton(this, "cmd1", QStringLiteral("ＯＫ"), 3000, 3120, 1155, 375);
    cmd2_ = addButton(this, "cmd2", QStringLiteral("キャンセル"), 4260, 3120, 1155, 375);
    buildLandUseFrame();
    buildPerCapitaFrame();
    buildAreaFrame();
    QWidget::setTabOrder(cmd1_, cmd2_);
    QWidget::setTabOrder(cmd2_, opt_[1]);

    for (int i = 1; i <= 3; ++i)
        onSelected(opt_[i], this, [this] { landUseChosen(); });
    connect(cmd1_, &QPushButton::clicked, this, &Form3::ok);
    connect(cmd2_, &QPushButton::clicked, this, &Form3::reject);
    connectEnterChain();
}

Form3::~Form3() {
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
}

void Form3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    cmd1_->setFocus(Qt::OtherFocusReason);
}

QRadioButton* Form3::opt(int number) const {
    return number >= 1 && number <= 3 ? opt_[number] : nullptr;
}

QLabel* Form3::lbl(int number) const {
    return number >= 1 && number <= 12 ? lbl_[number] : nullptr;
}

void Form3::buildLandUseFrame() {
    QFrame* frame = addFrame(this, "FrameLandUse", 180, 0, 5235, 615);
    opt_[1] = addOption(frame, "opt1", QStringLiteral("住宅地"), 240, 240, 1095, 270);
    opt_[2] = addOption(frame, "opt2", QStringLiteral("住宅地以外（1）"), 1440, 240, 1650, 270);
    opt_[3] = addOption(frame, "opt3", QStringLiteral("住宅地以外（2）"), 3180, 240, 1695, 270);
    auto* group = new QButtonGroup(this);
    for (int i = 1; i <= 3; ++i)
        group->addButton(opt_[i]);
    tabIntoSelectedOption(group);
}

void Form3::buildPerCapitaFrame() {
    QFrame* frame = addFrame(this, "FramePerCapita", 180, 660, 5235, 1095);
    lbl_[1] = addLabel(frame, "lbl1", QStringLiteral("計画人口"), 120, 285);
    lbl_[2] = addLabel(frame, "lbl2", QStringLiteral("Ｐ＝"), 1080, 285);
    txt_p_ = addEntryField(frame, "txt_p", EntryField::Input::Numeric, 1440, 240, 975, 270);
    lbl_[3] = addLabel(frame, "lbl3", QStringLiteral("人"), 2490, 285);
    lbl_[4] = addWrappedLabel(frame, "lbl4", QStringLiteral("計画時間最大汚水量（１人１日当り）"),
                              120, 585);
    lbl_[5] = addLabel(frame, "lbl5", QStringLiteral("ｑ＝"), 3000, 705);
    txt_q1_ = addEntryField(frame, "txt_q1", EntryField::Input::Numeric, 3360, 660, 705, 270);
    lbl_[6] = addLabel(frame, "lbl6", QStringLiteral("㍑／人／日"), 4110, 705);
}

void Form3::buildAreaFrame() {
    QFrame* frame = addFrame(this, "FrameArea", 180, 1800, 5235, 1095);
    lbl_[7] = addLabel(frame, "lbl7", QStringLiteral("排水面積"), 120, 285);
    lbl_[8] = addLabel(frame, "lbl8", QStringLiteral("Ａ＝"), 1080, 285);
    txt_a_ = addEntryField(frame, "txt_a", EntryField::Input::Numeric, 1440, 240, 975, 270);
    lbl_[9] = addLabel(frame, "lbl9", QStringLiteral("m2"), 2490, 285);
    lbl_[10] = addWrappedLabel(frame, "lbl10", QStringLiteral("計画時間最大汚水量　（１ｈｒ当り）"),
                               120, 585);
    lbl_[11] = addLabel(frame, "lbl11", QStringLiteral("ｑ＝"), 3000, 705);
    txt_q2_ = addEntryField(frame, "txt_q2", EntryField::Input::Numeric, 3360, 660, 705, 270);
    lbl_[12] = addLabel(frame, "lbl12", QStringLiteral("m3/sec・ha"), 4110, 705);
}

void Form3::connectEnterChain() {
    const auto focus = [](QWidget* target) { target->setFocus(Qt::OtherFocusReason); };
    onEnterKey(opt_[1], [this, focus] { focus(txt_p_); });
    onEnterKey(opt_[2], [this, focus] { focus(txt_p_); });
    onEnterKey(opt_[3], [this, focus] { focus(txt_a_); });
    connect(txt_p_, &EntryField::enterPressed, this, [this, focus] { focus(txt_q1_); });
    connect(txt_q1_, &EntryField::enterPressed, this, [this, focus] {
        if (landUse() == LandUse::Residential)
            focus(cmd1_);
        if (landUse() == LandUse::NonResidential1)
            focus(txt_a_);
    });
    connect(txt_a_, &EntryField::enterPressed, this, [this, focus] { focus(txt_q2_); });
    connect(txt_q2_, &EntryField::enterPressed, this, [this, focus] { focus(cmd1_); });
}

LandUse Form3::landUse() const {
    if (opt_[1]->isChecked())
        return LandUse::Residential;
    if (opt_[2]->isChecked())
        return LandUse::NonResidential1;
    if (opt_[3]->isChecked())
        return LandUse::NonResidential2;
    return LandUse::None;
}

void Form3::selectLandUse(LandUse landUse) {
    switch (landUse) {
    case LandUse::Residential:
        opt_[1]->setChecked(true);
        break;
    case LandUse::NonResidential1:
        opt_[2]->setChecked(true);
        break;
    case LandUse::NonResidential2:
        opt_[3]->setChecked(true);
        break;
    case LandUse::None:
        for (int i = 1; i <= 3; ++i)
            setCheckedSilently(opt_[i], false);
        break;
    }
}

void Form3::landUseChosen() {
    txt_p_->clear();
    txt_q1_->clear();
    txt_a_->clear();
    txt_q2_->clear();
    switch (landUse()) {
    case LandUse::Residential:
        setRowsEnabled(true, false);
        break;
    case LandUse::NonResidential1:
        setRowsEnabled(true, true);
        break;
    case LandUse::NonResidential2:
        setRowsEnabled(false, true);
        break;
    case LandUse::None:
        break;
    }
}

void Form3::setRowsEnabled(bool perCapita, bool area) {
    for (int i = 1; i <= 6; ++i)
        lbl_[i]->setEnabled(perCapita);
    txt_p_->setEnabled(perCapita);
    txt_q1_->setEnabled(perCapita);
    for (int i = 7; i <= 12; ++i)
        lbl_[i]->setEnabled(area);
    txt_a_->setEnabled(area);
    txt_q2_->setEnabled(area);
}

PlannedSewageInput Form3::input() const {
    PlannedSewageInput in;
    in.landUse = landUse();
    in.populationText = txt_p_->text().toStdString();
    in.sewagePerCapitaText = txt_q1_->text().toStdString();
    in.drainageAreaText = txt_a_->text().toStdString();
    in.sewagePerHectareText = txt_q2_->text().toStdString();
    return in;
}

void Form3::Keisan() {
    keisan(host_.calcSheet(), input());
}

void Form3::startAfresh() {
    selectLandUse(LandUse::None);
    txt_p_->clear();
    txt_q1_->clear();
    txt_a_->clear();
    txt_q2_->clear();
    setRowsEnabled(true, true);
}

EntryField* Form3::fieldOf(PlannedSewageField field) const {
    switch (field) {
    case PlannedSewageField::Population:
        return txt_p_;
    case PlannedSewageField::SewagePerCapita:
        return txt_q1_;
    case PlannedSewageField::DrainageArea:
        return txt_a_;
    case PlannedSewageField::SewagePerHectare:
        return txt_q2_;
    }
    return txt_p_;
}

void Form3::ok() {
    if (const auto failure = checkPlannedSewage(input())) {
        showInputError(host_.platform(), this, QString::fromStdString(failure->message));
        focusWholeText(fieldOf(failure->focus));
        return;
    }
    Keisan();
    accept();
}

} // namespace tovarin
