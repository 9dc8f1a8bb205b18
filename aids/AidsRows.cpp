#include "aids/AidsRows.h"

#include "documents/DocumentWindows.h"
#include "engine/DesignAids.h"
#include "engine/NumberText.h"
#include "engine/ResultTexts.h"
#include "engine/TableWords.h"
#include "sheettext/SheetBuilder.h"

#include <QCoreApplication>

namespace tovarin {

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
std::vector<std::string> resultsTableRow(const QString& file, const CalcSheet& sheet,
                                         const Form11& panel) {
    const Assessment assessment = assessmentOf(sheet);
    const ResultTexts texts = resultTexts(sheet, assessment);
    const PlannedFlowCells planned = plannedFlowCells(assessment);
    const bool margin = assessment.marginShown;
    const bool fresh = storedResultsAreFresh(panel, texts);
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

bool storedResultsDiffer(const CalcSheet& sheet, const Form11& panel) {
    return !storedResultsAreFresh(panel, resultTexts(sheet, assessmentOf(sheet)));
}

std::optional<std::vector<std::vector<std::string>>> sizeTable(const CalcSheet& document,
                                                               const ComputeInput& input,
                                                               double minimumNominal,
                                                               bool* anyPasses) {
    const std::vector<SizeTrial> trials = tryEverySize(document, input);
    if (trials.empty())
        return std::nullopt;
    const std::optional<std::size_t> chosen = smallestPassingSize(trials, minimumNominal);
    if (anyPasses)
        *anyPasses = chosen.has_value();
    std::vector<std::vector<std::string>> table{sizeTableHeader()};
    for (std::size_t i = 0; i < trials.size(); ++i)
        table.push_back(sizeTableRow(trials[i], chosen == i));
    return table;
}

void forgetPostedEvents() {
    // Without an event loop the events Qt posts for the windows (layout and update
    // requests and the like) are never delivered; left queued, every widget destroyed
    // afterwards searches the whole growing queue. The finished document's events
    // are dropped: the next one starts with an empty queue, as the program does.
    // Deferred deletions are carried out first, so that nothing is left undeleted.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::removePostedEvents(nullptr);
}

QString noResultMessage() {
    return QStringLiteral("計算結果が得られませんでした。");
}

} // namespace tovarin
