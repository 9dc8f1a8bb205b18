// The area table's live totals: from the printed Ai and Ci as the sheet sums them,
// blank while a row is not a number yet.

#include "engine/CatchmentTotals.h"
#include "tests/support/RainwaterInputs.h"

#include <gtest/gtest.h>

using namespace tovarin;

namespace {

struct TotalsCase {
    const char* name;
    std::vector<CatchmentArea> areas;
    const char* area;
    const char* runoff;
};

class CatchmentTotalsTest : public ::testing::TestWithParam<TotalsCase> {};

TEST_P(CatchmentTotalsTest, ShowsTheSheetsFigures) {
    const TotalsCase& c = GetParam();
    const CatchmentTotals totals = catchmentTotals(c.areas);
    EXPECT_EQ(totals.area, c.area);
    EXPECT_EQ(totals.runoff, c.runoff);
}

// The live totals are the sheet's own sums, whatever the rows.
TEST(CatchmentTotalsTest, AreTheCalculationsFigures) {
    for (const char* runoff : {"0.90", "0.845", "1", "0.015"}) {
        tovarin::RainwaterInput in = tovarin::testing::uDitchInput();
        in.areas.push_back({"芝", "0.03333", runoff});
        const RainwaterOutcome outcome = computeRainwater(in);
        ASSERT_TRUE(outcome.ok()) << outcome.failure->message;
        const RainwaterTexts texts = rainwaterTexts(outcome.result);
        const CatchmentTotals totals = catchmentTotals(in.areas);
        EXPECT_EQ(totals.area, texts.area) << runoff;
        EXPECT_EQ(totals.runoff, texts.runoffCoefficient) << runoff;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CatchmentTotalsTest,
    ::testing::Values(
        TotalsCase{"WorkedExample",
                   {{"屋根", "0.12", "0.90"}, {"道路", "0.08", "0.85"}, {"間地", "0.25", "0.20"}},
                   "0.4500",
                   "0.50"},
        // Each Ai is taken as printed (0.00004 → 0.0000) before it is summed.
        TotalsCase{"AreasPrintedFirst",
                   {{"a", "0.00004", "0.5"}, {"b", "0.00004", "0.5"}, {"c", "1", "0.5"}},
                   "1.0000",
                   "0.50"},
        // Ci is printed to two places (0.845 → 0.85) before Ci·Ai.
        TotalsCase{"CoefficientPrintedFirst", {{"a", "1", "0.845"}}, "1.0000", "0.85"},
        TotalsCase{"NoRows", {}, "", ""},
        TotalsCase{"AreaStillTyped", {{"a", "0.1", "0.5"}, {"b", "0.", "0.5"}}, "0.1000", "0.50"},
        TotalsCase{"AreaNotANumber", {{"a", "0.1", "0.5"}, {"b", "x", "0.5"}}, "", ""},
        TotalsCase{"CoefficientEmpty", {{"a", "0.1", ""}}, "", ""},
        TotalsCase{"ZeroArea", {{"a", "0", "0.5"}}, "", ""}),
    [](const ::testing::TestParamInfo<TotalsCase>& info) { return info.param.name; });

} // namespace
