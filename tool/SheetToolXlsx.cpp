// --xlsx: the table of --csv as a workbook, with its figures as numbers.

#include "aids/OutputFile.h"
#include "platform/qt/WholeFile.h"
#include "tool/ToolDocument.h"
#include "tool/WorkbookTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace tovarin {

namespace {

// A name of this system for the library: the bytes of the name on Unix, UTF-8 (which
// the library turns into the wide name) on Windows.
std::string libraryFileName(const QString& path) {
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(path).toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

// The workbook's bytes, made in a folder of its own that goes with it; empty, with
// the reason, when the library could not make it.
QByteArray workbookBytes(const ResultsTable& results, QString* why) {
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        *why =
            QStringLiteral("作業用のフォルダを作れませんでした（%1）。").arg(folder.errorString());
        return {};
    }
    WorkbookTable table{
        results.sheetName, results.header, results.rows, {0, results.header.size() - 1}};
    const QString path = folder.filePath(QStringLiteral("table.xlsx"));
    const WorkbookWrite written =
        writeWorkbookFile(libraryFileName(path), table, libraryFileName(folder.path()));
    if (!written.written()) {
        // The system's reason where a call of the system failed (a full disk), else the
        // library's own words.
        const QString reason = wholeFileFailureReason({WholeFileWrite::Failed, written.error});
        *why = QStringLiteral("作業用のフォルダ「%1」にブックを作れませんでした。%2")
                   .arg(QDir::toNativeSeparators(folder.path()),
                        reason.isEmpty() ? QString::fromStdString(written.failure) : reason);
        return {};
    }
    QFile made(path);
    if (!made.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("作ったブックを読めませんでした（%1）。").arg(made.errorString());
        return {};
    }
    QByteArray bytes = made.readAll();
    if (made.error() != QFileDevice::NoError || bytes.isEmpty()) {
        *why = QStringLiteral("作ったブックを読めませんでした（%1）。").arg(made.errorString());
        return {};
    }
    return bytes;
}

} // namespace

int writeResultsWorkbook(ConsolePlatform& platform, ToolDocuments& documents,
                         const QStringList& files, const QString& output) {
    if (!tableOfOneKind(documents, files, "--xlsx"))
        return 2;
    platform.document = QStringLiteral("tovarin-sheet");
    QString why = outputFileProblem(output);
    if (!why.isEmpty()) {
        platform.report(
            QStringLiteral("ファイル「%1」に書き込めませんでした。%2").arg(output, why));
        return 1;
    }
    const ResultsTable results = readResultsTable(platform, documents, files);
    if (results.mixedColumns) {
        refuseMixedKinds("--xlsx", true);
        return 2;
    }
    platform.document = QStringLiteral("tovarin-sheet");
    const QByteArray bytes = workbookBytes(results, &why);
    if (bytes.isEmpty()) {
        platform.report(
            QStringLiteral("ファイル「%1」に書き込めませんでした。%2").arg(output, why));
        return 1;
    }
    why = writeOutputFile(output, bytes);
    if (!why.isEmpty()) {
        platform.report(why);
        return 1;
    }
    return results.status;
}

} // namespace tovarin
