#include "engine/Catalogue.h"

#include <gtest/gtest.h>

using namespace tovarin;

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

TEST(PipeCatalogue, SizeListsOfTheStandardPipes) {
    const auto& vp = PipeCatalogue::sizes(FacilityKind::VP);
    const auto& vu = PipeCatalogue::sizes(FacilityKind::VU);
    const auto& frpm = PipeCatalogue::sizes(FacilityKind::FRPM);
    const auto& hume = PipeCatalogue::sizes(FacilityKind::Hume);
    ASSERT_EQ(vp.size(), 8u);
    ASSERT_EQ(vu.size(), 13u);
    ASSERT_EQ(frpm.size(), 19u);
    ASSERT_EQ(hume.size(), 25u);
    EXPECT_TRUE(PipeCatalogue::sizes(FacilityKind::OtherCircular).empty());
    EXPECT_TRUE(PipeCatalogue::sizes(FacilityKind::Rectangular).empty());

    EXPECT_EQ(vp[0].displayText, "ＶＰ－φ６５");
    EXPECT_EQ(vp[0].label, "VP - φ65");
    EXPECT_EQ(vp[0].diameter, 0.0678);
    EXPECT_EQ(vp[2].displayText, "ＶＰ－φ１００");
    EXPECT_EQ(vp[2].diameter, 0.1008);
    EXPECT_EQ(vp[7].displayText, "ＶＰ－φ３００");
    EXPECT_EQ(vp[7].label, "VP - φ300");
    EXPECT_EQ(vp[7].diameter, 0.2878);

    EXPECT_EQ(vu[0].displayText, "ＶＵ－φ６５");
    EXPECT_EQ(vu[0].diameter, 0.0716);
    EXPECT_EQ(vu[12].displayText, "ＶＵ－φ６００");
    EXPECT_EQ(vu[12].label, "VU - φ600");
    EXPECT_EQ(vu[12].diameter, 0.5944);

    EXPECT_EQ(frpm[0].displayText, "ＦＲＰＭ管－φ２００");
    EXPECT_EQ(frpm[0].label, "強化プラスチック複合管 φ200");
    EXPECT_EQ(frpm[0].diameter, 0.2);
    EXPECT_EQ(frpm[14].displayText, "ＦＲＰＭ管－φ１３５０");
    EXPECT_EQ(frpm[14].diameter, 1.35);
    EXPECT_EQ(frpm[18].label, "強化プラスチック複合管 φ2000");
    EXPECT_EQ(frpm[18].diameter, 2.0);

    EXPECT_EQ(hume[0].displayText, "ヒューム管－φ１５０");
    EXPECT_EQ(hume[0].label, "ﾋｭｰﾑ管 φ150");
    EXPECT_EQ(hume[0].diameter, 0.15);
    EXPECT_EQ(hume[15].label, "ﾋｭｰﾑ管 φ1350");
    EXPECT_EQ(hume[24].displayText, "ヒューム管－φ３０００");
    EXPECT_EQ(hume[24].label, "ﾋｭｰﾑ管 φ3000");
    EXPECT_EQ(hume[24].diameter, 3.0);
}

TEST(DepthRatioTable, CircularListWithItsTwoBlankLines) {
    const std::vector<std::string> expected = {
        "満流",       "",           "水深９.5割", "水深９割",   "水深８.5割",
        "水深８割",   "水深７.5割", "水深７割",   "",           "水量９５％",
        "水量９０％", "水量８５％", "水量８０％", "水量７５％", "水量７０％",
    };
    EXPECT_EQ(DepthRatioTable::circularTexts(), expected);
    EXPECT_EQ(DepthRatioTable::circularTexts()[DepthRatioTable::circularDefaultPosition],
              "水深８割");

    EXPECT_EQ(DepthRatioTable::circularCode(0), 10.0);
    EXPECT_EQ(DepthRatioTable::circularCode(1), std::nullopt);
    EXPECT_EQ(DepthRatioTable::circularCode(2), 9.5);
    EXPECT_EQ(DepthRatioTable::circularCode(7), 7.0);
    EXPECT_EQ(DepthRatioTable::circularCode(8), std::nullopt);
    EXPECT_EQ(DepthRatioTable::circularCode(9), 95.0);
    EXPECT_EQ(DepthRatioTable::circularCode(14), 70.0);
    EXPECT_EQ(DepthRatioTable::circularCode(15), std::nullopt);
    EXPECT_EQ(DepthRatioTable::circularCode(-1), std::nullopt);
}

TEST(DepthRatioTable, RectangularListIsIndexedSeparately) {
    const std::vector<std::string> expected = {
        "満流", "水深９.5割", "水深９割", "水深８.5割", "水深８割", "水深７.5割", "水深７割",
    };
    EXPECT_EQ(DepthRatioTable::rectangularTexts(), expected);
    EXPECT_EQ(DepthRatioTable::rectangularTexts()[DepthRatioTable::rectangularDefaultPosition],
              "水深８割");
    EXPECT_EQ(DepthRatioTable::rectangularCode(0), 10.0);
    EXPECT_EQ(DepthRatioTable::rectangularCode(1), 9.5);
    EXPECT_EQ(DepthRatioTable::rectangularCode(6), 7.0);
    EXPECT_EQ(DepthRatioTable::rectangularCode(7), std::nullopt);
    EXPECT_EQ(DepthRatioTable::rectangularCode(-1), std::nullopt);
}

TEST(DepthRatioTable, CoefficientRowsAreTheFixedFourDecimalConstants) {
    struct Row {
        double code, a, p;
    };
    const Row expected[] = {
        {10, 0.7853, 3.1415}, {9.5, 0.7707, 2.6905}, {9, 0.7445, 2.4980},  {8.5, 0.7115, 2.3461},
        {8, 0.6735, 2.2142},  {7.5, 0.6318, 2.0943}, {7, 0.5872, 1.9823},  {95, 0.7461, 2.4980},
        {90, 0.7068, 2.3282}, {85, 0.6675, 2.1958},  {80, 0.6283, 2.0858}, {75, 0.5890, 1.9866},
        {70, 0.5497, 1.8962},
    };
    ASSERT_EQ(DepthRatioTable::rows().size(), std::size(expected));
    for (const Row& row : expected) {
        const DepthRow* found = DepthRatioTable::find(row.code);
        ASSERT_NE(found, nullptr) << row.code;
        EXPECT_EQ(found->a, row.a) << row.code;
        EXPECT_EQ(found->p, row.p) << row.code;
    }
    // Lookup is by exact equality.
    EXPECT_EQ(DepthRatioTable::find(6), nullptr);
    EXPECT_EQ(DepthRatioTable::find(0), nullptr);
    EXPECT_EQ(DepthRatioTable::find(9.5000001), nullptr);
}

TEST(MarginReferences, TextsAndValuesByPosition) {
    const std::vector<std::string> expected = {
        "１００％", "　９０％", "　８０％", "　７０％", "　６０％", "　５０％", "　４０％",
        "　３０％", "　２５％", "　２０％", "　１５％", "　１０％", "　　５％",
    };
    EXPECT_EQ(MarginReferences::texts(), expected);
    EXPECT_EQ(MarginReferences::value(0), 100.0);
    EXPECT_EQ(MarginReferences::value(8), 25.0);
    EXPECT_EQ(MarginReferences::value(11), 10.0);
    EXPECT_EQ(MarginReferences::value(12), 5.0);
    EXPECT_EQ(MarginReferences::value(13), std::nullopt);
    EXPECT_EQ(MarginReferences::value(-1), std::nullopt);
}
