#include "sheettext/NetworkSheet.h"

#include "engine/NumberText.h"
#include "platform/Cp932.h"
#include "tests/support/NetworkInputs.h"

#include <gtest/gtest.h>

#include <set>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

NetworkResult computed(const NetworkInput& in) {
    NetworkOutcome outcome = computeNetwork(in);
    EXPECT_TRUE(outcome.ok()) << (outcome.failure ? outcome.failure->message : "");
    return outcome.result;
}

std::vector<std::string> texts(const std::vector<SheetLine>& lines) {
    std::vector<std::string> result;
    for (const SheetLine& line : lines)
        result.push_back(lineText(line));
    return result;
}

TEST(NetworkSheet, RowsHoldEveryColumnAsPrinted) {
    const NetworkResult rainwater = computed(rainwaterNetworkExample());
    EXPECT_EQ(
        networkRowTexts(rainwater, 2),
        (std::vector<std::string>{"A-2", "No.3", "放流先", "80.0", "0.0400", "0.4700", "0.59",
                                  "8.0", "1.5", "9.5", "101.0", "0.0778", "Ｕ型側溝４００ 400×400",
                                  "3.0", "0.015", "0.9035", "0.1156", "O.K", "適正"}));
    EXPECT_EQ(networkTableHeader(NetworkKind::Rainwater).size(), 19u);

    const NetworkResult sewage = computed(sewageNetworkExample());
    EXPECT_EQ(networkRowTexts(sewage, 2),
              (std::vector<std::string>{"3", "No.3", "公共汚水桝", "25.0", "12", "120", "0.0010",
                                        "0.0011", "VU - φ200", "5.0", "0.010", "1.1047", "0.0307",
                                        "O.K", "適正"}));
    EXPECT_EQ(networkTableHeader(NetworkKind::Sewage).size(), 15u);
}

TEST(NetworkSheet, TimesAreBlankWithADirectIntensity) {
    NetworkInput network = rainwaterNetworkExample();
    network.intensity = {};
    network.intensity.intensityForm = IntensityForm::Direct;
    network.intensity.directIntensityText = "120";
    const NetworkResult result = computed(network);
    const std::vector<std::string> row = networkRowTexts(result, 2);
    EXPECT_EQ(row[7], "");
    EXPECT_EQ(row[8], "");
    EXPECT_EQ(row[9], "");
    EXPECT_EQ(row[10], "120.0");
    const std::vector<std::string> opening =
        texts(networkSheetLines(result, SheetOutput::TextFile).opening);
    EXPECT_NE(std::find(opening.begin(), opening.end(), "    ・降雨強度   I=120.0mm/hr"),
              opening.end());
}

// Every row and both header lines are as wide as each other up to the last column
// (whose text is left-aligned), whatever the names, figures and facilities.
TEST(NetworkSheet, ColumnsLineUpInEveryRow) {
    NetworkGenerator generate(51);
    for (NetworkKind kind : {NetworkKind::Rainwater, NetworkKind::Sewage}) {
        NetworkInput network = generate.network(kind, 40);
        network.sections[3].name = "長い区間の名前";
        if (kind == NetworkKind::Rainwater)
            network.intensity = rainwaterNetworkExample().intensity;
        const NetworkOutcome outcome = computeNetwork(network);
        ASSERT_TRUE(outcome.ok()) << outcome.failure->message;
        const NetworkSheetLines lines = networkSheetLines(outcome.result, SheetOutput::TextFile);
        // Each line's width without its last cell's text.
        std::set<int> widths = {displayColumns(lineText(lines.header[0])) -
                                    displayColumns("流速の"),
                                displayColumns(lineText(lines.header[1])) - displayColumns("目安")};
        for (std::size_t i = 0; i < lines.rows.size(); ++i)
            widths.insert(displayColumns(lineText(lines.rows[i])) -
                          displayColumns(networkRowTexts(outcome.result, i).back()));
        EXPECT_EQ(widths.size(), 1u);
        EXPECT_EQ(lines.rows.size(), network.sections.size());
    }
}

TEST(NetworkSheet, AnNgRowIsAnAlertLine) {
    NetworkInput network = rainwaterNetworkExample();
    network.sections[2].facility.gradientText = "0.1";
    const NetworkResult result = computed(network);
    ASSERT_TRUE(result.sections[2].capacityFails);
    const NetworkSheetLines lines = networkSheetLines(result, SheetOutput::TextFile);
    EXPECT_FALSE(lines.rows[0].alert);
    EXPECT_TRUE(lines.rows[2].alert);
    EXPECT_NE(lineText(lines.rows[2]).find("  NG  "), std::string::npos);
    const SheetText text = networkSheetText(result);
    ASSERT_TRUE(text.ok);
    EXPECT_EQ(text.alertLines, 1);
}

TEST(NetworkSheet, ADrawnSheetStartsBelowThePagesTopMargin) {
    const NetworkResult result = computed(sewageNetworkExample());
    const auto file = networkSheetLines(result, SheetOutput::TextFile);
    const auto drawn = networkSheetLines(result, SheetOutput::Drawn);
    EXPECT_EQ(drawn.opening.size(), file.opening.size() + 5);
    EXPECT_EQ(texts(drawn.rows), texts(file.rows));
}

TEST(NetworkSheet, TextIsCodePage932WithCrLf) {
    const SheetText text = networkSheetText(computed(sewageNetworkExample()));
    ASSERT_TRUE(text.ok);
    const cp932::EncodeResult title = cp932::encode("☆ 流量計算表（汚水排水施設）\r\n");
    EXPECT_NE(text.bytes.find(title.bytes), std::string::npos);
    EXPECT_EQ(text.bytes.find("\n"), text.bytes.find("\r\n") + 1);
}

TEST(NetworkSheet, ANameTheFileCannotHoldIsNamed) {
    NetworkInput network = sewageNetworkExample();
    network.sections[1].lower = "No.3";
    network.sections[1].name = "区間😀";
    const SheetText text = networkSheetText(computed(network));
    EXPECT_FALSE(text.ok);
    EXPECT_EQ(text.message, "区間「区間😀」の名称の文字「😀」はファイルに書き込めません。");
}

} // namespace
