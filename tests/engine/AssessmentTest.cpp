#include "engine/Calculation.h"
#include "tests/engine/Near.h"

#include <gtest/gtest.h>

using namespace tovarin;

namespace {

const char* const velocityReminder =
    "流速(V)はよろしいですか？チェックして下さい。（各地域の開発指導要綱等による事。）";
const char* const marginShort = "余裕率が基準値を超えています。";

// Q1 = Q2 = 0.0100, no groundwater, no allowance, no margin check.
CalcSheet balancedSheet() {
    CalcSheet sheet;
    sheet.plannedFlowBase = 0.0100;
    sheet.capacity = 0.0100;
    sheet.groundwaterOn = OnOff::Off;
    sheet.allowanceOn = OnOff::Off;
    sheet.marginCheck = MarginCheck::Off;
    sheet.landUse = LandUse::NonResidential2;
    return sheet;
}

} // namespace

TEST(Assessment, EqualFlowPassesWithTheVelocityReminder) {
    CalcSheet sheet = balancedSheet();
    const Assessment result = assess(sheet, 0);
    EXPECT_EQ(sheet.plannedFlow, 0.0100);
    EXPECT_EQ(result.allowedFlow, 0.0100);
    EXPECT_EQ(result.allowanceFactor, 1);
    EXPECT_FALSE(result.capacityFails);
    EXPECT_FALSE(result.marginShown);
    EXPECT_FALSE(result.maxPopulationShown);
    EXPECT_EQ(result.verdictMessage, velocityReminder);
    EXPECT_EQ(result.beeps, 0);
}

TEST(Assessment, ZeroMarginFailsAgainstOneHundredPercent) {
    CalcSheet sheet = balancedSheet();
    sheet.marginCheck = MarginCheck::On;
    const Assessment result = assess(sheet, 0);
    EXPECT_EQ(sheet.marginReference, 100);
    EXPECT_EQ(sheet.marginRatio, 0);
    EXPECT_TRUE(result.marginShown);
    EXPECT_TRUE(result.marginFails);
    EXPECT_FALSE(result.capacityFails);
    EXPECT_EQ(result.verdictMessage, marginShort);
    EXPECT_EQ(result.beeps, 1);
}

TEST(Assessment, MarginReferenceByListPosition) {
    CalcSheet sheet = balancedSheet();
    sheet.marginCheck = MarginCheck::On;
    sheet.capacity = 0.0106; // margin 6 %
    assess(sheet, 12);
    EXPECT_EQ(sheet.marginReference, 5);
    EXPECT_REL(sheet.marginRatio, 6.0);
    EXPECT_FALSE(assessmentOf(sheet).marginFails);

    // Outside the list the previous reference stays.
    assess(sheet, 13);
    EXPECT_EQ(sheet.marginReference, 5);
    assess(sheet, 11);
    EXPECT_EQ(sheet.marginReference, 10);
    EXPECT_TRUE(assessmentOf(sheet).marginFails);
}

TEST(Assessment, MarginEqualToTheReferencePasses) {
    CalcSheet sheet = balancedSheet();
    sheet.marginCheck = MarginCheck::On;
    sheet.plannedFlowBase = 0.25;
    sheet.capacity = 0.5; // margin exactly 100 %
    const Assessment result = assess(sheet, 0);
    EXPECT_EQ(sheet.marginRatio, 100);
    EXPECT_FALSE(result.marginFails);
    EXPECT_EQ(result.verdictMessage, velocityReminder);
}

TEST(Assessment, WithoutTheMarginCheckAnEarlierFailingMarginHasNoEffect) {
    CalcSheet sheet = balancedSheet();
    sheet.marginReference = 100;
    sheet.marginRatio = -50;
    const Assessment result = assess(sheet, 5);
    EXPECT_EQ(sheet.marginReference, 100);
    EXPECT_EQ(sheet.marginRatio, -50);
    EXPECT_FALSE(result.marginShown);
    EXPECT_FALSE(result.marginFails);
    EXPECT_EQ(result.verdictMessage, velocityReminder);
    EXPECT_EQ(result.beeps, 0);
}

TEST(Assessment, GroundwaterAndAllowanceMultiply) {
    CalcSheet sheet = balancedSheet();
    sheet.plannedFlowBase = 0.0200;
    sheet.groundwaterOn = OnOff::On;
    sheet.groundwaterRate = 15;
    sheet.allowanceOn = OnOff::On;
    sheet.flowAllowance = 25;
    sheet.capacity = 1;
    const Assessment result = assess(sheet, 0);
    EXPECT_REL(sheet.plannedFlow, 0.0230);
    EXPECT_REL(result.allowedFlow, 0.02875);
    EXPECT_EQ(result.allowanceFactor, 1.25);
    EXPECT_EQ(result.groundwaterFactor, 1.15);

    sheet.plannedFlowBase = 0.0100;
    sheet.flowAllowance = 20;
    const Assessment second = assess(sheet, 0);
    EXPECT_REL(sheet.plannedFlow, 0.0115);
    EXPECT_REL(second.allowedFlow, 0.0138);
}

TEST(Assessment, PlannedFlowFollowsTheGroundwaterChoice) {
    CalcSheet sheet = balancedSheet();
    sheet.plannedFlow = 0.5;
    sheet.groundwaterRate = 10;
    sheet.groundwaterOn = OnOff::None;
    assess(sheet, 0);
    EXPECT_EQ(sheet.plannedFlow, 0.5);
    sheet.groundwaterOn = OnOff::Off;
    assess(sheet, 0);
    EXPECT_EQ(sheet.plannedFlow, 0.0100);
    sheet.groundwaterOn = OnOff::On;
    assess(sheet, 0);
    EXPECT_REL(sheet.plannedFlow, 0.0110);
}

// Q1 = 0.0100 against Q2, by the allowance choice; the allowance applies only when
// switched on, whatever an earlier choice left in flowAllowance.
TEST(Assessment, CapacityVerdictIsStrictAndComparesTheFlowOfTheAllowanceChoice) {
    const std::string exceedsMarked = "計画汚水量(Q1)が施設の流量(Q2)を超えています。";
    const std::string exceeds = "計画汚水量が施設の流量を超えています。";
    struct Row {
        OnOff allowanceOn;
        double flowAllowance;
        double capacity;
        double comparedFlow;
        bool fails;
        std::string message;
    };
    const Row rows[] = {
        {OnOff::Off, 0, 0.0099, 0.0100, true, exceedsMarked},
        {OnOff::Off, 0, 0.0100, 0.0100, false, velocityReminder},
        {OnOff::On, 10, 0.0105, 0.0110, true, exceeds}, // above Q1, below Q1′
        {OnOff::On, 10, 0.0111, 0.0110, false, velocityReminder},
        {OnOff::Off, 20, 0.0105, 0.0100, false, velocityReminder}, // stale allowance
        {OnOff::None, 10, 0.0105, 0.0100, false, ""},              // stale allowance
        {OnOff::None, 0, 0.0099, 0.0100, true, ""}, // no message, but the verdict stands
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(row.allowanceOn) << " "
                                        << row.flowAllowance << " " << row.capacity);
        CalcSheet sheet = balancedSheet();
        sheet.allowanceOn = row.allowanceOn;
        sheet.flowAllowance = row.flowAllowance;
        sheet.capacity = row.capacity;
        const Assessment result = assess(sheet, 0);
        EXPECT_REL(result.allowedFlow, row.comparedFlow);
        EXPECT_EQ(result.capacityFails, row.fails);
        EXPECT_EQ(result.beeps, row.fails ? 1 : 0);
        EXPECT_EQ(result.verdictMessage, row.message);
        EXPECT_EQ(result.verdictShown, row.allowanceOn != OnOff::None);
        EXPECT_EQ(result.allowanceFactor, row.allowanceOn == OnOff::On ? 1.1 : 1.0);
    }
}

// With the allowance switched off, the margin ratio is that of Q1 itself.
TEST(Assessment, MarginIgnoresAStaleAllowance) {
    CalcSheet sheet = balancedSheet();
    sheet.capacity = 0.0110;
    sheet.flowAllowance = 20;
    sheet.marginCheck = MarginCheck::On;
    const Assessment result = assess(sheet, 12); // 5 %
    EXPECT_REL(sheet.marginRatio, 10.0);
    EXPECT_FALSE(result.marginFails);
}

TEST(Assessment, BothVerdictsFailingBeepTwiceAndTheCapacityMessageWins) {
    CalcSheet sheet = balancedSheet();
    sheet.capacity = 0.0050;
    sheet.marginCheck = MarginCheck::On;
    const Assessment result = assess(sheet, 12);
    EXPECT_REL(sheet.marginRatio, -50.0);
    EXPECT_TRUE(result.capacityFails);
    EXPECT_TRUE(result.marginFails);
    EXPECT_EQ(result.beeps, 2);
    EXPECT_EQ(result.verdictMessage, "計画汚水量(Q1)が施設の流量(Q2)を超えています。");
}

TEST(Assessment, MaximumPopulationOnlyForResidentialLand) {
    CalcSheet sheet = balancedSheet();
    sheet.capacity = 0.0069;
    sheet.sewagePerCapita = 250;
    sheet.maxPopulation = 42;
    EXPECT_FALSE(assess(sheet, 0).maxPopulationShown);
    EXPECT_EQ(sheet.maxPopulation, 42);

    sheet.landUse = LandUse::Residential;
    const Assessment result = assess(sheet, 0);
    EXPECT_REL(sheet.maxPopulation, 2384.64);
    EXPECT_TRUE(result.maxPopulationShown);
    EXPECT_REL(result.shownMaxPopulation, 2384.64);
}

TEST(Assessment, ShownMaximumPopulationDividesOutTheFactorsSwitchedOn) {
    CalcSheet sheet = balancedSheet();
    sheet.landUse = LandUse::Residential;
    sheet.capacity = 0.0069;
    sheet.sewagePerCapita = 250;
    sheet.groundwaterRate = 20;
    sheet.flowAllowance = 25;

    sheet.groundwaterOn = OnOff::On;
    EXPECT_REL(assess(sheet, 0).shownMaxPopulation, 1987.2);
    sheet.allowanceOn = OnOff::On;
    EXPECT_REL(assess(sheet, 0).shownMaxPopulation, 1589.76);
    sheet.groundwaterOn = OnOff::Off;
    EXPECT_REL(assess(sheet, 0).shownMaxPopulation, 1907.712);
    // The stored figure keeps no factor.
    EXPECT_REL(sheet.maxPopulation, 2384.64);
}

TEST(Assessment, AssessmentOfAComputedSheetRepeatsTheFigures) {
    CalcSheet sheet = balancedSheet();
    sheet.landUse = LandUse::Residential;
    sheet.sewagePerCapita = 250;
    sheet.groundwaterOn = OnOff::On;
    sheet.groundwaterRate = 20;
    sheet.allowanceOn = OnOff::On;
    sheet.flowAllowance = 25;
    sheet.marginCheck = MarginCheck::On;
    sheet.capacity = 0.0140;
    const Assessment computed = assess(sheet, 7);
    const Assessment again = assessmentOf(sheet);
    EXPECT_EQ(again.allowedFlow, computed.allowedFlow);
    EXPECT_EQ(again.shownMaxPopulation, computed.shownMaxPopulation);
    EXPECT_EQ(again.capacityFails, computed.capacityFails);
    EXPECT_EQ(again.marginFails, computed.marginFails);
    EXPECT_EQ(again.verdictMessage, computed.verdictMessage);
    EXPECT_EQ(again.beeps, computed.beeps);
    // Q1' = 0.0100 · 1.2 · 1.25 = 0.015 > 0.014.
    EXPECT_TRUE(again.capacityFails);
    EXPECT_EQ(again.verdictMessage, "計画汚水量が施設の流量を超えています。");
}
