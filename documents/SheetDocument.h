#pragma once
// One kind of Tovarin document as the main window and the File menu see it: its
// windows, its file, its result and its sheet. Each kind implements it once (the
// sewage document, the rainwater document); DocumentKinds lists them. Nothing outside
// these classes needs to ask which kind a document is.

#include "documents/record/DocumentKind.h"
#include "report/PrintableSheet.h"

#include <QString>

namespace tovarin {

enum class OpenOutcome {
    Restored,         // the document's windows and its result are on screen
    RestoredNoResult, // the windows are restored; an input check refused a result
    NotRead,          // the file could not be read; the open document is unchanged
};

enum class WriteOutcome {
    Written,
    Refused, // a value the file cannot hold, or no document: nothing was tried
    Failed,  // the file could not be written; the old file is as it was
};

class SheetDocument {
public:
    virtual ~SheetDocument() = default;

    virtual DocumentKind kind() const = 0;
    // The file type in the dialogs: e.g. "Tovarin 雨水" and "tvu" give the filter
    // "Tovarin 雨水(.tvu) (*.tvu)".
    virtual QString typeName() const = 0;
    virtual QString suffix() const = 0;
    // Whether Save As adds the suffix to a name typed without one.
    virtual bool addsSuffixWhenSaving() const = 0;

    // "新規作成": fresh windows with the new document's choices, and its notice in
    // the status line.
    virtual void newDocument() = 0;
    // Open, first step: reads and checks the whole file. False, with the message
    // shown, when it holds no document of this kind; the windows are untouched.
    virtual bool read(const QString& path) = 0;
    // Open, second step: fresh windows showing what read() read, computed as far as
    // the inputs allow, the file's name as the caption.
    virtual OpenOutcome showRead(const QString& path) = 0;
    // After the user opened a document: what the status line should say about it
    // (empty: nothing to add to what the windows said).
    virtual QString noteAfterOpen() const = 0;
    // Writes the document as it stands to `path`; a refusal (its field focused) or a
    // failure is shown to the user.
    virtual WriteOutcome save(const QString& path) = 0;

    // Its windows are open: it is the document on screen.
    virtual bool isOpen() const = 0;
    // Tojiru: closes its windows.
    virtual void close() = 0;
    // Closes its windows as a document of another kind takes the screen (its New or
    // Open), leaving nothing of its calculation for the print image to draw.
    virtual void giveWay() = 0;
    // Back to a program just started: closed, and nothing kept for the next document.
    virtual void startAfresh() = 0;
    // The file's name as the caption of its input window.
    virtual void setTitle(const QString& path) = 0;

    // Save and Save As are offered without a result too (the document records what is
    // entered, computed or not).
    virtual bool savesWithoutResult() const { return false; }
    // A result is on screen.
    virtual bool hasResult() const = 0;
    // The sheet of that result; null without one.
    virtual const PrintableSheet* printableSheet() const = 0;
    // The sheet of the inputs as they stand, result or not, for a kind whose sheet can
    // be drawn so (the print image redraws at every activation); null otherwise.
    virtual const PrintableSheet* draftSheet() const = 0;
};

} // namespace tovarin
