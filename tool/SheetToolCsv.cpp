// --csv: the results of many documents as one table for a spreadsheet program.

#include "engine/ControlCharacters.h"
#include "engine/CsvText.h"
#include "platform/StandardOutput.h"
#include "tool/ToolDocument.h"

namespace tovarin {

namespace {

// A file's name as its cell shows it: a control character (ESC, a line end) shown as
// the messages show it, never raw in the table.
std::string fileCell(const QString& file) {
    return visibleText(file.toStdString());
}

std::vector<std::string> refusedRow(std::size_t columns, const QString& file,
                                    const QString& message) {
    std::vector<std::string> row(columns);
    row.front() = fileCell(file);
    row.back() = message.toStdString();
    return row;
}

bool oneKind(const ToolDocuments& documents, const QStringList& files) {
    const DocumentKind first = documents.kindOf(files.front());
    for (const QString& file : files)
        if (documents.kindOf(file) != first)
            return false;
    return true;
}

} // namespace

int writeResultsTable(ConsolePlatform& platform, ToolDocuments& documents,
                      const QStringList& files) {
    if (!oneKind(documents, files)) {
        writeStandardError(
            "tovarin-sheet: --csv の一覧表は汚水（.tvr）と雨水（.tvu）で欄が違うため、"
            "一度に指定できるのはどちらか一方のファイルだけです。\n");
        return 2;
    }
    ToolDocument& kind = documents.of(files.front());
    const std::vector<std::string> header = kind.tableHeader();
    std::string table(csvByteOrderMark);
    table += csvRecord(header);
    int status = 0;
    for (const QString& file : files) {
        if (kind.read(file)) {
            std::vector<std::string> row = kind.tableRow(file);
            row.front() = fileCell(file);
            table += csvRecord(row);
            continue;
        }
        status = 1;
        // A name that is not UTF-8 is shown by its bytes, as in the message.
        table += csvRecord(refusedRow(header.size(), platform.unusableNames.value(file, file),
                                      platform.lastMessage));
    }
    if (!writeStandardOutputText(table)) {
        platform.document = QStringLiteral("tovarin-sheet");
        platform.report(QStringLiteral("標準出力に書き込めませんでした。"));
        return 1;
    }
    return status;
}

} // namespace tovarin
