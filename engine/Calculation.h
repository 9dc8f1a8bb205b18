#pragma once
// The planned sewage flow, the section geometry, velocity and capacity, the
// assessment, and the compute request that ties them together.

#include "engine/Assessment.h"
#include "engine/CalcSheet.h"

#include <optional>
#include <string>

namespace tovarin {

// ---------------------------------------------------------------- planned flow

// What the planned-sewage dialog holds: its land-use choice and the four texts.
struct PlannedSewageInput {
    LandUse landUse = LandUse::None;
    std::string populationText;       // txt_p
    std::string sewagePerCapitaText;  // txt_q1
    std::string drainageAreaText;     // txt_a
    std::string sewagePerHectareText; // txt_q2
};

// Field of the planned-sewage dialog that a failed check focuses.
enum class PlannedSewageField { Population, SewagePerCapita, DrainageArea, SewagePerHectare };

struct PlannedSewageFailure {
    std::string message;
    PlannedSewageField focus;
};

// The four emptiness checks of the dialog's "ＯＫ", in their order.
std::optional<PlannedSewageFailure> checkPlannedSewage(const PlannedSewageInput& in);

// Keisan: stores the four numbers and, when a land use is chosen, plannedFlowBase.
void keisan(CalcSheet& sheet, const PlannedSewageInput& in);

// ---------------------------------------------------------------- section, capacity

// Catalogue diameter and label of a standard pipe; a position outside the list
// leaves both unchanged.
void resolveStandardPipe(CalcSheet& sheet);
// Circular section from pipeDiameter and depthRatio (unchanged when no row matches).
void computeCircularSection(CalcSheet& sheet);
// Rectangular section from channelHeight, channelWidth and depthRatio.
void computeRectangularSection(CalcSheet& sheet);

// A trapezoidal channel, open on top (the rainwater sheet's): its dimensions and the
// water depth h = (0.1 × depthRatio) × H, kept for its sheet lines.
struct TrapezoidFigures {
    double bottomWidth = 0; // B, m
    double height = 0;      // H, m
    double sideSlope = 0;   // m, horizontal per 1 vertical
    double waterDepth = 0;  // h, m
};
// Trapezoidal section from the trapezoid's dimensions and depthRatio: sets its water
// depth, then A = (B + m·h)·h and P = B + 2·h·√(1 + m²) (full or not: the floor and
// both slopes up to the water).
void computeTrapezoidalSection(CalcSheet& sheet, TrapezoidFigures& trapezoid);
// R, I, V (Manning or Kutter) and Q2, in the fixed order of operations.
void computeCapacity(CalcSheet& sheet);

// ---------------------------------------------------------------- compute request

enum class ComputeVariant { StandardPipe, OtherCircular, Rectangular };

// Everything the windows hold that a compute request reads, as typed or selected.
struct ComputeInput {
    ComputeVariant variant = ComputeVariant::StandardPipe;

    // Main input sheet
    std::string plannedFlowText; // txt3
    std::string groundwaterText; // txt2
    std::string allowanceText;   // txt1
    OnOff groundwaterOn = OnOff::None;
    OnOff allowanceOn = OnOff::None;
    VelocityFormula velocityFormula = VelocityFormula::None;
    int facilityKindIndex = -1; // lst_s position, -1 = none
    FlowEntryMode flowEntryMode = FlowEntryMode::None;
    MarginCheck marginCheck = MarginCheck::None;
    int marginListPosition = 0; // cob1 position
    // Planned-sewage dialog (None when it does not exist or has no land use)
    LandUse landUse = LandUse::None;

    // Facility window
    std::string materialText; // txt_m (other circular, rectangular)
    std::string diameterText; // other circular
    std::string heightText;   // rectangular
    std::string widthText;    // rectangular
    std::string gradientText;
    std::string roughnessText;
    int sizeListPosition = 0;  // lst_pu (standard pipe)
    int depthListPosition = 0; // cbo1
    std::string depthListText; // cbo1's current text; empty = nothing usable chosen
};

// Where the focus goes after a failed check.
enum class FocusTarget {
    PlannedFlowField,  // main sheet txt3
    GroundwaterField,  // main sheet txt2
    AllowanceField,    // main sheet txt1
    FacilityKindList,  // main sheet lst_s
    ManningOption,     // main sheet opt1
    PlannedFlowButton, // main sheet cmd1 "計算する"
    DiameterField,     // facility window
    HeightField,
    WidthField,
    GradientField,
    RoughnessField,
    DepthList,
};

struct ComputeFailure {
    std::string message;
    FocusTarget focus;
    bool caretAtStart = false;        // the field gets the caret at its start
    bool switchToDirectEntry = false; // no planned flow: the main sheet goes to direct entry
};

struct ComputeOutcome {
    std::optional<ComputeFailure> failure; // set when a check refused the request
    Assessment assessment;                 // valid when there is no failure
    bool ok() const { return !failure; }
};

// Gathering step only: copies the window fields into the sheet. A groundwater pair
// with neither option selected is gathered as "無し".
void gather(CalcSheet& sheet, const ComputeInput& in);

// One compute request: gather, check in the fixed order, section, capacity,
// assessment. A refused request leaves the gathered values and changes nothing else.
ComputeOutcome computeRequest(CalcSheet& sheet, const ComputeInput& in);

} // namespace tovarin
