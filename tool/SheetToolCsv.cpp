// --csv: the results of many documents as one table for a spreadsheet program.

#include "aids/AidsRows.h"
#include "engine/CsvText.h"
#include "platform/StandardOutput.h"
#include "sheets/SewageWindows.h"
#include "shell/MDIFofm.h"
#include "tool/SheetToolAids.h"

namespace tovarin {

namespace {

// The row of a document read in the never-shown window, or when it gave no result
// the refused row with the platform's last message.
std::vector<std::string> readResultsRow(ConsolePlatform& platform, MDIFofm& window,
                                        const QString& file, bool* read) {
    *read = openForResult(platform, window, file);
    if (*read)
        return resultsTableRow(file, window.calcSheet(), *window.sewageWindows().form11());
    // A name that is not UTF-8 is shown by its bytes, as in the message.
    return refusedResultsRow(platform.unusableNames.value(file, file), platform.lastMessage);
}

} // namespace

int writeResultsTable(ConsolePlatform& platform, const QStringList& files) {
    std::string table(csvByteOrderMark);
    table += csvRecord(resultsTableHeader());
    int status = 0;
    MDIFofm window(platform, OnScreen::Never);
    for (const QString& file : files) {
        bool read = false;
        table += csvRecord(readResultsRow(platform, window, file, &read));
        if (!read)
            status = 1;
    }
    if (!writeStandardOutputText(table)) {
        platform.document = QStringLiteral("tovarin-sheet");
        platform.report(QStringLiteral("標準出力に書き込めませんでした。"));
        return 1;
    }
    return status;
}

} // namespace tovarin
