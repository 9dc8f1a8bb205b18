#include "DocumentCommands.h"
#include "MDIFofm.h"
#include "SheetToolAids.h"

namespace tovarin {

std::unique_ptr<MDIFofm> openForResult(ConsolePlatform& platform, const QString& file) {
    platform.document = file;
    platform.lastMessage.clear();
    if (platform.refusesNameNotInUtf8(file)) return nullptr;
    // A fresh main window, so nothing of an earlier document reaches this one.
    auto window = std::make_unique<MDIFofm>(platform, OnScreen::Never);
    if (window->documentCommands().openDocument(file) == OpenOutcome::Restored) return window;
    if (platform.lastMessage.isEmpty())
        platform.report(QStringLiteral("計算結果が得られませんでした。"));
    return nullptr;
}

} // namespace tovarin
