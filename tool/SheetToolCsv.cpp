// --csv: the results of many documents as one table for a spreadsheet program.

#include "engine/CsvText.h"
#include "platform/StandardOutput.h"
#include "tool/ToolDocument.h"

#include <optional>

namespace tovarin {

namespace {

std::vector<std::string> refusedRow(std::size_t columns, const QString& file,
                                    const QString& message) {
    std::vector<std::string> row(columns);
    row.front() = file.toStdString();
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

int mixedKinds(bool network) {
    if (!network)
        writeStandardError(
            "tovarin-sheet: --csv の一覧表は汚水（.tvr）と雨水（.tvu）で欄が違うため、"
            "一度に指定できるのはどちらか一方のファイルだけです。\n");
    else
        writeStandardError("tovarin-sheet: --csv の一覧表は文書の種類ごとに欄が違うため、"
                           "系統（.tvn）は雨水の系統だけ、又は汚水の系統だけを"
                           "一度に指定できます。\n");
    return 2;
}

bool anyNetwork(const ToolDocuments& documents, const QStringList& files) {
    for (const QString& file : files)
        if (documents.kindOf(file) == DocumentKind::Network)
            return true;
    return false;
}

} // namespace

int writeResultsTable(ConsolePlatform& platform, ToolDocuments& documents,
                      const QStringList& files) {
    if (!oneKind(documents, files))
        return mixedKinds(anyNetwork(documents, files));
    ToolDocument& kind = documents.of(files.front());
    // A network's columns are known once one is read: the header comes after the rows.
    struct Row {
        std::vector<std::string> cells; // empty for a document that gave no result
        QString file;
        QString message;
    };
    std::vector<Row> rows;
    std::optional<std::vector<std::string>> header;
    int status = 0;
    for (const QString& file : files) {
        if (kind.read(file)) {
            if (!header)
                header = kind.tableHeader();
            else if (kind.tableHeader() != *header)
                return mixedKinds(true);
            for (std::vector<std::string>& cells : kind.tableRows(file))
                rows.push_back({std::move(cells), {}, {}});
            continue;
        }
        status = 1;
        // A name that is not UTF-8 is shown by its bytes, as in the message.
        rows.push_back({{}, platform.unusableNames.value(file, file), platform.lastMessage});
    }
    if (!header)
        header = kind.tableHeader();
    std::string table(csvByteOrderMark);
    table += csvRecord(*header);
    for (const Row& row : rows)
        table += csvRecord(row.cells.empty() ? refusedRow(header->size(), row.file, row.message)
                                             : row.cells);
    if (!writeStandardOutputText(table)) {
        platform.document = QStringLiteral("tovarin-sheet");
        platform.report(QStringLiteral("標準出力に書き込めませんでした。"));
        return 1;
    }
    return status;
}

} // namespace tovarin
