// The results panel: full roads from New to the panel for each kind of facility and
// both formulas, its hidden lines, colours, beeps and verdicts, and every event that
// closes it (and the few that must not).

#include "platform/qt/Twips.h"
#include "sheets/Controls.h"
#include "sheets/EntryField.h"
#include "sheets/Form1.h"
#include "sheets/Form11.h"
#include "sheets/Form2.h"
#include "sheets/Form3.h"
#include "sheets/Form4.h"
#include "sheets/Form5.h"
#include "sheets/Notices.h"
#include "tests/sheets/SheetTestKit.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

const QString velocityReminder = QStringLiteral(
    "流速(V)はよろしいですか？チェックして下さい。（各地域の開発指導要綱等による事。）");

// Direct entry of Q1, VP φ100 at full flow, x = 10 ‰ (n = 0.010 by default).
void enterVp100(NewDocument& doc, const QString& plannedFlow) {
    Form1* sheet = doc.windows->form1();
    sheet->cmd2()->click();
    sheet->txt3()->setText(plannedFlow);
    Form2* pipe = doc.windows->form2();
    pipe->lst_pu()->setCurrentRow(2);
    QCOMPARE(pipe->lst_pu()->currentItem()->text(), QStringLiteral("ＶＰ－φ１００"));
    pipe->cbo1()->setCurrentIndex(0);
    pipe->txt1()->setText(QStringLiteral("10"));
}

void compute(NewDocument& doc) {
    doc.windows->facilityWindow()->cmd1()->click();
}

QString text(Form11* panel, int label) {
    return panel->lbl(label)->text();
}

QColor colourOf(Form11* panel, int label) {
    return panel->lbl(label)->palette().color(QPalette::WindowText);
}

bool hidden(Form11* panel, std::initializer_list<int> labels) {
    for (int label : labels)
        if (!panel->lbl(label)->isHidden())
            return false;
    return true;
}

// A document with VP φ100 computed and its panel open.
struct ComputedVp {
    ComputedVp() {
        enterVp100(doc, QStringLiteral("0.0050"));
        compute(doc);
    }
    NewDocument doc;
};

} // namespace

class ResultsPanelTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerFontSubstitutions(); }

    // ------------------------------------------------------------ full roads

    void vpByManning() {
        NewDocument doc;
        enterVp100(doc, QStringLiteral("0.0050"));
        const int changesBefore = doc.host.resultChanges;
        doc.windows->form2()->cmd1()->setFocus();
        compute(doc);
        Form11* panel = doc.windows->form11();
        QVERIFY(panel);
        QCOMPARE(panel->parentWidget()->geometry(), twipsRect(0, 5115, 10920, 1440));
        QVERIFY(doc.windows->hasResult());
        QVERIFY(doc.host.resultChanges > changesBefore);

        QCOMPARE(text(panel, 3), QStringLiteral("0.0050"));
        QCOMPARE(text(panel, 16), QString()); // no allowance: no factor, no "×"
        QCOMPARE(text(panel, 17), QString());
        QCOMPARE(text(panel, 6), QStringLiteral("0.0069")); // Q2 = 0.0068580
        QCOMPARE(text(panel, 9), QStringLiteral("0.8595")); // V = 0.8594871
        QCOMPARE(colourOf(panel, 6), QColor(Qt::black));
        QCOMPARE(colourOf(panel, 9), QColor(0, 128, 0));
        QVERIFY(hidden(panel, {11, 12, 13, 18})); // planned flow typed in: no land use
        QVERIFY(hidden(panel, {20, 21, 22}));     // margin check "しない"
        QCOMPARE(panel->captions(),
                 (QStringList{"0.0050", "0.0069", "0.8595", "23456789", "23456.00"}));
        QCOMPARE(doc.host.status(), velocityReminder);
        QCOMPARE(doc.host.scripted.beeps, 0);
        // The focus stays on the window that computed.
        QCOMPARE(QApplication::focusWidget(), doc.windows->form2()->cmd1());
    }

    void vpByKutter() {
        NewDocument doc;
        enterVp100(doc, QStringLiteral("0.0050"));
        doc.windows->form1()->opt(2)->setChecked(true);
        compute(doc);
        Form11* panel = doc.windows->form11();
        QVERIFY(panel);
        QCOMPARE(text(panel, 9), QStringLiteral("0.7951")); // V = 0.7951086
        QCOMPARE(text(panel, 6), QStringLiteral("0.0063")); // Q2 = 0.0063443
    }

    void residentialWithAllowanceAndMargin_data() {
        QTest::addColumn<int>("marginPosition");
        QTest::addColumn<bool>("marginFails");
        QTest::addColumn<QString>("message");
        // Margin 100 × (0.0068580 − 0.005125) / 0.005125 = 33.81 %.
        QTest::newRow("reference 100 %")
            << 0 << true << QStringLiteral("余裕率が基準値を超えています。");
        QTest::newRow("reference 30 %") << 7 << false << velocityReminder;
    }

    void residentialWithAllowanceAndMargin() {
        QFETCH(int, marginPosition);
        QFETCH(bool, marginFails);
        QFETCH(QString, message);
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        throughPlannedSewageDialog(sheet, [](Form3* form) {
            form->txt_p()->setText(QStringLiteral("1000"));
            form->txt_q1()->setText(QStringLiteral("350"));
            form->cmd1()->click();
        });
        QCOMPARE(sheet->txt3()->text(), QStringLiteral("0.0041"));
        sheet->opt(6)->setChecked(true);
        sheet->txt1()->setText(QStringLiteral("25"));
        sheet->opt(10)->setChecked(true);
        sheet->cob1()->setCurrentIndex(marginPosition);
        Form2* pipe = doc.windows->form2();
        pipe->lst_pu()->setCurrentRow(2);
        pipe->cbo1()->setCurrentIndex(0);
        pipe->txt1()->setText(QStringLiteral("10"));
        compute(doc);

        Form11* panel = doc.windows->form11();
        QVERIFY(panel);
        QCOMPARE(text(panel, 16), QStringLiteral("1.25"));
        QCOMPARE(text(panel, 17), QStringLiteral("×"));
        QCOMPARE(text(panel, 3), QStringLiteral("0.0051")); // 1.25 × 0.0041 = 0.005125
        QCOMPARE(text(panel, 6), QStringLiteral("0.0069"));
        // 0.0068580 × 86 400 000 / 350 = 1692.94 persons, divided by 1.25
        QCOMPARE(text(panel, 12), QStringLiteral("1354.4"));
        QVERIFY(!panel->lbl(12)->isHidden() && !panel->lbl(18)->isHidden());
        QCOMPARE(text(panel, 21), QStringLiteral("33.81"));
        QVERIFY(!panel->lbl(21)->isHidden());
        QCOMPARE(colourOf(panel, 21), marginFails ? QColor(255, 0, 255) : QColor(Qt::black));
        QCOMPARE(colourOf(panel, 6), QColor(Qt::black));
        QCOMPARE(doc.host.scripted.beeps, marginFails ? 1 : 0);
        QCOMPARE(doc.host.status(), message);
    }

    void bothVerdictsFailingBeepTwice() {
        NewDocument doc;
        enterVp100(doc, QStringLiteral("0.0100")); // Q1 above Q2 = 0.0069
        doc.windows->form1()->opt(10)->setChecked(true);
        compute(doc);
        Form11* panel = doc.windows->form11();
        QVERIFY(panel);
        QCOMPARE(doc.host.scripted.beeps, 2);
        QCOMPARE(colourOf(panel, 6), QColor(255, 0, 255));
        QCOMPARE(colourOf(panel, 21), QColor(255, 0, 255));
        QCOMPARE(text(panel, 21), QStringLiteral("-31.42")); // 100 × (0.0068580 − 0.01) / 0.01
        QCOMPARE(doc.host.status(),
                 QStringLiteral("計画汚水量(Q1)が施設の流量(Q2)を超えています。"));

        // With an allowance the verdict drops the symbols.
        doc.windows->form1()->opt(6)->setChecked(true);
        doc.windows->form1()->txt1()->setText(QStringLiteral("10"));
        doc.windows->form1()->opt(9)->setChecked(true);
        compute(doc);
        QCOMPARE(doc.host.scripted.beeps, 3);
        QCOMPARE(doc.host.status(), QStringLiteral("計画汚水量が施設の流量を超えています。"));
        QCOMPARE(text(doc.windows->form11(), 16), QStringLiteral("1.1"));
    }

    void rectangularChannel() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        sheet->cmd2()->click();
        sheet->txt3()->setText(QStringLiteral("0.0500"));
        sheet->lst_s()->setCurrentRow(5);
        Form4* channel = doc.windows->form4();
        channel->txt_m()->setText(QStringLiteral("コンクリート"));
        channel->txt1()->setText(QStringLiteral("1.0"));
        channel->txt2()->setText(QStringLiteral("0.5"));
        channel->txt3()->setText(QStringLiteral("2"));
        channel->txt4()->setText(QStringLiteral("0.015"));
        compute(doc);
        Form11* panel = doc.windows->form11();
        QVERIFY(panel);
        // A = 0.4, P = 2.1, R = 0.190476: V = 0.9870009, Q2 = 0.3948003
        QCOMPARE(text(panel, 9), QStringLiteral("0.9870"));
        QCOMPARE(text(panel, 6), QStringLiteral("0.3948"));
        QCOMPARE(doc.host.sheet.materialName, std::string("コンクリート"));
    }

    void otherCircularPipeByKutter() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        sheet->cmd2()->click();
        sheet->txt3()->setText(QStringLiteral("0.0300"));
        sheet->opt(2)->setChecked(true);
        sheet->lst_s()->setCurrentRow(4);
        Form5* circular = doc.windows->form5();
        circular->txt1()->setText(QStringLiteral("0.3"));
        circular->txt2()->setText(QStringLiteral("5"));
        circular->txt3()->setText(QStringLiteral("0.013"));
        circular->cbo1()->setCurrentIndex(0);
        compute(doc);
        Form11* panel = doc.windows->form11();
        QVERIFY(panel);
        // D = 0.3 at full flow: V = 0.9213650, Q2 = 0.0651193
        QCOMPARE(text(panel, 9), QStringLiteral("0.9214"));
        QCOMPARE(text(panel, 6), QStringLiteral("0.0651"));
    }

    // ------------------------------------------------------------ lifecycle

    void eachRequestOpensAFreshPanel() {
        NewDocument doc;
        enterVp100(doc, QStringLiteral("0.0100"));
        doc.windows->form1()->opt(10)->setChecked(true);
        compute(doc);
        QPointer<Form11> first = doc.windows->form11();
        QCOMPARE(colourOf(first, 6), QColor(255, 0, 255));

        doc.windows->form1()->opt(9)->setChecked(true);
        doc.windows->form1()->txt3()->setText(QStringLiteral("0.0050"));
        compute(doc);
        QVERIFY(!first);
        Form11* second = doc.windows->form11();
        QVERIFY(second);
        QCOMPARE(colourOf(second, 6), QColor(Qt::black)); // no colour carried over
        QVERIFY(hidden(second, {20, 21, 22}));
        QVERIFY(doc.windows->hasResult()); // the old panel's closing did not wipe the new result

        const QStringList captions = second->captions();
        compute(doc); // again, unchanged: identical figures
        QCOMPARE(doc.windows->form11()->captions(), captions);
        QCOMPARE(doc.host.area->subWindowList().size(), 3);
    }

    void refusedRequestClosesTheOldPanel() {
        ComputedVp vp;
        vp.doc.windows->form2()->txt1()->setText(QStringLiteral("0"));
        compute(vp.doc);
        QVERIFY(!vp.doc.windows->form11());
        QVERIFY(!vp.doc.windows->hasResult());
        QCOMPARE(vp.doc.host.sheet.capacity, 0.0);
    }

    void documentReaderRoadRebuildsThePanel() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        setCheckedSilently(sheet->opt(7), false); // as a stored "False" would leave it
        sheet->opt(8)->setChecked(true);
        sheet->txt3()->setText(QStringLiteral("0.0050"));
        Form2* pipe = doc.windows->form2();
        pipe->lst_pu()->setCurrentRow(2);
        pipe->txt1()->setText(QStringLiteral("10"));
        pipe->txt2()->setText(QStringLiteral("0.010"));
        pipe->cbo1()->setCurrentIndex(0);

        doc.windows->Zairyou_1();
        QCOMPARE(doc.host.sheet.slopePermille, 10.0);
        QCOMPARE(doc.host.sheet.flowEntryMode, FlowEntryMode::Direct);
        doc.windows->Zairyou_2();
        QCOMPARE(doc.host.sheet.pipeDiameter, 0.1008);
        QCOMPARE(doc.host.sheet.facilityLabel, std::string("VP - φ100"));
        Form11* panel = doc.windows->createResults();
        QVERIFY(panel);
        QCOMPARE(doc.windows->form11(), panel);
        QCOMPARE(panel->captions(),
                 (QStringList{"0.0050", "0.0069", "0.8595", "23456789", "23456.00"}));
        QCOMPARE(doc.host.status(), velocityReminder);
        QVERIFY(doc.windows->hasResult());
        panel->setCaptions({"0.0040", "0.0070", "0.8600", "1234.5", "12.34"});
        QCOMPARE(panel->captions(), (QStringList{"0.0040", "0.0070", "0.8600", "1234.5", "12.34"}));

        // Without a facility window there is nothing to compute a result from.
        sheet->lst_s()->setCurrentRow(-1);
        doc.windows->closeForm2();
        QVERIFY(!doc.windows->createResults());
        QVERIFY(!doc.windows->hasResult());
    }

    void eventsThatCloseThePanel() {
        using Event = std::function<void(NewDocument&)>;
        const auto click = [](QWidget* field) {
            QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(4, 4));
        };
        const QList<QPair<const char*, Event>> events = {
            {"Kutter chosen", [](NewDocument& d) { d.windows->form1()->opt(2)->click(); }},
            {"character on Manning",
             [](NewDocument& d) { QTest::keyClick(d.windows->form1()->opt(1), Qt::Key_A); }},
            {"groundwater on", [](NewDocument& d) { d.windows->form1()->opt(4)->click(); }},
            {"allowance on", [](NewDocument& d) { d.windows->form1()->opt(6)->click(); }},
            {"margin on", [](NewDocument& d) { d.windows->form1()->opt(10)->click(); }},
            {"margin reference",
             [](NewDocument& d) {
                 d.windows->form1()->opt(10)->click();
                 d.windows->closeResults();
                 d.windows->facilityWindow()->cmd1()->click();
                 d.windows->form1()->cob1()->setCurrentIndex(3);
             }},
            {"click into txt3", [click](NewDocument& d) { click(d.windows->form1()->txt3()); }},
            {"double-click into txt3",
             [](NewDocument& d) {
                 QTest::mouseDClick(d.windows->form1()->txt3(), Qt::LeftButton);
             }},
            {"直接入力", [](NewDocument& d) { d.windows->form1()->cmd2()->click(); }},
            {"計算する cancelled",
             [](NewDocument& d) {
                 throughPlannedSewageDialog(d.windows->form1(),
                                            [](Form3* f) { f->cmd2()->click(); });
             }},
            {"another standard kind",
             [](NewDocument& d) { d.windows->form1()->lst_s()->setCurrentRow(1); }},
            {"other circular kind",
             [](NewDocument& d) { d.windows->form1()->lst_s()->setCurrentRow(4); }},
            {"size chosen", [](NewDocument& d) { d.windows->form2()->lst_pu()->setCurrentRow(4); }},
            {"click on the chosen size",
             [](NewDocument& d) {
                 QListWidget* sizes = d.windows->form2()->lst_pu();
                 QTest::mouseClick(sizes->viewport(), Qt::LeftButton, {},
                                   sizes->visualItemRect(sizes->currentItem()).center());
             }},
            {"depth chosen",
             [](NewDocument& d) { d.windows->form2()->cbo1()->setCurrentIndex(3); }},
            {"click into gradient", [click](NewDocument& d) { click(d.windows->form2()->txt1()); }},
            {"click into roughness",
             [click](NewDocument& d) { click(d.windows->form2()->txt2()); }},
            {"Tojiru", [](NewDocument& d) { d.windows->tojiru(); }},
        };
        for (const auto& [name, event] : events) {
            ComputedVp vp;
            QVERIFY2(vp.doc.windows->form11(), name);
            const int changes = vp.doc.host.resultChanges;
            event(vp.doc);
            QVERIFY2(!vp.doc.windows->form11(), name);
            QVERIFY2(vp.doc.host.sheet.capacity == 0, name);
            QVERIFY2(vp.doc.host.resultChanges > changes, name);
        }
    }

    void clicksShowTheNoticeOfTheirWindow() {
        ComputedVp vp;
        QTest::mouseClick(vp.doc.windows->form2()->txt1(), Qt::LeftButton);
        QCOMPARE(vp.doc.host.status(), facilityNotice());
        QVERIFY(vp.doc.host.status().endsWith(QStringLiteral("。")));

        vp.doc.windows->form1()->lst_s()->setCurrentRow(5);
        vp.doc.windows->facilityWindow()->cmd1()->click(); // refused, no panel needed
        QTest::mouseClick(vp.doc.windows->form4()->txt2(), Qt::LeftButton);
        QCOMPARE(vp.doc.host.status(), facilityNotice());
        QTest::mouseClick(vp.doc.windows->form1()->txt3(), Qt::LeftButton);
        QCOMPARE(vp.doc.host.status(), mainSheetNotice());
    }

    void eventsThatKeepThePanel() {
        {
            NewDocument doc;
            Form1* sheet = doc.windows->form1();
            sheet->cmd2()->click();
            sheet->txt3()->setText(QStringLiteral("0.0050"));
            sheet->lst_s()->setCurrentRow(4);
            Form5* circular = doc.windows->form5();
            circular->txt1()->setText(QStringLiteral("0.3"));
            circular->txt2()->setText(QStringLiteral("5"));
            circular->txt3()->setText(QStringLiteral("0.013"));
            compute(doc);
            QVERIFY(doc.windows->form11());
            sheet->Sentaku(); // the open kind chosen again
            QCOMPARE(doc.windows->form5(), circular);
            QVERIFY(doc.windows->form11());
        }
        {
            NewDocument doc;
            Form1* sheet = doc.windows->form1();
            sheet->cmd2()->click();
            sheet->txt3()->setText(QStringLiteral("0.0050"));
            sheet->lst_s()->setCurrentRow(5);
            Form4* channel = doc.windows->form4();
            channel->txt1()->setText(QStringLiteral("1.0"));
            channel->txt2()->setText(QStringLiteral("0.5"));
            channel->txt3()->setText(QStringLiteral("2"));
            channel->txt4()->setText(QStringLiteral("0.015"));
            compute(doc);
            QVERIFY(doc.windows->form11());
            sheet->Sentaku();
            QCOMPARE(doc.windows->form4(), channel);
            QVERIFY(doc.windows->form11());

            // Arrival of the focus and typing into a focused field keep it too.
            channel->txt2()->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(channel->txt2(), QStringLiteral("6"));
            QTest::keyClick(channel->txt2(), Qt::Key_Return);
            QVERIFY(doc.windows->form11());
            QVERIFY(doc.windows->hasResult());

            // Tabbing through the formula options only moves the focus.
            sheet->opt(1)->setFocus(Qt::TabFocusReason);
            QTest::keyClick(sheet->opt(1), Qt::Key_Tab);
            QTest::keyClick(sheet->opt(1), Qt::Key_Backtab);
            QVERIFY(doc.windows->hasResult());
        }
    }
};

QTEST_MAIN(ResultsPanelTest)
#include "ResultsPanelTest.moc"
