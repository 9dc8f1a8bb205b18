#pragma once
// One kind of document in tovarin-sheet: how a file of that kind is read, and what its
// sheet, results line, table row and PDF are. The tool decides a file's kind once,
// by its first bytes (as the window's Open does), and goes through this interface
// from then on. A new kind is a new ToolDocument and one line in ToolDocument.cpp.

#include "documents/record/DocumentKind.h"
#include "report/FilePrint.h"
#include "sheettext/ReportFile.h"
#include "tool/SheetToolConsole.h"

#include <QString>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tovarin {

class ToolDocument {
public:
    virtual ~ToolDocument() = default;

    // Reads and calculates the file; false, with the message on standard error under
    // the document's name (and in the platform's lastMessage), when no result came
    // of it. The calls below are about the document read last, which gave a result.
    virtual bool read(const QString& file) = 0;

    // The sheet as the report file's bytes (code page 932, CR LF).
    virtual SheetText sheet() = 0;
    // --results: one JSON object on one line, with its line end.
    virtual std::string resultsLine(const QString& file) = 0;
    // --csv: the document's row of its kind's table.
    virtual std::vector<std::string> tableRow(const QString& file) = 0;
    // --csv: every row the document gives (a network gives one per section).
    virtual std::vector<std::vector<std::string>> tableRows(const QString& file) {
        return {tableRow(file)};
    }
    // --pdf: the printout into the file.
    virtual PdfFileResult printPdf(const QString& output) = 0;

    // The header of the kind's --csv table (a network's: of the kind of network read
    // last).
    virtual std::vector<std::string> tableHeader() const = 0;
    // Why --sizes and --curve do not apply to the kind; empty when they do.
    virtual QString designAidsRefusal() const = 0;
};

std::unique_ptr<ToolDocument> sewageToolDocument(ConsolePlatform& platform);
std::unique_ptr<ToolDocument> rainwaterToolDocument(ConsolePlatform& platform);
std::unique_ptr<ToolDocument> networkToolDocument(ConsolePlatform& platform);

// The documents of one run of the tool: one of each kind, made when first asked for
// and used for every file of the kind.
class ToolDocuments {
public:
    explicit ToolDocuments(ConsolePlatform& platform) : platform_(platform) {}

    // The kind of the file by its first bytes; a name that is not UTF-8 counts as a
    // sewage document, whose reader refuses it.
    DocumentKind kindOf(const QString& file) const;
    ToolDocument& of(DocumentKind kind);
    ToolDocument& of(const QString& file) { return of(kindOf(file)); }

private:
    ConsolePlatform& platform_;
    std::map<DocumentKind, std::unique_ptr<ToolDocument>> made_;
};

// --csv: the table of the documents on standard output, one row per document (per
// section of a network); one that gave no result has its name and its message. Kinds
// have different columns, so a list that mixes them is refused.
int writeResultsTable(ConsolePlatform& platform, ToolDocuments& documents,
                      const QStringList& files);

} // namespace tovarin
