#include "engine/Calculation.h"
#include "tests/engine/Near.h"
#include "tests/support/ComputedSheets.h"

#include <gtest/gtest.h>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

// VP φ100 at full flow, gradient 10 ‰, n = 0.010.
CalcSheet vp100FullFlow(VelocityFormula formula) {
    ComputeInput in = vp100Input();
    in.velocityFormula = formula;
    return computedSheet(in);
}

} // namespace

TEST(StandardPipe, ResolvesDiameterAndLabelFromTheCatalogue) {
    CalcSheet sheet;
    sheet.facilityKind = FacilityKind::Hume;
    sheet.nominalSize = 15;
    resolveStandardPipe(sheet);
    EXPECT_EQ(sheet.pipeDiameter, 1.35);
    EXPECT_EQ(sheet.facilityLabel, "ﾋｭｰﾑ管 φ1350");
}

TEST(StandardPipe, APositionOutsideTheListOrAnotherKindChangesNothing) {
    CalcSheet sheet;
    sheet.pipeDiameter = 0.5;
    sheet.facilityLabel = "before";
    sheet.facilityKind = FacilityKind::VP;
    sheet.nominalSize = 8;
    resolveStandardPipe(sheet);
    sheet.nominalSize = -1;
    resolveStandardPipe(sheet);
    sheet.facilityKind = FacilityKind::OtherCircular;
    sheet.nominalSize = 0;
    resolveStandardPipe(sheet);
    EXPECT_EQ(sheet.pipeDiameter, 0.5);
    EXPECT_EQ(sheet.facilityLabel, "before");
}

namespace {

// Flow area and wetted perimeter of a section at a depth choice: the circular table's
// coefficients times the diameter; a rectangular channel open below full depth (walls
// up to the water and the floor), closed at full depth (the whole inner perimeter).
struct SectionRow {
    const char* name;
    double diameter; // 0 for a rectangular channel
    double height;
    double width;
    double depthRatio;
    double area;
    double perimeter;
};

class Section : public ::testing::TestWithParam<SectionRow> {};

} // namespace

TEST_P(Section, AreaAndWettedPerimeter) {
    const SectionRow& row = GetParam();
    CalcSheet sheet;
    sheet.pipeDiameter = row.diameter;
    sheet.channelHeight = row.height;
    sheet.channelWidth = row.width;
    sheet.depthRatio = row.depthRatio;
    if (row.diameter > 0)
        computeCircularSection(sheet);
    else
        computeRectangularSection(sheet);
    EXPECT_REL(sheet.flowArea, row.area);
    EXPECT_REL(sheet.wettedPerimeter, row.perimeter);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, Section,
    ::testing::Values(SectionRow{"Vp65Full", 0.0678, 0, 0, 10, 0.003609898452, 0.2129937},
                      SectionRow{"Hume1350At95Percent", 1.35, 0, 0, 95, 1.35976725, 3.3723},
                      SectionRow{"ChannelAt8Tenths", 0, 1.0, 0.5, 8, 0.4, 2.1},
                      SectionRow{"ChannelAt95Percent", 0, 1.0, 0.5, 9.5, 0.475, 2.4},
                      SectionRow{"ChannelFull", 0, 1.0, 0.5, 10, 0.5, 3.0}),
    [](const ::testing::TestParamInfo<SectionRow>& info) { return info.param.name; });

TEST(CircularSection, ACodeOutsideTheTableLeavesTheSection) {
    CalcSheet sheet;
    sheet.pipeDiameter = 0.3;
    sheet.depthRatio = 6;
    sheet.flowArea = 1.5;
    sheet.wettedPerimeter = 2.5;
    computeCircularSection(sheet);
    EXPECT_EQ(sheet.flowArea, 1.5);
    EXPECT_EQ(sheet.wettedPerimeter, 2.5);
}

TEST(Capacity, ManningForVp100AtFullFlow) {
    const CalcSheet sheet = vp100FullFlow(VelocityFormula::Manning);
    EXPECT_EQ(sheet.pipeDiameter, 0.1008);
    EXPECT_EQ(sheet.facilityLabel, "VP - φ100");
    EXPECT_REL(sheet.flowArea, 0.007979150592);
    EXPECT_REL(sheet.wettedPerimeter, 0.3166632);
    EXPECT_REL(sheet.hydraulicRadius, 0.025197593506286806);
    EXPECT_REL(sheet.slope, 0.01);
    EXPECT_REL(sheet.velocity, 0.8594871281801931);
    EXPECT_REL(sheet.capacity, 0.006857977227635368);
}

TEST(Capacity, KutterForVp100AtFullFlow) {
    const CalcSheet sheet = vp100FullFlow(VelocityFormula::Kutter);
    EXPECT_REL(sheet.kutterNumerator, 123.155);
    EXPECT_REL(sheet.kutterDenominator, 2.458697546816);
    EXPECT_REL(sheet.kutterRootRI, 0.01587374987401742);
    EXPECT_REL(sheet.velocity, 0.7951086412666907);
    EXPECT_REL(sheet.capacity, 0.0063442915856674305);
}

TEST(Capacity, ManningLeavesTheKutterTermsAlone) {
    CalcSheet sheet;
    sheet.kutterNumerator = 7;
    sheet.flowArea = 0.4;
    sheet.wettedPerimeter = 2.1;
    sheet.slopePermille = 2;
    sheet.roughness = 0.015;
    sheet.velocityFormula = VelocityFormula::Manning;
    computeCapacity(sheet);
    EXPECT_EQ(sheet.kutterNumerator, 7);
    // V = 1/0.015 · (0.4/2.1)^(2/3) · 0.002^(1/2)
    EXPECT_REL(sheet.velocity, 0.9870008723259206);
    EXPECT_REL(sheet.capacity, 0.4 * 0.9870008723259206);
}
