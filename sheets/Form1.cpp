#include "sheets/Form1.h"

#include "engine/Catalogue.h"
#include "engine/NumberText.h"
#include "platform/qt/Twips.h"
#include "sheets/Controls.h"
#include "sheets/EntryField.h"
#include "sheets/Form2.h"
#include "sheets/Form3.h"
#include "sheets/Form4.h"
#include "sheets/Form5.h"
#include "sheets/Notices.h"
#include "sheets/SewageWindows.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace tovarin {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

Form1::Form1(SewageWindows& windows, QWidget* parent) : QWidget(parent), windows_(windows) {
    setObjectName(QStringLiteral("Form1"));
    setFont(sheetFont());
    resize(twipsSize(widthTwips, heightTwips));

    addLabel(this, "lblTitle", QStringLiteral("☆ 汚水排水施設流量計算"), 240, 120);
    buildPlannedFlowGroup();
    buildGroundwaterGroup();
    buildAllowanceGroup();
    buildFormulaGroup();
    buildFacilityGroup();
    buildMarginGroup();

    for (const FacilityKindInfo& kind : PipeCatalogue::kinds())
        lst_s_->addItem(fromUtf8(kind.listText));
    for (const std::string& text : MarginReferences::texts())
        cob1_->addItem(fromUtf8(text));
    cob1_->setCurrentIndex(0);
    setCheckedSilently(opt_[9], true);

    connectHandlers();
    connectEnterChain();
    buildTabOrder();
}

Form1::~Form1() {
    // The controls die after this object: their last signals must not reach it.
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
}

QRadioButton* Form1::opt(int number) const {
    return number >= 1 && number <= 10 ? opt_[number] : nullptr;
}

// ---------------------------------------------------------------- layout

namespace {

// An option without a caption is its mark alone. Its designed square (195 twips) is
// smaller than the style's mark: it grows round its centre until the mark fits.
void holdWholeMark(QRadioButton* option) {
    const QRect designed = option->geometry();
    QRect fitted(QPoint(0, 0), designed.size().expandedTo(option->sizeHint()));
    fitted.moveCenter(designed.center());
    option->setGeometry(fitted);
}

} // namespace

void Form1::buildPlannedFlowGroup() {
    QFrame* frame = addFrame(this, "FramePlannedFlow", 240, 360, 5655, 705);
    addLabel(frame, "lblPlannedFlow", QStringLiteral("計画汚水量"), 120, 285);
    txt3_ = addEntryField(frame, "txt3", EntryField::Input::Numeric, 1170, 240, 645, 270);
    addLabel(frame, "lblPlannedFlowUnit", QStringLiteral("m3/sec"), 1890, 285);
    opt_[8] = addOption(frame, "opt8", QString(), 2640, 300, 195, 195);
    holdWholeMark(opt_[8]);
    cmd2_ = addButton(frame, "cmd2", QStringLiteral("直接入力"), 2880, 240, 915, 315);
    opt_[7] = addOption(frame, "opt7", QString(), 4050, 330, 195, 195);
    holdWholeMark(opt_[7]);
    cmd1_ = addButton(frame, "cmd1", QStringLiteral("計算する"), 4290, 240, 915, 315);

    // A new document shows the planned flow as computed: without a border.
    txt3_->setFrame(false);
    // Every way into the planned flow is a switch to direct entry (a click, "直接入力",
    // or a failed check), so the field takes no part in the Tab sequence.
    txt3_->setFocusPolicy(Qt::ClickFocus);
    // The two indicators only show the entry mode; they take no focus of their own.
    opt_[7]->setFocusPolicy(Qt::NoFocus);
    opt_[8]->setFocusPolicy(Qt::NoFocus);
    groups_[0] = new QButtonGroup(this);
    groups_[0]->addButton(opt_[7]);
    groups_[0]->addButton(opt_[8]);
}

void Form1::buildGroundwaterGroup() {
    QFrame* frame = addFrame(this, "FrameGroundwater", 240, 930, 5655, 705);
    addLabel(frame, "lblGroundwater", QStringLiteral("地下水混入率"), 120, 285);
    opt_[3] = addOption(frame, "opt3", QStringLiteral("無し"), 2040, 240, 735, 270);
    opt_[4] = addOption(frame, "opt4", QStringLiteral("有り"), 2880, 240, 735, 270);
    txt2_ = addEntryField(frame, "txt2", EntryField::Input::Numeric, 3780, 240, 735, 270);
    lbl2_ = addLabel(frame, "lbl2", QStringLiteral("％"), 4590, 285);
    groups_[1] = new QButtonGroup(this);
    groups_[1]->addButton(opt_[3]);
    groups_[1]->addButton(opt_[4]);
}

void Form1::buildAllowanceGroup() {
    QFrame* frame = addFrame(this, "FrameAllowance", 240, 1710, 5655, 645);
    addLabel(frame, "lblAllowance", QStringLiteral("計画汚水量の割増し"), 120, 255);
    opt_[5] = addOption(frame, "opt5", QStringLiteral("無し"), 2040, 210, 735, 270);
    opt_[6] = addOption(frame, "opt6", QStringLiteral("有り"), 2880, 210, 735, 270);
    txt1_ = addEntryField(frame, "txt1", EntryField::Input::Numeric, 3780, 210, 735, 270);
    lbl1_ = addLabel(frame, "lbl1", QStringLiteral("％増し"), 4590, 255);
    groups_[2] = new QButtonGroup(this);
    groups_[2]->addButton(opt_[5]);
    groups_[2]->addButton(opt_[6]);
}

void Form1::buildFormulaGroup() {
    QFrame* frame = addFrame(this, "FrameFormula", 240, 2460, 1755, 1905);
    addLabel(frame, "lblFormula", QStringLiteral("流速の計算方法"), 120, 240);
    opt_[1] = addOption(frame, "opt1", QStringLiteral("マニング公式"), 240, 720, 1455, 270);
    opt_[2] = addOption(frame, "opt2", QStringLiteral("クッター公式"), 240, 1200, 1455, 270);
    groups_[3] = new QButtonGroup(this);
    groups_[3]->addButton(opt_[1]);
    groups_[3]->addButton(opt_[2]);
}

void Form1::buildFacilityGroup() {
    QFrame* frame = addFrame(this, "FrameFacility", 2280, 2460, 3615, 1905);
    addLabel(frame, "lblFacility", QStringLiteral("施設の種類"), 120, 240);
    lst_s_ = addListBox(frame, "lst_s");
    placeTwips(lst_s_, 240, 510, 3135, 1140);
}

void Form1::buildMarginGroup() {
    QFrame* frame = addFrame(this, "FrameMargin", 240, 4440, 5655, 555);
    addLabel(frame, "lblMargin", QStringLiteral("余裕率の検討"), 120, 195);
    opt_[9] = addOption(frame, "opt9", QStringLiteral("しない"), 1560, 150, 915, 270);
    opt_[10] = addOption(frame, "opt10", QStringLiteral("する"), 2520, 150, 735, 270);
    lbl4_ = addLabel(frame, "lbl4", QStringLiteral("余裕率"), 3480, 195);
    cob1_ = new QComboBox(frame);
    cob1_->setObjectName(QStringLiteral("cob1"));
    placeTwips(cob1_, 4200, 120, 1335, 315);
    groups_[4] = new QButtonGroup(this);
    groups_[4]->addButton(opt_[9]);
    groups_[4]->addButton(opt_[10]);
}

void Form1::buildTabOrder() {
    const QList<QWidget*> order = {cmd2_, cmd1_,   opt_[3], opt_[4], txt2_,   opt_[5],  opt_[6],
                                   txt1_, opt_[1], opt_[2], lst_s_,  opt_[9], opt_[10], cob1_};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    for (int group = 1; group <= 4; ++group) {
        tabIntoSelectedOption(groups_[group]);
        arrowsChooseAsAClick(groups_[group]);
    }
}

// ---------------------------------------------------------------- handlers

void Form1::connectHandlers() {
    connect(cmd1_, &QPushButton::clicked, this, &Form1::computePlannedFlow);
    connect(cmd2_, &QPushButton::clicked, this, &Form1::enterPlannedFlowDirectly);
    connect(txt3_, &EntryField::clicked, this, &Form1::plannedFlowClicked);
    // The field can hold the focus without a click (it is given back to the sheet
    // when another window closes): whatever the user types, pastes or deletes there
    // is a direct entry, so that a computed mode never stands beside a typed Q1.
    connect(txt3_, &QLineEdit::textEdited, this, [this] {
        if (!opt_[8]->isChecked() || !txt3_->hasFrame())
            plannedFlowClicked();
    });
    connect(txt2_, &EntryField::clicked, this, &Form1::invalidateResult);
    connect(txt1_, &EntryField::clicked, this, &Form1::invalidateResult);

    onSelected(opt_[1], this, [this] { closeResults(); });
    onSelected(opt_[2], this, [this] { closeResults(); });
    onSelected(opt_[3], this, [this] { groundwaterOff(); });
    onSelected(opt_[4], this, [this] { groundwaterOn(); });
    onSelected(opt_[5], this, [this] { allowanceOff(); });
    onSelected(opt_[6], this, [this] { allowanceOn(); });
    onSelected(opt_[9], this, [this] { marginOff(); });
    onSelected(opt_[10], this, [this] { marginOn(); });
    // Any character typed on a formula option invalidates the result as well.
    onCharacterKey(opt_[1], [this] { closeResults(); });
    onCharacterKey(opt_[2], [this] { closeResults(); });

    connect(lst_s_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            Sentaku();
    });
    connect(cob1_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            closeResults();
    });
    // Choosing the entry that is already shown is a choice too.
    connect(cob1_, &QComboBox::activated, this, [this] { closeResults(); });
}

void Form1::connectEnterChain() {
    connect(txt3_, &EntryField::enterPressed, this, [this] { focusOption(opt_[3]); });
    onEnterKey(opt_[3], [this] { focusOption(opt_[5]); });
    onEnterKey(opt_[4], [this] { focusOption(opt_[5]); });
    connect(txt2_, &EntryField::enterPressed, this, [this] { focusOption(opt_[5]); });
    onEnterKey(opt_[5], [this] { focusOption(opt_[1]); });
    onEnterKey(opt_[6], [this] { focusOption(opt_[1]); });
    connect(txt1_, &EntryField::enterPressed, this, [this] { focusOption(opt_[1]); });
    // Enter is a character key as well: it closes the results on its way.
    onEnterKey(opt_[1], [this] {
        closeResults();
        lst_s_->setFocus();
    });
    onEnterKey(opt_[2], [this] {
        closeResults();
        lst_s_->setFocus();
    });
    onEnterKey(lst_s_, [this] { facilityKindEnter(); });
}

void Form1::invalidateResult() {
    closeResults();
    windows_.host().setStatusMessage(mainSheetNotice());
}

void Form1::closeResults() {
    windows_.closeResults();
}

void Form1::showDirectEntry() {
    opt_[8]->setChecked(true);
    txt3_->setFrame(true);
}

bool Form1::plannedFlowHasBorder() const {
    return txt3_->hasFrame();
}

void Form1::computePlannedFlow() {
    opt_[7]->setChecked(true);
    Form3* dialog = windows_.form3();
    if (dialog->landUse() == LandUse::None)
        dialog->selectLandUse(LandUse::Residential);
    txt3_->clear();
    txt3_->setFrame(false);
    CalcSheet& sheet = windows_.host().calcSheet();
    sheet.plannedFlowBase = 0;

    if (dialog->exec() == QDialog::Accepted)
        txt3_->setText(fromUtf8(formatNumber(sheet.plannedFlowBase, "0.0000")));
    else
        windows_.discardForm3();
    invalidateResult();
}

void Form1::enterPlannedFlowDirectly() {
    windows_.discardForm3();
    invalidateResult();
    showDirectEntry();
    txt3_->setFocus(Qt::OtherFocusReason);
    txt3_->selectAll();
    CalcSheet& sheet = windows_.host().calcSheet();
    sheet.population = 0;
    sheet.sewagePerCapita = 0;
    sheet.drainageArea = 0;
    sheet.sewagePerHectare = 0;
}

void Form1::plannedFlowClicked() {
    showDirectEntry();
    invalidateResult();
}

void Form1::groundwaterOff() {
    closeResults();
    windows_.host().calcSheet().groundwaterRate = 0;
    txt2_->clear();
    txt2_->hide();
    lbl2_->hide();
}

void Form1::groundwaterOn() {
    closeResults();
    txt2_->show();
    lbl2_->show();
    txt2_->setFocus(Qt::OtherFocusReason);
    txt2_->selectAll();
}

void Form1::allowanceOff() {
    closeResults();
    windows_.host().calcSheet().flowAllowance = 0;
    txt1_->clear();
    txt1_->hide();
    lbl1_->hide();
}

void Form1::allowanceOn() {
    closeResults();
    txt1_->show();
    lbl1_->show();
    txt1_->setFocus(Qt::OtherFocusReason);
    txt1_->selectAll();
}

void Form1::marginOff() {
    closeResults();
    cob1_->setCurrentIndex(0);
    lbl4_->hide();
    cob1_->hide();
}

void Form1::marginOn() {
    closeResults();
    lbl4_->show();
    cob1_->show();
    cob1_->setFocus(Qt::OtherFocusReason);
}

void Form1::facilityKindEnter() {
    const FacilityKind kind = facilityKindFromIndex(lst_s_->currentRow());
    if (isStandardPipe(kind)) {
        if (Form2* window = windows_.form2())
            window->lst_pu()->setFocus(Qt::OtherFocusReason);
    } else if (kind == FacilityKind::OtherCircular) {
        if (Form5* window = windows_.form5())
            window->txt1()->setFocus(Qt::OtherFocusReason);
    } else if (kind == FacilityKind::Rectangular) {
        // Like the other circular pipe: on to the first dimension of the section.
        if (Form4* window = windows_.form4())
            window->txt1()->setFocus(Qt::OtherFocusReason);
    }
}

// ---------------------------------------------------------------- facility kind

void Form1::Sentaku() {
    const FacilityKind kind = facilityKindFromIndex(lst_s_->currentRow());
    if (kind == FacilityKind::None)
        return;

    if (isStandardPipe(kind)) {
        windows_.closeForm5();
        windows_.closeForm4();
        Form2* window = windows_.openForm2();
        const FacilityKindInfo& info = PipeCatalogue::kind(kind);
        window->setTitle(fromUtf8(info.title));
        window->setDepthCaption(QStringLiteral("有効水深 水量"));
        window->fillSizes(PipeCatalogue::sizes(kind));
        window->txt1()->clear();
        window->txt2()->setText(fromUtf8(info.defaultRoughness));
        Suisin_a();
    } else if (kind == FacilityKind::OtherCircular) {
        windows_.closeForm2();
        windows_.closeForm4();
        windows_.openForm5();
    } else {
        windows_.closeForm2();
        windows_.closeForm5();
        windows_.openForm4();
    }
    lst_s_->setFocus(Qt::OtherFocusReason);
}

void Form1::Suisin_a() {
    Form2* window = windows_.form2();
    if (!window)
        return;
    QComboBox* depthList = window->cbo1();
    depthList->clear();
    for (const std::string& text : DepthRatioTable::circularTexts())
        depthList->addItem(fromUtf8(text));
    depthList->setCurrentIndex(DepthRatioTable::circularDefaultPosition);
}

} // namespace tovarin
