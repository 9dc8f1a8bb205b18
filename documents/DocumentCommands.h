#pragma once
// The document commands of the File menu that work with files: Open (FileOpen),
// Overwrite save (FileUpdate) and Save As, with their file dialogs and questions,
// for every kind of document (DocumentKinds). New, Close and Tojiru belong to the
// main window and the documents.

#include "documents/DocumentKinds.h"
#include "platform/qt/Platform.h"

#include <QString>

namespace tovarin {

// What the commands need from the main window.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    // The documents the window holds, one of each kind.
    virtual DocumentKinds& documents() = 0;
    // currentFileName: the file Overwrite save writes to; empty when there is none.
    virtual QString documentFileName() const = 0;
    virtual void setDocumentFileName(const QString& path) = 0;
    // The availability rule on the File menu's result commands and on toolbar
    // buttons 3, 5 and 6.
    virtual void applyAvailability() = 0;
    // Toolbar button 3 (Overwrite save).
    virtual void setOverwriteButton(bool enabled) = 0;
    virtual void showToolbarAndStatusBar() = 0;
};

class DocumentCommands {
public:
    explicit DocumentCommands(DocumentHost& host);

    // "開く(&O)": the open dialog, then the chosen file (openDocument). Cancelled,
    // it changes nothing.
    void FileOpen();
    // Open after its dialog: the file's first bytes tell its kind (documentKindOfFile);
    // the whole file is read first, and only a readable document closes the open one
    // (after the question, when that one holds unsaved changes; Cancel counts as
    // NotRead) and is shown in fresh windows.
    OpenOutcome openDocument(const QString& path);
    // openDocument for the user (the open dialog, the program's command line): what
    // the opened document has to say (SheetDocument::noteAfterOpen) goes to the
    // status line.
    OpenOutcome openDocumentForUser(const QString& path);
    // Before New or Open (`action`: "新規作成して", "開いて") replaces the document on screen:
    // when it holds unsaved changes, asks whether they may be lost. True to go on.
    bool mayReplaceOpenDocument(const QString& action);
    // "上書き保存(&S)": asks, then writes the document to currentFileName.
    void FileUpdate();
    // "名前をつけて保存(&A)": the save dialog, the question for an existing file,
    // then the document written under the chosen name. When the file cannot be
    // written, the caption, toolbar button 3 and currentFileName stay as they were.
    void saveAs();

    // The settings both file dialogs share, with the dialog's title: the open
    // document's type chosen first (every kind together when none is open). They open in
    // the folder of the document last opened or saved through them
    // (documentDialogFolder); documents opened otherwise (the command line, the sheet
    // tool) leave it.
    FileDialogRequest fileDialogRequest(const QString& title);

private:
    // Writes the open document to `path`; a refusal or a failure is shown to the user.
    WriteOutcome writeDocument(const QString& path);
    bool askOverwriteExisting();
    void showError(const QString& text);
    DocumentKinds& documents() { return host_.documents(); }
    Platform& platform();
    QWidget* dialogParent();

    DocumentHost& host_;
};

} // namespace tovarin
