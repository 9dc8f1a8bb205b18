#pragma once
// The document's writer and reader on the windows: the state of the input windows
// and the results panel's five value texts into a DocumentRecord, and a record back
// onto freshly created windows, each value through the control's own handler.

#include "documents/record/DocumentRecord.h"

#include <QString>

#include <optional>

namespace tovarin {

class Form11;
class SewageWindows;
struct ResultTexts;

// The record of the windows as they stand. The planned-sewage dialog is created
// when it does not exist yet, so a discarded dialog is written with a fresh
// dialog's values; without a results panel the panel's design texts are written.
// Empty when no main sheet is open (there is no document to write).
std::optional<DocumentRecord> recordFromWindows(SewageWindows& windows);

struct RestoreOutcome {
    // The results panel was created from the restored inputs.
    bool resultShown = false;
    // Why there is no result: the message of the first input check that refused the
    // restored inputs (already shown to the user). Empty when a result is shown.
    QString refusal;
};

// Restores the windows from a record, after Tojiru has closed the previous ones:
// a fresh main sheet with the stored choices and texts, the planned-sewage dialog
// (hidden) and its Keisan, the facility window of the kind as it now stands with
// Zairyou_1 and Zairyou_2, then the results panel with the stored captions.
// Before the panel is created the restored inputs pass the same checks as the
// "計算" button; when one refuses, its message is shown and no panel is created,
// so a document with missing or zero inputs never shows a result made of them.
RestoreOutcome restoreWindows(SewageWindows& windows, const DocumentRecord& record);

// Whether the five result texts the document was saved with (shown by the panel
// after Open) are those of the fresh calculation `fresh`; the lines the panel hides
// are not compared.
bool storedResultsAreFresh(const Form11& panel, const ResultTexts& fresh);

} // namespace tovarin
