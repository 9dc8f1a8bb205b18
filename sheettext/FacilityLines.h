#pragma once
// The lines of a sheet's facility section (the facility, the depth and formula
// heading, the legends, the section, R, V and Q2), written from a calculation
// document that holds the computed facility. The sewage sheet and the rainwater sheet
// both write their facility sections with them. Qt-free.

#include "engine/CalcSheet.h"
#include "sheettext/SheetLine.h"
#include "sheettext/SheetLines.h"

#include <string_view>

namespace tovarin {

class FacilityLines : public sheetlines::LineWriter {
public:
    FacilityLines(const CalcSheet& sheet, SheetSink& sink);

    // "※ 施設  NAME    勾配 I=x‰=x/1000"; nothing for a blank name.
    void facilityLine(const SheetLine& name);
    // "（水深８割、マニング公式による）"
    void headingLine();
    void capacityLegend();
    void formulaLegend();
    void roughnessLine();
    // The circular or rectangular section of the document's facility kind; nothing
    // for another kind.
    void sectionLines();
    void hydraulicRadiusLine();
    void velocityEvaluation();
    // "流　量 Q2=A･V=…"
    void capacityLine();

    // "H×0.1·depthRatio" as the rectangular lines write the effective water depth.
    sheetlines::LineMaker& waterDepth(sheetlines::LineMaker& line);

private:
    const CalcSheet& s;
    const double depthFactor;

    void circularSectionLines();
    void rectangularSectionLines();
    void manningEvaluation();
    void kutterEvaluation();
};

} // namespace tovarin
