// tovarin-sheet --xlsx: the table of --csv as a workbook, read back by a second reader
// (openpyxl, through tests/tool/workbook-cells.py): every cell shows the text --csv
// writes, figures are numbers with the printed decimals, the page is set up for
// printing, NG stands out; refusals and outputs that cannot be written.

#include "tests/support/SpecialFiles.h"
#include "tests/support/TestFiles.h"
#include "tool/WorkbookTable.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

// The reader's name for a file: under wine the reader is this machine's Python, which
// knows drive Z: (the machine's root, where the tests keep their files) by its path.
QString readersName(const QString& path) {
#ifdef Q_OS_WIN
    const QString name = QDir::fromNativeSeparators(path);
    return name.startsWith(QLatin1String("Z:"), Qt::CaseInsensitive) ? name.mid(2) : name;
#else
    return path;
#endif
}

// The workbook as the second reader sees it; an empty object when it could not read it.
QJsonObject readWorkbook(const QString& path) {
    QProcess reader;
    reader.start(QStringLiteral(TOVARIN_PYTHON),
                 {readersName(QStringLiteral(TOVARIN_WORKBOOK_READER)), readersName(path)});
    if (!reader.waitForFinished(60000) || reader.exitCode() != 0) {
        qWarning("%s", reader.readAllStandardError().constData());
        return {};
    }
    return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
}

// The RFC 4180 records of --csv (no field of the examples holds a line break).
QList<QStringList> csvRecords(const QByteArray& bytes) {
    QList<QStringList> records;
    const QString text = QString::fromUtf8(bytes.mid(3));
    for (const QString& line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        QStringList fields;
        QString field;
        bool quoted = false;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QChar c = line[i];
            if (c == QLatin1Char('"')) {
                if (quoted && i + 1 < line.size() && line[i + 1] == QLatin1Char('"'))
                    field += line[++i];
                else
                    quoted = !quoted;
            } else if (c == QLatin1Char(',') && !quoted) {
                fields << field;
                field.clear();
            } else {
                field += c;
            }
        }
        records << (fields << field);
    }
    return records;
}

// What a cell shows: a number in its format's decimals ("0.0000" four), a text as it is.
QString shownText(const QJsonObject& cell) {
    const QJsonValue value = cell.value(QLatin1String("value"));
    if (value.isNull())
        return {};
    if (!value.isDouble())
        return value.toString();
    const QString format = cell.value(QLatin1String("format")).toString();
    const qsizetype point = format.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : int(format.size() - point - 1);
    return QString::number(value.toDouble(), 'f', decimals);
}

QJsonObject cellAt(const QJsonObject& book, int row, int column) {
    return book.value(QLatin1String("rows"))[row][column].toObject();
}

// A folder for a test's files in the test's working folder, which is on drive Z: under
// wine too (the temporary folder is not).
class WorkFolder : public QTemporaryDir {
public:
    WorkFolder() : QTemporaryDir(QDir::current().filePath(QStringLiteral("xlsx-XXXXXX"))) {}
};

// The residential VP example with its slope at 1 ‰: it carries too little (NG).
QString failingDocument(const WorkFolder& dir) {
    QByteArray bytes = fileBytes(example("residential-vp.tvr"));
    if (!bytes.contains("\r\n 2 \r\n10\r\n"))
        return {};
    bytes.replace("\r\n 2 \r\n10\r\n", "\r\n 2 \r\n1\r\n");
    const QString path = dir.filePath(QStringLiteral("failing.tvr"));
    return writeBytes(path, bytes) ? path : QString();
}

// The same example with no slope at all: refused.
QString refusedDocument(const WorkFolder& dir) {
    QByteArray bytes = fileBytes(example("residential-vp.tvr"));
    bytes.replace("\r\n 2 \r\n10\r\n", "\r\n 2 \r\n\r\n");
    const QString path = dir.filePath(QStringLiteral("refused.tvr"));
    return writeBytes(path, bytes) ? path : QString();
}

} // namespace

class WorkbookToolTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void printedFiguresAreNumbers_data();
    void printedFiguresAreNumbers();
    void workbookShowsTheTableOfCsv_data();
    void workbookShowsTheTableOfCsv();
    void workbookIsSetUpForPrinting();
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

void WorkbookToolTest::workbookShowsTheTableOfCsv_data() {
    QTest::addColumn<QStringList>("documents");
    QTest::addColumn<QString>("sheetName");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("sewage with a refused document")
        << QStringList{example("residential-vp.tvr"), QStringLiteral("refused"),
                       example("rectangular-non-residential.tvr"),
                       example("other-circular-direct.tvr"), QStringLiteral("failing")}
        << QStringLiteral("一覧表") << 1;
    QTest::newRow("rainwater") << QStringList{example("rainwater-u-ditch.tvu")}
                               << QStringLiteral("一覧表") << 0;
}

// Cell by cell the text --csv writes: a figure as a number whose format has the
// printed decimals, a text as a text, an empty field as no cell.
void WorkbookToolTest::workbookShowsTheTableOfCsv() {
    QFETCH(QStringList, documents);
    QFETCH(QString, sheetName);
    QFETCH(int, exitCode);
    WorkFolder dir;
    for (QString& document : documents) {
        if (document == QLatin1String("refused"))
            document = refusedDocument(dir);
        else if (document == QLatin1String("failing"))
            document = failingDocument(dir);
        QVERIFY(!document.isEmpty());
    }
    const QString output = dir.filePath(QStringLiteral("一覧.xlsx"));
    const ToolRun csv = runTool(QStringList{QStringLiteral("--csv")} + documents);
    const ToolRun run = runTool(QStringList{QStringLiteral("--xlsx"), output} + documents);
    QCOMPARE(csv.exitCode, exitCode);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.err, csv.err);
    QVERIFY(run.out.isEmpty());
    const QList<QStringList> records = csvRecords(csv.out);
    const QJsonObject book = readWorkbook(output);
    QCOMPARE(book.value(QLatin1String("sheets")).toArray(), QJsonArray{sheetName});
    const QJsonArray rows = book.value(QLatin1String("rows")).toArray();
    QCOMPARE(rows.size(), records.size());
    for (int row = 0; row < rows.size(); ++row) {
        QCOMPARE(rows[row].toArray().size(), records[row].size());
        for (int column = 0; column < records[row].size(); ++column) {
            const QJsonObject cell = cellAt(book, row, column);
            QCOMPARE(shownText(cell), records[row][column]);
            // Header, file names and messages are texts, whatever they read.
            if (row == 0 || column == 0 || column == records[row].size() - 1)
                QVERIFY(!cell.value(QLatin1String("value")).isDouble());
            const bool ng = records[row][column] == QLatin1String("NG");
            QCOMPARE(cell.value(QLatin1String("fill")).toString(),
                     ng ? QStringLiteral("FFFF00FF") : QString());
        }
    }
}

// The sewage examples in figures: numbers with their formats, the refused row, the
// NG in the warning colour, and the page: header frozen, A4 landscape, header on
// every page.
void WorkbookToolTest::workbookIsSetUpForPrinting() {
    WorkFolder dir;
    const QString refused = refusedDocument(dir);
    const QString failing = failingDocument(dir);
    QVERIFY(!refused.isEmpty() && !failing.isEmpty());
    const QString output = dir.filePath(QStringLiteral("out.xlsx"));
    const ToolRun run = runTool(
        {QStringLiteral("--xlsx"), output, example("residential-vp.tvr"), refused, failing});
    QCOMPARE(run.exitCode, 1);
    const QJsonObject book = readWorkbook(output);
    QCOMPARE(book.value(QLatin1String("frozen")).toString(), QStringLiteral("A2"));
    QCOMPARE(book.value(QLatin1String("orientation")).toString(), QStringLiteral("landscape"));
    QCOMPARE(book.value(QLatin1String("paper")).toVariant().toInt(), 9); // A4
    QCOMPARE(book.value(QLatin1String("titleRows")).toString(), QStringLiteral("$1:$1"));

    QCOMPARE(cellAt(book, 0, 0).value(QLatin1String("value")).toString(),
             QStringLiteral("ファイル"));
    QCOMPARE(cellAt(book, 0, 1).value(QLatin1String("value")).toString(),
             QStringLiteral("計画汚水量Q1′(m3/sec)"));
    const QJsonObject planned = cellAt(book, 1, 1);
    QCOMPARE(planned.value(QLatin1String("type")).toString(), QStringLiteral("n"));
    QCOMPARE(planned.value(QLatin1String("value")).toDouble(), 0.0041);
    QCOMPARE(planned.value(QLatin1String("format")).toString(), QStringLiteral("0.0000"));
    const QJsonObject population = cellAt(book, 1, 14);
    QCOMPARE(population.value(QLatin1String("value")).toDouble(), 1692.9);
    QCOMPARE(population.value(QLatin1String("format")).toString(), QStringLiteral("0.0"));
    QCOMPARE(cellAt(book, 1, 5).value(QLatin1String("format")).toString(),
             QStringLiteral("0.000")); // n 0.010

    // The refused document: its name and its message, nothing else.
    const QJsonArray refusedRow = book.value(QLatin1String("rows"))[2].toArray();
    QCOMPARE(refusedRow.first().toObject().value(QLatin1String("value")).toString(), refused);
    QCOMPARE(refusedRow.last().toObject().value(QLatin1String("value")).toString(),
             QStringLiteral("施設の勾配を入力してください。"));
    for (qsizetype column = 1; column + 1 < refusedRow.size(); ++column)
        QVERIFY(refusedRow[column].toObject().value(QLatin1String("value")).isNull());

    // At 1 ‰ the pipe carries too little.
    const QJsonObject verdict = cellAt(book, 3, 10);
    QCOMPARE(verdict.value(QLatin1String("value")).toString(), QStringLiteral("NG"));
    QCOMPARE(verdict.value(QLatin1String("fill")).toString(), QStringLiteral("FFFF00FF"));
    QCOMPARE(cellAt(book, 1, 10).value(QLatin1String("fill")).toString(), QString());
}

// Like --csv: sewage and rainwater documents together are refused before anything is
// read or written, with --csv's words for --xlsx.
void WorkbookToolTest::mixedKindsAreRefused() {
    WorkFolder dir;
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
    WorkFolder dir;
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
    WorkFolder dir;
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
