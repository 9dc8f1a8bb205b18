// tovarin-sheet's design aids as a user runs them: --csv of the examples read back
// as RFC 4180 records, --sizes marking the smallest passing pipe, --curve writing
// its drawing or table, and the command line around them.

#include "aids/AidsCurve.h"
#include "engine/Catalogue.h"
#include "sheets/Form11.h"
#include "sheets/Form2.h"
#include "sheets/SewageWindows.h"
#include "shell/JapaneseEnvironment.h"
#include "shell/MDIFofm.h"
#include "tests/support/ComputedSheets.h"
#include "tests/support/PrintTestSupport.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <utility>

using tovarin::testing::fileBytes;
using tovarin::testing::runProgram;
using tovarin::testing::ToolRun;
using tovarin::testing::writeBytes;

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

QString example(const char* name) {
    return QStringLiteral(TOVARIN_EXAMPLES_DIR "/") + QLatin1String(name);
}

ToolRun runTool(const QStringList& arguments) {
    return runProgram(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST), arguments);
}

using Records = QList<QStringList>;

// RFC 4180 reader for what the tool writes: quoted fields may hold commas, quotes
// (doubled) and line breaks; records end with CR LF. A bare LF or CR outside quotes
// makes the whole text unreadable (empty result).
Records readCsv(const QByteArray& bytes) {
    const QString text = QString::fromUtf8(bytes);
    Records records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            record.append(field);
            field.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                   text[i + 1] == QLatin1Char('\n')) {
            record.append(field);
            records.append(record);
            record.clear();
            field.clear();
            ++i;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            return {};
        } else {
            field += c;
        }
    }
    if (quoted || !field.isEmpty() || !record.isEmpty())
        return {};
    return records;
}

// The CSV the tool wrote: it must start with the byte-order mark.
Records csvOutput(const QByteArray& bytes) {
    if (!bytes.startsWith(kBom))
        return {};
    return readCsv(bytes.mid(kBom.size()));
}

// The rows of a size table that carry ◎.
QList<int> marks(const Records& records) {
    QList<int> rows;
    for (qsizetype i = 1; i < records.size(); ++i)
        if (records[i].last() == QStringLiteral("◎"))
            rows << static_cast<int>(i);
    return rows;
}

QStringList split(const char* joined) {
    return QString::fromUtf8(joined).split(QStringLiteral(", "));
}

// The VP example with its gradient line emptied: the "計算" checks refuse it.
QString refusedDocument(const QTemporaryDir& dir) {
    QByteArray bytes = fileBytes(example("residential-vp.tvr"));
    if (!bytes.contains("\r\n 2 \r\n10\r\n"))
        return {};
    bytes.replace("\r\n 2 \r\n10\r\n", "\r\n 2 \r\n\r\n");
    // A name the CSV has to quote; Windows allows no '"' in a name, so there a comma only.
    for (const QString& name :
         {QStringLiteral("refused, \"1\".tvr"), QStringLiteral("refused, 1.tvr")}) {
        const QString path = dir.filePath(name);
        if (writeBytes(path, bytes))
            return path;
    }
    return {};
}

} // namespace

class SheetToolAidsTest : public QObject {
    Q_OBJECT
private slots:
    void resultsTableOfTheExamples();
    void resultsTableMatchesTheResultsMode();
    void initTestCase();
    void sizesMarkTheSmallestPassingPipe();
    void sizesAreWhatTheComputeButtonShows();
    void resultsRowIsOneCalculation();
    void curveCaptionsStayClear();
    void sizesWhenNoPipePasses();
    void sizesNeedACataloguePipe();
    void curveTable();
    void curveDrawings();
    void curveSvgLooksLikeThePng_data();
    void curveSvgLooksLikeThePng();
    void curveIsNotWrittenOverAFolderOrForARefusedDocument();
    void commandLine();
};

void SheetToolAidsTest::resultsTableOfTheExamples() {
    QTemporaryDir dir;
    const QString refused = refusedDocument(dir);
    QVERIFY(!refused.isEmpty());
    const QString vp = example("residential-vp.tvr");
    const QString channel = example("rectangular-non-residential.tvr");
    const QString circle = example("other-circular-direct.tvr");
    const ToolRun run = runTool({QStringLiteral("--csv"), vp, refused, channel, circle});
    QCOMPARE(run.exitCode, 1);
    QByteArray withoutCrLf = run.out;
    QVERIFY(!withoutCrLf.replace("\r\n", "").contains('\n'));
    const Records records = csvOutput(run.out);
    QCOMPARE(records.size(), 5);
    QCOMPARE(records[0],
             split("ファイル, 計画汚水量Q1′(m3/sec), 割増し係数, 施設, 勾配(‰), 粗度係数n, 公式, "
                   "水深, 流速V(m/sec), 流量Q2(m3/sec), 流量の判定, 余裕率(％), 余裕率の基準(％), "
                   "余裕率の判定, 最大計画人口(人), 計画水量時の水深比, 計画水量時の流速(m/sec), "
                   "流速の目安, 保存された結果, エラー"));
    for (const QStringList& record : records)
        QCOMPARE(record.size(), 20);

    // VP φ100 full, 10 ‰, n 0.010, Manning; residential, no margin check. Q1 runs
    // at h/D 0.557.
    QCOMPARE(records[1],
             (QStringList{vp,       "0.0041", "",       "VP - φ100", "10.0", "0.010", "マニング",
                          "満流",   "0.8595", "0.0069", "O.K",       "",     "",      "",
                          "1692.9", "0.557",  "0.8976", "適正",      "",     ""}));
    // Refused: its name (with a comma and quotes, kept whole) and its message only.
    QStringList refusedRow(20);
    refusedRow[0] = refused;
    refusedRow[19] = QStringLiteral("施設の勾配を入力してください。");
    QCOMPARE(records[2], refusedRow);
    QVERIFY(QString::fromUtf8(run.err).contains(
        refused + QStringLiteral(": 施設の勾配を入力してください。\n")));
    // Rectangular 1.0 × 0.5 m at 水深８割, margin check against 50 %: 0.987 m/sec at
    // the design depth, but the planned flow runs 9 mm deep at 0.13 m/sec, too slow.
    QCOMPARE(records[3].mid(1),
             (QStringList{"0.0006", "", "コンクリート水路 500×1000", "2.0", "0.015", "マニング",
                          "水深８割", "0.9870", "0.3948", "O.K", "65700.06", "50", "O.K", "",
                          "0.009", "0.1288", "不足", "", ""}));
    // Other circular pipe with an allowance of 20 %: factor 1.2.
    QCOMPARE(records[4][2], QStringLiteral("1.2"));
    QCOMPARE(records[4][3], QStringLiteral("硬質塩化ビニル管 φ250"));
    QCOMPARE(records[4][7], QStringLiteral("水深７割"));
}

void SheetToolAidsTest::resultsTableMatchesTheResultsMode() {
    const QStringList documents = {example("residential-vp.tvr"),
                                   example("rectangular-non-residential.tvr"),
                                   example("other-circular-direct.tvr")};
    const ToolRun csv = runTool(QStringList{QStringLiteral("--csv")} + documents);
    const ToolRun results = runTool(QStringList{QStringLiteral("--results")} + documents);
    QCOMPARE(csv.exitCode, 0);
    QCOMPARE(results.exitCode, 0);
    const Records records = csvOutput(csv.out);
    const QList<QByteArray> lines = results.out.trimmed().split('\n');
    QCOMPARE(records.size(), documents.size() + 1);
    QCOMPARE(lines.size(), documents.size());
    const QList<QPair<int, const char*>> columns = {{1, "plannedFlow"},  {2, "allowanceFactor"},
                                                    {8, "velocity"},     {9, "capacity"},
                                                    {11, "marginRatio"}, {14, "maxPopulation"}};
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QJsonObject json = QJsonDocument::fromJson(lines[i]).object();
        for (const auto& [column, key] : columns)
            QCOMPARE(records[i + 1][column], json.value(QLatin1String(key)).toString());
    }
}

void SheetToolAidsTest::initTestCase() {
    tovarin::setUpJapaneseEnvironment(*static_cast<QApplication*>(QCoreApplication::instance()));
    QApplication::setQuitOnLastWindowClosed(false);
    QVERIFY(QFileInfo::exists(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST)));
}

void SheetToolAidsTest::sizesMarkTheSmallestPassingPipe() {
    const ToolRun run = runTool({QStringLiteral("--sizes"), example("residential-vp.tvr")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    const Records records = csvOutput(run.out);
    QCOMPARE(records.size(), 9);
    QCOMPARE(records[0],
             split("管径, 内径D(m), 流速V(m/sec), 流量Q2(m3/sec), 流量の判定, 余裕率(％), "
                   "余裕率の判定, 計画水量時の水深比, 計画水量時の流速(m/sec), 流速の目安, 選定"));
    // Q1 = 0.0041: φ65 and φ75 carry too little, φ100 is the document's own result.
    QCOMPARE(records[1][0], QStringLiteral("ＶＰ－φ６５"));
    QCOMPARE(records[1][4], QStringLiteral("NG"));
    QCOMPARE(records[2][4], QStringLiteral("NG"));
    QCOMPARE(records[3], (QStringList{"ＶＰ－φ１００", "0.1008", "0.8595", "0.0069", "O.K", "", "",
                                      "0.557", "0.8976", "適正", "◎"}));
    QCOMPARE(records[8][0], QStringLiteral("ＶＰ－φ３００"));
    QCOMPARE(records[8][1], QStringLiteral("0.2878"));
    QCOMPARE(marks(records), QList<int>{3});

    // A minimum size moves ◎ to the smallest passing size not below it.
    const ToolRun minimum = runTool({QStringLiteral("--sizes"), QStringLiteral("--min-diameter"),
                                     QStringLiteral("150"), example("residential-vp.tvr")});
    QCOMPARE(minimum.exitCode, 0);
    QCOMPARE(marks(csvOutput(minimum.out)), QList<int>{5});
    QCOMPARE(csvOutput(minimum.out).mid(1, 2), records.mid(1, 2)); // nothing else changes
    for (const QStringList& wrong :
         {QStringList{"--min-diameter", "φ150"}, QStringList{"--min-diameter", "-1"},
          QStringList{"--csv", "--min-diameter", "150"}}) {
        QStringList arguments = wrong;
        if (!arguments.contains(QStringLiteral("--csv")))
            arguments.prepend(QStringLiteral("--sizes"));
        QCOMPARE(runTool(arguments + QStringList{example("residential-vp.tvr")}).exitCode, 2);
    }
}

// A document saved after its roughness changed without "計算": every figure and
// verdict of its row is the fresh calculation the sheet prints, and the row says
// that the stored results differ.
void SheetToolAidsTest::resultsRowIsOneCalculation() {
    QTemporaryDir dir;
    QByteArray bytes = fileBytes(example("residential-vp.tvr"));
    QVERIFY(bytes.contains("\r\n10\r\n0.010\r\n"));
    const QString n013 = dir.filePath(QStringLiteral("n013.tvr"));
    const QString n020 = dir.filePath(QStringLiteral("n020.tvr"));
    QVERIFY(
        writeBytes(n013, QByteArray(bytes).replace("\r\n10\r\n0.010\r\n", "\r\n10\r\n0.013\r\n")));
    QVERIFY(
        writeBytes(n020, QByteArray(bytes).replace("\r\n10\r\n0.010\r\n", "\r\n10\r\n0.020\r\n")));
    const Records records = csvOutput(runTool({QStringLiteral("--csv"), n013, n020}).out);
    QCOMPARE(records.size(), 3);
    QCOMPARE(records[1].mid(8, 12), (QStringList{"0.6611", "0.0053", "O.K", "", "", "", "1302.3",
                                                 "0.662", "0.7306", "適正", "異なる", ""}));
    const QString sheet = QString::fromUtf8(runTool({QStringLiteral("--utf8"), n013}).out);
    QVERIFY(sheet.contains(QStringLiteral("=0.6611m/sec")));
    QVERIFY(sheet.contains(QStringLiteral("Q2=0.0053m3/sec")));
    // n 0.020: Q2 0.0034 < Q1 0.0041, and no depth carries Q1.
    QCOMPARE(records[2].mid(8, 12), (QStringList{"0.4297", "0.0034", "NG", "", "", "", "846.5", "—",
                                                 "—", "—", "異なる", ""}));
}

// Each row is what the results panel shows after choosing that size in the open
// document and pressing "計算".
void SheetToolAidsTest::sizesAreWhatTheComputeButtonShows() {
    const QString vp = example("residential-vp.tvr");
    const Records records = csvOutput(runTool({QStringLiteral("--sizes"), vp}).out);
    QCOMPARE(records.size(), 9);

    tovarin::testing::ScriptedPlatform platform;
    tovarin::MDIFofm window(platform);
    window.show();
    platform.openNames.enqueue(vp);
    window.FileOpen();
    tovarin::Form2* form2 = window.sewageWindows().form2();
    QVERIFY(form2);
    for (int size = 0; size < form2->lst_pu()->count(); ++size) {
        form2->lst_pu()->setCurrentRow(size);
        form2->cmd1()->click();
        const tovarin::Form11* panel = window.sewageWindows().form11();
        QVERIFY(panel);
        const QStringList& row = records[size + 1];
        QCOMPARE(row[0], form2->lst_pu()->item(size)->text());
        QCOMPARE(row[2], panel->lbl(9)->text());
        QCOMPARE(row[3], panel->lbl(6)->text());
    }
}

void SheetToolAidsTest::sizesWhenNoPipePasses() {
    QTemporaryDir dir;
    QByteArray bytes = fileBytes(example("residential-vp.tvr"));
    QVERIFY(bytes.contains("\r\n0.0041\r\n"));
    bytes.replace("\r\n0.0041\r\n", "\r\n9.0000\r\n");
    const QString document = dir.filePath(QStringLiteral("large.tvr"));
    QVERIFY(writeBytes(document, bytes));

    const ToolRun run = runTool({QStringLiteral("--sizes"), document});
    QCOMPARE(run.exitCode, 0);
    const Records records = csvOutput(run.out);
    QCOMPARE(records.size(), 9);
    for (const QStringList& record : records.mid(1)) {
        QCOMPARE(record[4], QStringLiteral("NG"));
        QCOMPARE(record[10], QString());
    }
    QCOMPARE(QString::fromUtf8(run.err),
             document + QStringLiteral(": どの管径も判定を満たしません。\n"));
}

void SheetToolAidsTest::sizesNeedACataloguePipe() {
    for (const char* name : {"rectangular-non-residential.tvr", "other-circular-direct.tvr"}) {
        const ToolRun run = runTool({QStringLiteral("--sizes"), example(name)});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(QString::fromUtf8(run.err).contains(QStringLiteral("規格管")),
                 run.err.constData());
    }
    const ToolRun missing = runTool({QStringLiteral("--sizes"), QStringLiteral("no-such.tvr")});
    QCOMPARE(missing.exitCode, 1);
    QVERIFY(missing.out.isEmpty());
}

void SheetToolAidsTest::curveTable() {
    QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("curve.CSV"));
    const ToolRun run =
        runTool({QStringLiteral("--curve"), table, example("rectangular-non-residential.tvr")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    QVERIFY(run.out.isEmpty());
    const Records records = csvOutput(fileBytes(table));
    QCOMPARE(records.size(), 102);
    QCOMPARE(records[0], (QStringList{"水深比h/H", "Q/Q_full", "V/V_full"}));
    QCOMPARE(records[1], (QStringList{"0.00", "0.0000", "0.0000"}));
    // 1.0 × 0.5 m: half depth (A 0.25, P 1.5) has the hydraulic radius of the closed full section.
    QCOMPARE(records[51], (QStringList{"0.50", "0.5000", "1.0000"}));
    QCOMPARE(records[101], (QStringList{"1.00", "1.0000", "1.0000"}));
}

// The drawings in their formats, and the PNG against the curve table of the same
// document: both curves pass through the table's points and the planned flow runs
// across the plot at the ratio its caption gives.
void SheetToolAidsTest::curveDrawings() {
    QTemporaryDir dir;
    const QString vp = example("residential-vp.tvr");
    const QString png = dir.filePath(QStringLiteral("curve.png"));
    const QString svg = dir.filePath(QStringLiteral("curve.svg"));
    const QString pdf = dir.filePath(QStringLiteral("curve.pdf"));
    const QString csv = dir.filePath(QStringLiteral("curve.csv"));
    for (const QString& out : {png, pdf, csv}) {
        const ToolRun run = runTool({QStringLiteral("--curve"), out, vp});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.isEmpty(), run.err.constData());
    }
    const ToolRun svgRun = runTool({QStringLiteral("--curve"), svg, vp});
    QCOMPARE(svgRun.exitCode, 0);
    QVERIFY2(svgRun.err.isEmpty(), svgRun.err.constData());
    const QByteArray svgBytes = fileBytes(svg);
    QVERIFY(svgBytes.contains("<svg"));
    QVERIFY(svgBytes.contains("水理特性曲線"));
    QVERIFY(fileBytes(pdf).startsWith("%PDF-"));
#ifndef Q_OS_WIN // poppler's pdfinfo is a Linux program: the page is read back there
    const QString info = tovarin::testing::runTool(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(
                 QStringLiteral("Page size:\\s+84[12](\\.\\d+)? x 595(\\.\\d+)? pts"))),
             qPrintable(info));
#endif

    const Records table = csvOutput(fileBytes(csv)).mid(1);
    QCOMPARE(table.size(), 101);
    const QRegularExpressionMatch caption =
        QRegularExpression(QStringLiteral("Q1′/Q_full=(\\d\\.\\d{3})"))
            .match(QString::fromUtf8(svgBytes));
    QVERIFY(caption.hasMatch());
    const double planned = caption.captured(1).toDouble();
    QVERIFY(planned > 0.1 && planned < 1.0);

    // The plot is 900 × 900 pixels from (200, 150); its ratio axis ends at the
    // next 0.2 above everything drawn (at least 1.2).
    double top = std::max(1.2, planned);
    for (const QStringList& row : table)
        top = std::max({top, row[1].toDouble(), row[2].toDouble()});
    top = std::ceil(top / 0.2 - 1e-9) * 0.2;
    const auto x = [](double depth) { return qRound(200 + depth * 900); };
    const auto y = [top](double ratio) { return qRound(1050 - ratio / top * 900); };

    const QImage image = QImage(png).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), QSize(1600, 1200));
    QVERIFY(image.pixelColor(5, 5) == QColor(Qt::white));
    const auto near = [](const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                   std::abs(a.blue() - b.blue()) <=
               24;
    };
    const auto colourAround = [&](int cx, int cy, const QColor& colour) {
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx)
                if (near(image.pixelColor(cx + dx, cy + dy), colour))
                    return true;
        return false;
    };
    const QColor flow(0, 70, 200);
    const QColor velocity(0, 140, 60);
    const QColor plannedColour(210, 0, 0);
    for (int i = 5; i <= 95; i += 5) {
        const QStringList& row = table[i];
        const double depth = row[0].toDouble();
        for (const auto& [ratio, colour] :
             {std::pair(row[1].toDouble(), flow), std::pair(row[2].toDouble(), velocity)}) {
            if (std::abs(y(ratio) - y(planned)) < 14)
                continue; // under the planned flow line or its crossing mark
            QVERIFY2(colourAround(x(depth), y(ratio), colour),
                     qPrintable(colour.name() + QStringLiteral(" at ") + row[0]));
        }
    }
    int longest = 0;
    for (int row = y(planned) - 2; row <= y(planned) + 2; ++row) {
        int count = 0;
        for (int column = x(0); column <= x(1); ++column)
            count += near(image.pixelColor(column, row), plannedColour);
        longest = std::max(longest, count);
    }
    QVERIFY2(longest > 300, qPrintable(QString::number(longest)));
}

void SheetToolAidsTest::curveSvgLooksLikeThePng_data() {
    QTest::addColumn<QString>("document");
    QTest::newRow("catalogue pipe") << example("residential-vp.tvr");
    QTest::newRow("rectangular channel") << example("rectangular-non-residential.tvr");
    QTest::newRow("other circular pipe") << example("other-circular-direct.tvr");
}

// The SVG is well-formed XML of the drawing's size, holds the chart's texts as text,
// and, drawn by librsvg (rsvg-convert, an SVG renderer of the kind browsers are), is
// the PNG's picture: the same pixels but for the edges of antialiased lines and
// letters.
void SheetToolAidsTest::curveSvgLooksLikeThePng() {
    QFETCH(QString, document);
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("curve.png"));
    const QString svg = dir.filePath(QStringLiteral("curve.svg"));
    for (const QString& out : {png, svg}) {
        const ToolRun run = runTool({QStringLiteral("--curve"), out, document});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.isEmpty(), run.err.constData());
    }
    const QByteArray bytes = fileBytes(svg);
    QXmlStreamReader xml(bytes);
    QStringList texts;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("svg")) {
            QCOMPARE(xml.attributes().value(QLatin1String("width")), QLatin1String("1600"));
            QCOMPARE(xml.attributes().value(QLatin1String("height")), QLatin1String("1200"));
        } else if (xml.name() == QLatin1String("text")) {
            texts << xml.readElementText();
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(texts.contains(QStringLiteral("流量比 Q/Q_full、流速比 V/V_full")));
    QVERIFY(texts.contains(QStringLiteral("計算書の有効水深")));

#ifdef Q_OS_WIN
    QSKIP("rsvg-convert is a Linux program; the pixels are compared on Linux");
#else
    const QString rsvg = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    QVERIFY2(!rsvg.isEmpty(), "rsvg-convert (librsvg2-bin, scripts/setup) is missing");
    const QString rendered = dir.filePath(QStringLiteral("rendered.png"));
    QCOMPARE(QProcess::execute(rsvg, {QStringLiteral("--background-color=white"),
                                      QStringLiteral("--output"), rendered, svg}),
             0);
    const QImage drawn = QImage(rendered).convertToFormat(QImage::Format_RGB32);
    const QImage painted = QImage(png).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(painted.size(), drawn.size());
    // Pixels that differ clearly, and the largest difference of 16 × 16 blocks'
    // averages: a line or a word missing or moved shows in both.
    qint64 differing = 0;
    int worstBlock = 0;
    for (int by = 0; by < 1200; by += 16) {
        for (int bx = 0; bx < 1600; bx += 16) {
            int sum = 0;
            for (int y = by; y < by + 16; ++y) {
                const QRgb* a = reinterpret_cast<const QRgb*>(painted.constScanLine(y));
                const QRgb* b = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
                for (int x = bx; x < bx + 16; ++x) {
                    const int d = std::max({std::abs(qRed(a[x]) - qRed(b[x])),
                                            std::abs(qGreen(a[x]) - qGreen(b[x])),
                                            std::abs(qBlue(a[x]) - qBlue(b[x]))});
                    differing += d > 96;
                    sum += qRed(a[x]) + qGreen(a[x]) + qBlue(a[x]) - qRed(b[x]) - qGreen(b[x]) -
                           qBlue(b[x]);
                }
            }
            worstBlock = std::max(worstBlock, std::abs(sum) / (16 * 16 * 3));
        }
    }
    qInfo("differing pixels %lld of 1920000, worst 16x16 block average %d", differing, worstBlock);
    QVERIFY2(differing < 1920000 / 100, qPrintable(QString::number(differing)));
    QVERIFY2(worstBlock < 32, qPrintable(QString::number(worstBlock)));
#endif
}

void SheetToolAidsTest::curveIsNotWrittenOverAFolderOrForARefusedDocument() {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("folder.png"));
    QVERIFY(QDir().mkdir(folder));
    const ToolRun run = runTool({QStringLiteral("--curve"), folder, example("residential-vp.tvr")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(!run.err.isEmpty());
    QVERIFY(QFileInfo(folder).isDir());

    const QString good = dir.filePath(QStringLiteral("good.csv"));
    QVERIFY(writeBytes(good, "kept"));
    const QString refused = refusedDocument(dir);
    const ToolRun refusedRun = runTool({QStringLiteral("--curve"), good, refused});
    QCOMPARE(refusedRun.exitCode, 1);
    QCOMPARE(fileBytes(good), QByteArray("kept"));
}

void SheetToolAidsTest::commandLine() {
    const ToolRun help = runTool({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.err.isEmpty());
    for (const char* mode : {"--csv", "--sizes", "--curve", "--pdf", "--results", "--utf8"})
        QVERIFY2(help.out.contains(mode), mode);
    QCOMPARE(runTool({QStringLiteral("-h")}).out, help.out);

    const ToolRun version = runTool({QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QVERIFY(version.out.startsWith("tovarin-sheet " TOVARIN_VERSION "\n"));

    const QString vp = example("residential-vp.tvr");
    const QList<QStringList> wrong = {
        {QStringLiteral("--pdf"), QString(), vp},
        {QStringLiteral("--pdf="), vp},
        {QStringLiteral("--curve"), QStringLiteral("out.txt"), vp},
        {QStringLiteral("--curve"), QString(), vp},
        {QStringLiteral("--sizes"), vp, vp},
        {QStringLiteral("--sizes")},
        {QStringLiteral("--csv"), QStringLiteral("--results"), vp},
        {QStringLiteral("--version"), vp},
        {QStringLiteral("--pdf")},
        {QStringLiteral("-x"), vp},
    };
    for (const QStringList& arguments : wrong) {
        const ToolRun run = runTool(arguments);
        const QByteArray joined = arguments.join(QLatin1Char(' ')).toUtf8();
        QVERIFY2(run.exitCode == 2, joined.constData());
        QVERIFY2(run.out.isEmpty(), joined.constData());
        QVERIFY2(run.err.contains("tovarin-sheet --curve"), joined.constData());
    }
}

// No caption of the drawing lies on a curve, a line, a mark or the frame: drawn
// without its captions, every pixel under each caption's box is blank paper or the
// light grid. Over planned flows from nearly nothing to beyond the axis, every depth
// choice, circles and a channel.
void SheetToolAidsTest::curveCaptionsStayClear() {
    using namespace tovarin;
    std::vector<ComputeInput> inputs;
    for (int flow = 2; flow <= 84; flow += 3) { // Q_full of VP φ100 is 0.0069
        ComputeInput in = testing::vp100Input();
        in.plannedFlowText = std::to_string(flow / 10000.0);
        inputs.push_back(in);
    }
    const std::vector<std::string>& circular = DepthRatioTable::circularTexts();
    for (std::size_t position = 0; position < circular.size(); ++position) {
        ComputeInput in = testing::otherCircularInput();
        in.depthListPosition = static_cast<int>(position);
        in.depthListText = circular[position];
        inputs.push_back(in);
    }
    const std::vector<std::string>& rectangular = DepthRatioTable::rectangularTexts();
    for (std::size_t position = 0; position < rectangular.size(); ++position) {
        for (const char* flow : {"0.0006", "0.2", "0.45", "0.5", "3"}) {
            ComputeInput in = testing::rectangularInput();
            in.depthListPosition = static_cast<int>(position);
            in.depthListText = rectangular[position];
            in.plannedFlowText = flow;
            inputs.push_back(in);
        }
    }
    int charts = 0;
    for (const ComputeInput& in : inputs) {
        const CalcSheet sheet = testing::computedSheet(in);
        if (!sheet.hasResult())
            continue;
        ++charts;
        const CurveChart chart = chartOf(sheet);
        QImage image(1600, 1200, QImage::Format_RGB32);
        ChartLayout layout;
        {
            QPainter painter(&image);
            drawChart(painter, image.size(), chart, ChartLabels::Left);
            layout = chartLayout(painter, image.size(), chart);
        }
        const QString name = QString::fromStdString(in.plannedFlowText + " " + in.depthListText);
        QVERIFY2(layout.labels.size() == (chart.documentDepth ? 2u : 1u), qPrintable(name));
        for (const ChartLabel& label : layout.labels) {
            QVERIFY2(image.rect().contains(label.box.toRect()), qPrintable(name));
            for (int y = qCeil(label.box.top()); y < label.box.bottom(); ++y)
                for (int x = qCeil(label.box.left()); x < label.box.right(); ++x) {
                    const QColor pixel = image.pixelColor(x, y);
                    QVERIFY2(std::min({pixel.red(), pixel.green(), pixel.blue()}) >= 200,
                             qPrintable(name + QStringLiteral(": ") + label.text +
                                        QStringLiteral(" at %1,%2").arg(x).arg(y)));
                }
        }
    }
    QVERIFY(charts > 40);

    // The title names the size once; a 水量 choice gives its depth ratio.
    const CurveChart other = chartOf(testing::computedSheet(testing::otherCircularInput()));
    QCOMPARE(other.title, QStringLiteral("水理特性曲線　鋳鉄管 φ300"));
    QVERIFY2(other.documentDepthText.contains(QStringLiteral("水量９５％（h/D=0.")),
             qPrintable(other.documentDepthText));
    ComputeInput sized = testing::otherCircularInput();
    sized.materialText = "硬質塩化ビニル管　φ２５０";
    sized.diameterText = "0.25";
    QCOMPARE(chartOf(testing::computedSheet(sized)).title,
             QStringLiteral("水理特性曲線　硬質塩化ビニル管　φ２５０"));
}

QTEST_MAIN(SheetToolAidsTest)
#include "SheetToolAidsTest.moc"
