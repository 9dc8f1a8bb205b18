#pragma once
// Rainwater inputs shared by the tests: the worked example of the U-ditch and its
// variations.

#include "engine/Rainwater.h"

namespace tovarin::testing {

// 屋根 0.12 ha/0.90, 道路 0.08/0.85, 間地 0.25/0.20; タルボット a=5000, b=40; t1 = 7 min,
// L = 120 m; 矩形 H 0.30 B 0.30, 5.0 ‰, n 0.015, Manning, 水深８割.
inline RainwaterInput uDitchInput() {
    RainwaterInput in;
    in.areas = {{"屋根", "0.1200", "0.90"}, {"道路", "0.0800", "0.85"}, {"間地", "0.2500", "0.20"}};
    in.intensityForm = IntensityForm::Talbot;
    in.constantAText = "5000";
    in.constantBText = "40";
    in.inletTimeText = "7";
    in.flowLengthText = "120";
    in.facilityKind = RainwaterFacilityKind::Rectangular;
    in.materialText = "Ｕ型側溝３００";
    in.heightText = "0.30";
    in.widthText = "0.30";
    in.gradientText = "5.0";
    in.roughnessText = "0.015";
    in.velocityFormula = VelocityFormula::Manning;
    in.depthText = "水深８割";
    return in;
}

// The U-ditch input with a trapezoid of bottom width B, depth H and side slope m.
inline RainwaterInput trapezoidInput(const char* b, const char* h, const char* m,
                                     const char* depth = "水深８割") {
    RainwaterInput in = uDitchInput();
    in.facilityKind = RainwaterFacilityKind::Trapezoidal;
    in.materialText = "台形水路";
    in.widthText = b;
    in.heightText = h;
    in.sideSlopeText = m;
    in.depthText = depth;
    return in;
}

} // namespace tovarin::testing
