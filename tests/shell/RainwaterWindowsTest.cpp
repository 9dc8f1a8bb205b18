// The rainwater windows in the real main window: the File menu's new item, the worked
// example typed and computed, refusals that focus their field, a .tvu document saved
// and opened again, a refused file, and 書き込み / print image of the rainwater sheet.

#include "sheets/RainwaterWindows.h"
#include "documents/record/RainwaterRecord.h"
#include "platform/qt/UserFolders.h"
#include "report/DrawingSurface.h"
#include "report/Form7.h"
#include "sheets/EntryField.h"
#include "sheets/Form1.h"
#include "sheets/Form11.h"
#include "sheets/SewageWindows.h"
#include "sheettext/RainwaterSheetBuilder.h"
#include "sheettext/SheetPages.h"
#include "shell/CommandLine.h"
#include "shell/JapaneseEnvironment.h"
#include "shell/MDIFofm.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/RainwaterInputs.h"
#include "tests/support/ScriptedPlatform.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace tovarin;
using tovarin::testing::ScriptedPlatform;

class RainwaterWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fileMenuKeepsItsItemsAndAddsRainwaterNew();
    void workedExampleTypedAndComputed();
    void totalsFollowTheTyping();
    void refusalsFocusTheirField_data();
    void refusalsFocusTheirField();
    void trapezoidShowsItsFields();
    void directIntensityFailingVerdictWarns();
    void saveAndOpenRoundTrip();
    void refusedFileNamesItsLine();
    void unsavableNameIsRefusedAndFocused();
    void sewageNewClosesTheRainwaterDocument();
    void eitherKindOpensByItsContent();
    void commandLineOpensTheExample();
    void kakikomiAppendsTheRainwaterSheet();
    void printImageDrawsTheRainwaterSheet();

    // A designer's hour in the windows.
    void unsavedWorkIsAskedAboutBeforeItIsReplaced();
    void halfDoneJobIsSavedAndOpensWithoutResult();
    void printImageShowsEveryLineOfALongSheet();
    void figureColumnsFitTheirTexts();
    void sizeListShowsTheWholeSize();
    void fullWidthDigitsAreReadAsNumbers();
    void pastedRowsFillTheTableFromTheCurrentCell();
    void tabLeavesTheTableAfterItsLastCell();
    void openDialogOffersEveryKindFirst();
    void caretComesBackUnselectedAfterThePrintImage();

private:
    QAction* action(const char* name) const {
        return window->findChild<QAction*>(QLatin1String(name));
    }
    RainwaterWindows& rain() const { return window->rainwaterWindows(); }
    RainwaterInputSheet& form() const { return *rain().inputSheet(); }
    RainwaterFacilityWindow& facility() const { return *rain().facilityWindow(); }
    void openFileMenu() {
        auto* menu = window->findChild<QMenu*>(QStringLiteral("Men_F"));
        menu->popup(window->mapToGlobal(QPoint(0, 0)));
        menu->hide();
    }
    static void type(QLineEdit* field, const QString& text) {
        QTest::mouseClick(field, Qt::LeftButton);
        field->selectAll();
        // Key clicks carry Latin-1 only; Japanese comes as from an input method.
        if (text.toLatin1() == text.toUtf8())
            QTest::keyClicks(field, text);
        else
            field->insert(text);
    }
    // Types into a cell of the area table through its editor, as a user does.
    void typeCell(int row, int column, const QString& text) {
        QTableWidget* table = form().areaTable();
        // Moving onto the cell opens its editor (the table edits on any way in).
        table->setCurrentCell(-1, -1);
        table->setCurrentCell(row, column);
        const auto cellEditor = [table] {
            auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            return editor && table->isAncestorOf(editor) ? editor : nullptr;
        };
        if (!cellEditor())
            table->editItem(table->item(row, column));
        QTRY_VERIFY(cellEditor());
        QLineEdit* editor = cellEditor();
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor hands its text over once the events are processed.
        QTRY_COMPARE(table->item(row, column)->text(), text);
    }
    // The worked example typed into fresh rainwater windows: the three land uses from
    // the list with their starting C, the areas typed, タルボット, the U-ditch.
    void typeWorkedExample() {
        action("Men_FRNew")->trigger();
        const QStringList areas = {QStringLiteral("0.12"), QStringLiteral("0.08"),
                                   QStringLiteral("0.25")};
        const QStringList uses = {QStringLiteral("屋根"), QStringLiteral("道路"),
                                  QStringLiteral("間地")};
        for (int row = 0; row < 3; ++row) {
            form().landUseList()->setCurrentText(uses[row]);
            QTest::mouseClick(form().addRowButton(), Qt::LeftButton);
            typeCell(row, RainwaterInputSheet::areaColumn, areas[row]);
        }
        type(form().constantA(), QStringLiteral("5000"));
        type(form().constantB(), QStringLiteral("40"));
        type(form().inletTime(), QStringLiteral("7"));
        type(form().flowLength(), QStringLiteral("120"));
        type(facility().material(), QStringLiteral("Ｕ型側溝３００"));
        type(facility().height(), QStringLiteral("0.30"));
        type(facility().width(), QStringLiteral("0.30"));
        type(facility().gradient(), QStringLiteral("5.0"));
        type(facility().roughness(), QStringLiteral("0.015"));
    }
    void compute() { QTest::mouseClick(facility().computeButton(), Qt::LeftButton); }

    QTemporaryDir folder;
    ScriptedPlatform* platform = nullptr;
    MDIFofm* window = nullptr;
};

void RainwaterWindowsTest::initTestCase() {
    setUpJapaneseEnvironment(*static_cast<QApplication*>(QCoreApplication::instance()));
    QApplication::setQuitOnLastWindowClosed(false);
    QVERIFY(folder.isValid());
}

void RainwaterWindowsTest::init() {
    platform = new ScriptedPlatform;
    window = new MDIFofm(*platform);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(tovarin::testing::waitUntilActive(window));
}

void RainwaterWindowsTest::cleanup() {
    delete window;
    delete platform;
}

void RainwaterWindowsTest::fileMenuKeepsItsItemsAndAddsRainwaterNew() {
    auto* menu = window->findChild<QMenu*>(QStringLiteral("Men_F"));
    QStringList texts;
    QStringList keys;
    for (QAction* item : menu->actions()) {
        texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
        const qsizetype amp = item->text().indexOf(QLatin1Char('&'));
        if (amp >= 0)
            keys << item->text().mid(amp + 1, 1);
    }
    // Every sewage item as it was, the new one right after 新規作成.
    QCOMPARE(
        texts,
        QStringList({QStringLiteral("新規作成(&N)"), QStringLiteral("雨水の新規作成(&U)"),
                     QStringLiteral("雨水系統の新規作成(&R)"),
                     QStringLiteral("汚水系統の新規作成(&G)"), QStringLiteral("開く(&O)"),
                     QStringLiteral("閉じる(&C)"), QStringLiteral("-"),
                     QStringLiteral("上書き保存(&S)"), QStringLiteral("名前をつけて保存(&A)"),
                     QStringLiteral("-"), QStringLiteral("印刷ｲﾒｰｼﾞ(&I)"),
                     QStringLiteral("印刷(&P)"), QStringLiteral("-"), QStringLiteral("ｴﾃﾞｨﾀ(&E)"),
                     QStringLiteral("-"), QStringLiteral("終了(&X)")}));
    // No access key is used twice.
    QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
    QCOMPARE(window->toolbarButton(1)->toolTip(), QStringLiteral("[ファイル]-[新規作成]"));
}

void RainwaterWindowsTest::workedExampleTypedAndComputed() {
    typeWorkedExample();
    QVERIFY(!rain().hasResult());
    compute();
    QVERIFY(platform->messages.isEmpty());
    QVERIFY(rain().hasResult());
    RainwaterResultsPanel* panel = rain().resultsPanel();
    QVERIFY(panel);
    QCOMPARE(panel->plannedFlow()->text(), QStringLiteral("0.0636"));
    QCOMPARE(panel->capacity()->text(), QStringLiteral("0.0693"));
    QCOMPARE(panel->velocity()->text(), QStringLiteral("0.9628"));
    QCOMPARE(panel->intensity()->text(), QStringLiteral("101.8"));
    QCOMPARE(panel->concentrationTime()->text(), QStringLiteral("9.1"));
    QCOMPARE(panel->flowTime()->text(), QStringLiteral("（ｔ2=2.1）"));
    QCOMPARE(panel->verdict()->text(), QStringLiteral("O.K"));
    QCOMPARE(panel->velocityGuide()->text(), QStringLiteral("適正"));
    QCOMPARE(platform->beeps, 0);
    // The window holds the worked example as the document codec would store it.
    RainwaterInput expected = testing::uDitchInput();
    for (CatchmentArea& area : expected.areas)
        area.areaText = area.areaText.substr(0, 4); // typed "0.12", not "0.1200"
    QCOMPARE(rain().input(), expected);

    // The result commands follow the result, as with the sewage sheet.
    openFileMenu();
    for (const char* name : {"Men_FSav", "Men_FImg", "Men_FPrn", "Men_FEWri"})
        QVERIFY2(action(name)->isEnabled(), name);
    QVERIFY(window->toolbarButton(5)->isEnabled() && window->toolbarButton(6)->isEnabled());
    // Any change takes the result away.
    type(form().inletTime(), QStringLiteral("8"));
    QVERIFY(!rain().hasResult());
    QVERIFY(!rain().resultsPanel());
    QVERIFY(!window->toolbarButton(5)->isEnabled());
    openFileMenu();
    QVERIFY(!action("Men_FImg")->isEnabled());
}

void RainwaterWindowsTest::totalsFollowTheTyping() {
    typeWorkedExample();
    QCOMPARE(form().totalArea()->text(), QStringLiteral("0.4500"));
    QCOMPARE(form().weightedRunoff()->text(), QStringLiteral("0.50"));
    typeCell(2, RainwaterInputSheet::areaColumn, QStringLiteral("x"));
    QCOMPARE(form().areaTable()->item(2, RainwaterInputSheet::areaColumn)->text(),
             QStringLiteral("x"));
    QVERIFY(form().totalArea()->text().isEmpty());
    form().areaTable()->setCurrentCell(2, 0);
    QTest::mouseClick(form().removeRowButton(), Qt::LeftButton);
    QCOMPARE(form().areaTable()->rowCount(), 2);
    QCOMPARE(form().totalArea()->text(), QStringLiteral("0.2000"));
    // (0.108 + 0.068) / 0.2 = 0.88
    QCOMPARE(form().weightedRunoff()->text(), QStringLiteral("0.88"));
}

void RainwaterWindowsTest::refusalsFocusTheirField_data() {
    QTest::addColumn<int>("row");       // table row to spoil, -1 for a field
    QTest::addColumn<QString>("field"); // object name of the spoilt field
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("focusColumn");
    QTest::newRow("C above 1") << 1 << QString() << QStringLiteral("1.5")
                               << RainwaterInputSheet::runoffColumn;
    QTest::newRow("t1 empty") << -1 << QStringLiteral("txtT1") << QString() << -1;
    QTest::newRow("gradient not a number")
        << -1 << QStringLiteral("txtGradient") << QStringLiteral("5..0") << -1;
}

void RainwaterWindowsTest::refusalsFocusTheirField() {
    QFETCH(int, row);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(int, focusColumn);
    typeWorkedExample();
    if (row >= 0) {
        typeCell(row, RainwaterInputSheet::runoffColumn, text);
    } else {
        auto* entry = window->findChild<EntryField*>(field);
        QVERIFY(entry);
        entry->selectAll();
        entry->del();
        if (!text.isEmpty())
            type(entry, text);
    }
    compute();
    QCOMPARE(platform->messages.size(), 1);
    QCOMPARE(platform->messages.first().title, QStringLiteral("エラーメッセージ"));
    QVERIFY(!rain().hasResult());
    if (row >= 0) {
        QVERIFY(platform->lastMessageText().contains(QStringLiteral("流出係数")));
        QCOMPARE(form().areaTable()->currentRow(), row);
        QCOMPARE(form().areaTable()->currentColumn(), focusColumn);
    } else {
        QTRY_COMPARE(QApplication::focusWidget(), window->findChild<EntryField*>(field));
    }
}

void RainwaterWindowsTest::trapezoidShowsItsFields() {
    RainwaterInput input = testing::trapezoidInput("0.30", "0.30", "0.5");
    window->FileNewRainwater();
    rain().showInput(input);
    QVERIFY(facility().sideSlope()->isVisible());
    QVERIFY(!facility().diameter()->isVisible());
    QCOMPARE(facility().depthList()->currentText(), QStringLiteral("水深８割"));
    QCOMPARE(rain().input(), input);
    QVERIFY(rain().compute());
    // A catalogue pipe shows its size list and default roughness instead.
    facility().kindList()->setCurrentIndex(0);
    facility().kindList()->activated(0);
    QVERIFY(!rain().hasResult());
    QVERIFY(facility().sizeList()->isVisible() && !facility().sideSlope()->isVisible());
    QVERIFY(facility().sizeList()->count() > 0);
    QVERIFY(!facility().roughness()->text().isEmpty());
}

void RainwaterWindowsTest::directIntensityFailingVerdictWarns() {
    RainwaterInput input = testing::uDitchInput();
    input.intensityForm = IntensityForm::Direct;
    input.directIntensityText = "200";
    input.inletTimeText.clear();
    input.flowLengthText.clear();
    window->FileNewRainwater();
    rain().showInput(input);
    // Given directly, I needs neither t1 nor L.
    QVERIFY(form().directIntensity()->isVisible());
    QVERIFY(!form().inletTime()->isVisible() && !form().flowLength()->isVisible());
    QVERIFY(!form().constantA()->isVisible());
    QVERIFY(rain().compute());
    // Q = 0.50 × 200 × 0.45 / 360 = 0.1250 > Q2 0.0693: NG, in the warning colour, one beep.
    RainwaterResultsPanel* panel = rain().resultsPanel();
    QCOMPARE(panel->plannedFlow()->text(), QStringLiteral("0.1250"));
    QCOMPARE(panel->verdict()->text(), QStringLiteral("NG"));
    QCOMPARE(panel->verdict()->palette().color(QPalette::WindowText), Form11::warningColour());
    QCOMPARE(panel->capacity()->palette().color(QPalette::WindowText), Form11::warningColour());
    QVERIFY(panel->concentrationTime()->isHidden());
    QCOMPARE(platform->beeps, 1);
    QCOMPARE(window->statusMessage(), QStringLiteral("計画雨水量が施設の流量を超えています。"));
}

void RainwaterWindowsTest::saveAndOpenRoundTrip() {
    typeWorkedExample();
    form().intensityFormList()->setCurrentIndex(2); // クリーブランド: a, b and n
    type(form().constantN(), QStringLiteral("0.7"));
    facility().kutter()->click();
    compute();
    QVERIFY(rain().hasResult());
    const RainwaterInput stored = rain().input();

    const QString path = folder.filePath(QStringLiteral("ditch"));
    platform->saveNames.enqueue(path + QStringLiteral(".tvu"));
    openFileMenu();
    action("Men_FSav")->trigger();
    QVERIFY2(platform->messages.isEmpty(), qPrintable(platform->lastMessageText()));
    const FileDialogRequest& request = platform->fileDialogs.last();
    QCOMPARE(request.title, QStringLiteral("Tovarinの保存"));
    QCOMPARE(request.filter, QStringLiteral("Tovarin 雨水(.tvu) (*.tvu)"));
    QVERIFY(request.moreFilters.contains(QStringLiteral("Tovarin(.tvr) (*.tvr)")));
    QCOMPARE(request.defaultSuffix, QStringLiteral("tvu"));
    QCOMPARE(window->currentFileName, path + QStringLiteral(".tvu"));
    QCOMPARE(form().windowTitle(), path + QStringLiteral(".tvu"));

    QFile file(path + QStringLiteral(".tvu"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("Tovarin 雨水 1\n"));
    const RainwaterDocumentRead read = parseRainwaterDocument(bytes.toStdString());
    QVERIFY(read.input);
    QCOMPARE(*read.input, stored);

    // A sewage document in between, then Open brings the rainwater windows back.
    window->FileNew();
    QVERIFY(!rain().isOpen());
    platform->openNames.enqueue(path + QStringLiteral(".tvu"));
    action("Men_FOpn")->trigger();
    QVERIFY(platform->messages.isEmpty());
    // The sewage dialog offers the rainwater type as well.
    QVERIFY(platform->fileDialogs.last().moreFilters.contains(
        QStringLiteral("Tovarin 雨水(.tvu) (*.tvu)")));
    QVERIFY(!window->sewageWindows().form1());
    QVERIFY(rain().isOpen());
    QCOMPARE(rain().input(), stored);
    QVERIFY(rain().hasResult());
    QCOMPARE(window->currentFileName, path + QStringLiteral(".tvu"));
    QCOMPARE(form().windowTitle(), path + QStringLiteral(".tvu"));

    // Overwrite save writes the same bytes again. The file is closed first: Windows
    // replaces no file that a program holds open.
    file.close();
    QVERIFY(window->toolbarButton(3)->isEnabled());
    platform->answers.enqueue(MsgAnswer::Ok);
    window->FileUpdate();
    QCOMPARE(platform->messages.size(), 1); // the question only
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
}

void RainwaterWindowsTest::refusedFileNamesItsLine() {
    typeWorkedExample();
    compute();
    const RainwaterInput before = rain().input();
    const QString path = folder.filePath(QStringLiteral("bad.tvu"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Tovarin 雨水 1\n区域=屋根,0.1200,0.90\n降雨強度=タルボット,5000\n");
    file.close();
    platform->openNames.enqueue(path);
    action("Men_FOpn")->trigger();
    QCOMPARE(platform->messages.size(), 1);
    QVERIFY(platform->lastMessageText().contains(QStringLiteral("3行目")));
    // The open document is untouched.
    QCOMPARE(rain().input(), before);
    QVERIFY(rain().hasResult());
}

void RainwaterWindowsTest::unsavableNameIsRefusedAndFocused() {
    typeWorkedExample();
    // A control character pasted into a name: the document cannot hold it.
    form()
        .areaTable()
        ->item(1, RainwaterInputSheet::nameColumn)
        ->setText(QStringLiteral("道") + QChar(0x85) + QStringLiteral("路"));
    compute();
    QVERIFY(rain().hasResult());
    const QString path = folder.filePath(QStringLiteral("tab.tvu"));
    platform->saveNames.enqueue(path);
    openFileMenu();
    action("Men_FSav")->trigger();
    QCOMPARE(platform->messages.size(), 1);
    QVERIFY(!QFile::exists(path));
    QVERIFY(platform->lastMessageText().contains(QStringLiteral("制御文字")));
    QCOMPARE(form().areaTable()->currentRow(), 1);
    QCOMPARE(form().areaTable()->currentColumn(), RainwaterInputSheet::nameColumn);
}

void RainwaterWindowsTest::sewageNewClosesTheRainwaterDocument() {
    typeWorkedExample();
    compute();
    QVERIFY(window->toolbarButton(5)->isEnabled());
    // The work is not saved: New asks first.
    platform->answers.enqueue(MsgAnswer::Ok);
    window->FileNew();
    QCOMPARE(platform->messages.size(), 1);
    QVERIFY(!rain().isOpen() && !rain().hasResult());
    QVERIFY(window->sewageWindows().form1());
    QVERIFY(!window->toolbarButton(5)->isEnabled());
    // And the other way round; 閉じる closes either.
    window->FileNewRainwater();
    QVERIFY(!window->sewageWindows().form1());
    QVERIFY(rain().isOpen());
    platform->answers.enqueue(MsgAnswer::Ok);
    action("Men_FCls")->trigger();
    QVERIFY(!rain().isOpen());
}

// The first line tells the kind, whatever the name says; a document of the other kind
// leaves nothing of the one it replaces for the print image or the menus.
void RainwaterWindowsTest::eitherKindOpensByItsContent() {
    const QString rainAsTvr = folder.filePath(QStringLiteral("ditch.tvr"));
    const QString sewageAsTvu = folder.filePath(QStringLiteral("pipe.tvu"));
    QVERIFY(QFile::copy(QStringLiteral(TOVARIN_EXAMPLES_DIR "/rainwater-u-ditch.tvu"), rainAsTvr));
    QVERIFY(QFile::copy(QStringLiteral(TOVARIN_EXAMPLES_DIR "/residential-vp.tvr"), sewageAsTvu));

    QCOMPARE(window->documentCommands().openDocument(sewageAsTvu), OpenOutcome::Restored);
    QVERIFY(window->sewageWindows().form1() && !rain().isOpen());
    QVERIFY(window->calcSheet().slopePermille != CalcSheet{}.slopePermille);

    QCOMPARE(window->documentCommands().openDocument(rainAsTvr), OpenOutcome::Restored);
    QVERIFY(platform->messages.isEmpty());
    QVERIFY(rain().isOpen() && !window->sewageWindows().form1());
    QCOMPARE(rain().input(), testing::uDitchInput());
    // The print image, left open, draws nothing of the sewage document any more.
    QCOMPARE(window->calcSheet().slopePermille, CalcSheet{}.slopePermille);
    QCOMPARE(form().windowTitle(), rainAsTvr);
    QVERIFY(window->toolbarButton(5)->isEnabled());
}

void RainwaterWindowsTest::commandLineOpensTheExample() {
    const QString example = QStringLiteral(TOVARIN_EXAMPLES_DIR "/rainwater-u-ditch.tvu");
    openStartDocument(*window, example);
    QVERIFY(platform->messages.isEmpty());
    QCOMPARE(rain().input(), testing::uDitchInput());
    QCOMPARE(window->currentFileName, example);
    QCOMPARE(rain().resultsPanel()->plannedFlow()->text(), QStringLiteral("0.0636"));
    QVERIFY(window->toolbarButton(3)->isEnabled());
}

void RainwaterWindowsTest::kakikomiAppendsTheRainwaterSheet() {
    const QString reportFile = reportFilePath(QStringLiteral("Tvrn.txt"));
    QFile::remove(reportFile);
    typeWorkedExample();
    compute();
    openFileMenu();
    action("Men_FEWri")->trigger();
    action("Men_FEWri")->trigger();
    QVERIFY(platform->messages.isEmpty());
    QFile report(reportFile);
    QVERIFY(report.open(QIODevice::ReadOnly));
    const SheetText sheet = rainwaterSheetText(*rain().result());
    QVERIFY(sheet.ok);
    const QByteArray once = QByteArray::fromStdString(sheet.bytes);
    QCOMPARE(report.readAll(), once + once);
    report.close();
    QFile::remove(reportFile);
    QVERIFY(window->passingMessage().startsWith(QStringLiteral("計算書を「")));
}

void RainwaterWindowsTest::printImageDrawsTheRainwaterSheet() {
    typeWorkedExample();
    compute();
    window->FileImage();
    Form7* image = findForm7(window->mdiArea());
    QVERIFY(image);
    QTRY_VERIFY(image->pageDrawings() > 0);
    // The page shows ink: the rainwater sheet, not an empty sewage sheet.
    const QImage page = image->page().image();
    int dark = 0;
    for (int y = 0; y < page.height(); y += 2)
        for (int x = 0; x < page.width(); x += 2)
            dark += qGray(page.pixel(x, y)) < 128;
    QVERIFY(dark > 500);
    // 印刷 of the image window prints the rainwater sheet: the set-up dialog, no
    // population question.
    platform->printAccepted = false;
    auto* print = image->findChild<QAction*>(QStringLiteral("Men_FPrn"));
    print->trigger();
    QCOMPARE(platform->printSetups, 1);
    QVERIFY(platform->messages.isEmpty());
}

// ---------------------------------------------------------------- a designer's hour

void RainwaterWindowsTest::unsavedWorkIsAskedAboutBeforeItIsReplaced() {
    const QString example = QStringLiteral(TOVARIN_EXAMPLES_DIR "/rainwater-u-ditch.tvu");
    // Nothing changed yet: replaced without a question.
    action("Men_FRNew")->trigger();
    action("Men_FRNew")->trigger();
    QVERIFY(platform->messages.isEmpty());
    type(form().constantA(), QStringLiteral("5000"));
    // Cancel keeps the work, whichever command would replace it.
    for (const char* command : {"Men_FRNew", "Men_FNew", "Men_FOpn"}) {
        platform->messages.clear();
        platform->answers.enqueue(MsgAnswer::Cancel);
        if (QByteArray(command) == "Men_FOpn")
            platform->openNames.enqueue(example);
        action(command)->trigger();
        QCOMPARE(platform->messages.size(), 1);
        QVERIFY2(
            platform->lastMessageText().startsWith(QStringLiteral("作成中のデータが失われます。")),
            qPrintable(platform->lastMessageText()));
        QCOMPARE(platform->messages.first().buttons, MsgButtons::OkCancel);
        QVERIFY(rain().isOpen());
        QCOMPARE(form().constantA()->text(), QStringLiteral("5000"));
    }
    // OK lets it go.
    platform->answers.enqueue(MsgAnswer::Ok);
    platform->openNames.enqueue(example);
    action("Men_FOpn")->trigger();
    QCOMPARE(rain().input(), testing::uDitchInput());
    // Just opened, nothing is unsaved; the sewage road asks nothing, as before.
    platform->messages.clear();
    window->FileNew();
    type(window->sewageWindows().form1()->txt1(), QStringLiteral("10"));
    window->FileNewRainwater();
    QVERIFY(platform->messages.isEmpty());
    QVERIFY(rain().isOpen());
}

void RainwaterWindowsTest::halfDoneJobIsSavedAndOpensWithoutResult() {
    action("Men_FRNew")->trigger();
    openFileMenu();
    QVERIFY(action("Men_FSav")->isEnabled());
    form().landUseList()->setCurrentText(QStringLiteral("屋根"));
    QTest::mouseClick(form().addRowButton(), Qt::LeftButton);
    typeCell(0, RainwaterInputSheet::areaColumn, QStringLiteral("0.12"));
    type(form().constantA(), QStringLiteral("5000")); // b, t1, L and the facility to come
    const RainwaterInput halfDone = rain().input();
    QVERIFY(!rain().hasResult());

    const QString path = folder.filePath(QStringLiteral("half.tvu"));
    platform->saveNames.enqueue(path);
    openFileMenu();
    QVERIFY(action("Men_FSav")->isEnabled());
    action("Men_FSav")->trigger();
    QVERIFY2(platform->messages.isEmpty(), qPrintable(platform->lastMessageText()));
    QVERIFY(QFile::exists(path));
    QVERIFY(window->toolbarButton(3)->isEnabled());

    // Saved, it goes without a question; opened, it shows the inputs and no result.
    window->FileNew();
    platform->openNames.enqueue(path);
    action("Men_FOpn")->trigger();
    QVERIFY2(platform->messages.isEmpty(), qPrintable(platform->lastMessageText()));
    QCOMPARE(rain().input(), halfDone);
    QVERIFY(!rain().hasResult() && !rain().resultsPanel());
    QVERIFY(window->toolbarButton(3)->isEnabled());
    QVERIFY(!window->toolbarButton(5)->isEnabled());
    // 計算 tells what is missing.
    compute();
    QCOMPARE(platform->messages.size(), 1);
    QVERIFY(platform->lastMessageText().contains(QStringLiteral("入力してください")));
}

void RainwaterWindowsTest::printImageShowsEveryLineOfALongSheet() {
    window->FileNewRainwater();
    rain().showInput(testing::trapezoidInput("0.30", "0.30", "0.5"));
    QVERIFY(rain().compute());
    window->FileImage();
    Form7* image = findForm7(window->mdiArea());
    QVERIFY(image);
    QTRY_VERIFY(image->pageDrawings() > 0);
    // Every line of the sheet is on a page, the verdict and the velocity guide too.
    SheetLineList lines(SheetOutput::Drawn);
    buildRainwaterSheet(*rain().result(), lines);
    const std::vector<SheetPage> pages = sheetPages(lines.lines, image->page().linesPerPage());
    QVERIFY(pages.size() > 1);
    QCOMPARE(image->page().pages(), static_cast<int>(pages.size()));
    std::size_t written = 0;
    for (const SheetPage& page : pages)
        written += page.size();
    QCOMPARE(image->page().linesWritten(), static_cast<int>(written));
    QCOMPARE(image->picture2()->size(), image->page().drawnSize());
    QVERIFY(image->vScroll1()->maximum() > 0);
    // The last page's ink reaches below its top: the lines after the break.
    const QImage drawn = image->page().image();
    const int lastTop = static_cast<int>((pages.size() - 1) *
                                         (image->page().size().height() + PageSurface::pageGap) *
                                         drawn.devicePixelRatio());
    int dark = 0;
    for (int y = lastTop; y < drawn.height(); y += 2)
        for (int x = 0; x < drawn.width(); x += 2)
            dark += qGray(drawn.pixel(x, y)) < 128;
    QVERIFY(dark > 100);

    // Maximized, the view shows more of the page.
    auto* frame = qobject_cast<QMdiSubWindow*>(image->parentWidget());
    const QSize before = image->picture1()->size();
    frame->showMaximized();
    QTRY_VERIFY(image->picture1()->height() > before.height());
    QVERIFY(image->hScroll1()->y() >= image->picture1()->height());
    QVERIFY(image->vScroll1()->height() == image->picture1()->height());
}

void RainwaterWindowsTest::figureColumnsFitTheirTexts() {
    window->FileNewRainwater();
    QTableWidget* table = form().areaTable();
    for (int rows : {1, 5, 1000}) {
        RainwaterInput input = testing::uDitchInput();
        input.areas.resize(static_cast<std::size_t>(rows), CatchmentArea{"道路", "0.0800", "1.00"});
        rain().showInput(input);
        table = form().areaTable();
        table->scrollToBottom();
        QApplication::processEvents();
        for (int column : {RainwaterInputSheet::areaColumn, RainwaterInputSheet::runoffColumn}) {
            const QString text = table->item(rows - 1, column)->text();
            const int needed = table->fontMetrics().horizontalAdvance(text);
            QVERIFY2(table->columnWidth(column) > needed, qPrintable(QString::number(rows)));
            const QRect cell = table->visualItemRect(table->item(rows - 1, column));
            QVERIFY2(cell.right() <= table->viewport()->width(), qPrintable(text));
        }
    }
}

void RainwaterWindowsTest::sizeListShowsTheWholeSize() {
    window->FileNewRainwater();
    const int hume = facility().kindList()->findText(QStringLiteral("ヒューム管"));
    QVERIFY(hume >= 0);
    facility().kindList()->setCurrentIndex(hume);
    facility().kindList()->activated(hume);
    QComboBox* sizes = facility().sizeList();
    int widest = 0;
    for (int i = 0; i < sizes->count(); ++i)
        widest = std::max(widest, sizes->fontMetrics().horizontalAdvance(sizes->itemText(i)));
    // The text beside the arrow of the box.
    QStyleOptionComboBox option;
    option.initFrom(sizes);
    const QRect field = sizes->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, sizes);
    QVERIFY2(field.width() >= widest,
             qPrintable(QStringLiteral("%1 < %2").arg(field.width()).arg(widest)));
    QVERIFY(sizes->geometry().right() < static_cast<QWidget&>(facility()).width());
}

void RainwaterWindowsTest::fullWidthDigitsAreReadAsNumbers() {
    typeWorkedExample();
    const RainwaterInput typed = rain().input();
    // With the input method on: the same figures in full width.
    type(form().flowLength(), QStringLiteral("１２０"));
    type(facility().gradient(), QStringLiteral("５．０"));
    form()
        .areaTable()
        ->item(0, RainwaterInputSheet::areaColumn)
        ->setText(QStringLiteral("０．１２"));
    QCOMPARE(rain().input(), typed);
    QCOMPARE(form().totalArea()->text(), QStringLiteral("0.4500"));
    compute();
    QVERIFY2(platform->messages.isEmpty(), qPrintable(platform->lastMessageText()));
    QCOMPARE(rain().resultsPanel()->plannedFlow()->text(), QStringLiteral("0.0636"));
}

void RainwaterWindowsTest::pastedRowsFillTheTableFromTheCurrentCell() {
    typeWorkedExample();
    QTableWidget* table = form().areaTable();
    // Three rows from a spreadsheet, pasted into the second row's land use (while its
    // editor is open): two rows replaced, one added.
    QApplication::clipboard()->setText(
        QStringLiteral("公園\t0.05\t0.25\r\n駐車場\t0.02\t0.90\r\n水路\t0.01\t1.00\r\n"));
    table->setCurrentCell(1, RainwaterInputSheet::nameColumn);
    table->editItem(table->currentItem());
    QTRY_VERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
    QTest::keySequence(QApplication::focusWidget(), QKeySequence::Paste);
    QVERIFY(platform->messages.isEmpty());
    QCOMPARE(table->rowCount(), 4);
    RainwaterInput expected = rain().input();
    QCOMPARE(expected.areas[0].name, "屋根");
    QCOMPARE(expected.areas[1], (CatchmentArea{"公園", "0.05", "0.25"}));
    QCOMPARE(expected.areas[2], (CatchmentArea{"駐車場", "0.02", "0.90"}));
    QCOMPARE(expected.areas[3], (CatchmentArea{"水路", "0.01", "1.00"}));
    QCOMPARE(form().totalArea()->text(), QStringLiteral("0.2000"));

    // Ctrl+A, Ctrl+C: the whole table, tab-separated; pasted back, nothing changes.
    table->setFocus();
    QTest::keySequence(table, QKeySequence::SelectAll);
    QTest::keySequence(table, QKeySequence::Copy);
    const QString copied = QApplication::clipboard()->text();
    QCOMPARE(copied.count(QLatin1Char('\n')), 4);
    QVERIFY(copied.startsWith(QStringLiteral("屋根\t0.12\t0.90\n公園\t0.05\t0.25\n")));
    table->setCurrentCell(0, 0);
    QTest::keySequence(table, QKeySequence::Paste);
    QCOMPARE(rain().input(), expected);

    // A bad number: refused with its cell named, nothing pasted.
    QApplication::clipboard()->setText(QStringLiteral("0.3\t0.5\n0.4\tabc\n"));
    table->setCurrentCell(3, RainwaterInputSheet::areaColumn);
    QTest::keySequence(table, QKeySequence::Paste);
    QCOMPARE(platform->messages.size(), 1);
    QVERIFY2(platform->lastMessageText().contains(QStringLiteral("区域（5行目）の流出係数「abc」")),
             qPrintable(platform->lastMessageText()));
    QCOMPARE(rain().input(), expected);
}

void RainwaterWindowsTest::tabLeavesTheTableAfterItsLastCell() {
    typeWorkedExample();
    QTableWidget* table = form().areaTable();
    // Tab goes through the cells as they are read, then on to 降雨強度式's list by way
    // of the row buttons below the table.
    table->setFocus(Qt::OtherFocusReason);
    table->setCurrentCell(0, 0);
    const auto focusedCell = [table] {
        return std::make_pair(table->currentRow(), table->currentColumn());
    };
    for (int step = 1; step < 9; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_COMPARE(focusedCell(), std::make_pair(step / 3, step % 3));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), form().landUseList());
    for (QWidget* next : {static_cast<QWidget*>(form().addRowButton()),
                          static_cast<QWidget*>(form().removeRowButton()),
                          static_cast<QWidget*>(form().intensityFormList()),
                          static_cast<QWidget*>(form().constantA())}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), next);
    }
    // Shift+Tab from the list comes back to the table's last cell; before its first
    // cell, it leaves the table.
    form().landUseList()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(form().landUseList(), Qt::Key_Backtab);
    QTRY_VERIFY(table->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == table);
    QCOMPARE(focusedCell(), std::make_pair(2, 2));
    table->setCurrentCell(0, 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTRY_VERIFY(QApplication::focusWidget() != table &&
                !table->isAncestorOf(QApplication::focusWidget()));
    // Ctrl+Tab leaves it from any cell, to the next window as everywhere in the
    // document area.
    table->setFocus(Qt::OtherFocusReason);
    table->setCurrentCell(1, 1);
    QTRY_VERIFY(table->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == table);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QTRY_VERIFY(facility().isAncestorOf(QApplication::focusWidget()));
}

void RainwaterWindowsTest::openDialogOffersEveryKindFirst() {
    action("Men_FOpn")->trigger();
    const FileDialogRequest& request = platform->fileDialogs.last();
    QCOMPARE(request.filter, QStringLiteral("Tovarin(.tvr .tvu .tvn) (*.tvr *.tvu *.tvn)"));
    QCOMPARE(request.moreFilters, (QStringList{QStringLiteral("Tovarin(.tvr) (*.tvr)"),
                                               QStringLiteral("Tovarin 雨水(.tvu) (*.tvu)"),
                                               QStringLiteral("Tovarin 系統(.tvn) (*.tvn)")}));
    // With a document open its own kind comes first, as before.
    window->FileNewRainwater();
    action("Men_FOpn")->trigger();
    QCOMPARE(platform->fileDialogs.last().filter, QStringLiteral("Tovarin 雨水(.tvu) (*.tvu)"));
}

void RainwaterWindowsTest::caretComesBackUnselectedAfterThePrintImage() {
    typeWorkedExample();
    compute();
    EntryField* field = form().flowLength();
    field->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), field);
    field->setCursorPosition(1);
    QVERIFY(!field->hasSelectedText());
    window->FileImage();
    Form7* image = findForm7(window->mdiArea());
    QVERIFY(image);
    QTRY_COMPARE(QApplication::focusWidget(), image);
    image->menuBarActions().last()->trigger();
    QTRY_COMPARE(findForm7(window->mdiArea()), nullptr);
    QTRY_COMPARE(QApplication::focusWidget(), field);
    QVERIFY(!field->hasSelectedText());
    QCOMPARE(field->cursorPosition(), 1);
}

QTEST_MAIN(RainwaterWindowsTest)
#include "RainwaterWindowsTest.moc"
