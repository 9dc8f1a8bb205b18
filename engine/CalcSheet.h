#pragma once
// The one calculation document of the program: inputs, choices, intermediates
// and results of a sewage-facility check. Plain aggregate, public fields.
// Numbers never assigned count as 0; choices start at "none chosen".

#include <string>

namespace tovarin {

enum class LandUse { None, Residential, NonResidential1, NonResidential2 };
enum class FlowEntryMode { None, Computed, Direct };
// A "有り"/"無し" pair of option buttons (groundwater, allowance).
enum class OnOff { None, Off, On };
enum class VelocityFormula { None, Manning, Kutter };
// Positions of the facility-kind list; None means nothing selected.
enum class FacilityKind {
    None = -1,
    VP = 0,
    VU = 1,
    FRPM = 2,
    Hume = 3,
    OtherCircular = 4,
    Rectangular = 5
};
// "しない" (Off) / "する" (On).
enum class MarginCheck { None, Off, On };

inline bool isStandardPipe(FacilityKind k) {
    return k == FacilityKind::VP || k == FacilityKind::VU || k == FacilityKind::FRPM ||
           k == FacilityKind::Hume;
}
inline bool isCircular(FacilityKind k) {
    return isStandardPipe(k) || k == FacilityKind::OtherCircular;
}
// Facility kind from a list position; anything outside 0..5 is None.
FacilityKind facilityKindFromIndex(int index);

struct CalcSheet {
    // Planned sewage flow
    double population = 0;       // P, persons
    double sewagePerCapita = 0;  // q (q1), L/person/day
    double drainageArea = 0;     // A, m2
    double sewagePerHectare = 0; // q2, m3/sec·ha
    LandUse landUse = LandUse::None;
    FlowEntryMode flowEntryMode = FlowEntryMode::None;
    double plannedFlowBase = 0; // Q1 before groundwater, m3/sec
    OnOff groundwaterOn = OnOff::None;
    double groundwaterRate = 0; // W, percent
    OnOff allowanceOn = OnOff::None;
    double flowAllowance = 0; // percent
    double plannedFlow = 0;   // Q1 including groundwater, m3/sec

    // Facility
    VelocityFormula velocityFormula = VelocityFormula::None;
    FacilityKind facilityKind = FacilityKind::None;
    int nominalSize = 0;
    std::string facilityLabel; // UTF-8, e.g. "VP - φ65"
    std::string materialName;  // UTF-8, as typed
    double pipeDiameter = 0;   // D, m
    double channelHeight = 0;  // H, m
    double channelWidth = 0;   // B, m
    double slopePermille = 0;  // x of x/1000
    double slope = 0;          // I = x / 1000
    double roughness = 0;      // n
    int depthChoice = 0;
    double depthRatio = 0; // 10, 9.5 ... 7, or 95 ... 70

    // Intermediates and results
    double flowArea = 0;        // A, m2
    double wettedPerimeter = 0; // P, m
    double hydraulicRadius = 0; // R, m
    double velocity = 0;        // V, m/sec
    double kutterNumerator = 0;
    double kutterDenominator = 0;
    double kutterRootRI = 0;
    double capacity = 0; // Q2, m3/sec; 0 = no current result
    double maxPopulation = 0;
    MarginCheck marginCheck = MarginCheck::None;
    double marginReference = 0; // percent
    double marginRatio = 0;     // percent

    // The result marker: a non-zero capacity means a result is on screen.
    bool hasResult() const { return capacity != 0; }
    void clearResult() { capacity = 0; }
};

} // namespace tovarin
