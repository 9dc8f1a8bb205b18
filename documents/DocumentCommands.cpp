#include "documents/DocumentCommands.h"

#include "documents/DocumentFile.h"
#include "documents/DocumentWindows.h"
#include "documents/RainwaterFile.h"
#include "engine/Calculation.h"
#include "engine/ResultTexts.h"
#include "platform/RegularFile.h"
#include "platform/qt/FileNames.h"
#include "platform/qt/UserFolders.h"
#include "sheets/Form1.h"
#include "sheets/Form11.h"
#include "sheets/RainwaterWindows.h"
#include "sheets/SewageWindows.h"
#include "sheets/SheetHost.h"

#include <QCoreApplication>
#include <QFile>

namespace tovarin {

namespace {

const QString openTitle = QStringLiteral("Tovarinを開く");
const QString saveTitle = QStringLiteral("Tovarinの保存");
const QString sewageFilter = QStringLiteral("Tovarin(.tvr) (*.tvr)");
const QString rainwaterFilter = QStringLiteral("Tovarin 雨水(.tvu) (*.tvu)");
const QString bothFilter = QStringLiteral("Tovarin(.tvr .tvu) (*.tvr *.tvu)");

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
    return host_.sewageWindows().host().platform();
}

QWidget* DocumentCommands::dialogParent() {
    return host_.sewageWindows().host().dialogParent();
}

void DocumentCommands::showError(const QString& text) {
    showInputError(platform(), dialogParent(), text);
}

FileDialogRequest DocumentCommands::fileDialogRequest(const QString& title) {
    FileDialogRequest request;
    request.title = title;
    request.directory = documentDialogFolder();
    request.filter = sewageFilter;
    request.moreFilters = {rainwaterFilter, bothFilter};
    return request;
}

FileDialogRequest DocumentCommands::rainwaterFileDialogRequest(const QString& title) {
    FileDialogRequest request = fileDialogRequest(title);
    request.filter = rainwaterFilter;
    request.moreFilters = {sewageFilter, bothFilter};
    request.defaultSuffix = QStringLiteral("tvu");
    return request;
}

RainwaterWindows* DocumentCommands::openRainwaterWindows() {
    RainwaterWindows* windows = host_.rainwaterWindows();
    return windows && windows->isOpen() ? windows : nullptr;
}

void DocumentCommands::setDocumentTitle(const QString& path) {
    if (RainwaterWindows* rain = openRainwaterWindows())
        rain->setDocumentTitle(path);
    else if (Form1* sheet = host_.sewageWindows().form1())
        sheet->setWindowTitle(path);
}

// ---------------------------------------------------------------- Open

void DocumentCommands::FileOpen() {
    // A cancelled dialog leaves the document, its file name and the menus as they were.
    const QString path = platform().openFileName(
        dialogParent(), openRainwaterWindows() ? rainwaterFileDialogRequest(openTitle)
                                               : fileDialogRequest(openTitle));
    if (path.isEmpty())
        return;
    if (openDocumentForUser(path) != OpenOutcome::NotRead)
        rememberDocumentFolder(path);
}

OpenOutcome DocumentCommands::openDocument(const QString& path) {
    // The contents tell the two kinds apart, whatever the file is called.
    if (host_.rainwaterWindows() && documentKindOfFile(path) == DocumentKind::Rainwater)
        return openRainwaterDocument(path);
    // The whole file is read and checked before the open document is touched.
    const DocumentRead read = readDocumentFile(path);
    if (!read.record) {
        showError(read.message);
        return OpenOutcome::NotRead;
    }

    host_.setDocumentFileName(path);
    SewageWindows& windows = host_.sewageWindows();
    if (RainwaterWindows* rain = host_.rainwaterWindows())
        rain->closeWindows();
    windows.startDocument();
    const RestoreOutcome restored = restoreWindows(windows, *read.record);
    host_.showToolbarAndStatusBar();
    if (Form1* sheet = windows.form1())
        sheet->setWindowTitle(path);
    host_.applyAvailability();
    return restored.resultShown ? OpenOutcome::Restored : OpenOutcome::RestoredNoResult;
}

const QString DocumentCommands::storedResultsDifferMessage = QStringLiteral(
    "保存された結果は現在の入力による計算と異なります。「計算」で計算し直してください。");

OpenOutcome DocumentCommands::openDocumentForUser(const QString& path) {
    const OpenOutcome outcome = openDocument(path);
    if (outcome == OpenOutcome::Restored)
        tellWhenStoredResultsDiffer();
    return outcome;
}

// A file edited by hand, or saved by another program, may hold result texts that its
// inputs do not give: the panel shows them as stored, while the sheet prints the
// fresh calculation. The status line tells which way to make them agree.
void DocumentCommands::tellWhenStoredResultsDiffer() {
    SewageWindows& windows = host_.sewageWindows();
    const Form11* panel = windows.form11();
    if (!panel)
        return;
    const CalcSheet& sheet = windows.host().calcSheet();
    if (!storedResultsAreFresh(*panel, resultTexts(sheet, assessmentOf(sheet))))
        windows.host().setStatusMessage(storedResultsDifferMessage);
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
    const QString path = platform().saveFileName(
        dialogParent(), openRainwaterWindows() ? rainwaterFileDialogRequest(saveTitle)
                                               : fileDialogRequest(saveTitle));
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
    setDocumentTitle(path);
}

DocumentCommands::WriteOutcome DocumentCommands::writeDocument(const QString& path) {
    if (RainwaterWindows* rain = openRainwaterWindows())
        return writeRainwaterDocument(*rain, path);
    const std::optional<DocumentRecord> record = recordFromWindows(host_.sewageWindows());
    if (!record) {
        showError(QStringLiteral("保存する計算書がありません。"));
        return WriteOutcome::Refused;
    }
    // A value the file cannot hold (a line break, a control character, a character
    // outside code page 932) is named to the user, and nothing is written.
    const SerialiseResult serialised = serialise(*record);
    if (!serialised.ok()) {
        showError(QString::fromStdString(serialised.failure->message));
        return WriteOutcome::Refused;
    }
    const QString failure = writeDocumentFile(path, serialised.bytes);
    if (!failure.isEmpty()) {
        showError(failure);
        return WriteOutcome::Failed;
    }
    return WriteOutcome::Written;
}

// ---------------------------------------------------------------- rainwater

OpenOutcome DocumentCommands::openRainwaterDocument(const QString& path) {
    const RainwaterFileRead read = readRainwaterFile(path);
    if (!read.input) {
        showError(read.message);
        return OpenOutcome::NotRead;
    }
    RainwaterWindows& rain = *host_.rainwaterWindows();
    host_.setDocumentFileName(path);
    host_.sewageWindows().startDocument();
    rain.showInput(*read.input);
    host_.showToolbarAndStatusBar();
    rain.setDocumentTitle(path);
    // As a sewage document: computed when its inputs pass, else the refusal is shown
    // and its field focused.
    const bool computed = rain.compute();
    host_.applyAvailability();
    return computed ? OpenOutcome::Restored : OpenOutcome::RestoredNoResult;
}

DocumentCommands::WriteOutcome DocumentCommands::writeRainwaterDocument(RainwaterWindows& windows,
                                                                        const QString& path) {
    const RainwaterFileWrite written = writeRainwaterFile(path, windows.input());
    if (written.ok())
        return WriteOutcome::Written;
    showError(written.message);
    if (const auto& refused = written.refusal) {
        windows.focusField(refused->field, refused->row, refused->column);
        return WriteOutcome::Refused;
    }
    return WriteOutcome::Failed;
}

} // namespace tovarin
