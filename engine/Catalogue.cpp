#include "engine/Catalogue.h"

#include "engine/Units.h"

#include <array>

namespace tovarin {

namespace {

// "65" -> "６５": ASCII digits to full-width digits (U+FF10..U+FF19).
std::string fullWidthDigits(int number) {
    const std::string ascii = std::to_string(number);
    std::string wide;
    for (char c : ascii) {
        wide += "\xEF\xBC";
        wide.push_back(static_cast<char>(0x90 + (c - '0')));
    }
    return wide;
}

struct SizeRow {
    int nominal;
    double diameter; // m
};

// Display text "<prefix>－φ<full-width nominal>", label "<labelPrefix><nominal>".
std::vector<PipeSize> makeSizes(const char* displayPrefix, const char* labelPrefix,
                                std::initializer_list<SizeRow> rows) {
    std::vector<PipeSize> sizes;
    for (const SizeRow& row : rows) {
        sizes.push_back({std::string(displayPrefix) + "－φ" + fullWidthDigits(row.nominal),
                         std::string(labelPrefix) + std::to_string(row.nominal), row.diameter});
    }
    return sizes;
}

// FRPM and Hume pipes are calculated with the nominal diameter itself.
std::vector<PipeSize> makeNominalSizes(const char* displayPrefix, const char* labelPrefix,
                                       std::initializer_list<int> nominals) {
    std::vector<PipeSize> sizes;
    for (int nominal : nominals) {
        sizes.push_back({std::string(displayPrefix) + "－φ" + fullWidthDigits(nominal),
                         std::string(labelPrefix) + std::to_string(nominal),
                         nominal / millimetresPerMetre});
    }
    return sizes;
}

const std::vector<PipeSize>& vpSizes() {
    static const std::vector<PipeSize> sizes = makeSizes("ＶＰ", "VP - φ",
                                                         {{65, 0.0678},
                                                          {75, 0.078},
                                                          {100, 0.1008},
                                                          {125, 0.126},
                                                          {150, 0.1472},
                                                          {200, 0.1954},
                                                          {250, 0.2416},
                                                          {300, 0.2878}});
    return sizes;
}

const std::vector<PipeSize>& vuSizes() {
    static const std::vector<PipeSize> sizes = makeSizes("ＶＵ", "VU - φ",
                                                         {{65, 0.0716},
                                                          {75, 0.0836},
                                                          {100, 0.1078},
                                                          {125, 0.1318},
                                                          {150, 0.1548},
                                                          {200, 0.203},
                                                          {250, 0.2514},
                                                          {300, 0.2996},
                                                          {350, 0.349},
                                                          {400, 0.3964},
                                                          {450, 0.4436},
                                                          {500, 0.4908},
                                                          {600, 0.5944}});
    return sizes;
}

const std::vector<PipeSize>& frpmSizes() {
    static const std::vector<PipeSize> sizes =
        makeNominalSizes("ＦＲＰＭ管", "強化プラスチック複合管 φ",
                         {200, 250, 300, 350, 400, 450, 500, 600, 700, 800, 900, 1000, 1100, 1200,
                          1350, 1500, 1650, 1800, 2000});
    return sizes;
}

const std::vector<PipeSize>& humeSizes() {
    static const std::vector<PipeSize> sizes = makeNominalSizes(
        "ヒューム管", "ﾋｭｰﾑ管 φ",
        {150,  200,  250,  300,  350,  400,  450,  500,  600,  700,  800,  900, 1000,
         1100, 1200, 1350, 1500, 1650, 1800, 2000, 2200, 2400, 2600, 2800, 3000});
    return sizes;
}

// Depth codes by list position; 0 marks a blank separator line.
constexpr std::array<double, 15> circularCodes = {10, 0,  9.5, 9,  8.5, 8,  7.5, 7,
                                                  0,  95, 90,  85, 80,  75, 70};
constexpr std::array<double, 7> rectangularCodes = {10, 9.5, 9, 8.5, 8, 7.5, 7};

constexpr std::array<double, 13> marginValues = {100, 90, 80, 70, 60, 50, 40,
                                                 30,  25, 20, 15, 10, 5};

} // namespace

namespace PipeCatalogue {

const std::vector<FacilityKindInfo>& kinds() {
    static const std::vector<FacilityKindInfo> list = {
        {"排水管  ＶＰ管", "ＶＰ管", "0.010"},
        {"        ＶＵ管", "ＶＵ管", "0.010"},
        {"        強化プラスチック複合管", "強化プラスチック複合管", "0.010"},
        {"        ヒューム管", "ヒューム管", "0.013"},
        {"        その他円形管", "円　形　管", ""},
        {"        矩形管", "矩　形　管", ""},
    };
    return list;
}

const FacilityKindInfo& kind(FacilityKind k) {
    return kinds().at(static_cast<std::size_t>(static_cast<int>(k)));
}

const std::vector<PipeSize>& sizes(FacilityKind k) {
    static const std::vector<PipeSize> none;
    switch (k) {
    case FacilityKind::VP:
        return vpSizes();
    case FacilityKind::VU:
        return vuSizes();
    case FacilityKind::FRPM:
        return frpmSizes();
    case FacilityKind::Hume:
        return humeSizes();
    default:
        return none;
    }
}

} // namespace PipeCatalogue

namespace DepthRatioTable {

namespace {

// The texts of a list whose positions hold the codes (0 for a blank line).
template <std::size_t size>
std::vector<std::string> listTexts(const std::array<double, size>& codes) {
    std::vector<std::string> texts;
    for (const double code : codes) {
        const DepthRow* row = find(code);
        texts.emplace_back(row ? row->listText : "");
    }
    return texts;
}

} // namespace

const std::vector<std::string>& circularTexts() {
    static const std::vector<std::string> texts = listTexts(circularCodes);
    return texts;
}

const std::vector<std::string>& rectangularTexts() {
    static const std::vector<std::string> texts = listTexts(rectangularCodes);
    return texts;
}

std::optional<double> circularCode(int position) {
    if (position < 0 || position >= static_cast<int>(circularCodes.size()))
        return std::nullopt;
    const double code = circularCodes[static_cast<std::size_t>(position)];
    if (code == 0)
        return std::nullopt;
    return code;
}

std::optional<double> rectangularCode(int position) {
    if (position < 0 || position >= static_cast<int>(rectangularCodes.size()))
        return std::nullopt;
    return rectangularCodes[static_cast<std::size_t>(position)];
}

const std::vector<DepthRow>& rows() {
    // clang-format off
    static const std::vector<DepthRow> table = {
        {10,  "満流",       "満流",        0.7853, 3.1415},
        {9.5, "水深９.5割", "水深９.５割", 0.7707, 2.6905},
        {9,   "水深９割",   "水深９割",    0.7445, 2.4980},
        {8.5, "水深８.5割", "水深８.５割", 0.7115, 2.3461},
        {8,   "水深８割",   "水深８割",    0.6735, 2.2142},
        {7.5, "水深７.5割", "水深７.５割", 0.6318, 2.0943},
        {7,   "水深７割",   "水深７割",    0.5872, 1.9823},
        {95,  "水量９５％", "水量９５％",  0.7461, 2.4980},
        {90,  "水量９０％", "水量９０％",  0.7068, 2.3282},
        {85,  "水量８５％", "水量８５％",  0.6675, 2.1958},
        {80,  "水量８０％", "水量８０％",  0.6283, 2.0858},
        {75,  "水量７５％", "水量７５％",  0.5890, 1.9866},
        {70,  "水量７０％", "水量７０％",  0.5497, 1.8962},
    };
    // clang-format on
    return table;
}

const DepthRow* find(double code) {
    for (const DepthRow& row : rows()) {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}

} // namespace DepthRatioTable

namespace MarginReferences {

const std::vector<std::string>& texts() {
    static const std::vector<std::string> list = {
        "１００％", "　９０％", "　８０％", "　７０％", "　６０％", "　５０％", "　４０％",
        "　３０％", "　２５％", "　２０％", "　１５％", "　１０％", "　　５％",
    };
    return list;
}

std::optional<double> value(int position) {
    if (position < 0 || position >= static_cast<int>(marginValues.size()))
        return std::nullopt;
    return marginValues[static_cast<std::size_t>(position)];
}

} // namespace MarginReferences

} // namespace tovarin
