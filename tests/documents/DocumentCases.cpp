#include "tests/documents/DocumentCases.h"

#include "sheets/Form1.h"
#include "sheets/Form11.h"
#include "sheets/Form2.h"
#include "sheets/Form3.h"
#include "sheets/Form4.h"
#include "sheets/Form5.h"
#include "sheets/SewageWindows.h"
#include "tests/documents/DocumentTestHost.h"
#include "tests/sheets/SheetTestKit.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace tovarin::testing {

namespace {

// The planned-sewage dialog through "計算する": a land use and its inputs, then "ＯＫ".
void plannedFlowThroughDialog(Form1* sheet, int landUse, const QStringList& inputs) {
    throughPlannedSewageDialog(sheet, [landUse, inputs](Form3* dialog) {
        dialog->opt(landUse)->click();
        EntryField* fields[] = {dialog->txt_p(), dialog->txt_q1(), dialog->txt_a(),
                                dialog->txt_q2()};
        for (int i = 0; i < 4; ++i)
            if (!inputs.value(i).isEmpty())
                typeInto(fields[i], inputs.value(i));
        dialog->cmd1()->click();
    });
}

void plannedFlowDirect(Form1* sheet, const QString& flow) {
    sheet->cmd2()->click();
    typeInto(sheet->txt3(), flow);
}

void groundwater(Form1* sheet, const QString& rate) {
    sheet->opt(4)->click();
    typeInto(sheet->txt2(), rate);
}

void allowance(Form1* sheet, const QString& percent) {
    sheet->opt(6)->click();
    typeInto(sheet->txt1(), percent);
}

void marginCheck(Form1* sheet, int position) {
    sheet->opt(10)->click();
    sheet->cob1()->setCurrentIndex(position);
}

void standardPipe(DocumentTestHost& window, int kind, int size, const QString& gradient,
                  int depth) {
    Form1* sheet = window.sewageWindows().form1();
    sheet->lst_s()->setCurrentRow(kind);
    Form2* pipe = window.sewageWindows().form2();
    pipe->lst_pu()->setCurrentRow(size);
    typeInto(pipe->txt1(), gradient);
    pipe->cbo1()->setCurrentIndex(depth);
}

QString onOff(bool on, const char* yes, const char* no) {
    return QString::fromLatin1(on ? yes : no);
}

QString place(const QWidget* child) {
    const QWidget* frame = qobject_cast<const QMdiSubWindow*>(child->parentWidget());
    const QPoint at = (frame ? frame : child)->pos();
    return QStringLiteral("%1,%2").arg(at.x()).arg(at.y());
}

class Description {
public:
    explicit Description(QStringList& lines) : lines_(lines) {}

    void add(const QString& form, const QString& name, const QString& value) {
        lines_.append(form + QLatin1Char('.') + name + QLatin1Char('=') + value);
    }
    void window(const QString& form, const QWidget* widget) {
        add(form, QStringLiteral("at"), place(widget));
    }
    void field(const QString& form, const char* name, const QLineEdit* field, const QWidget* top) {
        add(form, QLatin1String(name),
            QLatin1Char('"') + field->text() + QLatin1Char('"') +
                onOff(field->isVisibleTo(top), "", " hidden") +
                onOff(field->isEnabled(), "", " disabled"));
    }
    void option(const QString& form, const char* name, const QAbstractButton* option) {
        add(form, QLatin1String(name), onOff(option->isChecked(), "checked", "unchecked"));
    }
    void list(const QString& form, const char* name, const QListWidget* list) {
        add(form, QLatin1String(name),
            QStringLiteral("%1 of %2").arg(list->currentRow()).arg(list->count()));
    }
    void list(const QString& form, const char* name, const QComboBox* list, const QWidget* top) {
        add(form, QLatin1String(name),
            QStringLiteral("%1 of %2 \"%3\"")
                    .arg(list->currentIndex())
                    .arg(list->count())
                    .arg(list->currentText()) +
                onOff(list->isVisibleTo(top), "", " hidden"));
    }
    void label(const QString& form, const char* name, const QLabel* label, const QWidget* top) {
        add(form, QLatin1String(name),
            QLatin1Char('"') + label->text() + QLatin1Char('"') +
                onOff(label->isVisibleTo(top), "", " hidden") + QLatin1Char(' ') +
                label->palette().color(QPalette::WindowText).name());
    }

private:
    QStringList& lines_;
};

void describeMainSheet(Description& d, const Form1* sheet) {
    const QString f = QStringLiteral("Form1");
    d.window(f, sheet);
    d.add(f, "caption", sheet->windowTitle());
    d.list(f, "lst_s", sheet->lst_s());
    const char* options[] = {"opt1", "opt2", "opt3", "opt4", "opt5",
                             "opt6", "opt7", "opt8", "opt9", "opt10"};
    for (int number = 1; number <= 10; ++number)
        d.option(f, options[number - 1], sheet->opt(number));
    d.field(f, "txt1", sheet->txt1(), sheet);
    d.field(f, "txt2", sheet->txt2(), sheet);
    d.field(f, "txt3", sheet->txt3(), sheet);
    d.add(f, "txt3 border", onOff(sheet->plannedFlowHasBorder(), "single", "none"));
    d.label(f, "lbl1", sheet->lbl1(), sheet);
    d.label(f, "lbl2", sheet->lbl2(), sheet);
    d.label(f, "lbl4", sheet->lbl4(), sheet);
    d.list(f, "cob1", sheet->cob1(), sheet);
}

void describePlannedSewage(Description& d, const Form3* dialog) {
    const QString f = QStringLiteral("Form3");
    d.add(f, "shown", onOff(dialog->isVisible(), "yes", "no"));
    d.option(f, "opt1", dialog->opt(1));
    d.option(f, "opt2", dialog->opt(2));
    d.option(f, "opt3", dialog->opt(3));
    d.field(f, "txt_p", dialog->txt_p(), dialog);
    d.field(f, "txt_q1", dialog->txt_q1(), dialog);
    d.field(f, "txt_a", dialog->txt_a(), dialog);
    d.field(f, "txt_q2", dialog->txt_q2(), dialog);
}

void describeFacility(Description& d, const SewageWindows& windows) {
    if (const Form2* pipe = windows.form2()) {
        const QString f = QStringLiteral("Form2");
        d.window(f, pipe);
        d.label(f, "Label1", pipe->Label1(), pipe);
        d.label(f, "Label6", pipe->Label6(), pipe);
        d.list(f, "lst_pu", pipe->lst_pu());
        d.field(f, "txt1", pipe->txt1(), pipe);
        d.field(f, "txt2", pipe->txt2(), pipe);
        d.list(f, "cbo1", pipe->cbo1(), pipe);
    }
    if (const Form5* circle = windows.form5()) {
        const QString f = QStringLiteral("Form5");
        d.window(f, circle);
        d.field(f, "txt_m", circle->txt_m(), circle);
        d.field(f, "txt1", circle->txt1(), circle);
        d.field(f, "txt2", circle->txt2(), circle);
        d.field(f, "txt3", circle->txt3(), circle);
        d.list(f, "cbo1", circle->cbo1(), circle);
    }
    if (const Form4* channel = windows.form4()) {
        const QString f = QStringLiteral("Form4");
        d.window(f, channel);
        d.field(f, "txt_m", channel->txt_m(), channel);
        d.field(f, "txt1", channel->txt1(), channel);
        d.field(f, "txt2", channel->txt2(), channel);
        d.field(f, "txt3", channel->txt3(), channel);
        d.field(f, "txt4", channel->txt4(), channel);
        d.list(f, "cbo1", channel->cbo1(), channel);
    }
}

void describeResults(Description& d, const Form11* panel) {
    const QString f = QStringLiteral("Form11");
    d.window(f, panel);
    for (int number = 1; number <= 22; ++number) {
        const QByteArray name = "lbl" + QByteArray::number(number);
        d.label(f, name.constData(), panel->lbl(number), panel);
    }
}

} // namespace

QString caseName(DocumentCase which) {
    switch (which) {
    case DocumentCase::ResidentialVp:
        return QStringLiteral("residential VP");
    case DocumentCase::NonResidential1VuKutter:
        return QStringLiteral("non-residential (1) VU Kutter");
    case DocumentCase::DirectFrpmMargin:
        return QStringLiteral("direct FRPM with margin");
    case DocumentCase::NonResidential2Hume:
        return QStringLiteral("non-residential (2) Hume");
    case DocumentCase::DirectOtherCircular:
        return QStringLiteral("direct other circular");
    case DocumentCase::NonResidential2Rectangular:
        return QStringLiteral("non-residential rectangular");
    }
    return {};
}

int caseKind(DocumentCase which) {
    switch (which) {
    case DocumentCase::ResidentialVp:
        return 0;
    case DocumentCase::NonResidential1VuKutter:
        return 1;
    case DocumentCase::DirectFrpmMargin:
        return 2;
    case DocumentCase::NonResidential2Hume:
        return 3;
    case DocumentCase::DirectOtherCircular:
        return 4;
    case DocumentCase::NonResidential2Rectangular:
        return 5;
    }
    return -1;
}

void typeInto(QLineEdit* field, const QString& text) {
    QTest::mouseClick(field, Qt::LeftButton);
    field->selectAll();
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
        QTest::keyClicks(field, text);
        return;
    }
    // Japanese text arrives as the input method's committed string.
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(field, &commit);
}

void enterCase(DocumentTestHost& window, DocumentCase which) {
    window.newDocument();
    SewageWindows& windows = window.sewageWindows();
    Form1* sheet = windows.form1();
    switch (which) {
    case DocumentCase::ResidentialVp:
        plannedFlowThroughDialog(sheet, 1, {QStringLiteral("1000"), QStringLiteral("350")});
        standardPipe(window, 0, 2, QStringLiteral("10"), 0);
        windows.form2()->cmd1()->click();
        break;
    case DocumentCase::NonResidential1VuKutter:
        sheet->opt(2)->click();
        allowance(sheet, QStringLiteral("10"));
        plannedFlowThroughDialog(sheet, 2,
                                 {QStringLiteral("200"), QStringLiteral("300"),
                                  QStringLiteral("10000"), QStringLiteral("0.001")});
        standardPipe(window, 1, 5, QStringLiteral("8"), 3);
        windows.form2()->cmd1()->click();
        break;
    case DocumentCase::DirectFrpmMargin:
        plannedFlowDirect(sheet, QStringLiteral("0.0800"));
        marginCheck(sheet, 7);
        standardPipe(window, 2, 2, QStringLiteral("4.5"), 10);
        windows.form2()->cmd1()->click();
        break;
    case DocumentCase::NonResidential2Hume:
        groundwater(sheet, QStringLiteral("20"));
        plannedFlowThroughDialog(
            sheet, 3, {QString(), QString(), QStringLiteral("5000"), QStringLiteral("0.0012")});
        standardPipe(window, 3, 1, QStringLiteral("12"), 5);
        windows.form2()->cmd1()->click();
        break;
    case DocumentCase::DirectOtherCircular: {
        sheet->lst_s()->setCurrentRow(4);
        sheet->opt(2)->click();
        plannedFlowDirect(sheet, QStringLiteral("0.0150"));
        groundwater(sheet, QStringLiteral("15"));
        allowance(sheet, QStringLiteral("20"));
        Form5* circle = windows.form5();
        typeInto(circle->txt_m(), QStringLiteral("硬質塩化ビニル管　φ２５０"));
        typeInto(circle->txt1(), QStringLiteral("0.25"));
        typeInto(circle->txt2(), QStringLiteral("5"));
        typeInto(circle->txt3(), QStringLiteral("0.013"));
        circle->cbo1()->setCurrentIndex(7);
        circle->cmd1()->click();
        break;
    }
    case DocumentCase::NonResidential2Rectangular: {
        sheet->lst_s()->setCurrentRow(5);
        plannedFlowThroughDialog(
            sheet, 3, {QString(), QString(), QStringLiteral("5000"), QStringLiteral("0.0012")});
        marginCheck(sheet, 5);
        Form4* channel = windows.form4();
        typeInto(channel->txt_m(), QStringLiteral("コンクリート水路"));
        typeInto(channel->txt1(), QStringLiteral("1.0"));
        typeInto(channel->txt2(), QStringLiteral("0.5"));
        typeInto(channel->txt3(), QStringLiteral("2"));
        typeInto(channel->txt4(), QStringLiteral("0.015"));
        channel->cmd1()->click();
        break;
    }
    }
}

QStringList describeWindows(DocumentTestHost& window) {
    QStringList lines;
    Description d(lines);
    SewageWindows& windows = window.sewageWindows();
    if (const Form1* sheet = windows.form1())
        describeMainSheet(d, sheet);
    if (const Form3* dialog = windows.existingForm3())
        describePlannedSewage(d, dialog);
    describeFacility(d, windows);
    if (const Form11* panel = windows.form11())
        describeResults(d, panel);
    return lines;
}

} // namespace tovarin::testing
