// tovarin-sheet --profile on drainage network documents: the SVG's texts (manholes,
// levels, the scales), the path to the outlet named, PNG and PDF, refusals; and the
// levels and 注意 of each section in --results.

#include "tests/support/TestFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace tovarin;
using tovarin::testing::fileBytes;
using tovarin::testing::runProgram;
using tovarin::testing::ToolRun;

namespace {

const QString rainwater = QStringLiteral(TOVARIN_EXAMPLES_DIR "/network-rainwater.tvn");
const QString sewage = QStringLiteral(TOVARIN_EXAMPLES_DIR "/network-sewage.tvn");

ToolRun runTool(const QStringList& arguments) {
    return runProgram(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST), arguments);
}

// The sewage example with the levels of the worked example and 最小土被り 1.0.
QByteArray sewageWithLevels() {
    QByteArray bytes = fileBytes(sewage);
    bytes.replace("余裕=50\n", "余裕=50\n最小土被り=1.0\n");
    bytes.replace("区間=2,", "地盤高=10.500,10.200\n管底高=9.200\n区間=2,");
    bytes.replace("区間=3,", "地盤高=10.400,10.200\n管底高=9.150\n区間=3,");
    bytes += "地盤高=10.200,10.100\n";
    return bytes;
}

// Every text element of an SVG, in order.
QStringList svgTexts(const QByteArray& svg) {
    QStringList texts;
    static const QRegularExpression text(QStringLiteral("<text[^>]*>([^<]*)</text>"));
    for (const QRegularExpressionMatch& match : text.globalMatch(QString::fromUtf8(svg)))
        texts << match.captured(1);
    return texts;
}

} // namespace

class NetworkProfileToolTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }
    void svgTextsListTheManholesAndLevels();
    void toNamesTheOutletOfThePath();
    void pngAndPdfAreWritten();
    void refusals();
    void resultsCarryTheLevelsAndNotes();

private:
    QString levelsFile() {
        const QString path = dir.filePath(QStringLiteral("levels.tvn"));
        return testing::writeBytes(path, sewageWithLevels()) ? path : QString();
    }
    QTemporaryDir dir;
};

void NetworkProfileToolTest::svgTextsListTheManholesAndLevels() {
    const QString svg = dir.filePath(QStringLiteral("sewage.svg"));
    const ToolRun run = runTool({QStringLiteral("--profile"), svg, levelsFile()});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.isEmpty());
    const QStringList texts = svgTexts(fileBytes(svg));
    QCOMPARE(texts.value(0), QStringLiteral("縦断図　縮尺　横 1:500　縦 1:100"));
    // The longest path: 1 (40 m) then 3; 2 (35 m) is not on it.
    for (const char* expected : {"No.1",        "No.3",
                                 "公共汚水桝",  "測点",
                                 "追加距離(m)", "土被り(m)",
                                 "0.0",         "40.0",
                                 "65.0",        "10.500",
                                 "10.200",      "10.100",
                                 "9.200",       "8.800",
                                 "8.675",       "1.097",
                                 "1.197",       "1.222",
                                 "10.0",        "5.0",
                                 "VU - φ200",   "注意：流速が下流で遅くなる"})
        QVERIFY2(texts.contains(QString::fromUtf8(expected)), expected);
    QVERIFY(!texts.contains(QStringLiteral("No.2")));
    QVERIFY(!texts.contains(QStringLiteral("9.150")));

    // The rainwater example has no levels: its manholes, lengths and scales still.
    const QString rain = dir.filePath(QStringLiteral("rain.svg"));
    QCOMPARE(runTool({QStringLiteral("--profile"), rain, rainwater}).exitCode, 0);
    const QStringList rainTexts = svgTexts(fileBytes(rain));
    for (const char* expected : {"No.1", "No.3", "放流先", "A-1", "A-2", "60.0", "140.0",
                                 "（地盤高・管底高の入力がありません）"})
        QVERIFY2(rainTexts.contains(QString::fromUtf8(expected)), expected);
}

void NetworkProfileToolTest::toNamesTheOutletOfThePath() {
    const QString svg = dir.filePath(QStringLiteral("to.svg"));
    const ToolRun run = runTool({QStringLiteral("--profile"), svg, QStringLiteral("--to"),
                                 QStringLiteral("No.3"), rainwater});
    QCOMPARE(run.exitCode, 0);
    const QStringList texts = svgTexts(fileBytes(svg));
    QVERIFY(texts.contains(QStringLiteral("No.1")));
    QVERIFY(texts.contains(QStringLiteral("No.3")));
    QVERIFY(!texts.contains(QStringLiteral("放流先")));
}

void NetworkProfileToolTest::pngAndPdfAreWritten() {
    const QString png = dir.filePath(QStringLiteral("p.png"));
    const QString pdf = dir.filePath(QStringLiteral("p.pdf"));
    QCOMPARE(runTool({QStringLiteral("--profile"), png, levelsFile()}).exitCode, 0);
    QCOMPARE(runTool({QStringLiteral("--profile"), pdf, levelsFile()}).exitCode, 0);
    QVERIFY(fileBytes(png).startsWith("\x89PNG"));
    QVERIFY(fileBytes(pdf).startsWith("%PDF-"));
}

void NetworkProfileToolTest::refusals() {
    const QString svg = dir.filePath(QStringLiteral("refused.svg"));
    const ToolRun nowhere = runTool(
        {QStringLiteral("--profile"), svg, QStringLiteral("--to"), QStringLiteral("無い"), sewage});
    QCOMPARE(nowhere.exitCode, 1);
    QVERIFY(nowhere.err.contains("人孔「無い」へ流れる区間がありません。"));
    QVERIFY(!QFile::exists(svg));
    const ToolRun sewageSheet =
        runTool({QStringLiteral("--profile"), svg,
                 QStringLiteral(TOVARIN_EXAMPLES_DIR "/residential-vp.tvr")});
    QCOMPARE(sewageSheet.exitCode, 1);
    QVERIFY(sewageSheet.err.contains("--profile は系統の計算書データ（.tvn）のみです。"));
    QCOMPARE(runTool({QStringLiteral("--profile"), dir.filePath(QStringLiteral("p.csv")), sewage})
                 .exitCode,
             2);
    QCOMPARE(runTool({QStringLiteral("--results"), QStringLiteral("--to"), QStringLiteral("No.3"),
                      sewage})
                 .exitCode,
             2);
    // A level that is not a number names its line.
    QByteArray bad = sewageWithLevels();
    bad.replace("管底高=9.150", "管底高=9,150");
    const QString badFile = dir.filePath(QStringLiteral("bad.tvn"));
    QVERIFY(testing::writeBytes(badFile, bad));
    const ToolRun refused = runTool({QStringLiteral("--profile"), svg, badFile});
    QCOMPARE(refused.exitCode, 1);
    QVERIFY(refused.err.contains("行目：管底高が数値ではありません。"));
}

void NetworkProfileToolTest::resultsCarryTheLevelsAndNotes() {
    QByteArray bytes = sewageWithLevels();
    bytes.replace("地盤高=10.500,10.200", "地盤高=10.250,10.200");
    const QString path = dir.filePath(QStringLiteral("shallow.tvn"));
    QVERIFY(testing::writeBytes(path, bytes));
    const ToolRun run = runTool({QStringLiteral("--results"), path, sewage});
    QCOMPARE(run.exitCode, 0);
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 6);
    const auto object = [&](int i) { return QJsonDocument::fromJson(lines[i]).object(); };
    QCOMPARE(object(0).value("upperInvert").toString(), QStringLiteral("9.200"));
    QCOMPARE(object(0).value("upperCover").toString(), QStringLiteral("0.847"));
    QCOMPARE(object(0).value("notes").toArray(),
             QJsonArray{QStringLiteral("土被りが最小土被りより小さい（上流端）")});
    QCOMPARE(object(2).value("upperInvert").toString(), QStringLiteral("8.800"));
    QCOMPARE(object(2).value("lowerInvert").toString(), QStringLiteral("8.675"));
    QCOMPARE(object(2).value("lowerCover").toString(), QStringLiteral("1.222"));
    QCOMPARE(object(2).value("notes").toArray(),
             QJsonArray{QStringLiteral("流速が下流で遅くなる")});
    // Without levels: null.
    QVERIFY(object(3).value("upperInvert").isNull());
    QVERIFY(object(3).value("lowerCover").isNull());
    QCOMPARE(object(3).value("notes").toArray(), QJsonArray{});
}

QTEST_MAIN(NetworkProfileToolTest)
#include "NetworkProfileToolTest.moc"
