// The verdict line, the margin ratio section (end of group 2) and the maximum
// population section (group 3). Expected lines are written out by hand.

#include "engine/Assessment.h"
#include "tests/sheettext/SheetTestSupport.h"

#include <gtest/gtest.h>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

// Everything of group 2 after the flow line Q2 and its blank.
std::vector<std::string> verdictAndMargin(const CalcSheet& s) {
    const std::vector<std::string> lines = groupText(Hyouji_2, s);
    size_t i = 0;
    while (i < lines.size() && lines[i].find("流　量 Q2=A･V=") == std::string::npos)
        ++i;
    return slice(lines, i + 2, lines.size());
}

std::vector<bool> alertsAfterFlowLine(const CalcSheet& s) {
    const std::vector<SheetLine> lines = groupLines(Hyouji_2, s);
    size_t i = 0;
    while (i < lines.size() && lineText(lines[i]).find("流　量 Q2=A･V=") == std::string::npos)
        ++i;
    std::vector<bool> alerts;
    for (i += 2; i < lines.size(); ++i)
        alerts.push_back(lines[i].alert);
    return alerts;
}

CalcSheet assessed(OnOff allowance, double plannedFlow, double capacity) {
    CalcSheet s;
    s.facilityKind = FacilityKind::VP;
    s.velocityFormula = VelocityFormula::Manning;
    s.depthRatio = 10;
    s.allowanceOn = allowance;
    s.plannedFlow = plannedFlow;
    s.capacity = capacity;
    s.marginCheck = MarginCheck::On;
    return s;
}

const std::string marginHeading = sp(16) + "◎ 余裕率の検討";

} // namespace

namespace {

// The verdict line and the margin section, written out, for each allowance choice
// and outcome; a failing row marks the verdict and the margin figure as alerts.
struct VerdictRow {
    const char* name;
    OnOff allowance;
    double plannedFlow;
    double capacity;
    double flowAllowance;
    double marginRatio;
    double marginReference;
    std::string verdict;
    int verdictBars;
    std::string marginFormula;
    std::string marginFigures;
    bool fails;
};

class SheetVerdictTable : public ::testing::TestWithParam<VerdictRow> {};

} // namespace

TEST_P(SheetVerdictTable, VerdictAndMarginSection) {
    const VerdictRow& row = GetParam();
    CalcSheet s = assessed(row.allowance, row.plannedFlow, row.capacity);
    s.flowAllowance = row.flowAllowance;
    s.marginRatio = row.marginRatio;
    s.marginReference = row.marginReference;

    EXPECT_EQ(verdictAndMargin(s), (std::vector<std::string>{
                                       row.verdict,
                                       sp(18) + bars(row.verdictBars),
                                       "",
                                       "",
                                       marginHeading,
                                       "",
                                       row.marginFormula,
                                       row.marginFigures,
                                       sp(18) + bars(33),
                                   }));
    std::vector<bool> alerts(9, false);
    alerts[0] = alerts[7] = row.fails;
    EXPECT_EQ(alertsAfterFlowLine(s), alerts);
}

INSTANTIATE_TEST_SUITE_P(
    AllowanceChoices, SheetVerdictTable,
    ::testing::Values(
        VerdictRow{"AllowanceOffPasses", OnOff::Off, 0.0123, 0.0456, 0, 270.7317, 100,
                   sp(19) + "Q1=0.0123m3/sec  <  Q2=0.0456m3/sec  \u3000∴ O.K", 24,
                   sp(19) + "余裕率={(Q2-Q1)/Q1}×100",
                   sp(25) + "={(0.0456－0.0123)/0.0123}×100=270.73％ ＞ 100％   ∴ O.K", false},
        VerdictRow{"AllowanceOffFails", OnOff::Off, 0.0070, 0.0069, 0, -1.4285714, 10,
                   sp(19) + "Q1=0.0070m3/sec  >  Q2=0.0069m3/sec    ∴ NG", 24,
                   sp(19) + "余裕率={(Q2-Q1)/Q1}×100",
                   sp(25) + "={(0.0069－0.0070)/0.0070}×100=-1.43％ ＜ 10％   ∴ NG", true},
        // Compared flow 1.2 × 0.0115 = 0.0138.
        VerdictRow{"AllowanceOnPasses", OnOff::On, 0.0115, 0.0456, 20, 230.4347826, 50,
                   sp(19) + "1.2×Q1=0.0138m3/sec  <  Q2=0.0456m3/sec  \u3000∴ O.K", 27,
                   sp(19) + "余裕率={(Q2-1.2×Q1)/1.2×Q1}×100",
                   "\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000" + sp(5) +
                       "={(0.0456－0.0138)/0.0138}×100=230.43％ ＞ 50％   ∴ O.K",
                   false},
        // Compared flow 1.25 × 0.0060 = 0.0075.
        VerdictRow{"AllowanceOnFails", OnOff::On, 0.0060, 0.0069, 25, -8, 5,
                   sp(19) + "1.25×Q1=0.0075m3/sec  >  Q2=0.0069m3/sec    ∴ NG", 27,
                   sp(19) + "余裕率={(Q2-1.25×Q1)/1.25×Q1}×100",
                   sp(25) + "={(0.0069－0.0075)/0.0075}×100=-8.00％ ＜ 5％   ∴ NG", true}),
    [](const ::testing::TestParamInfo<VerdictRow>& info) { return info.param.name; });

TEST(SheetVerdict, EqualFiguresPass) {
    CalcSheet s = assessed(OnOff::Off, 0.0100, 0.0100);
    s.marginRatio = 5;
    s.marginReference = 5;

    const std::vector<std::string> lines = verdictAndMargin(s);
    EXPECT_EQ(lines[0], sp(19) + "Q1=0.0100m3/sec  <  Q2=0.0100m3/sec  \u3000∴ O.K");
    EXPECT_EQ(lines[7], sp(25) + "={(0.0100－0.0100)/0.0100}×100=5.00％ ＞ 5％   ∴ O.K");
    EXPECT_EQ(alertsAfterFlowLine(s), std::vector<bool>(9, false));
}

// An allowance left in the sheet by an earlier choice is not applied once the
// allowance is switched off: the sheet, the panel and the beep agree on Q1 itself.
TEST(SheetVerdict, AllowanceSwitchedOffIgnoresAStaleAllowance) {
    CalcSheet s = assessed(OnOff::Off, 0.0100, 0.0110);
    s.flowAllowance = 20; // 1.2 × Q1 would exceed Q2
    s.marginRatio = 10;
    s.marginReference = 10;

    const std::vector<std::string> lines = verdictAndMargin(s);
    EXPECT_EQ(lines[0], sp(19) + "Q1=0.0100m3/sec  <  Q2=0.0110m3/sec  \u3000∴ O.K");
    EXPECT_EQ(lines[7], sp(25) + "={(0.0110－0.0100)/0.0100}×100=10.00％ ＞ 10％   ∴ O.K");
    EXPECT_EQ(alertsAfterFlowLine(s), std::vector<bool>(9, false));
    EXPECT_EQ(assessmentOf(s).beeps, 0);
}

TEST(SheetVerdict, NoAllowanceChoiceGivesNoVerdictAndMarginCheckOffNoMargin) {
    CalcSheet s = assessed(OnOff::None, 0.0123, 0.0456);
    s.marginCheck = MarginCheck::Off;
    EXPECT_TRUE(verdictAndMargin(s).empty());
}

// ------------------------------------------------------------ maximum population

namespace {

CalcSheet residentialResult(OnOff groundwater, OnOff allowance) {
    CalcSheet s;
    s.landUse = LandUse::Residential;
    s.flowEntryMode = FlowEntryMode::Computed;
    s.groundwaterOn = groundwater;
    s.allowanceOn = allowance;
    s.capacity = 0.0456;
    s.sewagePerCapita = 250;
    s.maxPopulation = 15759.36;
    return s;
}

} // namespace

namespace {

// The maximum population section with each groundwater and allowance choice. The
// allowance factor 1.25 shows as "1.3" in the first place and "1.25" in the second.
struct MaxPopulationRow {
    const char* name;
    OnOff groundwater;
    OnOff allowance;
    std::string formula;
    std::string result;
};

class SheetMaxPopulationTable : public ::testing::TestWithParam<MaxPopulationRow> {};

} // namespace

TEST_P(SheetMaxPopulationTable, FormulaAndResult) {
    const MaxPopulationRow& row = GetParam();
    CalcSheet s = residentialResult(row.groundwater, row.allowance);
    s.groundwaterRate = 20;
    s.flowAllowance = 25;
    EXPECT_EQ(groupText(Hyouji_3, s),
              (std::vector<std::string>{"", "", sp(16) + "◇ 最大計画人口", sp(19) + row.formula,
                                        sp(23) + row.result}));
}

INSTANTIATE_TEST_SUITE_P(
    Choices, SheetMaxPopulationTable,
    ::testing::Values(
        MaxPopulationRow{"Neither", OnOff::Off, OnOff::Off,
                         "Pmax=(24×60×60×1000)･Q2/q=864×10^5×0.0456/250", "=15759.4人"},
        // 15759.36 / 1.25 = 12607.488
        MaxPopulationRow{"AllowanceOnly", OnOff::Off, OnOff::On,
                         "Pmax=(24×60×60×1000)･Q2/(q×1.3)=864×10^5×0.0456/(250×1.25)",
                         "=12607.5人"},
        // 15759.36 / 1.2
        MaxPopulationRow{"GroundwaterOnly", OnOff::On, OnOff::Off,
                         "Pmax=(24×60×60×1000)･Q2/q･W=(864×10^5×0.0456)/(250×1.2)", "=13132.8人"},
        // 15759.36 / 1.5 = 10506.24
        MaxPopulationRow{"Both", OnOff::On, OnOff::On,
                         "Pmax=(24×60×60×1000)･Q2/(q･W×1.3)=(864×10^5×0.0456)/(250×1.2×1.25)",
                         "=10506.2人"}),
    [](const ::testing::TestParamInfo<MaxPopulationRow>& info) { return info.param.name; });

TEST(SheetMaxPopulation, OnlyForResidentialLandUseWhateverTheEntryMode) {
    CalcSheet direct = residentialResult(OnOff::Off, OnOff::Off);
    direct.flowEntryMode = FlowEntryMode::Direct;
    EXPECT_EQ(groupText(Hyouji_3, direct).size(), 5u);

    for (LandUse other : {LandUse::NonResidential1, LandUse::NonResidential2, LandUse::None}) {
        CalcSheet s = residentialResult(OnOff::Off, OnOff::Off);
        s.landUse = other;
        EXPECT_TRUE(groupText(Hyouji_3, s).empty());
    }
}
