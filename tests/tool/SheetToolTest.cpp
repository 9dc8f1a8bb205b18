// tovarin-sheet: its sheet is byte for byte what the main window's "書き込み(&W)"
// appends to Tvrn.txt after opening the same document; its --results line is the
// results panel; unreadable and refused documents are reported and the others
// still processed.

#include "documents/record/DocumentRecord.h"
#include "platform/Cp932.h"
#include "platform/qt/FileNames.h"
#include "platform/qt/UserFolders.h"
#include "shell/JapaneseEnvironment.h"
#include "shell/MDIFofm.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/SpecialFiles.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

using namespace tovarin;
using tovarin::testing::fileBytes;
using tovarin::testing::runProgram;
using tovarin::testing::ScriptedPlatform;
using tovarin::testing::ToolRun;
using tovarin::testing::writeBytes;

namespace {

const QString kVelocityReminder = QStringLiteral(
    "流速(V)はよろしいですか？チェックして下さい。（各地域の開発指導要綱等による事。）");

QString example(const char* name) {
    return QStringLiteral(TOVARIN_EXAMPLES_DIR "/") + QLatin1String(name);
}

ToolRun runTool(const QStringList& arguments) {
    return runProgram(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST), arguments);
}

// The sheet as the main window writes it: Open, then "書き込み(&W)".
QByteArray sheetFromTheWindow(const QString& document) {
    const QString reportFile = reportFilePath(QStringLiteral("Tvrn.txt"));
    QFile::remove(reportFile);
    ScriptedPlatform platform;
    MDIFofm window(platform);
    window.show();
    platform.openNames.enqueue(document);
    window.FileOpen();
    window.applyAvailability();
    window.findChild<QAction*>(QStringLiteral("Men_FEWri"))->trigger();
    return fileBytes(reportFile);
}

// An example document with some of its lines (numbered from 1) replaced, written
// into `dir`.
QString variantOf(const QTemporaryDir& dir, const char* exampleName,
                  const QMap<int, QByteArray>& lines, const QString& name) {
    QList<QByteArray> stored = fileBytes(example(exampleName)).split('\n');
    for (auto line = lines.begin(); line != lines.end(); ++line) {
        if (line.key() > stored.size())
            return {};
        stored[line.key() - 1] = line.value() + "\r";
    }
    const QString path = dir.filePath(name);
    QFile file(path);
    const QByteArray bytes = stored.join('\n');
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        return {};
    return path;
}

// Runs the tool through the shell, so that an argument can carry bytes that are not
// UTF-8 (QProcess encodes its arguments); `script` sees the tool as "$0".
ToolRun runToolInShell(const QString& script, const QString& workingFolder) {
    return runProgram(QStringLiteral("/bin/sh"),
                      {QStringLiteral("-c"), script, QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST)},
                      workingFolder);
}

QJsonObject jsonLine(const QByteArray& line) {
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(line, &error);
    return error.error == QJsonParseError::NoError ? json.object() : QJsonObject();
}

} // namespace

class SheetToolTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sheetIsWhatTheEditorWriteAppends_data();
    void sheetIsWhatTheEditorWriteAppends();
    void resultsAsJsonLines();
    void resultsEscapeCaptionsAndFileNames();
    void unreadableAndRefusedDocumentsAreReported();
    void wrongArguments();
    void helpAndVersion();
    void namesLikeQtOptionsAreDocuments();
    void sheetOnATerminalIsUtf8();
    void eachDocumentAsIfNamedAlone_data();
    void eachDocumentAsIfNamedAlone();
    void ownPlannedFlowWithoutAGroundwaterChoice();
    void failedStandardOutputIsReported();
    void fileNameNotInUtf8IsRefusedByItsBytes();
    void oversizedDocumentIsCalledTooLarge();
    void resultsSayWhenStoredResultsDiffer();
    void closedStandardOutputIsSaid();
    void controlCharactersInNamesAreShownAsOnTheSheet();
};

void SheetToolTest::initTestCase() {
    setUpJapaneseEnvironment(*static_cast<QApplication*>(QCoreApplication::instance()));
    QApplication::setQuitOnLastWindowClosed(false);
    QVERIFY(QFileInfo::exists(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST)));
}

void SheetToolTest::sheetIsWhatTheEditorWriteAppends_data() {
    QTest::addColumn<QString>("document");
    QTest::newRow("residential VP") << example("residential-vp.tvr");
    QTest::newRow("rectangular") << example("rectangular-non-residential.tvr");
    QTest::newRow("other circular") << example("other-circular-direct.tvr");
}

void SheetToolTest::sheetIsWhatTheEditorWriteAppends() {
    QFETCH(QString, document);
    const QByteArray written = sheetFromTheWindow(document);
    QVERIFY(written.contains("\r\n"));

    const ToolRun run = runTool({document});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, written);
    QVERIFY2(run.err.isEmpty(), run.err.constData());

    const ToolRun utf8 = runTool({QStringLiteral("--utf8"), document});
    QCOMPARE(utf8.exitCode, 0);
    QByteArray expected = QByteArray::fromStdString(cp932::decode(written.toStdString()).utf8);
    expected.replace("\r\n", "\n");
    QCOMPARE(utf8.out, expected);
    QVERIFY(utf8.out.contains("☆ 流量計算書（汚水排水施設）"));
}

void SheetToolTest::resultsAsJsonLines() {
    const QString vp = example("residential-vp.tvr");
    const QString channel = example("rectangular-non-residential.tvr");
    const ToolRun run = runTool({QStringLiteral("--results"), vp, channel});
    QCOMPARE(run.exitCode, 0);
    const QList<QByteArray> lines = run.out.split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.last().isEmpty());

    // VP φ100 full, 10 per mille, Manning, P = 1000, q = 350: Q1 = 0.0041,
    // V = 0.859487…, Q2 = 0.006857977…, P max = Q2 × 86 400 000 / 350 = 1692.94….
    const QJsonObject first = jsonLine(lines.at(0));
    QCOMPARE(first.value("file").toString(), vp);
    QCOMPARE(first.value("allowanceFactor").toString(QStringLiteral("?")), QString());
    QCOMPARE(first.value("plannedFlow").toString(), QStringLiteral("0.0041"));
    QCOMPARE(first.value("capacity").toString(), QStringLiteral("0.0069"));
    QCOMPARE(first.value("velocity").toString(), QStringLiteral("0.8595"));
    QCOMPARE(first.value("maxPopulation").toString(), QStringLiteral("1692.9"));
    QVERIFY(first.value("marginRatio").isNull());
    QCOMPARE(first.value("status").toString(), kVelocityReminder);
    QCOMPARE(first.value("beeps").toInt(-1), 0);

    // Rectangular 1.0 × 0.5 at "水深８割", 2 per mille, n 0.015, Manning: A = 0.4,
    // R = 0.4 / 2.1, V = 0.98700…, Q2 = 0.39480…; Q1 = 0.0012 × 0.5 = 0.0006;
    // margin 100 × (Q2 − Q1) / Q1 = 65700.06 % against 50 %.
    const QJsonObject second = jsonLine(lines.at(1));
    QCOMPARE(second.value("plannedFlow").toString(), QStringLiteral("0.0006"));
    QCOMPARE(second.value("capacity").toString(), QStringLiteral("0.3948"));
    QCOMPARE(second.value("velocity").toString(), QStringLiteral("0.9870"));
    QVERIFY(second.value("maxPopulation").isNull());
    QCOMPARE(second.value("marginRatio").toString(), QStringLiteral("65700.06"));
    QCOMPARE(second.value("beeps").toInt(-1), 0);
}

void SheetToolTest::resultsEscapeCaptionsAndFileNames() {
    QTemporaryDir dir;
    const cp932::DecodeResult stored =
        cp932::decode(fileBytes(example("residential-vp.tvr")).toStdString());
    QVERIFY(stored.ok);
    // The stored Q1′ caption replaced by one with a quote, a backslash and a tab.
    QString text = QString::fromStdString(stored.utf8);
    const QString caption = QStringLiteral("\"0.0041\\\t");
    QVERIFY(text.contains(QStringLiteral("\r\n0.0041\r\n0.0069\r\n")));
    text.replace(QStringLiteral("\r\n0.0041\r\n0.0069\r\n"),
                 QStringLiteral("\r\n") + caption + QStringLiteral("\r\n0.0069\r\n"));
    // A file name may hold control characters too: they are written as \u00xx. Windows
    // allows none in a name, so there the name is a plain one.
    const QByteArray bytes = QByteArray::fromStdString(cp932::encode(text.toStdString()).bytes);
    QString document = dir.filePath(QStringLiteral("quoted\u0001\u001f.tvr"));
    if (!testing::writeBytes(document, bytes)) {
        document = dir.filePath(QStringLiteral("quoted.tvr"));
        QVERIFY(testing::writeBytes(document, bytes));
    }

    const ToolRun run = runTool({QStringLiteral("--results"), document});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.endsWith('\n'));
    // JSON allows no control character unescaped (Qt's reader lets them through).
    for (const char c : run.out.chopped(1))
        QVERIFY2(static_cast<unsigned char>(c) >= 0x20, run.out.constData());
    const QJsonObject json = jsonLine(run.out.chopped(1));
    QCOMPARE(json.value("file").toString(), document);
    QCOMPARE(json.value("plannedFlow").toString(), caption);
}

void SheetToolTest::unreadableAndRefusedDocumentsAreReported() {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.tvr"));
    // The VP example with its gradient line emptied.
    QByteArray bytes = fileBytes(example("residential-vp.tvr"));
    QVERIFY(bytes.contains("\r\n 2 \r\n10\r\n"));
    bytes.replace("\r\n 2 \r\n10\r\n", "\r\n 2 \r\n\r\n");
    const QString refused = dir.filePath(QStringLiteral("refused.tvr"));
    QFile file(refused);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();

    // The circular example as an editor converts it to UTF-8, with a byte-order mark.
    const QString utf8 = dir.filePath(QStringLiteral("utf8.tvr"));
    const std::string converted =
        tovarin::cp932::decode(fileBytes(example("other-circular-direct.tvr")).toStdString()).utf8;
    QVERIFY(writeBytes(utf8, "\xEF\xBB\xBF" + QByteArray::fromStdString(converted)));

    const QString vp = example("residential-vp.tvr");
    const ToolRun run = runTool({missing, vp, refused, utf8});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, runTool({vp}).out);
    const QString err = QString::fromUtf8(run.err);
    QVERIFY2(err.contains(utf8 + QStringLiteral(": ファイル「") + utf8 +
                          QStringLiteral("」を開けません。 このファイルは文字コードがUTF-8に"
                                         "変換されたTovarinの計算書データです。")),
             qPrintable(err));
    QVERIFY2(err.contains(missing + QStringLiteral(": ファイル「") + missing +
                          QStringLiteral("」を開けません。 ファイルが見つかりません。\n")),
             qPrintable(err));
    QVERIFY2(err.contains(refused + QStringLiteral(": 施設の勾配を入力してください。\n")),
             qPrintable(err));
    QCOMPARE(err.count(QLatin1Char('\n')), 3);

    const ToolRun results = runTool({QStringLiteral("--results"), refused});
    QCOMPARE(results.exitCode, 1);
    QVERIFY(results.out.isEmpty());
}

void SheetToolTest::wrongArguments() {
    QCOMPARE(runTool({}).exitCode, 2);
    const ToolRun unknown = runTool({QStringLiteral("--html"), example("residential-vp.tvr")});
    QCOMPARE(unknown.exitCode, 2);
    QVERIFY(unknown.out.isEmpty());
    const QString err = QString::fromUtf8(unknown.err);
    QVERIFY2(err.startsWith(QStringLiteral("tovarin-sheet: 不明なオプションです: --html\n"
                                           "tovarin-sheet: unknown option: --html\n使い方:")),
             qPrintable(err));

    // A document named first is not taken for the output of --pdf, and stays as it was.
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("a.tvr"));
    QVERIFY(QFile::copy(example("residential-vp.tvr"), document));
    const ToolRun pdf = runTool({QStringLiteral("--pdf"), document, example("residential-vp.tvr")});
    QCOMPARE(pdf.exitCode, 2);
    QVERIFY(pdf.err.contains("must end in .pdf"));
    QCOMPARE(fileBytes(document), fileBytes(example("residential-vp.tvr")));

    // An output that cannot be written says why.
    QMap<QString, QString> outputs{
        {dir.filePath(QStringLiteral("none/a.pdf")),
         QStringLiteral("フォルダ「%1」がありません。")
             .arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("none"))))},
        {dir.path() + QStringLiteral("/folder.pdf"), QStringLiteral("」はフォルダです。")}};
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.pdf")));
    const QString loop = dir.filePath(QStringLiteral("loop.pdf"));
    if (testing::makeSymbolicLink(loop + QStringLiteral("2"), loop) &&
        testing::makeSymbolicLink(loop, loop + QStringLiteral("2")))
        outputs.insert(loop, QStringLiteral("シンボリックリンクが循環しています。"));
    for (auto output = outputs.begin(); output != outputs.end(); ++output) {
        const ToolRun failed =
            runTool({QStringLiteral("--pdf"), output.key(), example("residential-vp.tvr")});
        QCOMPARE(failed.exitCode, 1);
        QVERIFY2(QString::fromUtf8(failed.err).contains(output.value()), failed.err.constData());
    }
    if (outputs.contains(loop))
        QVERIFY(QFileInfo(loop).isSymLink());
}

// -v as tovarin has it; the version with its licence, the help with where to report.
void SheetToolTest::helpAndVersion() {
    const ToolRun version = runTool({QStringLiteral("-v")});
    QCOMPARE(version.exitCode, 0);
    QVERIFY(version.out.startsWith("tovarin-sheet " TOVARIN_VERSION "\nCopyright (c) 2026"));
    QVERIFY(version.out.contains("MIT"));
    const ToolRun help = runTool({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains("Report faults to: <"));
}

// The arguments are the tool's own: Qt's options (-style=…, -stylesheet=…) are
// documents after "--" like any name that begins with a dash.
void SheetToolTest::namesLikeQtOptionsAreDocuments() {
    QTemporaryDir dir;
    for (const char* name : {"-style=fusion.tvr", "-stylesheet=a.tvr"})
        QVERIFY(QFile::copy(example("residential-vp.tvr"), dir.filePath(QLatin1String(name))));
    const ToolRun run =
        runProgram(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST),
                   {QStringLiteral("--utf8"), QStringLiteral("--"),
                    QStringLiteral("-style=fusion.tvr"), QStringLiteral("-stylesheet=a.tvr")},
                   dir.path());
    QCOMPARE(run.exitCode, 0);
    const QByteArray sheet = runTool({QStringLiteral("--utf8"), example("residential-vp.tvr")}).out;
    QCOMPARE(run.out, sheet + sheet);
}

// On a terminal the sheet is readable: the text of --utf8 (the terminal ends its lines
// with CR LF itself). Into a pipe it stays the bytes of "書き込み" (above).
void SheetToolTest::sheetOnATerminalIsUtf8() {
    if (QStandardPaths::findExecutable(QStringLiteral("script")).isEmpty())
        QSKIP("no util-linux script here to give the tool a terminal");
    const QString vp = example("residential-vp.tvr");
    const ToolRun terminal =
        runProgram(QStringLiteral("script"),
                   {QStringLiteral("-qec"),
                    QStringLiteral("'%1' '%2'").arg(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST), vp),
                    QStringLiteral("/dev/null")});
    QCOMPARE(terminal.exitCode, 0);
    QByteArray shown = terminal.out;
    shown.replace("\r\n", "\n");
    QCOMPARE(shown, runTool({QStringLiteral("--utf8"), vp}).out);
}

// Documents that came out differently after another document: a groundwater pair
// stored with neither option (the compared Q1 was the earlier document's), an
// allowance pair with neither (the earlier allowance factor showed), land-use lines
// that do not read (the earlier land use stayed and the document was refused).
// One run of the tool over a sequence that holds each of these after the document
// that changed it, against the documents named alone.
void SheetToolTest::eachDocumentAsIfNamedAlone_data() {
    QTest::addColumn<QString>("option");
    QTest::newRow("sheet") << QString();
    QTest::newRow("results") << QStringLiteral("--results");
    QTest::newRow("table") << QStringLiteral("--csv");
}

void SheetToolTest::eachDocumentAsIfNamedAlone() {
    QFETCH(QString, option);
    QTemporaryDir dir;
    const QString vp = example("residential-vp.tvr");
    const QString pipe = example("other-circular-direct.tvr"); // groundwater and allowance on
    const QString channel = example("rectangular-non-residential.tvr");
    const QString noGroundwater =
        variantOf(dir, "residential-vp.tvr", {{4, "False"}, {5, "False"}}, "no-groundwater.tvr");
    const QString noAllowance =
        variantOf(dir, "residential-vp.tvr", {{6, "False"}, {7, "False"}}, "no-allowance.tvr");
    const QString noLandUse = variantOf(dir, "rectangular-non-residential.tvr",
                                        {{16, "x"}, {17, "x"}, {18, "x"}}, "no-land-use.tvr");
    QVERIFY(!noGroundwater.isEmpty() && !noAllowance.isEmpty() && !noLandUse.isEmpty());

    const QStringList sequence = {pipe, noGroundwater, pipe, noAllowance, vp, noLandUse,
                                  vp,   channel,       pipe};
    const QStringList options = option.isEmpty() ? QStringList() : QStringList{option};
    QMap<QString, ToolRun> alone;
    for (const QString& document : sequence)
        if (!alone.contains(document))
            alone.insert(document, runTool(options + QStringList{document}));

    // A table has its header once, above the rows of every document.
    const bool table = option == QLatin1String("--csv");
    const auto rowsOf = [table](const QByteArray& out) {
        return table ? out.mid(out.indexOf("\r\n") + 2) : out;
    };
    const QByteArray& first = alone[sequence.first()].out;
    QByteArray out = table ? first.left(first.size() - rowsOf(first).size()) : QByteArray();
    QByteArray err;
    int exitCode = 0;
    for (const QString& document : sequence) {
        out += rowsOf(alone[document].out);
        err += alone[document].err;
        exitCode = qMax(exitCode, alone[document].exitCode);
    }
    QVERIFY(alone[noGroundwater].exitCode == 0 && alone[noAllowance].exitCode == 0);
    const ToolRun together = runTool(options + sequence);
    QCOMPARE(QString::fromUtf8(together.err), QString::fromUtf8(err));
    QCOMPARE(together.out, out);
    QCOMPARE(together.exitCode, exitCode);
}

// A groundwater pair stored with neither option counts as "無し": the document's own
// Q1 is compared, shown on the panel and written on the sheet.
void SheetToolTest::ownPlannedFlowWithoutAGroundwaterChoice() {
    QTemporaryDir dir;
    const QString document =
        variantOf(dir, "residential-vp.tvr", {{4, "False"}, {5, "False"}}, "no-groundwater.tvr");
    QVERIFY(!document.isEmpty());
    const ToolRun results = runTool({QStringLiteral("--results"), document});
    QCOMPARE(results.exitCode, 0);
    const QJsonObject panel = jsonLine(results.out.trimmed());
    QCOMPARE(panel.value("plannedFlow").toString(), QStringLiteral("0.0041"));
    QCOMPARE(panel.value("maxPopulation").toString(), QStringLiteral("1692.9"));

    // The same sheet as the document with "無し" stored.
    const ToolRun sheet = runTool({QStringLiteral("--utf8"), document});
    QCOMPARE(sheet.exitCode, 0);
    QCOMPARE(sheet.out, runTool({QStringLiteral("--utf8"), example("residential-vp.tvr")}).out);
    QVERIFY(sheet.out.contains("Q1=0.0041m3/sec  <  Q2=0.0069m3/sec"));
}

void SheetToolTest::failedStandardOutputIsReported() {
    if (testing::fullDeviceName().isEmpty())
        QSKIP("no device that fails every write on this system");
    for (const QString& option : {QStringLiteral("--utf8"), QStringLiteral("--results"),
                                  QStringLiteral("--help"), QStringLiteral("--version")}) {
        const bool answer = option.startsWith(QLatin1String("--help")) || option == "--version";
        QProcess tool;
        tool.setStandardOutputFile(testing::fullDeviceName());
        tool.start(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST),
                   answer ? QStringList{option}
                          : QStringList{option, example("residential-vp.tvr")});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tool.exitCode(), 1);
        const QString err = QString::fromUtf8(tool.readAllStandardError());
        QVERIFY2(err.contains(QStringLiteral("標準出力に書き込めませんでした（")), qPrintable(err));
    }
}

// A name in code page 932 ("テスト.tvr"), as a document copied from Windows may have.
// Beside it a UTF-8 name that is what Qt would make of those bytes ("�e�X�g.tvr",
// U+FFFD for each byte it cannot read): that document is used, by its own bytes.
void SheetToolTest::fileNameNotInUtf8IsRefusedByItsBytes() {
    QTemporaryDir dir;
    const QByteArray name("\x83\x65\x83\x58\x83\x67.tvr");
    if (argumentKeepsItsBytes(name))
        QSKIP("file names are UTF-16 on this system: every name is kept");
    const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
    FILE* file = std::fopen(path.constData(), "wb");
    QVERIFY(file);
    const QByteArray bytes = fileBytes(example("residential-vp.tvr"));
    const bool written =
        std::fwrite(bytes.constData(), 1, bytes.size(), file) == size_t(bytes.size());
    QVERIFY(std::fclose(file) == 0 && written);

    const QString vp = example("residential-vp.tvr");
    const QString replaced = QStringLiteral("\uFFFDe\uFFFDX\uFFFDg.tvr");
    QVERIFY(QFile::copy(vp, dir.filePath(replaced)));
    const ToolRun run = runToolInShell(
        QStringLiteral("exec \"$0\" \"$(printf '\\203e\\203X\\203g.tvr')\" \"%1\" \"%2\"")
            .arg(vp, replaced),
        dir.path());
    QCOMPARE(run.exitCode, 1);
    const QByteArray sheet = runTool({vp}).out;
    QCOMPARE(run.out, sheet + sheet); // the other documents still come out
    const QString err = QString::fromUtf8(run.err);
    QCOMPARE(err,
             QStringLiteral("\\x83e\\x83X\\x83g.tvr: ファイル名がUTF-8で表せないため、使えません。"
                            "UTF-8の名前に変えてください。\n"));
}

// A file past the reader's limit is called too large, with the limit, as the writer
// calls a document it refuses to save.
void SheetToolTest::oversizedDocumentIsCalledTooLarge() {
    QTemporaryDir dir;
    const QString huge = dir.filePath(QStringLiteral("huge.tvr"));
    QByteArray bytes = fileBytes(example("residential-vp.tvr"));
    bytes.append(QByteArray(4 * 1024 * 1024 + 1 - bytes.size(), ' '));
    QVERIFY(testing::writeBytes(huge, bytes));
    const ToolRun run = runTool({huge});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(
        QString::fromUtf8(run.err),
        huge + QStringLiteral(": ファイル「") + huge +
            QStringLiteral(
                "」を開けません。 ファイルが大きすぎます（計算書データは4194304バイトまで）。\n"));
}

// --results keeps the captions Open restores, and flags a document whose stored
// results are not those of its inputs, as --csv does; an agreeing one has no flag.
void SheetToolTest::resultsSayWhenStoredResultsDiffer() {
    QTemporaryDir dir;
    QByteArray bytes = fileBytes(example("residential-vp.tvr"));
    QVERIFY(bytes.contains("\r\n0.0041\r\n0.0069\r\n"));
    bytes.replace("\r\n0.0041\r\n0.0069\r\n", "\r\n0.0041\r\ninf\r\n");
    const QString edited = dir.filePath(QStringLiteral("edited.tvr"));
    QVERIFY(testing::writeBytes(edited, bytes));

    const ToolRun run =
        runTool({QStringLiteral("--results"), example("residential-vp.tvr"), edited});
    QCOMPARE(run.exitCode, 0);
    const QList<QByteArray> lines = run.out.split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY(!lines.at(0).contains("storedResultsDiffer"));
    QVERIFY(lines.at(0).endsWith(",\"beeps\":0}"));
    const QJsonObject differing = jsonLine(lines.at(1));
    QCOMPARE(differing.value("capacity").toString(), QStringLiteral("inf"));
    QCOMPARE(differing.value("storedResultsDiffer").toBool(false), true);
}

// A closed standard output (>&-) is said, not written into whatever file took its
// number; a mode that writes a file needs none.
void SheetToolTest::closedStandardOutputIsSaid() {
    if (testing::fullDeviceName().isEmpty())
        QSKIP("no shell that can close a program's standard output on this system");
    QTemporaryDir dir;
    for (const QString& arguments :
         {QStringLiteral("\"%1\"").arg(example("residential-vp.tvr")),
          QStringLiteral("--results \"%1\"").arg(example("residential-vp.tvr")),
          QStringLiteral("--version")}) {
        const ToolRun run =
            runToolInShell(QStringLiteral("exec \"$0\" %1 >&-").arg(arguments), dir.path());
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(QString::fromUtf8(run.err), QStringLiteral("標準出力が閉じられています。\n"));
    }
    const ToolRun pdf = runToolInShell(
        QStringLiteral("exec \"$0\" --pdf out.pdf \"%1\" >&-").arg(example("residential-vp.tvr")),
        dir.path());
    QCOMPARE(pdf.exitCode, 0);
    QVERIFY(fileBytes(dir.filePath(QStringLiteral("out.pdf"))).startsWith("%PDF-"));
}

// A line end or ESC in a file name shows in a message as it shows on the sheet ("?"):
// it can neither forge a second message line nor act in the terminal.
void SheetToolTest::controlCharactersInNamesAreShownAsOnTheSheet() {
    if (testing::fullDeviceName().isEmpty())
        QSKIP("file names hold no control characters on this system");
    QTemporaryDir dir;
    const ToolRun run =
        runToolInShell(QStringLiteral("exec \"$0\" \"$(printf 'a\\nb\\033[2J.tvr')\""), dir.path());
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(QString::fromUtf8(run.err),
             QStringLiteral("a?b?[2J.tvr: ファイル「a?b?[2J.tvr」を開けません。 "
                            "ファイルが見つかりません。\n"));

    const ToolRun pdf =
        runToolInShell(QStringLiteral("exec \"$0\" --pdf \"$(printf 'no\\nfolder/x.pdf')\" \"%1\"")
                           .arg(example("residential-vp.tvr")),
                       dir.path());
    QCOMPARE(pdf.exitCode, 1);
    QCOMPARE(pdf.err.count('\n'), 1);
    QVERIFY2(pdf.err.contains("no?folder/x.pdf"), pdf.err.constData());
}

QTEST_MAIN(SheetToolTest)
#include "SheetToolTest.moc"
