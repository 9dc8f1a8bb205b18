#pragma once
// The rows of the design aids' tables, the same in tovarin-sheet (--csv, --sizes) and
// in the 設計補助 window: the results table of sewage documents and the size table.
// Both read their documents on a main window that is never shown; what that reading
// shares without the main window itself is here too.

#include "engine/Calculation.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace tovarin {

class Form11;

// The results table: its header, the row of a document that Open restored (the
// calculation document as Open computed it, and the results panel showing the texts
// stored in the document), and the row of one that gave no result, with the message.
std::vector<std::string> resultsTableHeader();
std::vector<std::string> resultsTableRow(const QString& file, const CalcSheet& sheet,
                                         const Form11& panel);
std::vector<std::string> refusedResultsRow(const QString& file, const QString& message);

// Whether the result texts stored in the document (shown by the panel after Open)
// differ from a fresh calculation of its inputs: 異なる in the results table.
bool storedResultsDiffer(const CalcSheet& sheet, const Form11& panel);

// The size table (--sizes) of a document (the calculation document as it stands and
// the inputs of its windows, as "計算" reads them), header first, with ◎ on the
// smallest passing size of at least `minimumNominal` mm; none when the facility is
// not a catalogue pipe. `anyPasses` tells whether ◎ is set.
std::optional<std::vector<std::vector<std::string>>> sizeTable(const CalcSheet& document,
                                                               const ComputeInput& input,
                                                               double minimumNominal,
                                                               bool* anyPasses = nullptr);

// Before the next document is opened on a never-shown window: drops what Qt posted
// for the last one, which no event loop delivers.
void forgetPostedEvents();

// The message of a document that Open left without a result and without a message.
QString noResultMessage();

} // namespace tovarin
