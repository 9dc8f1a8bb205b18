#include "documents/DocumentWindows.h"

#include "engine/Calculation.h"
#include "engine/ResultTexts.h"
#include "platform/qt/Twips.h"
#include "sheets/Controls.h"
#include "sheets/FacilityWindow.h"
#include "sheets/Form1.h"
#include "sheets/Form11.h"
#include "sheets/Form2.h"
#include "sheets/Form3.h"
#include "sheets/Form4.h"
#include "sheets/Form5.h"
#include "sheets/SewageWindows.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QRadioButton>

namespace tovarin {

namespace {

std::string textOf(const QLineEdit* field) {
    return field->text().toStdString();
}

QString qtext(const std::string& text) {
    return QString::fromStdString(text);
}

// ---------------------------------------------------------------- writing

MainSheetValues mainSheetValues(const Form1& sheet) {
    MainSheetValues v;
    v.lst_s = sheet.lst_s()->currentRow();
    DocumentFlag* flags[] = {&v.opt1, &v.opt2, &v.opt3, &v.opt4, &v.opt5,
                             &v.opt6, &v.opt7, &v.opt8, &v.opt9, &v.opt10};
    for (int number = 1; number <= 10; ++number)
        *flags[number - 1] = sheet.opt(number)->isChecked();
    v.txt1 = textOf(sheet.txt1());
    v.txt2 = textOf(sheet.txt2());
    v.txt3 = textOf(sheet.txt3());
    v.cob1 = sheet.cob1()->currentIndex();
    return v;
}

PlannedSewageValues plannedSewageValues(const Form3& dialog) {
    PlannedSewageValues v;
    v.opt1 = dialog.opt(1)->isChecked();
    v.opt2 = dialog.opt(2)->isChecked();
    v.opt3 = dialog.opt(3)->isChecked();
    v.txt_p = textOf(dialog.txt_p());
    v.txt_q1 = textOf(dialog.txt_q1());
    v.txt_a = textOf(dialog.txt_a());
    v.txt_q2 = textOf(dialog.txt_q2());
    return v;
}

StandardPipeValues standardPipeValues(const Form2& window) {
    StandardPipeValues v;
    v.lst_pu = window.lst_pu()->currentRow();
    v.txt1 = textOf(window.txt1());
    v.txt2 = textOf(window.txt2());
    v.cbo1 = window.cbo1()->currentIndex();
    return v;
}

OtherCircularValues otherCircularValues(const Form5& window) {
    OtherCircularValues v;
    v.txt_m = textOf(window.txt_m());
    v.txt1 = textOf(window.txt1());
    v.txt2 = textOf(window.txt2());
    v.txt3 = textOf(window.txt3());
    v.cbo1 = window.cbo1()->currentIndex();
    return v;
}

RectangularValues rectangularValues(const Form4& window) {
    RectangularValues v;
    v.txt_m = textOf(window.txt_m());
    v.txt1 = textOf(window.txt1());
    v.txt2 = textOf(window.txt2());
    v.txt3 = textOf(window.txt3());
    v.txt4 = textOf(window.txt4());
    v.cbo1 = window.cbo1()->currentIndex();
    return v;
}

// The block the facility kind calls for, from its window. The kind's window is open
// whenever the kind is chosen; should it not be, its block is written empty.
FacilityValues facilityValues(const SewageWindows& windows, int kind) {
    switch (facilityBlockFor(kind)) {
    case FacilityBlock::StandardPipe:
        if (const Form2* window = windows.form2())
            return standardPipeValues(*window);
        break;
    case FacilityBlock::OtherCircular:
        if (const Form5* window = windows.form5())
            return otherCircularValues(*window);
        break;
    case FacilityBlock::Rectangular:
        if (const Form4* window = windows.form4())
            return rectangularValues(*window);
        break;
    case FacilityBlock::None:
        break;
    }
    return facilityValuesFor(kind);
}

ResultCaptions resultCaptions(const SewageWindows& windows) {
    // Without a panel, the captions a panel holds before it is filled.
    const QStringList texts = windows.form11() ? windows.form11()->captions() : Form11().captions();
    ResultCaptions c;
    std::string* fields[] = {&c.lbl3, &c.lbl6, &c.lbl9, &c.lbl12, &c.lbl21};
    for (qsizetype i = 0; i < texts.size() && i < 5; ++i)
        *fields[i] = texts[i].toStdString();
    return c;
}

// ---------------------------------------------------------------- reading

// "True" selects the option as a click does: its partner is deselected and its
// handler runs, even when it was selected already. "False" deselects it without a
// handler. A value that did not convert leaves the option as it was.
void applyFlag(QAbstractButton* option, const DocumentFlag& flag) {
    if (!flag)
        return;
    if (!*flag) {
        setCheckedSilently(option, false);
        return;
    }
    if (option->isChecked())
        setCheckedSilently(option, false);
    option->setChecked(true);
}

// A stored position selects that entry, which runs the list's selection handler.
// A position outside the list (or one that did not convert) leaves the list as it
// was; only the facility-kind list takes -1, its "nothing selected".
bool positionFits(const DocumentIndex& index, int count, bool noneAllowed) {
    if (!index)
        return false;
    if (*index == -1)
        return noneAllowed;
    return *index >= 0 && *index < count;
}

void applyIndex(QListWidget* list, const DocumentIndex& index, bool noneAllowed = false) {
    if (positionFits(index, list->count(), noneAllowed))
        list->setCurrentRow(*index);
}

void applyIndex(QComboBox* list, const DocumentIndex& index) {
    if (positionFits(index, list->count(), false))
        list->setCurrentIndex(*index);
}

void applyText(QLineEdit* field, const std::string& text) {
    field->setText(qtext(text));
}

// A name longer than its field is shown from its start, not from its end.
void applyName(QLineEdit* field, const std::string& text) {
    applyText(field, text);
    field->setCursorPosition(0);
}

void applyMainSheet(Form1& sheet, const MainSheetValues& v) {
    applyIndex(sheet.lst_s(), v.lst_s, true);
    const DocumentFlag* flags[] = {&v.opt1, &v.opt2, &v.opt3, &v.opt4, &v.opt5,
                                   &v.opt6, &v.opt7, &v.opt8, &v.opt9, &v.opt10};
    for (int number = 1; number <= 10; ++number)
        applyFlag(sheet.opt(number), *flags[number - 1]);
    // The direct-entry indicator has no handler of its own; a document in direct
    // entry shows its planned-flow box with the border as the entry left it.
    if (sheet.opt(8)->isChecked())
        sheet.showDirectEntry();
    applyText(sheet.txt1(), v.txt1);
    applyText(sheet.txt2(), v.txt2);
    applyText(sheet.txt3(), v.txt3);
    applyIndex(sheet.cob1(), v.cob1);
}

// The land-use options first (a chosen one empties the four fields), then the texts.
void applyPlannedSewage(Form3& dialog, const PlannedSewageValues& v) {
    applyFlag(dialog.opt(1), v.opt1);
    applyFlag(dialog.opt(2), v.opt2);
    applyFlag(dialog.opt(3), v.opt3);
    applyText(dialog.txt_p(), v.txt_p);
    applyText(dialog.txt_q1(), v.txt_q1);
    applyText(dialog.txt_a(), v.txt_a);
    applyText(dialog.txt_q2(), v.txt_q2);
}

void applyStandardPipe(Form2& window, const StandardPipeValues& v) {
    applyIndex(window.lst_pu(), v.lst_pu);
    applyText(window.txt1(), v.txt1);
    applyText(window.txt2(), v.txt2);
    applyIndex(window.cbo1(), v.cbo1);
}

void applyOtherCircular(Form5& window, const OtherCircularValues& v) {
    applyName(window.txt_m(), v.txt_m);
    applyText(window.txt1(), v.txt1);
    applyText(window.txt2(), v.txt2);
    applyText(window.txt3(), v.txt3);
    applyIndex(window.cbo1(), v.cbo1);
}

void applyRectangular(Form4& window, const RectangularValues& v) {
    applyName(window.txt_m(), v.txt_m);
    applyText(window.txt1(), v.txt1);
    applyText(window.txt2(), v.txt2);
    applyText(window.txt3(), v.txt3);
    applyText(window.txt4(), v.txt4);
    applyIndex(window.cbo1(), v.cbo1);
}

// Applies the stored block to the window that the facility kind, as it now stands
// on the main sheet, has opened. Returns that window; null when no kind is chosen.
FacilityWindow* applyFacility(SewageWindows& windows, int kind, const FacilityValues& facility) {
    switch (facilityBlockFor(kind)) {
    case FacilityBlock::StandardPipe: {
        Form2* window = windows.form2();
        const auto* values = std::get_if<StandardPipeValues>(&facility);
        if (window && values)
            applyStandardPipe(*window, *values);
        return window;
    }
    case FacilityBlock::OtherCircular: {
        Form5* window = windows.form5();
        const auto* values = std::get_if<OtherCircularValues>(&facility);
        if (window && values)
            applyOtherCircular(*window, *values);
        return window;
    }
    case FacilityBlock::Rectangular: {
        Form4* window = windows.form4();
        const auto* values = std::get_if<RectangularValues>(&facility);
        if (window && values)
            applyRectangular(*window, *values);
        return window;
    }
    case FacilityBlock::None:
        break;
    }
    return nullptr;
}

// Moves a child window of the main window to a place in twips.
void placeChildWindow(QWidget* child, int left, int top) {
    if (!child)
        return;
    QWidget* frame = qobject_cast<QMdiSubWindow*>(child->parentWidget());
    (frame ? frame : child)->move(twipsPoint(left, top));
}

void showChildWindow(const SheetHost& host, QWidget* child) {
    if (host.onScreen() == OnScreen::Never)
        return;
    if (auto* frame = qobject_cast<QMdiSubWindow*>(child->parentWidget()))
        frame->show();
    child->show();
}

QStringList captionTexts(const ResultCaptions& c) {
    return {qtext(c.lbl3), qtext(c.lbl6), qtext(c.lbl9), qtext(c.lbl12), qtext(c.lbl21)};
}

} // namespace

std::optional<DocumentRecord> recordFromWindows(SewageWindows& windows) {
    const Form1* sheet = windows.form1();
    if (!sheet)
        return std::nullopt;
    DocumentRecord record;
    record.form1 = mainSheetValues(*sheet);
    record.form3 = plannedSewageValues(*windows.form3());
    record.facility = facilityValues(windows, record.form1.lst_s.value_or(-1));
    record.form11 = resultCaptions(windows);
    return record;
}

RestoreOutcome restoreWindows(SewageWindows& windows, const DocumentRecord& record) {
    SheetHost& host = windows.host();

    Form1* sheet = windows.createForm1();
    applyMainSheet(*sheet, record.form1);
    if (sheet->opt(9)->isChecked()) {
        sheet->lbl4()->hide();
        sheet->cob1()->hide();
    }
    placeChildWindow(sheet, 0, 0);

    // The dialog stays hidden; it shows the restored values when next opened.
    Form3* dialog = windows.form3();
    applyPlannedSewage(*dialog, record.form3);
    dialog->Keisan();

    const int kind = sheet->lst_s()->currentRow();
    if (FacilityWindow* facility = applyFacility(windows, kind, record.facility)) {
        placeChildWindow(facility, FacilityWindow::leftTwips, FacilityWindow::topTwips);
        windows.Zairyou_1();
        windows.Zairyou_2();
    }

    // The checks of the "計算" button, on a copy: the document itself is computed
    // by the results panel below, as on any reading.
    CalcSheet probe = host.calcSheet();
    const ComputeOutcome checked = computeRequest(probe, windows.computeInput());
    RestoreOutcome outcome;
    if (!checked.ok()) {
        outcome.refusal = QString::fromStdString(checked.failure->message);
        showInputError(host.platform(), host.dialogParent(), outcome.refusal);
        return outcome;
    }

    Form11* panel = windows.createResults();
    if (!panel)
        return outcome;
    panel->setCaptions(captionTexts(record.form11));
    placeChildWindow(panel, Form11::leftTwips, Form11::topTwips);
    showChildWindow(host, panel);
    outcome.resultShown = true;
    return outcome;
}

namespace {

// A value of the results panel as shown; empty when the panel hides the line.
std::string panelText(const Form11& panel, int number) {
    const QLabel* label = panel.lbl(number);
    if (!label->isVisibleTo(&panel))
        return {};
    return label->text().toStdString();
}

} // namespace

bool storedResultsAreFresh(const Form11& panel, const ResultTexts& fresh) {
    return panelText(panel, 3) == fresh.allowedFlow && panelText(panel, 6) == fresh.capacity &&
           panelText(panel, 9) == fresh.velocity &&
           panelText(panel, 12) == fresh.maxPopulation.value_or("") &&
           panelText(panel, 21) == fresh.marginRatio.value_or("");
}

} // namespace tovarin
