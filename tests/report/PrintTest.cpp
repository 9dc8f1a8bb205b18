// Drawing the sheet on a surface and printing it (FilePrint): the column of the
// verdict, the alert colour, the maximum-population question, the print set-up, page
// continuation, and the printout read back from PDF.

#include "report/DrawingSurface.h"
#include "report/FilePrint.h"
#include "report/PageScroll.h"
#include "tests/support/PrintTestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace tovarin;
using namespace tovarin::testing;

Q_DECLARE_METATYPE(tovarin::MsgAnswer)

namespace {

QFont pageFont() {
    QFont font(QStringLiteral("ＭＳ 明朝"));
    font.setPointSizeF(11.25);
    return font;
}

SheetLine textLine(const std::string& text, bool alert = false) {
    SheetLine line;
    line.items.push_back(LiteralItem{text});
    line.alert = alert;
    return line;
}

// A word of a line and where it starts: a text column from 0 (expected) or x in
// points (read back), with its lower edge in points (read back).
struct PlacedWord {
    double x = 0;
    QString text;
    double bottom = 0;
};

int columnsOf(QChar c) {
    const ushort u = c.unicode();
    return (u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F)) ? 1 : 2;
}

QList<PlacedWord> wordsOfLine(const QString& line) {
    QList<PlacedWord> words;
    int column = 0;
    bool inWord = false;
    for (QChar c : line) {
        const bool blank = c == QChar(u' ') || c == QChar(0x3000);
        if (!blank && !inWord)
            words.append({double(column), QString()});
        if (!blank)
            words.last().text += c;
        inWord = !blank;
        column += columnsOf(c);
    }
    return words;
}

// The words of a PDF by line, in reading order, from pdftotext -bbox.
QList<QList<PlacedWord>> pdfWordLines(const QString& pdf) {
    QXmlStreamReader xml(
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    QList<QList<PlacedWord>> lines;
    double lastTop = -1;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page"))
            lastTop = -1; // a new page starts a new line
        if (xml.name() != QLatin1String("word"))
            continue;
        const auto attribute = [&](const char* name) {
            return xml.attributes().value(QLatin1String(name)).toDouble();
        };
        const double top = attribute("yMin");
        if (lines.isEmpty() || std::abs(top - lastTop) > 0.5)
            lines.append(QList<PlacedWord>());
        lastTop = top;
        const double x = attribute("xMin");
        const double bottom = attribute("yMax");
        lines.last().append({x, comparable(xml.readElementText()), bottom});
    }
    return lines;
}

} // namespace

class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { substituteMincho(); }

    void init() {
        QVERIFY(dir.isValid());
        QFile::remove(pdfPath());
    }

    void pageAndScrollFigures() {
        QCOMPARE(millimetresToTwips(210), 11906);
        QCOMPARE(millimetresToTwips(297), 16838);
        const ScrollFigures vertical = scrollFigures(16838, 6705);
        QCOMPARE(vertical.maximum, 10133);
        QCOMPARE(vertical.largeStep, 5066); // 5066.5, half to even
        QCOMPARE(vertical.smallStep, 2533);
        const ScrollFigures horizontal = scrollFigures(11906, 10665);
        QCOMPARE(horizontal.maximum, 1241);
        QCOMPARE(horizontal.largeStep, 620); // 620.5
        QCOMPARE(horizontal.smallStep, 310);
        // A page smaller than the viewport does not scroll, and stays in view.
        QCOMPARE(scrollFigures(5000, 6705).maximum, 0);
        QCOMPARE(roundHalfToEven(3.5), 4);
    }

    void verdictColumnIsNineteenHalfWidthColumns() {
        // A column jump draws exactly where 19 blanks would put the text.
        const std::string verdict = "Q1=0.0123m3/sec  <  Q2=0.0456m3/sec";
        SheetLine jump;
        jump.items = {ColumnJumpItem{20}, LiteralItem{verdict}};
        ScriptedPlatform platform;
        PageSurface jumped(platform, pageFont(), QSize(700, 40), 96);
        PageSurface spaced(platform, pageFont(), QSize(700, 40), 96);
        jumped.clear();
        jumped.writeLine(jump);
        jumped.finish();
        spaced.clear();
        spaced.writeLine(textLine(std::string(19, ' ') + verdict));
        spaced.finish();

        // The font's own advance, 7.5 pixels, not a rounded 8; Windows' font engine
        // gives whole pixels on the screen itself.
        QCOMPARE(jumped.columnWidth(), screenAdvancesAreWholePixels() ? 8.0 : 7.5);
        QVERIFY(inkInRows(jumped.image(), 0, 40).black > 0);
        QCOMPARE(jumped.image(), spaced.image());
    }

    void ngLineIsMagentaThenBlackAgainWithOneBeep() {
        ScriptedPlatform platform;
        PageSurface page(platform, pageFont(), QSize(700, 80), 96);
        page.clear();
        page.writeLine(textLine("Q1=0.0100m3/sec  >  Q2=0.0090m3/sec    ∴ NG", true));
        page.writeLine(textLine("――――――――――――――――――――――――"));
        page.finish();

        QCOMPARE(platform.beeps, 1);
        const int h = static_cast<int>(page.lineHeight());
        const Ink verdict = inkInRows(page.image(), 0, h);
        const Ink rule = inkInRows(page.image(), h + 1, 2 * h);
        QVERIFY(verdict.magenta > 0);
        QCOMPARE(verdict.black, 0);
        QVERIFY(rule.black > 0);
        QCOMPARE(rule.magenta, 0);
    }

    void aSurfaceThatIsGoneIsNoLongerTheDrawingSurface() {
        ScriptedPlatform platform;
        {
            PageSurface page(platform, pageFont(), QSize(100, 100), 96);
            setDrawingSurface(&page);
            page.clear();
            Hyouji_1(passingNonResidentialSheet());
            // Six blanks, title, blank; heading, blank, variant N2 (nine lines), two blanks.
            QCOMPARE(page.linesWritten(), 8 + 13);
        }
        QCOMPARE(drawingSurface(), nullptr);
        Hyouji_2(passingNonResidentialSheet()); // draws nowhere
    }

    void printedSheet_data() {
        QTest::addColumn<bool>("residential");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<bool>("withGroup3");
        QTest::newRow("residential, Yes") << true << MsgAnswer::Yes << true;
        QTest::newRow("residential, No") << true << MsgAnswer::No << false;
        QTest::newRow("non-residential, not asked") << false << MsgAnswer::Ok << false;
    }

    void printedSheet() {
        QFETCH(bool, residential);
        QFETCH(MsgAnswer, answer);
        QFETCH(bool, withGroup3);
        PdfPrinterPlatform platform;
        platform.pdfPath = pdfPath();
        platform.answers.enqueue(answer);
        const CalcSheet sheet =
            residential ? failingResidentialSheet() : passingNonResidentialSheet();

        FilePrint(platform, nullptr, sheet);

        QCOMPARE(platform.messages.size(), residential ? 1 : 0);
        if (residential) {
            const MessageRequest& question = platform.messages.first();
            QCOMPARE(question.text, QStringLiteral("最大計画人口を印刷しますか？"));
            QCOMPARE(question.title, QStringLiteral("確認"));
            QCOMPARE(question.buttons, MsgButtons::YesNoCancel);
            QCOMPARE(question.defaultButton, MsgAnswer::No);
            QCOMPARE(question.icon, MsgIcon::None);
        }
        QCOMPARE(platform.printSetups, 1);
        QCOMPARE(platform.beeps, residential ? 2 : 0); // NG verdict and NG margin
        TOVARIN_REQUIRE_POPPLER();
        const QStringList printed = printedLines();
        QCOMPARE(printed, comparableLines(drawnSheetLines(sheet, withGroup3)));
        QCOMPARE(printed.contains(QStringLiteral("◇ 最大計画人口")), withGroup3);
    }

    void nothingIsPrinted_data() {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<bool>("setUp");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("setUps");
        QTest::newRow("Cancel in the question") << MsgAnswer::Cancel << true << "sheet.pdf" << 0;
        QTest::newRow("set-up cancelled") << MsgAnswer::Yes << false << "sheet.pdf" << 1;
        QTest::newRow("printer cannot open")
            << MsgAnswer::Yes << true << "no-folder/sheet.pdf" << 1;
    }

    void nothingIsPrinted() {
        QFETCH(MsgAnswer, answer);
        QFETCH(bool, setUp);
        QFETCH(QString, file);
        QFETCH(int, setUps);
        PdfPrinterPlatform platform;
        platform.pdfPath = dir.filePath(file);
        platform.printAccepted = setUp;
        platform.answers.enqueue(answer);

        FilePrint(platform, nullptr, failingResidentialSheet());

        QCOMPARE(platform.messages.size(), 1); // the question only: silent otherwise
        QCOMPARE(platform.printSetups, setUps);
        QCOMPARE(platform.beeps, 0);
        QVERIFY(!QFile::exists(platform.pdfPath));
    }

    void aPageWithoutRoomForALinePrintsNothing() {
        // A strip of paper 2 mm high holds no line of 12 pt: every line would take a
        // page of its own.
        PdfPrinterPlatform platform;
        platform.pdfPath = pdfPath();
        platform.paper = QPageSize(QSizeF(210, 2), QPageSize::Millimeter);
        platform.answers.enqueue(MsgAnswer::Yes);
        const CalcSheet sheet = failingResidentialSheet();

        FilePrint(platform, nullptr, sheet);

        QCOMPARE(platform.messages.size(), 2); // the question, then why nothing is printed
        QCOMPARE(platform.messages.last().title, QStringLiteral("エラーメッセージ"));
        QCOMPARE(platform.messages.last().text,
                 QStringLiteral("用紙に印刷できる範囲がないため、印刷できません。\n"
                                "用紙の大きさと余白を確認してください。"));
        QCOMPARE(platform.beeps, 0);
        QVERIFY(!QFile::exists(platform.pdfPath));
    }

    void printedColumnsLineUpAsOnTheTextSheet() {
        // Every word of the printout starts at the column it has in the sheet text:
        // x = left margin + 6 pt (half the 12 pt font) per half-width column.
        TOVARIN_REQUIRE_POPPLER();
        ScriptedPlatform platform;
        const CalcSheet sheet = failingResidentialSheet();
        QVERIFY(printSheetToPdf(platform, sheet, pdfPath()));

        QList<QList<PlacedWord>> expected;
        for (const QString& line : drawnSheetLines(sheet)) {
            if (!comparable(line).isEmpty())
                expected.append(wordsOfLine(line));
        }
        const QList<QList<PlacedWord>> printed = pdfWordLines(pdfPath());
        QCOMPARE(printed.size(), expected.size());
        const double margin = printed[0][0].x - 6 * expected[0][0].x;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QCOMPARE(printed[i].size(), expected[i].size());
            for (qsizetype w = 0; w < expected[i].size(); ++w) {
                QCOMPARE(printed[i][w].text, comparable(expected[i][w].text));
                QVERIFY2(std::abs(printed[i][w].x - (margin + 6 * expected[i][w].x)) < 0.05,
                         qPrintable(printed[i][w].text));
            }
        }
    }

    void longSheetContinuesOnTheNextPage() {
        TOVARIN_REQUIRE_POPPLER();
        PdfPrinterPlatform platform;
        platform.pdfPath = pdfPath();
        // A4 wide and 100 mm high: about 19 lines of 12 pt a page.
        platform.paper = QPageSize(QSizeF(210, 100), QPageSize::Millimeter);
        platform.answers.enqueue(MsgAnswer::Yes);
        const CalcSheet sheet = failingResidentialSheet();

        FilePrint(platform, nullptr, sheet);

        const QStringList pages = pdfPages(pdfPath());
        QVERIFY(pages.size() >= 3);
        QCOMPARE(pages.size(), pdfPageCount(pdfPath()));
        const QString title = QStringLiteral("☆ 流量計算書（汚水排水施設）");
        QCOMPARE(comparableLines(pages.first().split(u'\n')).first(), title);
        for (qsizetype p = 1; p < pages.size(); ++p)
            QVERIFY(!comparableLines(pages[p].split(u'\n')).contains(title));
        // Nothing lost or repeated at the page ends, and no line below the printable area.
        QCOMPARE(printedLines(), comparableLines(drawnSheetLines(sheet)));
        QPrinter printer;
        printer.setPageSize(platform.paper);
        const double printableBottom = printer.pageLayout().paintRectPoints().bottom();
        for (const QList<PlacedWord>& line : pdfWordLines(pdfPath()))
            QVERIFY(line.first().bottom <= printableBottom);
    }

private:
    QTemporaryDir dir;

    QString pdfPath() const { return dir.filePath(QStringLiteral("sheet.pdf")); }

    QStringList printedLines() const {
        QStringList lines;
        for (const QString& page : pdfPages(pdfPath()))
            lines += comparableLines(page.split(u'\n'));
        return lines;
    }
};

QTEST_MAIN(PrintTest)
#include "PrintTest.moc"
