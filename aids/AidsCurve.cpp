// The hydraulic characteristic curves of the document's section, drawn (PNG, PDF;
// SVG in AidsCurveSvg.cpp) or as a table (CSV).

#include "aids/AidsCurve.h"

#include "engine/Calculation.h"
#include "engine/CsvText.h"
#include "engine/NumberText.h"
#include "engine/TableWords.h"
#include "sheettext/SheetBuilder.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QLineF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace tovarin {

namespace {

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// The facility as the title names it: an other circular pipe whose material name
// already gives its size ("硬質塩化ビニル管　φ２５０") is not given it twice.
QString titleFacility(const CalcSheet& sheet) {
    if (sheet.facilityKind == FacilityKind::OtherCircular &&
        sheet.materialName.find("φ") != std::string::npos)
        return text(sheet.materialName).trimmed();
    return text(lineText(facilityName(sheet)));
}

// The depth choice's caption; a "水量" choice also gives the depth it stands for.
QString depthCaption(const CalcSheet& sheet, const QString& ratioName,
                     const std::optional<double>& depth) {
    const DepthRow* row = DepthRatioTable::find(sheet.depthRatio);
    QString caption = QStringLiteral("計算書の有効水深：") + text(depthChoiceText(sheet));
    if (row && row->code > 10 && depth)
        caption += QStringLiteral("（") + ratioName + QStringLiteral("=") +
                   text(formatNumber(*depth, "0.000")) + QStringLiteral("）");
    return caption;
}

} // namespace

CurveChart chartOf(const CalcSheet& sheet) {
    CurveChart chart;
    chart.section = curveSectionOf(sheet);
    chart.points = characteristicCurve(chart.section);
    chart.depthRatioName = chart.section.circular ? QStringLiteral("h/D") : QStringLiteral("h/H");
    chart.depthAxis = QStringLiteral("水深比 ") + chart.depthRatioName;
    chart.title = QStringLiteral("水理特性曲線　") + titleFacility(sheet);
    chart.subtitle = text(formulaText(sheet.velocityFormula)) + QStringLiteral("公式　n=") +
                     text(formatNumber(sheet.roughness, "0.000")) + QStringLiteral("　I=") +
                     text(formatNumber(sheet.slopePermille, "#0.0")) + QStringLiteral("‰");
    chart.documentDepth = documentDepthFraction(sheet);
    chart.documentDepthText = depthCaption(sheet, chart.depthRatioName, chart.documentDepth);
    const FlowState full = flowStateAt(chart.section, 1);
    const double plannedFlow = assessmentOf(sheet).allowedFlow;
    chart.plannedRatio = plannedFlow / full.flow;
    chart.plannedDepth = depthFractionForFlowRatio(chart.section, chart.plannedRatio);
    chart.notes << QStringLiteral("満流（") + chart.depthRatioName + QStringLiteral("=1）")
                << QStringLiteral("  Q_full=") + text(formatNumber(full.flow, "0.0000")) +
                       QStringLiteral("m3/sec")
                << QStringLiteral("  V_full=") + text(formatNumber(full.velocity, "0.0000")) +
                       QStringLiteral("m/sec")
                << QStringLiteral("計画汚水量 Q1′=") + text(formatNumber(plannedFlow, "0.0000")) +
                       QStringLiteral("m3/sec");
    if (!chart.section.circular)
        chart.notes << QStringLiteral("h/H<1 は開水路（潤辺 2h+B）、")
                    << QStringLiteral("h/H=1 は閉断面（潤辺 2(H+B)）");
    return chart;
}

// ---------------------------------------------------------------- layout

namespace {

constexpr double logicalHeight = 1200;
constexpr double dotRadius = 10;
constexpr double labelClearance = 6; // between a caption and anything drawn

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

double plannedLineRatio(const CurveChart& chart, double top) {
    return std::min(chart.plannedRatio, top);
}

// A curve as the polyline drawn: a rectangular channel's curve rises on its open
// branch up to full depth and drops there, upright, to the closed full section.
std::vector<QPointF> curveLine(const ChartLayout& layout, const CurveChart& chart, bool flow) {
    std::vector<QPointF> line;
    const std::vector<CurvePoint>& points = chart.points;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!chart.section.circular && i + 1 == points.size() && i > 0) {
            const FlowState open = flowStateFromBelow(chart.section, 1);
            const FlowState full = flowStateAt(chart.section, 1);
            line.push_back(
                layout.at(1, flow ? open.flow / full.flow : open.velocity / full.velocity));
        }
        line.push_back(layout.at(points[i].depthFraction,
                                 flow ? points[i].flowRatio : points[i].velocityRatio));
    }
    return line;
}

// The dots: the design depth on both curves and the planned flow's crossing.
std::vector<std::pair<QPointF, QColor>> chartDots(const ChartLayout& layout,
                                                  const CurveChart& chart) {
    std::vector<std::pair<QPointF, QColor>> dots;
    if (chart.documentDepth) {
        const double depth = *chart.documentDepth;
        const FlowState state = flowStateAt(chart.section, depth);
        const FlowState full = flowStateAt(chart.section, 1);
        dots.push_back({layout.at(depth, state.flow / full.flow), flowColour});
        dots.push_back({layout.at(depth, state.velocity / full.velocity), velocityColour});
    }
    if (chart.plannedDepth)
        dots.push_back({layout.at(*chart.plannedDepth, chart.plannedRatio), plannedColour});
    return dots;
}

// Everything a caption must keep clear of, as segments (the curves, the lines, the
// frame) and boxes (the dots, the captions already placed).
struct Obstacles {
    std::vector<QLineF> segments;
    std::vector<QRectF> boxes;

    bool hit(const QRectF& box) const {
        const QRectF clear =
            box.adjusted(-labelClearance, -labelClearance, labelClearance, labelClearance);
        for (const QRectF& other : boxes)
            if (clear.intersects(other))
                return true;
        const QLineF edges[] = {{clear.topLeft(), clear.topRight()},
                                {clear.topRight(), clear.bottomRight()},
                                {clear.bottomRight(), clear.bottomLeft()},
                                {clear.bottomLeft(), clear.topLeft()}};
        for (const QLineF& segment : segments) {
            if (clear.contains(segment.p1()) || clear.contains(segment.p2()))
                return true;
            for (const QLineF& edge : edges)
                if (segment.intersects(edge, nullptr) == QLineF::BoundedIntersection)
                    return true;
        }
        return false;
    }
};

Obstacles chartObstacles(const ChartLayout& layout, const CurveChart& chart) {
    Obstacles obstacles;
    for (bool flow : {true, false}) {
        const std::vector<QPointF> line = curveLine(layout, chart, flow);
        for (std::size_t i = 1; i < line.size(); ++i)
            obstacles.segments.emplace_back(line[i - 1], line[i]);
    }
    const QRectF& plot = layout.plot;
    obstacles.segments.push_back({plot.topLeft(), plot.topRight()});
    obstacles.segments.push_back({plot.topRight(), plot.bottomRight()});
    obstacles.segments.push_back({plot.bottomRight(), plot.bottomLeft()});
    obstacles.segments.push_back({plot.bottomLeft(), plot.topLeft()});
    const double planned = plannedLineRatio(chart, layout.ratioTop);
    obstacles.segments.push_back({layout.at(0, planned), layout.at(1, planned)});
    if (chart.documentDepth)
        obstacles.segments.push_back(
            {layout.at(*chart.documentDepth, 0), layout.at(*chart.documentDepth, layout.ratioTop)});
    for (const auto& [centre, colour] : chartDots(layout, chart))
        obstacles.boxes.push_back(
            QRectF(centre.x() - dotRadius, centre.y() - dotRadius, 2 * dotRadius, 2 * dotRadius));
    return obstacles;
}

QString plannedCaption(const CurveChart& chart, double top) {
    QString caption =
        QStringLiteral("Q1′/Q_full=") + text(formatNumber(chart.plannedRatio, "0.000"));
    if (chart.plannedRatio > top)
        caption += QStringLiteral("（図の範囲外）");
    if (chart.plannedDepth)
        caption += QStringLiteral("　交点 ") + chart.depthRatioName + QStringLiteral("=") +
                   text(formatNumber(*chart.plannedDepth, "0.000"));
    else
        caption += QStringLiteral("　交点なし");
    return caption;
}

// The first free place among the candidates; the fallback (beside the plot, under
// the legend) when none is free.
QRectF firstFree(const Obstacles& obstacles, const std::vector<QRectF>& candidates,
                 const QRectF& plot, const QRectF& fallback) {
    for (const QRectF& box : candidates)
        if (plot.contains(box) && !obstacles.hit(box))
            return box;
    return fallback;
}

} // namespace

QPointF ChartLayout::at(double depth, double ratio) const {
    return {plot.left() + depth * plot.width(),
            plot.bottom() - std::min(ratio, ratioTop) / ratioTop * plot.height()};
}

QRectF chartPlot(const QSize& deviceSize) {
    const double width = logicalHeight * deviceSize.width() / deviceSize.height();
    return QRectF(200, 150, width - 280 - 420, logicalHeight - 150 - 150);
}

ChartLayout chartLayout(QPainter& painter, const QSize& deviceSize, const CurveChart& chart) {
    ChartLayout layout;
    const double width = logicalHeight * deviceSize.width() / deviceSize.height();
    layout.page = QRectF(0, 0, width, logicalHeight);
    layout.plot = chartPlot(deviceSize);
    layout.ratioTop = ratioAxisTop(chart);
    Obstacles obstacles = chartObstacles(layout, chart);
    const QRectF& plot = layout.plot;
    painter.save();
    painter.setFont(gothic(22));
    const auto measured = [&](const QString& caption) {
        const QRectF bounds = painter.boundingRect(QRectF(0, 0, 2000, 100),
                                                   Qt::AlignLeft | Qt::AlignVCenter, caption);
        return QSizeF(bounds.width() + 8, 34);
    };
    // Under the legend's notes, right of the plot: free whatever the curves do.
    double fallbackTop = plot.top() + 30 + 4 * 38 + 30 + chart.notes.size() * 34 + 20;
    const auto fallback = [&](const QSizeF& size) {
        const QRectF box(QPointF(plot.right() + 30, fallbackTop), size);
        fallbackTop += 40;
        return box;
    };

    // The planned flow's caption: along its line, above it or else below it.
    const QString planned = plannedCaption(chart, layout.ratioTop);
    const QSizeF plannedSize = measured(planned);
    const double lineY = layout.at(0, plannedLineRatio(chart, layout.ratioTop)).y();
    std::vector<QRectF> candidates;
    // Nearest the line first: just above, just below, then a row further each way.
    const double row = plannedSize.height() + 4;
    for (int away = 0; away < 4; ++away) {
        for (double offset :
             {-(row * (away + 1) + labelClearance), labelClearance + 2 + row * away})
            for (double x = plot.left() + 12; x + plannedSize.width() < plot.right() - 12; x += 20)
                candidates.emplace_back(QPointF(x, lineY + offset), plannedSize);
    }
    const QRectF plannedBox = firstFree(obstacles, candidates, plot, fallback(plannedSize));
    layout.labels.push_back({plannedBox, planned, plannedColour});
    obstacles.boxes.push_back(plannedBox);

    // The design depth's caption: beside its line, from the floor upwards.
    if (chart.documentDepth) {
        const QSizeF size = measured(chart.documentDepthText);
        const double lineX = layout.at(*chart.documentDepth, 0).x();
        candidates.clear();
        for (double y = plot.bottom() - 12 - size.height(); y > plot.top(); y -= 20) {
            candidates.emplace_back(QPointF(lineX - labelClearance - 4 - size.width(), y), size);
            candidates.emplace_back(QPointF(lineX + labelClearance + 4, y), size);
        }
        const QRectF box = firstFree(obstacles, candidates, plot, fallback(size));
        layout.labels.push_back({box, chart.documentDepthText, Qt::black});
        obstacles.boxes.push_back(box);
    }
    painter.restore();
    return layout;
}

// ---------------------------------------------------------------- drawing

namespace {

class ChartPainter {
public:
    ChartPainter(QPainter& painter, const ChartLayout& layout)
        : p_(painter), layout_(layout), plot_(layout.plot), top_(layout.ratioTop) {}

    QPointF at(double depth, double ratio) const { return layout_.at(depth, ratio); }

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

    void frame() {
        p_.setPen(QPen(Qt::black, 2));
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(plot_);
    }

    void curve(const CurveChart& chart, bool flow, const QColor& colour) {
        const std::vector<QPointF> line = curveLine(layout_, chart, flow);
        QPainterPath path;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (i == 0)
                path.moveTo(line[i]);
            else
                path.lineTo(line[i]);
        }
        p_.setPen(QPen(colour, 4));
        p_.setBrush(Qt::NoBrush);
        p_.drawPath(path);
    }

    void dots(const CurveChart& chart) {
        for (const auto& [centre, colour] : chartDots(layout_, chart)) {
            p_.setPen(QPen(Qt::white, 2));
            p_.setBrush(colour);
            p_.drawEllipse(centre, dotRadius, dotRadius);
        }
        p_.setBrush(Qt::NoBrush);
    }

    // The design depth's line, with a mark above the frame: at full depth the line
    // runs along the frame's right side and the mark still shows where it is.
    void documentDepth(const CurveChart& chart) {
        if (!chart.documentDepth)
            return;
        const double depth = *chart.documentDepth;
        p_.setPen(QPen(depthColour, 3, Qt::DashLine));
        p_.drawLine(at(depth, 0), at(depth, top_));
        const QPointF head = at(depth, top_);
        QPainterPath mark;
        mark.moveTo(head.x(), head.y() - 4);
        mark.lineTo(head.x() - 9, head.y() - 20);
        mark.lineTo(head.x() + 9, head.y() - 20);
        mark.closeSubpath();
        p_.fillPath(mark, depthColour);
    }

    void plannedFlow(const CurveChart& chart) {
        const double ratio = plannedLineRatio(chart, top_);
        p_.setPen(QPen(plannedColour, 3, Qt::DashDotLine));
        p_.drawLine(at(0, ratio), at(1, ratio));
    }

    void labels() {
        p_.setFont(gothic(22));
        for (const ChartLabel& label : layout_.labels) {
            p_.setPen(label.colour);
            p_.drawText(label.box.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                        label.text);
        }
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
    const ChartLayout& layout_;
    QRectF plot_;
    double top_;
};

} // namespace

void drawChart(QPainter& painter, const QSize& deviceSize, const CurveChart& chart,
               ChartLabels labels) {
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

    const ChartLayout layout = chartLayout(painter, deviceSize, chart);
    ChartPainter chartPainter(painter, layout);
    chartPainter.grid(chart.depthAxis);
    chartPainter.frame();
    chartPainter.documentDepth(chart);
    chartPainter.curve(chart, false, velocityColour);
    chartPainter.curve(chart, true, flowColour);
    chartPainter.plannedFlow(chart);
    chartPainter.dots(chart);
    if (labels == ChartLabels::Drawn)
        chartPainter.labels();
    chartPainter.legend(QPointF(layout.plot.right() + 30, layout.plot.top() + 30), chart.notes);
}

QByteArray curvePngBytes(const CurveChart& chart) {
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

QByteArray curvePdfBytes(const CurveChart& chart) {
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

QByteArray curveCsvBytes(const CurveChart& chart) {
    std::string table(csvByteOrderMark);
    for (const std::vector<std::string>& record : curveTable(chart.section, chart.points))
        table += csvRecord(record);
    return QByteArray::fromStdString(table);
}

QByteArray curveFileBytes(const CurveChart& chart, const QString& output) {
    const QString suffix = QFileInfo(output).suffix().toLower();
    if (suffix == QStringLiteral("png"))
        return curvePngBytes(chart);
    if (suffix == QStringLiteral("svg"))
        return curveSvgBytes(chart);
    if (suffix == QStringLiteral("pdf"))
        return curvePdfBytes(chart);
    return curveCsvBytes(chart);
}

} // namespace tovarin
