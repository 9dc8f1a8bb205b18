#include "engine/NumberText.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using tovarin::formatNumber;
using tovarin::textToNumber;

// ---------------------------------------------------------------- textToNumber

TEST(TextToNumber, ReadsTheLeadingDecimalNumber) {
    EXPECT_EQ(textToNumber("250"), 250);
    EXPECT_EQ(textToNumber("0.010"), 0.01);
    EXPECT_EQ(textToNumber(".5"), 0.5);
    EXPECT_EQ(textToNumber("5."), 5);
    EXPECT_EQ(textToNumber("-2.5"), -2.5);
    EXPECT_EQ(textToNumber("+3"), 3);
    EXPECT_EQ(textToNumber("12abc"), 12);
    EXPECT_EQ(textToNumber("1.2.3"), 1.2);
    EXPECT_EQ(textToNumber("1,5"), 1); // a comma ends the number
    EXPECT_EQ(textToNumber("0.05"), 0.05);
}

TEST(TextToNumber, TextWithoutALeadingNumberIsZero) {
    EXPECT_EQ(textToNumber(""), 0);
    EXPECT_EQ(textToNumber("abc"), 0);
    EXPECT_EQ(textToNumber("."), 0);
    EXPECT_EQ(textToNumber("E5"), 0);
    EXPECT_EQ(textToNumber(",5"), 0);
    EXPECT_EQ(textToNumber("x12"), 0);
}

TEST(TextToNumber, ZeroIsNeverNegative) {
    EXPECT_FALSE(std::signbit(textToNumber("-")));
    EXPECT_FALSE(std::signbit(textToNumber("-0")));
    EXPECT_FALSE(std::signbit(textToNumber("-0.000")));
    EXPECT_FALSE(std::signbit(textToNumber("-abc")));
}

TEST(TextToNumber, BlanksTabsAndLineFeedsAreIgnoredAnywhere) {
    EXPECT_EQ(textToNumber("1 000"), 1000);
    EXPECT_EQ(textToNumber("  12"), 12);
    EXPECT_EQ(textToNumber("\t1\n2 . 5 "), 12.5);
    EXPECT_EQ(textToNumber(" - 5"), -5);
    EXPECT_EQ(textToNumber("1 E 2"), 100);
    // A carriage return and an ideographic space are not blanks here.
    EXPECT_EQ(textToNumber("\r5"), 0);
    EXPECT_EQ(textToNumber("5\r6"), 5);
    EXPECT_EQ(textToNumber("\xE3\x80\x80"
                           "5"),
              0);
}

TEST(TextToNumber, ExponentByEOrDWithOptionalSign) {
    EXPECT_EQ(textToNumber("1.5e2"), 150);
    EXPECT_EQ(textToNumber("2D3"), 2000);
    EXPECT_EQ(textToNumber("2d-3"), 0.002);
    EXPECT_EQ(textToNumber("4E+1"), 40);
    // Without a digit after it, the exponent is ignored.
    EXPECT_EQ(textToNumber("1E"), 1);
    EXPECT_EQ(textToNumber("1E+"), 1);
    EXPECT_EQ(textToNumber("7D-x"), 7);
}

TEST(TextToNumber, HexadecimalAndOctalOnlyAtTheStart) {
    EXPECT_EQ(textToNumber("&H1F"), 31);
    EXPECT_EQ(textToNumber("&h1f"), 31);
    EXPECT_EQ(textToNumber("&O17"), 15);
    EXPECT_EQ(textToNumber("&o17"), 15);
    EXPECT_EQ(textToNumber(" &H 1 F"), 31);
    EXPECT_EQ(textToNumber("&O178"), 15); // 8 is no octal digit
    EXPECT_EQ(textToNumber("&H1.5"), 1);  // integers only
    EXPECT_EQ(textToNumber("&H"), 0);
    EXPECT_EQ(textToNumber("&X1"), 0);
    EXPECT_EQ(textToNumber("-&H10"), 0);
    EXPECT_EQ(textToNumber("1&H10"), 1);
}

TEST(TextToNumber, AMultibyteCharacterEndsTheNumber) {
    EXPECT_EQ(textToNumber("\xEF\xBC\x91\xEF\xBC\x92"), 0); // full-width "１２"
    EXPECT_EQ(textToNumber("3\xEF\xBC\x91"), 3);            // "3１"
    EXPECT_EQ(textToNumber("0.5\xE3\x8D\x91"), 0.5);        // "0.5㍑"
}

TEST(TextToNumber, OutOfRangeExponentsOverflowToInfinityAndUnderflowToZero) {
    EXPECT_EQ(textToNumber("1E400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(textToNumber("-1E400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(textToNumber("1E-400"), 0);
    EXPECT_EQ(textToNumber("0.0001E-99999999999999999999"), 0);
}

// ---------------------------------------------------------------- formatNumber

struct FormatCase {
    double value;
    const char* pattern;
    const char* expected;
};

void expectFormats(std::initializer_list<FormatCase> cases) {
    for (const FormatCase& c : cases) {
        EXPECT_EQ(formatNumber(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
    }
}

TEST(FormatNumber, PatternTableOfTheCalculationSheet) {
    expectFormats({
        {250, "0", "250"},
        {0.4, "0", "0"},
        {1.04, "0.0", "1.0"},
        {1, "0.0#", "1.0"},
        {1.1, "0.0#", "1.1"},
        {1.25, "0.0#", "1.25"},
        {1.254, "0.0#", "1.25"},
        {12.5, "0.00", "12.50"},
        {0.6, "0.00#", "0.60"},
        {0.45, "0.00#", "0.45"},
        {0.315, "0.00#", "0.315"},
        {0.25, "0.000", "0.250"},
        {0.002, "0.000#", "0.002"},
        {0.0025, "0.000#", "0.0025"},
        {0.0123456, "0.0000", "0.0123"},
        {0.0123456, "0.00000", "0.01235"},
        {5, "#0.0", "5.0"},
        {12.34, "#0.0", "12.3"},
        {300, "####", "300"},
        {0.4, "####", ""},
        {0, "####", ""},
    });
}

TEST(FormatNumber, ValuesFromTheReportAndPanel) {
    expectFormats({
        {120, "0.0#", "120.0"},
        {120.5, "0.0#", "120.5"},
        {250.6, "0", "251"},
        {500, "0.00", "500.00"},
        {0.05, "0.000", "0.050"},
        {0.000289352, "0.0000", "0.0003"},
        {15759.36, "0.0", "15759.4"},
        {270.7317, "0.00", "270.73"},
        {0.00123, "0.0000", "0.0012"},
        {0.00005, "0.0000", "0.0001"},
        {0.00004, "0.0000", "0.0000"},
        {0.3 * 1000, "####", "300"},
        {1500, "####", "1500"},
        {0, "0.0000", "0.0000"},
        {0, "0", "0"},
    });
}

TEST(FormatNumber, TiesRoundHalfAwayFromZeroOnTheDecimalReading) {
    // The binary values lie just below the written ties; the 15-digit reading does not.
    expectFormats({
        {1.005, "0.00", "1.01"},
        {1.35, "0.0", "1.4"},
        {0.15795, "0.0000", "0.1580"},
        {1.255, "0.0#", "1.26"},
        {2.5, "0", "3"},
        {0.5, "0", "1"},
        {0.0005, "0.000", "0.001"},
        {-2.5, "0", "-3"},
        {-1.005, "0.00", "-1.01"},
    });
}

TEST(FormatNumber, RoundingCarriesIntoNewDigits) {
    expectFormats({
        {9.995, "0.00", "10.00"},
        {0.99995, "0.0000", "1.0000"},
        {99.96, "#0.0", "100.0"},
        {9.96, "0.0#", "9.96"},
        {9.999, "0.0#", "10.0"},
        {999.5, "####", "1000"},
    });
}

TEST(FormatNumber, NegativesAndNegativeZero) {
    expectFormats({
        {-1.25, "0.0#", "-1.25"},
        {-12.5, "0.00", "-12.50"},
        {-300, "####", "-300"},
        {-0.5, "0.0", "-0.5"},
        // A negative value that rounds to zero prints without a sign.
        {-0.04, "0.0", "0.0"},
        {-0.4, "0", "0"},
        {-0.0, "0.00", "0.00"},
        {-0.3, "####", ""},
        {-0.00004, "0.0000", "0.0000"},
    });
}

TEST(FormatNumber, LargeValuesHaveNoGroupingAndFifteenSignificantDigits) {
    expectFormats({
        {1234567.891, "0.00", "1234567.89"},
        {1e20, "0", "100000000000000000000"},
        {123456789012345678.0, "0", "123456789012346000"},
        {0.1 + 0.2, "0.00000", "0.30000"},
    });
}

TEST(FormatNumber, NonFiniteValuesGiveTheEmptyText) {
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity(), "0.0000"), "");
    EXPECT_EQ(formatNumber(-std::numeric_limits<double>::infinity(), "0"), "");
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::quiet_NaN(), "0.00"), "");
}
