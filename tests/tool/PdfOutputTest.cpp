// The PDF of tovarin-sheet --pdf: the page the printer path draws, drawn without the
// print system, and a file that is written whole or not at all.

#include "report/FilePrint.h"
#include "tests/support/PrintTestSupport.h"
#include "tests/support/SpecialFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

// The page rendered to a grey image by poppler, as bytes.
QByteArray renderedPage(const QString& pdf, const QString& outputStem) {
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-gray"),
                  QStringLiteral("-singlefile"), pdf, outputStem});
    if (!render.waitForFinished(60000) || render.exitCode() != 0)
        return {};
    QFile image(outputStem + QStringLiteral(".pgm"));
    return image.open(QIODevice::ReadOnly) ? image.readAll() : QByteArray();
}

// The printer path of "印刷(&P)" with a print set-up that chose a PDF file on A4.
bool printThroughPrinter(Platform& platform, const CalcSheet& sheet, const QString& pdf) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    return printSheet(platform, printer, sheet, true);
}

struct ToolRun {
    int exitCode = -1;
    QString err;
};

// tovarin-sheet --pdf in a child that may write files of at most `fileSizeLimit`
// bytes (a full disk, in effect: writes past it fail with EFBIG). Exit code -2 where
// the system cannot limit the size of files.
ToolRun runPdfToolWithFileLimit(const QString& pdf, long long fileSizeLimit) {
    QProcess tool;
    if (!testing::limitRoomOfChild(tool, fileSizeLimit))
        return {-2, {}};
    tool.start(
        QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST),
        {QStringLiteral("--pdf"), pdf, QStringLiteral(TOVARIN_EXAMPLES_DIR "/residential-vp.tvr")});
    ToolRun run;
    if (!tool.waitForFinished(60000))
        return run;
    run.exitCode = tool.exitCode();
    run.err = QString::fromUtf8(tool.readAllStandardError());
    return run;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class PdfOutputTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        substituteMincho();
        TOVARIN_REQUIRE_POPPLER();
    }

    void pdfIsThePrintersPage_data() {
        QTest::addColumn<bool>("residential");
        QTest::newRow("residential, failing, with max population") << true;
        QTest::newRow("non-residential, passing") << false;
    }

    // Pixel for pixel what the printer path puts on its page, in IPAMincho.
    void pdfIsThePrintersPage() {
        QFETCH(bool, residential);
        const CalcSheet sheet =
            residential ? failingResidentialSheet() : passingNonResidentialSheet();
        QTemporaryDir dir;
        ScriptedPlatform platform;
        const QString printed = dir.filePath(QStringLiteral("printer.pdf"));
        const QString written = dir.filePath(QStringLiteral("writer.pdf"));
        QVERIFY(printThroughPrinter(platform, sheet, printed));
        QVERIFY(printSheetToPdf(platform, sheet, written));

        const QByteArray expected = renderedPage(printed, dir.filePath(QStringLiteral("p")));
        QVERIFY(!expected.isEmpty());
        QCOMPARE(renderedPage(written, dir.filePath(QStringLiteral("w"))), expected);
        QCOMPARE(pdfPages(written), pdfPages(printed));
        QVERIFY(runTool(QStringLiteral("pdfinfo"), {written}).contains(QStringLiteral("(A4)")));

        const QString fonts = runTool(QStringLiteral("pdffonts"), {written});
        // The one font, IPAMincho, embedded ("emb" yes).
        static const QRegularExpression embeddedMincho(
            QStringLiteral("^IPAMincho\\s+CID TrueType\\s+\\S+\\s+yes\\s"),
            QRegularExpression::MultilineOption);
        QVERIFY2(embeddedMincho.match(fonts).hasMatch(), qPrintable(fonts));
        QCOMPARE(fonts.count(u'\n'), 3); // heading, rule and that font
    }

    // Only a regular file or a new name is written; anything else is refused and left
    // as it is, and so is an empty name.
    void pdfRefusesWhatIsNotARegularFile() {
        QTemporaryDir dir;
        ScriptedPlatform platform;
        const CalcSheet sheet = passingNonResidentialSheet();
        QVERIFY(!printSheetToPdf(platform, sheet, dir.path()));
        QVERIFY(!printSheetToPdf(platform, sheet, QString()));
        QVERIFY(!printSheetToPdf(platform, sheet, testing::nullDeviceName()));
        QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden).isEmpty());

        const QString fifo = dir.filePath(QStringLiteral("fifo.pdf"));
        if (!testing::makeFifo(fifo))
            QSKIP("no FIFOs or symbolic links in this file system");
        QVERIFY(!printSheetToPdf(platform, sheet, fifo));
        QVERIFY(testing::isFifo(fifo));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden),
                 QStringList{QStringLiteral("fifo.pdf")});

        // A link to a regular file writes the file it points at.
        const QString target = dir.filePath(QStringLiteral("target.pdf"));
        const QString link = dir.filePath(QStringLiteral("link.pdf"));
        QVERIFY(QFile(target).open(QIODevice::WriteOnly));
        QVERIFY(testing::makeSymbolicLink(target, link));
        QVERIFY(printSheetToPdf(platform, sheet, link));
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(fileBytes(target).startsWith("%PDF-"));
    }

    // An empty name is a usage error: exit status 2, nothing printed anywhere.
    void emptyPdfNameIsAUsageError() {
        QProcess tool;
        tool.start(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST),
                   {QStringLiteral("--pdf"), QString(),
                    QStringLiteral(TOVARIN_EXAMPLES_DIR "/residential-vp.tvr")});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 2);
        QVERIFY(QString::fromUtf8(tool.readAllStandardError()).contains(QStringLiteral("--pdf")));
        QVERIFY(tool.readAllStandardOutput().isEmpty());
    }

    // A disk that fills up part-way: exit status 1 and the message, the earlier file
    // byte for byte, and no temporary file left beside it.
    void fullDiskKeepsTheEarlierPdf() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        const QByteArray earlier = "%PDF-1.4 an earlier sheet\n";
        {
            QFile file(pdf);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(earlier), earlier.size());
        }
        const ToolRun run = runPdfToolWithFileLimit(pdf, 4096);
        if (run.exitCode == -2)
            QSKIP("no limit on the size of a process's files on this system");
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(
            run.err.contains(QStringLiteral("ファイル「%1」に印刷できませんでした。").arg(pdf)),
            qPrintable(run.err));
        QCOMPARE(fileBytes(pdf), earlier);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("sheet.pdf")});

        // With room enough the same run writes the whole PDF.
        const ToolRun roomy = runPdfToolWithFileLimit(pdf, 64 * 1024 * 1024);
        QCOMPARE(roomy.exitCode, 0);
        QCOMPARE(pdfPageCount(pdf), 1);
    }
};

QTEST_MAIN(PdfOutputTest)
#include "PdfOutputTest.moc"
