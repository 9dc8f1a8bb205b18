// The main input sheet: New's defaults, the facility-kind switch (Sentaku), the two
// ways of obtaining the planned flow, the option handlers and the keyboard flow.

#include "platform/qt/Twips.h"
#include "sheets/Controls.h"
#include "sheets/EntryField.h"
#include "sheets/Form1.h"
#include "sheets/Form2.h"
#include "sheets/Form3.h"
#include "sheets/Form4.h"
#include "sheets/Form5.h"
#include "sheets/Notices.h"
#include "tests/sheets/SheetTestKit.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

QRect frameGeometry(QWidget* child) {
    return child->parentWidget()->geometry();
}

QStringList itemsOf(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->itemText(i));
    return texts;
}

void clickInto(QWidget* field) {
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(4, 4));
}

} // namespace

class MainSheetTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerFontSubstitutions(); }

    // ------------------------------------------------------------ New

    void newDocumentAppliesTheDefaultChoices() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        QVERIFY(sheet);
        QCOMPARE(frameGeometry(sheet), twipsRect(0, 0, 6165, 5115));
        QCOMPARE(twipsX(6165), 411); // 15 twips per pixel at 96 dpi

        for (int checked : {1, 3, 5, 7, 9})
            QVERIFY2(sheet->opt(checked)->isChecked(), qPrintable(QString::number(checked)));
        for (int unchecked : {2, 4, 6, 8, 10})
            QVERIFY(!sheet->opt(unchecked)->isChecked());
        for (QWidget* hidden :
             {static_cast<QWidget*>(sheet->txt1()), static_cast<QWidget*>(sheet->txt2()),
              static_cast<QWidget*>(sheet->lbl1()), static_cast<QWidget*>(sheet->lbl2()),
              static_cast<QWidget*>(sheet->lbl4()), static_cast<QWidget*>(sheet->cob1())})
            QVERIFY(hidden->isHidden());
        QVERIFY(!sheet->plannedFlowHasBorder());
        QCOMPARE(sheet->txt3()->text(), QString());
        QCOMPARE(sheet->lst_s()->count(), 6);
        QCOMPARE(sheet->lst_s()->currentItem()->text(), QStringLiteral("排水管  ＶＰ管"));
        QCOMPARE(sheet->cob1()->count(), 13);
        QCOMPARE(sheet->cob1()->currentText(), QStringLiteral("１００％"));
        QCOMPARE(QApplication::focusWidget(), sheet->cmd1());
        QVERIFY(!doc.windows->hasResult());
    }

    void newDocumentOpensTheVpWindow() {
        NewDocument doc;
        Form2* pipe = doc.windows->form2();
        QVERIFY(pipe);
        QVERIFY(!doc.windows->form4() && !doc.windows->form5());
        QCOMPARE(frameGeometry(pipe), twipsRect(6165, 0, 4755, 5115));
        QCOMPARE(pipe->Label1()->text(), QStringLiteral("ＶＰ管"));
        QCOMPARE(pipe->Label6()->text(), QStringLiteral("有効水深 水量"));
        QCOMPARE(pipe->lst_pu()->count(), 8);
        QCOMPARE(pipe->lst_pu()->currentRow(), 0);
        QCOMPARE(pipe->lst_pu()->item(0)->text(), QStringLiteral("ＶＰ－φ６５"));
        QCOMPARE(pipe->lst_pu()->item(7)->text(), QStringLiteral("ＶＰ－φ３００"));
        QCOMPARE(pipe->txt1()->text(), QString());
        QCOMPARE(pipe->txt2()->text(), QStringLiteral("0.010"));
        QCOMPARE(pipe->cbo1()->count(), 15);
        QCOMPARE(pipe->cbo1()->currentIndex(), 5);
        QCOMPARE(pipe->cbo1()->currentText(), QStringLiteral("水深８割"));
        QCOMPARE(pipe->cbo1()->itemText(1), QString());
        QCOMPARE(pipe->cbo1()->itemText(8), QString());
    }

    void newDocumentDiscardsTheWindowsOfTheOldOne() {
        NewDocument doc;
        doc.windows->form1()->lst_s()->setCurrentRow(5);
        doc.windows->form4()->txt1()->setText(QStringLiteral("1.0"));
        doc.windows->newDocument();
        QVERIFY(!doc.windows->form4());
        QVERIFY(doc.windows->form2());
        QCOMPARE(doc.host.area->subWindowList().size(), 2);
    }

    // ------------------------------------------------------------ Sentaku

    void switchingBetweenStandardKindsReinitialisesTheWindow() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        Form2* pipe = doc.windows->form2();
        pipe->txt1()->setText(QStringLiteral("5"));
        pipe->txt2()->setText(QStringLiteral("0.020"));
        pipe->lst_pu()->setCurrentRow(3);
        pipe->cbo1()->setCurrentIndex(0);

        sheet->lst_s()->setCurrentRow(1); // VU
        QCOMPARE(doc.windows->form2(), pipe);
        QCOMPARE(pipe->Label1()->text(), QStringLiteral("ＶＵ管"));
        QCOMPARE(pipe->lst_pu()->count(), 13);
        QCOMPARE(pipe->lst_pu()->item(0)->text(), QStringLiteral("ＶＵ－φ６５"));
        QCOMPARE(pipe->lst_pu()->currentRow(), 0);
        QCOMPARE(pipe->txt1()->text(), QString());
        QCOMPARE(pipe->txt2()->text(), QStringLiteral("0.010"));
        QCOMPARE(pipe->cbo1()->currentIndex(), 5);
        QCOMPARE(QApplication::focusWidget(), sheet->lst_s());

        sheet->lst_s()->setCurrentRow(2); // FRPM
        QCOMPARE(pipe->Label1()->text(), QStringLiteral("強化プラスチック複合管"));
        QCOMPARE(pipe->lst_pu()->count(), 19);
        QCOMPARE(pipe->txt2()->text(), QStringLiteral("0.010"));

        pipe->txt2()->setText(QStringLiteral("0.011"));
        sheet->lst_s()->setCurrentRow(3); // Hume
        QCOMPARE(pipe->Label1()->text(), QStringLiteral("ヒューム管"));
        QCOMPARE(pipe->lst_pu()->count(), 25);
        QCOMPARE(pipe->lst_pu()->item(0)->text(), QStringLiteral("ヒューム管－φ１５０"));
        QCOMPARE(pipe->txt2()->text(), QStringLiteral("0.013"));
    }

    void otherCircularAndRectangularKindsOpenFreshWindows() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();

        sheet->lst_s()->setCurrentRow(4);
        Form5* circular = doc.windows->form5();
        QVERIFY(circular);
        QVERIFY(!doc.windows->form2() && !doc.windows->form4());
        QCOMPARE(frameGeometry(circular), twipsRect(6165, 0, 4755, 5115));
        QCOMPARE(circular->cbo1()->count(), 15);
        QCOMPARE(circular->cbo1()->currentText(), QStringLiteral("水深８割"));
        QCOMPARE(circular->txt3()->text(), QString()); // no default roughness
        QCOMPARE(QApplication::focusWidget(), sheet->lst_s());
        circular->txt_m()->setText(QStringLiteral("鋳鉄管"));

        sheet->lst_s()->setCurrentRow(5);
        Form4* channel = doc.windows->form4();
        QVERIFY(channel);
        QVERIFY(!doc.windows->form5() && !doc.windows->form2());
        QCOMPARE(frameGeometry(channel), twipsRect(6165, 0, 4755, 5115));
        QCOMPARE(itemsOf(channel->cbo1()),
                 (QStringList{QStringLiteral("満流"), QStringLiteral("水深９.5割"),
                              QStringLiteral("水深９割"), QStringLiteral("水深８.5割"),
                              QStringLiteral("水深８割"), QStringLiteral("水深７.5割"),
                              QStringLiteral("水深７割")}));
        QCOMPARE(channel->cbo1()->currentIndex(), 4);
        QCOMPARE(channel->txt4()->text(), QString());

        // Back to the other circular pipe: its window starts empty again.
        sheet->lst_s()->setCurrentRow(4);
        QCOMPARE(doc.windows->form5()->txt_m()->text(), QString());

        // Rectangular to VP closes the rectangular window.
        sheet->lst_s()->setCurrentRow(5);
        sheet->lst_s()->setCurrentRow(0);
        QVERIFY(!doc.windows->form4());
        QVERIFY(doc.windows->form2());
        QCOMPARE(doc.host.area->subWindowList().size(), 2);
    }

    // ------------------------------------------------------------ planned flow

    void computedPlannedFlowIsWrittenAfterOk() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        doc.host.sheet.plannedFlowBase = 0.5;
        bool seen = false;
        throughPlannedSewageDialog(sheet, [&](Form3* form) {
            seen = true;
            QCOMPARE(form->landUse(), LandUse::Residential);
            QCOMPARE(doc.host.sheet.plannedFlowBase, 0.0); // reset before the dialog opens
            QCOMPARE(QApplication::focusWidget(), form->cmd1());
            form->txt_p()->setText(QStringLiteral("1000"));
            form->txt_q1()->setText(QStringLiteral("350"));
            form->cmd1()->click();
        });
        QVERIFY(seen);
        QCOMPARE(sheet->txt3()->text(), QStringLiteral("0.0041"));
        QVERIFY(sheet->opt(7)->isChecked());
        QVERIFY(!sheet->plannedFlowHasBorder());
        QVERIFY(doc.windows->existingForm3());
        QVERIFY(doc.windows->existingForm3()->isHidden());
        QCOMPARE(doc.host.status(), mainSheetNotice());
    }

    void cancelledDialogLeavesThePlannedFlowEmpty() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        sheet->txt3()->setText(QStringLiteral("0.0200"));
        sheet->showDirectEntry();
        throughPlannedSewageDialog(sheet, [](Form3* form) { form->cmd2()->click(); });
        QCOMPARE(sheet->txt3()->text(), QString());
        QVERIFY(sheet->opt(7)->isChecked());
        QVERIFY(!sheet->plannedFlowHasBorder());
        QVERIFY(!doc.windows->existingForm3());
        QCOMPARE(doc.host.sheet.plannedFlowBase, 0.0);
    }

    void directEntryDiscardsTheDialogAndItsValues() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        throughPlannedSewageDialog(sheet, [](Form3* form) {
            form->txt_p()->setText(QStringLiteral("1000"));
            form->txt_q1()->setText(QStringLiteral("350"));
            form->cmd1()->click();
        });
        QCOMPARE(doc.host.sheet.population, 1000.0);

        doc.host.statusMessages.clear();
        sheet->cmd2()->click();
        QVERIFY(!doc.windows->existingForm3());
        QVERIFY(sheet->opt(8)->isChecked());
        QVERIFY(sheet->plannedFlowHasBorder());
        QCOMPARE(QApplication::focusWidget(), sheet->txt3());
        QCOMPARE(sheet->txt3()->selectedText(), QStringLiteral("0.0041"));
        QCOMPARE(doc.host.sheet.population, 0.0);
        QCOMPARE(doc.host.sheet.sewagePerCapita, 0.0);
        QCOMPARE(doc.host.sheet.drainageArea, 0.0);
        QCOMPARE(doc.host.sheet.sewagePerHectare, 0.0);
        QCOMPARE(doc.host.status(), mainSheetNotice());
    }

    void clickIntoThePlannedFlowSwitchesToDirectEntryButKeepsTheDialog() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        throughPlannedSewageDialog(sheet, [](Form3* form) {
            form->txt_p()->setText(QStringLiteral("1000"));
            form->txt_q1()->setText(QStringLiteral("350"));
            form->cmd1()->click();
        });
        doc.host.statusMessages.clear();

        clickInto(sheet->txt3());
        QVERIFY(sheet->opt(8)->isChecked());
        QVERIFY(sheet->plannedFlowHasBorder());
        QCOMPARE(sheet->txt3()->selectedText(), QStringLiteral("0.0041"));
        QCOMPARE(doc.host.status(), mainSheetNotice());
        QVERIFY(doc.windows->existingForm3());
        QCOMPARE(doc.windows->existingForm3()->txt_p()->text(), QStringLiteral("1000"));
        QCOMPARE(doc.host.sheet.population, 1000.0);
    }

    void editingThePlannedFlowSwitchesToDirectEntry() {
        const QList<std::function<void(QWidget*)>> edits = {
            [](QWidget* field) { QTest::keyClicks(field, QStringLiteral("0.02")); },
            [](QWidget* field) { QTest::keyClick(field, Qt::Key_Backspace); },
            [](QWidget* field) { QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier); },
        };
        QApplication::clipboard()->setText(QStringLiteral("0.03"));
        for (const auto& edit : edits) {
            NewDocument doc;
            Form1* sheet = doc.windows->form1();
            sheet->txt3()->setText(QStringLiteral("0.0200"));
            doc.windows->form2()->txt1()->setText(QStringLiteral("10"));
            doc.windows->form2()->cmd1()->click();
            QVERIFY(doc.windows->form11());
            // The focus reaches the field without a click, its text selected.
            sheet->txt3()->setFocus(Qt::ActiveWindowFocusReason);
            sheet->txt3()->selectAll();
            doc.host.statusMessages.clear();

            edit(sheet->txt3());
            QVERIFY(sheet->opt(8)->isChecked());
            QVERIFY(!sheet->opt(7)->isChecked());
            QVERIFY(sheet->plannedFlowHasBorder());
            QVERIFY(!doc.windows->form11());
            QCOMPARE(doc.host.status(), mainSheetNotice());
        }
        // Text put there by the program is no edit.
        NewDocument doc;
        doc.windows->form1()->txt3()->setText(QStringLiteral("0.0041"));
        QVERIFY(doc.windows->form1()->opt(7)->isChecked());
    }

    // ------------------------------------------------------------ options

    void groundwaterOffClearsTheRate() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        sheet->opt(4)->setChecked(true);
        QVERIFY(!sheet->txt2()->isHidden() && !sheet->lbl2()->isHidden());
        QCOMPARE(QApplication::focusWidget(), sheet->txt2());
        QTest::keyClicks(sheet->txt2(), QStringLiteral("5"));
        doc.host.sheet.groundwaterRate = 5;

        sheet->opt(3)->setChecked(true);
        QVERIFY(sheet->txt2()->isHidden() && sheet->lbl2()->isHidden());
        QCOMPARE(doc.host.sheet.groundwaterRate, 0.0);

        sheet->opt(4)->setChecked(true);
        QCOMPARE(sheet->txt2()->text(), QString());
    }

    void allowanceOffClearsTheAllowance() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        sheet->opt(6)->setChecked(true);
        QVERIFY(!sheet->txt1()->isHidden() && !sheet->lbl1()->isHidden());
        QCOMPARE(QApplication::focusWidget(), sheet->txt1());
        sheet->txt1()->setText(QStringLiteral("25"));
        doc.host.sheet.flowAllowance = 25;

        sheet->opt(5)->setChecked(true);
        QVERIFY(sheet->txt1()->isHidden() && sheet->lbl1()->isHidden());
        QCOMPARE(sheet->txt1()->text(), QString());
        QCOMPARE(doc.host.sheet.flowAllowance, 0.0);
    }

    void marginOffResetsTheReference() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        sheet->opt(10)->setChecked(true);
        QVERIFY(!sheet->lbl4()->isHidden() && !sheet->cob1()->isHidden());
        QCOMPARE(QApplication::focusWidget(), sheet->cob1());
        sheet->cob1()->setCurrentIndex(7);
        QCOMPARE(sheet->cob1()->currentText(), QStringLiteral("\u3000３０％"));

        sheet->opt(9)->setChecked(true);
        QCOMPARE(sheet->cob1()->currentIndex(), 0);
        QVERIFY(sheet->lbl4()->isHidden() && sheet->cob1()->isHidden());
        sheet->opt(10)->setChecked(true);
        QCOMPARE(sheet->cob1()->currentText(), QStringLiteral("１００％"));
    }

    // ------------------------------------------------------------ keyboard

    void enterWalksDownTheSheetSelectingTheFirstOptions() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        sheet->opt(4)->setChecked(true);
        sheet->opt(6)->setChecked(true);
        sheet->opt(2)->setChecked(true);

        clickInto(sheet->txt3());
        QTest::keyClick(sheet->txt3(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), sheet->opt(3));
        QVERIFY(sheet->opt(3)->isChecked());
        QVERIFY(sheet->txt2()->isHidden()); // "無し" ran its handler

        QTest::keyClick(sheet->opt(3), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), sheet->opt(5));
        QVERIFY(sheet->opt(5)->isChecked());
        QVERIFY(sheet->txt1()->isHidden());

        QTest::keyClick(sheet->opt(5), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), sheet->opt(1));
        QVERIFY(sheet->opt(1)->isChecked());

        QTest::keyClick(sheet->opt(1), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), sheet->lst_s());
        QTest::keyClick(sheet->lst_s(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), doc.windows->form2()->lst_pu());
    }

    void arrowKeysChooseAsAClickDoes() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        struct Case {
            int from;
            int to;
            QWidget* focus;
        };
        for (const Case& c :
             {Case{3, 4, sheet->txt2()}, Case{5, 6, sheet->txt1()}, Case{9, 10, sheet->cob1()}}) {
            focusOption(sheet->opt(c.from));
            QTest::keyClick(sheet->opt(c.from), Qt::Key_Right);
            QVERIFY2(sheet->opt(c.to)->isChecked(), qPrintable(QString::number(c.to)));
            QCOMPARE(QApplication::focusWidget(), c.focus);
        }
        // "無し" chosen with the arrow keeps the focus on itself, as a click does.
        focusOption(sheet->opt(4));
        QTest::keyClick(sheet->opt(4), Qt::Key_Left);
        QVERIFY(sheet->opt(3)->isChecked());
        QCOMPARE(QApplication::focusWidget(), sheet->opt(3));

        // The digits typed after the arrow land in the field.
        QTest::keyClick(sheet->opt(3), Qt::Key_Right);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5"));
        QCOMPARE(sheet->txt2()->text(), QStringLiteral("5"));
        // Space does what the arrow does.
        focusOption(sheet->opt(5));
        sheet->opt(6)->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(sheet->opt(6), Qt::Key_Space);
        QVERIFY(sheet->opt(6)->isChecked());
        QCOMPARE(QApplication::focusWidget(), sheet->txt1());
    }

    void enterInTheRateFieldsMovesToTheNextGroup() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        sheet->opt(6)->setChecked(true);
        sheet->opt(4)->setChecked(true);
        QTest::keyClick(sheet->txt2(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), sheet->opt(5));
        QVERIFY(sheet->opt(5)->isChecked()); // the allowance is cleared on the way
        QVERIFY(sheet->txt1()->isHidden());

        sheet->opt(6)->setChecked(true);
        sheet->opt(2)->setChecked(true);
        sheet->txt1()->setFocus();
        QTest::keyClick(sheet->txt1(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), sheet->opt(1));
        QVERIFY(sheet->opt(1)->isChecked());
    }

    void enterInTheKindListMovesIntoTheFacilityWindow() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        sheet->lst_s()->setCurrentRow(4);
        QTest::keyClick(sheet->lst_s(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), doc.windows->form5()->txt1());
        sheet->lst_s()->setCurrentRow(5);
        QTest::keyClick(sheet->lst_s(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), doc.windows->form4()->txt1());
    }

    void tabOrderLeavesThePlannedFlowOut() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        sheet->opt(4)->setChecked(true);
        sheet->opt(6)->setChecked(true);
        sheet->opt(10)->setChecked(true);
        sheet->cmd2()->setFocus(Qt::TabFocusReason);
        QList<QWidget*> visited{QApplication::focusWidget()};
        for (int i = 0; i < 13; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(QApplication::focusWidget());
        }
        // Qt enters an exclusive option pair at its selected button only.
        const QList<QWidget*> expected = {
            sheet->cmd2(), sheet->cmd1(), sheet->opt(4),  sheet->txt2(),  sheet->opt(6),
            sheet->txt1(), sheet->opt(1), sheet->lst_s(), sheet->opt(10), sheet->cob1()};
        QCOMPARE(visited.mid(0, expected.size()), expected);
        QVERIFY(!visited.contains(sheet->txt3()));
    }

    void shiftTabWalksTheSameOrderBackwards() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        sheet->opt(4)->setChecked(true);
        sheet->opt(6)->setChecked(true);
        sheet->opt(10)->setChecked(true);
        sheet->opt(2)->setChecked(true);
        sheet->cob1()->setFocus(Qt::TabFocusReason);
        QList<QWidget*> visited{QApplication::focusWidget()};
        for (int i = 0; i < 9; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            visited.append(QApplication::focusWidget());
        }
        const QList<QWidget*> expected = {
            sheet->cob1(), sheet->opt(10), sheet->lst_s(), sheet->opt(2), sheet->txt1(),
            sheet->opt(6), sheet->txt2(),  sheet->opt(4),  sheet->cmd1(), sheet->cmd2()};
        QCOMPARE(visited, expected);
        // Walking backwards chooses nothing.
        for (int checked : {2, 4, 6, 10})
            QVERIFY(sheet->opt(checked)->isChecked());
    }

    // Entering a pair at its unselected option hands the focus to the selected one;
    // the next Tab or Shift+Tab then leaves the pair instead of bouncing back into it.
    void tabLeavesAPairEnteredAtItsUnselectedOption() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        sheet->opt(10)->setChecked(true);
        sheet->lst_s()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(sheet->lst_s(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), sheet->opt(10));
        QTest::keyClick(sheet->opt(10), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), sheet->lst_s());

        sheet->opt(1)->setChecked(true);
        QTest::keyClick(sheet->lst_s(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), sheet->opt(1));
        QTest::keyClick(sheet->opt(1), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), sheet->lst_s());
    }
};

QTEST_MAIN(MainSheetTest)
#include "MainSheetTest.moc"
