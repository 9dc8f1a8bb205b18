// The kinds of document in tovarin-sheet: a file's kind comes from its first bytes
// alone, and each kind gives its sheet, results line, table row and PDF.

#include "tool/ToolDocument.h"
#include "shell/JapaneseEnvironment.h"
#include "tests/support/TestFiles.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

using namespace tovarin;
using tovarin::testing::fileBytes;
using tovarin::testing::ToolRun;

namespace {

const QString sewageExample = QStringLiteral(TOVARIN_EXAMPLES_DIR "/residential-vp.tvr");
const QString rainwaterExample = QStringLiteral(TOVARIN_EXAMPLES_DIR "/rainwater-u-ditch.tvu");

ToolRun runTool(const QStringList& arguments) {
    return testing::runProgram(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST), arguments);
}

} // namespace

class ToolDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void kindIsTheBytesNotTheName_data();
    void kindIsTheBytesNotTheName();
    void eachKindWritesItsDocument_data();
    void eachKindWritesItsDocument();
    void oneDocumentPerKind();
    void programFollowsTheBytes();

private:
    // A copy of the example under another name.
    QString copied(const QString& example, const QString& name) {
        const QString path = dir_.filePath(name);
        return testing::writeBytes(path, fileBytes(example)) ? path : QString();
    }

    QTemporaryDir dir_;
};

void ToolDocumentTest::initTestCase() {
    setUpJapaneseEnvironment(*static_cast<QApplication*>(QCoreApplication::instance()));
    QVERIFY(dir_.isValid());
}

void ToolDocumentTest::kindIsTheBytesNotTheName_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("unusableName");
    QTest::addColumn<DocumentKind>("kind");
    QTest::newRow("rainwater as .tvr")
        << copied(rainwaterExample, QStringLiteral("雨水.tvr")) << false << DocumentKind::Rainwater;
    QTest::newRow("sewage as .tvu")
        << copied(sewageExample, QStringLiteral("汚水.tvu")) << false << DocumentKind::Sewage;
    QTest::newRow("missing .tvu") << dir_.filePath(QStringLiteral("missing.tvu")) << false
                                  << DocumentKind::Sewage;
    // Its reader refuses it before reading: Qt would open another name.
    QTest::newRow("name not in UTF-8")
        << copied(rainwaterExample, QStringLiteral("placeholder.tvu")) << true
        << DocumentKind::Sewage;
}

void ToolDocumentTest::kindIsTheBytesNotTheName() {
    QFETCH(QString, file);
    QFETCH(bool, unusableName);
    QFETCH(DocumentKind, kind);
    ConsolePlatform platform;
    if (unusableName)
        platform.unusableNames.insert(file, QStringLiteral("\\xff.tvu"));
    QVERIFY(ToolDocuments(platform).kindOf(file) == kind);
}

void ToolDocumentTest::eachKindWritesItsDocument_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("resultsKey");
    QTest::addColumn<bool>("designAids");
    QTest::newRow("sewage") << sewageExample << QByteArray("\"allowanceFactor\":") << true;
    QTest::newRow("rainwater") << rainwaterExample << QByteArray("\"runoffCoefficient\":") << false;
}

void ToolDocumentTest::eachKindWritesItsDocument() {
    QFETCH(QString, file);
    QFETCH(QByteArray, resultsKey);
    QFETCH(bool, designAids);
    ConsolePlatform platform;
    ToolDocuments documents(platform);
    ToolDocument& document = documents.of(file);
    QVERIFY(document.read(file));
    QVERIFY(platform.lastMessage.isEmpty());
    const SheetText sheet = document.sheet();
    QVERIFY(sheet.ok);
    QVERIFY(!sheet.bytes.empty());
    const QByteArray line = QByteArray::fromStdString(document.resultsLine(file));
    QVERIFY(line.startsWith("{\"file\":"));
    QVERIFY(line.endsWith("}\n"));
    QVERIFY2(line.contains(resultsKey), line.constData());
    const std::vector<std::string> header = document.tableHeader();
    const std::vector<std::string> row = document.tableRow(file);
    QCOMPARE(row.size(), header.size());
    QCOMPARE(row.front(), file.toStdString());
    QCOMPARE(row.back(), std::string()); // エラー: none
    QCOMPARE(header.back(), std::string("エラー"));
    QCOMPARE(document.designAidsRefusal().isEmpty(), designAids);

    // A file that gives no result leaves its message for its table row.
    QVERIFY(!document.read(dir_.filePath(QStringLiteral("missing"))));
    QVERIFY(!platform.lastMessage.isEmpty());
}

void ToolDocumentTest::oneDocumentPerKind() {
    ConsolePlatform platform;
    ToolDocuments documents(platform);
    ToolDocument* sewage = &documents.of(DocumentKind::Sewage);
    QCOMPARE(&documents.of(sewageExample), sewage);
    QCOMPARE(&documents.of(DocumentKind::Sewage), sewage);
    QVERIFY(&documents.of(rainwaterExample) != sewage);
}

// The program as a whole: a rainwater document named .tvr is a rainwater document in
// every mode, and a sewage one named .tvu a sewage one.
void ToolDocumentTest::programFollowsTheBytes() {
    const QString rainwaterAsTvr = copied(rainwaterExample, QStringLiteral("雨水2.tvr"));
    const QString sewageAsTvu = copied(sewageExample, QStringLiteral("汚水2.tvu"));

    const ToolRun sheet = runTool({rainwaterAsTvr});
    QCOMPARE(sheet.exitCode, 0);
    QCOMPARE(sheet.out, runTool({rainwaterExample}).out);

    const ToolRun rainwaterTable =
        runTool({QStringLiteral("--csv"), rainwaterExample, rainwaterAsTvr});
    QCOMPARE(rainwaterTable.exitCode, 0);
    QCOMPARE(rainwaterTable.out.count('\n'), 3);
    QVERIFY(rainwaterTable.out.contains(",集水面積A(ha),"));

    const ToolRun sewageTable = runTool({QStringLiteral("--csv"), sewageExample, sewageAsTvu});
    QCOMPARE(sewageTable.exitCode, 0);
    QCOMPARE(sewageTable.out.count('\n'), 3);
    QVERIFY(sewageTable.out.contains(",計画汚水量Q1′(m3/sec),"));

    const ToolRun sizes = runTool({QStringLiteral("--sizes"), rainwaterAsTvr});
    QCOMPARE(sizes.exitCode, 1);
    QVERIFY(sizes.out.isEmpty());
    QVERIFY2(sizes.err.contains("--sizes と --curve は使えません"), sizes.err.constData());
    QCOMPARE(runTool({QStringLiteral("--sizes"), sewageAsTvu}).exitCode, 0);
}

QTEST_MAIN(ToolDocumentTest)
#include "ToolDocumentTest.moc"
