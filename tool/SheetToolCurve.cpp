// --curve: the hydraulic characteristic curves of the document's section, drawn
// (PNG, SVG, PDF) or as a table (CSV).

#include "engine/Calculation.h"
#include "engine/CharacteristicCurve.h"
#include "engine/CsvText.h"
#include "engine/DesignAids.h"
#include "engine/NumberText.h"
#include "sheettext/SheetBuilder.h"
#include "shell/MDIFofm.h"
#include "tool/SheetToolAids.h"
#include "tool/SheetToolSvg.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace tovarin {

namespace {

// Everything the drawing shows, computed before any painting.
struct CurveChart {
    CurveSection section;
    std::vector<CurvePoint> points;
    QString title;
    QString subtitle;
    QString depthRatioName;              // "h/D" or "h/H"
    QString depthAxis;                   // "水深比 h/D" or "水深比 h/H"
    std::optional<double> documentDepth; // the document's depth choice, h/D or h/H
    QString documentDepthText;           // its list text
    double plannedRatio = 0;             // Q1′ / Q_full
    std::optional<double> plannedDepth;  // where the flow curve reaches it
    QStringList notes;                   // below the legend
};

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

CurveChart chartOf(const CalcSheet& sheet) {
    CurveChart chart;
    chart.section = curveSectionOf(sheet);
    chart.points = characteristicCurve(chart.section);
    chart.depthRatioName = chart.section.circular ? QStringLiteral("h/D") : QStringLiteral("h/H");
    chart.depthAxis = QStringLiteral("水深比 ") + chart.depthRatioName;
    chart.title = QStringLiteral("水理特性曲線　") + text(lineText(facilityName(sheet)));
    chart.subtitle = text(formulaText(sheet.velocityFormula)) + QStringLiteral("公式　n=") +
                     text(formatNumber(sheet.roughness, "0.000")) + QStringLiteral("　I=") +
                     text(formatNumber(sheet.slopePermille, "#0.0")) + QStringLiteral("‰");
    chart.documentDepth = documentDepthFraction(sheet);
    chart.documentDepthText = text(depthChoiceText(sheet));
    const double fullFlow = flowStateAt(chart.section, 1).flow;
    chart.plannedRatio = assessmentOf(sheet).allowedFlow / fullFlow;
    chart.plannedDepth = depthFractionForFlowRatio(chart.section, chart.plannedRatio);
    const FlowState full = flowStateAt(chart.section, 1);
    chart.notes << QStringLiteral("満流（") + chart.depthRatioName + QStringLiteral("=1）")
                << QStringLiteral("  Q_full=") + text(formatNumber(full.flow, "0.0000")) +
                       QStringLiteral("m3/sec")
                << QStringLiteral("  V_full=") + text(formatNumber(full.velocity, "0.0000")) +
                       QStringLiteral("m/sec")
                << QStringLiteral("計画汚水量 Q1′=") +
                       text(formatNumber(assessmentOf(sheet).allowedFlow, "0.0000")) +
                       QStringLiteral("m3/sec");
    if (!chart.section.circular)
        chart.notes << QStringLiteral("h/H<1 は開水路（潤辺 2h+B）、")
                    << QStringLiteral("h/H=1 は閉断面（潤辺 2(H+B)）");
    return chart;
}

// ---------------------------------------------------------------- drawing

constexpr double logicalHeight = 1200;

const QColor flowColour(0, 70, 200);
const QColor velocityColour(0, 140, 60);
const QColor plannedColour(210, 0, 0);
const QColor depthColour(120, 120, 120);

QFont gothic(double pixels, bool bold = false) {
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(static_cast<int>(pixels));
    font.setBold(bold);
    return font;
}

// The upper end of the ratio axis: at least 1.2, enough for the curves and the
// planned flow line up to 3, in steps of 0.2.
double ratioAxisTop(const CurveChart& chart) {
    double top = 1.2;
    for (const CurvePoint& point : chart.points)
        top = std::max({top, point.flowRatio, point.velocityRatio});
    top = std::max(top, chart.plannedRatio);
    return std::min(std::ceil(top / 0.2 - 1e-9) * 0.2, 3.0);
}

class ChartPainter {
public:
    ChartPainter(QPainter& painter, const QRectF& plot, double top)
        : p_(painter), plot_(plot), top_(top) {}

    QPointF at(double depth, double ratio) const {
        return {plot_.left() + depth * plot_.width(),
                plot_.bottom() - std::min(ratio, top_) / top_ * plot_.height()};
    }

    void grid(const QString& depthAxis) {
        p_.setFont(gothic(22));
        for (int i = 0; i <= 10; ++i) {
            const double depth = i / 10.0;
            p_.setPen(QPen(QColor(220, 220, 220), 1));
            p_.drawLine(at(depth, 0), at(depth, top_));
            p_.setPen(Qt::black);
            const QPointF foot = at(depth, 0);
            p_.drawText(QRectF(foot.x() - 40, foot.y() + 8, 80, 30), Qt::AlignCenter,
                        text(formatNumber(depth, "0.0")));
        }
        const int ratioSteps = static_cast<int>(std::lround(top_ / 0.2));
        for (int i = 0; i <= ratioSteps; ++i) {
            const double ratio = i * 0.2;
            p_.setPen(QPen(QColor(220, 220, 220), 1));
            p_.drawLine(at(0, ratio), at(1, ratio));
            p_.setPen(Qt::black);
            const QPointF left = at(0, ratio);
            p_.drawText(QRectF(left.x() - 90, left.y() - 15, 78, 30),
                        Qt::AlignRight | Qt::AlignVCenter, text(formatNumber(ratio, "0.0")));
        }
        p_.setPen(QPen(Qt::black, 2));
        p_.drawRect(plot_);
        p_.setFont(gothic(26));
        p_.drawText(QRectF(plot_.left(), plot_.bottom() + 45, plot_.width(), 40), Qt::AlignCenter,
                    depthAxis);
        p_.save();
        p_.translate(plot_.left() - 120, plot_.center().y());
        p_.rotate(-90);
        p_.drawText(QRectF(-plot_.height() / 2, -20, plot_.height(), 40), Qt::AlignCenter,
                    QStringLiteral("流量比 Q/Q_full、流速比 V/V_full"));
        p_.restore();
    }

    // A rectangular channel's curve rises on its open branch up to full depth and
    // drops there to the closed full section: the drop is drawn upright.
    void curve(const CurveChart& chart, bool flow, const QColor& colour) {
        const std::vector<CurvePoint>& points = chart.points;
        QPainterPath path;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const double ratio = flow ? points[i].flowRatio : points[i].velocityRatio;
            const QPointF point = at(points[i].depthFraction, ratio);
            if (i == 0) {
                path.moveTo(point);
                continue;
            }
            if (!chart.section.circular && i + 1 == points.size()) {
                const FlowState open = flowStateFromBelow(chart.section, 1);
                const FlowState full = flowStateAt(chart.section, 1);
                path.lineTo(at(1, flow ? open.flow / full.flow : open.velocity / full.velocity));
            }
            path.lineTo(point);
        }
        p_.setPen(QPen(colour, 4));
        p_.setBrush(Qt::NoBrush);
        p_.drawPath(path);
    }

    void dot(const QPointF& centre, const QColor& colour) {
        p_.setPen(QPen(Qt::white, 2));
        p_.setBrush(colour);
        p_.drawEllipse(centre, 10, 10);
        p_.setBrush(Qt::NoBrush);
    }

    void label(const QPointF& anchor, const QString& caption, const QColor& colour) {
        p_.setFont(gothic(22));
        p_.setPen(colour);
        p_.drawText(QRectF(anchor.x() + 14, anchor.y() - 40, 420, 34),
                    Qt::AlignLeft | Qt::AlignVCenter, caption);
    }

    void documentDepth(const CurveChart& chart) {
        if (!chart.documentDepth)
            return;
        const double depth = *chart.documentDepth;
        p_.setPen(QPen(depthColour, 3, Qt::DashLine));
        p_.drawLine(at(depth, 0), at(depth, top_));
        const FlowState state = flowStateAt(chart.section, depth);
        const FlowState full = flowStateAt(chart.section, 1);
        dot(at(depth, state.flow / full.flow), flowColour);
        dot(at(depth, state.velocity / full.velocity), velocityColour);
        const QPointF foot = at(depth, 0);
        p_.setFont(gothic(22));
        p_.setPen(Qt::black);
        const QString caption = QStringLiteral("計算書の有効水深：") + chart.documentDepthText;
        const double width = 420;
        const double left = std::min(foot.x() - width / 2, plot_.right() - width);
        p_.drawText(QRectF(left, foot.y() - 40, width, 34), Qt::AlignCenter, caption);
    }

    void plannedFlow(const CurveChart& chart) {
        const QString ratio = text(formatNumber(chart.plannedRatio, "0.000"));
        p_.setPen(QPen(plannedColour, 3, Qt::DashDotLine));
        p_.drawLine(at(0, chart.plannedRatio), at(1, chart.plannedRatio));
        QString caption = QStringLiteral("Q1′/Q_full=") + ratio;
        if (chart.plannedRatio > top_)
            caption += QStringLiteral("（図の範囲外）");
        if (chart.plannedDepth) {
            const QPointF cross = at(*chart.plannedDepth, chart.plannedRatio);
            dot(cross, plannedColour);
            caption += QStringLiteral("　交点 ") + chart.depthRatioName + QStringLiteral("=") +
                       text(formatNumber(*chart.plannedDepth, "0.000"));
        } else {
            caption += QStringLiteral("　交点なし");
        }
        label(at(0.01, std::min(chart.plannedRatio, top_)), caption, plannedColour);
    }

    void legend(const QPointF& origin, const QStringList& notes) {
        struct Entry {
            QColor colour;
            Qt::PenStyle style;
            QString caption;
        };
        const Entry entries[] = {
            {flowColour, Qt::SolidLine, QStringLiteral("流量比 Q/Q_full")},
            {velocityColour, Qt::SolidLine, QStringLiteral("流速比 V/V_full")},
            {plannedColour, Qt::DashDotLine, QStringLiteral("計画汚水量 Q1′/Q_full")},
            {depthColour, Qt::DashLine, QStringLiteral("計算書の有効水深")},
        };
        p_.setFont(gothic(22));
        double y = origin.y();
        for (const Entry& entry : entries) {
            p_.setPen(QPen(entry.colour, 4, entry.style));
            p_.drawLine(QPointF(origin.x(), y), QPointF(origin.x() + 60, y));
            p_.setPen(Qt::black);
            p_.drawText(QRectF(origin.x() + 72, y - 17, 330, 34), Qt::AlignLeft | Qt::AlignVCenter,
                        entry.caption);
            y += 38;
        }
        y += 30;
        p_.setPen(Qt::black);
        for (const QString& note : notes) {
            p_.drawText(QRectF(origin.x(), y - 17, 420, 34), Qt::AlignLeft | Qt::AlignVCenter,
                        note);
            y += 34;
        }
    }

private:
    QPainter& p_;
    QRectF plot_;
    double top_;
};

// Draws the chart on a logical page 1200 units high and as wide as the device's
// aspect gives (1600 for 4:3), whatever the device's resolution.
void drawChart(QPainter& painter, const QSize& deviceSize, const CurveChart& chart) {
    const double width = logicalHeight * deviceSize.width() / deviceSize.height();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(gothic(22)); // no text of the chart in the program's default font
    painter.setWindow(0, 0, static_cast<int>(width), static_cast<int>(logicalHeight));
    painter.setViewport(0, 0, deviceSize.width(), deviceSize.height());
    painter.fillRect(QRectF(0, 0, width, logicalHeight), Qt::white);

    painter.setPen(Qt::black);
    painter.setFont(gothic(36, true));
    painter.drawText(QRectF(0, 30, width, 50), Qt::AlignCenter, chart.title);
    painter.setFont(gothic(26));
    painter.drawText(QRectF(0, 84, width, 40), Qt::AlignCenter, chart.subtitle);

    const QRectF plot(200, 150, width - 280 - 420, logicalHeight - 150 - 150);
    ChartPainter chartPainter(painter, plot, ratioAxisTop(chart));
    chartPainter.grid(chart.depthAxis);
    chartPainter.documentDepth(chart);
    chartPainter.curve(chart, false, velocityColour);
    chartPainter.curve(chart, true, flowColour);
    chartPainter.plannedFlow(chart);
    chartPainter.legend(QPointF(plot.right() + 30, plot.top() + 30), chart.notes);
}

QByteArray pngBytes(const CurveChart& chart) {
    QImage image(1600, 1200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        drawChart(painter, image.size(), chart);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

QByteArray svgBytes(const CurveChart& chart) {
    const QSize size(1600, 1200);
    return svgDrawing(size, chart.title,
                      [&](QPainter& painter) { drawChart(painter, size, chart); });
}

QByteArray pdfBytes(const CurveChart& chart) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(chart.title);
        pdf.setCreator(QStringLiteral("Tovarin"));
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&pdf))
            return {};
        drawChart(painter, QSize(pdf.width(), pdf.height()), chart);
        if (!painter.end())
            return {};
    }
    return bytes;
}

QByteArray csvBytes(const CurveChart& chart) {
    std::string table(csvByteOrderMark);
    for (const std::vector<std::string>& record : curveTable(chart.section, chart.points))
        table += csvRecord(record);
    return QByteArray::fromStdString(table);
}

} // namespace

int writeCharacteristicCurves(ConsolePlatform& platform, const QString& output,
                              const QString& file) {
    MDIFofm window(platform, OnScreen::Never);
    if (!openForResult(platform, window, file))
        return 1;
    const CurveChart chart = chartOf(window.calcSheet());

    const QString suffix = QFileInfo(output).suffix().toLower();
    QByteArray bytes;
    if (suffix == QStringLiteral("png"))
        bytes = pngBytes(chart);
    else if (suffix == QStringLiteral("svg"))
        bytes = svgBytes(chart);
    else if (suffix == QStringLiteral("pdf"))
        bytes = pdfBytes(chart);
    else
        bytes = csvBytes(chart);
    if (bytes.isEmpty()) {
        platform.report(QStringLiteral("水理特性曲線を描けませんでした。"));
        return 1;
    }
    const QString failure = writeOutputFile(output, bytes);
    if (!failure.isEmpty()) {
        platform.report(failure);
        return 1;
    }
    return 0;
}

} // namespace tovarin
