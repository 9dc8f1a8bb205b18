#include "documents/record/NetworkRecord.h"
#include "documents/record/DocumentKind.h"
#include "tests/support/NetworkInputs.h"

#include <gtest/gtest.h>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

// examples/network-rainwater.tvn, line for line.
const char* const rainwaterDocument = "Tovarin 雨水系統 1\n"                 // 1
                                      "降雨強度=タルボット,5000,40\n"        // 2
                                      "流入時間=7\n"                         // 3
                                      "区間=A-1,No.1,No.3,60.0\n"            // 4
                                      "区域=屋根,0.1200,0.90\n"              // 5
                                      "区域=道路,0.0600,0.85\n"              // 6
                                      "施設=矩形,Ｕ型側溝３００,0.30,0.30\n" // 7
                                      "勾配=5.0\n"                           // 8
                                      "粗度係数=0.015\n"                     // 9
                                      "公式=マニング\n"                      // 10
                                      "有効水深=水深８割\n"                  // 11
                                      "区間=B-1,No.2,No.3,45.0\n"            // 12
                                      "区域=間地,0.2000,0.20\n"              // 13
                                      "区域=道路,0.0500,0.85\n"              // 14
                                      "施設=矩形,Ｕ型側溝３００,0.30,0.30\n" // 15
                                      "勾配=4.0\n"                           // 16
                                      "粗度係数=0.015\n"                     // 17
                                      "公式=マニング\n"                      // 18
                                      "有効水深=水深８割\n"                  // 19
                                      "区間=A-2,No.3,放流先,80.0\n"          // 20
                                      "区域=道路,0.0400,0.85\n"              // 21
                                      "施設=矩形,Ｕ型側溝４００,0.40,0.40\n" // 22
                                      "勾配=3.0\n"                           // 23
                                      "粗度係数=0.015\n"                     // 24
                                      "公式=マニング\n"                      // 25
                                      "有効水深=水深８割\n";                 // 26

const char* const sewageDocument = "Tovarin 汚水系統 1\n"
                                   "一人一日汚水量=350\n"
                                   "地下水=10\n"
                                   "余裕=50\n"
                                   "区間=1,No.1,No.3,40.0\n"
                                   "人口=60\n"
                                   "施設=VU,200\n"
                                   "勾配=10.0\n"
                                   "粗度係数=0.010\n"
                                   "公式=マニング\n"
                                   "有効水深=水深８割\n"
                                   "区間=2,No.2,No.3,35.0\n"
                                   "人口=48\n"
                                   "施設=VU,200\n"
                                   "勾配=10.0\n"
                                   "粗度係数=0.010\n"
                                   "公式=マニング\n"
                                   "有効水深=水深８割\n"
                                   "区間=3,No.3,公共汚水桝,25.0\n"
                                   "人口=12\n"
                                   "汚水量=0.0005\n"
                                   "施設=VU,200\n"
                                   "勾配=5.0\n"
                                   "粗度係数=0.010\n"
                                   "公式=マニング\n"
                                   "有効水深=水深８割\n";

// The document with its line `line` (1-based) replaced by `replacement` (which may
// hold several lines, or none).
std::string withLine(const char* document, int line, std::string_view replacement) {
    std::string text;
    std::string_view rest = document;
    for (int number = 1; !rest.empty(); ++number) {
        const std::size_t end = rest.find('\n') + 1;
        text += number == line ? std::string(replacement) : std::string(rest.substr(0, end));
        rest.remove_prefix(end);
    }
    return text;
}

TEST(NetworkRecord, ReadsTheExamplesAsTheTestsBuildThem) {
    const NetworkDocumentRead rainwater = parseNetworkDocument(rainwaterDocument);
    ASSERT_TRUE(rainwater.input) << rainwater.message;
    EXPECT_EQ(*rainwater.input, rainwaterNetworkExample());
    const NetworkDocumentRead sewage = parseNetworkDocument(sewageDocument);
    ASSERT_TRUE(sewage.input) << sewage.message;
    EXPECT_EQ(*sewage.input, sewageNetworkExample());
}

TEST(NetworkRecord, WritesTheExamplesByteForByte) {
    EXPECT_EQ(networkDocumentText(rainwaterNetworkExample()).text, rainwaterDocument);
    EXPECT_EQ(networkDocumentText(sewageNetworkExample()).text, sewageDocument);
}

TEST(NetworkRecord, ReadsCrLfAndAByteOrderMarkAndBlankLines) {
    std::string text = "\xEF\xBB\xBF";
    for (const char c : std::string_view(sewageDocument)) {
        if (c == '\n')
            text += "\r\n\r\n";
        else
            text += c;
    }
    const NetworkDocumentRead read = parseNetworkDocument(text);
    ASSERT_TRUE(read.input) << read.message;
    EXPECT_EQ(*read.input, sewageNetworkExample());
}

TEST(NetworkRecord, RandomNetworksComeBackAsWritten) {
    NetworkGenerator generate(41);
    for (NetworkKind kind : {NetworkKind::Rainwater, NetworkKind::Sewage}) {
        for (int n = 0; n < 60; ++n) {
            const NetworkInput network = generate.network(kind, 1 + static_cast<std::size_t>(n));
            const NetworkDocumentText written = networkDocumentText(network);
            ASSERT_TRUE(written.ok()) << written.message;
            const NetworkDocumentRead read = parseNetworkDocument(written.text);
            ASSERT_TRUE(read.input) << read.message;
            EXPECT_EQ(*read.input, network);
            EXPECT_EQ(networkDocumentText(*read.input).text, written.text);
        }
    }
}

TEST(NetworkRecord, WritingRefusesWhatReadingWouldNotGiveBack) {
    NetworkInput network = rainwaterNetworkExample();
    network.sections[0].name = "A,1";
    EXPECT_FALSE(networkDocumentText(network).ok());
    network = rainwaterNetworkExample();
    network.sections[0].facility.areas[0].name = "屋\n根";
    EXPECT_FALSE(networkDocumentText(network).ok());
    network = rainwaterNetworkExample();
    network.sections[2].lower = "No.1"; // a circle
    EXPECT_EQ(networkDocumentText(network).message,
              "4行目：区間「A-1」：区間が循環しています（下流をたどるとこの区間に戻ります）。");
}

TEST(NetworkRecord, IsAKindOfItsOwnByItsFirstLine) {
    EXPECT_EQ(documentKindOf(rainwaterDocument), DocumentKind::Network);
    EXPECT_EQ(documentKindOf(sewageDocument), DocumentKind::Network);
    EXPECT_EQ(documentKindOf("Tovarin 雨水 1\n"), DocumentKind::Rainwater);
    EXPECT_EQ(documentKindOf("Tovarin 雨水系統 2\n"), DocumentKind::Sewage);
}

struct RefusedDocument {
    const char* name;
    const char* document;
    int line;
    const char* replacement;
    const char* message;
};

class NetworkRecordRefusals : public ::testing::TestWithParam<RefusedDocument> {};

TEST_P(NetworkRecordRefusals, NameTheLine) {
    const RefusedDocument& c = GetParam();
    const NetworkDocumentRead read =
        parseNetworkDocument(withLine(c.document, c.line, c.replacement));
    EXPECT_FALSE(read.input);
    EXPECT_EQ(read.message, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NetworkRecordRefusals,
    ::testing::Values(
        RefusedDocument{
            "Heading", rainwaterDocument, 1, "Tovarin 雨水 1\n",
            "1行目：Tovarinの系統の計算書データではありません（1行目が「Tovarin 雨水系統 "
            "1」又は「Tovarin 汚水系統 1」ではありません）。"},
        RefusedDocument{"UnknownKey", rainwaterDocument, 9, "粗さ=0.015\n",
                        "9行目：不明な項目「粗さ」です。"},
        RefusedDocument{"GroundLevelOfOneValue", rainwaterDocument, 12,
                        "地盤高=12.5\n区間=B-1,No.2,No.3,45.0\n",
                        "12行目：地盤高は「上流,下流」の２つの数値で書いてください。"},
        RefusedDocument{"InvertLevelNotANumber", sewageDocument, 12,
                        "管底高=高い\n区間=2,No.2,No.3,35.0\n",
                        "12行目：管底高が数値ではありません。"},
        RefusedDocument{"PipeThicknessBeforeTheFacility", sewageDocument, 7,
                        "管厚=0.01\n施設=VU,200\n", "7行目：「施設」の行がありません。"},
        RefusedDocument{"MinimumCoverInASection", sewageDocument, 6, "最小土被り=1.0\n人口=60\n",
                        "6行目：「最小土被り」は最初の「区間」の行より前に書いてください。"},
        RefusedDocument{"MissingKey", rainwaterDocument, 9, "",
                        "9行目：「粗度係数」の行がありません。"},
        RefusedDocument{"MissingAtTheEnd", rainwaterDocument, 26, "",
                        "26行目：「有効水深」の行がありません。"},
        RefusedDocument{"MissingInletTime", rainwaterDocument, 3, "",
                        "3行目：「流入時間」の行がありません。"},
        RefusedDocument{"InletTimeWithDirect", rainwaterDocument, 2, "降雨強度=直接,80\n",
                        "3行目：降雨強度が「直接」のときは「流入時間」の行は置けません。"},
        RefusedDocument{"KeysOutOfOrder", rainwaterDocument, 9, "粗度係数=0.015\n勾配=5.0\n",
                        "10行目：「勾配」がこの位置にあります（項目の順序が違うか、同じ項目が２つあ"
                        "ります）。"},
        RefusedDocument{"NetworkKeyInASection", rainwaterDocument, 5, "流入時間=7\n",
                        "5行目：「流入時間」は最初の「区間」の行より前に書いてください。"},
        RefusedDocument{"SectionKeyBeforeASection", rainwaterDocument, 3,
                        "流入時間=7\n区域=屋根,0.1,0.9\n",
                        "4行目：「区域」の前に「区間」の行がありません。"},
        RefusedDocument{"SewageKeyInRainwater", rainwaterDocument, 5, "人口=60\n",
                        "5行目：「人口」は雨水の系統の項目ではありません。"},
        RefusedDocument{"AreaInSewage", sewageDocument, 6, "区域=屋根,0.1,0.9\n",
                        "6行目：「区域」は汚水の系統の項目ではありません。"},
        RefusedDocument{"TrapezoidInSewage", sewageDocument, 7, "施設=台形,水路,0.3,0.3,0.5\n",
                        "7行目：汚水の系統には台形の施設は使えません。"},
        RefusedDocument{"BadNumber", sewageDocument, 6, "人口=六十\n",
                        "6行目：人口が数値ではありません。"},
        RefusedDocument{"BadGradient", rainwaterDocument, 8, "勾配=5.0‰\n",
                        "8行目：勾配が数値ではありません。"},
        RefusedDocument{"SectionFields", rainwaterDocument, 4, "区間=A-1,No.1,60.0\n",
                        "4行目：区間は「名称,上流の人孔,下流の人孔,延長」で書いてください。"},
        RefusedDocument{"SectionLength", rainwaterDocument, 4, "区間=A-1,No.1,No.3,六十\n",
                        "4行目：区間の延長が数値ではありません。"},
        RefusedDocument{"EmptyName", rainwaterDocument, 4, "区間=,No.1,No.3,60\n",
                        "4行目：区間の名称がありません。"},
        RefusedDocument{"NoSection", rainwaterDocument, 4, "",
                        "4行目：「区域」の前に「区間」の行がありません。"},
        RefusedDocument{"TwoNames", rainwaterDocument, 12, "区間=A-1,No.2,No.3,45.0\n",
                        "12行目：区間「A-1」：同じ名前の区間がもう一つあります。"},
        RefusedDocument{"UpperIsLower", rainwaterDocument, 20, "区間=A-2,No.3,No.3,80.0\n",
                        "20行目：区間「A-2」：上流と下流が同じ人孔「No.3」です。"},
        RefusedDocument{"TwoOutOfOneManhole", rainwaterDocument, 12, "区間=B-1,No.1,No.3,45.0\n",
                        "12行目：区間「B-1」：人孔「No.1」は区間「A-1」の上流端でもあります（一つ"
                        "の人孔から流れ出る区間は一つです）。"},
        RefusedDocument{"Circle", rainwaterDocument, 20, "区間=A-2,No.3,No.1,80.0\n",
                        "4行目：区間「A-1」：区間が循環しています（下流をたどるとこの区間に戻ります"
                        "）。"},
        RefusedDocument{"HeadWithoutPopulation", sewageDocument, 6, "",
                        "5行目：区間「1」：上流に区間のない区間には「人口」か「汚水量」を入力してく"
                        "ださい。"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NetworkRecord, RefusesAHeadSectionWithoutAnArea) {
    const std::string withoutAreas = withLine(withLine(rainwaterDocument, 14, "").c_str(), 13, "");
    const NetworkDocumentRead read = parseNetworkDocument(withoutAreas);
    EXPECT_FALSE(read.input);
    EXPECT_EQ(read.message,
              "12行目：区間「B-1」：上流に区間のない区間には「区域」を１つ以上入力してください。");
}

TEST(NetworkRecord, RefusesMoreThanTwoThousandSections) {
    std::string text = "Tovarin 汚水系統 1\n一人一日汚水量=350\n";
    const auto section = [](std::size_t i) {
        return "区間=S" + std::to_string(i) + ",M" + std::to_string(i) + ",O" + std::to_string(i) +
               ",10\n人口=1\n施設=VU,200\n勾配=10\n粗度係数=0.010\n公式=マニング\n有効水深="
               "水深８割\n";
    };
    for (std::size_t i = 0; i < maximumNetworkSections; ++i)
        text += section(i);
    EXPECT_TRUE(parseNetworkDocument(text).input);
    text += section(maximumNetworkSections);
    const NetworkDocumentRead read = parseNetworkDocument(text);
    EXPECT_FALSE(read.input);
    EXPECT_EQ(read.message, "14003行目：区間が多すぎます（一つの系統は2000区間までです）。");
}

TEST(NetworkRecord, PlacesACalculationRefusalOnItsLine) {
    const NetworkDocumentRead read =
        parseNetworkDocument(withLine(rainwaterDocument, 14, "区域=道路,0.0500,1.5\n"));
    ASSERT_TRUE(read.input);
    const NetworkOutcome outcome = computeNetwork(*read.input);
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(networkRefusalLine(read.lines, *outcome.failure), 14);
    const NetworkDocumentRead gradient =
        parseNetworkDocument(withLine(sewageDocument, 23, "勾配=0\n"));
    ASSERT_TRUE(gradient.input);
    EXPECT_EQ(networkRefusalLine(gradient.lines, *computeNetwork(*gradient.input).failure), 23);
}

TEST(NetworkRecordLevels, AreReadAndWrittenBackAsTyped) {
    NetworkInput in = sewageNetworkExample();
    in.minimumCoverText = "1.0";
    in.sections[0].groundUpperText = "10.500";
    in.sections[0].groundLowerText = "10.200";
    in.sections[0].invertText = "9.200";
    in.sections[0].wallText = "0.015";
    in.sections[2].groundUpperText = "10.200";
    in.sections[2].groundLowerText = "10.100";
    const NetworkDocumentText written = networkDocumentText(in);
    ASSERT_TRUE(written.ok()) << written.message;
    EXPECT_NE(written.text.find("余裕=50\n最小土被り=1.0\n区間=1,"), std::string::npos);
    EXPECT_NE(written.text.find("有効水深=水深８割\n地盤高=10.500,10.200\n管底高=9.200\n"
                                "管厚=0.015\n区間=2,"),
              std::string::npos);
    EXPECT_NE(written.text.find("地盤高=10.200,10.100\n"), std::string::npos);
    const NetworkDocumentRead read = parseNetworkDocument(written.text);
    ASSERT_TRUE(read.input) << read.message;
    EXPECT_EQ(*read.input, in);
}

} // namespace
