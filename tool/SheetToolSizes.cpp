// --sizes: every catalogue size of the document's standard pipe, computed as "計算"
// would after choosing that size, with the smallest passing one marked.

#include "aids/AidsRows.h"
#include "engine/CsvText.h"
#include "platform/StandardOutput.h"
#include "sheets/SewageWindows.h"
#include "shell/MDIFofm.h"
#include "tool/SheetToolAids.h"

namespace tovarin {

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
