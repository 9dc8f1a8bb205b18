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

TEST(SheetVerdict, AllowanceOffPasses) {
    CalcSheet s = assessed(OnOff::Off, 0.0123, 0.0456);
    s.marginRatio = 270.7317;
    s.marginReference = 100;

    EXPECT_EQ(verdictAndMargin(s),
              (std::vector<std::string>{
                  sp(19) + "Q1=0.0123m3/sec  <  Q2=0.0456m3/sec  \u3000∴ O.K",
                  sp(18) + bars(24),
                  "",
                  "",
                  marginHeading,
                  "",
                  sp(19) + "余裕率={(Q2-Q1)/Q1}×100",
                  sp(25) + "={(0.0456－0.0123)/0.0123}×100=270.73％ ＞ 100％   ∴ O.K",
                  sp(18) + bars(33),
              }));
    EXPECT_EQ(alertsAfterFlowLine(s), std::vector<bool>(9, false));
}

TEST(SheetVerdict, AllowanceOffFails) {
    CalcSheet s = assessed(OnOff::Off, 0.0070, 0.0069);
    s.marginRatio = -1.4285714;
    s.marginReference = 10;

    EXPECT_EQ(verdictAndMargin(s),
              (std::vector<std::string>{
                  sp(19) + "Q1=0.0070m3/sec  >  Q2=0.0069m3/sec    ∴ NG",
                  sp(18) + bars(24),
                  "",
                  "",
                  marginHeading,
                  "",
                  sp(19) + "余裕率={(Q2-Q1)/Q1}×100",
                  sp(25) + "={(0.0069－0.0070)/0.0070}×100=-1.43％ ＜ 10％   ∴ NG",
                  sp(18) + bars(33),
              }));
    EXPECT_EQ(alertsAfterFlowLine(s),
              (std::vector<bool>{true, false, false, false, false, false, false, true, false}));
}

TEST(SheetVerdict, EqualFiguresPass) {
    CalcSheet s = assessed(OnOff::Off, 0.0100, 0.0100);
    s.marginRatio = 5;
    s.marginReference = 5;

    const std::vector<std::string> lines = verdictAndMargin(s);
    EXPECT_EQ(lines[0], sp(19) + "Q1=0.0100m3/sec  <  Q2=0.0100m3/sec  \u3000∴ O.K");
    EXPECT_EQ(lines[7], sp(25) + "={(0.0100－0.0100)/0.0100}×100=5.00％ ＞ 5％   ∴ O.K");
    EXPECT_EQ(alertsAfterFlowLine(s), std::vector<bool>(9, false));
}

TEST(SheetVerdict, AllowanceOnPasses) {
    CalcSheet s = assessed(OnOff::On, 0.0115, 0.0456);
    s.flowAllowance = 20; // compared flow 1.2 × 0.0115 = 0.0138
    s.marginRatio = 230.4347826;
    s.marginReference = 50;

    EXPECT_EQ(verdictAndMargin(s),
              (std::vector<std::string>{
                  sp(19) + "1.2×Q1=0.0138m3/sec  <  Q2=0.0456m3/sec  \u3000∴ O.K",
                  sp(18) + bars(27),
                  "",
                  "",
                  marginHeading,
                  "",
                  sp(19) + "余裕率={(Q2-1.2×Q1)/1.2×Q1}×100",
                  "\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000" + sp(5) +
                      "={(0.0456－0.0138)/0.0138}×100=230.43％ ＞ 50％   ∴ O.K",
                  sp(18) + bars(33),
              }));
}

TEST(SheetVerdict, AllowanceOnFails) {
    CalcSheet s = assessed(OnOff::On, 0.0060, 0.0069);
    s.flowAllowance = 25; // compared flow 1.25 × 0.0060 = 0.0075
    s.marginRatio = -8;
    s.marginReference = 5;

    EXPECT_EQ(verdictAndMargin(s),
              (std::vector<std::string>{
                  sp(19) + "1.25×Q1=0.0075m3/sec  >  Q2=0.0069m3/sec    ∴ NG",
                  sp(18) + bars(27),
                  "",
                  "",
                  marginHeading,
                  "",
                  sp(19) + "余裕率={(Q2-1.25×Q1)/1.25×Q1}×100",
                  sp(25) + "={(0.0069－0.0075)/0.0075}×100=-8.00％ ＜ 5％   ∴ NG",
                  sp(18) + bars(33),
              }));
    EXPECT_EQ(alertsAfterFlowLine(s),
              (std::vector<bool>{true, false, false, false, false, false, false, true, false}));
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

TEST(SheetMaxPopulation, WithoutGroundwaterOrAllowance) {
    EXPECT_EQ(groupText(Hyouji_3, residentialResult(OnOff::Off, OnOff::Off)),
              (std::vector<std::string>{
                  "",
                  "",
                  sp(16) + "◇ 最大計画人口",
                  sp(19) + "Pmax=(24×60×60×1000)･Q2/q=864×10^5×0.0456/250",
                  sp(23) + "=15759.4人",
              }));
}

TEST(SheetMaxPopulation, WithAllowanceOnly) {
    CalcSheet s = residentialResult(OnOff::Off, OnOff::On);
    s.flowAllowance = 25; // factor 1.25: "1.3" in the first place, "1.25" in the second
    EXPECT_EQ(groupText(Hyouji_3, s),
              (std::vector<std::string>{
                  "", "", sp(16) + "◇ 最大計画人口",
                  sp(19) + "Pmax=(24×60×60×1000)･Q2/(q×1.3)=864×10^5×0.0456/(250×1.25)",
                  sp(23) + "=12607.5人", // 15759.36 / 1.25 = 12607.488
              }));
}

TEST(SheetMaxPopulation, WithGroundwaterOnly) {
    CalcSheet s = residentialResult(OnOff::On, OnOff::Off);
    s.groundwaterRate = 20;
    EXPECT_EQ(groupText(Hyouji_3, s),
              (std::vector<std::string>{
                  "", "", sp(16) + "◇ 最大計画人口",
                  sp(19) + "Pmax=(24×60×60×1000)･Q2/q･W=(864×10^5×0.0456)/(250×1.2)",
                  sp(23) + "=13132.8人", // 15759.36 / 1.2
              }));
}

TEST(SheetMaxPopulation, WithGroundwaterAndAllowance) {
    CalcSheet s = residentialResult(OnOff::On, OnOff::On);
    s.groundwaterRate = 20;
    s.flowAllowance = 25;
    EXPECT_EQ(groupText(Hyouji_3, s),
              (std::vector<std::string>{
                  "", "", sp(16) + "◇ 最大計画人口",
                  sp(19) + "Pmax=(24×60×60×1000)･Q2/(q･W×1.3)=(864×10^5×0.0456)/(250×1.2×1.25)",
                  sp(23) + "=10506.2人", // 15759.36 / 1.5 = 10506.24
              }));
}

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
