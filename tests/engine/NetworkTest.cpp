#include "engine/Network.h"

#include "engine/Calculation.h"
#include "engine/NumberText.h"
#include "engine/Rainwater.h"
#include "tests/support/NetworkInputs.h"

#include <gtest/gtest.h>

#include <map>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

NetworkResult computed(const NetworkInput& in) {
    NetworkOutcome outcome = computeNetwork(in);
    EXPECT_TRUE(outcome.ok()) << (outcome.failure ? outcome.failure->message : "");
    return outcome.result;
}

std::string text(double value, const char* pattern) {
    return formatNumber(value, pattern);
}

std::string optionalText(const std::optional<double>& value, const char* pattern) {
    return value ? formatNumber(*value, pattern) : "-";
}

// ---------------------------------------------------------------- worked examples

TEST(NetworkExamples, RainwaterGivesTheWorkedTable) {
    const NetworkResult result = computed(rainwaterNetworkExample());
    // 区間, ΣA, C, 流入, t2, t, I, Q, V, Q2, 判定
    const std::vector<std::vector<std::string>> expected = {
        {"A-1", "0.1800", "0.88", "7.0", "1.0", "8.0", "104.2", "0.0458", "0.9628", "0.0693",
         "O.K"},
        {"B-1", "0.2500", "0.33", "7.0", "0.9", "7.9", "104.4", "0.0239", "0.8612", "0.0620",
         "O.K"},
        {"A-2", "0.4700", "0.59", "8.0", "1.5", "9.5", "101.0", "0.0778", "0.9035", "0.1156",
         "O.K"},
    };
    ASSERT_EQ(result.sections.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const NetworkSectionResult& s = result.sections[i];
        const RainwaterResult& r = s.facility;
        const std::vector<std::string> got = {s.name,
                                              text(r.area, "0.0000"),
                                              text(r.runoff, "0.00"),
                                              optionalText(r.inletTime, "0.0#"),
                                              optionalText(r.flowTime, "0.0"),
                                              optionalText(r.concentrationTime, "0.0"),
                                              text(r.intensity, "0.0"),
                                              text(r.plannedFlow, "0.0000"),
                                              text(r.velocity, "0.0000"),
                                              text(r.capacity, "0.0000"),
                                              verdictText(s.capacityFails)};
        EXPECT_EQ(got, expected[i]);
        EXPECT_EQ(s.guide, VelocityGuide::Suitable);
    }
    EXPECT_EQ(result.sections[2].facility.runoffSum, 0.2755);
    EXPECT_EQ(result.sections[0].downstream, 2);
    EXPECT_EQ(result.sections[2].downstream, -1);
}

TEST(NetworkExamples, SewageGivesTheWorkedTable) {
    const NetworkResult result = computed(sewageNetworkExample());
    // 区間, ΣP, Q1, Q, V, Q2, 判定
    const std::vector<std::vector<std::string>> expected = {
        {"1", "60", "0.0002", "0.0002", "1.5622", "0.0434", "O.K"},
        {"2", "48", "0.0002", "0.0002", "1.5622", "0.0434", "O.K"},
        {"3", "120", "0.0010", "0.0011", "1.1047", "0.0307", "O.K"},
    };
    ASSERT_EQ(result.sections.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const NetworkSectionResult& s = result.sections[i];
        const std::vector<std::string> got = {s.name,
                                              text(s.population, "0"),
                                              text(s.plannedFlowBase, "0.0000"),
                                              text(s.plannedFlow, "0.0000"),
                                              text(s.facility.velocity, "0.0000"),
                                              text(s.facility.capacity, "0.0000"),
                                              verdictText(s.capacityFails)};
        EXPECT_EQ(got, expected[i]);
        EXPECT_EQ(s.guide, VelocityGuide::Suitable);
    }
}

// ---------------------------------------------------------------- one section = the sheet

// The rainwater sheet's input of a network's only section.
RainwaterInput singleSheetInput(const NetworkInput& network) {
    const NetworkSection& s = network.sections.front();
    RainwaterInput in = s.facility;
    const RainwaterInput& i = network.intensity;
    in.intensityForm = i.intensityForm;
    in.constantAText = i.constantAText;
    in.constantBText = i.constantBText;
    in.constantNText = i.constantNText;
    in.directIntensityText = i.directIntensityText;
    in.inletTimeText = i.inletTimeText;
    in.flowLengthText = s.lengthText;
    return in;
}

TEST(NetworkOfOneSection, GivesTheRainwaterSheetsFigures) {
    NetworkGenerator generate(35);
    int compared = 0;
    for (int n = 0; n < 400; ++n) {
        const NetworkInput network = generate.network(NetworkKind::Rainwater, 1);
        const RainwaterOutcome single = computeRainwater(singleSheetInput(network));
        const NetworkOutcome outcome = computeNetwork(network);
        // Both refuse the same inputs (a denominator not above 0, say).
        ASSERT_EQ(single.ok(), outcome.ok()) << n;
        if (!single.ok())
            continue;
        ++compared;
        const RainwaterResult& a = single.result;
        const NetworkSectionResult& s = outcome.result.sections.front();
        const RainwaterResult& b = s.facility;
        SCOPED_TRACE(n);
        EXPECT_EQ(a.area, b.area);
        EXPECT_EQ(a.runoffSum, b.runoffSum);
        EXPECT_EQ(a.runoff, b.runoff);
        EXPECT_EQ(a.inletTime, b.inletTime);
        EXPECT_EQ(a.flowTime, b.flowTime);
        EXPECT_EQ(a.concentrationTime, b.concentrationTime);
        EXPECT_EQ(a.intensity, b.intensity);
        EXPECT_EQ(a.plannedFlow, b.plannedFlow);
        EXPECT_EQ(a.velocity, b.velocity);
        EXPECT_EQ(a.capacity, b.capacity);
        EXPECT_EQ(a.capacityFails, s.capacityFails);
        EXPECT_EQ(a.guide, s.guide);
    }
    EXPECT_GT(compared, 300);
}

// The sewage sheet's compute request for Q1 entered directly, with the network's
// groundwater and allowance and the section's facility.
ComputeInput directEntry(const NetworkInput& network, const std::string& plannedFlowText) {
    const RainwaterInput& f = network.sections.front().facility;
    ComputeInput in;
    in.plannedFlowText = plannedFlowText;
    in.groundwaterOn = network.groundwaterText.empty() ? OnOff::Off : OnOff::On;
    in.groundwaterText = network.groundwaterText;
    in.allowanceOn = network.allowanceText.empty() ? OnOff::Off : OnOff::On;
    in.allowanceText = network.allowanceText;
    in.velocityFormula = f.velocityFormula;
    in.flowEntryMode = FlowEntryMode::Direct;
    in.marginCheck = MarginCheck::Off;
    in.facilityKindIndex = static_cast<int>(sewageFacilityKind(f.facilityKind));
    in.materialText = f.materialText;
    in.diameterText = f.diameterText;
    in.heightText = f.heightText;
    in.widthText = f.widthText;
    in.gradientText = f.gradientText;
    in.roughnessText = f.roughnessText;
    in.sizeListPosition = f.sizeListPosition;
    in.depthListPosition = *depthPosition(f.facilityKind, f.depthText);
    in.depthListText = f.depthText;
    in.variant = f.facilityKind == RainwaterFacilityKind::Rectangular ? ComputeVariant::Rectangular
                 : f.facilityKind == RainwaterFacilityKind::OtherCircular
                     ? ComputeVariant::OtherCircular
                     : ComputeVariant::StandardPipe;
    return in;
}

TEST(NetworkOfOneSection, GivesTheSewageSheetsFiguresForQ1EnteredDirectly) {
    NetworkGenerator generate(36);
    for (int n = 0; n < 400; ++n) {
        const NetworkInput network = generate.network(NetworkKind::Sewage, 1);
        const NetworkResult result = computed(network);
        const NetworkSectionResult& s = result.sections.front();
        SCOPED_TRACE(n);
        // Q1 from the printed q1 and P, worked here on its own.
        const NetworkSection& typed = network.sections.front();
        const double people = textToNumber(text(textToNumber(typed.populationText), "0"));
        const double flow = typed.sewageFlowText.empty() ? 0 : textToNumber(typed.sewageFlowText);
        const double q1 = textToNumber(text(textToNumber(network.perCapitaText), "0.0#"));
        const std::string q1Text = text(q1 * people / 86'400'000 + flow, "0.0000");
        ASSERT_EQ(text(s.plannedFlowBase, "0.0000"), q1Text);

        CalcSheet sheet;
        const ComputeOutcome single = computeRequest(sheet, directEntry(network, q1Text));
        ASSERT_TRUE(single.ok()) << single.failure->message;
        EXPECT_EQ(text(sheet.plannedFlow, "0.0000"), text(s.plannedFlow, "0.0000"));
        EXPECT_EQ(text(sheet.velocity, "0.0000"), text(s.facility.velocity, "0.0000"));
        EXPECT_EQ(text(sheet.capacity, "0.0000"), text(s.facility.capacity, "0.0000"));
        EXPECT_EQ(single.assessment.capacityFails, s.capacityFails);
        EXPECT_EQ(velocityGuide(textToNumber(text(sheet.velocity, "0.0000"))), s.guide);
    }
}

// ---------------------------------------------------------------- accumulation

// The totals of every section, summed here without the engine's order: each section's
// own figures are added into it and into every section below it.
struct Totals {
    double area = 0;
    double population = 0;
};

std::map<std::string, Totals> independentTotals(const NetworkInput& network) {
    std::map<std::string, const NetworkSection*> byUpper;
    for (const NetworkSection& s : network.sections)
        byUpper[s.upper] = &s;
    std::map<std::string, Totals> totals;
    for (const NetworkSection& s : network.sections) {
        double area = 0;
        for (const CatchmentArea& a : s.facility.areas)
            area += textToNumber(text(textToNumber(a.areaText), "0.0000"));
        const double people =
            s.populationText.empty() ? 0 : textToNumber(text(textToNumber(s.populationText), "0"));
        for (const NetworkSection* at = &s; at;) {
            totals[at->name].area += area;
            totals[at->name].population += people;
            const auto down = byUpper.find(at->lower);
            at = down == byUpper.end() ? nullptr : down->second;
        }
    }
    return totals;
}

TEST(NetworkAccumulation, AddsEverySectionUpstreamAsASimpleSumDoes) {
    NetworkGenerator generate(37);
    for (NetworkKind kind : {NetworkKind::Rainwater, NetworkKind::Sewage}) {
        for (int n = 0; n < 40; ++n) {
            NetworkInput network = generate.network(kind, 2 + static_cast<std::size_t>(n));
            // Facilities large enough that no random figure is refused.
            for (NetworkSection& s : network.sections) {
                s.facility.facilityKind = RainwaterFacilityKind::Rectangular;
                s.facility.heightText = "2.0";
                s.facility.widthText = "2.0";
                s.facility.depthText = "水深８割";
            }
            network.intensity = rainwaterNetworkExample().intensity;
            const std::map<std::string, Totals> totals = independentTotals(network);
            const NetworkResult result = computed(network);
            for (const NetworkSectionResult& s : result.sections) {
                const Totals& t = totals.at(s.name);
                if (kind == NetworkKind::Rainwater)
                    EXPECT_EQ(text(s.facility.area, "0.0000"), text(t.area, "0.0000")) << s.name;
                else
                    EXPECT_EQ(text(s.population, "0"), text(t.population, "0")) << s.name;
            }
        }
    }
}

TEST(NetworkAccumulation, TakesTheLongestArrivalAsTheInflowTime) {
    NetworkGenerator generate(38);
    NetworkInput network = generate.network(NetworkKind::Rainwater, 60);
    network.intensity = rainwaterNetworkExample().intensity;
    const NetworkResult result = computed(network);
    std::map<int, double> longest;
    for (std::size_t i = 0; i < result.sections.size(); ++i) {
        const NetworkSectionResult& s = result.sections[i];
        if (s.downstream >= 0)
            longest[s.downstream] = std::max(longest[s.downstream], *s.facility.concentrationTime);
    }
    for (std::size_t i = 0; i < result.sections.size(); ++i) {
        const RainwaterResult& r = result.sections[i].facility;
        const auto fed = longest.find(static_cast<int>(i));
        EXPECT_EQ(*r.inletTime, fed == longest.end() ? *result.intensity.inletTime : fed->second);
        EXPECT_EQ(*r.concentrationTime, textToNumber(text(*r.inletTime + *r.flowTime, "0.0")));
    }
}

TEST(NetworkAccumulation, DoesNotDependOnTheOrderOfTheSections) {
    NetworkInput network = rainwaterNetworkExample();
    const NetworkResult listed = computed(network);
    std::reverse(network.sections.begin(), network.sections.end());
    const NetworkResult reversed = computed(network);
    for (std::size_t i = 0; i < listed.sections.size(); ++i) {
        const NetworkSectionResult& a = listed.sections[i];
        const NetworkSectionResult& b = reversed.sections[listed.sections.size() - 1 - i];
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.facility.plannedFlow, b.facility.plannedFlow);
        EXPECT_EQ(a.facility.inletTime, b.facility.inletTime);
    }
}

// ---------------------------------------------------------------- refusals

struct RefusalCase {
    const char* name;
    void (*change)(NetworkInput&);
    const char* message;
    std::optional<std::size_t> section;
    bool structural = false;
};

class NetworkRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(NetworkRefusals, NameTheSectionAndWhy) {
    const RefusalCase& c = GetParam();
    NetworkInput network = rainwaterNetworkExample();
    c.change(network);
    const NetworkOutcome outcome = computeNetwork(network);
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.failure->message, c.message);
    EXPECT_EQ(outcome.failure->section, c.section);
    // What reading refuses as well: the shape of the network and its head sections.
    EXPECT_EQ(networkStructure(network).refusal, c.structural ? outcome.failure : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NetworkRefusals,
    ::testing::Values(
        RefusalCase{"TwoSectionsOfOneName", [](NetworkInput& n) { n.sections[1].name = "A-1"; },
                    "区間「A-1」：同じ名前の区間がもう一つあります。", 1, true},
        RefusalCase{"UpperIsLower", [](NetworkInput& n) { n.sections[0].lower = "No.1"; },
                    "区間「A-1」：上流と下流が同じ人孔「No.1」です。", 0, true},
        RefusalCase{"TwoSectionsOutOfOneManhole",
                    [](NetworkInput& n) { n.sections[1].upper = "No.1"; },
                    "区間「B-1」：人孔「No.1」は区間「A-1」の上流端でもあります（一つの人孔から"
                    "流れ出る区間は一つです）。",
                    1, true},
        RefusalCase{"Circle", [](NetworkInput& n) { n.sections[2].lower = "No.1"; },
                    "区間「A-1」：区間が循環しています（下流をたどるとこの区間に戻ります）。", 0,
                    true},
        RefusalCase{
            "HeadWithoutArea", [](NetworkInput& n) { n.sections[1].facility.areas.clear(); },
            "区間「B-1」：上流に区間のない区間には「区域」を１つ以上入力してください。", 1, true},
        RefusalCase{"NegativeLength", [](NetworkInput& n) { n.sections[2].lengthText = "-1"; },
                    "区間「A-2」：延長には０以上の値を入力してください。", 2},
        RefusalCase{"ZeroGradient",
                    [](NetworkInput& n) { n.sections[2].facility.gradientText = "0"; },
                    "区間「A-2」：施設の勾配には正の値を入力してください。", 2},
        RefusalCase{"RunoffAboveOne",
                    [](NetworkInput& n) { n.sections[0].facility.areas[1].runoffText = "1.2"; },
                    "区間「A-1」：区域（2行目）の流出係数には０より大きく１以下の値を入力してく"
                    "ださい。",
                    0},
        RefusalCase{"ZeroInletTime", [](NetworkInput& n) { n.intensity.inletTimeText = "0"; },
                    "流入時間には0.01分以上の値を入力してください。", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NetworkRefusals, SewageNeedsPopulationOrFlowAtAHeadAndNoTrapezoid) {
    NetworkInput network = sewageNetworkExample();
    network.sections[0].populationText.clear();
    EXPECT_EQ(computeNetwork(network).failure->message,
              "区間「1」：上流に区間のない区間には「人口」か「汚水量」を入力してください。");
    network.sections[0].sewageFlowText = "0.0001";
    EXPECT_TRUE(computeNetwork(network).ok());
    network.sections[1].facility.facilityKind = RainwaterFacilityKind::Trapezoidal;
    EXPECT_EQ(computeNetwork(network).failure->message,
              "区間「2」：汚水の系統には台形の施設は使えません。");
    network = sewageNetworkExample();
    network.perCapitaText = "0";
    EXPECT_EQ(computeNetwork(network).failure->message,
              "一人一日汚水量には正の値を入力してください。");
}

TEST(NetworkRefusals, ACircleBelowATreeNamesASectionOnTheCircle) {
    NetworkInput network = rainwaterNetworkExample();
    // A-1 and B-1 feed No.3; A-2 now flows back into B-1's upper manhole.
    network.sections[2].lower = "No.2";
    const NetworkOutcome outcome = computeNetwork(network);
    ASSERT_FALSE(outcome.ok());
    EXPECT_NE(outcome.failure->section, std::optional<std::size_t>(0)); // A-1 is not on it
}

} // namespace
