#pragma once
// The calculation sheet as lines of items, and the sink the sheet is written into.
// The same lines feed the text file, the print image page and the printer. Qt-free.

#include <string>
#include <variant>
#include <vector>

namespace tovarin {

// Text written character for character.
struct LiteralItem {
    std::string text; // UTF-8
};

// A number rendered with one of the fixed patterns of formatNumber.
struct ValueItem {
    double value = 0;
    std::string pattern; // e.g. "0.0000"
};

// facilityLabel or materialName of the calculation document, as stored.
struct FacilityTextItem {
    std::string text; // UTF-8
};

// Moves the output position to a text column (counted from 1), so that the next
// item starts after column - 1 half-width columns.
struct ColumnJumpItem {
    int column = 20;
};

using SheetItem = std::variant<LiteralItem, ValueItem, FacilityTextItem, ColumnJumpItem>;

struct SheetLine {
    std::vector<SheetItem> items; // concatenated with no separator
    bool alert = false;           // an NG verdict or NG margin line

    bool isBlank() const { return items.empty(); }
};

// The text of one item; a column jump has no text of its own.
std::string itemText(const SheetItem& item);

// Width of a UTF-8 text in a fixed-pitch Japanese font: ASCII and half-width
// katakana take one column, every other character two.
int displayColumns(const std::string& utf8);

// The line as plain text: column jumps become spaces up to their column.
std::string lineText(const SheetLine& line);

// Where the sheet goes. The drawn outputs (print image page, printer) differ from
// the text file in one unit text and in the top margin, so the sheet builder asks.
enum class SheetOutput { TextFile, Drawn };

class SheetSink {
public:
    explicit SheetSink(SheetOutput output) : output_(output) {}
    virtual ~SheetSink() = default;
    SheetSink(const SheetSink&) = delete;
    SheetSink& operator=(const SheetSink&) = delete;

    SheetOutput output() const { return output_; }
    bool isDrawn() const { return output_ == SheetOutput::Drawn; }

    virtual void writeLine(const SheetLine& line) = 0;

private:
    SheetOutput output_;
};

// A sink that keeps the lines, in order.
class SheetLineList : public SheetSink {
public:
    explicit SheetLineList(SheetOutput output = SheetOutput::TextFile) : SheetSink(output) {}
    void writeLine(const SheetLine& line) override { lines.push_back(line); }

    std::vector<SheetLine> lines;
};

} // namespace tovarin
