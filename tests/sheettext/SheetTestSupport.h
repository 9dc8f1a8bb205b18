#pragma once
// Helpers for the sheet tests: the lines of a group as plain text, and the blanks
// and rules the expected texts are written with.

#include "engine/CalcSheet.h"
#include "sheettext/SheetBuilder.h"
#include "sheettext/SheetLine.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace tovarin::testing {

using Group = void (*)(const CalcSheet&, SheetSink&);

inline std::vector<std::string> groupText(Group group, const CalcSheet& sheet,
                                          SheetOutput output = SheetOutput::TextFile) {
    SheetLineList sink(output);
    group(sheet, sink);
    std::vector<std::string> texts;
    for (const SheetLine& line : sink.lines)
        texts.push_back(lineText(line));
    return texts;
}

inline std::vector<SheetLine> groupLines(Group group, const CalcSheet& sheet) {
    SheetLineList sink;
    group(sheet, sink);
    return sink.lines;
}

// n ASCII blanks
inline std::string sp(int n) {
    return std::string(static_cast<size_t>(n), ' ');
}

// n rule characters "―" (U+2015)
inline std::string bars(int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += "\u2015";
    return text;
}

// The lines from `first` on, `count` of them (fewer when the group is shorter).
inline std::vector<std::string> slice(const std::vector<std::string>& lines, size_t first,
                                      size_t count) {
    if (first >= lines.size())
        return {};
    const size_t end = std::min(lines.size(), first + count);
    return {lines.begin() + static_cast<std::ptrdiff_t>(first),
            lines.begin() + static_cast<std::ptrdiff_t>(end)};
}

// Position of the first line equal to `text`, or -1.
inline int indexOf(const std::vector<std::string>& lines, const std::string& text) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == text)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace tovarin::testing
