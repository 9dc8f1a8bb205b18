#pragma once
// The kinds of Tovarin document, and the one rule that tells them apart by a file's
// first bytes: the program's Open and the sheet tool both decide by it. A file's name
// plays no part (its suffix only chooses the file dialogs' filter). Qt-free.

#include <cstddef>
#include <string_view>

namespace tovarin {

enum class DocumentKind {
    Sewage,    // .tvr: the sewage sheet (code page 932, one value a line)
    Rainwater, // .tvu: the rainwater sheet (UTF-8, "Tovarin 雨水 1", key=value lines)
    Network,   // .tvn: a drainage network ("Tovarin 雨水系統 1" or "Tovarin 汚水系統 1")
};

// How many bytes from the start of a file documentKindOf looks at.
inline constexpr std::size_t documentKindBytes = 64;

// A file whose first line (after an optional UTF-8 byte order mark) is a text
// document's heading is of that kind; anything else is taken for a sewage document,
// whose reader refuses what it cannot read.
DocumentKind documentKindOf(std::string_view firstBytes);

} // namespace tovarin
