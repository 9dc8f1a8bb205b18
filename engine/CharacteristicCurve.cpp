#include "engine/CharacteristicCurve.h"

#include "engine/Calculation.h"
#include "engine/Catalogue.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tovarin {

namespace {

// Area and wetted perimeter of a circle filled to h = f·D: with the central angle
// θ = 2·acos(1 − 2f), A = D²(θ − sin θ)/8 and P = D·θ/2.
void circularSegment(double diameter, double fraction, double& area, double& perimeter) {
    const double theta = 2 * std::acos(std::clamp(1 - 2 * fraction, -1.0, 1.0));
    area = diameter * diameter * (theta - std::sin(theta)) / 8;
    perimeter = diameter * theta / 2;
}

// Open below full depth, closed at full depth, as the program's section step.
void rectangularSection(double height, double width, double fraction, bool closedAtFull,
                        double& area, double& perimeter) {
    const double depth = fraction * height;
    area = depth * width;
    perimeter = (closedAtFull && fraction >= 1) ? 2 * (depth + width) : 2 * depth + width;
}

FlowState flowState(const CurveSection& section, double fraction, bool closedAtFull) {
    FlowState state;
    fraction = std::clamp(fraction, 0.0, 1.0);
    if (section.circular)
        circularSegment(section.diameter, fraction, state.area, state.perimeter);
    else
        rectangularSection(section.height, section.width, fraction, closedAtFull, state.area,
                           state.perimeter);
    if (state.area <= 0)
        return state; // no water: no velocity
    CalcSheet trial;
    trial.flowArea = state.area;
    trial.wettedPerimeter = state.perimeter;
    trial.slopePermille = section.slopePermille;
    trial.roughness = section.roughness;
    trial.velocityFormula = section.formula;
    computeCapacity(trial);
    state.velocity = trial.velocity;
    state.flow = trial.capacity;
    return state;
}

// Depth fraction with the given share of the full circle's area, by bisection
// (the segment area grows with the depth).
double circularFractionForArea(double areaShare) {
    double low = 0, high = 1;
    double fullArea = 0, fullPerimeter = 0;
    circularSegment(1, 1, fullArea, fullPerimeter);
    for (int i = 0; i < 100; ++i) {
        const double middle = (low + high) / 2;
        double area = 0, perimeter = 0;
        circularSegment(1, middle, area, perimeter);
        (area / fullArea < areaShare ? low : high) = middle;
    }
    return (low + high) / 2;
}

} // namespace

CurveSection curveSectionOf(const CalcSheet& sheet) {
    CurveSection section;
    section.circular = isCircular(sheet.facilityKind);
    section.diameter = sheet.pipeDiameter;
    section.height = sheet.channelHeight;
    section.width = sheet.channelWidth;
    section.roughness = sheet.roughness;
    section.slopePermille = sheet.slopePermille;
    section.formula = sheet.velocityFormula;
    return section;
}

FlowState flowStateAt(const CurveSection& section, double depthFraction) {
    return flowState(section, depthFraction, true);
}

FlowState flowStateFromBelow(const CurveSection& section, double depthFraction) {
    return flowState(section, depthFraction, false);
}

std::vector<CurvePoint> characteristicCurve(const CurveSection& section, int steps) {
    steps = std::max(steps, 1);
    const FlowState full = flowStateAt(section, 1);
    std::vector<CurvePoint> points;
    points.reserve(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        // i / steps, so that the last point is exactly 1 and 0.5 is exact for even steps.
        const double fraction = static_cast<double>(i) / steps;
        const FlowState state = flowStateAt(section, fraction);
        points.push_back({fraction, state.flow / full.flow, state.velocity / full.velocity});
    }
    return points;
}

std::optional<double> documentDepthFraction(const CalcSheet& sheet) {
    const DepthRow* row = DepthRatioTable::find(sheet.depthRatio);
    if (!row)
        return std::nullopt;
    if (row->code <= 10) // tenths of the depth
        return row->code / 10;
    if (isCircular(sheet.facilityKind)) // percent of the full area
        return circularFractionForArea(row->code / 100);
    return std::nullopt;
}

std::optional<double> depthFractionForFlowRatio(const CurveSection& section, double flowRatio) {
    const double fullFlow = flowStateAt(section, 1).flow;
    if (!(flowRatio >= 0) || !(fullFlow > 0))
        return std::nullopt;
    return lowestDepthCarrying(section, flowRatio * fullFlow);
}

std::optional<double> lowestDepthCarrying(const CurveSection& section, double flow) {
    if (!(flow >= 0) || !(flowStateAt(section, 1).flow > 0))
        return std::nullopt;
    if (flow == 0)
        return 0.0;
    // The rising flow has one peak (a circle's near 0.94, a channel's at full
    // depth): found by golden-section search, it bounds the depths that can carry
    // the flow; below it the flow grows with the depth, so bisection finds the
    // lowest one.
    const auto rising = [&](double fraction) { return flowStateFromBelow(section, fraction).flow; };
    const double golden = (std::sqrt(5.0) - 1) / 2;
    double low = 0, high = 1;
    for (int i = 0; i < 80; ++i) {
        const double left = high - golden * (high - low);
        const double right = low + golden * (high - low);
        if (rising(left) < rising(right))
            low = left;
        else
            high = right;
    }
    double peak = (low + high) / 2;
    if (rising(1) >= rising(peak))
        peak = 1;
    if (rising(peak) < flow)
        return std::nullopt;
    low = 0;
    high = peak;
    for (int k = 0; k < 80; ++k) {
        const double middle = (low + high) / 2;
        (rising(middle) < flow ? low : high) = middle;
    }
    return high;
}

} // namespace tovarin
