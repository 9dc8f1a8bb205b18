// The drainage network documents (.tvn) in tovarin-sheet: read, calculated and
// written by the Qt-free layers; one results line and one table row per section.

#include "documents/DocumentFile.h"
#include "documents/record/NetworkRecord.h"
#include "engine/JsonText.h"
#include "engine/Network.h"
#include "engine/NetworkLevels.h"
#include "engine/NumberText.h"
#include "report/NetworkPrint.h"
#include "sheettext/NetworkSheet.h"
#include "tool/ToolDocument.h"

#include <optional>

namespace tovarin {

namespace {

// The keys of a section's results line, in the order of networkRowTexts' columns; an
// empty key leaves that column out.
const std::vector<std::string_view>& resultKeys(NetworkKind kind) {
    static const std::vector<std::string_view> rainwater = {"line",
                                                            "upper",
                                                            "lower",
                                                            "length",
                                                            "area",
                                                            "totalArea",
                                                            "runoffCoefficient",
                                                            "inflowTime",
                                                            "flowTime",
                                                            "concentrationTime",
                                                            "intensity",
                                                            "plannedFlow",
                                                            "",
                                                            "",
                                                            "",
                                                            "velocity",
                                                            "capacity",
                                                            "verdict",
                                                            "velocityGuide"};
    static const std::vector<std::string_view> sewage = {
        "line",       "upper",           "lower",       "length",  "",
        "population", "plannedFlowBase", "plannedFlow", "",        "",
        "",           "velocity",        "capacity",    "verdict", "velocityGuide"};
    return kind == NetworkKind::Rainwater ? rainwater : sewage;
}

// The times are null with 直接.
bool isTime(std::string_view key) {
    return key == "inflowTime" || key == "flowTime" || key == "concentrationTime";
}

// The section's levels and 注意: null where a level is unknown.
std::string levelKeys(const NetworkSectionLevels& levels) {
    const auto level = [](const std::optional<double>& value) {
        return value ? jsonText(formatNumber(*value, "0.000")) : std::string("null");
    };
    std::string keys = ",\"upperInvert\":" + level(levels.upperInvert) +
                       ",\"lowerInvert\":" + level(levels.lowerInvert) +
                       ",\"upperCover\":" + level(levels.upperCover) +
                       ",\"lowerCover\":" + level(levels.lowerCover) + ",\"notes\":[";
    for (std::size_t n = 0; n < levels.notes.size(); ++n)
        keys += (n > 0 ? "," : "") + jsonText(levels.notes[n]);
    return keys + "]";
}

std::string resultsLines(const QString& file, const NetworkResult& result,
                         const NetworkLevels& levels) {
    const std::vector<std::string_view>& keys = resultKeys(result.kind);
    const bool direct = result.kind == NetworkKind::Rainwater &&
                        result.intensity.intensityForm == IntensityForm::Direct;
    std::string lines;
    for (std::size_t i = 0; i < result.sections.size(); ++i) {
        const std::vector<std::string> texts = networkRowTexts(result, i);
        std::string line = "{\"file\":" + jsonText(file.toStdString());
        for (std::size_t c = 0; c < keys.size() && c < texts.size(); ++c) {
            if (keys[c].empty())
                continue;
            line += ",\"" + std::string(keys[c]) + "\":";
            line += direct && isTime(keys[c]) ? "null" : jsonText(texts[c]);
        }
        lines += line + levelKeys(levels.sections[i]) + "}\n";
    }
    return lines;
}

class NetworkToolDocument : public ToolDocument {
public:
    explicit NetworkToolDocument(ConsolePlatform& platform) : platform_(platform) {}

    bool read(const QString& file) override {
        result_.reset();
        platform_.document = file;
        platform_.lastMessage.clear();
        if (platform_.refusesNameNotInUtf8(file))
            return false;
        const DocumentBytes bytes = readDocumentBytes(file);
        if (!bytes.bytes) {
            platform_.report(bytes.message);
            return false;
        }
        const NetworkDocumentRead read = parseNetworkDocument(*bytes.bytes);
        if (!read.input)
            return refuse(file, read.message);
        NetworkOutcome outcome = computeNetwork(*read.input);
        NetworkLevelsOutcome levels;
        if (outcome.ok()) {
            levels = computeNetworkLevels(*read.input, outcome.result);
            outcome.failure = levels.failure;
        }
        if (!outcome.ok()) {
            const int line = networkRefusalLine(read.lines, *outcome.failure);
            return refuse(file, formatNumber(line, "0") + "行目：" + outcome.failure->message);
        }
        levels_ = std::move(levels.levels);
        kind_ = outcome.result.kind;
        result_ = std::move(outcome.result);
        return true;
    }

    SheetText sheet() override { return networkSheetText(*result_); }

    std::string resultsLine(const QString& file) override {
        return resultsLines(file, *result_, levels_);
    }

    std::vector<std::string> tableRow(const QString& file) override {
        return tableRows(file).front();
    }

    std::vector<std::vector<std::string>> tableRows(const QString& file) override {
        std::vector<std::vector<std::string>> rows;
        for (std::size_t i = 0; i < result_->sections.size(); ++i) {
            std::vector<std::string> row = {file.toStdString()};
            const std::vector<std::string> texts = networkRowTexts(*result_, i);
            row.insert(row.end(), texts.begin(), texts.end());
            row.emplace_back(); // エラー
            rows.push_back(std::move(row));
        }
        return rows;
    }

    PdfFileResult printPdf(const QString& output) override {
        return printNetworkSheetToPdf(platform_, *result_, output);
    }

    // The columns of the kind of network read last (rainwater before any).
    std::string tableSheetName() const override { return "流量計算表"; }

    std::vector<std::string> tableHeader() const override {
        std::vector<std::string> header = {"ファイル"};
        const std::vector<std::string> columns = networkTableHeader(kind_);
        header.insert(header.end(), columns.begin(), columns.end());
        header.emplace_back("エラー");
        return header;
    }

    QString designAidsRefusal() const override {
        return QStringLiteral("系統の計算書データ（.tvn）には --sizes と --curve は"
                              "使えません（汚水の .tvr のみ）。");
    }

private:
    ConsolePlatform& platform_;
    std::optional<NetworkResult> result_;
    NetworkLevels levels_;
    NetworkKind kind_ = NetworkKind::Rainwater;

    bool refuse(const QString& file, const std::string& message) {
        platform_.report(cannotOpenDocument(file, QString::fromStdString(message)));
        return false;
    }
};

} // namespace

std::unique_ptr<ToolDocument> networkToolDocument(ConsolePlatform& platform) {
    return std::make_unique<NetworkToolDocument>(platform);
}

} // namespace tovarin
