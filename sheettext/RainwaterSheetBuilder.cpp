#include "sheettext/RainwaterSheetBuilder.h"

#include "engine/NumberText.h"
#include "engine/Units.h"
#include "platform/AppendFile.h"
#include "platform/Cp932.h"
#include "sheettext/FacilityLines.h"
#include "sheettext/SheetBuilder.h"
#include "sheettext/SheetLines.h"

#include <algorithm>
#include <string_view>

namespace tovarin {

namespace {

using sheetlines::LineMaker;
using sheetlines::repeated;

// Columns of the area table, counted from the table's left edge.
constexpr int areaColumnEnd = 30;   // the area ends here (right-aligned)
constexpr int runoffColumnEnd = 42; // the runoff coefficient ends here
constexpr int productColumnEnd = 54;

class RainwaterWriter : sheetlines::LineWriter {
public:
    RainwaterWriter(const RainwaterResult& result, SheetSink& sink) : LineWriter(sink), r(result) {}

    void write() {
        opening("☆ 流量計算書（雨水排水施設）");
        plannedFlowSection();
        blank(2);
        facilitySection();
        verdictSection();
    }

private:
    const RainwaterResult& r;

    // ------------------------------------------------------------ 1. planned flow

    void plannedFlowSection() {
        text(16, "1. 計画雨水量");
        blank();
        text(19, "Q=1/360･C･I･A      ｜Q：計画雨水量(m3/sec)");
        text(38, "｜C：流出係数");
        text(38, "｜I：降雨強度(mm/hr)");
        text(38, "｜A：集水面積(ha)");
        blank();
        areaTable();
        blank();
        intensityLines();
        blank();
        put(LineMaker(19)
                .text("計画雨水量 Q=1/360×")
                .value(r.runoff, "0.00")
                .text("×")
                .value(r.intensity, "0.0")
                .text("×")
                .value(r.area, "0.0000")
                .text("=")
                .value(r.plannedFlow, "0.0000")
                .text("m3/sec"));
    }

    // Pads the line (`used` columns so far) with blanks so that a piece of `width`
    // columns ends at column `end`, at least one blank apart; `used` then counts the piece.
    static void padTo(LineMaker& line, int& used, int width, int end) {
        const int pad = std::max(1, end - width - used);
        line.text(std::string(static_cast<std::size_t>(pad), ' '));
        used += pad + width;
    }

    void areaTable() {
        constexpr int edge = 21;
        text(19, "・集水面積と流出係数");
        {
            LineMaker heading(edge);
            int used = 6;
            heading.text("区　域");
            padTo(heading, used, 10, areaColumnEnd);
            heading.text("面積Ai(ha)");
            padTo(heading, used, 10, runoffColumnEnd);
            heading.text("流出係数Ci");
            padTo(heading, used, 5, productColumnEnd);
            heading.text("Ci･Ai");
            put(heading);
        }
        for (const AreaFigures& area : r.areas) {
            LineMaker line(edge);
            line.facility(area.name);
            int used = displayColumns(visibleText(area.name));
            padTo(line, used, static_cast<int>(formatNumber(area.area, "0.0000").size()),
                  areaColumnEnd);
            line.value(area.area, "0.0000");
            padTo(line, used, static_cast<int>(formatNumber(area.runoff, "0.00").size()),
                  runoffColumnEnd);
            line.value(area.runoff, "0.00");
            padTo(line, used, static_cast<int>(formatNumber(area.product, "0.0000").size()),
                  productColumnEnd);
            line.value(area.product, "0.0000");
            put(line);
        }
        text(edge, repeated("―", productColumnEnd / 2));
        const std::string a = "ΣAi=" + formatNumber(r.area, "0.0000");
        const std::string p = "Σ=" + formatNumber(r.runoffSum, "0.0000");
        LineMaker total(edge);
        int used = 2;
        total.text("計");
        padTo(total, used, displayColumns(a), areaColumnEnd);
        total.text("ΣAi=").value(r.area, "0.0000");
        padTo(total, used, displayColumns(p), productColumnEnd);
        total.text("Σ=").value(r.runoffSum, "0.0000");
        put(total);
        blank();
        put(LineMaker(19).text("・集水面積   A=ΣAi=").value(r.area, "0.0000").text("ha"));
        put(LineMaker(19)
                .text("・流出係数   C=Σ(Ci･Ai)/ΣAi=")
                .value(r.runoffSum, "0.0000")
                .text("/")
                .value(r.area, "0.0000")
                .text("=")
                .value(r.runoff, "0.00"));
    }

    // "+b" or "-|b|" as the formula's figures write a constant that is added.
    static LineMaker& addConstant(LineMaker& line, double b) {
        if (b < 0)
            return line.text("-").value(-b, constantPattern(-b));
        return line.text("+").value(b, constantPattern(b));
    }

    LineMaker& constant(LineMaker& line, double value) {
        return line.value(value, constantPattern(value));
    }

    void intensityLines() {
        if (r.intensityForm == IntensityForm::Direct) {
            put(LineMaker(19).text("・降雨強度   I=").value(r.intensity, "0.0").text("mm/hr"));
            return;
        }
        LineMaker form(19);
        form.text("・降雨強度式（")
            .text(intensityFormName(r.intensityForm))
            .text("式）  ")
            .text(intensityFormula(r.intensityForm))
            .text("   a=");
        constant(form, r.constantA);
        if (formUsesB(r.intensityForm)) {
            form.text("  b=");
            constant(form, r.constantB);
        }
        if (formUsesN(r.intensityForm)) {
            form.text("  n=");
            constant(form, r.constantN);
        }
        put(form);
        text(21, "t=t1+t2      ｜t ：到達時間(min)");
        text(21, "t2=L/(60･V)  ｜t1：流入時間(min)");
        text(34, "｜t2：流下時間(min)");
        text(34, "｜L ：流下延長(m)");
        text(34, "｜V ：施設の流速(m/sec)");
        blank();
        put(LineMaker(21)
                .text("・流下時間   t2=")
                .value(*r.flowLength, "0.0#")
                .text("/(60×")
                .value(r.velocity, "0.0000")
                .text(")=")
                .value(*r.flowTime, "0.0")
                .text("min"));
        put(LineMaker(21)
                .text("・到達時間   t=")
                .value(*r.inletTime, "0.0#")
                .text("+")
                .value(*r.flowTime, "0.0")
                .text("=")
                .value(*r.concentrationTime, "0.0")
                .text("min"));
        LineMaker intensity(21);
        intensity.text("・降雨強度   I=");
        constant(intensity, r.constantA).text("/");
        const double t = *r.concentrationTime;
        switch (r.intensityForm) {
        case IntensityForm::Talbot:
            addConstant(intensity.text("(").value(t, "0.0"), r.constantB).text(")");
            break;
        case IntensityForm::Sherman:
            constant(intensity.value(t, "0.0").text("^"), r.constantN);
            break;
        case IntensityForm::Cleveland:
            constant(intensity.text("(").value(t, "0.0").text("^"), r.constantN);
            addConstant(intensity, r.constantB).text(")");
            break;
        case IntensityForm::KunoIshiguro:
            addConstant(intensity.text("(√").value(t, "0.0"), r.constantB).text(")");
            break;
        case IntensityForm::Direct:
            break;
        }
        intensity.text("=").value(r.intensity, "0.0").text("mm/hr");
        put(intensity);
    }

    // ------------------------------------------------------------ 2. facility

    void facilitySection() {
        FacilityLines(r.facility, sink_)
            .section("2. 排水施設", rainwaterFacilityLabel(r),
                     r.trapezoid ? &*r.trapezoid : nullptr);
    }

    // ------------------------------------------------------------ 3. verdict

    void verdictSection() {
        blank();
        text(16, "3. 判定");
        blank();
        const bool ok = !r.capacityFails;
        const char* relation = r.plannedFlow < r.capacity ? "  <  " : ok ? "  =  " : "  >  ";
        LineMaker line;
        line.columnJump().text("Q=");
        FacilityLines(r.facility, sink_)
            .verdict(line, r.plannedFlow, relation, r.capacity, r.capacityFails, 24);
        blank();
        put(LineMaker()
                .columnJump()
                .text("V=")
                .value(r.velocity, "0.0000")
                .text("m/sec  （流速の目安 ")
                .value(lowestSuitableRainwaterVelocity, "0.0")
                .text("～")
                .value(highestSuitableRainwaterVelocity, "0.0")
                .text("m/sec）  ∴ ")
                .text(velocityGuideText(r.guide)));
    }
};

// A typed name (an area or the facility's) holds the characters the file may not.
std::string unencodableMessage(const RainwaterResult& result, const std::string& character) {
    for (std::size_t i = 0; i < result.areas.size(); ++i) {
        const cp932::EncodeResult name = cp932::encode(result.areas[i].name);
        if (!name.ok())
            return "区域（" + formatNumber(static_cast<double>(i + 1), "0") +
                   "行目）の名称の文字「" + *name.unencodable + "」はファイルに書き込めません。";
    }
    if (!isCataloguePipe(result.facilityKind)) {
        const cp932::EncodeResult material = cp932::encode(result.facility.materialName);
        if (!material.ok())
            return "施設の名称の文字「" + *material.unencodable + "」はファイルに書き込めません。";
    }
    return "計算書の文字「" + character + "」はファイルに書き込めません。";
}

} // namespace

SheetLine rainwaterFacilityLabel(const RainwaterResult& r) {
    if (!r.trapezoid)
        return facilityName(r.facility);
    const TrapezoidFigures& t = *r.trapezoid;
    LineMaker line;
    line.facility(r.facility.materialName)
        .text(" ")
        .value(t.bottomWidth * millimetresPerMetre, "####")
        .text("×")
        .value(t.height * millimetresPerMetre, "####")
        .text(" 法勾配1:")
        .value(t.sideSlope, "0.00#");
    return line.line();
}

void buildRainwaterSheet(const RainwaterResult& result, SheetSink& sink) {
    RainwaterWriter(result, sink).write();
}

SheetText rainwaterSheetText(const RainwaterResult& result) {
    return sheetTextOf(
        [&result](SheetSink& sink) { buildRainwaterSheet(result, sink); },
        [&result](const std::string& character) { return unencodableMessage(result, character); });
}

ReportWrite appendRainwaterSheet(const RainwaterResult& result, const std::string& path) {
    return appendSheetText(rainwaterSheetText(result), path);
}

} // namespace tovarin
