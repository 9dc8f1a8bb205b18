// The 設計補助 window: its tables are the bytes of tovarin-sheet --csv and --sizes for
// the same documents, the results panel's "設計補助…" opens it on the inputs on
// screen without touching the designed windows, and its copy pastes into a
// spreadsheet. TOVARIN_AIDS_DOCUMENTS (a folder) adds its .tvr files to the check,
// and its .tvu files to the rows refused with a reason.

#include "aids/AidsWindow.h"
#include "aids/SheetToolSvg.h"
#include "app/ProgramAids.h"
#include "engine/CharacteristicCurve.h"
#include "engine/CsvText.h"
#include "engine/NumberText.h"
#include "platform/qt/UserFolders.h"
#include "sheets/Form11.h"
#include "sheets/Form2.h"
#include "sheets/SewageWindows.h"
#include "shell/JapaneseEnvironment.h"
#include "shell/MDIFofm.h"
#include "tests/support/ComputedSheets.h"
#include "tests/support/PrintTestSupport.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestFiles.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using tovarin::AidsWindow;
using tovarin::MsgAnswer;
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

// The 設計補助 window the program's main window opened, if any.
AidsWindow* programsAidsWindow() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<AidsWindow*>(top))
            return found;
    return nullptr;
}

// A table of the window as the tool writes it: the cells as shown, as CSV.
QByteArray windowCsv(const QTableWidget& table) {
    std::string bytes(tovarin::csvByteOrderMark);
    for (const std::vector<std::string>& row : AidsWindow::tableCells(table))
        bytes += tovarin::csvRecord(row);
    return QByteArray::fromStdString(bytes);
}

// Opens nothing: hands out the documents it was given, and counts the lists read.
class ScriptedReader : public tovarin::AidsDocumentReader {
public:
    std::map<QString, tovarin::AidsDocument> documents;
    QStringList asked;
    int finished = 0;

    tovarin::AidsDocument read(const QString& file) override {
        asked << file;
        return documents.at(file);
    }
    void finish() override { ++finished; }
};

} // namespace

class AidsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void tablesAreTheToolsBytes();
    void tableComesFromItsReader();
    void otherKindsKeepTheirRowWithTheReason();
    void panelMenuOpensTheInputsOnScreen();
    void copyPastesIntoASpreadsheet();
    void savedTablesAreWhatTheirNamesSay();
    void savedTablePdfRepeatsTheHeader();
    void curveReadoutBelongsToTheDepthShown();
    void endingTheProgramClosesIt_data();
    void endingTheProgramClosesIt();

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
    AidsWindow aids(platform, tovarin::mainWindowReader());
    aids.addDocuments(documents_);
    QCOMPARE(aids.resultsTable()->rowCount(), documents_.size());
    QCOMPARE(windowCsv(*aids.resultsTable()), toolOutput(QStringList{"--csv"} + documents_));

    int sizeTables = 0;
    for (const QString& document : documents_) {
        AidsWindow one(platform, tovarin::mainWindowReader());
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

// A rainwater document (whatever it holds, whatever its name) is not read as a
// sewage one: its row says why, the sewage rows around it are as the tool writes them,
// and the program goes on.
void AidsWindowTest::otherKindsKeepTheirRowWithTheReason() {
    const QString odd = dir_.filePath(QStringLiteral("odd.tvr"));
    QVERIFY(writeBytes(odd, "Tovarin \xe9\x9b\xa8\xe6\xb0\xb4 1\narea=\xff\x00\nL=1e999\n"));
    const QString renamed = dir_.filePath(QStringLiteral("u-ditch.tvr"));
    QVERIFY(writeBytes(renamed, fileBytes(example("rainwater-u-ditch.tvu"))));
    QStringList files{example("rainwater-u-ditch.tvu"), example("residential-vp.tvr"), odd,
                      renamed};
    // And the rainwater documents of TOVARIN_AIDS_DOCUMENTS, whatever they hold.
    const QString more = qEnvironmentVariable("TOVARIN_AIDS_DOCUMENTS");
    const QStringList rainwater =
        more.isEmpty() ? QStringList()
                       : QDir(more).entryList({QStringLiteral("*.tvu")}, QDir::Files);
    for (const QString& name : rainwater)
        files << QDir(more).filePath(name);
    tovarin::testing::ScriptedPlatform platform;
    AidsWindow aids(platform, tovarin::mainWindowReader());
    aids.addDocuments(files);
    QCOMPARE(aids.resultsTable()->rowCount(), files.size());
    const auto cells = AidsWindow::tableCells(*aids.resultsTable());
    QList<int> refused{1, 3, 4};
    for (int row = 5; row <= files.size(); ++row)
        refused << row;
    for (int row : refused) {
        QCOMPARE(QString::fromStdString(cells[row].front()), files[row - 1]);
        QVERIFY(QString::fromStdString(cells[row].back()).contains(QStringLiteral("一覧表には")));
        QVERIFY(cells[row][1].empty());
    }
    QVERIFY(cells[2].back().empty());
    QCOMPARE(windowCsv(*aids.resultsTable()).split('\n').at(2),
             toolOutput({QStringLiteral("--csv"), files[1]}).split('\n').at(1));
    QVERIFY(platform.messages.isEmpty());
}

// The window shows what its reader gives, in the order of the list; the first document
// with a result becomes the subject of the sizes and the curve, a refused one never.
void AidsWindowTest::tableComesFromItsReader() {
    auto reader = std::make_unique<ScriptedReader>();
    ScriptedReader& scripted = *reader;
    const tovarin::ComputeInput vp = tovarin::testing::vp100Input();
    scripted.documents["refused.tvr"] = {{"refused.tvr", "", "入力が違います。"}, std::nullopt};
    scripted.documents["vp.tvr"] = {
        {"vp.tvr", "0.0041", ""},
        tovarin::AidsDocument::Result{tovarin::testing::computedSheet(vp), vp}};
    tovarin::testing::ScriptedPlatform platform;
    AidsWindow aids(platform, std::move(reader));

    aids.addDocuments({QStringLiteral("refused.tvr"), QStringLiteral("vp.tvr")});
    QCOMPARE(scripted.asked, QStringList({"refused.tvr", "vp.tvr"}));
    QCOMPARE(scripted.finished, 1); // nothing of the last document stays open
    const std::vector<std::vector<std::string>> cells =
        AidsWindow::tableCells(*aids.resultsTable());
    QCOMPARE(cells.size(), 3u);
    QCOMPARE(std::vector<std::string>(cells[1].begin(), cells[1].begin() + 3),
             std::vector<std::string>({"refused.tvr", "", "入力が違います。"}));
    QCOMPARE(std::vector<std::string>(cells[2].begin(), cells[2].begin() + 3),
             std::vector<std::string>({"vp.tvr", "0.0041", ""}));
    QVERIFY(aids.sizeTable()->rowCount() > 0);
    QVERIFY(aids.curveView()->chart().has_value());
    QVERIFY(platform.messages.isEmpty());
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
    tovarin::Form2* form2 = window.sewageWindows().form2();
    tovarin::Form11* panel = window.sewageWindows().form11();
    QVERIFY(form2 && panel);
    QCOMPARE(panel->contextMenuPolicy(), Qt::ActionsContextMenu);
    form2->txt2()->setText(QStringLiteral("0.013"));
    const QString status = window.statusMessage();
    panel->designAidsAction()->trigger();

    AidsWindow* aids = programsAidsWindow();
    QVERIFY(aids);
    QTRY_VERIFY(aids->isVisible());
    QCOMPARE(aids->parentWidget(), nullptr);
    QCOMPARE(aids->windowTitle(), QStringLiteral("設計補助"));
    QCOMPARE(aids->sizeTable()->item(2, 2)->text(), QStringLiteral("0.6611"));
    QCOMPARE(aids->sizeTable()->item(2, 10)->text(), QStringLiteral("◎"));
    QCOMPARE(window.sewageWindows().form11(), panel);
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

// Every file selected in ファイルを追加… becomes a row; コピー takes the selected rows,
// or the whole table when none is selected.
void AidsWindowTest::copyPastesIntoASpreadsheet() {
    tovarin::testing::ScriptedPlatform platform;
    AidsWindow aids(platform, tovarin::mainWindowReader());
    platform.openNameLists.enqueue(
        {QStringLiteral("=1+2.tvr"), example("rectangular-non-residential.tvr")});
    aids.addByDialog();
    QCOMPARE(aids.resultsTable()->rowCount(), 2);
    aids.pages()->setCurrentIndex(2);
    aids.resultsTable()->selectRow(0);
    aids.copySelection();
    QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3); // header, the row, the end of the last line
    QVERIFY(lines[0].startsWith(QStringLiteral("ファイル\t計画汚水量Q1′(m3/sec)\t")));
    QVERIFY2(lines[1].startsWith(QStringLiteral("'=1+2.tvr\t0.0041\t\tVP - φ100\t")),
             qPrintable(lines[1]));

    aids.resultsTable()->clearSelection();
    aids.copySelection();
    lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[1].startsWith(QStringLiteral("'=1+2.tvr\t")));
    QVERIFY(lines[2].startsWith(example("rectangular-non-residential.tvr") + QLatin1Char('\t')));
    QVERIFY(platform.messages.isEmpty());
}

// 保存… writes the format its name's extension names: a CSV, or a drawing of the
// table (PNG, SVG, PDF). A name with another extension is refused before anything is
// written, and an existing file is replaced only after the question Save As asks.
void AidsWindowTest::savedTablesAreWhatTheirNamesSay() {
    tovarin::testing::ScriptedPlatform platform;
    AidsWindow aids(platform, tovarin::mainWindowReader());
    aids.addDocuments(documents_.mid(0, 3));
    QTemporaryDir out;
    const auto saveAs = [&](int page, const QString& name) {
        aids.pages()->setCurrentIndex(page);
        platform.saveNames.enqueue(out.filePath(name));
        aids.save();
        return fileBytes(out.filePath(name));
    };
    for (int page : {0, 2}) {
        const QTableWidget& table = page == 0 ? *aids.sizeTable() : *aids.resultsTable();
        QCOMPARE(saveAs(page, QStringLiteral("t.csv")), windowCsv(table));
        QVERIFY(saveAs(page, QStringLiteral("t.PDF")).startsWith("%PDF-"));
        QVERIFY(saveAs(page, QStringLiteral("t.png")).startsWith("\x89PNG\r\n\x1A\n"));
        const QImage png = QImage::fromData(fileBytes(out.filePath(QStringLiteral("t.png"))));
        QVERIFY(png.width() > 600 && png.height() > 40);
        const QByteArray svg = saveAs(page, QStringLiteral("t.svg"));
        QVERIFY(svg.contains("<svg"));
        QVERIFY(svg.contains(QStringLiteral("流速").toUtf8()));
        QCOMPARE(platform.messages.size(), 0);
        for (const char* name : {"t.csv", "t.PDF", "t.png", "t.svg"})
            QFile::remove(out.filePath(QLatin1String(name)));
    }
    // Each dialog starts in the folder of the last document, not the working folder.
    tovarin::rememberDocumentFolder(out.filePath(QStringLiteral("last.tvr")));
    aids.pages()->setCurrentIndex(2);
    aids.save();
    QCOMPARE(platform.fileDialogs.last().directory,
             tovarin::documentDialogFolder() + QStringLiteral("一覧.csv"));
    QVERIFY(platform.fileDialogs.last().directory.startsWith(QDir::toNativeSeparators(out.path())));
    const QStringList shown = platform.fileDialogs.last().filter.split(QStringLiteral(";;"));
    QVERIFY(shown.contains(QStringLiteral("CSV (*.csv)")) &&
            shown.contains(QStringLiteral("PDF (*.pdf)")));

    // A document, a name without an extension: refused, untouched, nothing asked.
    QVERIFY(writeBytes(out.filePath(QStringLiteral("keep.tvr")), "document\r\n"));
    for (int page : {0, 1, 2}) {
        for (const QString& name : {QStringLiteral("keep.tvr"), QStringLiteral("plain")}) {
            const int before = platform.messages.size();
            QCOMPARE(saveAs(page, name), name == QStringLiteral("keep.tvr")
                                             ? QByteArray("document\r\n")
                                             : QByteArray());
            QCOMPARE(platform.messages.size(), before + 1);
            QVERIFY2(platform.lastMessageText().contains(QStringLiteral("拡張子を.")),
                     qPrintable(platform.lastMessageText()));
            QCOMPARE(platform.messages.last().buttons, tovarin::MsgButtons::Ok);
        }
    }

    // An existing file: the question first; No keeps it, Yes replaces it.
    platform.messages.clear();
    QVERIFY(writeBytes(out.filePath(QStringLiteral("old.csv")), "old"));
    platform.answers.enqueue(MsgAnswer::No);
    QCOMPARE(saveAs(2, QStringLiteral("old.csv")), QByteArray("old"));
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(platform.messages.first().text,
             QStringLiteral("同名ファイルがあります。上書き保存しますか？"));
    QCOMPARE(platform.messages.first().defaultButton, MsgAnswer::No);
    platform.answers.enqueue(MsgAnswer::Yes);
    QCOMPARE(saveAs(2, QStringLiteral("old.csv")), windowCsv(*aids.resultsTable()));
    platform.answers.enqueue(MsgAnswer::Yes);
    QVERIFY(saveAs(1, QStringLiteral("old.csv")).startsWith("\xEF\xBB\xBF"));
    QCOMPARE(platform.messages.size(), 3);
}

// A table of many rows makes pages of A4 landscape, each headed by the title and
// the header row, in the Japanese font.
void AidsWindowTest::savedTablePdfRepeatsTheHeader() {
    TOVARIN_REQUIRE_POPPLER();
    tovarin::testing::ScriptedPlatform platform;
    AidsWindow aids(platform, tovarin::mainWindowReader());
    for (int copy = 0; copy < 40; ++copy)
        aids.addDocuments(documents_.mid(0, 5));
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("一覧.pdf"));
    aids.pages()->setCurrentIndex(2);
    platform.saveNames.enqueue(pdf);
    aids.save();
    QVERIFY(platform.messages.isEmpty());
    const QStringList pages = tovarin::testing::pdfPages(pdf);
    QVERIFY2(pages.size() >= 2, qPrintable(QString::number(pages.size())));
    int rows = 0;
    for (const QString& page : pages) {
        QVERIFY(page.contains(QStringLiteral("計算結果の一覧表")));
        QVERIFY(page.contains(QStringLiteral("ファイル")));
        QVERIFY(page.contains(QStringLiteral("エラー")));
        rows += page.count(QStringLiteral("residential-vp.tvr"));
    }
    QCOMPARE(rows, 40);
    QVERIFY(pages.last().contains(QStringLiteral("%1 / %1").arg(pages.size())));
    const QString info = tovarin::testing::runTool(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QStringLiteral("841.89 x 595.276")) ||
                 info.contains(QStringLiteral("842 x 595")),
             qPrintable(info));
    QVERIFY(tovarin::testing::runTool(QStringLiteral("pdffonts"), {pdf})
                .contains(QStringLiteral("IPA")));
}

// Across the plot, the readout's Q/Q_full and V/V_full are those of the rounded h/D
// it shows, so that reading them off gives the same figures as the table of points.
void AidsWindowTest::curveReadoutBelongsToTheDepthShown() {
    tovarin::testing::ScriptedPlatform platform;
    AidsWindow aids(platform, tovarin::mainWindowReader());
    aids.addDocuments({example("residential-vp.tvr")});
    tovarin::CurveView* view = aids.curveView();
    view->resize(1237, 928);
    QVERIFY(view->chart());
    const tovarin::CurveSection& section = view->chart()->section;
    const tovarin::FlowState full = tovarin::flowStateAt(section, 1);
    const auto ratio = [](double value) {
        return QString::fromStdString(tovarin::formatNumber(value, "0.0000"));
    };
    int readouts = 0;
    for (int x = 0; x < view->width(); ++x) {
        const QString readout = view->readoutAt(QPointF(x + 0.37, view->height() / 2.0));
        if (readout.isEmpty())
            continue;
        ++readouts;
        const QStringList parts = readout.split(QChar(0x3000));
        QCOMPARE(parts.size(), 3);
        QVERIFY(parts[0].startsWith(QStringLiteral("h/D=")));
        const tovarin::FlowState state = tovarin::flowStateAt(section, parts[0].mid(4).toDouble());
        QCOMPARE(parts[1], QStringLiteral("Q/Q_full=") + ratio(state.flow / full.flow));
        QCOMPARE(parts[2], QStringLiteral("V/V_full=") + ratio(state.velocity / full.velocity));
    }
    QVERIFY(readouts > 500);
}

void AidsWindowTest::endingTheProgramClosesIt_data() {
    QTest::addColumn<bool>("throughMenu");
    QTest::newRow("終了") << true;
    QTest::newRow("the window's close button") << false;
}

// Ending the program closes the 設計補助 window with the main window, so that the
// program ends instead of showing the figures of a document no longer open; the
// answer No to the exit question leaves both.
void AidsWindowTest::endingTheProgramClosesIt() {
    QFETCH(bool, throughMenu);
    tovarin::testing::ScriptedPlatform platform;
    tovarin::MDIFofm window(platform);
    window.setDesignAidsOpener(tovarin::openDesignAidsOfInputs);
    window.show();
    platform.openNames.enqueue(example("residential-vp.tvr"));
    window.FileOpen();
    window.sewageWindows().form11()->designAidsAction()->trigger();
    QPointer<AidsWindow> aids = programsAidsWindow();
    QVERIFY(aids);
    QTRY_VERIFY(aids->isVisible());

    const auto end = [&] {
        if (throughMenu)
            window.FileEnd();
        else
            window.close();
    };
    platform.answers.enqueue(MsgAnswer::No);
    end();
    QVERIFY(window.isVisible());
    QVERIFY(aids && aids->isVisible());

    platform.answers.enqueue(MsgAnswer::Yes);
    end();
    QVERIFY(!window.isVisible());
    QTRY_VERIFY(!aids);
    QCOMPARE(platform.messages.size(), 2);
}

QTEST_MAIN(AidsWindowTest)
#include "AidsWindowTest.moc"
