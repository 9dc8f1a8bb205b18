#pragma once
// The hydraulic characteristic curves of a computed document as a drawing (PNG, SVG,
// PDF) or a table (CSV): the one code behind tovarin-sheet --curve and the 設計補助
// window, so that both give the same bytes.

#include "engine/CalcSheet.h"
#include "engine/CharacteristicCurve.h"

#include <QByteArray>
#include <QColor>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QPainter;

namespace tovarin {

// Everything the drawing shows, computed before any painting.
struct CurveChart {
    CurveSection section;
    std::vector<CurvePoint> points;
    QString title;
    QString subtitle;
    QString depthRatioName;              // "h/D" or "h/H"
    QString depthAxis;                   // "水深比 h/D" or "水深比 h/H"
    std::optional<double> documentDepth; // the document's depth choice, h/D or h/H
    QString documentDepthText;           // its caption
    double plannedRatio = 0;             // Q1′ / Q_full
    std::optional<double> plannedDepth;  // where the flow curve reaches it
    QStringList notes;                   // below the legend
};

CurveChart chartOf(const CalcSheet& sheet);

// A caption placed on the plot, clear of every curve, line, mark and the frame.
struct ChartLabel {
    QRectF box; // logical units
    QString text;
    QColor colour;
};

// Where the drawing puts things, in logical units: the page is 1200 high and as wide
// as the device's aspect gives (1600 for 4:3).
struct ChartLayout {
    QRectF page;
    QRectF plot;
    double ratioTop = 1.2; // the upper end of the ratio axis
    std::vector<ChartLabel> labels;
    // Plot position of a depth fraction and a ratio.
    QPointF at(double depth, double ratio) const;
};

// The plot's place on a device of the given size, in logical units.
QRectF chartPlot(const QSize& deviceSize);

// The layout on a device of the given size; the painter (begun on that device)
// measures the captions.
ChartLayout chartLayout(QPainter& painter, const QSize& deviceSize, const CurveChart& chart);

// Draws the chart; without labels, for checking that nothing runs under them.
enum class ChartLabels { Drawn, Left };
void drawChart(QPainter& painter, const QSize& deviceSize, const CurveChart& chart,
               ChartLabels labels = ChartLabels::Drawn);

// The files: empty when drawing failed. The SVG is written by our own SVG writer
// (AidsCurveSvg.cpp, aids/SheetToolSvg.h).
QByteArray curvePngBytes(const CurveChart& chart);
QByteArray curveSvgBytes(const CurveChart& chart);
QByteArray curvePdfBytes(const CurveChart& chart);
QByteArray curveCsvBytes(const CurveChart& chart);
// By the output name's suffix (png, svg, pdf; csv otherwise).
QByteArray curveFileBytes(const CurveChart& chart, const QString& output);

} // namespace tovarin
