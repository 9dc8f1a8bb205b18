#pragma once
// Helpers that assemble sheet lines, shared by the sewage and the rainwater sheets.
// Qt-free.

#include "engine/ControlCharacters.h"
#include "sheettext/SheetLine.h"

#include <string>
#include <string_view>

namespace tovarin::sheetlines {

inline std::string spaces(int count) {
    return std::string(static_cast<size_t>(count), ' ');
}

inline std::string repeated(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// Assembles one sheet line: an indent of ASCII spaces, then the items in order.
// Adjacent literal pieces are joined into one item.
class LineMaker {
public:
    explicit LineMaker(int indent = 0) {
        if (indent > 0)
            line_.items.push_back(LiteralItem{spaces(indent)});
    }

    LineMaker& text(std::string_view piece) {
        if (!line_.items.empty()) {
            if (auto* last = std::get_if<LiteralItem>(&line_.items.back())) {
                last->text += piece;
                return *this;
            }
        }
        line_.items.push_back(LiteralItem{std::string(piece)});
        return *this;
    }
    LineMaker& value(double number, const char* pattern) {
        line_.items.push_back(ValueItem{number, pattern});
        return *this;
    }
    LineMaker& facility(const std::string& stored) {
        line_.items.push_back(FacilityTextItem{visibleText(stored)});
        return *this;
    }
    LineMaker& items(const SheetLine& piece) {
        for (const SheetItem& item : piece.items) {
            if (const auto* literal = std::get_if<LiteralItem>(&item))
                text(literal->text);
            else
                line_.items.push_back(item);
        }
        return *this;
    }
    LineMaker& columnJump() {
        line_.items.push_back(ColumnJumpItem{20});
        return *this;
    }
    LineMaker& alert() {
        line_.alert = true;
        return *this;
    }

    const SheetLine& line() const { return line_; }

private:
    SheetLine line_;
};

// What every writer of sheet lines does with its sink: a made line, blank lines, and
// a line of fixed text after an indent.
class LineWriter {
public:
    explicit LineWriter(SheetSink& sink) : sink_(sink) {}

protected:
    void put(const LineMaker& maker) { sink_.writeLine(maker.line()); }
    void blank(int count = 1) {
        for (int i = 0; i < count; ++i)
            sink_.writeLine(SheetLine{});
    }
    void text(int indent, std::string_view piece) { put(LineMaker(indent).text(piece)); }
    // The opening of a sheet: a drawn page's top margin, then the title between blank
    // lines ("☆ 流量計算書（…）").
    void opening(std::string_view title) {
        if (sink_.isDrawn())
            blank(5); // top margin of a drawn page
        blank();
        text(13, title);
        blank();
    }

    SheetSink& sink_;
};

} // namespace tovarin::sheetlines
