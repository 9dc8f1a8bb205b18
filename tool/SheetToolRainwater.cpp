// The rainwater documents (.tvu) in tovarin-sheet: a rainwater document needs no
// window; it is read, calculated and written by the Qt-free layers.

#include "documents/RainwaterFile.h"
#include "engine/JsonText.h"
#include "engine/NumberText.h"
#include "engine/Rainwater.h"
#include "report/RainwaterPrint.h"
#include "sheettext/RainwaterSheetBuilder.h"
#include "tool/ToolDocument.h"

#include <optional>

namespace tovarin {

namespace {

std::string jsonOptional(const std::optional<std::string>& text) {
    return text ? jsonText(*text) : "null";
}

std::vector<std::string> rainwaterRow(const QString& file, const RainwaterResult& r) {
    const RainwaterTexts t = rainwaterTexts(r);
    const CalcSheet& s = r.facility;
    return {file.toStdString(),
            t.area,
            t.runoffCoefficient,
            intensityFormName(r.intensityForm),
            t.flowTime.value_or(""),
            t.concentrationTime.value_or(""),
            t.intensity,
            t.plannedFlow,
            rainwaterFacilityName(r.facilityKind),
            lineText(rainwaterFacilityLabel(r)),
            formatNumber(s.slopePermille, "#0.0"),
            formatNumber(s.roughness, "0.000"),
            s.velocityFormula == VelocityFormula::Kutter ? "クッター" : "マニング",
            depthTexts(r.facilityKind).at(static_cast<std::size_t>(s.depthChoice)),
            t.velocity,
            t.capacity,
            t.verdict,
            t.velocityGuide,
            ""};
}

std::optional<RainwaterResult> rainwaterResultOf(ConsolePlatform& platform, const QString& file) {
    platform.document = file;
    platform.lastMessage.clear();
    if (platform.refusesNameNotInUtf8(file))
        return std::nullopt;
    const RainwaterFileRead read = readRainwaterFile(file);
    if (!read.input) {
        platform.report(read.message);
        return std::nullopt;
    }
    RainwaterOutcome outcome = computeRainwater(*read.input);
    if (!outcome.ok()) {
        platform.report(QString::fromStdString(outcome.failure->message));
        return std::nullopt;
    }
    return std::move(outcome.result);
}

std::string rainwaterResultsLine(const QString& file, const RainwaterResult& result) {
    const RainwaterTexts t = rainwaterTexts(result);
    std::string line = "{";
    line += "\"file\":" + jsonText(file.toStdString());
    line += ",\"area\":" + jsonText(t.area);
    line += ",\"runoffCoefficient\":" + jsonText(t.runoffCoefficient);
    line += ",\"velocity\":" + jsonText(t.velocity);
    line += ",\"flowTime\":" + jsonOptional(t.flowTime);
    line += ",\"concentrationTime\":" + jsonOptional(t.concentrationTime);
    line += ",\"intensity\":" + jsonText(t.intensity);
    line += ",\"plannedFlow\":" + jsonText(t.plannedFlow);
    line += ",\"capacity\":" + jsonText(t.capacity);
    line += ",\"verdict\":" + jsonText(t.verdict);
    line += ",\"velocityGuide\":" + jsonText(t.velocityGuide);
    return line + "}\n";
}

std::vector<std::string> rainwaterTableHeader() {
    return {"ファイル",
            "集水面積A(ha)",
            "流出係数C",
            "降雨強度式",
            "流下時間t2(min)",
            "到達時間t(min)",
            "降雨強度I(mm/hr)",
            "計画雨水量Q(m3/sec)",
            "施設の種類",
            "施設",
            "勾配(‰)",
            "粗度係数n",
            "公式",
            "水深",
            "流速V(m/sec)",
            "流量Q2(m3/sec)",
            "流量の判定",
            "流速の目安",
            "エラー"};
}

class RainwaterToolDocument : public ToolDocument {
public:
    explicit RainwaterToolDocument(ConsolePlatform& platform) : platform_(platform) {}

    bool read(const QString& file) override {
        result_ = rainwaterResultOf(platform_, file);
        return result_.has_value();
    }

    SheetText sheet() override { return rainwaterSheetText(*result_); }

    std::string resultsLine(const QString& file) override {
        return rainwaterResultsLine(file, *result_);
    }

    std::vector<std::string> tableRow(const QString& file) override {
        return rainwaterRow(file, *result_);
    }

    PdfFileResult printPdf(const QString& output) override {
        return printRainwaterSheetToPdf(platform_, *result_, output);
    }

    std::vector<std::string> tableHeader() const override { return rainwaterTableHeader(); }

    QString designAidsRefusal() const override {
        return QStringLiteral("雨水の計算書データ（.tvu）には --sizes と --curve は"
                              "使えません（汚水の .tvr のみ）。");
    }

private:
    ConsolePlatform& platform_;
    std::optional<RainwaterResult> result_;
};

} // namespace

std::unique_ptr<ToolDocument> rainwaterToolDocument(ConsolePlatform& platform) {
    return std::make_unique<RainwaterToolDocument>(platform);
}

} // namespace tovarin
