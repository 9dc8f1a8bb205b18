// --csv: the results of many documents as one table for a spreadsheet program.

#include "documents/DocumentCommands.h"
#include "engine/CsvText.h"
#include "engine/DesignAids.h"
#include "engine/NumberText.h"
#include "sheets/Form11.h"
#include "sheets/InputWindows.h"
#include "sheettext/SheetBuilder.h"
#include "shell/MDIFofm.h"
#include "tool/SheetToolAids.h"
#include "tool/SheetToolWords.h"

#include <QLabel>

namespace tovarin {

namespace {

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
            "流速の目安",
            "エラー"};
}

// A value of the results panel as shown, the same text --results gives; empty when
// the panel hides the line.
std::string panelText(const Form11& panel, int number) {
    const QLabel* label = panel.lbl(number);
    if (!label->isVisibleTo(&panel))
        return {};
    return label->text().toStdString();
}

std::vector<std::string> resultRow(const QString& file, MDIFofm& window) {
    const CalcSheet& sheet = window.calcSheet();
    const Assessment assessment = assessmentOf(sheet);
    const Form11& panel = *window.inputWindows().form11();
    const bool margin = assessment.marginShown;
    return {file.toStdString(),
            panelText(panel, 3),
            panelText(panel, 16),
            lineText(facilityName(sheet)),
            formatNumber(sheet.slopePermille, "#0.0"),
            formatNumber(sheet.roughness, "0.000"),
            formulaText(sheet.velocityFormula),
            depthChoiceText(sheet),
            panelText(panel, 9),
            panelText(panel, 6),
            verdictText(assessment.capacityFails),
            panelText(panel, 21),
            margin ? formatNumber(sheet.marginReference, "0") : "",
            margin ? verdictText(assessment.marginFails) : "",
            panelText(panel, 12),
            velocityGuideText(velocityGuide(sheet.velocity)),
            ""};
}

std::vector<std::string> refusedRow(const QString& file, const QString& message) {
    std::vector<std::string> row(resultsTableHeader().size());
    row.front() = file.toStdString();
    row.back() = message.toStdString();
    return row;
}

} // namespace

int writeResultsTable(ConsolePlatform& platform, const QStringList& files) {
    std::string table(csvByteOrderMark);
    table += csvRecord(resultsTableHeader());
    int status = 0;
    MDIFofm window(platform, OnScreen::Never);
    for (const QString& file : files) {
        if (!openForResult(platform, window, file)) {
            // A name that is not UTF-8 is shown by its bytes, as in the message.
            table += csvRecord(
                refusedRow(platform.unusableNames.value(file, file), platform.lastMessage));
            status = 1;
            continue;
        }
        table += csvRecord(resultRow(file, window));
    }
    if (!writeStandardOutput(table)) {
        platform.document = QStringLiteral("tovarin-sheet");
        platform.report(QStringLiteral("標準出力に書き込めませんでした。"));
        return 1;
    }
    return status;
}

} // namespace tovarin
