#pragma once
// Hydraulic characteristic curves (水理特性曲線) of a facility's section: the flow
// and the velocity at a partial depth as fractions of those at full depth, with
// the document's own roughness, gradient and velocity formula.

#include "engine/CalcSheet.h"

#include <optional>
#include <vector>

namespace tovarin {

struct CurveSection {
    bool circular = true;
    double diameter = 0; // D, m (circular)
    double height = 0;   // H, m (rectangular)
    double width = 0;    // B, m (rectangular)
    double roughness = 0;
    double slopePermille = 0;
    VelocityFormula formula = VelocityFormula::Manning;
};

// The section of a computed document; circular for the facility kinds 0 to 4.
CurveSection curveSectionOf(const CalcSheet& sheet);

struct FlowState {
    double area = 0;      // m2
    double perimeter = 0; // m
    double velocity = 0;  // m/sec, 0 when there is no water
    double flow = 0;      // m3/sec
};

// The flow at the depth fraction h/D or h/H (0 to 1). A circle uses the exact
// segment geometry. A rectangular channel is open below full depth (walls up to
// the water and the floor) and closed at full depth (the whole inner perimeter),
// as the program computes it. The velocity comes from the program's own Manning
// or Kutter computation.
FlowState flowStateAt(const CurveSection& section, double depthFraction);
// The same, approached from below: a rectangular channel stays open at full depth
// (the end of the curve's rising branch). A circle is the same as flowStateAt.
FlowState flowStateFromBelow(const CurveSection& section, double depthFraction);

struct CurvePoint {
    double depthFraction = 0; // h/D or h/H
    double flowRatio = 0;     // Q/Q_full
    double velocityRatio = 0; // V/V_full
};

// Points from 0 to 1 in `steps` equal steps (100 gives steps of 0.01).
std::vector<CurvePoint> characteristicCurve(const CurveSection& section, int steps = 100);

// The depth fraction of the document's depth choice: the tenths of the "割"
// entries, and for the "水量" entries of a circle the depth whose exact segment
// area is that percentage of the full area. None without a usable depth code.
std::optional<double> documentDepthFraction(const CalcSheet& sheet);

// The smallest depth fraction at which Q/Q_full reaches `flowRatio`, on the curve
// that rises from the empty section (a rectangular channel on its open branch up
// to full depth). None when the curve never reaches it.
std::optional<double> depthFractionForFlowRatio(const CurveSection& section, double flowRatio);
// The same for a flow in m3/sec: the lowest depth fraction that carries it.
std::optional<double> lowestDepthCarrying(const CurveSection& section, double flow);

} // namespace tovarin
