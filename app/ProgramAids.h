#pragma once
// The 設計補助 window in the program: the reader of its 一覧表, which opens each
// document on a main window that is never shown (as tovarin-sheet --csv does), and
// the results panel's "設計補助…".

#include "aids/AidsWindow.h"

#include <memory>

namespace tovarin {

class MDIFofm;

// Reads documents for 一覧表 on a main window never shown, made on the first document;
// a document's messages are kept, not shown: each becomes the エラー cell of its row.
std::unique_ptr<AidsDocumentReader> mainWindowReader();

// The results panel's "設計補助…" in the program: the one 設計補助 window of the main
// window, opened (or brought forward) on the inputs on screen.
void openDesignAidsOfInputs(MDIFofm& window);

} // namespace tovarin
