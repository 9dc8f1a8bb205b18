#include "sheets/SewageWindows.h"

#include "sheets/Controls.h"
#include "sheets/FacilityWindow.h"
#include "sheets/Form1.h"
#include "sheets/Form11.h"
#include "sheets/Form2.h"
#include "sheets/Form3.h"
#include "sheets/Form4.h"
#include "sheets/Form5.h"
#include "sheets/WindowPlaces.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

namespace tovarin {

namespace {

OnOff onOffOf(const QRadioButton* off, const QRadioButton* on) {
    if (on->isChecked())
        return OnOff::On;
    if (off->isChecked())
        return OnOff::Off;
    return OnOff::None;
}

void gatherMainSheet(const Form1& sheet, ComputeInput& in) {
    in.plannedFlowText = sheet.txt3()->text().toStdString();
    in.groundwaterText = sheet.txt2()->text().toStdString();
    in.allowanceText = sheet.txt1()->text().toStdString();
    in.groundwaterOn = onOffOf(sheet.opt(3), sheet.opt(4));
    in.allowanceOn = onOffOf(sheet.opt(5), sheet.opt(6));
    if (sheet.opt(1)->isChecked())
        in.velocityFormula = VelocityFormula::Manning;
    else if (sheet.opt(2)->isChecked())
        in.velocityFormula = VelocityFormula::Kutter;
    in.facilityKindIndex = sheet.lst_s()->currentRow();
    if (sheet.opt(7)->isChecked())
        in.flowEntryMode = FlowEntryMode::Computed;
    else if (sheet.opt(8)->isChecked())
        in.flowEntryMode = FlowEntryMode::Direct;
    if (sheet.opt(9)->isChecked())
        in.marginCheck = MarginCheck::Off;
    else if (sheet.opt(10)->isChecked())
        in.marginCheck = MarginCheck::On;
    in.marginListPosition = sheet.cob1()->currentIndex();
}

} // namespace

SewageWindows::SewageWindows(SheetHost& host, QObject* parent) : QObject(parent), host_(host) {}

SewageWindows::~SewageWindows() {
    // The windows call back into this object: they go first, without notifications.
    if (form11_)
        disconnect(form11_, nullptr, this, nullptr);
    destroyChildWindow(form11_);
    destroyChildWindow(form2_);
    destroyChildWindow(form4_);
    destroyChildWindow(form5_);
    destroyChildWindow(form1_);
    delete form3_;
}

// ---------------------------------------------------------------- document windows

void SewageWindows::newDocument() {
    startDocument();
    Form1* sheet = createForm1();
    sheet->opt(1)->setChecked(true);
    sheet->opt(3)->setChecked(true);
    sheet->opt(5)->setChecked(true);
    sheet->opt(7)->setChecked(true);
    sheet->txt1()->hide();
    sheet->txt2()->hide();
    sheet->lbl1()->hide();
    sheet->lbl2()->hide();
    sheet->lbl4()->hide();
    sheet->cob1()->hide();
    sheet->lst_s()->setCurrentRow(0);
    sheet->cmd1()->setFocus(Qt::OtherFocusReason);
}

Form1* SewageWindows::createForm1() {
    destroyChildWindow(form1_);
    auto* sheet = new Form1(*this);
    constexpr WindowPlace place = windowPlaces::inputSheet;
    addChild(sheet, place.left, place.top, place.width, place.height);
    form1_ = sheet;
    return sheet;
}

void SewageWindows::tojiru() {
    destroyChildWindow(form1_);
    destroyChildWindow(form2_);
    destroyChildWindow(form4_);
    destroyChildWindow(form5_);
    closeResults();
}

void SewageWindows::startDocument() {
    tojiru();
    host_.calcSheet() = CalcSheet{};
}

Form1* SewageWindows::form1() const {
    return form1_;
}
Form2* SewageWindows::form2() const {
    return form2_;
}
Form4* SewageWindows::form4() const {
    return form4_;
}
Form5* SewageWindows::form5() const {
    return form5_;
}
Form11* SewageWindows::form11() const {
    return form11_;
}
Form3* SewageWindows::existingForm3() const {
    return form3_;
}

FacilityWindow* SewageWindows::facilityWindow() const {
    if (form2_)
        return form2_;
    if (form5_)
        return form5_;
    if (form4_)
        return form4_;
    return nullptr;
}

Form3* SewageWindows::form3() {
    if (!form3_)
        form3_ = new Form3(host_, host_.dialogParent());
    return form3_;
}

void SewageWindows::discardForm3() {
    Form3* dialog = form3_;
    form3_ = nullptr;
    delete dialog;
}

void SewageWindows::addChild(QWidget* window, int left, int top, int width, int height) {
    if (host_.onScreen() == OnScreen::Never)
        keepUnseenChildWindow(host_.mdiArea(), window, left, top, width, height);
    else
        addChildWindow(host_.mdiArea(), window, left, top, width, height);
}

template <typename Window> Window* SewageWindows::openFacility(QPointer<Window>& slot) {
    if (!slot) {
        auto* window = new Window(*this);
        constexpr WindowPlace beside = windowPlaces::facilityWindow;
        addChild(window, beside.left, beside.top, beside.width, beside.height);
        slot = window;
    }
    return slot;
}

Form2* SewageWindows::openForm2() {
    return openFacility(form2_);
}
Form4* SewageWindows::openForm4() {
    return openFacility(form4_);
}
Form5* SewageWindows::openForm5() {
    return openFacility(form5_);
}
void SewageWindows::closeForm2() {
    destroyChildWindow(form2_);
}
void SewageWindows::closeForm4() {
    destroyChildWindow(form4_);
}
void SewageWindows::closeForm5() {
    destroyChildWindow(form5_);
}

// ---------------------------------------------------------------- results

bool SewageWindows::hasResult() const {
    return host_.calcSheet().hasResult();
}

void SewageWindows::closeResults() {
    if (form11_) {
        // The panel's end clears the result (resultsPanelGone).
        destroyChildWindow(form11_);
        return;
    }
    if (host_.calcSheet().hasResult())
        resultsPanelGone();
}

void SewageWindows::resultsPanelGone() {
    host_.calcSheet().clearResult();
    host_.resultChanged();
}

Form11* SewageWindows::presentResults(const Assessment& assessment) {
    Platform& platform = host_.platform();
    for (int i = 0; i < assessment.beeps; ++i)
        platform.beep();
    if (!assessment.verdictMessage.empty())
        host_.setStatusMessage(QString::fromStdString(assessment.verdictMessage));

    CalcSheet& sheet = host_.calcSheet();
    // A capacity that is not a finite number is no result either.
    if (!std::isfinite(sheet.capacity))
        sheet.clearResult();
    Form11* panel = nullptr;
    if (sheet.hasResult()) {
        // The panel is shown beside the inputs: the focus stays where it was.
        QPointer<QWidget> focus = QApplication::focusWidget();
        panel = new Form11;
        panel->fill(sheet, assessment);
        connect(panel, &QObject::destroyed, this, &SewageWindows::resultsPanelGone);
        connect(panel, &Form11::designAidsRequested, this, [this] { host_.openDesignAids(); });
        constexpr WindowPlace below = windowPlaces::resultsPanel;
        addChild(panel, below.left, below.top, below.width, below.height);
        form11_ = panel;
        if (focus && QApplication::focusWidget() != focus)
            focus->setFocus(Qt::OtherFocusReason);
    }
    host_.resultChanged();
    return panel;
}

// ---------------------------------------------------------------- compute request

ComputeInput SewageWindows::computeInput() const {
    ComputeInput in;
    if (form1_)
        gatherMainSheet(*form1_, in);
    if (form3_)
        in.landUse = form3_->landUse();
    if (FacilityWindow* window = facilityWindow()) {
        in.variant = window->variant();
        window->Zairyou_1(in);
    }
    return in;
}

void SewageWindows::computeRequest(ComputeVariant variant) {
    FacilityWindow* window = facilityWindow();
    if (!form1_ || !window || window->variant() != variant)
        return;
    // The old panel goes before anything is gathered: its closing clears the result,
    // and a refused request must not leave it beside inputs it no longer matches.
    closeResults();
    const ComputeOutcome outcome = tovarin::computeRequest(host_.calcSheet(), computeInput());
    if (!outcome.ok()) {
        showInputError(host_.platform(), host_.dialogParent(),
                       QString::fromStdString(outcome.failure->message));
        applyFocus(*outcome.failure);
        return;
    }
    presentResults(outcome.assessment);
}

void SewageWindows::applyFocus(const ComputeFailure& failure) {
    if (!form1_)
        return;
    if (failure.switchToDirectEntry)
        form1_->showDirectEntry();

    QWidget* target = nullptr;
    switch (failure.focus) {
    case FocusTarget::PlannedFlowField:
        target = form1_->txt3();
        break;
    case FocusTarget::GroundwaterField:
        target = form1_->txt2();
        break;
    case FocusTarget::AllowanceField:
        target = form1_->txt1();
        break;
    case FocusTarget::FacilityKindList:
        target = form1_->lst_s();
        break;
    case FocusTarget::PlannedFlowButton:
        target = form1_->cmd1();
        break;
    case FocusTarget::ManningOption:
        // The option takes the focus and thereby becomes selected.
        focusOption(form1_->opt(1));
        return;
    default:
        if (FacilityWindow* window = facilityWindow())
            target = window->focusTarget(failure.focus);
        break;
    }
    if (!target)
        return;
    // A refused field gets its whole text selected, whatever the check: with the
    // caret at its start, the digits typed next would join the refused value.
    focusWholeText(target);
}

// ---------------------------------------------------------------- document reader

void SewageWindows::Zairyou_1() {
    gather(host_.calcSheet(), computeInput());
}

void SewageWindows::Zairyou_2() {
    if (FacilityWindow* window = facilityWindow())
        window->Zairyou_2(host_.calcSheet());
}

Form11* SewageWindows::createResults() {
    closeResults();
    // Without a facility there is no section to compute a capacity from.
    if (!facilityWindow())
        return nullptr;
    CalcSheet& sheet = host_.calcSheet();
    computeCapacity(sheet);
    const int marginPosition = form1_ ? form1_->cob1()->currentIndex() : 0;
    return presentResults(assess(sheet, marginPosition));
}

} // namespace tovarin
