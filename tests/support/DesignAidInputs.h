#pragma once
// The inputs the design aids' tests share: a standard pipe request and two curve
// sections. Qt-free.

#include "engine/Calculation.h"
#include "engine/CharacteristicCurve.h"

namespace tovarin::test {

// The residential VP example: Q1 = 0.0041, 10 per mille, n 0.010, full flow, Manning.
inline ComputeInput vpAtFullFlow() {
    ComputeInput in;
    in.variant = ComputeVariant::StandardPipe;
    in.plannedFlowText = "0.0041";
    in.groundwaterOn = OnOff::Off;
    in.allowanceOn = OnOff::Off;
    in.velocityFormula = VelocityFormula::Manning;
    in.flowEntryMode = FlowEntryMode::Computed;
    in.marginCheck = MarginCheck::Off;
    in.facilityKindIndex = 0;
    in.sizeListPosition = 2;
    in.gradientText = "10";
    in.roughnessText = "0.010";
    in.depthListPosition = 0;
    in.depthListText = "満流";
    return in;
}

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

} // namespace tovarin::test
