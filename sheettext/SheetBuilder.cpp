#include "sheettext/SheetBuilder.h"

#include "engine/Calculation.h"
#include "engine/Catalogue.h"
#include "engine/NumberText.h"
#include "engine/Units.h"
#include "sheettext/FacilityLines.h"
#include "sheettext/SheetLines.h"

#include <cmath>
#include <string_view>

namespace tovarin {

namespace {

using sheetlines::LineMaker;
using sheetlines::repeated;
using sheetlines::spaces;

// The one planned-flow variant the document asks for. Entry mode, land use and
// groundwater are asked in this order; a choice with no option on gives None.
enum class FlowVariant { None, R, RW, N1, N1W, N2, N2W, D, DW };

FlowVariant flowVariant(const CalcSheet& s) {
    if (s.groundwaterOn == OnOff::None)
        return FlowVariant::None;
    const bool groundwater = s.groundwaterOn == OnOff::On;
    if (s.flowEntryMode == FlowEntryMode::Direct) {
        return groundwater ? FlowVariant::DW : FlowVariant::D;
    }
    if (s.flowEntryMode != FlowEntryMode::Computed)
        return FlowVariant::None;
    switch (s.landUse) {
    case LandUse::Residential:
        return groundwater ? FlowVariant::RW : FlowVariant::R;
    case LandUse::NonResidential1:
        return groundwater ? FlowVariant::N1W : FlowVariant::N1;
    case LandUse::NonResidential2:
        return groundwater ? FlowVariant::N2W : FlowVariant::N2;
    case LandUse::None:
        break;
    }
    return FlowVariant::None;
}

class SheetWriter : sheetlines::LineWriter {
public:
    SheetWriter(const CalcSheet& sheet, SheetSink& sink)
        : LineWriter(sink), s(sheet), assessment(assessmentOf(sheet)), f(sheetFigures(sheet)) {}

    void group1() {
        opening("☆ 流量計算書（汚水排水施設）");
        plannedFlowSection();
    }

    void group2() {
        facilitySection();
        verdict();
        marginSection();
    }

    void group3() {
        if (s.landUse != LandUse::Residential)
            return;
        blank(2);
        maxPopulationBlock();
    }

private:
    const CalcSheet& s;
    const Assessment assessment;
    const SheetFigures f;

    // ------------------------------------------------------------ planned flow

    void plannedFlowSection() {
        text(16, "◎ 計画汚水量");
        blank();
        switch (flowVariant(s)) {
        case FlowVariant::R:
            variantR();
            break;
        case FlowVariant::RW:
            variantRW();
            break;
        case FlowVariant::N1:
            variantN1();
            break;
        case FlowVariant::N1W:
            variantN1W();
            break;
        case FlowVariant::N2:
            variantN2();
            break;
        case FlowVariant::N2W:
            variantN2W();
            break;
        case FlowVariant::D:
            variantD();
            break;
        case FlowVariant::DW:
            variantDW();
            break;
        case FlowVariant::None:
            break;
        }
        blank(2);
    }

    void populationLine() {
        put(LineMaker(19).text("・計画人口  P=").value(s.population, "0.0#").text("人"));
    }
    void perCapitaLine(std::string_view symbol) {
        put(LineMaker(19)
                .text("・計画時間最大汚水量(１人１日当り) ")
                .text(symbol)
                .text("=")
                .value(s.sewagePerCapita, "0")
                .text("㍑/人/日"));
    }
    void perHectareLineQ2() {
        put(LineMaker(19)
                .text("・計画時間最大汚水量  (１ha当り)   q2=")
                .value(s.sewagePerHectare, "0.000#")
                .text("m3/sec･ha"));
    }
    void perHectareLineQ() {
        put(LineMaker(19)
                .text("・計画時間最大汚水量(１ha当り) q=")
                .value(s.sewagePerHectare, "0.000#")
                .text("m3/sec･ha"));
    }
    void areaLine() {
        put(LineMaker(19)
                .text("・排水面積  A=")
                .value(s.drainageArea, "0.00")
                .text("m2=")
                .value(f.areaHa, "0.000")
                .text("ha"));
    }

    // BLANK, P, BLANK, q, BLANK
    void residentialData() {
        blank();
        populationLine();
        blank();
        perCapitaLine("q");
        blank();
    }
    // BLANK, P, BLANK, q1, BLANK, q2, BLANK, A, BLANK
    void mixedData() {
        blank();
        populationLine();
        blank();
        perCapitaLine("q1");
        blank();
        perHectareLineQ2();
        blank();
        areaLine();
        blank();
    }
    // BLANK, q, BLANK, A, BLANK
    void areaData() {
        blank();
        perHectareLineQ();
        blank();
        areaLine();
        blank();
    }

    void mixedLegend(int indent) {
        text(indent, "｜Q1：計画汚水量(m3/sec)");
        text(indent, "｜ P：計画人口（人）");
        text(indent, "｜q1：計画時間最大汚水量(1人1日当り)(㍑/人/日)");
        text(indent, "｜q2：計画時間最大汚水量(1ha当り)(m3/sec･ha)");
        text(indent, "｜ A：排水面積（ha）");
    }
    void areaLegend() {
        text(32, "｜ q：計画時間最大汚水量(1ha当り)(m3/sec･ha)");
        text(32, "｜ A：排水面積（ha）");
    }

    // "(P×q/864×10^5)" and "(q2×A)" as the result lines write them
    LineMaker& perCapitaTerm(LineMaker& line) {
        return line.value(s.population, "0.0#")
            .text("×")
            .value(s.sewagePerCapita, "0")
            .text("/864×10^5");
    }
    LineMaker& perAreaTerm(LineMaker& line) {
        return line.value(s.sewagePerHectare, "0.000#").text("×").value(f.areaHa, "0.000");
    }

    void variantR() {
        text(19, "Q1=P･q/(24×60×60×1000)  ｜Q1：計画汚水量(m3/sec)");
        text(21, "=P･q/864×10^5           ｜ P：計画人口（人）");
        text(46, "｜ q：計画時間最大汚水量(1人1日当り)(㍑/人/日)");
        residentialData();
        LineMaker result(19);
        result.text("計画汚水量 Q1=");
        perCapitaTerm(result).text("=").value(s.plannedFlow, "0.0000").text("m3/sec");
        put(result);
    }

    void variantRW() {
        text(19, "Q1={P･q/(24×60×60×1000)}･W ｜Q1：計画汚水量(m3/sec)");
        text(21, "=(P･q/864×10^5)･W          ｜ P：計画人口（人）");
        text(49, "｜ q：計画時間最大汚水量(1人1日当り)(㍑/人/日)");
        text(49, "｜ W：地下水混入率");
        residentialData();
        LineMaker result(19);
        result.text("計画汚水量 Q1=(");
        perCapitaTerm(result)
            .text(")×")
            .value(assessment.groundwaterFactor, "0.0#")
            .text("=")
            .value(s.plannedFlow, "0.0000")
            .text("m3/sec");
        put(result);
    }

    void variantN1() {
        text(19, "Q1=P･q1/(24×60×60×1000)＋q2･A");
        text(21, "=P･q1/864×10^5＋q2･A");
        mixedLegend(44);
        mixedData();
        LineMaker sum(19);
        sum.text("計画汚水量 Q1=(");
        perCapitaTerm(sum).text(")＋(");
        perAreaTerm(sum).text(")");
        put(sum);
        put(LineMaker(31)
                .text("=")
                .value(f.perCapitaFlow, "0.00000")
                .text("＋")
                .value(f.perAreaFlow, "0.00000")
                .text("=")
                .value(s.plannedFlow, "0.0000")
                .text("m3/sec"));
    }

    void variantN1W() {
        text(19, "Q1={P･q1/(24×60×60×1000)＋q2･A}･W");
        text(21, "=(P･q1/864×10^5＋q2･A)･W");
        mixedLegend(47);
        mixedData();
        LineMaker sum(19);
        sum.text("計画汚水量 Q1={(");
        perCapitaTerm(sum).text(")＋(");
        perAreaTerm(sum).text(")}×").value(assessment.groundwaterFactor, "0.0#");
        put(sum);
        // The drawn sheet spaces out the unit of this one line.
        const char* unit = sink_.isDrawn() ? "m3 / sec" : "m3/sec";
        put(LineMaker(31)
                .text("=(")
                .value(f.perCapitaFlow, "0.00000")
                .text("＋")
                .value(f.perAreaFlow, "0.00000")
                .text(")×")
                .value(assessment.groundwaterFactor, "0.0#")
                .text(" = ")
                .value(s.plannedFlow, "0.0000")
                .text(unit));
    }

    void variantN2() {
        text(19, "Q1=q･A       ｜Q1：計画汚水量(m3/sec)");
        areaLegend();
        areaData();
        LineMaker result(19);
        result.text("計画汚水量 Q1=");
        perAreaTerm(result).text("=").value(s.plannedFlow, "0.0000").text("m3/sec");
        put(result);
    }

    void variantN2W() {
        text(19, "Q1=q･A･W     ｜Q1：計画汚水量(m3/sec)");
        areaLegend();
        areaData();
        LineMaker result(19);
        result.text("計画汚水量 Q1=");
        perAreaTerm(result)
            .text("×")
            .value(assessment.groundwaterFactor, "0.0#")
            .text("=")
            .value(s.plannedFlow, "0.0000")
            .text("m3/sec");
        put(result);
    }

    void variantD() {
        put(LineMaker(19).text("計画汚水量 Q1=").value(s.plannedFlow, "0.0000").text("m3/sec"));
    }

    void variantDW() {
        put(LineMaker(19)
                .text("計画汚水量 Q1=(")
                .value(s.plannedFlowBase, "0.0000")
                .text(")×")
                .value(assessment.groundwaterFactor, "0.0#")
                .text("=")
                .value(s.plannedFlow, "0.0000")
                .text("m3/sec"));
    }

    // ------------------------------------------------------------ facility

    void facilitySection() { FacilityLines(s, sink_).section("◎ 排水施設の検討", facilityName(s)); }

    // ------------------------------------------------------------ verdict, margin

    // The engine's verdict, as decided for the panel, the beep and the status line.
    void verdict() {
        if (!assessment.verdictShown)
            return;
        const bool allowance = s.allowanceOn == OnOff::On;
        const double compared = assessment.allowedFlow;
        const bool ok = !assessment.capacityFails;

        LineMaker line;
        line.columnJump();
        if (allowance)
            line.value(assessment.allowanceFactor, "0.0#").text("×");
        line.text("Q1=");
        FacilityLines(s, sink_).verdict(line, compared, ok ? "  <  " : "  >  ", s.capacity,
                                        assessment.capacityFails, allowance ? 27 : 24);
    }

    void marginSection() {
        if (s.marginCheck != MarginCheck::On)
            return;
        blank(2);
        text(16, "◎ 余裕率の検討");
        blank();
        if (s.allowanceOn == OnOff::Off) {
            text(19, "余裕率={(Q2-Q1)/Q1}×100");
            marginResult(assessment.allowedFlow, false);
        } else if (s.allowanceOn == OnOff::On) {
            put(LineMaker(19)
                    .text("余裕率={(Q2-")
                    .value(assessment.allowanceFactor, "0.0#")
                    .text("×Q1)/")
                    .value(assessment.allowanceFactor, "0.0#")
                    .text("×Q1}×100"));
            marginResult(assessment.allowedFlow, true);
        }
        text(18, repeated("―", 33));
    }

    // The passing line with the allowance on keeps its historical lead of ten wide
    // and five ASCII blanks, the same width as the 25 blanks of the other lines.
    void marginResult(double compared, bool allowance) {
        const bool ok = !assessment.marginFails;
        LineMaker line(allowance && ok ? 0 : 25);
        if (allowance && ok)
            line.text(repeated("\u3000", 10) + spaces(5));
        line.text("={(")
            .value(s.capacity, "0.0000")
            .text("－")
            .value(compared, "0.0000")
            .text(")/")
            .value(compared, "0.0000")
            .text("}×100=")
            .value(s.marginRatio, "0.00")
            .text(ok ? "％ ＞ " : "％ ＜ ")
            .value(s.marginReference, "0")
            .text("％   ∴ ")
            .text(verdictText(assessment.marginFails));
        if (!ok)
            line.alert();
        put(line);
    }

    // ------------------------------------------------------------ maximum population

    void maxPopulationBlock() {
        const bool groundwater = s.groundwaterOn == OnOff::On;
        const bool allowance = s.allowanceOn == OnOff::On;
        text(16, "◇ 最大計画人口");

        LineMaker formula(19);
        formula.text("Pmax=(24×60×60×1000)･Q2/");
        if (!groundwater && !allowance) {
            formula.text("q=864×10^5×")
                .value(s.capacity, "0.0000")
                .text("/")
                .value(s.sewagePerCapita, "0");
        } else if (!groundwater && allowance) {
            formula.text("(q×")
                .value(assessment.allowanceFactor, "0.0")
                .text(")=864×10^5×")
                .value(s.capacity, "0.0000")
                .text("/(")
                .value(s.sewagePerCapita, "0")
                .text("×")
                .value(assessment.allowanceFactor, "0.0#")
                .text(")");
        } else if (groundwater && !allowance) {
            formula.text("q･W=(864×10^5×")
                .value(s.capacity, "0.0000")
                .text(")/(")
                .value(s.sewagePerCapita, "0")
                .text("×")
                .value(assessment.groundwaterFactor, "0.0#")
                .text(")");
        } else {
            formula.text("(q･W×")
                .value(assessment.allowanceFactor, "0.0")
                .text(")=(864×10^5×")
                .value(s.capacity, "0.0000")
                .text(")/(")
                .value(s.sewagePerCapita, "0")
                .text("×")
                .value(assessment.groundwaterFactor, "0.0#")
                .text("×")
                .value(assessment.allowanceFactor, "0.0#")
                .text(")");
        }
        put(formula);
        put(LineMaker(23).text("=").value(assessment.shownMaxPopulation, "0.0").text("人"));
    }
};

} // namespace

SheetFigures sheetFigures(const CalcSheet& s) {
    SheetFigures f;
    f.areaHa = hectaresPerSquareMetre * s.drainageArea;
    f.perCapitaFlow = (s.sewagePerCapita * s.population) / litresPerDayPerCubicMetrePerSecond;
    f.perAreaFlow = s.sewagePerHectare * f.areaHa;
    f.depthFactor = depthFractionPerTenth * s.depthRatio;
    return f;
}

SheetLine facilityName(const CalcSheet& s) {
    LineMaker line;
    if (isStandardPipe(s.facilityKind)) {
        line.facility(s.facilityLabel);
    } else if (s.facilityKind == FacilityKind::OtherCircular) {
        line.facility(s.materialName)
            .text(" φ")
            .value(s.pipeDiameter * millimetresPerMetre, "####");
    } else if (s.facilityKind == FacilityKind::Rectangular) {
        line.facility(s.materialName)
            .text(" ")
            .value(s.channelWidth * millimetresPerMetre, "####")
            .text("×")
            .value(s.channelHeight * millimetresPerMetre, "####");
    }
    return line.line();
}

void Hyouji_1(const CalcSheet& sheet, SheetSink& sink) {
    SheetWriter(sheet, sink).group1();
}

void Hyouji_2(const CalcSheet& sheet, SheetSink& sink) {
    SheetWriter(sheet, sink).group2();
}

void Hyouji_3(const CalcSheet& sheet, SheetSink& sink) {
    SheetWriter(sheet, sink).group3();
}

void buildWholeSheet(const CalcSheet& sheet, SheetSink& sink) {
    Hyouji_1(sheet, sink);
    Hyouji_2(sheet, sink);
    Hyouji_3(sheet, sink);
}

} // namespace tovarin
