// tovarin-sheet --pdf: the sheet of a document printed into a PDF file on A4 through
// the printing of "印刷(&P)", read back with poppler.

#include "tests/support/PrintTestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace tovarin::testing;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

Run runSheetTool(const QStringList& arguments) {
    QProcess tool;
    tool.start(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST), arguments);
    Run run;
    if (!tool.waitForFinished(60000))
        return run;
    run.exitCode = tool.exitCode();
    run.out = tool.readAllStandardOutput();
    run.err = QString::fromUtf8(tool.readAllStandardError());
    return run;
}

} // namespace

class PrintToolTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (!QFile::exists(QStringLiteral(TOVARIN_EXAMPLES_DIR "/residential-vp.tvr")))
            QFAIL("the example document is missing");
        TOVARIN_REQUIRE_POPPLER();
    }

    void pdfHoldsTheDocumentsSheetOnA4() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        const QString document = QStringLiteral(TOVARIN_EXAMPLES_DIR "/residential-vp.tvr");

        const Run printed = runSheetTool({QStringLiteral("--pdf"), pdf, document});
        QCOMPARE(printed.exitCode, 0);
        QVERIFY(printed.out.isEmpty());
        QCOMPARE(pdfPageCount(pdf), 1);
        QVERIFY(runTool(QStringLiteral("pdfinfo"), {pdf}).contains(QStringLiteral("(A4)")));

        // The same lines as the text sheet of the same document.
        const Run text = runSheetTool({QStringLiteral("--utf8"), document});
        QCOMPARE(text.exitCode, 0);
        const QStringList expected = comparableLines(QString::fromUtf8(text.out).split(u'\n'));
        QVERIFY(expected.contains(QStringLiteral("☆ 流量計算書（汚水排水施設）")));
        QCOMPARE(comparableLines(pdfPages(pdf).first().split(u'\n')), expected);
    }

    void unwritablePdfFails() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("no-such-folder/sheet.pdf"));
        const Run run = runSheetTool({QStringLiteral("--pdf"), pdf,
                                      QStringLiteral(TOVARIN_EXAMPLES_DIR "/residential-vp.tvr")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(
            run.err.contains(QStringLiteral("ファイル「%1」に印刷できませんでした。").arg(pdf)));
        QVERIFY(!QFile::exists(pdf));
    }
};

QTEST_MAIN(PrintToolTest)
#include "PrintToolTest.moc"
