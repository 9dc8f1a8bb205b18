// --csv: the results of many documents as one table for a spreadsheet program.

#include "engine/CsvText.h"
#include "platform/StandardOutput.h"
#include "tool/ToolDocument.h"

namespace tovarin {

namespace {

std::vector<std::string> refusedRow(std::size_t columns, const QString& file,
                                    const QString& message) {
    std::vector<std::string> row(columns);
    row.front() = file.toStdString();
    row.back() = message.toStdString();
    return row;
}

} // namespace

bool tableOfOneKind(const ToolDocuments& documents, const QStringList& files, const char* option) {
    const DocumentKind first = documents.kindOf(files.front());
    for (const QString& file : files) {
        if (documents.kindOf(file) != first) {
            writeStandardError("tovarin-sheet: " + std::string(option) +
                               " の一覧表は汚水（.tvr）と雨水（.tvu）で欄が違うため、"
                               "一度に指定できるのはどちらか一方のファイルだけです。\n");
            return false;
        }
    }
    return true;
}

ResultsTable readResultsTable(ConsolePlatform& platform, ToolDocuments& documents,
                              const QStringList& files) {
    ToolDocument& kind = documents.of(files.front());
    ResultsTable table{kind.tableSheetName(), kind.tableHeader(), {}, 0};
    for (const QString& file : files) {
        if (kind.read(file)) {
            table.rows.push_back(kind.tableRow(file));
            continue;
        }
        table.status = 1;
        // A name that is not UTF-8 is shown by its bytes, as in the message.
        table.rows.push_back(refusedRow(
            table.header.size(), platform.unusableNames.value(file, file), platform.lastMessage));
    }
    return table;
}

int writeResultsTable(ConsolePlatform& platform, ToolDocuments& documents,
                      const QStringList& files) {
    if (!tableOfOneKind(documents, files, "--csv"))
        return 2;
    const ResultsTable results = readResultsTable(platform, documents, files);
    std::string table(csvByteOrderMark);
    table += csvRecord(results.header);
    for (const std::vector<std::string>& row : results.rows)
        table += csvRecord(row);
    if (!writeStandardOutputText(table)) {
        platform.document = QStringLiteral("tovarin-sheet");
        platform.report(QStringLiteral("標準出力に書き込めませんでした。"));
        return 1;
    }
    return results.status;
}

} // namespace tovarin
