// The sheet as report file bytes (code page 932, CR LF) and appending it to the file.

#include "sheettext/ReportFile.h"
#include "platform/AppendFile.h"
#include "platform/Cp932.h"
#include "tests/sheettext/ReportFileFixture.h"
#include "tests/sheettext/SheetTestSupport.h"

#include <gtest/gtest.h>

using namespace tovarin;
using namespace tovarin::testing;

TEST(SheetText, IsCodePage932WithCrLfAfterEveryLine) {
    const SheetText text = sheetText(residentialSheet());
    ASSERT_TRUE(text.ok) << text.message;
    const std::string& b = text.bytes;

    // No byte-order mark: the opening blank line, then the title.
    EXPECT_EQ(b.substr(0, 18), "\r\n" + sp(13) + "\x81\x99 "); // ☆
    ASSERT_GE(b.size(), 2u);
    EXPECT_EQ(b.substr(b.size() - 2), "\r\n");
    EXPECT_EQ(count(b, "\n"), count(b, "\r\n"));
    EXPECT_EQ(count(b, "\r"), count(b, "\r\n"));

    SheetLineList lines;
    buildWholeSheet(residentialSheet(), lines);
    EXPECT_EQ(count(b, "\r\n"), lines.lines.size());

    EXPECT_NE(b.find("\x87\x67/\x90\x6c/\x93\xfa"), std::string::npos); // ㍑/人/日
    EXPECT_NE(b.find("Q1=P\xa5q/(24"), std::string::npos);              // ･
    // The verdict line starts with 19 blanks; the rule is 24 "―".
    std::string rule;
    for (int i = 0; i < 24; ++i)
        rule += "\x81\x5c";
    EXPECT_NE(b.find("\r\n" + sp(19) +
                     "Q1=0.0003m3/sec  <  Q2=0.0023m3/sec  \x81\x40\x81\x88 O.K\r\n" + sp(18) +
                     rule + "\r\n"),
              std::string::npos);
}

TEST(SheetText, DecodesBackToTheSheetLines) {
    const CalcSheet s = residentialSheet();
    const SheetText text = sheetText(s);
    ASSERT_TRUE(text.ok);

    SheetLineList lines;
    buildWholeSheet(s, lines);
    std::string expected;
    for (const SheetLine& line : lines.lines)
        expected += lineText(line) + "\r\n";

    const cp932::DecodeResult decoded = cp932::decode(text.bytes);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.utf8, expected);
}

TEST(SheetText, CountsTheNgLines) {
    CalcSheet s = residentialSheet();
    EXPECT_EQ(sheetText(s).alertLines, 0);

    s.capacity = 0.0002;    // verdict NG
    s.marginRatio = -33.33; // margin NG
    EXPECT_EQ(sheetText(s).alertLines, 2);

    s.marginCheck = MarginCheck::Off;
    EXPECT_EQ(sheetText(s).alertLines, 1);
}

TEST(SheetText, LookAlikeCharactersOfAMaterialNameAreWrittenAsTheirCodePageForms) {
    CalcSheet s = residentialSheet();
    s.facilityKind = FacilityKind::Rectangular;
    s.materialName = "Ｕ字溝\u2014A\u301C"; // em dash and wave dash as often typed
    const SheetText text = sheetText(s);
    ASSERT_TRUE(text.ok) << text.message;
    EXPECT_NE(text.bytes.find("\x82\x74\x8e\x9a\x8d\x61\x81\x5c"
                              "A\x81\x60 "),
              std::string::npos);
}

TEST_F(ScratchFolder, AppendsWholeSheetsAndKeepsWhatWasThere) {
    const fs::path file = folder / "Tvrn.txt";
    writeFile(file, "earlier\r\n");
    const CalcSheet s = residentialSheet();
    const std::string sheet = sheetText(s).bytes;

    const ReportWrite first = appendSheet(s, file.string());
    ASSERT_TRUE(first.ok) << first.message;
    EXPECT_EQ(readFile(file), "earlier\r\n" + sheet);

    EXPECT_TRUE(appendSheet(s, file.string()).ok);
    EXPECT_EQ(readFile(file), "earlier\r\n" + sheet + sheet);
}

TEST_F(ScratchFolder, CreatesAMissingFile) {
    const fs::path file = folder / "Tvrn.txt";
    CalcSheet s = residentialSheet();
    s.capacity = 0.0002;    // one NG verdict
    s.marginRatio = -33.33; // and one NG margin

    const ReportWrite written = appendSheet(s, file.string());
    ASSERT_TRUE(written.ok) << written.message;
    EXPECT_EQ(written.alertLines, 2);
    EXPECT_EQ(readFile(file), sheetText(s).bytes);
}

TEST_F(ScratchFolder, AFolderThatIsAFileIsReported) {
    const fs::path plain = folder / "plain";
    writeFile(plain, "x");
    const std::string path = (plain / "Tvrn.txt").string();

    const ReportWrite written = appendSheet(residentialSheet(), path);
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.message,
              "ファイル「" + path + "」に書き込めませんでした。\nフォルダが見つかりません。");
    EXPECT_EQ(readFile(plain), "x");
}

TEST_F(ScratchFolder, AFolderInPlaceOfTheFileIsReported) {
    const fs::path file = folder / "Tvrn.txt";
    fs::create_directory(file);

    const ReportWrite written = appendSheet(residentialSheet(), file.string());
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.message, "ファイル「" + file.string() +
                                   "」に書き込めませんでした。\n同じ名前のフォルダがあります。");
}

TEST_F(ScratchFolder, AnUnencodableMaterialNameWritesNothing) {
    const fs::path file = folder / "Tvrn.txt";
    CalcSheet s = residentialSheet();
    s.facilityKind = FacilityKind::Rectangular;
    s.materialName = "ＰＣ😀";

    const ReportWrite written = appendSheet(s, file.string());
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.message, "管の材料・名称の文字「😀」はファイルに書き込めません。");
    EXPECT_FALSE(fs::exists(file));
}

// A name of any characters: the report file is written under exactly that name.
TEST_F(ScratchFolder, AppendsUnderANameOfAnyCharacters) {
    const std::string name = folder.string() + "/計算書 ü ＆ 😀 %TEMP%.txt";
    const ReportWrite written = appendSheet(residentialSheet(), name);
    ASSERT_TRUE(written.ok) << written.message;
    EXPECT_EQ(readFile(utf8Path(name)), sheetText(residentialSheet()).bytes);
}
