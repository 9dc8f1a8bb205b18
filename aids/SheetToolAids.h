#pragma once
// The design aids of tovarin-sheet: the results table of many documents, the trial
// of every catalogue size, and the hydraulic characteristic curves. Each returns the
// exit status of the tool.

#include "aids/SheetToolConsole.h"
#include "engine/Calculation.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace tovarin {

class MDIFofm;

// Puts the tool's main window back to the program's start-up state before the next
// document, as if the program had just started.
void startNextDocument(MDIFofm& window);
// startNextDocument, then the document opened by the File menu's reader; false (with
// the message already on standard error) when no result came of it.
bool openForResult(ConsolePlatform& platform, MDIFofm& window, const QString& file);

// Whether the result texts stored in the document opened in the window (shown by the
// panel after Open) differ from a fresh calculation of its inputs: 異なる in --csv.
bool storedResultsDiffer(MDIFofm& window);

// The results table (--csv): its header, the row of a document opened in the window
// (openForResult), and the row of one that gave no result, with the message.
std::vector<std::string> resultsTableHeader();
std::vector<std::string> resultsTableRow(const QString& file, MDIFofm& window);
std::vector<std::string> refusedResultsRow(const QString& file, const QString& message);

// The row of a document read in the never-shown window: resultsTableRow, or when it
// gave no result the refused row with the platform's last message.
std::vector<std::string> readResultsRow(ConsolePlatform& platform, MDIFofm& window,
                                        const QString& file, bool* read = nullptr);

// The size table (--sizes) of a document (the calculation document as it stands and
// the inputs of its windows, as "計算" reads them), header first, with ◎ on the
// smallest passing size of at least `minimumNominal` mm; none when the facility is
// not a catalogue pipe. `anyPasses` tells whether ◎ is set.
std::optional<std::vector<std::vector<std::string>>> sizeTable(const CalcSheet& document,
                                                               const ComputeInput& input,
                                                               double minimumNominal,
                                                               bool* anyPasses = nullptr);

// --csv FILE.tvr…: one CSV row per document on standard output.
int writeResultsTable(ConsolePlatform& platform, const QStringList& files);
// --sizes FILE.tvr: the size table of a catalogue pipe on standard output.
int writeSizeTable(ConsolePlatform& platform, const QString& file, double minimumNominal);
// --curve OUT FILE.tvr: the curves as a PNG, SVG or PDF drawing or a CSV table.
int writeCharacteristicCurves(ConsolePlatform& platform, const QString& output,
                              const QString& file);

} // namespace tovarin
