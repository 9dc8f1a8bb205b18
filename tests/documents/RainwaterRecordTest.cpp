#include "documents/record/RainwaterRecord.h"
#include "tests/support/RainwaterInputs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

const char* const uDitchDocument = "Tovarin 雨水 1\n"
                                   "区域=屋根,0.1200,0.90\n"
                                   "区域=道路,0.0800,0.85\n"
                                   "区域=間地,0.2500,0.20\n"
                                   "降雨強度=タルボット,5000,40\n"
                                   "流入時間=7\n"
                                   "流下延長=120\n"
                                   "施設=矩形,Ｕ型側溝３００,0.30,0.30\n"
                                   "勾配=5.0\n"
                                   "粗度係数=0.015\n"
                                   "公式=マニング\n"
                                   "有効水深=水深８割\n";

// The example with its line `line` (1-based) replaced by `text`; `text` alone when
// line is 0.
std::string withLine(int line, std::string_view replacement) {
    if (line == 0)
        return std::string(replacement);
    std::string text;
    std::string_view rest = uDitchDocument;
    for (int number = 1; !rest.empty(); ++number) {
        const std::size_t end = rest.find('\n') + 1;
        text += number == line ? std::string(replacement) : std::string(rest.substr(0, end));
        rest.remove_prefix(end);
    }
    return text;
}

RainwaterInput parsed(std::string_view text) {
    RainwaterDocumentRead read = parseRainwaterDocument(text);
    EXPECT_TRUE(read.input) << read.message;
    return read.input.value_or(RainwaterInput{});
}

} // namespace

TEST(RainwaterDocument, WritesTheUDitchInTheDocumentedFormat) {
    const RainwaterDocumentText written = rainwaterDocumentText(uDitchInput());
    ASSERT_TRUE(written.ok()) << written.refusal->message;
    EXPECT_EQ(written.text, uDitchDocument);
    EXPECT_EQ(parsed(uDitchDocument), uDitchInput());
}

TEST(RainwaterDocument, ReadsCrLfBlankLinesAndAByteOrderMark) {
    const std::string text = "\xEF\xBB\xBFTovarin 雨水 1\r\n\r\n区域=屋根,0.1200,0.90\r\n"
                             "区域=道路,0.0800,0.85\r\n\n区域=間地,0.2500,0.20\r\n"
                             "降雨強度=タルボット,5000,40\r\n流入時間=7\r\n流下延長=120\r\n"
                             "施設=矩形,Ｕ型側溝３００,0.30,0.30\r\n勾配=5.0\r\n粗度係数=0.015\r\n"
                             "公式=マニング\r\n有効水深=水深８割";
    EXPECT_EQ(parsed(text), uDitchInput());
}

// A file whose lines end in a CR alone (an old Macintosh editor) reads like LF, and
// names its lines alike; a CR inside a line of an LF file stays a refused character
// (RainwaterReadWriteAgreement).
TEST(RainwaterDocument, ReadsCrOnlyLineEnds) {
    std::string crOnly = uDitchDocument;
    std::replace(crOnly.begin(), crOnly.end(), '\n', '\r');
    EXPECT_EQ(parsed(crOnly), uDitchInput());
    std::string badGradient = withLine(9, "勾配=急\n");
    std::replace(badGradient.begin(), badGradient.end(), '\n', '\r');
    EXPECT_EQ(parseRainwaterDocument(badGradient).message, "9行目：勾配が数値ではありません。");
}

// A file saved in another encoding than UTF-8 is refused with the hint to save it
// again as UTF-8, naming the encoding it is in.
TEST(RainwaterDocument, HintsAtUtf8ForAFileInAnotherEncoding) {
    const std::string hint = "文字コードをUTF-8にして保存し直してください。";
    const std::string notTheHeading = "1行目：Tovarinの雨水の計算書データではありません"
                                      "（1行目が「Tovarin 雨水 1」ではありません）。";
    // The heading and the first area in code page 932, then UTF-16 with its mark.
    const std::string shiftJis =
        "Tovarin \x89\x4A\x90\x85 1\r\n\x8B\xE6\x88\xE6=\x89\xAE\x8D\xAA,0.1,0.9\r\n";
    EXPECT_EQ(parseRainwaterDocument(shiftJis).message,
              notTheHeading + "ファイルがシフトJIS（コードページ932）で保存されています。" + hint);
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string_view("Tovarin "))
        utf16 += std::string{c, '\0'};
    utf16 += std::string("\xE8\x96\x34\x6C \0"
                         "1\0\n\0",
                         10);
    EXPECT_EQ(parseRainwaterDocument(utf16).message,
              notTheHeading + "ファイルがUTF-16で保存されています。" + hint);
    // A UTF-8 heading with a line in code page 932 further down.
    EXPECT_EQ(parseRainwaterDocument(withLine(3, "区域=\x93\xB9\x98\x48,0.0800,0.85\n")).message,
              "3行目：ファイルにUTF-8ではない文字があります。" + hint);
}

// A message quotes a short piece of a value, never the whole of a huge one, and never
// cuts a character in two.
TEST(RainwaterDocument, QuotesAShortPieceOfAHugeValue) {
    const std::string key(4'000'000, 'x');
    const RainwaterDocumentRead read = parseRainwaterDocument(withLine(5, key + "=1\n"));
    EXPECT_EQ(read.message, "5行目：不明な項目「" + std::string(40, 'x') + "…」です。");
    std::string form;
    for (int i = 0; i < 50; ++i)
        form += "式";
    EXPECT_EQ(parseRainwaterDocument(withLine(5, "降雨強度=" + form + ",1\n")).message,
              "5行目：降雨強度の式「" + form.substr(0, 40 * 3) +
                  "…」は、タルボット、シャーマン、クリーブランド、久野・石黒、直接のどれでもありま"
                  "せん。");
}

// Write then read gives the same input, for every facility kind and intensity form.
class RainwaterRoundTrip : public ::testing::TestWithParam<std::function<void(RainwaterInput&)>> {};

TEST_P(RainwaterRoundTrip, GivesTheSameInput) {
    RainwaterInput in = uDitchInput();
    GetParam()(in);
    const RainwaterDocumentText written = rainwaterDocumentText(in);
    ASSERT_TRUE(written.ok()) << written.refusal->message;
    EXPECT_EQ(parsed(written.text), in) << written.text;
}

INSTANTIATE_TEST_SUITE_P(Rainwater, RainwaterRoundTrip,
                         ::testing::Values([](RainwaterInput&) {},
                                           [](RainwaterInput& in) {
                                               // A free name with commas and an equals sign; 直接
                                               // has no t1 or L.
                                               in.areas.push_back({"駐車場,北=1", "0.05", "0.9"});
                                               in.intensityForm = IntensityForm::Direct;
                                               in.directIntensityText = "120";
                                               in.constantAText.clear();
                                               in.constantBText.clear();
                                               in.inletTimeText.clear();
                                               in.flowLengthText.clear();
                                           },
                                           [](RainwaterInput& in) {
                                               in = trapezoidInput("0", "0.4", "1.5", "満流");
                                               in.materialText = "素掘り側溝, 土";
                                               in.intensityForm = IntensityForm::Cleveland;
                                               in.constantNText = "0.75";
                                               in.velocityFormula = VelocityFormula::Kutter;
                                           },
                                           [](RainwaterInput& in) {
                                               in.facilityKind = RainwaterFacilityKind::Hume;
                                               in.sizeListPosition = 15; // φ1350
                                               in.materialText.clear();
                                               in.heightText.clear();
                                               in.widthText.clear();
                                               in.depthText = "水深９.5割";
                                               in.intensityForm = IntensityForm::KunoIshiguro;
                                           },
                                           [](RainwaterInput& in) {
                                               in.facilityKind =
                                                   RainwaterFacilityKind::OtherCircular;
                                               in.diameterText = "0.45";
                                               in.heightText.clear();
                                               in.widthText.clear();
                                               in.intensityForm = IntensityForm::Sherman;
                                               in.constantBText.clear();
                                               in.constantNText = "0.5";
                                           }));

// Refusals name the line; `text` replaces the example's line `line` (1-based), or is
// the whole document when line is 0.
struct ReadRefusal {
    const char* name;
    int line;
    const char* text;
    const char* message;
};

class RainwaterReadRefusals : public ::testing::TestWithParam<ReadRefusal> {};

TEST_P(RainwaterReadRefusals, NameTheLine) {
    const ReadRefusal& c = GetParam();
    const RainwaterDocumentRead read = parseRainwaterDocument(withLine(c.line, c.text));
    EXPECT_FALSE(read.input);
    EXPECT_EQ(read.message, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Rainwater, RainwaterReadRefusals,
    ::testing::Values(
        ReadRefusal{"Heading", 1, "Tovarin 1\n",
                    "1行目：Tovarinの雨水の計算書データではありません"
                    "（1行目が「Tovarin 雨水 1」ではありません）。"},
        ReadRefusal{"Empty", 0, "",
                    "1行目：Tovarinの雨水の計算書データではありません"
                    "（1行目が「Tovarin 雨水 1」ではありません）。"},
        ReadRefusal{"UnknownKey", 5, "題名=北団地\n", "5行目：不明な項目「題名」です。"},
        ReadRefusal{"NoEquals", 9, "勾配 5.0\n", "9行目：「項目=値」の形ではありません。"},
        ReadRefusal{"MissingKey", 6, "\n", "7行目：「流入時間」の行がありません。"},
        ReadRefusal{"MissingAtTheEnd", 12, "", "12行目：「有効水深」の行がありません。"},
        ReadRefusal{"Twice", 10, "勾配=5.0\n",
                    "10行目：「勾配」がこの位置にあります（項目の順序が違うか、同じ項目が２つあり"
                    "ます）。"},
        ReadRefusal{"AreaNotANumber", 3, "区域=道路,0.08ha,0.85\n",
                    "3行目：区域の面積又は流出係数が数値ではありません。"},
        ReadRefusal{"AreaFields", 2, "区域=屋根,0.12\n",
                    "2行目：区域は「名称,面積,流出係数」で書いてください。"},
        ReadRefusal{"Form", 5, "降雨強度=物部,5000,40\n",
                    "5行目：降雨強度の式「物部」は、タルボット、シャーマン、クリーブランド、久野・"
                    "石黒、直接のどれでもありません。"},
        ReadRefusal{"ConstantCount", 5, "降雨強度=クリーブランド,5000,40\n",
                    "5行目：降雨強度「クリーブランド」の定数の数が違います。"},
        ReadRefusal{"TimeWithDirect", 5, "降雨強度=直接,120\n",
                    "6行目：降雨強度が「直接」のときは「流入時間」の行は置けません。"},
        ReadRefusal{"Nominal", 8, "施設=VP,90\n", "8行目：VPの呼び径「90」は一覧にありません。"},
        ReadRefusal{"Dimensions", 8, "施設=台形,水路,0.3,0.3\n",
                    "8行目：施設「台形」の名称と寸法が正しくありません。"},
        ReadRefusal{"Formula", 11, "公式=ヘーゼン\n",
                    "11行目：公式は「マニング」か「クッター」です。"},
        ReadRefusal{"DepthOfTheCircularList", 12, "有効水深=水量９０％\n",
                    "12行目：有効水深「水量９０％」はこの施設の一覧にありません。"},
        // A name the sheet (code page 932) cannot hold, with the character named.
        ReadRefusal{"AreaNameNotInCodePage932", 3, "区域=𠮷野,0.0800,0.85\n",
                    "3行目：区域（2行目）の名称の文字「𠮷」（U+20BB7）は計算書の文字コード（シフトJ"
                    "IS）にないため使えません。"},
        ReadRefusal{"MaterialNotInCodePage932", 8, "施設=矩形,側溝한,0.30,0.30\n",
                    "8行目：施設の名称の文字「한」（U+D55C）は計算書の文字コード（シフトJIS）にない"
                    "ため使えません。"},
        ReadRefusal{"NameWithABidirectionalControl", 2, "区域=屋根\u202Eusc,0.1200,0.90\n",
                    "2行目：区域（1行目）の名称に改行などの制御文字は使えません。"}),
    [](const auto& info) { return std::string(info.param.name); });

// Saving refuses with the calculation's words and sends the user to the field.
struct WriteRefusal {
    const char* name;
    std::function<void(RainwaterInput&)> change;
    RainwaterRefusal refusal;
};

class RainwaterWriteRefusals : public ::testing::TestWithParam<WriteRefusal> {};

TEST_P(RainwaterWriteRefusals, NameTheFieldAndWriteNothing) {
    const WriteRefusal& c = GetParam();
    RainwaterInput in = uDitchInput();
    c.change(in);
    const RainwaterDocumentText written = rainwaterDocumentText(in);
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(*written.refusal, c.refusal);
    EXPECT_TRUE(written.text.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rainwater, RainwaterWriteRefusals,
    ::testing::Values(
        WriteRefusal{"NameWithNewline",
                     [](RainwaterInput& in) { in.areas[1].name = "道路\n勾配=9"; },
                     {"区域（2行目）の名称に改行などの制御文字は使えません。",
                      RainwaterField::AreaTable, 1, AreaColumn::Name}},
        WriteRefusal{"RoughnessNotANumber",
                     [](RainwaterInput& in) { in.roughnessText = "0.015 程度"; },
                     {"粗度係数には数値を入力してください。", RainwaterField::Roughness}},
        WriteRefusal{"MaterialWithEscape",
                     [](RainwaterInput& in) { in.materialText = "側溝\x1b[2J"; },
                     {"施設の名称に改行などの制御文字は使えません。", RainwaterField::Material}},
        WriteRefusal{"AreaNameNotInCodePage932",
                     [](RainwaterInput& in) { in.areas[2].name = "間地😀"; },
                     {"区域（3行目）の名称の文字「😀」（U+1F600）は計算書の文字コード（シフトJIS）"
                      "にないため使えません。",
                      RainwaterField::AreaTable, 2, AreaColumn::Name}}),
    [](const auto& info) { return std::string(info.param.name); });

// Reading and writing agree on every field: a document that opens is saved as it was
// read (and reads back the same), or it is refused on opening with its line named.
// `text` replaces the example's line `line`; `refusal` is null for one that opens.
struct Agreement {
    const char* name;
    int line;
    const char* text;
    const char* refusal;
};

class RainwaterReadWriteAgreement : public ::testing::TestWithParam<Agreement> {};

TEST_P(RainwaterReadWriteAgreement, WhatOpensCanBeSaved) {
    const Agreement& c = GetParam();
    const RainwaterDocumentRead read = parseRainwaterDocument(withLine(c.line, c.text));
    if (c.refusal) {
        EXPECT_FALSE(read.input);
        EXPECT_EQ(read.message, c.refusal);
        return;
    }
    ASSERT_TRUE(read.input) << read.message;
    const RainwaterDocumentText written = rainwaterDocumentText(*read.input);
    ASSERT_TRUE(written.ok()) << written.refusal->message;
    EXPECT_EQ(parsed(written.text), *read.input) << written.text;
}

INSTANTIATE_TEST_SUITE_P(
    Rainwater, RainwaterReadWriteAgreement,
    ::testing::Values(Agreement{"AreaNameWithEscape", 3, "区域=道\x1b[31m路,0.0800,0.85\n",
                                "3行目：区域（2行目）の名称に改行などの制御文字は使えません。"},
                      Agreement{"AreaNameWithCarriageReturn", 2, "区域=屋\r根,0.1200,0.90\n",
                                "2行目：区域（1行目）の名称に改行などの制御文字は使えません。"},
                      Agreement{"AreaNameWithBell", 4, "区域=間\a地,0.2500,0.20\n",
                                "4行目：区域（3行目）の名称に改行などの制御文字は使えません。"},
                      Agreement{"MaterialWithNextLine", 8, "施設=矩形,Ｕ型\xC2\x85側溝,0.30,0.30\n",
                                "8行目：施設の名称に改行などの制御文字は使えません。"},
                      Agreement{"MaterialWithDelete", 8, "施設=台形,水路\x7F,0.3,0.3,0.5\n",
                                "8行目：施設の名称に改行などの制御文字は使えません。"},
                      Agreement{"NameWithTab", 2, "区域=屋\t根,0.1200,0.90\n", nullptr},
                      Agreement{"EmptyName", 2, "区域=,0.1200,0.90\n", nullptr},
                      Agreement{"NameWithCommaAndEquals", 2, "区域=北,1=2,0.1200,0.90\n", nullptr},
                      Agreement{"NumbersWithBlanksAndSigns", 9, "勾配= +5. \n", nullptr},
                      Agreement{"CataloguePipe", 8, "施設=VU,200\n", nullptr},
                      Agreement{"ZeroAndNegativeFigures", 7, "流下延長=-0\n", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

// A job saved half done (no area yet, fields empty, no size, formula or depth
// chosen) is written as it stands and reads back the same; a complete job keeps its
// bytes.
TEST(RainwaterDocument, HalfDoneJobIsSavedAsItStands) {
    RainwaterInput half;
    half.constantAText = "5000";
    half.facilityKind = RainwaterFacilityKind::Hume;
    half.sizeListPosition = -1;
    half.velocityFormula = VelocityFormula::None;
    half.depthText.clear();
    const RainwaterDocumentText written = rainwaterDocumentText(half);
    ASSERT_TRUE(written.ok()) << written.refusal->message;
    EXPECT_EQ(written.text, "Tovarin 雨水 1\n降雨強度=タルボット,5000,\n流入時間=\n流下延長=\n"
                            "施設=ヒューム管,\n勾配=\n粗度係数=\n公式=\n有効水深=\n");
    EXPECT_EQ(parsed(written.text), half);

    RainwaterInput rows = uDitchInput();
    rows.areas.push_back({"公園", "", ""});
    rows.gradientText = " ";
    const RainwaterDocumentText partly = rainwaterDocumentText(rows);
    ASSERT_TRUE(partly.ok());
    EXPECT_EQ(parsed(partly.text), rows);
}

// One key's value reads into the input and writes back on its own, in any order of
// keys: a document of another kind holds them in its own order.
TEST(RainwaterDocument, EachKeyReadsAndWritesOnItsOwn) {
    const RainwaterInput example = uDitchInput();
    RainwaterInput read;
    for (RainwaterKey key :
         {RainwaterKey::Intensity, RainwaterKey::InletTime, RainwaterKey::Area,
          RainwaterKey::Facility, RainwaterKey::Gradient, RainwaterKey::Roughness,
          RainwaterKey::Formula, RainwaterKey::Depth, RainwaterKey::FlowLength}) {
        for (const std::string& value : rainwaterValues(key, example)) {
            EXPECT_EQ(readRainwaterValue(key, value, read), std::nullopt)
                << rainwaterKeyName(key) << '=' << value;
        }
        EXPECT_EQ(rainwaterKeyFromName(rainwaterKeyName(key)), key);
    }
    EXPECT_EQ(read, example);
    EXPECT_EQ(readRainwaterValue(RainwaterKey::Gradient, "急", read),
              std::optional<std::string>("勾配が数値ではありません。"));
}
