#pragma once
// The documents the engine and sheet tests start from, as the windows hand them to
// "計算する" (ComputeInput) and as that request leaves the sheet (CalcSheet).
// Qt-free: for the GoogleTest targets as well.

#include "engine/Calculation.h"
#include "engine/CharacteristicCurve.h"

namespace tovarin::testing {

// The main sheet: Q1 = 0.0041 typed in, no groundwater, no allowance, Manning, margin
// check off; the facility window: 10 per mille, n = 0.010.
inline ComputeInput mainSheetInput(ComputeVariant variant) {
    ComputeInput in;
    in.variant = variant;
    in.plannedFlowText = "0.0041";
    in.groundwaterOn = OnOff::Off;
    in.allowanceOn = OnOff::Off;
    in.velocityFormula = VelocityFormula::Manning;
    in.flowEntryMode = FlowEntryMode::Computed;
    in.marginCheck = MarginCheck::Off;
    in.gradientText = "10";
    in.roughnessText = "0.010";
    return in;
}

// The residential VP example: VP φ100 at full flow.
inline ComputeInput vp100Input() {
    ComputeInput in = mainSheetInput(ComputeVariant::StandardPipe);
    in.facilityKindIndex = 0;
    in.sizeListPosition = 2;
    in.depthListPosition = 0;
    in.depthListText = "満流";
    return in;
}

// A 0.3 m "鋳鉄管" at "水量９５％".
inline ComputeInput otherCircularInput() {
    ComputeInput in = mainSheetInput(ComputeVariant::OtherCircular);
    in.facilityKindIndex = 4;
    in.materialText = "鋳鉄管";
    in.diameterText = "0.3";
    in.depthListPosition = 9;
    in.depthListText = "水量９５％";
    return in;
}

// A "コンクリート水路" 1.0 m high and 0.5 m wide at "水深８割".
inline ComputeInput rectangularInput() {
    ComputeInput in = mainSheetInput(ComputeVariant::Rectangular);
    in.facilityKindIndex = 5;
    in.materialText = "コンクリート水路";
    in.heightText = "1.0";
    in.widthText = "0.5";
    in.depthListPosition = 4;
    in.depthListText = "水深８割";
    return in;
}

// The sheet after "計算する" on a new document; a refused request leaves it as the
// refusal did (tests that use it expect acceptance and check the figures).
inline CalcSheet computedSheet(const ComputeInput& in) {
    CalcSheet sheet;
    computeRequest(sheet, in);
    return sheet;
}

// Curve sections: a 0.3 m circle at 5 per mille, n 0.013.
inline CurveSection circle(VelocityFormula formula) {
    CurveSection section;
    section.circular = true;
    section.diameter = 0.3;
    section.roughness = 0.013;
    section.slopePermille = 5;
    section.formula = formula;
    return section;
}

// 1.0 m high, 0.5 m wide: at half depth A = 0.25, P = 1.5 and at full depth (closed)
// A = 0.5, P = 3.0, so both have R = 1/6.
inline CurveSection channel() {
    CurveSection section;
    section.circular = false;
    section.height = 1.0;
    section.width = 0.5;
    section.roughness = 0.015;
    section.slopePermille = 2;
    section.formula = VelocityFormula::Manning;
    return section;
}

} // namespace tovarin::testing
