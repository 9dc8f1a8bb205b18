// --csv: the results of many documents as one table for a spreadsheet program.

#include "aids/SheetToolAids.h"
#include "documents/DocumentCommands.h"
#include "documents/DocumentWindows.h"
#include "engine/CsvText.h"
#include "engine/DesignAids.h"
#include "engine/NumberText.h"
#include "engine/ResultTexts.h"
#include "engine/TableWords.h"
#include "platform/StandardOutput.h"
#include "sheets/Form11.h"
#include "sheets/SewageWindows.h"
#include "sheettext/SheetBuilder.h"
#include "shell/MDIFofm.h"

namespace tovarin {

bool storedResultsDiffer(MDIFofm& window) {
    const CalcSheet& sheet = window.calcSheet();
    return !storedResultsAreFresh(*window.sewageWindows().form11(),
                                  resultTexts(sheet, assessmentOf(sheet)));
}

std::vector<std::string> resultsTableHeader() {
    return {"ファイル",
            "計画汚水量Q1′(m3/sec)",
            "割増し係数",
            "施設",
            "勾配(‰)",
            "粗度係数n",
            "公式",
            "水深",
            "流速V(m/sec)",
            "流量Q2(m3/sec)",
            "流量の判定",
            "余裕率(％)",
            "余裕率の基準(％)",
            "余裕率の判定",
            "最大計画人口(人)",
            "計画水量時の水深比",
            "計画水量時の流速(m/sec)",
            "流速の目安",
            "保存された結果",
            "エラー"};
}

// Every figure and verdict of the row comes from the one fresh calculation of the
// document's inputs that Open made (what the sheet prints), not from the result
// texts stored in the document: those are only compared with it.
std::vector<std::string> resultsTableRow(const QString& file, MDIFofm& window) {
    const CalcSheet& sheet = window.calcSheet();
    const Assessment assessment = assessmentOf(sheet);
    const ResultTexts texts = resultTexts(sheet, assessment);
    const PlannedFlowCells planned = plannedFlowCells(assessment);
    const bool margin = assessment.marginShown;
    const bool fresh = storedResultsAreFresh(*window.sewageWindows().form11(), texts);
    return {file.toStdString(),
            texts.allowedFlow,
            texts.allowanceFactor,
            lineText(facilityName(sheet)),
            formatNumber(sheet.slopePermille, "#0.0"),
            formatNumber(sheet.roughness, "0.000"),
            formulaText(sheet.velocityFormula),
            depthChoiceText(sheet),
            texts.velocity,
            texts.capacity,
            verdictText(assessment.capacityFails),
            texts.marginRatio.value_or(""),
            margin ? formatNumber(sheet.marginReference, "0") : "",
            margin ? verdictText(assessment.marginFails) : "",
            texts.maxPopulation.value_or(""),
            planned.depthRatio,
            planned.velocity,
            planned.guide,
            fresh ? "" : "異なる",
            ""};
}

std::vector<std::string> refusedResultsRow(const QString& file, const QString& message) {
    std::vector<std::string> row(resultsTableHeader().size());
    row.front() = file.toStdString();
    row.back() = message.toStdString();
    return row;
}

std::vector<std::string> readResultsRow(ConsolePlatform& platform, MDIFofm& window,
                                        const QString& file, bool* read) {
    const bool opened = openForResult(platform, window, file);
    if (read)
        *read = opened;
    if (opened)
        return resultsTableRow(file, window);
    // A name that is not UTF-8 is shown by its bytes, as in the message.
    return refusedResultsRow(platform.unusableNames.value(file, file), platform.lastMessage);
}

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
