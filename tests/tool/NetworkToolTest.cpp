// tovarin-sheet on drainage network documents (.tvn): the worked examples' tables in
// every output, refused networks, the table of sections and the landscape PDF.

#include "platform/Cp932.h"
#include "tests/support/PrintTestSupport.h"
#include "tests/support/TestFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

QString written(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    return testing::writeBytes(path, bytes) ? path : QString();
}

QByteArray exampleWith(const QString& example, const QByteArray& line,
                       const QByteArray& replacement) {
    QByteArray bytes = fileBytes(example);
    bytes.replace(line, replacement);
    return bytes;
}

// A chain of `count` sections, each with a little road flowing into the next.
QByteArray chain(int count) {
    QByteArray text = "Tovarin 雨水系統 1\n降雨強度=タルボット,5000,40\n流入時間=7\n";
    for (int i = 0; i < count; ++i) {
        const QByteArray lower = i + 1 < count ? "M" + QByteArray::number(i + 1) : "放流先";
        text += "区間=S" + QByteArray::number(i) + ",M" + QByteArray::number(i) + "," + lower +
                ",20\n区域=道路,0.0100,0.85\n施設=矩形,水路,1.0,1.0\n勾配=5.0\n粗度係数=0.015\n"
                "公式=マニング\n有効水深=水深８割\n";
    }
    return text;
}

} // namespace

class NetworkToolTest : public QObject {
    Q_OBJECT

private slots:
    void sheetsAreTheReviewedTexts();
    void resultsAreOneLinePerSection();
    void tableHasARowPerSection();
    void refusedNetworksNameTheLine();
    void pdfRepeatsTheHeaderOnEveryPage();
};

// The sheets as reviewed against the worked examples (tests/tool/network-*.txt); on a
// pipe, the report file's code page 932 and CR LF.
void NetworkToolTest::sheetsAreTheReviewedTexts() {
    for (const auto& [example, reviewedName] :
         {std::pair{rainwater, "network-rainwater.txt"}, std::pair{sewage, "network-sewage.txt"}}) {
        const QByteArray reviewed =
            fileBytes(QStringLiteral(TOVARIN_TEST_SOURCE_DIR "/") + reviewedName);
        QVERIFY(reviewed.contains("☆ 流量計算表（"));
        const ToolRun utf8 = runTool({QStringLiteral("--utf8"), example});
        QCOMPARE(utf8.exitCode, 0);
        QCOMPARE(utf8.out, reviewed);
        const ToolRun piped = runTool({example});
        QCOMPARE(piped.exitCode, 0);
        QByteArray crlf = reviewed;
        crlf.replace("\n", "\r\n");
        QCOMPARE(piped.out, QByteArray::fromStdString(cp932::encode(crlf.toStdString()).bytes));
    }
}

void NetworkToolTest::resultsAreOneLinePerSection() {
    const ToolRun run = runTool({QStringLiteral("--results"), rainwater, sewage});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 6);
    const QJsonObject a2 = QJsonDocument::fromJson(lines.at(2)).object();
    const QStringList keys = {"file",
                              "line",
                              "upper",
                              "lower",
                              "length",
                              "area",
                              "totalArea",
                              "runoffCoefficient",
                              "inflowTime",
                              "flowTime",
                              "concentrationTime",
                              "intensity",
                              "plannedFlow",
                              "velocity",
                              "capacity",
                              "verdict",
                              "velocityGuide"};
    const QStringList values = {rainwater, "A-2",    "No.3",   "放流先", "80.0", "0.0400",
                                "0.4700",  "0.59",   "8.0",    "1.5",    "9.5",  "101.0",
                                "0.0778",  "0.9035", "0.1156", "O.K",    "適正"};
    // Then the levels (none in the example) and the 注意 (A-2 runs slower than A-1).
    QCOMPARE(a2.keys().size(), keys.size() + 5);
    for (const char* level : {"upperInvert", "lowerInvert", "upperCover", "lowerCover"})
        QVERIFY2(a2.value(QLatin1String(level)).isNull(), level);
    QCOMPARE(a2.value("notes").toArray(), QJsonArray{QStringLiteral("流速が下流で遅くなる")});
    for (int i = 0; i < keys.size(); ++i)
        QCOMPARE(a2.value(keys[i]).toString(), values[i]);
    // The keys in the documented order.
    QVERIFY(lines.at(2).indexOf("\"inflowTime\"") < lines.at(2).indexOf("\"flowTime\""));

    const QJsonObject three = QJsonDocument::fromJson(lines.at(5)).object();
    QCOMPARE(three.value("population").toString(), QStringLiteral("120"));
    QCOMPARE(three.value("plannedFlowBase").toString(), QStringLiteral("0.0010"));
    QCOMPARE(three.value("plannedFlow").toString(), QStringLiteral("0.0011"));
    QCOMPARE(three.value("velocity").toString(), QStringLiteral("1.1047"));
    QCOMPARE(three.value("capacity").toString(), QStringLiteral("0.0307"));

    QTemporaryDir dir;
    const QString direct = written(
        dir, QStringLiteral("direct.tvn"),
        exampleWith(rainwater, "降雨強度=タルボット,5000,40\n流入時間=7\n", "降雨強度=直接,120\n"));
    const ToolRun times = runTool({QStringLiteral("--results"), direct});
    QCOMPARE(times.exitCode, 0);
    const QJsonObject d = QJsonDocument::fromJson(times.out.split('\n').at(0)).object();
    QVERIFY(d.value("inflowTime").isNull());
    QVERIFY(d.value("flowTime").isNull());
    QVERIFY(d.value("concentrationTime").isNull());
    QCOMPARE(d.value("intensity").toString(), QStringLiteral("120.0"));
}

void NetworkToolTest::tableHasARowPerSection() {
    QTemporaryDir dir;
    const QString refused =
        written(dir, QStringLiteral("refused.tvn"), exampleWith(sewage, "勾配=5.0", "勾配=0"));
    const ToolRun run = runTool({QStringLiteral("--csv"), sewage, refused});
    QCOMPARE(run.exitCode, 1);
    const QList<QByteArray> rows = run.out.split('\n');
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows.at(0),
             QByteArray("\xEF\xBB\xBF"
                        "ファイル,区間,上流,下流,延長L(m),人口(人),累加人口ΣP(人),"
                        "計画汚水量Q1(m3/sec),地下水を含むQ(m3/sec),施設,勾配(‰),"
                        "粗度係数,流速V(m/sec),流量Q2(m3/sec),判定,流速の目安,エラー\r"));
    QCOMPARE(rows.at(3), sewage.toUtf8() + ",3,No.3,公共汚水桝,25.0,12,120,0.0010,0.0011,"
                                           "VU - φ200,5.0,0.010,1.1047,0.0307,O.K,適正,\r");
    QVERIFY(rows.at(4).startsWith(refused.toUtf8() + ",,,"));
    QVERIFY(rows.at(4).endsWith("23行目：区間「3」：施設の勾配には正の値を入力してください。\r"));

    // The two kinds of network have different columns.
    const ToolRun mixed = runTool({QStringLiteral("--csv"), sewage, rainwater});
    QCOMPARE(mixed.exitCode, 2);
    QVERIFY(mixed.out.isEmpty());
    QVERIFY(QString::fromUtf8(mixed.err).contains(QStringLiteral("雨水の系統だけ")));
    const ToolRun withSheet = runTool({QStringLiteral("--csv"), sewage,
                                       QStringLiteral(TOVARIN_EXAMPLES_DIR "/residential-vp.tvr")});
    QCOMPARE(withSheet.exitCode, 2);

    const ToolRun sizes = runTool({QStringLiteral("--sizes"), sewage});
    QCOMPARE(sizes.exitCode, 1);
    QVERIFY(QString::fromUtf8(sizes.err).contains(
        QStringLiteral("系統の計算書データ（.tvn）には --sizes と --curve は使えません")));
}

void NetworkToolTest::refusedNetworksNameTheLine() {
    QTemporaryDir dir;
    const struct {
        const char* name;
        QString example;
        QByteArray line;
        QByteArray replacement;
        QString message;
    } cases[] = {
        {"ground.tvn", rainwater, "有効水深=水深８割\n区間=A-2",
         "有効水深=水深８割\n地盤高=12.5\n区間=A-2",
         "20行目：地盤高は「上流,下流」の２つの数値で書いてください。"},
        {"circle.tvn", rainwater, "区間=A-2,No.3,放流先", "区間=A-2,No.3,No.1",
         "4行目：区間「A-1」：区間が循環しています（下流をたどるとこの区間に戻ります）。"},
        {"twice.tvn", sewage, "区間=2,No.2", "区間=1,No.2",
         "12行目：区間「1」：同じ名前の区間がもう一つあります。"},
        {"runoff.tvn", rainwater, "区域=道路,0.0500,0.85", "区域=道路,0.0500,1.5",
         "14行目：区間「B-1」：区域（2行目）の流出係数には０より大きく１以下の値を入力してくだ"
         "さい。"},
    };
    for (const auto& c : cases) {
        const QString path = written(dir, QString::fromLatin1(c.name),
                                     exampleWith(c.example, c.line, c.replacement));
        const ToolRun run = runTool({path});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        const QString err = QString::fromUtf8(run.err);
        QVERIFY2(err.contains(path + QStringLiteral(": ファイル「") + path +
                              QStringLiteral("」を開けません。 ") + c.message),
                 run.err.constData());
    }
    // One refused network does not keep the others from their lines.
    const ToolRun mixed =
        runTool({QStringLiteral("--results"), dir.filePath("circle.tvn"), sewage});
    QCOMPARE(mixed.exitCode, 1);
    QCOMPARE(mixed.out.count('\n'), 3);
}

void NetworkToolTest::pdfRepeatsTheHeaderOnEveryPage() {
    TOVARIN_REQUIRE_POPPLER();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("系統.pdf"));
    const QString network = written(dir, QStringLiteral("chain.tvn"), chain(120));
    const ToolRun run = runTool({QStringLiteral("--pdf"), pdf, network});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    QVERIFY(testing::runTool(QStringLiteral("pdfinfo"), {pdf})
                .contains(QStringLiteral("842 x 595 pts (A4)")));
    const QStringList pages = testing::pdfPages(pdf);
    QVERIFY(pages.size() >= 2);
    int rows = 0;
    for (const QString& page : pages) {
        QVERIFY(page.contains(QStringLiteral("累加面積")));
        QVERIFY(page.contains(QStringLiteral("計画雨水量")));
        rows += page.count(QStringLiteral("水路 1000×1000"));
    }
    QCOMPARE(rows, 120);
    QVERIFY(pages.last().contains(QStringLiteral("S119")));
}

QTEST_MAIN(NetworkToolTest)
#include "NetworkToolTest.moc"
