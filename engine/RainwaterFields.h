#pragma once
// The fields of a rainwater input as one table, in the order of the windows (areas,
// intensity, times, facility), each with the rule its text keeps. Saving a document
// and the calculation walk the same table with the same messages: saving refuses what
// a document cannot hold (a name with a control character, a number field that holds
// something other than a number), and keeps a job half done (empty fields, no area,
// a list with nothing chosen); the calculation refuses that too, names aside, and what
// is missing or cannot be computed (a dimension not above zero, a coefficient above
// one). Reading a document refuses what saving refuses. Qt-free.

#include "engine/Rainwater.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovarin {

// What a field's text must be. A number field must first be given and be a number
// (rainwaterNumber); the calculation also asks the rule's range.
enum class FieldRule {
    Name,        // free text without control characters (the tab aside)
    Number,      // any number
    Positive,    // above 0
    NotNegative, // 0 or more
    Hectares,    // an area: above 0, and above 0 as printed "0.0000"
    Runoff,      // a runoff coefficient: above 0 and at most 1, above 0 as printed "0.00"
    Minutes,     // the inlet time: above 0, and above 0 as printed "0.0#"
    Intensity,   // a direct intensity: above 0, and above 0 as printed "0.0"
    Choice,      // a list or an option: chosen or not (`holds`)
    Computable,  // the calculation's own: the figures before it allow a section (`holds`)
};

// One entry of the table, and where a refusal of it sends the user.
struct RainwaterFieldEntry {
    FieldRule rule = FieldRule::Number;
    // The field in messages ("施設の勾配"); for Choice and Computable the whole message.
    std::string what;
    std::string_view text; // the text as typed (a view into the input), names and numbers
    bool holds = true;     // Choice and Computable only
    RainwaterField field = RainwaterField::AreaTable;
    int row = -1;
    AreaColumn column = AreaColumn::Area;
};

// The fields the input uses, in the order they are checked: only those of its
// intensity form and facility kind. The texts are views into `input`.
std::vector<RainwaterFieldEntry> rainwaterFields(const RainwaterInput& input);

// The first refusal of saving the input: what a document cannot hold.
std::optional<RainwaterRefusal> savingRefusal(const RainwaterInput& input);
// A number field's text as typed with the input method on: full-width digits, point,
// signs, exponent letter and spaces are read as their half-width twins; anything else
// stays as it is (and the checks refuse it).
std::string halfWidthNumberText(std::string_view text);

// Cells pasted into the area table (tab-separated text, a row a line, as spreadsheet
// programs copy it), placed from row `firstRow`, column `firstColumn` (0 land use,
// 1 area, 2 C): each pasted row's cells, from that column on. Refused, with the cell
// named (its row counted from 0 in the refusal), when a row has more cells than the
// table has columns from there, or an area or C is neither a number nor empty; numbers
// in full-width digits are read as their half-width twins.
struct AreaPaste {
    std::vector<std::vector<std::string>> rows;
    std::optional<RainwaterRefusal> refusal;
};
AreaPaste pastedAreaCells(std::string_view text, int firstRow, int firstColumn);
// The cells as tab-separated text, a row a line (LF), as pastedAreaCells reads it.
std::string tabSeparatedCells(const std::vector<std::vector<std::string>>& rows);

// Whether the input is a job half done: a number field empty, no area, a list with
// nothing chosen.
bool rainwaterInputIncomplete(const RainwaterInput& input);
// The first refusal of computing the input: what saving refuses (names aside) and
// every range the calculation needs.
std::optional<RainwaterRefusal> calculationRefusal(const RainwaterInput& input);

// The calculation's refusal of one entry, for a caller that walks only some of the
// entries (a drainage network checks its sections' fields apart from its own).
std::optional<RainwaterRefusal> fieldCalculationRefusal(const RainwaterFieldEntry& entry);

} // namespace tovarin
