#pragma once
// The assessment of a computed facility: every verdict of a calculation, decided
// here once, from one CalcSheet with the allowance applied by one rule. The results
// panel, the sheet, the status line, the beep, the tool's outputs and the design
// aids only read it.

#include "engine/CalcSheet.h"

#include <optional>
#include <string>

namespace tovarin {

// Velocity guide of a sewage pipe, from the unrounded velocity V (m/sec):
// suitable from 0.6 to 3.0 inclusive, low below and high above.
enum class VelocityGuide { Low, Suitable, High };
inline constexpr double lowestSuitableVelocity = 0.6;  // m/sec
inline constexpr double highestSuitableVelocity = 3.0; // m/sec
VelocityGuide velocityGuide(double velocity);
// "不足", "適正" or "過大", for the sewage and the rainwater guide alike.
std::string velocityGuideText(VelocityGuide guide);
// "O.K" or "NG", as the results panels and the sheets print a verdict.
std::string verdictText(bool fails);

// The water at the planned flow: the lowest depth at which the section carries the
// flow, and the velocity there.
struct PlannedFlowState {
    double depthFraction = 0; // h/D or h/H
    double velocity = 0;      // m/sec
};

struct Assessment {
    double allowanceFactor = 1;   // fa of the applied allowance; 1 when it is not on
    double groundwaterFactor = 1; // fw = (W + 100) / 100
    // The flow compared with Q2: Q1′ = ((a + 100) × Q1) / 100 with the allowance on,
    // Q1 itself otherwise.
    double allowedFlow = 0;
    bool verdictShown = false;  // an allowance choice is made: verdict line and message
    bool capacityFails = false; // allowedFlow > Q2 (equality passes)
    bool maxPopulationShown = false;
    double shownMaxPopulation = 0; // maxPopulation divided by the factors switched on
    bool marginShown = false;
    bool marginFails = false;   // marginRatio < marginReference
    std::string verdictMessage; // empty when no allowance choice is made
    int beeps = 0;              // one per failing verdict
    // The water at the compared flow and its velocity guide; none when the flow is
    // not positive or the section cannot carry it.
    std::optional<PlannedFlowState> plannedFlowState;
    std::optional<VelocityGuide> plannedFlowGuide;
};

// Planned flow with groundwater, capacity verdict, maximum population, margin ratio
// and the verdict message. Writes plannedFlow, maxPopulation, marginReference and
// marginRatio; the rest is returned.
Assessment assess(CalcSheet& sheet, int marginListPosition);

// The verdicts of an already computed sheet (read again by the sheet and the panel).
Assessment assessmentOf(const CalcSheet& sheet);

// The planned flow that the groundwater step of the assessment gives, without
// writing it: plannedFlowBase with the groundwater factor when on, plannedFlowBase
// when off, the current plannedFlow when no choice is made.
double plannedFlowWithGroundwater(const CalcSheet& sheet);

// The allowance in percent that the calculation applies: flowAllowance with the
// allowance switched on, 0 otherwise, whatever an earlier choice left in the sheet.
double appliedAllowance(const CalcSheet& sheet);

// The flow compared with Q2 for a planned flow Q1: Q1′ with the allowance on (the
// multiplication before the division), Q1 itself otherwise.
double comparedFlowOf(const CalcSheet& sheet, double plannedFlow);

} // namespace tovarin
