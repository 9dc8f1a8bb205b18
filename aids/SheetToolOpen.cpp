#include "aids/SheetToolAids.h"
#include "documents/DocumentCommands.h"
#include "shell/MDIFofm.h"

#include <QCoreApplication>

namespace tovarin {

void startNextDocument(MDIFofm& window) {
    // Without an event loop the events Qt posts for the windows (layout and update
    // requests and the like) are never delivered; left queued, every widget destroyed
    // afterwards searches the whole growing queue. The finished document's events
    // are dropped: the next one starts with an empty queue, as the program does.
    // Deferred deletions are carried out first, so that nothing is left undeleted.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::removePostedEvents(nullptr);
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
        platform.report(QStringLiteral("計算結果が得られませんでした。"));
    return false;
}

} // namespace tovarin
