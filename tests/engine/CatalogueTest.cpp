// The fixed tables, checked by what their entries must have in common rather than
// entry by entry: list texts follow from the sizes and codes behind them, sizes
// rise, and the depth coefficients are the circle's own geometry to four decimals.

#include "engine/Catalogue.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <string>

using namespace tovarin;

namespace {

// ASCII digits as full-width ones (U+FF10 to U+FF19), the rest as it is.
std::string fullWidthDigits(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            out += {'\xEF', '\xBC', static_cast<char>(0x90 + (c - '0'))};
        else
            out += c;
    }
    return out;
}

// The list text of a depth code: "満流", "水深８割", "水深９.5割" (full-width whole
// tenths, ASCII ".5") or "水量９５％".
std::string depthListText(double code) {
    if (code == 10)
        return "満流";
    const std::string whole = fullWidthDigits(std::to_string(static_cast<int>(code)));
    if (code > 10)
        return "水量" + whole + "％";
    return "水深" + whole + (code == std::floor(code) ? "" : ".5") + "割";
}

// The area of a circle of diameter 1 filled up to a chord of central angle t.
double segmentArea(double t) {
    return (t - std::sin(t)) / 8;
}

// The chord's central angle for a depth code: from the depth in tenths, or for a
// "水量" code from the share of the full area (by bisection).
double chordAngle(double code) {
    if (code <= 10)
        return 2 * std::acos(1 - code / 5);
    double low = 0;
    double high = 2 * std::numbers::pi;
    for (int i = 0; i < 100; ++i) {
        const double t = (low + high) / 2;
        (segmentArea(t) < code / 100 * std::numbers::pi / 4 ? low : high) = t;
    }
    return low;
}

} // namespace

TEST(PipeCatalogue, FacilityKindsInListOrder) {
    const auto& kinds = PipeCatalogue::kinds();
    ASSERT_EQ(kinds.size(), 6u);
    EXPECT_EQ(kinds[0].listText, "排水管  ＶＰ管");
    EXPECT_EQ(kinds[1].listText, "        ＶＵ管");
    EXPECT_EQ(kinds[2].listText, "        強化プラスチック複合管");
    EXPECT_EQ(kinds[3].listText, "        ヒューム管");
    EXPECT_EQ(kinds[4].listText, "        その他円形管");
    EXPECT_EQ(kinds[5].listText, "        矩形管");

    EXPECT_EQ(PipeCatalogue::kind(FacilityKind::VP).title, "ＶＰ管");
    EXPECT_EQ(PipeCatalogue::kind(FacilityKind::VU).title, "ＶＵ管");
    EXPECT_EQ(PipeCatalogue::kind(FacilityKind::FRPM).title, "強化プラスチック複合管");
    EXPECT_EQ(PipeCatalogue::kind(FacilityKind::Hume).title, "ヒューム管");
    EXPECT_EQ(PipeCatalogue::kind(FacilityKind::OtherCircular).title, "円　形　管");
    EXPECT_EQ(PipeCatalogue::kind(FacilityKind::Rectangular).title, "矩　形　管");

    EXPECT_EQ(PipeCatalogue::kind(FacilityKind::VP).defaultRoughness, "0.010");
    EXPECT_EQ(PipeCatalogue::kind(FacilityKind::VU).defaultRoughness, "0.010");
    EXPECT_EQ(PipeCatalogue::kind(FacilityKind::FRPM).defaultRoughness, "0.010");
    EXPECT_EQ(PipeCatalogue::kind(FacilityKind::Hume).defaultRoughness, "0.013");
    EXPECT_EQ(PipeCatalogue::kind(FacilityKind::OtherCircular).defaultRoughness, "");
    EXPECT_EQ(PipeCatalogue::kind(FacilityKind::Rectangular).defaultRoughness, "");
}

// Each size's list text and sheet label name the same nominal size; sizes and
// inner diameters rise; FRPM and Hume use the nominal size itself, VP and VU a
// measured inner diameter close to it, VU's thinner wall giving the wider bore.
TEST(PipeCatalogue, SizeListsRiseAndNameTheirOwnSize) {
    struct Kind {
        FacilityKind kind;
        size_t count;
        int first, last; // nominal sizes, mm
        const char* listPrefix;
        const char* labelPrefix;
        bool nominalBore;
    };
    const Kind kinds[] = {
        {FacilityKind::VP, 8, 65, 300, "ＶＰ－φ", "VP - φ", false},
        {FacilityKind::VU, 13, 65, 600, "ＶＵ－φ", "VU - φ", false},
        {FacilityKind::FRPM, 19, 200, 2000, "ＦＲＰＭ管－φ", "強化プラスチック複合管 φ", true},
        {FacilityKind::Hume, 25, 150, 3000, "ヒューム管－φ", "ﾋｭｰﾑ管 φ", true},
    };
    for (const Kind& kind : kinds) {
        const std::vector<PipeSize>& sizes = PipeCatalogue::sizes(kind.kind);
        SCOPED_TRACE(kind.labelPrefix);
        ASSERT_EQ(sizes.size(), kind.count);
        int previousNominal = 0;
        double previousDiameter = 0;
        for (const PipeSize& size : sizes) {
            const std::string label(kind.labelPrefix);
            ASSERT_EQ(size.label.compare(0, label.size(), label), 0) << size.label;
            const int nominal = std::stoi(size.label.substr(label.size()));
            EXPECT_EQ(size.label, label + std::to_string(nominal));
            EXPECT_EQ(size.displayText, kind.listPrefix + fullWidthDigits(std::to_string(nominal)));
            EXPECT_GT(nominal, previousNominal) << size.label;
            EXPECT_GT(size.diameter, previousDiameter) << size.label;
            if (kind.nominalBore)
                EXPECT_EQ(size.diameter, nominal / 1000.0) << size.label;
            else
                EXPECT_NEAR(size.diameter, nominal / 1000.0, 0.12 * nominal / 1000.0) << size.label;
            previousNominal = nominal;
            previousDiameter = size.diameter;
        }
        EXPECT_EQ(sizes.front().label, kind.labelPrefix + std::to_string(kind.first));
        EXPECT_EQ(sizes.back().label, kind.labelPrefix + std::to_string(kind.last));
    }
    const auto& vp = PipeCatalogue::sizes(FacilityKind::VP);
    const auto& vu = PipeCatalogue::sizes(FacilityKind::VU);
    for (size_t i = 0; i < vp.size(); ++i)
        EXPECT_GT(vu[i].diameter, vp[i].diameter) << vu[i].label;
    EXPECT_TRUE(PipeCatalogue::sizes(FacilityKind::OtherCircular).empty());
    EXPECT_TRUE(PipeCatalogue::sizes(FacilityKind::Rectangular).empty());
}

// Every text of the two lists is the text of its code, every code has its row of
// coefficients, and every row is reachable from the circular list. Positions are
// stored in documents, so the blank lines and the defaults stay where they are.
TEST(DepthRatioTable, ListTextsFollowTheirCodes) {
    const std::vector<std::string>& circular = DepthRatioTable::circularTexts();
    ASSERT_EQ(circular.size(), 15u);
    size_t reached = 0;
    for (int position = 0; position < 15; ++position) {
        const std::optional<double> code = DepthRatioTable::circularCode(position);
        const std::string& text = circular[static_cast<size_t>(position)];
        SCOPED_TRACE(position);
        EXPECT_EQ(!code, position == 1 || position == 8);
        if (!code) {
            EXPECT_EQ(text, "");
            continue;
        }
        EXPECT_EQ(text, depthListText(*code));
        EXPECT_NE(DepthRatioTable::find(*code), nullptr);
        ++reached;
        // Each run falls: full, the depths 9.5 to 7 tenths, the flow areas 95 to 70 %.
        if (position > 0 && DepthRatioTable::circularCode(position - 1)) {
            EXPECT_LT(*code, *DepthRatioTable::circularCode(position - 1));
        }
    }
    EXPECT_EQ(reached, DepthRatioTable::rows().size());
    EXPECT_EQ(circular[DepthRatioTable::circularDefaultPosition], "水深８割");
    EXPECT_EQ(DepthRatioTable::circularCode(15), std::nullopt);
    EXPECT_EQ(DepthRatioTable::circularCode(-1), std::nullopt);

    // The rectangular list is the circular one's depths, indexed on its own.
    const std::vector<std::string>& rectangular = DepthRatioTable::rectangularTexts();
    ASSERT_EQ(rectangular.size(), 7u);
    for (int position = 0; position < 7; ++position) {
        const int circularPosition = position == 0 ? 0 : position + 1;
        EXPECT_EQ(rectangular[static_cast<size_t>(position)], circular[circularPosition]);
        EXPECT_EQ(DepthRatioTable::rectangularCode(position),
                  DepthRatioTable::circularCode(circularPosition));
    }
    EXPECT_EQ(rectangular[DepthRatioTable::rectangularDefaultPosition], "水深８割");
    EXPECT_EQ(DepthRatioTable::rectangularCode(7), std::nullopt);
    EXPECT_EQ(DepthRatioTable::rectangularCode(-1), std::nullopt);
}

// The four-decimal coefficients are the exact segment of a circle cut to four
// decimals (A = a·D², P = p·D, so R = A/P follows): 0 <= exact − table < 0.0001.
// Two perimeters are the program's fixed figures and printed as such on the sheet:
// 95 % uses 2.4980 (the 9-tenths value; exact 2.5071) and 80 % 2.0858 (exact 2.0850).
TEST(DepthRatioTable, CoefficientsAreTheCirclesGeometryToFourDecimals) {
    ASSERT_EQ(DepthRatioTable::rows().size(), 13u);
    for (const DepthRow& row : DepthRatioTable::rows()) {
        SCOPED_TRACE(row.code);
        const double angle = chordAngle(row.code);
        const double area = segmentArea(angle);
        const double perimeter = angle / 2;
        EXPECT_GE(area - row.a, -1e-12);
        EXPECT_LT(area - row.a, 1e-4);
        if (row.code == 95) {
            EXPECT_EQ(row.p, 2.4980);
        } else if (row.code == 80) {
            EXPECT_EQ(row.p, 2.0858);
        } else {
            EXPECT_GE(perimeter - row.p, -1e-12);
            EXPECT_LT(perimeter - row.p, 1e-4);
        }
        EXPECT_EQ(DepthRatioTable::find(row.code), &row);
    }
    // Lookup is by exact equality.
    EXPECT_EQ(DepthRatioTable::find(6), nullptr);
    EXPECT_EQ(DepthRatioTable::find(0), nullptr);
    EXPECT_EQ(DepthRatioTable::find(9.5000001), nullptr);
}

// Each text is its value in full-width digits, right-aligned on three places with
// ideographic spaces; the values fall from 100 to 5.
TEST(MarginReferences, TextsFollowTheirValues) {
    const std::vector<std::string>& texts = MarginReferences::texts();
    ASSERT_EQ(texts.size(), 13u);
    double previous = 101;
    for (int position = 0; position < 13; ++position) {
        const std::optional<double> value = MarginReferences::value(position);
        ASSERT_TRUE(value) << position;
        const std::string digits = std::to_string(static_cast<int>(*value));
        std::string expected;
        for (size_t i = digits.size(); i < 3; ++i)
            expected += "　";
        EXPECT_EQ(texts[static_cast<size_t>(position)], expected + fullWidthDigits(digits) + "％");
        EXPECT_LT(*value, previous);
        previous = *value;
    }
    EXPECT_EQ(MarginReferences::value(0), 100.0);
    EXPECT_EQ(MarginReferences::value(13), std::nullopt);
    EXPECT_EQ(MarginReferences::value(-1), std::nullopt);
}
