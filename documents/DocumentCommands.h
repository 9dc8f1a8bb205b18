#pragma once
// The document commands of the File menu that work with files: Open (FileOpen),
// Overwrite save (FileUpdate) and Save As, with their file dialogs and questions.
// New, Close and Tojiru belong to the main window and the input windows.

#include "platform/qt/Platform.h"

#include <QString>

namespace tovarin {

class SewageWindows;
class RainwaterWindows;

// What the commands need from the main window.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    virtual SewageWindows& sewageWindows() = 0;
    // currentFileName: the file Overwrite save writes to; empty when there is none.
    virtual QString documentFileName() const = 0;
    virtual void setDocumentFileName(const QString& path) = 0;
    // The availability rule on the File menu's result commands and on toolbar
    // buttons 3, 5 and 6.
    virtual void applyAvailability() = 0;
    // Toolbar button 3 (Overwrite save).
    virtual void setOverwriteButton(bool enabled) = 0;
    virtual void showToolbarAndStatusBar() = 0;
    // The rainwater document's windows; null where there are none.
    virtual RainwaterWindows* rainwaterWindows() { return nullptr; }
};

enum class OpenOutcome {
    Restored,         // the document's windows and its result are on screen
    RestoredNoResult, // the windows are restored; an input check refused a result
    NotRead,          // the file could not be read; the open document is unchanged
};

class DocumentCommands {
public:
    explicit DocumentCommands(DocumentHost& host);

    // "開く(&O)": the open dialog, then the chosen file (openDocument). Cancelled,
    // it changes nothing.
    void FileOpen();
    // Open after its dialog: reads the whole file first; only a readable document
    // closes the open one (Tojiru) and restores the windows from the file.
    OpenOutcome openDocument(const QString& path);
    // openDocument for the user (the open dialog, the program's command line): when
    // the result texts stored in the document differ from a fresh calculation of its
    // inputs, the status line says so. The panel keeps the stored texts.
    OpenOutcome openDocumentForUser(const QString& path);
    static const QString storedResultsDifferMessage;
    // "上書き保存(&S)": asks, then writes the document to currentFileName.
    void FileUpdate();
    // "名前をつけて保存(&A)": the save dialog, the question for an existing file,
    // then the document written under the chosen name. When the file cannot be
    // written, the caption, toolbar button 3 and currentFileName stay as they were.
    void saveAs();

    // The settings both file dialogs share, with the dialog's title: the sewage type
    // chosen first, then the rainwater type and both together. They open in the
    // folder of the document last opened or saved through them (documentDialogFolder).
    // Documents opened otherwise (the command line, the sheet tool) leave it.
    static FileDialogRequest fileDialogRequest(const QString& title);
    // The same with the rainwater type chosen first, and ".tvu" added to a name typed
    // without a suffix when saving.
    static FileDialogRequest rainwaterFileDialogRequest(const QString& title);

private:
    enum class WriteOutcome {
        Written,
        Refused, // a value the file cannot hold, or no document: nothing was tried
        Failed,  // the file could not be written; the old file is as it was
    };
    // Writes the document to `path`; a refusal or a failure is shown to the user.
    WriteOutcome writeDocument(const QString& path);
    // The rainwater document: read whole, then shown in fresh windows and computed.
    OpenOutcome openRainwaterDocument(const QString& path);
    WriteOutcome writeRainwaterDocument(RainwaterWindows& windows, const QString& path);
    // The rainwater windows when they hold the open document.
    RainwaterWindows* openRainwaterWindows();
    void setDocumentTitle(const QString& path);
    bool askOverwriteExisting();
    void tellWhenStoredResultsDiffer();
    void showError(const QString& text);
    Platform& platform();
    QWidget* dialogParent();

    DocumentHost& host_;
};

} // namespace tovarin
