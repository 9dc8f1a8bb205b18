// tovarin-sheet --xlsx: printed figures as numbers, refusals and outputs that cannot
// be written. The workbook itself is read back by a second reader on the machine
// that runs the tests (tests/tool/workbook-check.py, test tool_workbook_check): under
// wine a program of that machine can be started but not waited for.

#include "tests/support/SpecialFiles.h"
#include "tests/support/TestFiles.h"
#include "tool/WorkbookTable.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using tovarin::testing::fileBytes;
using tovarin::testing::runProgram;
using tovarin::testing::ToolRun;
using tovarin::testing::writeBytes;

namespace {

QString example(const char* name) {
    return QStringLiteral(TOVARIN_EXAMPLES_DIR "/") + QLatin1String(name);
}

ToolRun runTool(const QStringList& arguments) {
    return runProgram(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST), arguments);
}

} // namespace

class WorkbookToolTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void printedFiguresAreNumbers_data();
    void printedFiguresAreNumbers();
    void mixedKindsAreRefused();
    void outputThatCannotBeWrittenKeepsTheEarlierFile();
    void fullDiskKeepsTheEarlierWorkbook();
};

void WorkbookToolTest::initTestCase() {
    QVERIFY(QFileInfo::exists(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST)));
}

void WorkbookToolTest::printedFiguresAreNumbers_data() {
    QTest::addColumn<QString>("printed");
    QTest::addColumn<bool>("number");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("format");
    QTest::newRow("four decimals") << "0.0778" << true << 0.0778 << "0.0000";
    QTest::newRow("trailing zeros kept") << "2.0" << true << 2.0 << "0.0";
    QTest::newRow("whole") << "50" << true << 50.0 << "0";
    QTest::newRow("negative") << "-12.50" << true << -12.5 << "0.00";
    QTest::newRow("zero") << "0.000" << true << 0.0 << "0.000";
    QTest::newRow("fifteen digits") << "123456789.012345" << true << 123456789.012345 << "0.000000";
    QTest::newRow("sixteen digits") << "1234567890.123456" << false << 0.0 << "";
    QTest::newRow("negative zero") << "-0.0" << false << 0.0 << "";
    QTest::newRow("leading zero") << "007" << false << 0.0 << "";
    QTest::newRow("plus sign") << "+1" << false << 0.0 << "";
    QTest::newRow("no decimals after point") << "1." << false << 0.0 << "";
    QTest::newRow("no whole part") << ".5" << false << 0.0 << "";
    QTest::newRow("exponent") << "1e3" << false << 0.0 << "";
    QTest::newRow("verdict") << "O.K" << false << 0.0 << "";
    QTest::newRow("empty") << "" << false << 0.0 << "";
    QTest::newRow("minus only") << "-" << false << 0.0 << "";
}

void WorkbookToolTest::printedFiguresAreNumbers() {
    QFETCH(QString, printed);
    QFETCH(bool, number);
    QFETCH(double, value);
    QFETCH(QString, format);
    const auto read = tovarin::workbookNumberOf(printed.toStdString());
    QCOMPARE(read.has_value(), number);
    if (!read)
        return;
    QCOMPARE(read->value, value);
    QCOMPARE(QString::fromStdString(read->format), format);
}

// Like --csv: sewage and rainwater documents together are refused before anything is
// read or written, with --csv's words for --xlsx.
void WorkbookToolTest::mixedKindsAreRefused() {
    QTemporaryDir dir;
    const QString output = dir.filePath(QStringLiteral("out.xlsx"));
    const ToolRun run = runTool({QStringLiteral("--xlsx"), output, example("residential-vp.tvr"),
                                 example("rainwater-u-ditch.tvu")});
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(QString::fromUtf8(run.err),
             QStringLiteral("tovarin-sheet: --xlsx の一覧表は汚水（.tvr）と雨水（.tvu）で欄が"
                            "違うため、一度に指定できるのはどちらか一方のファイルだけです。\n"));
    QVERIFY(!QFileInfo::exists(output));
}

// A folder by the name, a missing folder, a wrong extension: the message, the exit
// status, and an earlier file as it was.
void WorkbookToolTest::outputThatCannotBeWrittenKeepsTheEarlierFile() {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("folder.xlsx"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.xlsx")));
    const QString vp = example("residential-vp.tvr");
    ToolRun run = runTool({QStringLiteral("--xlsx"), folder, vp});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(QString::fromUtf8(run.err).contains(
                 QStringLiteral("ファイル「%1」に書き込めませんでした。「%1」はフォルダです。")
                     .arg(folder)),
             run.err.constData());

    const QString missing = dir.filePath(QStringLiteral("missing/out.xlsx"));
    run = runTool({QStringLiteral("--xlsx"), missing, vp});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(QString::fromUtf8(run.err).contains(QStringLiteral("がありません。")),
             run.err.constData());
    QVERIFY(!QFileInfo::exists(missing));

    // The document named first is never taken for the output.
    const QString document = dir.filePath(QStringLiteral("a.tvr"));
    QVERIFY(QFile::copy(vp, document));
    run = runTool({QStringLiteral("--xlsx"), document, vp});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(QString::fromUtf8(run.err).contains(QStringLiteral("--xlsx の出力は .xlsx です")));
    QCOMPARE(fileBytes(document), fileBytes(vp));
    run = runTool({QStringLiteral("--xlsx"), dir.filePath(QStringLiteral("out.xlsx"))});
    QCOMPARE(run.exitCode, 2);
}

// A disk that fills up: exit status 1 with the message, the earlier workbook byte for
// byte, nothing left beside it; with room the same run writes it.
void WorkbookToolTest::fullDiskKeepsTheEarlierWorkbook() {
    QTemporaryDir dir;
    const QString output = dir.filePath(QStringLiteral("table.xlsx"));
    const QByteArray earlier = "an earlier workbook";
    QVERIFY(writeBytes(output, earlier));
    const QStringList arguments{QStringLiteral("--xlsx"), output, example("residential-vp.tvr")};
    for (const long long room : {2048LL, 64LL * 1024 * 1024}) {
        QProcess tool;
        if (!tovarin::testing::limitRoomOfChild(tool, room))
            QSKIP("no limit on the size of a process's files on this system");
        tool.start(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST), arguments);
        QVERIFY(tool.waitForFinished(60000));
        const QString err = QString::fromUtf8(tool.readAllStandardError());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("table.xlsx")});
        if (room < 4096) {
            QCOMPARE(tool.exitCode(), 1);
            QVERIFY2(err.contains(QStringLiteral("tovarin-sheet: ")), qPrintable(err));
            QCOMPARE(fileBytes(output), earlier);
        } else {
            QVERIFY2(tool.exitCode() == 0, qPrintable(err));
            QVERIFY(fileBytes(output).startsWith("PK"));
        }
    }
}

QTEST_MAIN(WorkbookToolTest)
#include "WorkbookToolTest.moc"
