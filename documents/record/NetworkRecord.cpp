#include "documents/record/NetworkRecord.h"

#include "documents/record/RainwaterRecord.h"
#include "documents/record/TextDocument.h"
#include "engine/ControlCharacters.h"
#include "engine/NumberText.h"
#include "engine/RainwaterFields.h"

#include <array>

namespace tovarin {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// Every key of a network document.
enum class Key {
    Intensity,
    InletTime,
    PerCapita,
    Groundwater,
    Allowance,
    Section,
    Area,
    Population,
    SewageFlow,
    Facility,
    Gradient,
    Roughness,
    Formula,
    Depth,
    MinimumCover,
    Ground,
    Invert,
    Wall,
};
constexpr std::size_t keyCount = 18;

constexpr std::array<std::string_view, keyCount> keyNames = {
    "降雨強度", "流入時間", "一人一日汚水量", "地下水", "余裕",   "区間",
    "区域",     "人口",     "汚水量",         "施設",   "勾配",   "粗度係数",
    "公式",     "有効水深", "最小土被り",     "地盤高", "管底高", "管厚"};

std::string_view nameOf(Key key) {
    return keyNames[static_cast<std::size_t>(key)];
}

std::optional<Key> keyFromName(std::string_view name) {
    for (std::size_t i = 0; i < keyNames.size(); ++i) {
        if (keyNames[i] == name)
            return static_cast<Key>(i);
    }
    return std::nullopt;
}

struct KeyRule {
    Key key;
    bool required;
    bool repeats;
};

// The keys of the network (before the first 区間) and of a section, in their order.
const std::vector<KeyRule>& networkKeys(NetworkKind kind) {
    static const std::vector<KeyRule> rainwater = {{Key::Intensity, true, false},
                                                   {Key::InletTime, true, false},
                                                   {Key::MinimumCover, false, false}};
    static const std::vector<KeyRule> sewage = {{Key::PerCapita, true, false},
                                                {Key::Groundwater, false, false},
                                                {Key::Allowance, false, false},
                                                {Key::MinimumCover, false, false}};
    return kind == NetworkKind::Rainwater ? rainwater : sewage;
}

const std::vector<KeyRule>& sectionKeys(NetworkKind kind) {
    static const std::vector<KeyRule> rainwater = {
        {Key::Area, false, true},      {Key::Facility, true, false}, {Key::Gradient, true, false},
        {Key::Roughness, true, false}, {Key::Formula, true, false},  {Key::Depth, true, false},
        {Key::Ground, false, false},   {Key::Invert, false, false},  {Key::Wall, false, false}};
    static const std::vector<KeyRule> sewage = {
        {Key::Population, false, false}, {Key::SewageFlow, false, false},
        {Key::Facility, true, false},    {Key::Gradient, true, false},
        {Key::Roughness, true, false},   {Key::Formula, true, false},
        {Key::Depth, true, false},       {Key::Ground, false, false},
        {Key::Invert, false, false},     {Key::Wall, false, false}};
    return kind == NetworkKind::Rainwater ? rainwater : sewage;
}

// The rainwater document's key of the same value.
std::optional<RainwaterKey> rainwaterKeyFor(Key key) {
    switch (key) {
    case Key::Area:
        return RainwaterKey::Area;
    case Key::Intensity:
        return RainwaterKey::Intensity;
    case Key::InletTime:
        return RainwaterKey::InletTime;
    case Key::Facility:
        return RainwaterKey::Facility;
    case Key::Gradient:
        return RainwaterKey::Gradient;
    case Key::Roughness:
        return RainwaterKey::Roughness;
    case Key::Formula:
        return RainwaterKey::Formula;
    case Key::Depth:
        return RainwaterKey::Depth;
    default:
        return std::nullopt;
    }
}

Key keyOfRainwater(RainwaterKey key) {
    switch (key) {
    case RainwaterKey::Area:
        return Key::Area;
    case RainwaterKey::Intensity:
        return Key::Intensity;
    case RainwaterKey::InletTime:
    case RainwaterKey::FlowLength:
        return Key::InletTime;
    case RainwaterKey::Facility:
        return Key::Facility;
    case RainwaterKey::Gradient:
        return Key::Gradient;
    case RainwaterKey::Roughness:
        return Key::Roughness;
    case RainwaterKey::Formula:
        return Key::Formula;
    case RainwaterKey::Depth:
        return Key::Depth;
    }
    return Key::Facility;
}

std::string& textOf(Key key, NetworkInput& in, NetworkSection* section) {
    switch (key) {
    case Key::PerCapita:
        return in.perCapitaText;
    case Key::Groundwater:
        return in.groundwaterText;
    case Key::Allowance:
        return in.allowanceText;
    case Key::Population:
        return section->populationText;
    case Key::MinimumCover:
        return in.minimumCoverText;
    case Key::Invert:
        return section->invertText;
    case Key::Wall:
        return section->wallText;
    default:
        return section->sewageFlowText;
    }
}

std::string textValue(Key key, const NetworkInput& in, const NetworkSection* section) {
    return textOf(key, const_cast<NetworkInput&>(in), const_cast<NetworkSection*>(section));
}

std::string quoted(std::string_view name) {
    return "「" + std::string(name) + "」";
}

// ---------------------------------------------------------------- reading

class Reader {
public:
    NetworkDocumentRead read(std::string_view text) {
        if (text.substr(0, byteOrderMark.size()) == byteOrderMark)
            text.remove_prefix(byteOrderMark.size());
        int number = 0;
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            const bool last = end == std::string_view::npos;
            if (last)
                end = text.size();
            std::string_view line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            ++number;
            if (number == 1) {
                if (!readHeading(line))
                    return result_;
            } else if (!line.empty() && !readLine(number, line)) {
                return result_;
            }
            if (last)
                break;
            start = end + 1;
        }
        if (!finish(number))
            return result_;
        result_.input = std::move(input_);
        result_.lines = std::move(lines_);
        return result_;
    }

private:
    NetworkInput input_;
    NetworkLines lines_;
    NetworkDocumentRead result_;
    int stage_ = -1; // position of the last key read in the current list of keys

    bool refuse(int line, const std::string& why) {
        result_.input.reset();
        result_.message = formatNumber(line, "0") + "行目：" + why;
        return false;
    }

    bool inSection() const { return !input_.sections.empty(); }
    const std::vector<KeyRule>& keys() const {
        return inSection() ? sectionKeys(input_.kind) : networkKeys(input_.kind);
    }
    bool direct() const { return input_.intensity.intensityForm == IntensityForm::Direct; }

    bool required(const KeyRule& rule) const {
        if (rule.key == Key::InletTime)
            return !direct();
        return rule.required;
    }

    // The first required key of the current list between the last one read and
    // position `before` (not included), which a document must not skip.
    std::optional<Key> skipped(std::size_t before) const {
        const std::vector<KeyRule>& list = keys();
        for (std::size_t k = static_cast<std::size_t>(stage_ + 1); k < before && k < list.size();
             ++k) {
            if (required(list[k]))
                return list[k].key;
        }
        return std::nullopt;
    }

    bool refuseSkipped(int number, std::size_t before) {
        if (const std::optional<Key> missing = skipped(before))
            return refuse(number, quoted(nameOf(*missing)) + "の行がありません。");
        return true;
    }

    bool readHeading(std::string_view line) {
        if (line == rainwaterNetworkHeading) {
            input_.kind = NetworkKind::Rainwater;
            return true;
        }
        if (line == sewageNetworkHeading) {
            input_.kind = NetworkKind::Sewage;
            return true;
        }
        return refuse(
            1, "Tovarinの系統の計算書データではありません"
               "（1行目が「Tovarin 雨水系統 1」又は「Tovarin 汚水系統 1」ではありません）。");
    }

    bool finish(int number) {
        if (!refuseSkipped(number, keys().size()))
            return false;
        if (!inSection())
            return refuse(number, "「区間」の行がありません。");
        if (!namesFit())
            return false;
        const NetworkStructure structure = networkStructure(input_);
        if (structure.refusal)
            return refuse(networkRefusalLine(lines_, *structure.refusal),
                          structure.refusal->message);
        return true;
    }

    // A typed name must not hold a control character (the sheets and the file could
    // not show it as typed).
    bool namesFit() {
        for (std::size_t i = 0; i < input_.sections.size(); ++i) {
            const NetworkSection& section = input_.sections[i];
            for (const RainwaterFieldEntry& entry : rainwaterFields(section.facility)) {
                if (entry.rule != FieldRule::Name || !hasControlCharacter(entry.text))
                    continue;
                NetworkRefusal refused;
                refused.what = NetworkField::SectionField;
                refused.section = i;
                refused.field = entry.field;
                refused.row = entry.row;
                return refuse(networkRefusalLine(lines_, refused),
                              "区間「" + section.name + "」：" + entry.what +
                                  "に改行などの制御文字は使えません。");
            }
        }
        return true;
    }

    bool readLine(int number, std::string_view line) {
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return refuse(number, "「項目=値」の形ではありません。");
        const std::string_view name = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        const std::optional<Key> key = keyFromName(name);
        if (!key)
            return refuse(number, "不明な項目" + quoted(name) + "です。");
        if (*key == Key::Section)
            return readSection(number, value);
        return readKey(number, *key, value);
    }

    std::optional<std::size_t> positionOf(const std::vector<KeyRule>& list, Key key) const {
        for (std::size_t k = 0; k < list.size(); ++k) {
            if (list[k].key == key)
                return k;
        }
        return std::nullopt;
    }

    bool refuseMisplaced(int number, Key key) {
        const NetworkKind kind = input_.kind;
        const bool ofNetwork = positionOf(networkKeys(kind), key).has_value();
        const bool ofSection = positionOf(sectionKeys(kind), key).has_value();
        const std::string name = quoted(nameOf(key));
        if (!ofNetwork && !ofSection)
            return refuse(number, name + "は" + (kind == NetworkKind::Rainwater ? "雨水" : "汚水") +
                                      "の系統の項目ではありません。");
        if (ofNetwork)
            return refuse(number, name + "は最初の「区間」の行より前に書いてください。");
        return refuse(number, name + "の前に「区間」の行がありません。");
    }

    bool readKey(int number, Key key, std::string_view value) {
        const std::vector<KeyRule>& list = keys();
        const std::optional<std::size_t> position = positionOf(list, key);
        if (!position)
            return refuseMisplaced(number, key);
        const int index = static_cast<int>(*position);
        const bool repeat = list[*position].repeats && stage_ == index;
        if (index <= stage_ && !repeat)
            return refuse(number, quoted(nameOf(key)) + "がこの位置にあります（項目の順序が違うか、"
                                                        "同じ項目が２つあります）。");
        if (!refuseSkipped(number, *position))
            return false;
        if (key == Key::InletTime && direct())
            return refuse(number, "降雨強度が「直接」のときは「流入時間」の行は置けません。");
        stage_ = index;
        if (const std::optional<std::string> problem = readValue(key, value))
            return refuse(number, *problem);
        if (inSection()) {
            NetworkLines::Section& lines = lines_.sections.back();
            lines.keys[static_cast<std::size_t>(key)] = number;
            if (key == Key::Area)
                lines.areas.push_back(number);
        } else {
            lines_.network[static_cast<std::size_t>(key)] = number;
        }
        return true;
    }

    std::optional<std::string> readValue(Key key, std::string_view value) {
        NetworkSection* section = inSection() ? &input_.sections.back() : nullptr;
        if (const std::optional<RainwaterKey> rainwater = rainwaterKeyFor(key)) {
            RainwaterInput& into = section ? section->facility : input_.intensity;
            if (std::optional<std::string> problem = readRainwaterValue(*rainwater, value, into))
                return problem;
            if (key == Key::Facility && input_.kind == NetworkKind::Sewage &&
                into.facilityKind == RainwaterFacilityKind::Trapezoidal)
                return "汚水の系統には台形の施設は使えません。";
            return std::nullopt;
        }
        if (key == Key::Ground) {
            const std::vector<std::string_view> levels = splitCommas(value);
            if (levels.size() != 2 || !rainwaterNumber(levels[0]) || !rainwaterNumber(levels[1]))
                return "地盤高は「上流,下流」の２つの数値で書いてください。";
            section->groundUpperText = std::string(levels[0]);
            section->groundLowerText = std::string(levels[1]);
            return std::nullopt;
        }
        if (!rainwaterNumber(value))
            return std::string(nameOf(key)) + "が数値ではありません。";
        textOf(key, input_, section) = std::string(value);
        return std::nullopt;
    }

    bool readSection(int number, std::string_view value) {
        if (!refuseSkipped(number, keys().size()))
            return false;
        if (input_.sections.size() >= maximumNetworkSections)
            return refuse(number,
                          "区間が多すぎます（一つの系統は" +
                              formatNumber(static_cast<double>(maximumNetworkSections), "0") +
                              "区間までです）。");
        const std::vector<std::string_view> fields = splitCommas(value);
        if (fields.size() != 4)
            return refuse(number, "区間は「名称,上流の人孔,下流の人孔,延長」で書いてください。");
        const char* what[] = {"区間の名称", "上流の人孔の名称", "下流の人孔の名称"};
        for (std::size_t i = 0; i < 3; ++i) {
            if (fields[i].find_first_not_of(' ') == std::string_view::npos)
                return refuse(number, std::string(what[i]) + "がありません。");
            if (hasControlCharacter(fields[i]))
                return refuse(number, std::string(what[i]) + "に制御文字は使えません。");
        }
        if (!rainwaterNumber(fields[3]))
            return refuse(number, "区間の延長が数値ではありません。");
        NetworkSection section;
        section.name = std::string(fields[0]);
        section.upper = std::string(fields[1]);
        section.lower = std::string(fields[2]);
        section.lengthText = std::string(fields[3]);
        input_.sections.push_back(std::move(section));
        NetworkLines::Section lines;
        lines.line = number;
        lines.keys.assign(keyCount, 0);
        lines_.sections.push_back(std::move(lines));
        stage_ = -1;
        return true;
    }

public:
    Reader() { lines_.network.assign(keyCount, 0); }
};

// ---------------------------------------------------------------- writing

void writeLine(std::string& text, Key key, const std::string& value) {
    text += nameOf(key);
    text += '=';
    text += value;
    text += '\n';
}

void writeKeys(std::string& text, const std::vector<KeyRule>& keys, const NetworkInput& in,
               const NetworkSection* section) {
    for (const KeyRule& rule : keys) {
        if (const std::optional<RainwaterKey> rainwater = rainwaterKeyFor(rule.key)) {
            const RainwaterInput& from = section ? section->facility : in.intensity;
            for (const std::string& value : rainwaterValues(*rainwater, from))
                writeLine(text, rule.key, value);
            continue;
        }
        if (rule.key == Key::Ground) {
            if (!section->groundUpperText.empty() || !section->groundLowerText.empty())
                writeLine(text, rule.key,
                          section->groundUpperText + ',' + section->groundLowerText);
            continue;
        }
        const std::string value = textValue(rule.key, in, section);
        if (!value.empty() || rule.required)
            writeLine(text, rule.key, value);
    }
}

} // namespace

NetworkDocumentRead parseNetworkDocument(std::string_view text) {
    return Reader().read(text);
}

int networkRefusalLine(const NetworkLines& lines, const NetworkRefusal& refusal) {
    const auto at = [](const std::vector<int>& keyLines, Key key) {
        const std::size_t index = static_cast<std::size_t>(key);
        return index < keyLines.size() ? keyLines[index] : 0;
    };
    int line = 0;
    if (!refusal.section) {
        switch (refusal.what) {
        case NetworkField::Intensity:
            line = at(lines.network, Key::Intensity);
            break;
        case NetworkField::InletTime:
            line = at(lines.network, Key::InletTime);
            break;
        case NetworkField::PerCapita:
            line = at(lines.network, Key::PerCapita);
            break;
        case NetworkField::Groundwater:
            line = at(lines.network, Key::Groundwater);
            break;
        case NetworkField::Allowance:
            line = at(lines.network, Key::Allowance);
            break;
        case NetworkField::MinimumCover:
            line = at(lines.network, Key::MinimumCover);
            break;
        default:
            break;
        }
        return line > 0 ? line : 1;
    }
    if (*refusal.section >= lines.sections.size())
        return 1;
    const NetworkLines::Section& section = lines.sections[*refusal.section];
    switch (refusal.what) {
    case NetworkField::Population:
        line = at(section.keys, Key::Population);
        break;
    case NetworkField::SewageFlow:
        line = at(section.keys, Key::SewageFlow);
        break;
    case NetworkField::Ground:
        line = at(section.keys, Key::Ground);
        break;
    case NetworkField::Invert:
        line = at(section.keys, Key::Invert);
        break;
    case NetworkField::Wall:
        line = at(section.keys, Key::Wall);
        break;
    case NetworkField::SectionField:
        if (refusal.field == RainwaterField::AreaTable && refusal.row >= 0 &&
            refusal.row < static_cast<int>(section.areas.size()))
            line = section.areas[static_cast<std::size_t>(refusal.row)];
        else
            line = at(section.keys, keyOfRainwater(rainwaterKeyOf(refusal.field)));
        break;
    default:
        break;
    }
    return line > 0 ? line : section.line;
}

NetworkDocumentText networkDocumentText(const NetworkInput& in) {
    NetworkDocumentText document;
    std::string text(in.kind == NetworkKind::Rainwater ? rainwaterNetworkHeading
                                                       : sewageNetworkHeading);
    text += '\n';
    writeKeys(text, networkKeys(in.kind), in, nullptr);
    for (const NetworkSection& section : in.sections) {
        writeLine(text, Key::Section,
                  section.name + ',' + section.upper + ',' + section.lower + ',' +
                      section.lengthText);
        writeKeys(text, sectionKeys(in.kind), in, &section);
    }
    // Read back: what the text would not give again is refused, with the reader's reason.
    const NetworkDocumentRead reread = parseNetworkDocument(text);
    if (!reread.input) {
        document.message = reread.message;
        return document;
    }
    if (!(*reread.input == in)) {
        document.message = "入力内容をそのままファイルに書き込めません"
                           "（名称のカンマなど、読み直すと変わる値があります）。";
        return document;
    }
    document.text = std::move(text);
    return document;
}

} // namespace tovarin
