// --csv: the results of many documents as one table for a spreadsheet program.

#include "engine/ControlCharacters.h"
#include "engine/CsvText.h"
#include "platform/StandardOutput.h"
#include "tool/ToolDocument.h"

#include <optional>

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

} // namespace

// Kinds have different columns; so do rainwater and sewage networks, which are told
// apart only once read.
void refuseMixedKinds(const char* option, bool network) {
    if (!network)
        writeStandardError("tovarin-sheet: " + std::string(option) +
                           " の一覧表は汚水（.tvr）と雨水（.tvu）で欄が違うため、"
                           "一度に指定できるのはどちらか一方のファイルだけです。\n");
    else
        writeStandardError("tovarin-sheet: " + std::string(option) +
                           " の一覧表は文書の種類ごとに欄が違うため、"
                           "系統（.tvn）は雨水の系統だけ、又は汚水の系統だけを"
                           "一度に指定できます。\n");
}

bool anyNetwork(const ToolDocuments& documents, const QStringList& files) {
    for (const QString& file : files)
        if (documents.kindOf(file) == DocumentKind::Network)
            return true;
    return false;
}

bool tableOfOneKind(const ToolDocuments& documents, const QStringList& files, const char* option) {
    const DocumentKind first = documents.kindOf(files.front());
    for (const QString& file : files) {
        if (documents.kindOf(file) != first) {
            refuseMixedKinds(option, anyNetwork(documents, files));
            return false;
        }
    }
    return true;
}

// A network's columns are known once one is read: the header is taken after the rows.
ResultsTable readResultsTable(ConsolePlatform& platform, ToolDocuments& documents,
                              const QStringList& files) {
    ToolDocument& kind = documents.of(files.front());
    ResultsTable table{kind.tableSheetName(), {}, {}, 0};
    std::optional<std::vector<std::string>> header;
    struct Refused {
        std::size_t row;
        QString file;
        QString message;
    };
    std::vector<Refused> refused;
    for (const QString& file : files) {
        if (kind.read(file)) {
            if (!header)
                header = kind.tableHeader();
            else if (kind.tableHeader() != *header)
                table.mixedColumns = true;
            for (std::vector<std::string>& cells : kind.tableRows(file)) {
                cells.front() = fileCell(file);
                table.rows.push_back(std::move(cells));
            }
            continue;
        }
        table.status = 1;
        // A name that is not UTF-8 is shown by its bytes, as in the message.
        refused.push_back(
            {table.rows.size(), platform.unusableNames.value(file, file), platform.lastMessage});
        table.rows.emplace_back();
    }
    table.header = header ? *header : kind.tableHeader();
    table.sheetName = kind.tableSheetName();
    for (const Refused& r : refused)
        table.rows[r.row] = refusedRow(table.header.size(), r.file, r.message);
    return table;
}

int writeResultsTable(ConsolePlatform& platform, ToolDocuments& documents,
                      const QStringList& files) {
    if (!tableOfOneKind(documents, files, "--csv"))
        return 2;
    const ResultsTable results = readResultsTable(platform, documents, files);
    if (results.mixedColumns) {
        refuseMixedKinds("--csv", true);
        return 2;
    }
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
