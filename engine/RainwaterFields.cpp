#include "engine/RainwaterFields.h"

#include "engine/Catalogue.h"
#include "engine/ControlCharacters.h"
#include "engine/NumberText.h"

#include <utility>

namespace tovarin {

namespace {

double printed(double value, const char* pattern) {
    return textToNumber(formatNumber(value, pattern));
}

class Table {
public:
    explicit Table(const RainwaterInput& in) : in_(in) {}

    std::vector<RainwaterFieldEntry> entries() {
        areas();
        intensity();
        facility();
        return std::move(entries_);
    }

private:
    const RainwaterInput& in_;
    std::vector<RainwaterFieldEntry> entries_;

    void add(FieldRule rule, std::string what, std::string_view text, RainwaterField field,
             int row = -1, AreaColumn column = AreaColumn::Area) {
        entries_.push_back({rule, std::move(what), text, true, field, row, column});
    }
    void check(FieldRule rule, std::string message, bool holds, RainwaterField field) {
        entries_.push_back({rule, std::move(message), {}, holds, field, -1, AreaColumn::Area});
    }

    void areas() {
        check(FieldRule::Choice, "集水区域を１つ以上入力してください。", !in_.areas.empty(),
              RainwaterField::AreaTable);
        for (std::size_t i = 0; i < in_.areas.size(); ++i) {
            const int row = static_cast<int>(i);
            const CatchmentArea& area = in_.areas[i];
            const std::string prefix = "区域（" + formatNumber(row + 1, "0") + "行目）の";
            add(FieldRule::Name, prefix + "名称", area.name, RainwaterField::AreaTable, row,
                AreaColumn::Name);
            add(FieldRule::Hectares, prefix + "面積", area.areaText, RainwaterField::AreaTable, row,
                AreaColumn::Area);
            add(FieldRule::Runoff, prefix + "流出係数", area.runoffText, RainwaterField::AreaTable,
                row, AreaColumn::Runoff);
        }
    }

    void intensity() {
        if (in_.intensityForm == IntensityForm::Direct) {
            add(FieldRule::Intensity, "降雨強度", in_.directIntensityText,
                RainwaterField::DirectIntensity);
            return;
        }
        add(FieldRule::Positive, "降雨強度式の定数 a ", in_.constantAText,
            RainwaterField::ConstantA);
        if (formUsesB(in_.intensityForm))
            add(FieldRule::Number, "降雨強度式の定数 b ", in_.constantBText,
                RainwaterField::ConstantB);
        if (formUsesN(in_.intensityForm))
            add(FieldRule::Positive, "降雨強度式の定数 n ", in_.constantNText,
                RainwaterField::ConstantN);
        add(FieldRule::Minutes, "流入時間", in_.inletTimeText, RainwaterField::InletTime);
        add(FieldRule::NotNegative, "流下延長", in_.flowLengthText, RainwaterField::FlowLength);
    }

    void dimensions() {
        switch (in_.facilityKind) {
        case RainwaterFacilityKind::VP:
        case RainwaterFacilityKind::VU:
        case RainwaterFacilityKind::FRPM:
        case RainwaterFacilityKind::Hume: {
            const auto& sizes = PipeCatalogue::sizes(sewageFacilityKind(in_.facilityKind));
            const int position = in_.sizeListPosition;
            check(FieldRule::Choice, "管径を選択してください。",
                  position >= 0 && position < static_cast<int>(sizes.size()),
                  RainwaterField::SizeList);
            return;
        }
        case RainwaterFacilityKind::OtherCircular:
            add(FieldRule::Positive, "直径", in_.diameterText, RainwaterField::Diameter);
            return;
        case RainwaterFacilityKind::Rectangular:
            add(FieldRule::Positive, "施設の高さ", in_.heightText, RainwaterField::Height);
            add(FieldRule::Positive, "施設の巾", in_.widthText, RainwaterField::Width);
            return;
        case RainwaterFacilityKind::Trapezoidal: {
            add(FieldRule::NotNegative, "台形の底幅", in_.widthText, RainwaterField::Width);
            add(FieldRule::Positive, "台形の深さ", in_.heightText, RainwaterField::Height);
            add(FieldRule::NotNegative, "台形の法勾配", in_.sideSlopeText,
                RainwaterField::SideSlope);
            const bool flat =
                rainwaterNumber(in_.widthText) == 0.0 && rainwaterNumber(in_.sideSlopeText) == 0.0;
            check(FieldRule::Computable,
                  "台形の底幅と法勾配が共に０のため、流水の断面積がありません。", !flat,
                  RainwaterField::Width);
            return;
        }
        }
    }

    void facility() {
        dimensions();
        if (!isCataloguePipe(in_.facilityKind))
            add(FieldRule::Name, "施設の名称", in_.materialText, RainwaterField::Material);
        add(FieldRule::Positive, "施設の勾配", in_.gradientText, RainwaterField::Gradient);
        add(FieldRule::Positive, "粗度係数", in_.roughnessText, RainwaterField::Roughness);
        check(FieldRule::Choice, "流速の計算方法を選択してください。",
              in_.velocityFormula != VelocityFormula::None, RainwaterField::Roughness);
        check(FieldRule::Choice, "施設の有効水深の割合を選択してください。",
              depthRatioCode(in_.facilityKind, in_.depthText).has_value(),
              RainwaterField::DepthList);
    }
};

bool isBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

RainwaterRefusal refusalOf(const RainwaterFieldEntry& entry, std::string message) {
    return {std::move(message), entry.field, entry.row, entry.column};
}

bool isNumberRule(FieldRule rule) {
    return rule != FieldRule::Name && rule != FieldRule::Choice && rule != FieldRule::Computable;
}

// A number field given and a number, as a document must hold it.
std::optional<RainwaterRefusal> typedRefusal(const RainwaterFieldEntry& entry) {
    if (isBlank(entry.text))
        return refusalOf(entry, entry.what + "を入力してください。");
    if (!rainwaterNumber(entry.text))
        return refusalOf(entry, entry.what + "には数値を入力してください。");
    return std::nullopt;
}

// The range a number field must be in for the calculation.
std::optional<RainwaterRefusal> rangeRefusal(const RainwaterFieldEntry& entry, double value) {
    switch (entry.rule) {
    case FieldRule::Positive:
        if (value <= 0)
            return refusalOf(entry, entry.what + "には正の値を入力してください。");
        break;
    case FieldRule::NotNegative:
        if (value < 0)
            return refusalOf(entry, entry.what + "には０以上の値を入力してください。");
        break;
    case FieldRule::Hectares:
        if (value <= 0 || printed(value, "0.0000") <= 0)
            return refusalOf(entry, entry.what + "には0.0001ha以上の値を入力してください。");
        break;
    case FieldRule::Runoff:
        if (value <= 0 || value > 1)
            return refusalOf(entry, entry.what + "には０より大きく１以下の値を入力してください。");
        if (printed(value, "0.00") <= 0)
            return refusalOf(entry,
                             entry.what + "は小数第２位までで０より大きい値を入力してください。");
        break;
    case FieldRule::Minutes:
        if (value <= 0 || printed(value, "0.0#") <= 0)
            return refusalOf(entry, entry.what + "には0.01分以上の値を入力してください。");
        break;
    case FieldRule::Intensity:
        if (value <= 0 || printed(value, "0.0") <= 0)
            return refusalOf(entry, entry.what + "には0.1mm/hr以上の値を入力してください。");
        break;
    default:
        break;
    }
    return std::nullopt;
}

// A job is saved as it stands, half done too: an empty field and a list with nothing
// chosen are kept as they are; only what a document cannot hold is refused.
std::optional<RainwaterRefusal> savingRefusalOf(const RainwaterFieldEntry& entry) {
    if (entry.rule == FieldRule::Name) {
        if (hasControlCharacter(entry.text))
            return refusalOf(entry, entry.what + "に改行などの制御文字は使えません。");
        return std::nullopt;
    }
    if (isNumberRule(entry.rule) && !isBlank(entry.text))
        return typedRefusal(entry);
    return std::nullopt;
}

bool leftOpen(const RainwaterFieldEntry& entry) {
    if (entry.rule == FieldRule::Choice)
        return !entry.holds;
    return isNumberRule(entry.rule) && isBlank(entry.text);
}

std::optional<RainwaterRefusal> calculationRefusalOf(const RainwaterFieldEntry& entry) {
    if (entry.rule == FieldRule::Name)
        return std::nullopt;
    if (entry.rule == FieldRule::Choice || entry.rule == FieldRule::Computable)
        return entry.holds ? std::nullopt : std::optional(refusalOf(entry, entry.what));
    if (auto refused = typedRefusal(entry))
        return refused;
    return rangeRefusal(entry, *rainwaterNumber(entry.text));
}

template <typename Check>
std::optional<RainwaterRefusal> firstRefusal(const RainwaterInput& input, Check check) {
    for (const RainwaterFieldEntry& entry : rainwaterFields(input)) {
        if (auto refused = check(entry))
            return refused;
    }
    return std::nullopt;
}

} // namespace

std::vector<RainwaterFieldEntry> rainwaterFields(const RainwaterInput& input) {
    return Table(input).entries();
}

std::optional<RainwaterRefusal> savingRefusal(const RainwaterInput& input) {
    return firstRefusal(input, savingRefusalOf);
}

std::optional<RainwaterRefusal> calculationRefusal(const RainwaterInput& input) {
    return firstRefusal(input, calculationRefusalOf);
}

std::optional<RainwaterRefusal> fieldCalculationRefusal(const RainwaterFieldEntry& entry) {
    return calculationRefusalOf(entry);
}

std::string halfWidthNumberText(std::string_view text) {
    std::string half;
    half.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
        if (i + 2 < text.size() && byte(i) == 0xE3 && byte(i + 1) == 0x80 && byte(i + 2) == 0x80) {
            half += ' '; // U+3000
            i += 2;
            continue;
        }
        if (i + 2 < text.size() && byte(i) == 0xEF &&
            (byte(i + 1) == 0xBC || byte(i + 1) == 0xBD)) {
            // U+FF01..U+FF5E are U+0021..U+007E, full width.
            const unsigned code = (byte(i + 1) == 0xBC ? 0x00 : 0x40) + (byte(i + 2) - 0x80) + 0x20;
            const bool numeric = (code >= '0' && code <= '9') || code == '.' || code == '-' ||
                                 code == '+' || code == 'e' || code == 'E';
            if (numeric && byte(i + 2) >= 0x80 && byte(i + 2) <= 0xBF) {
                half += static_cast<char>(code);
                i += 2;
                continue;
            }
        }
        half += text[i];
    }
    return half;
}

namespace {

std::vector<std::string> splitAt(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace

AreaPaste pastedAreaCells(std::string_view text, int firstRow, int firstColumn) {
    constexpr int columns = 3;
    AreaPaste paste;
    std::vector<std::string> lines = splitAt(text, '\n');
    if (!lines.empty() && lines.back().empty())
        lines.pop_back(); // the line end after the last row
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const int row = firstRow + static_cast<int>(i);
        std::vector<std::string> cells = splitAt(line, '\t');
        const std::string prefix = "区域（" + formatNumber(row + 1, "0") + "行目）の";
        if (firstColumn + static_cast<int>(cells.size()) > columns) {
            paste.refusal = RainwaterRefusal{
                prefix +
                    "貼り付けに列が多すぎます（区域の表は土地利用、面積、流出係数の３列です）。",
                RainwaterField::AreaTable, row, AreaColumn::Name};
            paste.rows.clear();
            return paste;
        }
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const int column = firstColumn + static_cast<int>(c);
            if (column == 0)
                continue;
            cells[c] = halfWidthNumberText(cells[c]);
            if (!isBlank(cells[c]) && !rainwaterNumber(cells[c])) {
                const bool area = column == 1;
                paste.refusal = RainwaterRefusal{
                    prefix + (area ? "面積" : "流出係数") + "「" + cells[c] +
                        "」は数値ではないため、貼り付けられません。",
                    RainwaterField::AreaTable, row, area ? AreaColumn::Area : AreaColumn::Runoff};
                paste.rows.clear();
                return paste;
            }
        }
        paste.rows.push_back(std::move(cells));
    }
    return paste;
}

std::string tabSeparatedCells(const std::vector<std::vector<std::string>>& rows) {
    std::string text;
    for (const std::vector<std::string>& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0)
                text += '\t';
            text += row[c];
        }
        text += '\n';
    }
    return text;
}

bool rainwaterInputIncomplete(const RainwaterInput& input) {
    for (const RainwaterFieldEntry& entry : rainwaterFields(input)) {
        if (leftOpen(entry))
            return true;
    }
    return false;
}

} // namespace tovarin
