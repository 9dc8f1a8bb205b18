#include "aids/AidsRows.h"
#include "documents/DocumentCommands.h"
#include "shell/MDIFofm.h"
#include "tool/SheetToolAids.h"

namespace tovarin {

void startNextDocument(MDIFofm& window) {
    forgetPostedEvents();
    window.startAfresh();
}

bool openForResult(ConsolePlatform& platform, MDIFofm& window, const QString& file) {
    startNextDocument(window);
    platform.document = file;
    platform.lastMessage.clear();
    if (platform.refusesNameNotInUtf8(file))
        return false;
    if (window.documentCommands().openDocument(file) == OpenOutcome::Restored)
        return true;
    if (platform.lastMessage.isEmpty())
        platform.report(noResultMessage());
    return false;
}

} // namespace tovarin
