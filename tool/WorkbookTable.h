#pragma once
// A table of printed figures and texts as a workbook (.xlsx) for a spreadsheet
// program: each figure a number that shows exactly as printed, each other cell a
// text, the header row frozen and repeated on every printed page of A4 landscape,
// and every "NG" verdict in the warning colour. Qt-free.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovarin {

// A printed figure as a number cell: its value and the number format that shows it
// with the same decimals ("0", "0.0", …, "0.0000").
struct WorkbookNumber {
    double value = 0;
    std::string format;
};

// The number a printed figure stands for: an optional minus sign, digits without
// needless leading zeros and optional decimals, 15 significant digits at most (what a
// spreadsheet keeps). Anything else, and a negative zero ("-0.0", which no number
// format shows as printed), stays a text.
std::optional<WorkbookNumber> workbookNumberOf(std::string_view printed);

struct WorkbookTable {
    std::string sheetName; // UTF-8, at most 31 characters
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    // Columns that are texts whatever they read (a file name, a message).
    std::vector<std::size_t> textColumns;
};

struct WorkbookWrite {
    std::string failure; // empty when written; else the library's words for what failed
    int error = 0;       // errno of the system call that failed, when one did
    bool written() const { return failure.empty(); }
};

// Writes the workbook into the file (the system's name for it; UTF-8 on Windows); the
// library keeps its working files in `workFolder`.
WorkbookWrite writeWorkbookFile(const std::string& path, const WorkbookTable& table,
                                const std::string& workFolder);

} // namespace tovarin
