#pragma once
// What the report file tests share: a sheet to write, beside the scratch folder and
// the file bytes of every file test.

#include "engine/CalcSheet.h"
#include "tests/support/ScratchFolder.h"

#include <string>

namespace tovarin::testing {

// A residential sheet by Manning on a VP pipe, with the margin check on.
inline CalcSheet residentialSheet() {
    CalcSheet s;
    s.flowEntryMode = FlowEntryMode::Computed;
    s.landUse = LandUse::Residential;
    s.groundwaterOn = OnOff::Off;
    s.allowanceOn = OnOff::Off;
    s.population = 100;
    s.sewagePerCapita = 250;
    s.plannedFlowBase = 0.0003;
    s.plannedFlow = 0.0003;
    s.velocityFormula = VelocityFormula::Manning;
    s.facilityKind = FacilityKind::VP;
    s.facilityLabel = "VP - φ65";
    s.pipeDiameter = 0.0678;
    s.depthRatio = 8;
    s.slopePermille = 10;
    s.slope = 0.01;
    s.roughness = 0.010;
    s.flowArea = 0.0030959;
    s.wettedPerimeter = 0.1501228;
    s.hydraulicRadius = 0.0206227;
    s.velocity = 0.7520;
    s.capacity = 0.0023281;
    s.maxPopulation = 804.59;
    s.marginCheck = MarginCheck::On;
    s.marginReference = 100;
    s.marginRatio = 676.03;
    return s;
}

inline size_t count(const std::string& text, const std::string& piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) {
        ++n;
    }
    return n;
}

} // namespace tovarin::testing
