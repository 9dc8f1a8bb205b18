#include "sheettext/NetworkSheet.h"

#include "engine/ControlCharacters.h"
#include "engine/NumberText.h"
#include "platform/Cp932.h"
#include "sheettext/RainwaterSheetBuilder.h"
#include "sheettext/SheetLines.h"

#include <algorithm>

namespace tovarin {

namespace {

using sheetlines::LineMaker;

// A column of the table: its title on the sheet's two header lines, its title in a
// table (one text), and whether its cells are figures (right-aligned).
struct Column {
    const char* top;
    const char* bottom;
    const char* title;
    bool figure;
};

const std::vector<Column>& columns(NetworkKind kind) {
    static const std::vector<Column> rainwater = {
        {"区間", "", "区間", false},
        {"上流", "", "上流", false},
        {"下流", "", "下流", false},
        {"延長L", "(m)", "延長L(m)", true},
        {"面積A", "(ha)", "面積A(ha)", true},
        {"累加面積", "ΣA(ha)", "累加面積ΣA(ha)", true},
        {"流出", "係数C", "流出係数C", true},
        {"流入時間", "(min)", "流入時間(min)", true},
        {"流下時間", "t2(min)", "流下時間t2(min)", true},
        {"到達時間", "t(min)", "到達時間t(min)", true},
        {"降雨強度", "I(mm/hr)", "降雨強度I(mm/hr)", true},
        {"計画雨水量", "Q(m3/sec)", "計画雨水量Q(m3/sec)", true},
        {"施設", "", "施設", false},
        {"勾配", "(‰)", "勾配(‰)", true},
        {"粗度", "係数", "粗度係数", true},
        {"流速V", "(m/sec)", "流速V(m/sec)", true},
        {"流量Q2", "(m3/sec)", "流量Q2(m3/sec)", true},
        {"判定", "", "判定", false},
        {"流速の", "目安", "流速の目安", false},
    };
    static const std::vector<Column> sewage = {
        {"区間", "", "区間", false},
        {"上流", "", "上流", false},
        {"下流", "", "下流", false},
        {"延長L", "(m)", "延長L(m)", true},
        {"人口", "(人)", "人口(人)", true},
        {"累加人口", "ΣP(人)", "累加人口ΣP(人)", true},
        {"計画汚水量", "Q1(m3/sec)", "計画汚水量Q1(m3/sec)", true},
        {"地下水を含む", "Q(m3/sec)", "地下水を含むQ(m3/sec)", true},
        {"施設", "", "施設", false},
        {"勾配", "(‰)", "勾配(‰)", true},
        {"粗度", "係数", "粗度係数", true},
        {"流速V", "(m/sec)", "流速V(m/sec)", true},
        {"流量Q2", "(m3/sec)", "流量Q2(m3/sec)", true},
        {"判定", "", "判定", false},
        {"流速の", "目安", "流速の目安", false},
    };
    return kind == NetworkKind::Rainwater ? rainwater : sewage;
}

std::string timeText(const std::optional<double>& time, const char* pattern) {
    return time ? formatNumber(*time, pattern) : std::string();
}

// The sheet's pieces between columns and before the table.
constexpr int tableIndent = 2;
constexpr int columnGap = 2;

int widthOf(const std::string& text) {
    return displayColumns(text);
}

// One line of the table: each cell padded to its column's width, figures to the right.
SheetLine tableLine(const std::vector<std::string>& cells, const std::vector<int>& widths,
                    const std::vector<Column>& kinds, bool alert) {
    LineMaker line(tableIndent);
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const int pad = widths[c] - widthOf(cells[c]);
        const std::string blanks = sheetlines::spaces(std::max(0, pad));
        if (c > 0)
            line.text(sheetlines::spaces(columnGap));
        if (kinds[c].figure)
            line.text(blanks).text(cells[c]);
        else if (c + 1 == cells.size())
            line.text(cells[c]); // no blanks at the end of a line
        else
            line.text(cells[c]).text(blanks);
    }
    if (alert)
        line.alert();
    return line.line();
}

class NetworkWriter {
public:
    NetworkWriter(const NetworkResult& result, SheetOutput output) : r_(result), output_(output) {}

    NetworkSheetLines lines() {
        opening();
        table();
        return std::move(lines_);
    }

private:
    const NetworkResult& r_;
    SheetOutput output_;
    NetworkSheetLines lines_;

    void put(const LineMaker& line) { lines_.opening.push_back(line.line()); }
    void blank() { lines_.opening.push_back(SheetLine{}); }
    void text(int indent, std::string_view piece) { put(LineMaker(indent).text(piece)); }

    void opening() {
        if (output_ == SheetOutput::Drawn)
            for (int i = 0; i < 5; ++i)
                blank(); // top margin of a drawn page
        blank();
        text(13, r_.kind == NetworkKind::Rainwater ? "☆ 流量計算表（雨水排水施設）"
                                                   : "☆ 流量計算表（汚水排水施設）");
        blank();
        if (r_.kind == NetworkKind::Rainwater)
            rainwaterInputs();
        else
            sewageInputs();
        blank();
    }

    LineMaker& constant(LineMaker& line, double value) {
        return line.value(value, constantPattern(value));
    }

    void rainwaterInputs() {
        const RainwaterResult& i = r_.intensity;
        if (i.intensityForm == IntensityForm::Direct) {
            put(LineMaker(4).text("・降雨強度   I=").value(i.intensity, "0.0").text("mm/hr"));
        } else {
            LineMaker form(4);
            form.text("・降雨強度式（")
                .text(intensityFormName(i.intensityForm))
                .text("式）  ")
                .text(intensityFormula(i.intensityForm))
                .text("   a=");
            constant(form, i.constantA);
            if (formUsesB(i.intensityForm))
                constant(form.text("  b="), i.constantB);
            if (formUsesN(i.intensityForm))
                constant(form.text("  n="), i.constantN);
            put(form);
            put(LineMaker(4).text("・流入時間   t1=").value(*i.inletTime, "0.0#").text("min"));
            text(4, "・流下時間   t2=L/(60･V)   到達時間 t=流入時間+t2"
                    "（流入時間は上流端の区間で t1、ほかは流れ込む区間の t の最大）");
        }
        text(4, "・計画雨水量 Q=1/360･C･I･ΣA   C=Σ(Ci･Ai)/ΣA");
    }

    void sewageInputs() {
        put(LineMaker(4)
                .text("・計画時間最大汚水量(１人１日当り) q1=")
                .value(r_.perCapita, "0.0#")
                .text("㍑/人/日"));
        LineMaker groundwater(4);
        groundwater.text("・地下水混入率 W=");
        if (r_.groundwater)
            groundwater.value(*r_.groundwater, "0.0#").text("%");
        else
            groundwater.text("無し");
        put(groundwater);
        LineMaker allowance(4);
        allowance.text("・計画汚水量の割増し a=");
        if (r_.allowance)
            allowance.value(*r_.allowance, "0.0#").text("%");
        else
            allowance.text("無し");
        put(allowance);
        text(4, "・Q1=ΣP･q1/864×10^5＋ΣQd   Q=(W+100)･Q1/100");
        text(4, "・判定 (a+100)･Q/100≦Q2 で O.K");
    }

    void table() {
        const std::vector<Column>& kinds = columns(r_.kind);
        std::vector<std::vector<std::string>> cells;
        cells.reserve(r_.sections.size());
        for (std::size_t i = 0; i < r_.sections.size(); ++i) {
            std::vector<std::string> row = networkRowTexts(r_, i);
            for (std::string& cell : row)
                cell = visibleText(cell);
            cells.push_back(std::move(row));
        }
        std::vector<int> widths(kinds.size(), 0);
        for (std::size_t c = 0; c < kinds.size(); ++c)
            widths[c] = std::max(widthOf(kinds[c].top), widthOf(kinds[c].bottom));
        for (const std::vector<std::string>& row : cells)
            for (std::size_t c = 0; c < row.size(); ++c)
                widths[c] = std::max(widths[c], widthOf(row[c]));

        std::vector<std::string> top, bottom;
        for (const Column& column : kinds) {
            top.emplace_back(column.top);
            bottom.emplace_back(column.bottom);
        }
        lines_.header.push_back(tableLine(top, widths, kinds, false));
        lines_.header.push_back(tableLine(bottom, widths, kinds, false));
        int total = 0;
        for (int width : widths)
            total += width + columnGap;
        lines_.header.push_back(LineMaker(tableIndent)
                                    .text(sheetlines::repeated("―", (total - columnGap + 1) / 2))
                                    .line());
        for (std::size_t i = 0; i < cells.size(); ++i)
            lines_.rows.push_back(tableLine(cells[i], widths, kinds, r_.sections[i].capacityFails));
    }
};

} // namespace

std::vector<std::string> networkTableHeader(NetworkKind kind) {
    std::vector<std::string> header;
    for (const Column& column : columns(kind))
        header.emplace_back(column.title);
    return header;
}

std::vector<std::string> networkRowTexts(const NetworkResult& result, std::size_t index) {
    const NetworkSectionResult& s = result.sections.at(index);
    const RainwaterResult& r = s.facility;
    std::vector<std::string> row = {s.name, s.upper, s.lower, formatNumber(s.length, "0.0#")};
    if (result.kind == NetworkKind::Rainwater) {
        const RainwaterTexts t = rainwaterTexts(r);
        row.insert(row.end(), {formatNumber(s.ownArea, "0.0000"), t.area, t.runoffCoefficient,
                               timeText(r.inletTime, "0.0#"), t.flowTime.value_or(""),
                               t.concentrationTime.value_or(""), t.intensity, t.plannedFlow});
    } else {
        row.insert(row.end(), {formatNumber(s.ownPopulation, "0"), formatNumber(s.population, "0"),
                               formatNumber(s.plannedFlowBase, "0.0000"),
                               formatNumber(s.plannedFlow, "0.0000")});
    }
    row.insert(row.end(),
               {lineText(rainwaterFacilityLabel(r)), formatNumber(r.facility.slopePermille, "#0.0"),
                formatNumber(r.facility.roughness, "0.000"), formatNumber(r.velocity, "0.0000"),
                formatNumber(r.capacity, "0.0000"), verdictText(s.capacityFails),
                velocityGuideText(s.guide)});
    return row;
}

NetworkSheetLines networkSheetLines(const NetworkResult& result, SheetOutput output) {
    return NetworkWriter(result, output).lines();
}

void buildNetworkSheet(const NetworkResult& result, SheetSink& sink) {
    const NetworkSheetLines lines = networkSheetLines(result, sink.output());
    for (const auto* part : {&lines.opening, &lines.header, &lines.rows})
        for (const SheetLine& line : *part)
            sink.writeLine(line);
}

SheetText networkSheetText(const NetworkResult& result) {
    return sheetTextOf([&result](SheetSink& sink) { buildNetworkSheet(result, sink); },
                       [&result](const std::string& character) {
                           for (const NetworkSectionResult& s : result.sections) {
                               for (const std::string* name : {&s.name, &s.upper, &s.lower,
                                                               &s.facility.facility.materialName})
                                   if (!cp932::encode(*name).ok())
                                       return "区間「" + s.name + "」の名称の文字「" + character +
                                              "」はファイルに書き込めません。";
                           }
                           return "計算書の文字「" + character + "」はファイルに書き込めません。";
                       });
}

ReportWrite appendNetworkSheet(const NetworkResult& result, const std::string& path) {
    return appendSheetText(networkSheetText(result), path);
}

} // namespace tovarin
