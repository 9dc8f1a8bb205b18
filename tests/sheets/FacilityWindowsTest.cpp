// The facility windows: their Enter chains and the compute request's refusals, each
// with its message and the control that receives the focus.

#include "sheets/Controls.h"
#include "sheets/EntryField.h"
#include "sheets/Form1.h"
#include "sheets/Form2.h"
#include "sheets/Form4.h"
#include "sheets/Form5.h"
#include "tests/sheets/SheetTestKit.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

// Runs the window's "計算" and checks the one message and the focus it leaves.
void expectRefusal(NewDocument& doc, const QString& message, QWidget* focus) {
    ScriptedPlatform& platform = doc.host.scripted;
    const qsizetype before = platform.messages.size();
    doc.windows->facilityWindow()->cmd1()->click();
    QCOMPARE(platform.messages.size(), before + 1);
    QCOMPARE(platform.lastMessageText(), message);
    QCOMPARE(platform.messages.last().title, QStringLiteral("エラーメッセージ"));
    QCOMPARE(QApplication::focusWidget(), focus);
    QVERIFY(!doc.windows->form11());
    QVERIFY(!doc.windows->hasResult());
}

// A refused field has its whole text selected, so that typing replaces the value.
void expectWholeTextSelected(EntryField* field) {
    QCOMPARE(field->selectedText(), field->text());
}

void enterDirectPlannedFlow(NewDocument& doc, const QString& text) {
    doc.windows->form1()->cmd2()->click();
    doc.windows->form1()->txt3()->setText(text);
}

} // namespace

class FacilityWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerFontSubstitutions(); }

    // ------------------------------------------------------------ Enter chains

    void standardPipeEnterChain() {
        NewDocument doc;
        Form2* pipe = doc.windows->form2();
        pipe->txt1()->setText(QStringLiteral("10"));
        pipe->lst_pu()->setFocus();
        QTest::keyClick(pipe->lst_pu(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), pipe->txt1());
        QCOMPARE(pipe->txt1()->selectedText(), QStringLiteral("10"));
        QTest::keyClick(pipe->txt1(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), pipe->txt2());
        QCOMPARE(pipe->txt2()->selectedText(), QStringLiteral("0.010"));
        QTest::keyClick(pipe->txt2(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), pipe->cbo1());
        QTest::keyClick(pipe->cbo1(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), pipe->cmd1());
        QCOMPARE(pipe->lst_pu()->currentRow(), 0); // Enter chose nothing on the way
        QCOMPARE(pipe->cbo1()->currentIndex(), 5);
    }

    void otherCircularEnterChain() {
        NewDocument doc;
        doc.windows->form1()->lst_s()->setCurrentRow(4);
        Form5* circular = doc.windows->form5();
        const QList<QWidget*> chain = {circular->txt_m(), circular->txt1(), circular->txt2(),
                                       circular->txt3(),  circular->cbo1(), circular->cmd1()};
        chain.first()->setFocus();
        for (qsizetype i = 1; i < chain.size(); ++i) {
            QTest::keyClick(chain[i - 1], Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), chain[i]);
        }
    }

    void rectangularEnterChain() {
        NewDocument doc;
        doc.windows->form1()->lst_s()->setCurrentRow(5);
        Form4* channel = doc.windows->form4();
        const QList<QWidget*> chain = {channel->txt_m(), channel->txt1(), channel->txt2(),
                                       channel->txt3(),  channel->txt4(), channel->cbo1(),
                                       channel->cmd1()};
        channel->txt2()->setText(QStringLiteral("0.5"));
        chain.first()->setFocus();
        for (qsizetype i = 1; i < chain.size(); ++i) {
            QTest::keyClick(chain[i - 1], Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), chain[i]);
            if (chain[i] == channel->txt2())
                QCOMPARE(channel->txt2()->selectedText(), QStringLiteral("0.5"));
        }
    }

    void enterOnTheComputeButtonPressesIt() {
        NewDocument doc;
        Form2* pipe = doc.windows->form2();
        pipe->cmd1()->setFocus();
        QTest::keyClick(pipe->cmd1(), Qt::Key_Return);
        QCOMPARE(doc.host.scripted.lastMessageText(),
                 QStringLiteral("計画汚水量を計算又は入力してください。"));
    }

    void materialFieldsTakeJapaneseInput() {
        NewDocument doc;
        doc.windows->form1()->lst_s()->setCurrentRow(4);
        QCOMPARE(doc.windows->form5()->txt_m()->input(), EntryField::Input::Japanese);
        QCOMPARE(doc.windows->form5()->txt1()->input(), EntryField::Input::Numeric);
        doc.windows->form1()->lst_s()->setCurrentRow(5);
        QCOMPARE(doc.windows->form4()->txt_m()->input(), EntryField::Input::Japanese);
        QCOMPARE(doc.windows->form4()->txt4()->input(), EntryField::Input::Numeric);
    }

    // ------------------------------------------------------------ refusals

    void missingPlannedFlowSwitchesToDirectEntry() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        doc.windows->form2()->txt2()->clear(); // every facility field empty too
        QVERIFY(sheet->opt(7)->isChecked());
        expectRefusal(doc, QStringLiteral("計画汚水量を計算又は入力してください。"), sheet->txt3());
        QVERIFY(sheet->opt(8)->isChecked());
        QVERIFY(sheet->plannedFlowHasBorder());
    }

    void mainSheetChecksFollowTheirOrder() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        enterDirectPlannedFlow(doc, QStringLiteral("0.0050"));
        sheet->opt(4)->setChecked(true);
        sheet->opt(6)->setChecked(true);
        expectRefusal(doc, QStringLiteral("地下水混入率を入力してください。"), sheet->txt2());
        sheet->txt2()->setText(QStringLiteral("0")); // typed 0 passes this check
        expectRefusal(doc, QStringLiteral("計画汚水量の割増しを入力してください。"), sheet->txt1());
        sheet->opt(5)->setChecked(true);

        // A facility window left open without a kind chosen (as a document may leave it).
        sheet->lst_s()->setCurrentRow(-1);
        QVERIFY(doc.windows->form2());
        expectRefusal(doc, QStringLiteral("施設の種類を選択してください。"), sheet->lst_s());
    }

    void missingFormulaSelectsManning() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        enterDirectPlannedFlow(doc, QStringLiteral("0.0050"));
        setCheckedSilently(sheet->opt(1), false);
        expectRefusal(doc, QStringLiteral("流速の計算方法を選択してください。"), sheet->opt(1));
        QVERIFY(sheet->opt(1)->isChecked());
    }

    void standardPipeChecks() {
        NewDocument doc;
        enterDirectPlannedFlow(doc, QStringLiteral("0.0050"));
        Form2* pipe = doc.windows->form2();
        pipe->txt1()->setText(QStringLiteral("0.0"));
        expectRefusal(doc, QStringLiteral("施設の勾配を入力してください。"), pipe->txt1());
        expectWholeTextSelected(pipe->txt1());
        QTest::keyClicks(pipe->txt1(), QStringLiteral("5"));
        QCOMPARE(pipe->txt1()->text(), QStringLiteral("5")); // not "50.0"

        pipe->txt1()->setText(QStringLiteral("10"));
        pipe->txt2()->setText(QStringLiteral("0.000"));
        expectRefusal(doc, QStringLiteral("粗度係数を入力してください。"), pipe->txt2());
        expectWholeTextSelected(pipe->txt2());

        pipe->txt2()->setText(QStringLiteral("0.010"));
        pipe->cbo1()->setCurrentIndex(1); // a blank separator line
        expectRefusal(doc, QStringLiteral("施設有効水深の割合を入力してください。"), pipe->cbo1());

        // The standard pipe window has no check on an allowance typed as 0.
        pipe->cbo1()->setCurrentIndex(0);
        doc.windows->form1()->opt(6)->setChecked(true);
        doc.windows->form1()->txt1()->setText(QStringLiteral("0"));
        pipe->cmd1()->click();
        QVERIFY(doc.windows->form11());
    }

    void otherCircularChecks() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        enterDirectPlannedFlow(doc, QStringLiteral("0.0050"));
        sheet->lst_s()->setCurrentRow(4);
        Form5* circular = doc.windows->form5();
        sheet->opt(6)->setChecked(true);
        sheet->txt1()->setText(QStringLiteral("0"));
        expectRefusal(doc, QStringLiteral("計画汚水量の割増しを入力してください。"), sheet->txt1());

        sheet->opt(5)->setChecked(true);
        expectRefusal(doc, QStringLiteral("直径を入力してください。"), circular->txt1());
        expectWholeTextSelected(circular->txt1());
        circular->txt1()->setText(QStringLiteral("0.3"));
        expectRefusal(doc, QStringLiteral("施設の勾配を入力してください。"), circular->txt2());
        expectWholeTextSelected(circular->txt2());
        circular->txt2()->setText(QStringLiteral("5"));
        expectRefusal(doc, QStringLiteral("粗度係数を入力してください。"), circular->txt3());
        expectWholeTextSelected(circular->txt3());
        circular->txt3()->setText(QStringLiteral("0.013"));
        circular->cbo1()->setCurrentIndex(8);
        expectRefusal(doc, QStringLiteral("施設の有効水深の割合を入力してください。"),
                      circular->cbo1());
    }

    void rectangularChecks() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        enterDirectPlannedFlow(doc, QStringLiteral("0.0050"));
        sheet->lst_s()->setCurrentRow(5);
        Form4* channel = doc.windows->form4();
        sheet->opt(6)->setChecked(true);
        sheet->txt1()->setText(QStringLiteral("abc")); // reads as 0
        expectRefusal(doc, QStringLiteral("計画汚水量の割増しを入力してください。"), sheet->txt1());

        sheet->opt(5)->setChecked(true);
        // Height is asked for before width.
        expectRefusal(doc, QStringLiteral("施設の高さを入力してください。"), channel->txt1());
        expectWholeTextSelected(channel->txt1());
        channel->txt1()->setText(QStringLiteral("1.0"));
        expectRefusal(doc, QStringLiteral("施設の巾を入力してください。"), channel->txt2());
        channel->txt2()->setText(QStringLiteral("0.5"));
        expectRefusal(doc, QStringLiteral("施設の勾配を入力してください。"), channel->txt3());
        channel->txt3()->setText(QStringLiteral("2"));
        expectRefusal(doc, QStringLiteral("粗度係数を入力してください。"), channel->txt4());
        channel->txt4()->setText(QStringLiteral("0.015"));
        channel->cbo1()->setCurrentIndex(-1);
        expectRefusal(doc, QStringLiteral("施設の有効水深の割合を入力してください。"),
                      channel->cbo1());
    }
};

QTEST_MAIN(FacilityWindowsTest)
#include "FacilityWindowsTest.moc"
