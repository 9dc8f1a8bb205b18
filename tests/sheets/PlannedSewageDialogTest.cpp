// The planned-sewage dialog: its checks in order, the rows enabled by land use, the
// planned flow written to the main sheet, kept after ＯＫ and discarded on キャンセル,
// and its Enter chain.

#include "sheets/EntryField.h"
#include "sheets/Form1.h"
#include "sheets/Form3.h"
#include "tests/sheets/SheetTestKit.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

void fill(Form3* form, const QString& p, const QString& q1, const QString& a, const QString& q2) {
    form->txt_p()->setText(p);
    form->txt_q1()->setText(q1);
    form->txt_a()->setText(a);
    form->txt_q2()->setText(q2);
}

} // namespace

class PlannedSewageDialogTest : public QObject {
    Q_OBJECT
private:
    // The dialog shown without blocking, with a new document behind it.
    struct ShownDialog {
        ShownDialog() {
            form = doc.windows->form3();
            form->show();
            QVERIFY(waitUntilActive(form));
        }
        ~ShownDialog() { form->hide(); }
        NewDocument doc;
        Form3* form = nullptr;
    };

private slots:
    void initTestCase() { registerFontSubstitutions(); }

    void landUseEmptiesTheFieldsAndEnablesItsRows() {
        NewDocument doc;
        Form3* form = doc.windows->form3();
        QCOMPARE(form->landUse(), LandUse::None);
        form->selectLandUse(LandUse::Residential);
        QVERIFY(form->txt_p()->isEnabled() && form->txt_q1()->isEnabled());
        QVERIFY(!form->txt_a()->isEnabled() && !form->txt_q2()->isEnabled());
        QVERIFY(form->lbl(1)->isEnabled() && form->lbl(6)->isEnabled());
        QVERIFY(!form->lbl(7)->isEnabled() && !form->lbl(12)->isEnabled());

        fill(form, "1000", "350", "", "");
        form->selectLandUse(LandUse::NonResidential1);
        for (EntryField* field : {form->txt_p(), form->txt_q1(), form->txt_a(), form->txt_q2()}) {
            QCOMPARE(field->text(), QString());
            QVERIFY(field->isEnabled());
        }

        fill(form, "1", "2", "3", "4");
        form->opt(3)->click(); // by the user's click as well
        QCOMPARE(form->txt_a()->text(), QString());
        QVERIFY(!form->txt_p()->isEnabled() && !form->txt_q1()->isEnabled());
        QVERIFY(!form->lbl(2)->isEnabled());
        QVERIFY(form->txt_a()->isEnabled() && form->txt_q2()->isEnabled());
    }

    void checksReportTheFirstEmptyFieldInOrder() {
        ShownDialog shown;
        Form3* form = shown.form;
        ScriptedPlatform& platform = shown.doc.host.scripted;
        form->selectLandUse(LandUse::NonResidential1);

        struct Step {
            QString typeIntoPrevious;
            QString message;
            EntryField* focus;
        };
        const QList<Step> steps = {
            {QString(), QStringLiteral("計画人口を入力してください。"), form->txt_p()},
            {QStringLiteral("200"),
             QStringLiteral("計画時間最大汚水量（１人１日当り）を入力してください。"),
             form->txt_q1()},
            {QStringLiteral("300"), QStringLiteral("排水面積を入力してください。"), form->txt_a()},
            {QStringLiteral("10000"),
             QStringLiteral("計画時間最大汚水量（１ｈｒ当り）を入力してください。"),
             form->txt_q2()},
        };
        EntryField* previous = nullptr;
        for (const Step& step : steps) {
            if (previous)
                previous->setText(step.typeIntoPrevious);
            form->cmd1()->click();
            QCOMPARE(platform.lastMessageText(), step.message);
            QCOMPARE(platform.messages.last().title, QStringLiteral("エラーメッセージ"));
            QCOMPARE(QApplication::focusWidget(), step.focus);
            QVERIFY(form->isVisible()); // the dialog stays open
            previous = step.focus;
        }
        QCOMPARE(platform.messages.size(), 4);
    }

    void areaOnlyLandUseNeverAsksForThePopulation() {
        ShownDialog shown;
        Form3* form = shown.form;
        form->selectLandUse(LandUse::NonResidential2);
        form->cmd1()->click();
        QCOMPARE(shown.doc.host.scripted.lastMessageText(),
                 QStringLiteral("排水面積を入力してください。"));
        QCOMPARE(QApplication::focusWidget(), form->txt_a());
        // Only emptiness is checked: a non-numeric population would pass, zero too.
        form->txt_a()->setText(QStringLiteral("0"));
        form->txt_q2()->setText(QStringLiteral("abc"));
        form->cmd1()->click();
        QCOMPARE(shown.doc.host.scripted.messages.size(), 1);
        QVERIFY(!form->isVisible());
    }

    void plannedFlowByLandUse_data() {
        QTest::addColumn<int>("landUse");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("plannedFlow");
        // (350 × 1000) / 86 400 000 = 0.0040509...
        QTest::newRow("residential") << 1 << QStringList{"1000", "350", "", ""} << "0.0041";
        // 0.001 × 1 ha + (300 × 200) / 86 400 000 = 0.0016944...
        QTest::newRow("both parts") << 2 << QStringList{"200", "300", "10000", "0.001"} << "0.0017";
        // 0.0012 × 0.5 ha = 0.0006
        QTest::newRow("area only") << 3 << QStringList{"", "", "5000", "0.0012"} << "0.0006";
    }

    void plannedFlowByLandUse() {
        QFETCH(int, landUse);
        QFETCH(QStringList, entries);
        QFETCH(QString, plannedFlow);
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        throughPlannedSewageDialog(sheet, [&](Form3* form) {
            form->opt(landUse)->click();
            fill(form, entries[0], entries[1], entries[2], entries[3]);
            form->cmd1()->click();
        });
        QCOMPARE(sheet->txt3()->text(), plannedFlow);
        QVERIFY(doc.host.scripted.messages.isEmpty());
    }

    void okKeepsTheDialogForTheNextOpening() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        throughPlannedSewageDialog(sheet, [](Form3* form) {
            form->opt(2)->click();
            fill(form, "200", "300", "10000", "0.001");
            form->cmd1()->click();
        });
        Form3* kept = doc.windows->existingForm3();
        QVERIFY(kept);

        QString landUseSeen;
        throughPlannedSewageDialog(sheet, [&](Form3* form) {
            QCOMPARE(form, kept);
            QCOMPARE(form->landUse(), LandUse::NonResidential1);
            QCOMPARE(form->txt_a()->text(), QStringLiteral("10000"));
            QCOMPARE(sheet->txt3()->text(), QString()); // emptied while the dialog is open
            form->cmd1()->click();
        });
        QCOMPARE(sheet->txt3()->text(), QStringLiteral("0.0017"));

        // A new document keeps the hidden dialog with its entries.
        doc.windows->newDocument();
        QCOMPARE(doc.windows->existingForm3(), kept);
        QCOMPARE(kept->txt_p()->text(), QStringLiteral("200"));
    }

    void cancelAndTheCloseBoxDiscardTheDialog() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        throughPlannedSewageDialog(sheet, [](Form3* form) {
            fill(form, "1000", "350", "", "");
            form->cmd1()->click();
        });
        throughPlannedSewageDialog(sheet, [](Form3* form) { form->cmd2()->click(); });
        QCOMPARE(sheet->txt3()->text(), QString());
        QVERIFY(!doc.windows->existingForm3());

        throughPlannedSewageDialog(sheet, [](Form3* form) {
            // A fresh dialog: residential, empty fields.
            QCOMPARE(form->landUse(), LandUse::Residential);
            QCOMPARE(form->txt_p()->text(), QString());
            form->opt(3)->click();
            form->close();
        });
        QVERIFY(!doc.windows->existingForm3());
        QCOMPARE(sheet->txt3()->text(), QString());
    }

    void enterRightAfterOpeningPressesOk() {
        NewDocument doc;
        QString message;
        QWidget* focusAfter = nullptr;
        EntryField* population = nullptr;
        throughPlannedSewageDialog(doc.windows->form1(), [&](Form3* form) {
            population = form->txt_p();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            message = doc.host.scripted.lastMessageText();
            focusAfter = QApplication::focusWidget();
        });
        QCOMPARE(message, QStringLiteral("計画人口を入力してください。"));
        QCOMPARE(focusAfter, population);
    }

    void enterWalksThroughTheNeededFields() {
        ShownDialog shown;
        Form3* form = shown.form;
        form->opt(1)->setChecked(true);
        form->opt(1)->setFocus();
        QTest::keyClick(form->opt(1), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form->txt_p());
        form->txt_p()->setText(QStringLiteral("1000"));
        QTest::keyClick(form->txt_p(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form->txt_q1());
        QTest::keyClick(form->txt_q1(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form->cmd1());

        form->opt(2)->setChecked(true);
        form->opt(2)->setFocus();
        QTest::keyClick(form->opt(2), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form->txt_p());
        QTest::keyClick(form->txt_p(), Qt::Key_Return);
        QTest::keyClick(form->txt_q1(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form->txt_a());
        form->txt_a()->setText(QStringLiteral("10000"));
        QTest::keyClick(form->txt_a(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form->txt_q2());
        QTest::keyClick(form->txt_q2(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form->cmd1());

        form->opt(3)->setChecked(true);
        form->opt(3)->setFocus();
        QTest::keyClick(form->opt(3), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form->txt_a());
        QVERIFY(form->isVisible());
        QVERIFY(shown.doc.host.scripted.messages.isEmpty());
    }
};

QTEST_MAIN(PlannedSewageDialogTest)
#include "PlannedSewageDialogTest.moc"
