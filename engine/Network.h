#pragma once
// A drainage network: sections (区間) between manholes, each flowing into the section
// whose upper manhole is its lower one, their areas (rainwater) or population and
// flow (sewage) adding up downstream. Each section is computed as the single sheet of
// its kind computes its facility: the rainwater chain of engine/Rainwater.h over the
// accumulated catchment, or the sewage sheet's own section, capacity and verdict for
// a directly entered Q1. Every figure comes from the printed figure before it, and
// every verdict is decided here once. The order of the sections is found once, in
// time linear in their number. Qt-free.

#include "engine/Assessment.h"
#include "engine/CalcSheet.h"
#include "engine/Rainwater.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tovarin {

enum class NetworkKind { Rainwater, Sewage };

// The most sections a network may hold.
inline constexpr std::size_t maximumNetworkSections = 2000;

// One section as typed.
struct NetworkSection {
    std::string name;       // 区間
    std::string upper;      // upper manhole
    std::string lower;      // lower manhole
    std::string lengthText; // L, m
    // The section's own areas (rainwater) and its facility: 施設, 勾配, 粗度係数, 公式,
    // 有効水深 as the rainwater document holds them. The intensity fields are unused.
    RainwaterInput facility;
    std::string populationText; // sewage: its own 人口, empty when not given
    std::string sewageFlowText; // sewage: its own 汚水量 (m3/sec), empty when not given
    // Levels (engine/NetworkLevels.h), each empty when not given: 地盤高 at the upper
    // and lower manhole, 管底高 at the upper end, 管厚 (m).
    std::string groundUpperText;
    std::string groundLowerText;
    std::string invertText;
    std::string wallText;

    bool operator==(const NetworkSection&) const = default;
};

// Everything a network document holds.
struct NetworkInput {
    NetworkKind kind = NetworkKind::Rainwater;
    // Rainwater: the intensity form and its constants, and the inlet time t1 (not with
    // 直接), in the fields of a rainwater input; the rest of it is unused.
    RainwaterInput intensity;
    // Sewage: q1 (L/person/day), and W and a in percent (empty when not given).
    std::string perCapitaText;
    std::string groundwaterText;
    std::string allowanceText;
    std::string minimumCoverText;         // 最小土被り (m), empty when not given
    std::vector<NetworkSection> sections; // in the document's order

    bool operator==(const NetworkInput&) const = default;
};

// ---------------------------------------------------------------- the order

// How the sections connect: each one's downstream section, the order in which every
// section comes after all that flow into it, and whether nothing flows into it.
struct NetworkOrder {
    std::vector<int> downstream;    // index of the section it flows into; -1 at an outlet
    std::vector<std::size_t> order; // upstream before downstream
    std::vector<bool> head;         // nothing flows into it
};

// ---------------------------------------------------------------- refusal

// What a refused network is about: a section's field (section set), or the network's
// own (section none), and the field as the rainwater input names it.
enum class NetworkField {
    Intensity,    // 降雨強度 (rainwater), field says which constant
    InletTime,    // 流入時間
    PerCapita,    // 一人一日汚水量
    Groundwater,  // 地下水
    Allowance,    // 余裕
    SectionLine,  // the 区間 line itself (its length, or its shape)
    SectionField, // a key of the section: field and row say which
    Population,   // 人口
    SewageFlow,   // 汚水量
    MinimumCover, // 最小土被り
    Ground,       // 地盤高
    Invert,       // 管底高
    Wall,         // 管厚
};

struct NetworkRefusal {
    std::string message; // Japanese; a section's refusal starts with its name
    NetworkField what = NetworkField::SectionLine;
    std::optional<std::size_t> section;
    RainwaterField field = RainwaterField::AreaTable; // SectionField and Intensity
    int row = -1;                                     // area row of AreaTable

    bool operator==(const NetworkRefusal&) const = default;
};

// The order of the sections, or the first fault of the network's structure, each in
// the document's order: two sections with one name, an upper manhole equal to the
// lower one, a manhole that is the upper end of two sections, a circle of sections
// (one of its sections named), a head section without an area (rainwater) or without
// population and flow (sewage), 台形 in a sewage network. Reading a document refuses
// it as the calculation does.
struct NetworkStructure {
    std::optional<NetworkRefusal> refusal;
    NetworkOrder order; // valid when there is no refusal
};
NetworkStructure networkStructure(const NetworkInput& input);

// ---------------------------------------------------------------- figures

// One section computed. `facility` holds what the single sheet holds for its
// facility (kind, CalcSheet, V, Q2 printed); for rainwater it is the whole chain:
// its own areas in `areas`, ΣA in `area`, ΣCA in `runoffSum`, C in `runoff`, the
// inflow time in `inletTime` (t1 at a head section, else the longest arrival of the
// sections flowing into it), t2, t, I and Q.
struct NetworkSectionResult {
    std::string name;
    std::string upper;
    std::string lower;
    double length = 0; // L as printed "0.0#", m
    int downstream = -1;

    RainwaterResult facility;
    double ownArea = 0; // rainwater: ΣAi of its own areas, "0.0000"

    // Sewage.
    double ownPopulation = 0;   // its own 人口, "0"
    double population = 0;      // ΣP, "0"
    double sewageFlow = 0;      // ΣQd, unrounded
    double plannedFlowBase = 0; // Q1, "0.0000"
    double plannedFlow = 0;     // Q = (W + 100)·Q1/100, "0.0000"

    // The verdicts.
    bool capacityFails = false;
    VelocityGuide guide = VelocityGuide::Suitable;
};

struct NetworkResult {
    NetworkKind kind = NetworkKind::Rainwater;
    // Rainwater: the intensity's printed constants and t1 (in the RainwaterResult's
    // fields intensityForm, constantA/B/N, inletTime; intensity with 直接).
    RainwaterResult intensity;
    // Sewage: the printed q1, W and a; W and a none when not given.
    double perCapita = 0;
    std::optional<double> groundwater;
    std::optional<double> allowance;
    std::vector<NetworkSectionResult> sections; // in the document's order
};

// The velocity guide of a sewage section, on its printed V: 適正 from 0.6 to 3.0.
VelocityGuide sewageNetworkVelocityGuide(double printedVelocity);

struct NetworkOutcome {
    std::optional<NetworkRefusal> failure;
    NetworkResult result; // valid when there is no failure
    bool ok() const { return !failure; }
};

// Checks the network's fields, then each section's in the document's order (the
// rainwater field checks of engine/RainwaterFields.h for the facility and the areas),
// then its shape, then computes the sections from upstream down.
NetworkOutcome computeNetwork(const NetworkInput& input);

} // namespace tovarin
