// Group 1 of the calculation sheet: opening, title and the planned sewage flow
// section in each of its variants. Expected lines are written out by hand.

#include "tests/sheettext/SheetTestSupport.h"

#include <gtest/gtest.h>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

// Opening blank, title, blank, section heading, blank.
std::vector<std::string> opening() {
    return {"", sp(13) + "☆ 流量計算書（汚水排水施設）", "", sp(16) + "◎ 計画汚水量", ""};
}

std::vector<std::string> withOpeningAndClose(std::vector<std::string> variant) {
    std::vector<std::string> all = opening();
    all.insert(all.end(), variant.begin(), variant.end());
    all.push_back("");
    all.push_back("");
    return all;
}

CalcSheet computed(LandUse landUse, OnOff groundwater) {
    CalcSheet s;
    s.flowEntryMode = FlowEntryMode::Computed;
    s.landUse = landUse;
    s.groundwaterOn = groundwater;
    return s;
}

// Population 100, 250 L/person/day, 0.002 m3/sec·ha on 5000 m2.
CalcSheet mixedUse(OnOff groundwater) {
    CalcSheet s = computed(LandUse::NonResidential1, groundwater);
    s.population = 100;
    s.sewagePerCapita = 250;
    s.sewagePerHectare = 0.002;
    s.drainageArea = 5000;
    return s;
}

std::vector<std::string> mixedUseData() {
    return {"", sp(19) + "・計画人口  P=100.0人",
            "", sp(19) + "・計画時間最大汚水量(１人１日当り) q1=250㍑/人/日",
            "", sp(19) + "・計画時間最大汚水量  (１ha当り)   q2=0.002m3/sec･ha",
            "", sp(19) + "・排水面積  A=5000.00m2=0.500ha",
            ""};
}

std::vector<std::string> mixedUseLegend(int indent) {
    return {sp(indent) + "｜Q1：計画汚水量(m3/sec)", sp(indent) + "｜ P：計画人口（人）",
            sp(indent) + "｜q1：計画時間最大汚水量(1人1日当り)(㍑/人/日)",
            sp(indent) + "｜q2：計画時間最大汚水量(1ha当り)(m3/sec･ha)",
            sp(indent) + "｜ A：排水面積（ha）"};
}

std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace

TEST(SheetPlannedFlow, ResidentialWithoutGroundwater) {
    CalcSheet s = computed(LandUse::Residential, OnOff::Off);
    s.population = 100;
    s.sewagePerCapita = 250;
    s.plannedFlow = 0.000289352;

    EXPECT_EQ(groupText(Hyouji_1, s),
              withOpeningAndClose({
                  sp(19) + "Q1=P･q/(24×60×60×1000)  ｜Q1：計画汚水量(m3/sec)",
                  sp(21) + "=P･q/864×10^5           ｜ P：計画人口（人）",
                  sp(46) + "｜ q：計画時間最大汚水量(1人1日当り)(㍑/人/日)",
                  "",
                  sp(19) + "・計画人口  P=100.0人",
                  "",
                  sp(19) + "・計画時間最大汚水量(１人１日当り) q=250㍑/人/日",
                  "",
                  sp(19) + "計画汚水量 Q1=100.0×250/864×10^5=0.0003m3/sec",
              }));
}

TEST(SheetPlannedFlow, ResidentialWithGroundwater) {
    CalcSheet s = computed(LandUse::Residential, OnOff::On);
    s.population = 120.5;
    s.sewagePerCapita = 250.6; // printed rounded to 251
    s.groundwaterRate = 15;
    s.plannedFlow = 0.00040123;

    EXPECT_EQ(groupText(Hyouji_1, s),
              withOpeningAndClose({
                  sp(19) + "Q1={P･q/(24×60×60×1000)}･W ｜Q1：計画汚水量(m3/sec)",
                  sp(21) + "=(P･q/864×10^5)･W          ｜ P：計画人口（人）",
                  sp(49) + "｜ q：計画時間最大汚水量(1人1日当り)(㍑/人/日)",
                  sp(49) + "｜ W：地下水混入率",
                  "",
                  sp(19) + "・計画人口  P=120.5人",
                  "",
                  sp(19) + "・計画時間最大汚水量(１人１日当り) q=251㍑/人/日",
                  "",
                  sp(19) + "計画汚水量 Q1=(120.5×251/864×10^5)×1.15=0.0004m3/sec",
              }));
}

TEST(SheetPlannedFlow, MixedUseWithoutGroundwater) {
    CalcSheet s = mixedUse(OnOff::Off);
    s.plannedFlow = 0.001289352;

    EXPECT_EQ(groupText(Hyouji_1, s),
              withOpeningAndClose(concat({
                  {sp(19) + "Q1=P･q1/(24×60×60×1000)＋q2･A", sp(21) + "=P･q1/864×10^5＋q2･A"},
                  mixedUseLegend(44),
                  mixedUseData(),
                  {sp(19) + "計画汚水量 Q1=(100.0×250/864×10^5)＋(0.002×0.500)",
                   sp(31) + "=0.00029＋0.00100=0.0013m3/sec"},
              })));
}

TEST(SheetPlannedFlow, MixedUseWithGroundwaterSpacesTheUnitOnlyWhenDrawn) {
    CalcSheet s = mixedUse(OnOff::On);
    s.groundwaterRate = 10;
    s.plannedFlow = 0.0014182872;

    const std::vector<std::string> variantHead = concat({
        {sp(19) + "Q1={P･q1/(24×60×60×1000)＋q2･A}･W", sp(21) + "=(P･q1/864×10^5＋q2･A)･W"},
        mixedUseLegend(47),
        mixedUseData(),
        {sp(19) + "計画汚水量 Q1={(100.0×250/864×10^5)＋(0.002×0.500)}×1.1"},
    });
    EXPECT_EQ(groupText(Hyouji_1, s), withOpeningAndClose(concat({
                                          variantHead,
                                          {sp(31) + "=(0.00029＋0.00100)×1.1 = 0.0014m3/sec"},
                                      })));

    // A drawn page has five more blank lines on top and "m3 / sec" on this line.
    std::vector<std::string> drawn = {"", "", "", "", ""};
    const std::vector<std::string> rest = withOpeningAndClose(concat({
        variantHead,
        {sp(31) + "=(0.00029＋0.00100)×1.1 = 0.0014m3 / sec"},
    }));
    drawn.insert(drawn.end(), rest.begin(), rest.end());
    EXPECT_EQ(groupText(Hyouji_1, s, SheetOutput::Drawn), drawn);
}

TEST(SheetPlannedFlow, AreaOnlyWithoutGroundwater) {
    CalcSheet s = computed(LandUse::NonResidential2, OnOff::Off);
    s.sewagePerHectare = 0.0012;
    s.drainageArea = 500;
    s.plannedFlow = 0.00006;

    EXPECT_EQ(groupText(Hyouji_1, s),
              withOpeningAndClose({
                  sp(19) + "Q1=q･A       ｜Q1：計画汚水量(m3/sec)",
                  sp(32) + "｜ q：計画時間最大汚水量(1ha当り)(m3/sec･ha)",
                  sp(32) + "｜ A：排水面積（ha）",
                  "",
                  sp(19) + "・計画時間最大汚水量(１ha当り) q=0.0012m3/sec･ha",
                  "",
                  sp(19) + "・排水面積  A=500.00m2=0.050ha",
                  "",
                  sp(19) + "計画汚水量 Q1=0.0012×0.050=0.0001m3/sec",
              }));
}

TEST(SheetPlannedFlow, AreaOnlyWithGroundwater) {
    CalcSheet s = computed(LandUse::NonResidential2, OnOff::On);
    s.sewagePerHectare = 0.0025;
    s.drainageArea = 12345.678;
    s.groundwaterRate = 20;
    s.plannedFlow = 0.0037037034;

    EXPECT_EQ(groupText(Hyouji_1, s),
              withOpeningAndClose({
                  sp(19) + "Q1=q･A･W     ｜Q1：計画汚水量(m3/sec)",
                  sp(32) + "｜ q：計画時間最大汚水量(1ha当り)(m3/sec･ha)",
                  sp(32) + "｜ A：排水面積（ha）",
                  "",
                  sp(19) + "・計画時間最大汚水量(１ha当り) q=0.0025m3/sec･ha",
                  "",
                  sp(19) + "・排水面積  A=12345.68m2=1.235ha",
                  "",
                  sp(19) + "計画汚水量 Q1=0.0025×1.235×1.2=0.0037m3/sec",
              }));
}

TEST(SheetPlannedFlow, DirectEntryIsOneLine) {
    CalcSheet s;
    s.flowEntryMode = FlowEntryMode::Direct;
    s.groundwaterOn = OnOff::Off;
    s.landUse = LandUse::Residential; // not asked for a direct entry
    s.plannedFlow = 0.05;

    EXPECT_EQ(groupText(Hyouji_1, s), withOpeningAndClose({sp(19) + "計画汚水量 Q1=0.0500m3/sec"}));
}

TEST(SheetPlannedFlow, DirectEntryWithGroundwaterAtRateZero) {
    CalcSheet s;
    s.flowEntryMode = FlowEntryMode::Direct;
    s.groundwaterOn = OnOff::On;
    s.groundwaterRate = 0; // factor 1, still printed
    s.plannedFlowBase = 0.01234;
    s.plannedFlow = 0.01234;

    EXPECT_EQ(groupText(Hyouji_1, s),
              withOpeningAndClose({sp(19) + "計画汚水量 Q1=(0.0123)×1.0=0.0123m3/sec"}));
}

TEST(SheetPlannedFlow, AChoiceWithNoOptionOnLeavesTheSectionEmpty) {
    const std::vector<std::string> empty = withOpeningAndClose({});

    CalcSheet noLandUse = computed(LandUse::None, OnOff::Off);
    EXPECT_EQ(groupText(Hyouji_1, noLandUse), empty);

    CalcSheet noGroundwaterChoice = computed(LandUse::Residential, OnOff::None);
    EXPECT_EQ(groupText(Hyouji_1, noGroundwaterChoice), empty);

    CalcSheet noEntryMode;
    noEntryMode.groundwaterOn = OnOff::Off;
    noEntryMode.landUse = LandUse::Residential;
    EXPECT_EQ(groupText(Hyouji_1, noEntryMode), empty);

    CalcSheet directWithoutGroundwaterChoice;
    directWithoutGroundwaterChoice.flowEntryMode = FlowEntryMode::Direct;
    EXPECT_EQ(groupText(Hyouji_1, directWithoutGroundwaterChoice), empty);
}
