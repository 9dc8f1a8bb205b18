// The words of the design aids' tables: guides, verdicts, the names of the choices,
// the rows of the size table and the curve table.

#include "engine/TableWords.h"
#include "tests/support/ComputedSheets.h"

#include <gtest/gtest.h>

using namespace tovarin;
using namespace tovarin::testing;

TEST(SheetToolWords, GuidesAndChoicesAsTheProgramNamesThem) {
    EXPECT_EQ(velocityGuideText(VelocityGuide::Low), "不足");
    EXPECT_EQ(velocityGuideText(VelocityGuide::Suitable), "適正");
    EXPECT_EQ(velocityGuideText(VelocityGuide::High), "過大");
    EXPECT_EQ(formulaText(VelocityFormula::Manning), "マニング");
    EXPECT_EQ(formulaText(VelocityFormula::Kutter), "クッター");
    EXPECT_EQ(formulaText(VelocityFormula::None), "");
    CalcSheet sheet;
    sheet.facilityKind = FacilityKind::Hume;
    sheet.depthChoice = 10;
    EXPECT_EQ(depthChoiceText(sheet), "水量９０％");
    sheet.depthChoice = 8; // a blank separator line
    EXPECT_EQ(depthChoiceText(sheet), "");
    // The rectangular list is indexed on its own: position 1 is 9.5 tenths.
    sheet.facilityKind = FacilityKind::Rectangular;
    sheet.depthChoice = 1;
    EXPECT_EQ(depthChoiceText(sheet), "水深９.5割");
    sheet.depthChoice = 7;
    EXPECT_EQ(depthChoiceText(sheet), "");
}

TEST(SheetToolWords, SizeTableRows) {
    // φ65 and φ75 carry less than Q1 = 0.0041: φ100 is the chosen one.
    const std::vector<SizeTrial> trials = tryEverySize(CalcSheet{}, vp100Input());
    const std::vector<std::string> row = sizeTableRow(trials[2], true);
    // Q1 runs in φ100 at h/D 0.557 and 0.8976 m/sec: the guide judges that velocity.
    const std::vector<std::string> expected = {"ＶＰ－φ１００", "0.1008", "0.8595", "0.0069",
                                               "O.K",           "",       "",       "0.557",
                                               "0.8976",        "適正",   "◎"};
    EXPECT_EQ(row, expected);
    // φ65 cannot carry Q1 at any depth: no planned-flow figures and no guide.
    const std::vector<std::string> small = sizeTableRow(trials[0], false);
    EXPECT_EQ(small[4], "NG");
    EXPECT_EQ(std::vector<std::string>(small.begin() + 7, small.end()),
              (std::vector<std::string>{"—", "—", "—", ""}));
    EXPECT_EQ(sizeTableHeader().size(), row.size());

    // Reference 100 %: φ100 passes the capacity but not the margin (67 %).
    ComputeInput margin = vp100Input();
    margin.marginCheck = MarginCheck::On;
    margin.marginListPosition = 0;
    const std::vector<std::string> marginRow = sizeTableRow(tryEverySize({}, margin)[2], false);
    EXPECT_EQ(marginRow[4], "O.K");
    EXPECT_EQ(marginRow[5], "67.27");
    EXPECT_EQ(marginRow[6], "NG");

    // A refused request keeps only the size and its diameter.
    ComputeInput refused = vp100Input();
    refused.gradientText = "-5";
    std::vector<std::string> empty(11);
    empty[0] = "ＶＰ－φ６５";
    empty[1] = "0.0678";
    EXPECT_EQ(sizeTableRow(tryEverySize({}, refused)[0], false), empty);
}

TEST(SheetToolWords, CurveTable) {
    const CurveSection section = circle(VelocityFormula::Manning);
    const auto table = curveTable(section, characteristicCurve(section));
    ASSERT_EQ(table.size(), 102u);
    EXPECT_EQ(table[0], (std::vector<std::string>{"水深比h/D", "Q/Q_full", "V/V_full"}));
    EXPECT_EQ(table[51], (std::vector<std::string>{"0.50", "0.5000", "1.0000"}));
    EXPECT_EQ(table[101], (std::vector<std::string>{"1.00", "1.0000", "1.0000"}));
    EXPECT_EQ(curveTable(channel(), {})[0][0], "水深比h/H");
}
