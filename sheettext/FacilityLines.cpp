#include "sheettext/FacilityLines.h"

#include "engine/Assessment.h"
#include "engine/Catalogue.h"
#include "engine/NumberText.h"
#include "engine/Units.h"
#include "sheettext/SheetLines.h"

#include <cmath>

namespace tovarin {

using sheetlines::LineMaker;
using sheetlines::repeated;
using sheetlines::spaces;

FacilityLines::FacilityLines(const CalcSheet& sheet, SheetSink& sink)
    : LineWriter(sink), s(sheet), depthFactor(depthFractionPerTenth * sheet.depthRatio) {}

void FacilityLines::section(std::string_view title, const SheetLine& name,
                            const TrapezoidFigures* trapezoid) {
    text(16, title);
    blank();
    facilityLine(name);
    blank();
    headingLine();
    blank();
    capacityLegend();
    formulaLegend();
    roughnessLine();
    if (trapezoid)
        trapezoidalSectionLines(*trapezoid);
    else
        sectionLines();
    hydraulicRadiusLine();
    velocityEvaluation();
    capacityLine();
    blank();
}

void FacilityLines::verdict(LineMaker& line, double compared, std::string_view relation,
                            double capacity, bool fails, int ruleLength) {
    line.value(compared, "0.0000")
        .text("m3/sec")
        .text(relation)
        .text("Q2=")
        .value(capacity, "0.0000")
        .text(fails ? "m3/sec    ∴ " : "m3/sec  \u3000∴ ")
        .text(verdictText(fails));
    if (fails)
        line.alert();
    put(line);
    text(18, repeated("―", ruleLength));
}

void FacilityLines::roughnessLine() {
    put(LineMaker(20).text("・粗 度 係 数  n=").value(s.roughness, "0.000"));
}

void FacilityLines::hydraulicRadiusLine() {
    put(LineMaker(20)
            .text("・　径　　深   R=A/P=")
            .value(s.flowArea, "0.0000")
            .text("/")
            .value(s.wettedPerimeter, "0.0000")
            .text("=")
            .value(s.hydraulicRadius, "0.0000")
            .text("m"));
}

void FacilityLines::capacityLine() {
    put(LineMaker(19)
            .text("流　量 Q2=A･V=")
            .value(s.flowArea, "0.0000")
            .text("×")
            .value(s.velocity, "0.0000")
            .text("=")
            .value(s.capacity, "0.0000")
            .text("m3/sec"));
}

void FacilityLines::facilityLine(const SheetLine& name) {
    if (name.isBlank())
        return;
    LineMaker line(19);
    line.text("※ 施設  ").items(name);
    line.text("    勾配 I=")
        .value(s.slopePermille, "#0.0")
        .text("‰=")
        .value(s.slopePermille, "#0.0")
        .text("/1000");
    put(line);
}

void FacilityLines::headingLine() {
    const DepthRow* row = DepthRatioTable::find(s.depthRatio);
    if (!row)
        return;
    const char* formula = nullptr;
    if (s.velocityFormula == VelocityFormula::Manning)
        formula = "、マニング公式による）";
    if (s.velocityFormula == VelocityFormula::Kutter)
        formula = "、クッター公式による）";
    if (!formula)
        return;
    put(LineMaker(18).text("（").text(row->sheetText).text(formula));
}

void FacilityLines::capacityLegend() {
    text(0, "\u3000\u3000" + spaces(15) + "Q2=A･V      ｜Q2：流量(m3/sec)");
    text(31, "｜ A：流水の断面積(m2)");
    text(31, "｜ V：流速(m/sec)");
}

void FacilityLines::formulaLegend() {
    if (s.velocityFormula == VelocityFormula::Manning) {
        blank();
        text(20, "V=1/n･R^(2/3)･I^(1/2)      ｜n：粗度係数");
        text(47, "｜R：径深(m)");
        text(47, "｜I：勾配");
        blank();
    } else if (s.velocityFormula == VelocityFormula::Kutter) {
        blank();
        text(28, "23＋(1/n)＋(0.00155/I)");
        text(20, "V=" + repeated("―", 17) + "･(R･I)^(1/2)");
        text(23, "1＋{23＋(0.00155/I)}･{n/R^(1/2)}");
        text(61, "｜n：粗度係数 ");
        text(61, "｜R：径深(m)");
        text(61, "｜I：勾配");
        blank();
    }
}

void FacilityLines::sectionLines() {
    if (isCircular(s.facilityKind)) {
        circularSectionLines();
    } else if (s.facilityKind == FacilityKind::Rectangular) {
        rectangularSectionLines();
    }
}

void FacilityLines::circularSectionLines() {
    const DepthRow* row = DepthRatioTable::find(s.depthRatio);
    if (!row)
        return;
    const std::string a = formatNumber(row->a, "0.0000");
    const std::string p = formatNumber(row->p, "0.0000");
    put(LineMaker(20)
            .text("・流水の断面積 A=" + a + "･D^2=" + a + "×")
            .value(s.pipeDiameter, "0.0000")
            .text("^2=")
            .value(s.flowArea, "0.0000")
            .text("m2"));
    put(LineMaker(20)
            .text("・流水の潤辺長 P=" + p + "･D=" + p + "×")
            .value(s.pipeDiameter, "0.0000")
            .text("=")
            .value(s.wettedPerimeter, "0.0000")
            .text("m"));
}

LineMaker& FacilityLines::waterDepth(LineMaker& line) {
    return line.value(s.channelHeight, "0.00#").text("×").value(depthFactor, "0.00#");
}

void FacilityLines::rectangularSectionLines() {
    LineMaker area(20);
    area.text("・流水の断面積 A=").value(s.channelWidth, "0.00#").text("×(");
    waterDepth(area).text(")=").value(s.flowArea, "0.0000").text("m2");
    put(area);

    if (s.depthRatio < 10) { // open channel: both walls up to the water and the floor
        LineMaker perimeter(20);
        perimeter.text("・流水の潤辺長 P=").value(s.channelWidth, "0.00#").text("＋{(");
        waterDepth(perimeter).text(")×2}=").value(s.wettedPerimeter, "0.0000").text("m");
        put(perimeter);
    } else if (s.depthRatio == 10) { // full: the whole inner perimeter
        LineMaker perimeter(20);
        perimeter.text("・流水の潤辺長 P={").value(s.channelWidth, "0.00#").text("＋(");
        waterDepth(perimeter).text(")}×2=").value(s.wettedPerimeter, "0.0000").text("m");
        put(perimeter);
    }
}

void FacilityLines::trapezoidalSectionLines(const TrapezoidFigures& t) {
    LineMaker depth(20);
    depth.text("・水　　　深   h=");
    waterDepth(depth).text("=").value(t.waterDepth, "0.0000").text("m");
    put(depth);
    put(LineMaker(20)
            .text("・流水の断面積 A=(B＋m･h)･h=(")
            .value(t.bottomWidth, "0.00#")
            .text("＋")
            .value(t.sideSlope, "0.00#")
            .text("×")
            .value(t.waterDepth, "0.0000")
            .text(")×")
            .value(t.waterDepth, "0.0000")
            .text("=")
            .value(s.flowArea, "0.0000")
            .text("m2"));
    put(LineMaker(20)
            .text("・流水の潤辺長 P=B＋2･h･√(1＋m^2)=")
            .value(t.bottomWidth, "0.00#")
            .text("＋2×")
            .value(t.waterDepth, "0.0000")
            .text("×√(1＋")
            .value(t.sideSlope, "0.00#")
            .text("^2)=")
            .value(s.wettedPerimeter, "0.0000")
            .text("m"));
}

void FacilityLines::velocityEvaluation() {
    if (s.velocityFormula == VelocityFormula::Manning) {
        manningEvaluation();
    } else if (s.velocityFormula == VelocityFormula::Kutter) {
        kutterEvaluation();
    }
}

void FacilityLines::manningEvaluation() {
    blank();
    put(LineMaker(20)
            .text("流 速 V=1/")
            .value(s.roughness, "0.000")
            .text("×")
            .value(s.hydraulicRadius, "0.0000")
            .text("^(2/3)×")
            .value(s.slope, "0.0000")
            .text("^(1/2)"));
    put(LineMaker(27)
            .text("=")
            .value(1 / s.roughness, "0.000")
            .text("×")
            .value(std::pow(s.hydraulicRadius, 2.0 / 3.0), "0.0000")
            .text("×")
            .value(std::pow(s.slope, 0.5), "0.0000")
            .text("=")
            .value(s.velocity, "0.0000")
            .text("m/sec"));
    blank();
}

void FacilityLines::kutterEvaluation() {
    blank();
    put(LineMaker(28)
            .text("\u3000   23＋(1/")
            .value(s.roughness, "0.000")
            .text(")＋(0.00155/")
            .value(s.slope, "0.0000")
            .text(")"));
    put(LineMaker(18)
            .text("流速V=" + repeated("―", 24) + "×(")
            .value(s.hydraulicRadius, "0.0000")
            .text("×")
            .value(s.slope, "0.0000")
            .text(")^(1/2)"));
    put(LineMaker(25)
            .text("1＋{23＋(0.00155/")
            .value(s.slope, "0.0000")
            .text(")}×{")
            .value(s.roughness, "0.000")
            .text("/")
            .value(s.hydraulicRadius, "0.0000")
            .text("^(1/2)}"));
    put(LineMaker(23)
            .text("=(")
            .value(s.kutterNumerator, "0.0000")
            .text("/")
            .value(s.kutterDenominator, "0.0000")
            .text(")×")
            .value(s.kutterRootRI, "0.0000")
            .text("=")
            .value(s.velocity, "0.0000")
            .text("m/sec"));
    blank();
}

} // namespace tovarin
