#pragma once
// The fields of a rainwater input as one table, in the order of the windows (areas,
// intensity, times, facility), each with the rule its text keeps. Saving a document
// and the calculation walk the same table with the same messages: saving refuses what
// a document cannot hold (a name with a control character, a number field that is not
// a number, a list with nothing chosen); the calculation refuses that too, names
// aside, and what cannot be computed (a dimension not above zero, a coefficient above
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
// The first refusal of computing the input: what saving refuses (names aside) and
// every range the calculation needs.
std::optional<RainwaterRefusal> calculationRefusal(const RainwaterInput& input);

// The calculation's refusal of one entry, for a caller that walks only some of the
// entries (a drainage network checks its sections' fields apart from its own).
std::optional<RainwaterRefusal> fieldCalculationRefusal(const RainwaterFieldEntry& entry);

} // namespace tovarin
