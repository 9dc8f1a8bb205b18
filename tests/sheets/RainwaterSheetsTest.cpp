// The rainwater windows on their own host: their places beside the sewage windows',
// what the facility window takes from the facility windows' base (Enter through the
// fields each kind shows, the rule that closes the result, "計算"), and the results
// panel's time row.

#include "platform/qt/Twips.h"
#include "sheets/FacilityWindow.h"
#include "sheets/Form1.h"
#include "sheets/Form11.h"
#include "sheets/Form2.h"
#include "sheets/Notices.h"
#include "sheets/RainwaterFacilityWindow.h"
#include "sheets/RainwaterInputSheet.h"
#include "sheets/RainwaterWindows.h"
#include "sheets/WindowPlaces.h"
#include "tests/sheets/SheetTestKit.h"
#include "tests/support/RainwaterInputs.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

using namespace tovarin;
using namespace tovarin::testing;

Q_DECLARE_METATYPE(tovarin::RainwaterFacilityKind)

namespace {

QRect placeOf(const WindowPlace& place) {
    return twipsRect(place.left, place.top, place.width, place.height);
}

// The frame a child window stands in, in the area.
QRect frameOf(QWidget* window) {
    return window && window->parentWidget() ? window->parentWidget()->geometry() : QRect();
}

// A rainwater document on a fresh host with the window active.
struct RainwaterDocument {
    RainwaterDocument() {
        if (!host.showAndActivate())
            QTest::qFail("the test window did not become active", __FILE__, __LINE__);
        windows = std::make_unique<RainwaterWindows>(host);
        windows->newDocument();
    }
    RainwaterFacilityWindow* facility() const { return windows->facilityWindow(); }
    // The U-ditch example typed in and computed.
    bool computeExample() {
        windows->showInput(uDitchInput());
        return windows->compute() && windows->resultsPanel();
    }
    TestHost host;
    std::unique_ptr<RainwaterWindows> windows;
};

} // namespace

class RainwaterSheetsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerFontSubstitutions(); }

    // ------------------------------------------------------------ places

    void bothDocumentsUseTheSamePlaces() {
        QCOMPARE(windowPlaces::facilityWindow.left,
                 windowPlaces::inputSheet.left + windowPlaces::inputSheet.width);
        QCOMPARE(windowPlaces::resultsPanel.width,
                 windowPlaces::inputSheet.width + windowPlaces::facilityWindow.width);

        NewDocument sewage;
        sewage.windows->form1()->cmd2()->click();
        sewage.windows->form1()->txt3()->setText(QStringLiteral("0.0050"));
        sewage.windows->form2()->lst_pu()->setCurrentRow(2);
        sewage.windows->form2()->cbo1()->setCurrentIndex(0);
        sewage.windows->form2()->txt1()->setText(QStringLiteral("10"));
        sewage.windows->form2()->cmd1()->click();
        QVERIFY(sewage.windows->form11());

        RainwaterDocument rain;
        QVERIFY(rain.computeExample());

        const struct {
            const char* window;
            QWidget* sewage;
            QWidget* rainwater;
            WindowPlace place;
        } rows[] = {
            {"input sheet", sewage.windows->form1(), rain.windows->inputSheet(),
             windowPlaces::inputSheet},
            {"facility window", sewage.windows->form2(), rain.facility(),
             windowPlaces::facilityWindow},
            {"results panel", sewage.windows->form11(), rain.windows->resultsPanel(),
             windowPlaces::resultsPanel},
        };
        for (const auto& row : rows) {
            QVERIFY2(row.sewage && row.rainwater, row.window);
            QCOMPARE(frameOf(row.sewage), placeOf(row.place));
            QCOMPARE(frameOf(row.rainwater), placeOf(row.place));
            QCOMPARE(row.rainwater->size(), row.sewage->size());
        }
    }

    // ------------------------------------------------------------ from the base

    void computeButtonAndDepthListAsInTheSewageWindows() {
        NewDocument sewage;
        RainwaterDocument rain;
        FacilityWindow* pipe = sewage.windows->form2();
        RainwaterFacilityWindow* facility = rain.facility();
        QCOMPARE(facility->computeButton()->objectName(), QStringLiteral("cmdCompute"));
        QCOMPARE(facility->computeButton()->text(), pipe->cmd1()->text());
        QCOMPARE(facility->computeButton()->geometry(), pipe->cmd1()->geometry());
        QCOMPARE(facility->depthList()->objectName(), QStringLiteral("cboDepth"));
        QCOMPARE(facility->font(), pipe->font());

        // Enter in the depth list moves on to "計算" without computing.
        facility->depthList()->setFocus();
        QTest::keyClick(facility->depthList(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), facility->computeButton());
        QVERIFY(!rain.windows->hasResult());
    }

    void enterMovesThroughTheFieldsOfTheKind_data() {
        QTest::addColumn<RainwaterFacilityKind>("kind");
        QTest::addColumn<QStringList>("chain");
        const QString tail = QStringLiteral("txtGradient,txtRoughness,optManning");
        QTest::newRow("VP") << RainwaterFacilityKind::VP << tail.split(u',');
        QTest::newRow("other circular") << RainwaterFacilityKind::OtherCircular
                                        << (QStringLiteral("txtMaterial,txtD,") + tail).split(u',');
        QTest::newRow("rectangular")
            << RainwaterFacilityKind::Rectangular
            << (QStringLiteral("txtMaterial,txtH,txtB,") + tail).split(u',');
        QTest::newRow("trapezoidal")
            << RainwaterFacilityKind::Trapezoidal
            << (QStringLiteral("txtMaterial,txtH,txtB,txtM,") + tail).split(u',');
    }

    void enterMovesThroughTheFieldsOfTheKind() {
        QFETCH(RainwaterFacilityKind, kind);
        QFETCH(QStringList, chain);
        RainwaterDocument rain;
        rain.facility()->chooseKind(kind);
        auto* first = rain.facility()->findChild<EntryField*>(chain.first());
        QVERIFY(first);
        first->setFocus();
        for (qsizetype i = 1; i < chain.size(); ++i) {
            QWidget* from = QApplication::focusWidget();
            QVERIFY(from);
            QTest::keyClick(from, Qt::Key_Return);
            QVERIFY(QApplication::focusWidget());
            QCOMPARE(QApplication::focusWidget()->objectName(), chain[i]);
        }
    }

    void typingClosesTheResultAClickDoesNot() {
        RainwaterDocument rain;
        QVERIFY(rain.computeExample());
        QTest::mouseClick(rain.facility()->gradient(), Qt::LeftButton);
        QVERIFY(rain.windows->hasResult());
        rain.host.statusMessages.clear();
        QTest::keyClick(rain.facility()->gradient(), Qt::Key_5);
        QVERIFY(!rain.windows->hasResult());
        QCOMPARE(rain.host.status(), RainwaterWindows::notice());
    }

    void onlyTheUsersChoiceOfDepthClosesTheResult() {
        RainwaterDocument rain;
        QVERIFY(rain.computeExample());
        QComboBox* depth = rain.facility()->depthList();
        depth->setCurrentIndex(0);
        QVERIFY(rain.windows->hasResult());
        emit depth->activated(0);
        QVERIFY(!rain.windows->hasResult());

        // The sewage windows' rule: any change of the depth list.
        NewDocument sewage;
        sewage.host.statusMessages.clear();
        sewage.windows->form2()->cbo1()->setCurrentIndex(0);
        QCOMPARE(sewage.host.status(), facilityNotice());
    }

    void formulaOptionsAreAPairThatClosesTheResult() {
        RainwaterDocument rain;
        QVERIFY(rain.computeExample());
        QRadioButton* manning = rain.facility()->manning();
        QRadioButton* kutter = rain.facility()->kutter();
        QVERIFY(manning->isChecked());
        QCOMPARE(kutter->text(), QStringLiteral("クッター公式"));
        kutter->click();
        QVERIFY(kutter->isChecked() && !manning->isChecked());
        QVERIFY(!rain.windows->hasResult());
    }

    // ------------------------------------------------------------ results panel

    void directIntensityHidesTheWholeTimeRow() {
        RainwaterDocument rain;
        RainwaterInput input = uDitchInput();
        input.intensityForm = IntensityForm::Direct;
        input.directIntensityText = "100";
        rain.windows->showInput(input);
        QVERIFY(rain.windows->compute());
        RainwaterResultsPanel* panel = rain.windows->resultsPanel();
        QVERIFY(panel);
        const QStringList timeRow = {"lblTimeHeading", "lblT", "lblTime", "lblTUnit",
                                     "lblFlowTime"};
        for (QLabel* label : panel->findChildren<QLabel*>())
            QCOMPARE(label->isHidden(), timeRow.contains(label->objectName()));
    }

    // ------------------------------------------------------------ names

    // A name the sheet (code page 932) cannot hold is refused on "計算" with its
    // character named, and the refused cell or field has the focus.
    void computeRefusesANameTheSheetCannotHold() {
        RainwaterDocument rain;
        RainwaterInput input = uDitchInput();
        input.areas[1].name = "𠮷野の道路";
        rain.windows->showInput(input);
        QVERIFY(!rain.windows->compute());
        QCOMPARE(rain.host.scripted.lastMessageText(),
                 QStringLiteral("区域（2行目）の名称の文字「𠮷」（U+20BB7）は計算書の文字コード"
                                "（シフトJIS）にないため使えません。"));
        QTableWidget* table = rain.windows->inputSheet()->areaTable();
        QCOMPARE(table->currentRow(), 1);
        QCOMPARE(table->currentColumn(), RainwaterInputSheet::nameColumn);

        input = uDitchInput();
        input.materialText = "側溝😀";
        rain.windows->showInput(input);
        QVERIFY(!rain.windows->compute());
        QVERIFY(rain.host.scripted.lastMessageText().startsWith(
            QStringLiteral("施設の名称の文字「😀」（U+1F600）")));
        QCOMPARE(QApplication::focusWidget(), rain.facility()->material());
    }
};

QTEST_MAIN(RainwaterSheetsTest)
#include "RainwaterSheetsTest.moc"
