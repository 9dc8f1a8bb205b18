#pragma once
// The lines of a sheet's facility section (the facility, the depth and formula
// heading, the legends, the section, R, V and Q2) and of its verdict, written from a
// calculation document that holds the computed facility. The sewage sheet and the
// rainwater sheet both write their facility sections and verdicts with them. Qt-free.

#include "engine/CalcSheet.h"
#include "engine/Calculation.h"
#include "sheettext/SheetLine.h"
#include "sheettext/SheetLines.h"

#include <string_view>

namespace tovarin {

class FacilityLines : public sheetlines::LineWriter {
public:
    FacilityLines(const CalcSheet& sheet, SheetSink& sink);

    // The whole section: the title at column 16, the facility line of `name`, the
    // heading, the legends, n, the section (the trapezoid's when one is given, else
    // the document's kind's), R, V, Q2 and a closing blank line.
    void section(std::string_view title, const SheetLine& name,
                 const TrapezoidFigures* trapezoid = nullptr);

    // The verdict line and its rule: `line` holds the lead ("Q1=", "1.5×Q1=", "Q="),
    // then "…m3/sec", the relation ("  <  "), "Q2=…m3/sec" and "∴ O.K" or "∴ NG" (the
    // engine's verdictText; the line alerts when it fails); below it a rule of
    // `ruleLength` dashes.
    void verdict(sheetlines::LineMaker& line, double compared, std::string_view relation,
                 double capacity, bool fails, int ruleLength);

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

private:
    const CalcSheet& s;
    const double depthFactor;

    // "H×0.1·depthRatio" as the rectangular and trapezoidal lines write the water depth.
    sheetlines::LineMaker& waterDepth(sheetlines::LineMaker& line);

    void circularSectionLines();
    void rectangularSectionLines();
    void trapezoidalSectionLines(const TrapezoidFigures& t);
    void manningEvaluation();
    void kutterEvaluation();
};

} // namespace tovarin
