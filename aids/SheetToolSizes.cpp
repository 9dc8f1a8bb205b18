// --sizes: every catalogue size of the document's standard pipe, computed as "計算"
// would after choosing that size, with the smallest passing one marked.

#include "aids/SheetToolAids.h"
#include "engine/CsvText.h"
#include "engine/DesignAids.h"
#include "engine/TableWords.h"
#include "platform/StandardOutput.h"
#include "sheets/SewageWindows.h"
#include "shell/MDIFofm.h"

namespace tovarin {

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

int writeSizeTable(ConsolePlatform& platform, const QString& file, double minimumNominal) {
    MDIFofm window(platform, OnScreen::Never);
    if (!openForResult(platform, window, file))
        return 1;
    bool anyPasses = false;
    const auto rows = sizeTable(window.calcSheet(), window.sewageWindows().computeInput(),
                                minimumNominal, &anyPasses);
    if (!rows) {
        platform.report(
            QStringLiteral("管径の一覧は規格管（ＶＰ管、ＶＵ管、強化プラスチック複合管、"
                           "ヒューム管）の計算にだけ使えます。"));
        return 1;
    }
    std::string table(csvByteOrderMark);
    for (const std::vector<std::string>& row : *rows)
        table += csvRecord(row);
    if (!writeStandardOutputText(table)) {
        platform.report(QStringLiteral("標準出力に書き込めませんでした。"));
        return 1;
    }
    // No passing size is an answer too, not a failure of the tool.
    if (!anyPasses)
        platform.report(QStringLiteral("どの管径も判定を満たしません。"));
    return 0;
}

} // namespace tovarin
