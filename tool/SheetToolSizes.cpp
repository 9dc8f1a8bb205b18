// --sizes: every catalogue size of the document's standard pipe, computed as "計算"
// would after choosing that size, with the smallest passing one marked.

#include "engine/CsvText.h"
#include "engine/DesignAids.h"
#include "sheets/InputWindows.h"
#include "shell/MDIFofm.h"
#include "tool/SheetToolAids.h"
#include "tool/SheetToolWords.h"

namespace tovarin {

int writeSizeTable(ConsolePlatform& platform, const QString& file) {
    MDIFofm window(platform, OnScreen::Never);
    if (!openForResult(platform, window, file))
        return 1;
    const ComputeInput input = window.inputWindows().computeInput();
    const std::vector<SizeTrial> trials = tryEverySize(window.calcSheet(), input);
    if (trials.empty()) {
        platform.report(
            QStringLiteral("管径の一覧は規格管（ＶＰ管、ＶＵ管、強化プラスチック複合管、"
                           "ヒューム管）の計算にだけ使えます。"));
        return 1;
    }

    const std::optional<std::size_t> chosen = smallestPassingSize(trials);
    std::string table(csvByteOrderMark);
    table += csvRecord(sizeTableHeader());
    for (std::size_t i = 0; i < trials.size(); ++i)
        table += csvRecord(sizeTableRow(trials[i], chosen == i));
    if (!writeStandardOutput(table)) {
        platform.report(QStringLiteral("標準出力に書き込めませんでした。"));
        return 1;
    }
    // No passing size is an answer too, not a failure of the tool.
    if (!chosen)
        platform.report(QStringLiteral("どの管径も判定を満たしません。"));
    return 0;
}

} // namespace tovarin
