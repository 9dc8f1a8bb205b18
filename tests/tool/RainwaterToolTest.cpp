// tovarin-sheet on rainwater documents (.tvu): the worked example's sheet and figures,
// refused documents, the results table and the PDF; and the document file written by
// the whole-file writer and read back.

#include "documents/DocumentFile.h"
#include "documents/RainwaterFile.h"
#include "platform/Cp932.h"
#include "tests/support/RainwaterInputs.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

using namespace tovarin;
using tovarin::testing::fileBytes;
using tovarin::testing::runProgram;
using tovarin::testing::ToolRun;

namespace {

const QString uDitch = QStringLiteral(TOVARIN_EXAMPLES_DIR "/rainwater-u-ditch.tvu");

ToolRun runTool(const QStringList& arguments) {
    return runProgram(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST), arguments);
}

QString writtenDocument(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    return testing::writeBytes(path, bytes) ? path : QString();
}

// The example with one line replaced.
QByteArray exampleWith(const QByteArray& line, const QByteArray& replacement) {
    QByteArray bytes = fileBytes(uDitch);
    bytes.replace(line, replacement);
    return bytes;
}

} // namespace

class RainwaterToolTest : public QObject {
    Q_OBJECT

private slots:
    void resultsOfTheWorkedExample();
    void sheetIsTheReviewedText();
    void refusedDocumentsAreReportedAndTheOthersWritten();
    void resultsTableOfRainwaterDocuments();
    void pdfOfTheSheet();
    void documentFileRoundTrip();
    void outputOverAnInputIsRefused();
    void outputOverAnInputIsRefused_data();
    void standardOutputOntoAnInputIsRefused();
    void fileCellShowsControlCharacters();
    void nameOutsideCodePage932IsRefusedByEveryOutput();
    void crOnlyDocumentReads();
};

void RainwaterToolTest::resultsOfTheWorkedExample() {
    const ToolRun run = runTool({QStringLiteral("--results"), uDitch});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    QVERIFY(run.out.endsWith("}\n"));
    const QJsonObject o = QJsonDocument::fromJson(run.out).object();
    const QMap<QString, QString> expected = {
        {"area", "0.4500"},        {"runoffCoefficient", "0.50"}, {"velocity", "0.9628"},
        {"flowTime", "2.1"},       {"concentrationTime", "9.1"},  {"intensity", "101.8"},
        {"plannedFlow", "0.0636"}, {"capacity", "0.0693"},        {"verdict", "O.K"},
        {"velocityGuide", "適正"}};
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QCOMPARE(o.value(it.key()).toString(), it.value());

    QTemporaryDir dir;
    const QString direct =
        writtenDocument(dir, QStringLiteral("direct.tvu"),
                        exampleWith("降雨強度=タルボット,5000,40\n流入時間=7\n流下延長=120\n",
                                    "降雨強度=直接,150\n"));
    const QJsonObject d =
        QJsonDocument::fromJson(runTool({QStringLiteral("--results"), direct}).out).object();
    QVERIFY(d.value("flowTime").isNull());
    QVERIFY(d.value("concentrationTime").isNull());
    QCOMPARE(d.value("verdict").toString(), QStringLiteral("NG"));
}

// The sheet as reviewed against the worked example (tests/tool/rainwater-u-ditch.txt);
// without --utf8, on a pipe, the report file's code page 932 and CR LF.
void RainwaterToolTest::sheetIsTheReviewedText() {
    const QByteArray reviewed =
        fileBytes(QStringLiteral(TOVARIN_TEST_SOURCE_DIR "/rainwater-u-ditch.txt"));
    QVERIFY(reviewed.contains("☆ 流量計算書（雨水排水施設）"));
    const ToolRun utf8 = runTool({QStringLiteral("--utf8"), uDitch});
    QCOMPARE(utf8.exitCode, 0);
    QCOMPARE(utf8.out, reviewed);

    const ToolRun piped = runTool({uDitch});
    QCOMPARE(piped.exitCode, 0);
    QByteArray crlf = reviewed;
    crlf.replace("\n", "\r\n");
    QCOMPARE(piped.out, QByteArray::fromStdString(cp932::encode(crlf.toStdString()).bytes));
}

void RainwaterToolTest::refusedDocumentsAreReportedAndTheOthersWritten() {
    QTemporaryDir dir;
    const QString badLine =
        writtenDocument(dir, QStringLiteral("bad.tvu"), exampleWith("勾配=5.0", "勾配=5‰"));
    const QString refused = writtenDocument(dir, QStringLiteral("refused.tvu"),
                                            exampleWith("間地,0.2500,0.20", "間地,0.2500,1.20"));
    const ToolRun run = runTool({QStringLiteral("--results"), badLine, refused, uDitch});
    QCOMPARE(run.exitCode, 1);
    const QString err = QString::fromUtf8(run.err);
    QVERIFY2(err.contains(badLine + QStringLiteral(": ファイル「") + badLine +
                          QStringLiteral("」を開けません。 9行目：勾配が数値ではありません。")),
             run.err.constData());
    QVERIFY2(err.contains(refused +
                          QStringLiteral(": 区域（3行目）の流出係数には０より大きく１以下の値を入力"
                                         "してください。")),
             run.err.constData());
    QCOMPARE(run.out.count('\n'), 1);
    QVERIFY(run.out.contains("\"plannedFlow\":\"0.0636\""));
}

void RainwaterToolTest::resultsTableOfRainwaterDocuments() {
    QTemporaryDir dir;
    const QString refused =
        writtenDocument(dir, QStringLiteral("refused.tvu"),
                        exampleWith("区域=屋根,0.1200,0.90\n", "区域=屋根,0,0.90\n"));
    const ToolRun run = runTool({QStringLiteral("--csv"), uDitch, refused});
    QCOMPARE(run.exitCode, 1);
    const QList<QByteArray> rows = run.out.split('\n');
    QCOMPARE(rows.size(), 4);
    QVERIFY(rows.at(0).startsWith("\xEF\xBB\xBF"
                                  "ファイル,集水面積A(ha),流出係数C,"));
    QCOMPARE(rows.at(1),
             uDitch.toUtf8() +
                 ",0.4500,0.50,タルボット,2.1,9.1,101.8,0.0636,矩形,Ｕ型側溝３００ 300×300,"
                 "5.0,0.015,マニング,水深８割,0.9628,0.0693,O.K,適正,\r");
    QVERIFY(rows.at(2).endsWith(",区域（1行目）の面積には0.0001ha以上の値を入力してください。\r"));

    // Sewage and rainwater documents have different columns: one table cannot hold both.
    const ToolRun mixed = runTool({QStringLiteral("--csv"), uDitch,
                                   QStringLiteral(TOVARIN_EXAMPLES_DIR "/residential-vp.tvr")});
    QCOMPARE(mixed.exitCode, 2);
    QVERIFY(mixed.out.isEmpty());
    QVERIFY(mixed.err.contains("一度に指定できるのはどちらか一方"));
}

void RainwaterToolTest::pdfOfTheSheet() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("雨水.pdf"));
    const ToolRun run = runTool({QStringLiteral("--pdf"), pdf, uDitch});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    const QByteArray bytes = fileBytes(pdf);
    QVERIFY(bytes.startsWith("%PDF-"));
    QVERIFY(bytes.trimmed().endsWith("%%EOF"));
}

void RainwaterToolTest::documentFileRoundTrip() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("保存.tvu"));
    const RainwaterInput input = testing::uDitchInput();
    QVERIFY(writeRainwaterFile(path, input).ok());
    QCOMPARE(fileBytes(path), fileBytes(uDitch));
    QVERIFY(documentKindOfFile(path) == DocumentKind::Rainwater);
    const RainwaterFileRead read = readRainwaterFile(path);
    QVERIFY2(read.input, qPrintable(read.message));
    QCOMPARE(*read.input == input, true);

    // Input the document cannot hold is refused before anything is written.
    RainwaterInput unsaveable = input;
    unsaveable.gradientText = "急";
    const RainwaterFileWrite refused = writeRainwaterFile(path, unsaveable);
    QVERIFY(refused.refusal);
    QCOMPARE(refused.refusal->field, RainwaterField::Gradient);
    QCOMPARE(fileBytes(path), fileBytes(uDitch));

    // Only a regular file is read.
    const RainwaterFileRead folder = readRainwaterFile(dir.path());
    QVERIFY(!folder.input);
    QVERIFY(folder.message.endsWith(QStringLiteral("フォルダは開けません。")));
}

// An output that reaches one of the inputs (by its own name, a symbolic link or a hard
// link) is refused before anything is written: the document stays as it was.
void RainwaterToolTest::outputOverAnInputIsRefused_data() {
    QTest::addColumn<QString>("link");
    QTest::newRow("same name") << QString();
    QTest::newRow("symbolic link") << QStringLiteral("symbolic");
    QTest::newRow("hard link") << QStringLiteral("hard");
}

void RainwaterToolTest::outputOverAnInputIsRefused() {
    QFETCH(QString, link);
    QTemporaryDir dir;
    const QString document = writtenDocument(dir, QStringLiteral("d.pdf"), fileBytes(uDitch));
    QString output = document;
    if (!link.isEmpty()) {
        output = dir.filePath(QStringLiteral("out.pdf"));
#ifdef Q_OS_WIN
        QSKIP("links are made by the POSIX calls");
#else
        const QByteArray from = QFile::encodeName(document);
        const QByteArray to = QFile::encodeName(output);
        QCOMPARE(link == QStringLiteral("hard") ? ::link(from, to) : ::symlink(from, to), 0);
#endif
    }
    const ToolRun run = runTool({QStringLiteral("--pdf"), output, document});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains("と同じファイルです。入力を上書きしないよう、別の名前を指定して"
                              "ください。"),
             run.err.constData());
    QCOMPARE(fileBytes(document), fileBytes(uDitch));
}

void RainwaterToolTest::standardOutputOntoAnInputIsRefused() {
    QTemporaryDir dir;
    const QString document = writtenDocument(dir, QStringLiteral("a.tvu"), fileBytes(uDitch));
    QProcess tool;
    tool.setStandardOutputFile(document, QIODevice::Append);
    tool.start(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST), {QStringLiteral("--csv"), document});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 2);
    QVERIFY(tool.readAllStandardError().contains("標準出力の行き先が入力の"));
    QCOMPARE(fileBytes(document), fileBytes(uDitch));
}

// The --csv file column shows a control character of a name as the messages do, and a
// bidirectional control too; the table stays UTF-8 with whole names.
void RainwaterToolTest::fileCellShowsControlCharacters() {
#ifdef Q_OS_WIN
    QSKIP("a Windows file name holds no control character");
#endif
    QTemporaryDir dir;
    const QString name = QStringLiteral("a\x1b[2J\ab\u202Ec.tvu");
    const QString document = writtenDocument(dir, name, fileBytes(uDitch));
    const QString longMaterial = QStringLiteral("排水路").repeated(30);
    const QString material = writtenDocument(dir, QStringLiteral("material.tvu"),
                                             exampleWith("Ｕ型側溝３００", longMaterial.toUtf8()));
    const ToolRun run = runTool({QStringLiteral("--csv"), document, material});
    QCOMPARE(run.exitCode, 0);
    const QList<QByteArray> rows = run.out.split('\n');
    QVERIFY2(rows.at(1).startsWith(dir.filePath(QStringLiteral("a?[2J?b?c.tvu")).toUtf8() + ','),
             rows.at(1).constData());
    for (const char control : {'\x1b', '\x07'})
        QVERIFY(!run.out.contains(control));
    QVERIFY(!run.out.contains("\u202E"));
    QVERIFY(rows.at(2).contains(longMaterial.toUtf8()));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(run.out);
    QVERIFY(!decoded.isEmpty() && !utf8.hasError());
}

// A name that code page 932 cannot hold is refused on reading, by every output alike,
// with its line and its character named; no PDF is written.
void RainwaterToolTest::nameOutsideCodePage932IsRefusedByEveryOutput() {
    QTemporaryDir dir;
    const QString document = writtenDocument(dir, QStringLiteral("name.tvu"),
                                             exampleWith("区域=道路,", "区域=𠮷野家の道路,"));
    const QString pdf = dir.filePath(QStringLiteral("name.pdf"));
    const QList<QStringList> runs = {{QStringLiteral("--pdf"), pdf, document},
                                     {QStringLiteral("--results"), document},
                                     {QStringLiteral("--csv"), document},
                                     {QStringLiteral("--utf8"), document},
                                     {document}};
    for (const QStringList& arguments : runs) {
        const ToolRun run = runTool(arguments);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(QString::fromUtf8(run.err).contains(
                     QStringLiteral("3行目：区域（2行目）の名称の文字「𠮷」（U+20BB7）は計算書の"
                                    "文字コード（シフトJIS）にないため使えません。")),
                 run.err.constData());
    }
    QVERIFY(!QFile::exists(pdf));
}

void RainwaterToolTest::crOnlyDocumentReads() {
    QTemporaryDir dir;
    QByteArray crOnly = fileBytes(uDitch);
    crOnly.replace('\n', '\r');
    const QString document = writtenDocument(dir, QStringLiteral("cr.tvu"), crOnly);
    const ToolRun run = runTool({QStringLiteral("--results"), document});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.contains("\"plannedFlow\":\"0.0636\""));
}

QTEST_MAIN(RainwaterToolTest)
#include "RainwaterToolTest.moc"
