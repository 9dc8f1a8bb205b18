#include "engine/Calculation.h"
#include "engine/Catalogue.h"
#include "engine/Units.h"

#include <cmath>

namespace tovarin {

void resolveStandardPipe(CalcSheet& sheet) {
    if (!isStandardPipe(sheet.facilityKind))
        return;
    const std::vector<PipeSize>& sizes = PipeCatalogue::sizes(sheet.facilityKind);
    if (sheet.nominalSize < 0 || sheet.nominalSize >= static_cast<int>(sizes.size()))
        return;
    const PipeSize& size = sizes[static_cast<std::size_t>(sheet.nominalSize)];
    sheet.pipeDiameter = size.diameter;
    sheet.facilityLabel = size.label;
}

void computeCircularSection(CalcSheet& sheet) {
    const DepthRow* row = DepthRatioTable::find(sheet.depthRatio);
    if (row == nullptr)
        return;
    const double d = sheet.pipeDiameter;
    sheet.flowArea = std::pow(d, 2.0) * row->a;
    sheet.wettedPerimeter = d * row->p;
}

void computeRectangularSection(CalcSheet& sheet) {
    const double ratio = sheet.depthRatio;
    const double waterDepth = (depthFractionPerTenth * ratio) * sheet.channelHeight;
    sheet.flowArea = waterDepth * sheet.channelWidth;
    if (ratio < 10) {
        // Open flow: both walls up to the water and the floor.
        sheet.wettedPerimeter = 2 * waterDepth + sheet.channelWidth;
    } else if (ratio == 10) {
        // Full: the whole inner perimeter of the closed section.
        sheet.wettedPerimeter = 2 * (waterDepth + sheet.channelWidth);
    }
}

void computeTrapezoidalSection(CalcSheet& sheet, TrapezoidFigures& t) {
    t.waterDepth = (depthFractionPerTenth * sheet.depthRatio) * t.height;
    const double h = t.waterDepth;
    sheet.flowArea = (t.bottomWidth + t.sideSlope * h) * h;
    sheet.wettedPerimeter = t.bottomWidth + 2 * h * std::sqrt(1 + t.sideSlope * t.sideSlope);
}

namespace {

void computeManningVelocity(CalcSheet& sheet) {
    const double t1 = 1 / sheet.roughness;
    const double t2 = std::pow(sheet.hydraulicRadius, 2.0 / 3.0);
    const double t3 = t2 * t1;
    const double t4 = std::pow(sheet.slope, 1.0 / 2.0);
    sheet.velocity = t4 * t3;
}

void computeKutterVelocity(CalcSheet& sheet) {
    const double n = sheet.roughness;
    const double r = sheet.hydraulicRadius;
    const double i = sheet.slope;
    sheet.kutterNumerator = (1 / n + 23) + 0.00155 / i;
    sheet.kutterDenominator = (n * (0.00155 / i + 23)) / std::pow(r, 0.5) + 1;
    sheet.kutterRootRI = std::pow(i * r, 0.5);
    sheet.velocity = sheet.kutterRootRI * (sheet.kutterNumerator / sheet.kutterDenominator);
}

} // namespace

void computeCapacity(CalcSheet& sheet) {
    sheet.hydraulicRadius = sheet.flowArea / sheet.wettedPerimeter;
    sheet.slope = sheet.slopePermille / permillePerUnit;
    if (sheet.velocityFormula == VelocityFormula::Manning)
        computeManningVelocity(sheet);
    if (sheet.velocityFormula == VelocityFormula::Kutter)
        computeKutterVelocity(sheet);
    sheet.capacity = sheet.velocity * sheet.flowArea;
}

} // namespace tovarin
