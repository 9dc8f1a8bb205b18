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
            add(FieldRule::Positive, "降雨強度", in_.directIntensityText,
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

RainwaterRefusal refusalOf(const RainwaterFieldEntry& entry, std::string message) {
    return {std::move(message), entry.field, entry.row, entry.column};
}

bool isNumberRule(FieldRule rule) {
    return rule != FieldRule::Name && rule != FieldRule::Choice && rule != FieldRule::Computable;
}

// A number field given and a number, as a document must hold it.
std::optional<RainwaterRefusal> typedRefusal(const RainwaterFieldEntry& entry) {
    if (entry.text.find_first_not_of(' ') == std::string_view::npos)
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
    default:
        break;
    }
    return std::nullopt;
}

std::optional<RainwaterRefusal> savingRefusalOf(const RainwaterFieldEntry& entry) {
    if (entry.rule == FieldRule::Name) {
        if (hasControlCharacter(entry.text))
            return refusalOf(entry, entry.what + "に改行などの制御文字は使えません。");
        return std::nullopt;
    }
    if (entry.rule == FieldRule::Choice)
        return entry.holds ? std::nullopt : std::optional(refusalOf(entry, entry.what));
    if (isNumberRule(entry.rule))
        return typedRefusal(entry);
    return std::nullopt;
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

} // namespace tovarin
