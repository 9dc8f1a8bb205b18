#pragma once
// The fixed engineering tables: facility kinds, pipe sizes, effective-depth lists,
// area/perimeter coefficients of a part-filled circle, margin references.

#include "engine/CalcSheet.h"

#include <optional>
#include <string>
#include <vector>

namespace tovarin {

struct PipeSize {
    std::string displayText; // list text, e.g. "ＶＰ－φ６５"
    std::string label;       // sheet label, e.g. "VP - φ65"
    double diameter;         // internal diameter D used by the calculation, m
};

struct FacilityKindInfo {
    std::string listText;         // entry of the facility-kind list on the main sheet
    std::string title;            // title shown in the facility window
    std::string defaultRoughness; // written into the roughness field; empty = none
};

namespace PipeCatalogue {
// The six facility kinds in list order (position = FacilityKind value).
const std::vector<FacilityKindInfo>& kinds();
const FacilityKindInfo& kind(FacilityKind k); // k must not be None
// Size list of a standard pipe kind; empty for the other kinds.
const std::vector<PipeSize>& sizes(FacilityKind k);
} // namespace PipeCatalogue

// One effective depth: its code, its texts and the coefficients of a circle filled
// to it (the four-decimal figures the section computation uses and the sheet prints).
struct DepthRow {
    double code;           // depthRatio: tenths of the depth, or percent of the flow area
    const char* listText;  // entry of the effective-depth lists, e.g. "水深９.5割"
    const char* sheetText; // heading of the sheet's section, e.g. "水深９.５割"
    double a;              // area coefficient: A = a·D^2
    double p;              // perimeter coefficient: P = p·D
};

namespace DepthRatioTable {
// The 15 texts of the circular effective-depth list (positions 1 and 8 are blank).
const std::vector<std::string>& circularTexts();
// The 7 texts of the rectangular effective-depth list.
const std::vector<std::string>& rectangularTexts();
constexpr int circularDefaultPosition = 5;    // "水深８割"
constexpr int rectangularDefaultPosition = 4; // "水深８割"
// Depth code of a list position; nullopt for a blank line or a position outside the list.
std::optional<double> circularCode(int position);
std::optional<double> rectangularCode(int position);
// The 13 rows, fullest first; lookup by exact equality of the code.
const std::vector<DepthRow>& rows();
const DepthRow* find(double code);
} // namespace DepthRatioTable

namespace MarginReferences {
// The 13 texts of the margin-reference list, "１００％" to "　　５％".
const std::vector<std::string>& texts();
// Reference in percent for a list position; nullopt outside 0..12.
std::optional<double> value(int position);
} // namespace MarginReferences

} // namespace tovarin
