#include "documents/DocumentCommands.h"

#include "documents/DocumentFile.h"
#include "platform/RegularFile.h"
#include "platform/qt/FileNames.h"
#include "platform/qt/UserFolders.h"
#include "sheets/SheetHost.h"

namespace tovarin {

namespace {

const QString openTitle = QStringLiteral("Tovarinを開く");
const QString saveTitle = QStringLiteral("Tovarinの保存");

// The test of Save As for an existing file. A file that exists but cannot be read
// is asked about as well, so that no file is replaced without the question; an
// empty name counts as not existing. A folder, device, FIFO or socket is not asked
// about: the writing refuses it with a message.
bool fileExists(const QString& path) {
    if (path.isEmpty())
        return false;
    return pathKind(fileSystemName(path)) == PathKind::Regular;
}

} // namespace

DocumentCommands::DocumentCommands(DocumentHost& host) : host_(host) {}

Platform& DocumentCommands::platform() {
    return documents().host().platform();
}

QWidget* DocumentCommands::dialogParent() {
    return documents().host().dialogParent();
}

void DocumentCommands::showError(const QString& text) {
    showInputError(platform(), dialogParent(), text);
}

FileDialogRequest DocumentCommands::fileDialogRequest(const QString& title) {
    return documents().fileDialogRequest(title, documents().current());
}

// ---------------------------------------------------------------- Open

void DocumentCommands::FileOpen() {
    // A cancelled dialog leaves the document, its file name and the menus as they were.
    const QString path = platform().openFileName(dialogParent(), fileDialogRequest(openTitle));
    if (path.isEmpty())
        return;
    if (openDocumentForUser(path) != OpenOutcome::NotRead)
        rememberDocumentFolder(path);
}

OpenOutcome DocumentCommands::openDocument(const QString& path) {
    // The contents tell the kinds apart, whatever the file is called.
    SheetDocument& document = documents().ofKind(documentKindOfFile(path));
    // The whole file is read and checked before the open document is touched.
    if (!document.read(path))
        return OpenOutcome::NotRead;
    // A readable document replaces the one on screen: unsaved work is asked about.
    if (!mayReplaceOpenDocument(QStringLiteral("開いて")))
        return OpenOutcome::NotRead;
    host_.setDocumentFileName(path);
    documents().closeAllBut(document);
    const OpenOutcome outcome = document.showRead(path);
    host_.showToolbarAndStatusBar();
    host_.applyAvailability();
    return outcome;
}

OpenOutcome DocumentCommands::openDocumentForUser(const QString& path) {
    const OpenOutcome outcome = openDocument(path);
    if (outcome != OpenOutcome::Restored)
        return outcome;
    if (const SheetDocument* document = documents().current()) {
        const QString note = document->noteAfterOpen();
        if (!note.isEmpty())
            documents().host().setStatusMessage(note);
    }
    return outcome;
}

bool DocumentCommands::mayReplaceOpenDocument(const QString& action) {
    const SheetDocument* open = documents().current();
    if (!open || !open->hasUnsavedChanges())
        return true;
    // The question of 閉じる, for the command that would replace the work.
    return ask(platform(), dialogParent(),
               QStringLiteral("作成中のデータが失われます。%1もよろしいですか？").arg(action),
               QStringLiteral("確認"), MsgButtons::OkCancel, MsgAnswer::Cancel,
               MsgIcon::Question) == MsgAnswer::Ok;
}

// ---------------------------------------------------------------- saving

void DocumentCommands::FileUpdate() {
    const QString path = host_.documentFileName();
    if (path.isEmpty())
        return;

    if (ask(platform(), dialogParent(), QStringLiteral("上書き保存してもよろしいですか？"),
            QStringLiteral("確認"), MsgButtons::OkCancel, MsgAnswer::Cancel) != MsgAnswer::Ok)
        return;
    writeDocument(path);
}

bool DocumentCommands::askOverwriteExisting() {
    return ask(platform(), dialogParent(),
               QStringLiteral("同名ファイルがあります。上書き保存しますか？"),
               QStringLiteral("上書き保存の確認"), MsgButtons::YesNo, MsgAnswer::No,
               MsgIcon::Critical) == MsgAnswer::Yes;
}

void DocumentCommands::saveAs() {
    // A cancelled dialog changes nothing. A file the user declined to overwrite, or
    // one that could not be written, keeps the name the document had: Overwrite save
    // must never aim at a file nothing was saved to.
    const QString previousPath = host_.documentFileName();
    const QString path = platform().saveFileName(dialogParent(), fileDialogRequest(saveTitle));
    if (path.isEmpty())
        return;
    if (fileExists(path) && !askOverwriteExisting())
        return;
    host_.setDocumentFileName(path);
    switch (writeDocument(path)) {
    case WriteOutcome::Written:
        rememberDocumentFolder(path);
        break;
    case WriteOutcome::Refused:
        return;
    case WriteOutcome::Failed:
        // Nothing was saved under the new name: Overwrite save keeps writing where
        // the caption says the document is.
        host_.setDocumentFileName(previousPath);
        return;
    }
    host_.setOverwriteButton(true);
    if (SheetDocument* document = documents().current())
        document->setTitle(path);
}

WriteOutcome DocumentCommands::writeDocument(const QString& path) {
    SheetDocument* document = documents().current();
    if (!document) {
        showError(QStringLiteral("保存する計算書がありません。"));
        return WriteOutcome::Refused;
    }
    return document->save(path);
}

} // namespace tovarin
