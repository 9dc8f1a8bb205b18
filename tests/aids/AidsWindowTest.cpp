// The 設計補助 window: its tables are the bytes of tovarin-sheet --csv and --sizes for
// the same documents, the results panel's "設計補助…" opens it on the inputs on
// screen without touching the designed windows, and its copy pastes into a
// spreadsheet. TOVARIN_AIDS_DOCUMENTS (a folder) adds its .tvr files to the check.

#include "aids/AidsWindow.h"
#include "engine/CsvText.h"
#include "sheets/Form11.h"
#include "sheets/Form2.h"
#include "sheets/InputWindows.h"
#include "shell/JapaneseEnvironment.h"
#include "shell/MDIFofm.h"
#include "tests/support/PrintTestSupport.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestFiles.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using tovarin::AidsWindow;
using tovarin::testing::fileBytes;
using tovarin::testing::runProgram;
using tovarin::testing::writeBytes;

namespace {

QString example(const char* name) {
    return QStringLiteral(TOVARIN_EXAMPLES_DIR "/") + QLatin1String(name);
}

QByteArray toolOutput(const QStringList& arguments) {
    return runProgram(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST), arguments).out;
}

// A table of the window as the tool writes it: the cells as shown, as CSV.
QByteArray windowCsv(const QTableWidget& table) {
    std::string bytes(tovarin::csvByteOrderMark);
    for (const std::vector<std::string>& row : AidsWindow::tableCells(table))
        bytes += tovarin::csvRecord(row);
    return QByteArray::fromStdString(bytes);
}

} // namespace

class AidsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void tablesAreTheToolsBytes();
    void panelMenuOpensTheInputsOnScreen();
    void copyPastesIntoASpreadsheet();

private:
    QTemporaryDir dir_;
    QStringList documents_;
};

void AidsWindowTest::initTestCase() {
    tovarin::setUpJapaneseEnvironment(*static_cast<QApplication*>(QCoreApplication::instance()));
    QApplication::setQuitOnLastWindowClosed(false);
    // The examples, a document saved after its roughness changed without "計算", one
    // whose inputs are refused, one with a name a spreadsheet would evaluate, and
    // one that does not exist.
    const QByteArray vp = fileBytes(example("residential-vp.tvr"));
    const QString stale = dir_.filePath(QStringLiteral("stale.tvr"));
    QVERIFY(
        writeBytes(stale, QByteArray(vp).replace("\r\n10\r\n0.010\r\n", "\r\n10\r\n0.013\r\n")));
    const QString refused = dir_.filePath(QStringLiteral("refused.tvr"));
    QVERIFY(writeBytes(refused, QByteArray(vp).replace("\r\n 2 \r\n10\r\n", "\r\n 2 \r\n\r\n")));
    const QString formula = dir_.filePath(QStringLiteral("=1+2.tvr"));
    QVERIFY(writeBytes(formula, vp));
    documents_ = {example("residential-vp.tvr"),
                  example("rectangular-non-residential.tvr"),
                  example("other-circular-direct.tvr"),
                  stale,
                  refused,
                  QStringLiteral("=1+2.tvr"),
                  dir_.filePath(QStringLiteral("missing.tvr"))};
    QDir::setCurrent(dir_.path());
    const QString more = qEnvironmentVariable("TOVARIN_AIDS_DOCUMENTS");
    if (!more.isEmpty()) {
        for (const QString& name : QDir(more).entryList({QStringLiteral("*.tvr")}, QDir::Files))
            documents_ << QDir(more).filePath(name);
    }
}

void AidsWindowTest::tablesAreTheToolsBytes() {
    tovarin::testing::ScriptedPlatform platform;
    AidsWindow aids(platform);
    aids.addDocuments(documents_);
    QCOMPARE(aids.resultsTable()->rowCount(), documents_.size());
    QCOMPARE(windowCsv(*aids.resultsTable()), toolOutput(QStringList{"--csv"} + documents_));

    int sizeTables = 0;
    for (const QString& document : documents_) {
        AidsWindow one(platform);
        one.addDocuments({document});
        const QByteArray tool = toolOutput({QStringLiteral("--sizes"), document});
        if (one.sizeTable()->rowCount() == 0) {
            QVERIFY2(tool.isEmpty(), qPrintable(document));
            continue;
        }
        ++sizeTables;
        QCOMPARE(windowCsv(*one.sizeTable()), tool);
        one.minimumDiameter()->setCurrentIndex(one.minimumDiameter()->findData(200));
        QCOMPARE(windowCsv(*one.sizeTable()),
                 toolOutput({QStringLiteral("--sizes"), QStringLiteral("--min-diameter"),
                             QStringLiteral("200"), document}));
    }
    QVERIFY(sizeTables >= 3);
    QVERIFY(platform.messages.isEmpty()); // the documents' messages are their rows' エラー
}

// The panel's menu reads the inputs as "計算" would, unsaved ones included (here a
// roughness typed but not computed), in a top-level window; the designed windows
// keep their panel, focus and state.
void AidsWindowTest::panelMenuOpensTheInputsOnScreen() {
    tovarin::testing::ScriptedPlatform platform;
    tovarin::MDIFofm window(platform);
    window.setDesignAidsOpener(tovarin::openDesignAidsOfInputs);
    window.show();
    platform.openNames.enqueue(example("residential-vp.tvr"));
    window.FileOpen();
    tovarin::Form2* form2 = window.inputWindows().form2();
    tovarin::Form11* panel = window.inputWindows().form11();
    QVERIFY(form2 && panel);
    QCOMPARE(panel->contextMenuPolicy(), Qt::ActionsContextMenu);
    form2->txt2()->setText(QStringLiteral("0.013"));
    const QString status = window.statusMessage();
    panel->designAidsAction()->trigger();

    AidsWindow* aids = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<AidsWindow*>(top))
            aids = found;
    QVERIFY(aids);
    QTRY_VERIFY(aids->isVisible());
    QCOMPARE(aids->parentWidget(), nullptr);
    QCOMPARE(aids->windowTitle(), QStringLiteral("設計補助"));
    QCOMPARE(aids->sizeTable()->item(2, 2)->text(), QStringLiteral("0.6611"));
    QCOMPARE(aids->sizeTable()->item(2, 10)->text(), QStringLiteral("◎"));
    QCOMPARE(window.inputWindows().form11(), panel);
    QCOMPARE(panel->lbl(9)->text(), QStringLiteral("0.8595"));
    QCOMPARE(window.statusMessage(), status);
    QCOMPARE(form2->txt2()->text(), QStringLiteral("0.013"));

    // Inputs "計算" refuses are refused here too, with its message.
    form2->txt1()->setText(QString());
    aids->close();
    QTRY_VERIFY(!aids->isVisible());
    panel->designAidsAction()->trigger();
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(platform.messages.last().text, QStringLiteral("施設の勾配を入力してください。"));
}

void AidsWindowTest::copyPastesIntoASpreadsheet() {
    tovarin::testing::ScriptedPlatform platform;
    AidsWindow aids(platform);
    aids.addDocuments({QStringLiteral("=1+2.tvr")});
    aids.pages()->setCurrentIndex(2);
    aids.resultsTable()->selectRow(0);
    aids.copySelection();
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3); // header, the row, the end of the last line
    QVERIFY(lines[0].startsWith(QStringLiteral("ファイル\t計画汚水量Q1′(m3/sec)\t")));
    QVERIFY2(lines[1].startsWith(QStringLiteral("'=1+2.tvr\t0.0041\t\tVP - φ100\t")),
             qPrintable(lines[1]));
}

QTEST_MAIN(AidsWindowTest)
#include "AidsWindowTest.moc"
