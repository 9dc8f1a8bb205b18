#include "documents/record/RainwaterRecord.h"

#include "engine/Catalogue.h"
#include "engine/ControlCharacters.h"
#include "engine/NumberText.h"

#include <array>

namespace tovarin {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// The keys in the order a document holds them; 区域 repeats, one line per area.
enum class Key {
    Area,
    Intensity,
    InletTime,
    FlowLength,
    Facility,
    Gradient,
    Roughness,
    Formula,
    Depth
};
constexpr std::array<std::string_view, 9> keyNames = {
    "区域", "降雨強度", "流入時間", "流下延長", "施設", "勾配", "粗度係数", "公式", "有効水深"};

std::string_view keyName(Key key) {
    return keyNames[static_cast<std::size_t>(key)];
}

std::optional<Key> keyFromName(std::string_view name) {
    for (std::size_t i = 0; i < keyNames.size(); ++i) {
        if (keyNames[i] == name)
            return static_cast<Key>(i);
    }
    return std::nullopt;
}

constexpr std::string_view manningName = "マニング";
constexpr std::string_view kutterName = "クッター";

std::vector<std::string_view> splitCommas(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(text.substr(start));
            return fields;
        }
        fields.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
}

// A free name followed by `count` numbers: the name keeps any comma it holds.
struct NameAndNumbers {
    std::string name;
    std::vector<std::string> numbers;
};

std::optional<NameAndNumbers> nameAndNumbers(std::string_view text, std::size_t count) {
    std::vector<std::string_view> fields = splitCommas(text);
    if (fields.size() < count + 1)
        return std::nullopt;
    NameAndNumbers split;
    const std::size_t nameFields = fields.size() - count;
    for (std::size_t i = 0; i < nameFields; ++i) {
        if (i > 0)
            split.name += ',';
        split.name += fields[i];
    }
    for (std::size_t i = nameFields; i < fields.size(); ++i)
        split.numbers.emplace_back(fields[i]);
    return split;
}

bool allNumbers(const std::vector<std::string>& texts) {
    for (const std::string& text : texts) {
        if (!rainwaterNumber(text))
            return false;
    }
    return true;
}

// The nominal size of a catalogue pipe as the document writes it: "200" of "VP - φ200".
std::string nominalText(const PipeSize& size) {
    const std::string& label = size.label;
    const std::size_t phi = label.rfind("φ");
    return phi == std::string::npos ? label : label.substr(phi + std::string_view("φ").size());
}

std::optional<int> sizePosition(FacilityKind kind, std::string_view nominal) {
    const std::vector<PipeSize>& sizes = PipeCatalogue::sizes(kind);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        if (nominalText(sizes[i]) == nominal)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

bool depthTextFits(RainwaterFacilityKind kind, const std::string& text) {
    if (text.empty())
        return false;
    for (const std::string& entry : depthTexts(kind)) {
        if (entry == text)
            return true;
    }
    return false;
}

// ---------------------------------------------------------------- reading

class Reader {
public:
    RainwaterDocumentRead read(std::string_view text) {
        if (text.substr(0, byteOrderMark.size()) == byteOrderMark)
            text.remove_prefix(byteOrderMark.size());
        int lineNumber = 0;
        bool first = true;
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            const bool last = end == std::string_view::npos;
            if (last)
                end = text.size();
            std::string_view line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            ++lineNumber;
            if (first) {
                if (line != rainwaterDocumentHeading)
                    return fail(lineNumber, "Tovarinの雨水の計算書データではありません"
                                            "（1行目が「Tovarin 雨水 1」ではありません）。");
                first = false;
            } else if (!line.empty()) {
                if (!readLine(lineNumber, line))
                    return result_;
            }
            if (last)
                break;
            start = end + 1;
        }
        // The keys still to come after the last line.
        if (const std::optional<Key> missing = nextRequired(Key::Depth, true))
            return fail(lineNumber, "「" + std::string(keyName(*missing)) + "」の行がありません。");
        result_.input = input_;
        return result_;
    }

private:
    RainwaterInput input_;
    RainwaterDocumentRead result_;
    int stage_ = -1; // index of the last key read
    bool direct_ = false;

    RainwaterDocumentRead fail(int line, const std::string& why) {
        result_.input.reset();
        result_.message = formatNumber(line, "0") + "行目：" + why;
        return result_;
    }

    bool refuse(int line, const std::string& why) {
        fail(line, why);
        return false;
    }

    bool required(Key key) const {
        if (key == Key::InletTime || key == Key::FlowLength)
            return !direct_;
        return true;
    }

    // The first required key after the last one read and before `key` (up to and
    // including `key` when `including`), which a document must not skip.
    std::optional<Key> nextRequired(Key key, bool including) const {
        const int limit = static_cast<int>(key) + (including ? 1 : 0);
        for (int k = stage_ + 1; k < limit; ++k) {
            if (required(static_cast<Key>(k)))
                return static_cast<Key>(k);
        }
        return std::nullopt;
    }

    bool readLine(int number, std::string_view line) {
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return refuse(number, "「項目=値」の形ではありません。");
        const std::string_view name = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        const std::optional<Key> key = keyFromName(name);
        if (!key)
            return refuse(number, "不明な項目「" + std::string(name) + "」です。");
        const int index = static_cast<int>(*key);
        const bool repeatArea = *key == Key::Area && stage_ == index;
        if (index <= stage_ && !repeatArea)
            return refuse(number, "「" + std::string(name) +
                                      "」がこの位置にあります（"
                                      "項目の順序が違うか、同じ項目が２つあります）。");
        if (!repeatArea) {
            if (const std::optional<Key> missing = nextRequired(*key, false))
                return refuse(number,
                              "「" + std::string(keyName(*missing)) + "」の行がありません。");
        }
        if (direct_ && (*key == Key::InletTime || *key == Key::FlowLength))
            return refuse(number, "降雨強度が「直接」のときは「" + std::string(name) +
                                      "」の行は置けません。");
        stage_ = index;
        return readValue(number, *key, value);
    }

    bool readValue(int number, Key key, std::string_view value) {
        switch (key) {
        case Key::Area:
            return readArea(number, value);
        case Key::Intensity:
            return readIntensity(number, value);
        case Key::InletTime:
            return readNumberText(number, value, "流入時間", input_.inletTimeText);
        case Key::FlowLength:
            return readNumberText(number, value, "流下延長", input_.flowLengthText);
        case Key::Facility:
            return readFacility(number, value);
        case Key::Gradient:
            return readNumberText(number, value, "勾配", input_.gradientText);
        case Key::Roughness:
            return readNumberText(number, value, "粗度係数", input_.roughnessText);
        case Key::Formula:
            return readFormula(number, value);
        case Key::Depth:
            return readDepth(number, value);
        }
        return false;
    }

    bool readNumberText(int number, std::string_view value, const char* what, std::string& into) {
        if (!rainwaterNumber(value))
            return refuse(number, std::string(what) + "が数値ではありません。");
        into = std::string(value);
        return true;
    }

    bool readArea(int number, std::string_view value) {
        const std::optional<NameAndNumbers> split = nameAndNumbers(value, 2);
        if (!split)
            return refuse(number, "区域は「名称,面積,流出係数」で書いてください。");
        if (!allNumbers(split->numbers))
            return refuse(number, "区域の面積又は流出係数が数値ではありません。");
        input_.areas.push_back({split->name, split->numbers[0], split->numbers[1]});
        return true;
    }

    bool readIntensity(int number, std::string_view value) {
        std::vector<std::string_view> fields = splitCommas(value);
        const std::optional<IntensityForm> form = intensityFormFromName(fields.front());
        if (!form)
            return refuse(number, "降雨強度の式「" + std::string(fields.front()) +
                                      "」は、タルボット、シャーマン、クリーブランド、久野・石黒、"
                                      "直接のどれでもありません。");
        std::size_t expected = 1;
        if (*form != IntensityForm::Direct)
            expected = 1 + (formUsesB(*form) ? 1 : 0) + (formUsesN(*form) ? 1 : 0);
        if (fields.size() != expected + 1)
            return refuse(number,
                          "降雨強度「" + std::string(fields.front()) + "」の定数の数が違います。");
        std::vector<std::string> numbers(fields.begin() + 1, fields.end());
        if (!allNumbers(numbers))
            return refuse(number, "降雨強度の定数が数値ではありません。");
        input_.intensityForm = *form;
        direct_ = *form == IntensityForm::Direct;
        if (direct_) {
            input_.directIntensityText = numbers[0];
            return true;
        }
        std::size_t next = 0;
        input_.constantAText = numbers[next++];
        if (formUsesB(*form))
            input_.constantBText = numbers[next++];
        if (formUsesN(*form))
            input_.constantNText = numbers[next++];
        return true;
    }

    bool readFacility(int number, std::string_view value) {
        const std::size_t comma = value.find(',');
        const std::string_view kindName = value.substr(0, comma);
        const std::optional<RainwaterFacilityKind> kind = rainwaterFacilityFromName(kindName);
        if (!kind || comma == std::string_view::npos)
            return refuse(number, "施設の種類「" + std::string(kindName) +
                                      "」は、VP、VU、FRPM、ヒューム管、円形、矩形、台形の"
                                      "どれでもありません。");
        const std::string_view rest = value.substr(comma + 1);
        input_.facilityKind = *kind;
        if (isCataloguePipe(*kind)) {
            const std::optional<int> position = sizePosition(sewageFacilityKind(*kind), rest);
            if (!position)
                return refuse(number, std::string(kindName) + "の呼び径「" + std::string(rest) +
                                          "」は一覧にありません。");
            input_.sizeListPosition = *position;
            return true;
        }
        const std::size_t count = *kind == RainwaterFacilityKind::OtherCircular ? 1
                                  : *kind == RainwaterFacilityKind::Rectangular ? 2
                                                                                : 3;
        const std::optional<NameAndNumbers> split = nameAndNumbers(rest, count);
        if (!split || !allNumbers(split->numbers))
            return refuse(number,
                          "施設「" + std::string(kindName) + "」の名称と寸法が正しくありません。");
        input_.materialText = split->name;
        const std::vector<std::string>& n = split->numbers;
        switch (*kind) {
        case RainwaterFacilityKind::OtherCircular:
            input_.diameterText = n[0];
            break;
        case RainwaterFacilityKind::Rectangular:
            input_.heightText = n[0];
            input_.widthText = n[1];
            break;
        default:
            input_.widthText = n[0];
            input_.heightText = n[1];
            input_.sideSlopeText = n[2];
            break;
        }
        return true;
    }

    bool readFormula(int number, std::string_view value) {
        if (value == manningName)
            input_.velocityFormula = VelocityFormula::Manning;
        else if (value == kutterName)
            input_.velocityFormula = VelocityFormula::Kutter;
        else
            return refuse(number, "公式は「マニング」か「クッター」です。");
        return true;
    }

    bool readDepth(int number, std::string_view value) {
        const std::string text(value);
        if (!depthTextFits(input_.facilityKind, text))
            return refuse(number, "有効水深「" + text + "」はこの施設の一覧にありません。");
        input_.depthText = text;
        return true;
    }
};

// ---------------------------------------------------------------- writing

using WriteProblem = std::optional<RainwaterDocumentText>;

RainwaterDocumentText problem(std::string message, RainwaterField focus, int row = -1,
                              AreaColumn column = AreaColumn::Area) {
    RainwaterDocumentText refused;
    refused.message = std::move(message);
    refused.focus = focus;
    refused.row = row;
    refused.column = column;
    return refused;
}

// A number field as a document must hold it.
WriteProblem numberProblem(const std::string& text, const std::string& what, RainwaterField focus,
                           int row = -1, AreaColumn column = AreaColumn::Area) {
    if (text.find_first_not_of(' ') == std::string::npos)
        return problem(what + "を入力してください。", focus, row, column);
    if (!rainwaterNumber(text))
        return problem(what + "には数値を入力してください。", focus, row, column);
    return std::nullopt;
}

WriteProblem nameProblem(const std::string& name, const std::string& what, RainwaterField focus,
                         int row = -1, AreaColumn column = AreaColumn::Area) {
    if (hasControlCharacter(name))
        return problem(what + "に改行などの制御文字は使えません。", focus, row, column);
    return std::nullopt;
}

WriteProblem inputProblem(const RainwaterInput& in) {
    if (in.areas.empty())
        return problem("集水区域を１つ以上入力してください。", RainwaterField::AreaTable);
    for (std::size_t i = 0; i < in.areas.size(); ++i) {
        const int row = static_cast<int>(i);
        const std::string prefix = "区域（" + formatNumber(row + 1, "0") + "行目）の";
        const CatchmentArea& area = in.areas[i];
        if (auto p = nameProblem(area.name, prefix + "名称", RainwaterField::AreaTable, row,
                                 AreaColumn::Name))
            return p;
        if (auto p = numberProblem(area.areaText, prefix + "面積", RainwaterField::AreaTable, row,
                                   AreaColumn::Area))
            return p;
        if (auto p = numberProblem(area.runoffText, prefix + "流出係数", RainwaterField::AreaTable,
                                   row, AreaColumn::Runoff))
            return p;
    }
    if (in.intensityForm == IntensityForm::Direct) {
        if (auto p =
                numberProblem(in.directIntensityText, "降雨強度", RainwaterField::DirectIntensity))
            return p;
    } else {
        if (auto p =
                numberProblem(in.constantAText, "降雨強度式の定数 a ", RainwaterField::ConstantA))
            return p;
        if (formUsesB(in.intensityForm)) {
            if (auto p = numberProblem(in.constantBText, "降雨強度式の定数 b ",
                                       RainwaterField::ConstantB))
                return p;
        }
        if (formUsesN(in.intensityForm)) {
            if (auto p = numberProblem(in.constantNText, "降雨強度式の定数 n ",
                                       RainwaterField::ConstantN))
                return p;
        }
        if (auto p = numberProblem(in.inletTimeText, "流入時間", RainwaterField::InletTime))
            return p;
        if (auto p = numberProblem(in.flowLengthText, "流下延長", RainwaterField::FlowLength))
            return p;
    }
    switch (in.facilityKind) {
    case RainwaterFacilityKind::OtherCircular:
        if (auto p = numberProblem(in.diameterText, "直径", RainwaterField::Diameter))
            return p;
        break;
    case RainwaterFacilityKind::Rectangular:
        if (auto p = numberProblem(in.heightText, "施設の高さ", RainwaterField::Height))
            return p;
        if (auto p = numberProblem(in.widthText, "施設の巾", RainwaterField::Width))
            return p;
        break;
    case RainwaterFacilityKind::Trapezoidal:
        if (auto p = numberProblem(in.widthText, "台形の底幅", RainwaterField::Width))
            return p;
        if (auto p = numberProblem(in.heightText, "台形の深さ", RainwaterField::Height))
            return p;
        if (auto p = numberProblem(in.sideSlopeText, "台形の法勾配", RainwaterField::SideSlope))
            return p;
        break;
    default: {
        const auto& sizes = PipeCatalogue::sizes(sewageFacilityKind(in.facilityKind));
        if (in.sizeListPosition < 0 || in.sizeListPosition >= static_cast<int>(sizes.size()))
            return problem("管径を選択してください。", RainwaterField::SizeList);
        break;
    }
    }
    if (!isCataloguePipe(in.facilityKind)) {
        if (auto p = nameProblem(in.materialText, "施設の名称", RainwaterField::Material))
            return p;
    }
    if (auto p = numberProblem(in.gradientText, "施設の勾配", RainwaterField::Gradient))
        return p;
    if (auto p = numberProblem(in.roughnessText, "粗度係数", RainwaterField::Roughness))
        return p;
    if (in.velocityFormula == VelocityFormula::None)
        return problem("流速の計算方法を選択してください。", RainwaterField::Roughness);
    if (!depthTextFits(in.facilityKind, in.depthText))
        return problem("施設の有効水深の割合を選択してください。", RainwaterField::DepthList);
    return std::nullopt;
}

std::string facilityValue(const RainwaterInput& in) {
    std::string value = rainwaterFacilityName(in.facilityKind);
    value += ',';
    switch (in.facilityKind) {
    case RainwaterFacilityKind::OtherCircular:
        return value + in.materialText + ',' + in.diameterText;
    case RainwaterFacilityKind::Rectangular:
        return value + in.materialText + ',' + in.heightText + ',' + in.widthText;
    case RainwaterFacilityKind::Trapezoidal:
        return value + in.materialText + ',' + in.widthText + ',' + in.heightText + ',' +
               in.sideSlopeText;
    default:
        break;
    }
    const auto& sizes = PipeCatalogue::sizes(sewageFacilityKind(in.facilityKind));
    return value + nominalText(sizes[static_cast<std::size_t>(in.sizeListPosition)]);
}

std::string intensityValue(const RainwaterInput& in) {
    std::string value = intensityFormName(in.intensityForm);
    if (in.intensityForm == IntensityForm::Direct)
        return value + ',' + in.directIntensityText;
    value += ',' + in.constantAText;
    if (formUsesB(in.intensityForm))
        value += ',' + in.constantBText;
    if (formUsesN(in.intensityForm))
        value += ',' + in.constantNText;
    return value;
}

} // namespace

RainwaterDocumentRead parseRainwaterDocument(std::string_view text) {
    return Reader().read(text);
}

RainwaterDocumentText rainwaterDocumentText(const RainwaterInput& in) {
    if (WriteProblem refused = inputProblem(in))
        return *refused;
    RainwaterDocumentText document;
    std::string& text = document.text;
    const auto line = [&text](Key key, const std::string& value) {
        text += keyName(key);
        text += '=';
        text += value;
        text += '\n';
    };
    text += rainwaterDocumentHeading;
    text += '\n';
    for (const CatchmentArea& area : in.areas)
        line(Key::Area, area.name + ',' + area.areaText + ',' + area.runoffText);
    line(Key::Intensity, intensityValue(in));
    if (in.intensityForm != IntensityForm::Direct) {
        line(Key::InletTime, in.inletTimeText);
        line(Key::FlowLength, in.flowLengthText);
    }
    line(Key::Facility, facilityValue(in));
    line(Key::Gradient, in.gradientText);
    line(Key::Roughness, in.roughnessText);
    line(Key::Formula,
         std::string(in.velocityFormula == VelocityFormula::Kutter ? kutterName : manningName));
    line(Key::Depth, in.depthText);
    return document;
}

} // namespace tovarin
