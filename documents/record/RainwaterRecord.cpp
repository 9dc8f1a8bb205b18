#include "documents/record/RainwaterRecord.h"

#include "documents/record/SheetNames.h"
#include "documents/record/TextDocument.h"
#include "engine/Catalogue.h"
#include "engine/ControlCharacters.h"
#include "engine/NumberText.h"
#include "engine/RainwaterFields.h"

#include <array>

namespace tovarin {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

constexpr std::array<std::string_view, 9> keyNames = {
    "区域", "降雨強度", "流入時間", "流下延長", "施設", "勾配", "粗度係数", "公式", "有効水深"};

constexpr std::string_view manningName = "マニング";
constexpr std::string_view kutterName = "クッター";

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

// A number, or nothing: a field left empty in a job saved half done.
bool numberOrEmpty(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos || rainwaterNumber(text);
}

bool allNumbers(const std::vector<std::string>& texts) {
    for (const std::string& text : texts) {
        if (!numberOrEmpty(text))
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

// ---------------------------------------------------------------- reading one value

using Problem = std::optional<std::string>;

Problem readNumberText(std::string_view value, const char* what, std::string& into) {
    if (!numberOrEmpty(value))
        return std::string(what) + "が数値ではありません。";
    into = std::string(value);
    return std::nullopt;
}

Problem readArea(std::string_view value, RainwaterInput& in) {
    const std::optional<NameAndNumbers> split = nameAndNumbers(value, 2);
    if (!split)
        return "区域は「名称,面積,流出係数」で書いてください。";
    if (!allNumbers(split->numbers))
        return "区域の面積又は流出係数が数値ではありません。";
    in.areas.push_back({split->name, split->numbers[0], split->numbers[1]});
    return std::nullopt;
}

Problem readIntensity(std::string_view value, RainwaterInput& in) {
    std::vector<std::string_view> fields = splitCommas(value);
    const std::optional<IntensityForm> form = intensityFormFromName(fields.front());
    if (!form)
        return "降雨強度の式「" + messagePiece(fields.front()) +
               "」は、タルボット、シャーマン、クリーブランド、久野・石黒、直接のどれでもありません"
               "。";
    std::size_t expected = 1;
    if (*form != IntensityForm::Direct)
        expected = 1 + (formUsesB(*form) ? 1 : 0) + (formUsesN(*form) ? 1 : 0);
    if (fields.size() != expected + 1)
        return "降雨強度「" + messagePiece(fields.front()) + "」の定数の数が違います。";
    std::vector<std::string> numbers(fields.begin() + 1, fields.end());
    if (!allNumbers(numbers))
        return "降雨強度の定数が数値ではありません。";
    in.intensityForm = *form;
    if (*form == IntensityForm::Direct) {
        in.directIntensityText = numbers[0];
        return std::nullopt;
    }
    std::size_t next = 0;
    in.constantAText = numbers[next++];
    if (formUsesB(*form))
        in.constantBText = numbers[next++];
    if (formUsesN(*form))
        in.constantNText = numbers[next++];
    return std::nullopt;
}

std::size_t dimensionCount(RainwaterFacilityKind kind) {
    if (kind == RainwaterFacilityKind::OtherCircular)
        return 1;
    return kind == RainwaterFacilityKind::Rectangular ? 2 : 3;
}

Problem readFacility(std::string_view value, RainwaterInput& in) {
    const std::size_t comma = value.find(',');
    const std::string_view kindName = value.substr(0, comma);
    const std::optional<RainwaterFacilityKind> kind = rainwaterFacilityFromName(kindName);
    if (!kind || comma == std::string_view::npos)
        return "施設の種類「" + messagePiece(kindName) +
               "」は、VP、VU、FRPM、ヒューム管、円形、矩形、台形のどれでもありません。";
    const std::string_view rest = value.substr(comma + 1);
    in.facilityKind = *kind;
    if (isCataloguePipe(*kind)) {
        // No size chosen yet: nothing after the kind.
        if (rest.empty()) {
            in.sizeListPosition = -1;
            return std::nullopt;
        }
        const std::optional<int> position = sizePosition(sewageFacilityKind(*kind), rest);
        if (!position)
            return std::string(kindName) + "の呼び径「" + messagePiece(rest) +
                   "」は一覧にありません。";
        in.sizeListPosition = *position;
        return std::nullopt;
    }
    const std::optional<NameAndNumbers> split = nameAndNumbers(rest, dimensionCount(*kind));
    if (!split || !allNumbers(split->numbers))
        return "施設「" + std::string(kindName) + "」の名称と寸法が正しくありません。";
    in.materialText = split->name;
    const std::vector<std::string>& n = split->numbers;
    switch (*kind) {
    case RainwaterFacilityKind::OtherCircular:
        in.diameterText = n[0];
        break;
    case RainwaterFacilityKind::Rectangular:
        in.heightText = n[0];
        in.widthText = n[1];
        break;
    default:
        in.widthText = n[0];
        in.heightText = n[1];
        in.sideSlopeText = n[2];
        break;
    }
    return std::nullopt;
}

Problem readFormula(std::string_view value, RainwaterInput& in) {
    if (value == manningName)
        in.velocityFormula = VelocityFormula::Manning;
    else if (value == kutterName)
        in.velocityFormula = VelocityFormula::Kutter;
    else if (value.empty())
        in.velocityFormula = VelocityFormula::None;
    else
        return "公式は「マニング」か「クッター」です。";
    return std::nullopt;
}

Problem readDepth(std::string_view value, RainwaterInput& in) {
    if (!value.empty() && !depthPosition(in.facilityKind, value))
        return "有効水深「" + messagePiece(value) + "」はこの施設の一覧にありません。";
    in.depthText = std::string(value);
    return std::nullopt;
}

// ---------------------------------------------------------------- writing one value

std::string areaValue(const CatchmentArea& area) {
    return area.name + ',' + area.areaText + ',' + area.runoffText;
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
    if (in.sizeListPosition < 0 || in.sizeListPosition >= static_cast<int>(sizes.size()))
        return value;
    return value + nominalText(sizes[static_cast<std::size_t>(in.sizeListPosition)]);
}

// ---------------------------------------------------------------- the whole document

class Reader {
public:
    RainwaterDocumentRead read(std::string_view text) {
        if (text.substr(0, byteOrderMark.size()) == byteOrderMark)
            text.remove_prefix(byteOrderMark.size());
        int lineNumber = 0;
        for (const std::string_view line : textLines(text)) {
            ++lineNumber;
            if (lineNumber == 1) {
                if (line != rainwaterDocumentHeading)
                    return fail(lineNumber, firstLineProblem(text));
            } else if (!isUtf8(line)) {
                return fail(lineNumber, utf8Hint(HeadingEncoding::None));
            } else if (!line.empty()) {
                if (!readLine(lineNumber, line))
                    return result_;
            }
        }
        // The keys still to come after the last line.
        if (const std::optional<RainwaterKey> missing = nextRequired(RainwaterKey::Depth, true))
            return fail(lineNumber,
                        "「" + std::string(rainwaterKeyName(*missing)) + "」の行がありません。");
        // What saving would refuse, on the line that holds it.
        if (const std::optional<RainwaterRefusal> refused = savingRefusal(input_))
            return fail(lineOf(*refused), refused->message);
        if (const std::optional<RainwaterRefusal> refused = rainwaterNameRefusal(input_))
            return fail(lineOf(*refused), refused->message);
        result_.input = input_;
        return result_;
    }

private:
    RainwaterInput input_;
    RainwaterDocumentRead result_;
    int stage_ = -1; // index of the last key read
    bool direct_ = false;
    std::array<int, keyNames.size()> keyLines_{}; // the line of each key read
    std::vector<int> areaLines_;                  // the line of each area

    // Why the first line is not the heading, with a hint when the heading is there in
    // another encoding than UTF-8.
    static std::string firstLineProblem(std::string_view text) {
        std::string why = "Tovarinの雨水の計算書データではありません"
                          "（1行目が「Tovarin 雨水 1」ではありません）。";
        const HeadingEncoding found = headingEncoding(text, rainwaterDocumentHeading);
        if (found == HeadingEncoding::Cp932 || found == HeadingEncoding::Utf16)
            why += utf8Hint(found);
        return why;
    }

    RainwaterDocumentRead fail(int line, const std::string& why) {
        result_.input.reset();
        result_.message = formatNumber(line, "0") + "行目：" + why;
        return result_;
    }

    bool refuse(int line, const std::string& why) {
        fail(line, why);
        return false;
    }

    int lineOf(const RainwaterRefusal& refused) const {
        if (refused.field == RainwaterField::AreaTable && refused.row >= 0 &&
            refused.row < static_cast<int>(areaLines_.size()))
            return areaLines_[static_cast<std::size_t>(refused.row)];
        return keyLines_[static_cast<std::size_t>(rainwaterKeyOf(refused.field))];
    }

    bool required(RainwaterKey key) const {
        // A job saved before its first area has none.
        if (key == RainwaterKey::Area)
            return false;
        if (key == RainwaterKey::InletTime || key == RainwaterKey::FlowLength)
            return !direct_;
        return true;
    }

    // The first required key after the last one read and before `key` (up to and
    // including `key` when `including`), which a document must not skip.
    std::optional<RainwaterKey> nextRequired(RainwaterKey key, bool including) const {
        const int limit = static_cast<int>(key) + (including ? 1 : 0);
        for (int k = stage_ + 1; k < limit; ++k) {
            if (required(static_cast<RainwaterKey>(k)))
                return static_cast<RainwaterKey>(k);
        }
        return std::nullopt;
    }

    bool readLine(int number, std::string_view line) {
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return refuse(number, "「項目=値」の形ではありません。");
        const std::string_view name = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        const std::optional<RainwaterKey> key = rainwaterKeyFromName(name);
        if (!key)
            return refuse(number, "不明な項目「" + messagePiece(name) + "」です。");
        const int index = static_cast<int>(*key);
        const bool repeatArea = *key == RainwaterKey::Area && stage_ == index;
        if (index <= stage_ && !repeatArea)
            return refuse(number, "「" + std::string(name) +
                                      "」がこの位置にあります（"
                                      "項目の順序が違うか、同じ項目が２つあります）。");
        if (!repeatArea) {
            if (const std::optional<RainwaterKey> missing = nextRequired(*key, false))
                return refuse(number, "「" + std::string(rainwaterKeyName(*missing)) +
                                          "」の行がありません。");
        }
        if (direct_ && (*key == RainwaterKey::InletTime || *key == RainwaterKey::FlowLength))
            return refuse(number, "降雨強度が「直接」のときは「" + std::string(name) +
                                      "」の行は置けません。");
        stage_ = index;
        if (const Problem problem = readRainwaterValue(*key, value, input_))
            return refuse(number, *problem);
        keyLines_[static_cast<std::size_t>(index)] = number;
        if (*key == RainwaterKey::Area)
            areaLines_.push_back(number);
        direct_ = input_.intensityForm == IntensityForm::Direct;
        return true;
    }
};

} // namespace

std::string_view rainwaterKeyName(RainwaterKey key) {
    return keyNames[static_cast<std::size_t>(key)];
}

std::optional<RainwaterKey> rainwaterKeyFromName(std::string_view name) {
    for (std::size_t i = 0; i < keyNames.size(); ++i) {
        if (keyNames[i] == name)
            return static_cast<RainwaterKey>(i);
    }
    return std::nullopt;
}

RainwaterKey rainwaterKeyOf(RainwaterField field) {
    switch (field) {
    case RainwaterField::AreaTable:
        return RainwaterKey::Area;
    case RainwaterField::ConstantA:
    case RainwaterField::ConstantB:
    case RainwaterField::ConstantN:
    case RainwaterField::DirectIntensity:
        return RainwaterKey::Intensity;
    case RainwaterField::InletTime:
        return RainwaterKey::InletTime;
    case RainwaterField::FlowLength:
        return RainwaterKey::FlowLength;
    case RainwaterField::SizeList:
    case RainwaterField::Material:
    case RainwaterField::Diameter:
    case RainwaterField::Height:
    case RainwaterField::Width:
    case RainwaterField::SideSlope:
        return RainwaterKey::Facility;
    case RainwaterField::Gradient:
        return RainwaterKey::Gradient;
    case RainwaterField::Roughness:
        return RainwaterKey::Roughness;
    case RainwaterField::DepthList:
        return RainwaterKey::Depth;
    }
    return RainwaterKey::Area;
}

std::optional<std::string> readRainwaterValue(RainwaterKey key, std::string_view value,
                                              RainwaterInput& input) {
    switch (key) {
    case RainwaterKey::Area:
        return readArea(value, input);
    case RainwaterKey::Intensity:
        return readIntensity(value, input);
    case RainwaterKey::InletTime:
        return readNumberText(value, "流入時間", input.inletTimeText);
    case RainwaterKey::FlowLength:
        return readNumberText(value, "流下延長", input.flowLengthText);
    case RainwaterKey::Facility:
        return readFacility(value, input);
    case RainwaterKey::Gradient:
        return readNumberText(value, "勾配", input.gradientText);
    case RainwaterKey::Roughness:
        return readNumberText(value, "粗度係数", input.roughnessText);
    case RainwaterKey::Formula:
        return readFormula(value, input);
    case RainwaterKey::Depth:
        return readDepth(value, input);
    }
    return std::nullopt;
}

std::vector<std::string> rainwaterValues(RainwaterKey key, const RainwaterInput& in) {
    const bool direct = in.intensityForm == IntensityForm::Direct;
    switch (key) {
    case RainwaterKey::Area: {
        std::vector<std::string> values;
        for (const CatchmentArea& area : in.areas)
            values.push_back(areaValue(area));
        return values;
    }
    case RainwaterKey::Intensity:
        return {intensityValue(in)};
    case RainwaterKey::InletTime:
        return direct ? std::vector<std::string>{} : std::vector<std::string>{in.inletTimeText};
    case RainwaterKey::FlowLength:
        return direct ? std::vector<std::string>{} : std::vector<std::string>{in.flowLengthText};
    case RainwaterKey::Facility:
        return {facilityValue(in)};
    case RainwaterKey::Gradient:
        return {in.gradientText};
    case RainwaterKey::Roughness:
        return {in.roughnessText};
    case RainwaterKey::Formula:
        if (in.velocityFormula == VelocityFormula::None)
            return {std::string()};
        return {
            std::string(in.velocityFormula == VelocityFormula::Kutter ? kutterName : manningName)};
    case RainwaterKey::Depth:
        return {in.depthText};
    }
    return {};
}

RainwaterDocumentRead parseRainwaterDocument(std::string_view text) {
    return Reader().read(text);
}

RainwaterDocumentText rainwaterDocumentText(const RainwaterInput& in) {
    RainwaterDocumentText document;
    if ((document.refusal = savingRefusal(in)) || (document.refusal = rainwaterNameRefusal(in)))
        return document;
    std::string& text = document.text;
    text += rainwaterDocumentHeading;
    text += '\n';
    for (std::size_t k = 0; k < keyNames.size(); ++k) {
        const auto key = static_cast<RainwaterKey>(k);
        for (const std::string& value : rainwaterValues(key, in)) {
            text += rainwaterKeyName(key);
            text += '=';
            text += value;
            text += '\n';
        }
    }
    return document;
}

} // namespace tovarin
