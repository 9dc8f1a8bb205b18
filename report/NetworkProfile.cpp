#include "report/NetworkProfile.h"

#include "engine/NumberText.h"
#include "platform/qt/JapaneseFonts.h"
#include "report/DrawingSurface.h"
#include "sheettext/NetworkSheet.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace tovarin {

namespace {

const QColor warning(255, 0, 255);
const QColor groundColour(120, 80, 30);
const QColor pipeColour(0, 0, 160);

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

QString level(const std::optional<double>& value) {
    return value ? text(formatNumber(*value, "0.000")) : QString();
}

// The smallest scale of the series a drawing office uses (1, 1.2, 1.5, 2, 2.5, 3, 4, 5, 6
// and 8 times a power of ten) that is at least `wanted`.
int roundScale(double wanted) {
    double decade = 1;
    while (decade * 10 < wanted)
        decade *= 10;
    for (double step : {1.0, 1.2, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0}) {
        if (step * decade >= wanted)
            return static_cast<int>(std::lround(step * decade));
    }
    return static_cast<int>(std::lround(10 * decade));
}

// The 施設 column's text of a section, as the flow table prints it.
QString facilityText(const NetworkResult& result, std::size_t section) {
    const std::vector<std::string> header = networkTableHeader(result.kind);
    const std::vector<std::string> row = networkRowTexts(result, section);
    for (std::size_t c = 0; c < header.size() && c < row.size(); ++c) {
        if (header[c].rfind("施設", 0) == 0)
            return text(row[c]);
    }
    return QString();
}

QFont profileFont(double pixels) {
    QFont font(gothicFamily());
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    return font;
}

} // namespace

NetworkProfileScales drawNetworkProfile(QPainter& painter, const QRectF& area,
                                        double unitsPerMillimetre, const NetworkResult& result,
                                        const NetworkLevels& levels,
                                        const std::vector<std::size_t>& path) {
    const double mm = unitsPerMillimetre;
    NetworkProfileScales scales;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont small = profileFont(2.6 * mm);
    const QFont title = profileFont(4 * mm);

    // The manholes along the path and their distances from its head.
    std::vector<QString> manholes;
    std::vector<double> distance = {0};
    if (!path.empty())
        manholes.push_back(text(result.sections[path.front()].upper));
    for (std::size_t i : path) {
        manholes.push_back(text(result.sections[i].lower));
        distance.push_back(distance.back() + result.sections[i].length);
    }
    const double total = distance.back();

    // The band's rows under the drawing, its labels on the left.
    const QStringList bandTitles = {QStringLiteral("測点"),        QStringLiteral("延長(m)"),
                                    QStringLiteral("追加距離(m)"), QStringLiteral("地盤高(m)"),
                                    QStringLiteral("管底高(m)"),   QStringLiteral("土被り(m)"),
                                    QStringLiteral("勾配(‰)"),     QStringLiteral("施設")};
    const double rowHeight = 7 * mm;
    const double labelWidth = 26 * mm;
    const QRectF band(area.left(), area.bottom() - rowHeight * bandTitles.size(), area.width(),
                      rowHeight * bandTitles.size());
    const QRectF drawing(area.left() + labelWidth + 6 * mm, area.top() + 12 * mm,
                         area.width() - labelWidth - 12 * mm, band.top() - area.top() - 16 * mm);

    // Elevations drawn: every ground, invert and crown on the path.
    std::optional<double> low;
    std::optional<double> high;
    const auto include = [&](const std::optional<double>& z) {
        if (!z)
            return;
        low = std::min(low.value_or(*z), *z);
        high = std::max(high.value_or(*z), *z);
    };
    for (std::size_t i : path) {
        const NetworkSectionLevels& l = levels.sections[i];
        include(l.groundUpper);
        include(l.groundLower);
        include(l.upperInvert);
        include(l.lowerInvert);
        if (l.upperInvert && l.insideHeight)
            include(*l.upperInvert + *l.insideHeight);
    }
    const double datum = low ? std::floor(*low - 0.5) : 0;
    const double top = high ? *high + 0.5 : 1;
    const double paperWidth = drawing.width() / mm;
    const double paperHeight = drawing.height() / mm;
    if (total * 1000 / scales.horizontal > paperWidth)
        scales.horizontal = roundScale(total * 1000 / paperWidth);
    if ((top - datum) * 1000 / scales.vertical > paperHeight)
        scales.vertical = roundScale((top - datum) * 1000 / paperHeight);
    const auto x = [&](double d) { return drawing.left() + d * 1000 / scales.horizontal * mm; };
    const auto y = [&](double z) {
        return drawing.bottom() - (z - datum) * 1000 / scales.vertical * mm;
    };

    painter.setPen(QPen(Qt::black, 0.25 * mm));
    painter.setFont(title);
    painter.drawText(QRectF(area.left(), area.top(), area.width(), 8 * mm),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("縦断図　縮尺　横 1:%1　縦 1:%2")
                         .arg(scales.horizontal)
                         .arg(scales.vertical));
    painter.setFont(small);
    painter.drawText(QRectF(area.left(), drawing.bottom() - 5 * mm, labelWidth, 5 * mm),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("DL=%1").arg(text(formatNumber(datum, "0.000"))));
    if (!low)
        painter.drawText(drawing, Qt::AlignCenter,
                         QStringLiteral("（地盤高・管底高の入力がありません）"));

    // The band's frame and labels.
    painter.drawLine(QPointF(drawing.left(), drawing.bottom()),
                     QPointF(x(total), drawing.bottom()));
    for (int r = 0; r <= bandTitles.size(); ++r)
        painter.drawLine(QPointF(band.left(), band.top() + r * rowHeight),
                         QPointF(band.right(), band.top() + r * rowHeight));
    painter.drawLine(QPointF(band.left(), band.top()), QPointF(band.left(), band.bottom()));
    painter.drawLine(QPointF(band.left() + labelWidth, band.top()),
                     QPointF(band.left() + labelWidth, band.bottom()));
    for (int r = 0; r < bandTitles.size(); ++r)
        painter.drawText(QRectF(band.left(), band.top() + r * rowHeight, labelWidth, rowHeight),
                         Qt::AlignCenter, bandTitles[r]);
    const auto bandText = [&](int row, double at, double width, const QString& value,
                              const QColor& colour = Qt::black) {
        painter.setPen(colour);
        painter.drawText(QRectF(at - width / 2, band.top() + row * rowHeight, width, rowHeight),
                         Qt::AlignCenter, value);
        painter.setPen(QPen(Qt::black, 0.25 * mm));
    };

    // Each manhole: its vertical line, its name, its distance, ground, invert and cover.
    for (std::size_t k = 0; k < manholes.size(); ++k) {
        const double at = x(distance[k]);
        painter.setPen(QPen(Qt::gray, 0.2 * mm, Qt::DashLine));
        painter.drawLine(QPointF(at, drawing.top()), QPointF(at, band.bottom()));
        painter.setPen(QPen(Qt::black, 0.25 * mm));
        painter.drawText(QRectF(at - 15 * mm, drawing.top() - 6 * mm, 30 * mm, 5 * mm),
                         Qt::AlignCenter, manholes[k]);
        const bool last = k + 1 == manholes.size();
        const NetworkSectionLevels& l = levels.sections[path[last ? k - 1 : k]];
        const double width = 22 * mm;
        bandText(0, at, width, manholes[k]);
        bandText(2, at, width, text(formatNumber(distance[k], "0.0#")));
        bandText(3, at, width, level(last ? l.groundLower : l.groundUpper));
        bandText(4, at, width, level(last ? l.lowerInvert : l.upperInvert));
        const bool coverNote = std::find(l.notes.begin(), l.notes.end(),
                                         last ? coverNoteLower : coverNoteUpper) != l.notes.end();
        bandText(5, at, width, level(last ? l.lowerCover : l.upperCover),
                 coverNote ? warning : QColor(Qt::black));
    }

    // Each section: its lines, its name, and its length, gradient and facility in the band.
    for (std::size_t k = 0; k < path.size(); ++k) {
        const std::size_t i = path[k];
        const NetworkSectionResult& s = result.sections[i];
        const NetworkSectionLevels& l = levels.sections[i];
        const double from = x(distance[k]);
        const double to = x(distance[k + 1]);
        const double middle = (from + to) / 2;
        const bool noted = !l.notes.empty();
        if (l.groundUpper && l.groundLower) {
            painter.setPen(QPen(groundColour, 0.4 * mm));
            painter.drawLine(QPointF(from, y(*l.groundUpper)), QPointF(to, y(*l.groundLower)));
        }
        if (l.upperInvert && l.lowerInvert) {
            painter.setPen(QPen(noted ? warning : pipeColour, 0.4 * mm));
            painter.drawLine(QPointF(from, y(*l.upperInvert)), QPointF(to, y(*l.lowerInvert)));
            if (l.insideHeight)
                painter.drawLine(QPointF(from, y(*l.upperInvert + *l.insideHeight)),
                                 QPointF(to, y(*l.lowerInvert + *l.insideHeight)));
        }
        painter.setPen(noted ? warning : QColor(Qt::black));
        const double span = std::max(to - from, 20 * mm);
        painter.drawText(QRectF(middle - span / 2, drawing.top(), span, 5 * mm), Qt::AlignCenter,
                         text(s.name));
        if (noted) {
            QStringList notes;
            for (const std::string& note : l.notes)
                notes << text(note);
            painter.drawText(QRectF(middle - span / 2, drawing.top() + 5 * mm, span, 10 * mm),
                             Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                             QStringLiteral("注意：") + notes.join(QStringLiteral("・")));
        }
        painter.setPen(QPen(Qt::black, 0.25 * mm));
        const double width = std::max(to - from, 18 * mm);
        bandText(1, middle, width, text(formatNumber(s.length, "0.0#")));
        bandText(6, middle, width, text(formatNumber(s.facility.facility.slopePermille, "0.0#")));
        bandText(7, middle, width, facilityText(result, i));
    }
    painter.restore();
    return scales;
}

namespace {

constexpr int pdfResolution = 1200;
constexpr double millimetresPerInch = 25.4;

// A landscape printer page that repeats the flow table's header at the top of every page,
// and draws the profile on a page of its own.
class ProfileSurface : public PrinterSurface {
public:
    ProfileSurface(Platform& platform, QPagedPaintDevice& device, const QFont& font,
                   std::vector<SheetLine> header)
        : PrinterSurface(platform, device, font), device_(device), header_(std::move(header)) {}

    void startRepeating() { repeating_ = true; }
    void stopRepeating() { repeating_ = false; }

    // The profile on a page of its own: as tall as the page, it never fits below the table.
    void drawProfilePage(const NetworkResult& result, const NetworkLevels& levels,
                         const std::vector<std::size_t>& path) {
        stopRepeating();
        const double pageMillimetres =
            device_.height() * millimetresPerInch / device_.logicalDpiY();
        drawPicture(pageMillimetres, [&](QPainter& painter, const QRectF& area, double mm) {
            drawNetworkProfile(painter, area, mm, result, levels, path);
        });
    }

protected:
    void pageStarted() override {
        if (!repeating_)
            return;
        for (const SheetLine& line : header_)
            writeLine(line);
    }

private:
    QPagedPaintDevice& device_;
    std::vector<SheetLine> header_;
    bool repeating_ = false;
};

void drawTableAndProfile(ProfileSurface& surface, const NetworkResult& result,
                         const NetworkLevels& levels, const std::vector<std::size_t>& path) {
    const NetworkSheetLines lines = networkSheetLines(result, SheetOutput::Drawn);
    for (const SheetLine& line : lines.opening)
        surface.writeLine(line);
    for (const SheetLine& line : lines.header)
        surface.writeLine(line);
    surface.startRepeating();
    for (const SheetLine& line : lines.rows)
        surface.writeLine(line);
    if (!path.empty())
        surface.drawProfilePage(result, levels, path);
}

} // namespace

QByteArray networkProfilePdf(const NetworkResult& result, const NetworkLevels& levels,
                             const std::vector<std::size_t>& path) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Tovarin"));
        writer.setResolution(pdfResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Point));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        drawNetworkProfile(painter, QRectF(0, 0, writer.width(), writer.height()),
                           pdfResolution / millimetresPerInch, result, levels, path);
        if (!painter.end())
            return {};
    }
    return buffer.data().startsWith("%PDF-") ? buffer.data() : QByteArray();
}

void NetworkProfileReport::drawPage(DrawingSurface& page) const {
    table_.drawPage(page);
    if (path_.empty())
        return;
    // Below the table: the band's 56 mm and room for the lines above it.
    constexpr double profileMillimetres = 150;
    page.drawPicture(profileMillimetres, [this](QPainter& painter, const QRectF& area, double mm) {
        drawNetworkProfile(painter, area, mm, result_, levels_, path_);
    });
}

void NetworkProfileReport::print(Platform& platform, QWidget* parent) const {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!platform.printSetup(parent, printer))
        return;
    const double widthPoints = printer.pageLayout().paintRect(QPageLayout::Point).width();
    ProfileSurface surface(platform, printer, networkPrinterFont(result_, widthPoints),
                           networkSheetLines(result_, SheetOutput::Drawn).header);
    if (!surface.begin())
        return;
    setDrawingSurface(&surface);
    drawTableAndProfile(surface, result_, levels_, path_);
    surface.endDocument();
}

PdfFileResult NetworkProfileReport::printToPdf(Platform& platform, const QString& fileName) const {
    constexpr double landscapeWidthPoints = 841.89 - 2 * 10;
    const PrinterSurfaceMaker maker = [&](QPagedPaintDevice& device) {
        return std::make_unique<ProfileSurface>(
            platform, device, networkPrinterFont(result_, landscapeWidthPoints),
            networkSheetLines(result_, SheetOutput::Drawn).header);
    };
    return printDrawingToLandscapePdf(
        maker,
        [this](DrawingSurface& surface) {
            if (auto* profile = dynamic_cast<ProfileSurface*>(&surface))
                drawTableAndProfile(*profile, result_, levels_, path_);
        },
        fileName);
}

} // namespace tovarin
