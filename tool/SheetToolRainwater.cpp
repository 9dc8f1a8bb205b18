#include "tool/SheetToolRainwater.h"

#include "documents/DocumentFile.h"
#include "documents/RainwaterFile.h"
#include "engine/CsvText.h"
#include "engine/JsonText.h"
#include "engine/NumberText.h"
#include "platform/StandardOutput.h"
#include "report/RainwaterPrint.h"
#include "sheettext/RainwaterSheetBuilder.h"

#include <cstdio>

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

} // namespace

bool isRainwaterFile(const QString& file) {
    return documentKindOfFile(file) == DocumentKind::Rainwater;
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

int writeRainwaterTable(ConsolePlatform& platform, const QStringList& files) {
    std::string table(csvByteOrderMark);
    table += csvRecord(rainwaterTableHeader());
    int status = 0;
    for (const QString& file : files) {
        if (const std::optional<RainwaterResult> result = rainwaterResultOf(platform, file)) {
            table += csvRecord(rainwaterRow(file, *result));
            continue;
        }
        status = 1;
        std::vector<std::string> row(rainwaterTableHeader().size());
        row.front() = platform.unusableNames.value(file, file).toStdString();
        row.back() = platform.lastMessage.toStdString();
        table += csvRecord(row);
    }
    if (!writeStandardOutput(table)) {
        platform.document = QStringLiteral("tovarin-sheet");
        platform.report(QStringLiteral("標準出力に書き込めませんでした。"));
        return 1;
    }
    return status;
}

} // namespace tovarin
