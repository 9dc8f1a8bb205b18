// The network window in the real main window: the File menu's two new items, both
// worked examples opened and computed, paste and copy of tab-separated rows, rows
// added, deleted and moved, refusals that focus their cell, the area and facility
// windows of a row, and a .tvn document saved and opened again.

#include "sheets/NetworkWindows.h"
#include "documents/NetworkDocument.h"
#include "documents/record/NetworkRecord.h"
#include "sheets/EntryField.h"
#include "sheets/Form11.h"
#include "sheets/NetworkProfileView.h"
#include "sheets/RainwaterFacilityWindow.h"
#include "sheets/RainwaterInputSheet.h"
#include "shell/CommandLine.h"
#include "shell/JapaneseEnvironment.h"
#include "shell/MDIFofm.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/NetworkInputs.h"
#include "tests/support/ScriptedPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace tovarin;
using tovarin::testing::ScriptedPlatform;

namespace {

const QString examples = QStringLiteral(TOVARIN_EXAMPLES_DIR);

// The sewage example with the levels of the worked example and 最小土被り 1.0.
const char* const sewageWithLevels = "Tovarin 汚水系統 1\n"
                                     "一人一日汚水量=350\n地下水=10\n余裕=50\n最小土被り=1.0\n"
                                     "区間=1,No.1,No.3,40.0\n人口=60\n施設=VU,200\n勾配=10.0\n"
                                     "粗度係数=0.010\n公式=マニング\n有効水深=水深８割\n"
                                     "地盤高=10.500,10.200\n管底高=9.200\n"
                                     "区間=2,No.2,No.3,35.0\n人口=48\n施設=VU,200\n勾配=10.0\n"
                                     "粗度係数=0.010\n公式=マニング\n有効水深=水深８割\n"
                                     "地盤高=10.400,10.200\n管底高=9.150\n"
                                     "区間=3,No.3,公共汚水桝,25.0\n人口=12\n汚水量=0.0005\n"
                                     "施設=VU,200\n勾配=5.0\n粗度係数=0.010\n公式=マニング\n"
                                     "有効水深=水深８割\n地盤高=10.200,10.100\n";

} // namespace

class NetworkWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fileMenuAddsBothNetworkItems();
    void workedExamplesOpenComputed_data();
    void workedExamplesOpenComputed();
    void notesAndTheFirstProblemInTheWarningColour();
    void pasteFillsRowsFromTheCurrentCell();
    void refusedPasteChangesNothing();
    void copyGivesTheSelectionOrTheWholeTable();
    void rowsAreAddedDeletedAndMoved();
    void refusalFocusesItsCell();
    void enterMovesAcrossTheInputs();
    void areaAndFacilityCellsOpenTheRainwaterWindows();
    void saveAndOpenRoundTrip();
    void screenshots();

private:
    QAction* action(const char* name) const {
        return window->findChild<QAction*>(QLatin1String(name));
    }
    NetworkWindows& network() const { return window->documents().get<NetworkDocument>().windows(); }
    NetworkSheet& sheet() const { return *network().sheet(); }
    QTableWidget& table() const { return *sheet().table(); }
    QString cell(int row, int column) const {
        const QTableWidgetItem* item = table().item(row, column);
        return item ? item->text() : QString();
    }
    int columnOf(const QString& title) const {
        for (int column = 0; column < table().columnCount(); ++column) {
            if (table().horizontalHeaderItem(column)->text() == title)
                return column;
        }
        return -1;
    }
    void open(const QString& path) {
        platform->openNames.enqueue(path);
        action("Men_FOpn")->trigger();
    }
    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = folder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return path;
    }

    QTemporaryDir folder;
    ScriptedPlatform* platform = nullptr;
    MDIFofm* window = nullptr;
};

void NetworkWindowsTest::initTestCase() {
    setUpJapaneseEnvironment(*static_cast<QApplication*>(QCoreApplication::instance()));
    QApplication::setQuitOnLastWindowClosed(false);
    QVERIFY(folder.isValid());
}

void NetworkWindowsTest::init() {
    platform = new ScriptedPlatform;
    window = new MDIFofm(*platform);
    window->resize(1280, 1000);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(tovarin::testing::waitUntilActive(window));
}

void NetworkWindowsTest::cleanup() {
    delete window;
    delete platform;
}

void NetworkWindowsTest::fileMenuAddsBothNetworkItems() {
    auto* menu = window->findChild<QMenu*>(QStringLiteral("Men_F"));
    QStringList texts;
    for (QAction* item : menu->actions())
        texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
    QCOMPARE(texts.mid(0, 5),
             QStringList({QStringLiteral("新規作成(&N)"), QStringLiteral("雨水の新規作成(&U)"),
                          QStringLiteral("雨水系統の新規作成(&R)"),
                          QStringLiteral("汚水系統の新規作成(&G)"), QStringLiteral("開く(&O)")}));

    action("Men_FSNetNew")->trigger();
    QVERIFY(network().isOpen());
    QCOMPARE(sheet().kind(), NetworkKind::Sewage);
    QCOMPARE(table().rowCount(), 1);
    QVERIFY(sheet().perCapita() && !sheet().intensityFormList());
    QVERIFY(columnOf(QStringLiteral("人口")) >= 0);

    action("Men_FRNetNew")->trigger();
    QCOMPARE(sheet().kind(), NetworkKind::Rainwater);
    QVERIFY(sheet().intensityFormList() && !sheet().perCapita());
    QVERIFY(columnOf(QStringLiteral("面積")) >= 0);
    // A rainwater document takes the screen from it.
    action("Men_FRNew")->trigger();
    QVERIFY(!network().isOpen());
}

void NetworkWindowsTest::workedExamplesOpenComputed_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("figures");
    QTest::newRow("rainwater A-2")
        << examples + QStringLiteral("/network-rainwater.tvn") << 2
        << QStringList{QStringLiteral("累加面積ΣA(ha)"), QStringLiteral("流出係数C"),
                       QStringLiteral("計画雨水量Q(m3/sec)"), QStringLiteral("流量Q2(m3/sec)"),
                       QStringLiteral("判定")}
        << QStringList{QStringLiteral("0.4700"), QStringLiteral("0.59"), QStringLiteral("0.0778"),
                       QStringLiteral("0.1156"), QStringLiteral("O.K")};
    QTest::newRow("sewage 3") << examples + QStringLiteral("/network-sewage.tvn") << 2
                              << QStringList{QStringLiteral("累加人口ΣP(人)"),
                                             QStringLiteral("流速V(m/sec)"),
                                             QStringLiteral("流量Q2(m3/sec)"),
                                             QStringLiteral("判定")}
                              << QStringList{QStringLiteral("120"), QStringLiteral("1.1047"),
                                             QStringLiteral("0.0307"), QStringLiteral("O.K")};
}

void NetworkWindowsTest::workedExamplesOpenComputed() {
    QFETCH(QString, file);
    QFETCH(int, row);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, figures);
    open(file);
    QVERIFY2(platform->messages.isEmpty(), qPrintable(platform->lastMessageText()));
    QVERIFY(network().hasResult());
    QCOMPARE(window->currentFileName, file);
    for (int i = 0; i < titles.size(); ++i) {
        const int column = columnOf(titles[i]);
        QVERIFY2(column >= sheet().inputColumnCount(), qPrintable(titles[i]));
        QCOMPARE(cell(row, column), figures[i]);
        // The figures are read-only.
        QVERIFY(!(table().item(row, column)->flags() & Qt::ItemIsEditable));
    }
    // The result commands follow the result.
    QVERIFY(window->toolbarButton(5)->isEnabled() && window->toolbarButton(6)->isEnabled());
    QVERIFY(window->documents().printableSheet());
    // A change takes the result away.
    table().item(0, sheet().columns().length)->setText(QStringLiteral("61.0"));
    QVERIFY(!network().hasResult());
    QVERIFY(cell(row, columnOf(titles[0])).isEmpty());
}

void NetworkWindowsTest::notesAndTheFirstProblemInTheWarningColour() {
    QByteArray bytes(sewageWithLevels);
    bytes.replace("地盤高=10.500,10.200", "地盤高=10.250,10.200");
    open(writeFile(QStringLiteral("levels.tvn"), bytes));
    QVERIFY2(platform->messages.isEmpty(), qPrintable(platform->lastMessageText()));
    const int notes = columnOf(QStringLiteral("注意"));
    const int cover = columnOf(QStringLiteral("土被り(上流)"));
    QCOMPARE(cell(0, cover), QStringLiteral("0.847"));
    QCOMPARE(cell(0, notes), QStringLiteral("土被りが最小土被りより小さい（上流端）"));
    QCOMPARE(table().item(0, notes)->foreground().color(), Form11::warningColour());
    QCOMPARE(cell(1, notes), QString());
    QCOMPARE(cell(2, notes), QStringLiteral("流速が下流で遅くなる"));
    QCOMPARE(cell(2, columnOf(QStringLiteral("管底高(下流)"))), QStringLiteral("8.675"));
    QCOMPARE(window->statusMessage(),
             QStringLiteral("区間「1」：注意　土被りが最小土被りより小さい（上流端）"));
    // O.K stays O.K: the checks are shown beside the verdict.
    QCOMPARE(cell(0, columnOf(QStringLiteral("判定"))), QStringLiteral("O.K"));
    QCOMPARE(sheet().profileView()->path(), (std::vector<std::size_t>{0, 2}));
}

void NetworkWindowsTest::pasteFillsRowsFromTheCurrentCell() {
    action("Men_FSNetNew")->trigger();
    sheet().perCapita()->setText(QStringLiteral("350"));
    // 30 rows as a spreadsheet copies them: 区間, 上流, 下流, 延長, 人口, 汚水量, 施設.
    QString text;
    for (int i = 1; i <= 30; ++i)
        text += QStringLiteral("S%1\tM%1\tM%2\t%3\t%4\t\tVU,200 10.0‰\r\n")
                    .arg(i)
                    .arg(i + 1)
                    .arg(10 + i)
                    .arg(i == 1 ? 20 : 0);
    table().setCurrentCell(0, 0);
    QVERIFY(!sheet().paste(text));
    QCOMPARE(table().rowCount(), 30);
    QCOMPARE(cell(29, 0), QStringLiteral("S30"));
    QCOMPARE(cell(29, sheet().columns().lower), QStringLiteral("M31"));
    QCOMPARE(cell(0, sheet().columns().population), QStringLiteral("20"));
    QCOMPARE(cell(29, sheet().columns().facility),
             QStringLiteral("VU,200 10.0‰ 0.010 マニング 水深８割"));
    // From another cell: only the columns from there on change.
    table().setCurrentCell(4, sheet().columns().length);
    QVERIFY(!sheet().paste(QStringLiteral("99.5\n")));
    QCOMPARE(cell(4, sheet().columns().length), QStringLiteral("99.5"));
    QCOMPARE(cell(4, 0), QStringLiteral("S5"));
    QCOMPARE(table().rowCount(), 30);
    // The pasted network computes: 30 sections in a line.
    QVERIFY(network().compute());
    QCOMPARE(cell(29, columnOf(QStringLiteral("累加人口ΣP(人)"))), QStringLiteral("20"));

    // Ctrl+V takes the clipboard.
    QApplication::clipboard()->setText(QStringLiteral("X1\tA\tB\n"));
    table().setCurrentCell(29, 0);
    table().setFocus();
    QTest::keySequence(&table(), QKeySequence::Paste);
    QCOMPARE(cell(29, 0), QStringLiteral("X1"));
    QCOMPARE(cell(29, sheet().columns().lower), QStringLiteral("B"));
}

void NetworkWindowsTest::refusedPasteChangesNothing() {
    open(examples + QStringLiteral("/network-sewage.tvn"));
    const NetworkInput before = network().input();
    table().setCurrentCell(1, 0);
    table().setFocus();
    QApplication::clipboard()->setText(QStringLiteral("N1\tP\tQ\t1\t1\t\tVU,200\n"
                                                      "N2\tR\tS\t1\t1\t\t管,φ\n"));
    QTest::keySequence(&table(), QKeySequence::Paste);
    QCOMPARE(platform->messages.size(), 1);
    QVERIFY(platform->lastMessageText().startsWith(QStringLiteral("3行目の施設：")));
    QCOMPARE(network().input(), before);
    QCOMPARE(table().currentRow(), 2);
    QCOMPARE(table().currentColumn(), sheet().columns().facility);
    QCOMPARE(QApplication::focusWidget(), &table());
}

void NetworkWindowsTest::copyGivesTheSelectionOrTheWholeTable() {
    open(examples + QStringLiteral("/network-rainwater.tvn"));
    const int q = columnOf(QStringLiteral("計画雨水量Q(m3/sec)"));
    table().clearSelection();
    const QStringList whole = sheet().copiedText().split(QLatin1Char('\n'));
    QCOMPARE(whole.size(), 5); // header, three rows, the last line end
    QVERIFY(whole[0].startsWith(QStringLiteral("区間\t上流\t下流\t延長L(m)\t面積\t")));
    QCOMPARE(whole[1].split(QLatin1Char('\t')).value(q), QStringLiteral("0.0458"));
    table().setRangeSelected(QTableWidgetSelectionRange(1, 0, 2, 2), true);
    QCOMPARE(sheet().copiedText(), QStringLiteral("B-1\tNo.2\tNo.3\nA-2\tNo.3\t放流先\n"));
    table().setFocus();
    QTest::keySequence(&table(), QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(), sheet().copiedText());
    // What is copied pastes back as it was.
    NetworkInput before = network().input();
    table().clearSelection();
    table().setCurrentCell(1, 0);
    QVERIFY(!sheet().paste(QStringLiteral("B-1\tNo.2\tNo.3\n")));
    QCOMPARE(network().input(), before);
}

void NetworkWindowsTest::rowsAreAddedDeletedAndMoved() {
    open(examples + QStringLiteral("/network-sewage.tvn"));
    const NetworkInput example = network().input();
    table().setCurrentCell(0, 0);
    QTest::mouseClick(sheet().addRowButton(), Qt::LeftButton);
    QCOMPARE(table().rowCount(), 4);
    QCOMPARE(table().currentRow(), 1);
    QVERIFY(cell(1, 0).isEmpty());
    QCOMPARE(cell(2, 0), QStringLiteral("2"));
    QVERIFY(!network().hasResult());
    QTest::mouseClick(sheet().removeRowButton(), Qt::LeftButton);
    QCOMPARE(network().input(), example);

    // Section 3 up one place: its facility data goes with it.
    table().setCurrentCell(2, 0);
    QTest::mouseClick(sheet().upButton(), Qt::LeftButton);
    QCOMPARE(table().currentRow(), 1);
    NetworkInput moved = network().input();
    QCOMPARE(moved.sections[1], example.sections[2]);
    QCOMPARE(moved.sections[2], example.sections[1]);
    QTest::mouseClick(sheet().downButton(), Qt::LeftButton);
    QCOMPARE(network().input(), example);
    // Nothing moves past the ends.
    table().setCurrentCell(2, 0);
    QTest::mouseClick(sheet().downButton(), Qt::LeftButton);
    QCOMPARE(network().input(), example);
}

void NetworkWindowsTest::refusalFocusesItsCell() {
    open(examples + QStringLiteral("/network-sewage.tvn"));
    table().item(1, sheet().columns().length)->setText(QStringLiteral("abc"));
    QTest::mouseClick(sheet().computeButton(), Qt::LeftButton);
    QCOMPARE(platform->messages.size(), 1);
    QVERIFY2(platform->lastMessageText().startsWith(QStringLiteral("区間「2」：")),
             qPrintable(platform->lastMessageText()));
    QCOMPARE(table().currentRow(), 1);
    QCOMPARE(table().currentColumn(), sheet().columns().length);
    QCOMPARE(QApplication::focusWidget(), &table());
    QCOMPARE(cell(1, sheet().columns().length), QStringLiteral("abc"));
    QVERIFY(!network().hasResult());

    // A level that is not a number.
    table().item(1, sheet().columns().length)->setText(QStringLiteral("35.0"));
    table().item(2, sheet().columns().invert)->setText(QStringLiteral("低い"));
    QTest::mouseClick(sheet().computeButton(), Qt::LeftButton);
    QCOMPARE(platform->lastMessageText(),
             QStringLiteral("区間「3」：管底高が数値ではありません。"));
    QCOMPARE(table().currentRow(), 2);
    QCOMPARE(table().currentColumn(), sheet().columns().invert);

    // A network key: its field.
    table().item(2, sheet().columns().invert)->setText(QString());
    sheet().perCapita()->setText(QString());
    QTest::mouseClick(sheet().computeButton(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), sheet().perCapita());
}

void NetworkWindowsTest::enterMovesAcrossTheInputs() {
    open(examples + QStringLiteral("/network-sewage.tvn"));
    table().setFocus();
    table().setCurrentCell(0, 0);
    QTest::keyClick(&table(), Qt::Key_Return);
    QCOMPARE(table().currentColumn(), 1);
    // From the last input column to the first of the next row, never into the results.
    table().setCurrentCell(0, sheet().inputColumnCount() - 1);
    QTest::keyClick(&table(), Qt::Key_Return);
    QCOMPARE(table().currentRow(), 1);
    QCOMPARE(table().currentColumn(), 0);
    // A cell typed in: Enter ends the typing and moves on.
    table().setCurrentCell(1, sheet().columns().length);
    table().editItem(table().currentItem());
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("36"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(table().currentColumn(), sheet().columns().length + 1);
    QCOMPARE(cell(1, sheet().columns().length), QStringLiteral("36"));
    QVERIFY(!network().hasResult());
}

void NetworkWindowsTest::areaAndFacilityCellsOpenTheRainwaterWindows() {
    open(examples + QStringLiteral("/network-rainwater.tvn"));
    const int area = sheet().columns().area;
    QCOMPARE(cell(2, area), QStringLiteral("ΣA=0.0400 C=0.85"));
    table().setCurrentCell(2, area);
    table().setFocus();
    QTest::keyClick(&table(), Qt::Key_Return);
    RainwaterInputSheet* areas = network().areaEditor();
    QVERIFY(areas);
    QCOMPARE(areas->areaTable()->rowCount(), 1);
    areas->addArea(CatchmentArea{"屋根", "0.0600", "0.90"});
    // Computing takes the editor's rows back into the section.
    QVERIFY(network().compute());
    QCOMPARE(cell(2, area), QStringLiteral("ΣA=0.1000 C=0.88"));
    QCOMPARE(cell(2, columnOf(QStringLiteral("累加面積ΣA(ha)"))), QStringLiteral("0.5300"));

    const int facility = sheet().columns().facility;
    table().setCurrentCell(0, facility);
    table().setFocus();
    QTest::keyClick(&table(), Qt::Key_Return);
    QVERIFY(!network().areaEditor());
    RainwaterFacilityWindow* editor = network().facilityEditor();
    QVERIFY(editor);
    QVERIFY(!editor->computeButton()->isVisible());
    QCOMPARE(editor->gradient()->text(), QStringLiteral("5.0"));
    editor->gradient()->setText(QStringLiteral("6.0"));
    network().takeBackEditors();
    QVERIFY(!network().facilityEditor());
    QCOMPARE(network().input().sections[0].facility.gradientText, "6.0");
    QVERIFY(cell(0, facility).contains(QStringLiteral("6.0‰")));
}

void NetworkWindowsTest::saveAndOpenRoundTrip() {
    // A new network saves as it stands, without a result.
    action("Men_FSNetNew")->trigger();
    table().setCurrentCell(0, 0);
    QVERIFY(!sheet().paste(QStringLiteral("1\tNo.1\tNo.2\t40.0\t60\t\tVU,200 10.0‰\n")));
    sheet().perCapita()->setText(QStringLiteral("350"));
    QVERIFY(!network().hasResult());
    auto* menu = window->findChild<QMenu*>(QStringLiteral("Men_F"));
    menu->popup(window->mapToGlobal(QPoint(0, 0)));
    menu->hide();
    QVERIFY(action("Men_FSav")->isEnabled());
    const QString path = folder.filePath(QStringLiteral("draft"));
    platform->saveNames.enqueue(path + QStringLiteral(".tvn"));
    action("Men_FSav")->trigger();
    QVERIFY2(platform->messages.isEmpty(), qPrintable(platform->lastMessageText()));
    QCOMPARE(platform->fileDialogs.last().filter, QStringLiteral("Tovarin 系統(.tvn) (*.tvn)"));
    QCOMPARE(platform->fileDialogs.last().defaultSuffix, QStringLiteral("tvn"));
    QCOMPARE(window->currentFileName, path + QStringLiteral(".tvn"));

    // The example: opened, saved under another name, the same bytes; opened again, the
    // same input.
    const QString example = examples + QStringLiteral("/network-sewage.tvn");
    open(example);
    const NetworkInput stored = network().input();
    platform->saveNames.enqueue(path + QStringLiteral("2.tvn"));
    action("Men_FSav")->trigger();
    QVERIFY2(platform->messages.isEmpty(), qPrintable(platform->lastMessageText()));
    QFile original(example);
    QFile saved(path + QStringLiteral("2.tvn"));
    QVERIFY(original.open(QIODevice::ReadOnly) && saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), original.readAll());
    action("Men_FRNew")->trigger();
    open(path + QStringLiteral("2.tvn"));
    QCOMPARE(network().input(), stored);
    QVERIFY(network().hasResult());

    // A document the reader refuses leaves the open one as it was.
    open(writeFile(QStringLiteral("bad.tvn"), "Tovarin 汚水系統 1\n一人一日汚水量=abc\n"));
    QCOMPARE(platform->messages.size(), 1);
    QVERIFY(platform->lastMessageText().contains(QStringLiteral("2行目：")));
    QCOMPARE(network().input(), stored);
}

// Pictures of the window for the eye, written only when TOVARIN_SCREENSHOTS names a folder.
void NetworkWindowsTest::screenshots() {
    const QString into = qEnvironmentVariable("TOVARIN_SCREENSHOTS");
    if (into.isEmpty())
        QSKIP("TOVARIN_SCREENSHOTS is not set");
    const auto shoot = [&](const QString& name, QWidget* widget) {
        QCoreApplication::processEvents();
        const QImage image = widget->grab().toImage();
        QVERIFY(!image.isNull());
        QVERIFY(image.save(into + QLatin1Char('/') + name));
    };
    // The inputs, then the table scrolled to its results, then the profile page.
    const auto shootAll = [&](const QString& name) {
        shoot(name + QStringLiteral(".png"), window);
        table().horizontalScrollBar()->setValue(table().horizontalScrollBar()->maximum());
        shoot(name + QStringLiteral("-results.png"), window);
        shoot(name + QStringLiteral("-profile.png"), sheet().profileView());
    };
    open(examples + QStringLiteral("/network-rainwater.tvn"));
    shootAll(QStringLiteral("network-rainwater"));
    open(writeFile(QStringLiteral("levels.tvn"), sewageWithLevels));
    shootAll(QStringLiteral("network-sewage"));
    action("Men_FSNetNew")->trigger();
    QString text;
    for (int i = 1; i <= 30; ++i)
        text += QStringLiteral("S%1\tM%1\tM%2\t%3\t%4\t\tVU,200 10.0‰\t%5\t%6\t%7\n")
                    .arg(i)
                    .arg(i + 1)
                    .arg(10 + i)
                    .arg(i % 3 == 1 ? 20 : 0)
                    .arg(12.0 - i * 0.1, 0, 'f', 3)
                    .arg(12.0 - (i + 1) * 0.1, 0, 'f', 3)
                    .arg(i == 1 ? QStringLiteral("10.500") : QString());
    sheet().perCapita()->setText(QStringLiteral("350"));
    table().setCurrentCell(0, 0);
    QVERIFY(!sheet().paste(text));
    QVERIFY(network().compute());
    shootAll(QStringLiteral("network-pasted-30"));
}

QTEST_MAIN(NetworkWindowsTest)
#include "NetworkWindowsTest.moc"
