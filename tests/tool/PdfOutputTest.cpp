// The PDF of tovarin-sheet --pdf: the page the printer path draws, drawn without the
// print system, and a file that is written whole or not at all.

#include "report/FilePrint.h"
#include "tests/support/PrintTestSupport.h"
#include "tests/support/SpecialFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

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

// The POSIX side of the cases below: the administrator, file modes, owners. Windows
// has none of them (the cases skip there).
#ifdef Q_OS_WIN
bool isAdministrator() {
    return false;
}
bool setMode(const QString&, int) {
    return false;
}
bool giveToNobody(const QString&) {
    return false;
}
#else
bool isAdministrator() {
    return ::geteuid() == 0;
}
bool setMode(const QString& path, int mode) {
    return ::chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(mode)) == 0;
}
bool giveToNobody(const QString& path) {
    return ::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0;
}
#endif

// tovarin-sheet with the arguments, as the ordinary user "nobody" when `asNobody` (the
// tests run as the administrator, whom no permission stops). Exit code -2 where no
// such user can be taken on.
ToolRun runToolAs(bool asNobody, const QStringList& arguments) {
    QProcess tool;
    QStringList command{QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST)};
    if (asNobody) {
        if (!isAdministrator() ||
            QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            return {-2, {}};
        command = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                              QStringLiteral("--clear-groups"), QStringLiteral("--")} +
                  command;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        environment.insert(QStringLiteral("HOME"), QStringLiteral("/tmp"));
        tool.setProcessEnvironment(environment);
    }
    const QString program = asNobody ? QStringLiteral("setpriv") : command.takeFirst();
    tool.start(program, command + arguments);
    ToolRun run;
    if (!tool.waitForFinished(60000))
        return run;
    run.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
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

    // What stands in the way of --pdf and --curve is named as the window names it; a
    // file that may be written (if not read) is written.
    void outputsNameWhatStandsInTheWay_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("fileMode");   // of an earlier file by that name
        QTest::addColumn<int>("folderMode"); // of the folder holding it
        QTest::addColumn<bool>("asNobody");  // run by an ordinary user owning the file
        QTest::addColumn<QString>("reason"); // empty when the file is written
        const QString readOnly = QStringLiteral("書き込みが許可されていません。");
        const QString noNewFile = QStringLiteral("このフォルダには新しいファイルを作れません（フォ"
                                                 "ルダへの書き込みが許可されていません）。");
        for (const char* option : {"--pdf", "--curve"}) {
            const QString name = QStringLiteral("out.pdf");
            QTest::addRow("%s read-only file", option)
                << option << name << 0444 << 0777 << false << readOnly;
            QTest::addRow("%s folder allows no new file", option)
                << option << name << 0644 << 0755 << true << noNewFile;
            QTest::addRow("%s write-only file", option)
                << option << name << 0200 << 0777 << true << QString();
        }
    }

    void outputsNameWhatStandsInTheWay() {
        QFETCH(QString, option);
        QFETCH(QString, name);
        QFETCH(int, fileMode);
        QFETCH(int, folderMode);
        QFETCH(bool, asNobody);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString output = dir.filePath(name);
        const QByteArray earlier = "%PDF-1.4 an earlier file\n";
        {
            QFile file(output);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(earlier) == earlier.size());
        }
        if (!setMode(output, 0600))
            QSKIP("no file modes of a POSIX system here");
        if (asNobody && !isAdministrator())
            QSKIP("only the administrator can run a program as another user");
        if (asNobody)
            QVERIFY(giveToNobody(output));
        QVERIFY(setMode(output, fileMode));
        QVERIFY(setMode(dir.path(), folderMode));

        const ToolRun run = runToolAs(
            asNobody, {option, output, QStringLiteral(TOVARIN_EXAMPLES_DIR "/residential-vp.tvr")});
        setMode(dir.path(), 0700);
        setMode(output, 0600);
        if (run.exitCode == -2)
            QSKIP("the tests cannot run a program as an ordinary user here");
        if (reason.isEmpty()) {
            QVERIFY2(run.exitCode == 0, qPrintable(run.err));
            QVERIFY(fileBytes(output).startsWith("%PDF-"));
            QVERIFY(fileBytes(output) != earlier);
            return;
        }
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(reason), qPrintable(run.err));
        QVERIFY2(!run.err.contains(QStringLiteral("空き容量")), qPrintable(run.err));
        QCOMPARE(fileBytes(output), earlier);
    }

    // A read-only mount reads as in the window, for --pdf and --curve alike.
    void readOnlyMountGivesTheWindowsReason() {
        if (!isAdministrator() ||
            QStandardPaths::findExecutable(QStringLiteral("unshare")).isEmpty())
            QSKIP("no mount of the test's own can be made here");
        QTemporaryDir dir;
        for (const QString& option : {QStringLiteral("--pdf"), QStringLiteral("--curve")}) {
            QProcess tool;
            // The mount is the child's own (a mount namespace), gone when it ends.
            tool.start(QStringLiteral("unshare"),
                       {QStringLiteral("-m"), QStringLiteral("sh"), QStringLiteral("-c"),
                        QStringLiteral("mount -t tmpfs -o size=64k,ro tmpfs \"$1\" || exit 77; "
                                       "exec \"$0\" \"$2\" \"$1/out.pdf\" \"$3\""),
                        QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST), dir.path(), option,
                        QStringLiteral(TOVARIN_EXAMPLES_DIR "/residential-vp.tvr")});
            QVERIFY(tool.waitForFinished(60000));
            if (tool.exitCode() == 77)
                QSKIP("no mount of the test's own can be made here");
            const QString err = QString::fromUtf8(tool.readAllStandardError());
            QCOMPARE(tool.exitCode(), 1);
            QVERIFY2(err.endsWith(QStringLiteral("読み取り専用の場所です。\n")), qPrintable(err));
        }
    }

    // A file marked immutable or append-only cannot be replaced: the message says so,
    // without sending the user to look at the disk's free space.
    void markedFileIsNotBlamedOnTheDisk() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("marked.pdf"));
        const QByteArray earlier = "%PDF-1.4 an earlier file\n";
        {
            QFile file(pdf);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(earlier) == earlier.size());
        }
        for (const QString& flag : {QStringLiteral("+i"), QStringLiteral("+a")}) {
            if (QProcess::execute(QStringLiteral("chattr"), {flag, pdf}) != 0)
                QSKIP("chattr cannot mark files here");
            const ToolRun run =
                runToolAs(false, {QStringLiteral("--pdf"), pdf,
                                  QStringLiteral(TOVARIN_EXAMPLES_DIR "/residential-vp.tvr")});
            QCOMPARE(QProcess::execute(QStringLiteral("chattr"),
                                       {QStringLiteral("-i"), QStringLiteral("-a"), pdf}),
                     0);
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.err.contains(QStringLiteral("書き込みが許可されていません。")),
                     qPrintable(run.err));
            QVERIFY2(!run.err.contains(QStringLiteral("空き容量")), qPrintable(run.err));
            QCOMPARE(fileBytes(pdf), earlier);
        }
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
