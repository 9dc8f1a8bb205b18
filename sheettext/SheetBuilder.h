#pragma once
// Builds the calculation sheet ("流量計算書") from the calculation document, group by
// group, into a sink. The document is only read. Qt-free.

#include "engine/CalcSheet.h"
#include "sheettext/SheetLine.h"

namespace tovarin {

// Values the sheet derives from the stored ones, in double precision and in this
// order of operations; they are never stored back. The factors, the compared flow,
// the shown maximum population and every verdict are the assessment's own
// (assessmentOf): the sheet never decides a verdict itself.
struct SheetFigures {
    double areaHa = 0;        // drainageArea in hectares
    double perCapitaFlow = 0; // (sewagePerCapita × population) / 86,400,000
    double perAreaFlow = 0;   // sewagePerHectare × areaHa
    double depthFactor = 0;   // 0.1 × depthRatio
};

SheetFigures sheetFigures(const CalcSheet& sheet);

// The facility as the sheet's facility line names it: the catalogue label, or the
// material with " φ" and the diameter, or with the width × height, in millimetres.
// No items when no facility kind is chosen.
SheetLine facilityName(const CalcSheet& sheet);

// Group 1: opening blank lines, title and the planned sewage flow section.
void Hyouji_1(const CalcSheet& sheet, SheetSink& sink);
// Group 2: drainage facility section, verdict and margin ratio section.
void Hyouji_2(const CalcSheet& sheet, SheetSink& sink);
// Group 3: maximum population section; residential land use only.
void Hyouji_3(const CalcSheet& sheet, SheetSink& sink);

// Groups 1, 2 and 3 in order, as the text file holds them.
void buildWholeSheet(const CalcSheet& sheet, SheetSink& sink);

} // namespace tovarin
