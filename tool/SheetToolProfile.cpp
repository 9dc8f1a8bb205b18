// tovarin-sheet --profile: the profile of a network document (.tvn) as PNG, SVG or PDF,
// drawn by the routine of the network window and its printout.

#include "aids/OutputFile.h"
#include "aids/SheetToolSvg.h"
#include "documents/DocumentFile.h"
#include "documents/record/DocumentKind.h"
#include "documents/record/NetworkRecord.h"
#include "engine/NetworkLevels.h"
#include "engine/NumberText.h"
#include "report/NetworkProfile.h"
#include "tool/SheetToolAids.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

namespace tovarin {

namespace {

// The drawing's page: A4 landscape, 4 pixels a millimetre in SVG, 8 in PNG.
constexpr double pageWidthMillimetres = 297;
constexpr double pageHeightMillimetres = 210;

QByteArray profileBytes(const QString& output, const NetworkResult& result,
                        const NetworkLevels& levels, const std::vector<std::size_t>& path) {
    const QString suffix = QFileInfo(output).suffix().toLower();
    if (suffix == QStringLiteral("pdf"))
        return networkProfilePdf(result, levels, path);
    const double mm = suffix == QStringLiteral("svg") ? 4 : 8;
    const QSize size(static_cast<int>(pageWidthMillimetres * mm),
                     static_cast<int>(pageHeightMillimetres * mm));
    const auto draw = [&](QPainter& painter) {
        drawNetworkProfile(painter, QRectF(QPointF(0, 0), size).adjusted(10, 10, -10, -10), mm,
                           result, levels, path);
    };
    if (suffix == QStringLiteral("svg"))
        return svgDrawing(size, QStringLiteral("縦断図"), draw);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        draw(painter);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

} // namespace

int writeNetworkProfile(ConsolePlatform& platform, const QString& output, const QString& outlet,
                        const QString& file) {
    platform.document = file;
    if (platform.refusesNameNotInUtf8(file))
        return 1;
    const DocumentBytes bytes = readDocumentBytes(file);
    if (!bytes.bytes) {
        platform.report(bytes.message);
        return 1;
    }
    if (documentKindOf(std::string_view(*bytes.bytes).substr(0, documentKindBytes)) !=
        DocumentKind::Network) {
        platform.report(QStringLiteral("--profile は系統の計算書データ（.tvn）のみです。"));
        return 1;
    }
    const NetworkDocumentRead read = parseNetworkDocument(*bytes.bytes);
    if (!read.input) {
        platform.report(cannotOpenDocument(file, QString::fromStdString(read.message)));
        return 1;
    }
    const NetworkOutcome network = computeNetwork(*read.input);
    std::optional<NetworkRefusal> refused = network.failure;
    NetworkLevelsOutcome levels;
    if (!refused) {
        levels = computeNetworkLevels(*read.input, network.result);
        refused = levels.failure;
    }
    if (refused) {
        const int line = networkRefusalLine(read.lines, *refused);
        platform.report(cannotOpenDocument(
            file, QString::fromStdString(formatNumber(line, "0") + "行目：" + refused->message)));
        return 1;
    }
    const std::vector<std::size_t> path =
        networkProfilePath(network.result, -1, outlet.toStdString());
    if (path.empty()) {
        platform.report(QStringLiteral("人孔「%1」へ流れる区間がありません。").arg(outlet));
        return 1;
    }
    const QByteArray drawn = profileBytes(output, network.result, levels.levels, path);
    if (drawn.isEmpty()) {
        platform.report(QStringLiteral("縦断図を描けませんでした。"));
        return 1;
    }
    const QString failure = writeOutputFile(output, drawn);
    if (!failure.isEmpty()) {
        platform.report(failure);
        return 1;
    }
    return 0;
}

} // namespace tovarin
