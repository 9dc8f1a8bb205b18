#include "documents/record/DocumentRecord.h"
#include "documents/record/DocumentKind.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tovarin {
namespace {

// Splits written bytes at CR LF; every line, the last included, must end with it.
std::vector<std::string> crlfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "last line without CR LF: " << bytes.substr(start);
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string joinCrlf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// A record with varied values in its fields, so that a swapped or lost line shows.
DocumentRecord sampleRecord(int kind) {
    DocumentRecord r;
    r.form1 = {kind,
               false,
               true,
               false,
               true,
               false,
               true,
               true,
               false,
               false,
               true,
               "25",
               " 10 " /* texts keep their spaces */,
               "0.0046",
               12};
    r.form3 = {true, false, false, "120", "350", "", ""};
    switch (facilityBlockFor(kind)) {
    case FacilityBlock::StandardPipe:
        r.facility = StandardPipeValues{7, "5", "0.013", 3};
        break;
    case FacilityBlock::OtherCircular:
        r.facility = OtherCircularValues{"鋳鉄管", "0.3", "4", "0.012", 6};
        break;
    case FacilityBlock::Rectangular:
        r.facility = RectangularValues{"コンクリート水路", "1.0", "0.5", "2", "0.015", 1};
        break;
    case FacilityBlock::None:
        break;
    }
    r.form11 = {"0.0058", "0.0227", "0.9105", "594.2", "291.38"};
    return r;
}

struct KindAndLines {
    int kind;
    size_t lines;
};

class DocumentRoundTrip : public ::testing::TestWithParam<KindAndLines> {};

TEST_P(DocumentRoundTrip, WritesTheKindsLineCountAndReadsBackTheSameRecord) {
    const DocumentRecord record = sampleRecord(GetParam().kind);
    const SerialiseResult written = serialise(record);
    ASSERT_TRUE(written.ok()) << written.failure->message;
    EXPECT_EQ(crlfLines(written.bytes).size(), GetParam().lines);
    EXPECT_EQ(documentLineCount(GetParam().kind), static_cast<int>(GetParam().lines));

    const ParseResult read = parse(written.bytes);
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(*read.record, record);
    // Writing the same document again gives the same file.
    EXPECT_EQ(serialise(*read.record).bytes, written.bytes);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, DocumentRoundTrip,
                         ::testing::Values(KindAndLines{0, 31}, KindAndLines{1, 31},
                                           KindAndLines{2, 31}, KindAndLines{3, 31},
                                           KindAndLines{4, 32}, KindAndLines{5, 33},
                                           KindAndLines{-1, 27}, KindAndLines{7, 27}));

// The whole file of a document without a facility kind, written out by hand.
TEST(DocumentWriting, WritesEveryLineInFileOrder) {
    DocumentRecord r;
    r.form1.lst_s = -1;
    r.form1.opt1 = true;
    r.form1.opt4 = true;
    r.form1.opt5 = true;
    r.form1.opt8 = true;
    r.form1.opt9 = true;
    r.form1.txt1 = "";
    r.form1.txt2 = "10";
    r.form1.txt3 = "0.0046";
    r.form1.cob1 = 0;
    r.form3.opt2 = true;
    r.form3.txt_a = "1500";
    r.form3.txt_q2 = "0.005";
    r.form11 = {"0.0008", "0.0227", "0.9105", "23456789", "23456.00"};

    const std::string expected =
        "-1 "
        "\r\nTrue\r\nFalse\r\nFalse\r\nTrue\r\nTrue\r\nFalse\r\nFalse\r\nTrue\r\nTrue\r\nFalse\r\n"
        "\r\n10\r\n0.0046\r\n 0 \r\n"
        "False\r\nTrue\r\nFalse\r\n\r\n\r\n1500\r\n0.005\r\n"
        "0.0008\r\n0.0227\r\n0.9105\r\n23456789\r\n23456.00\r\n";
    const SerialiseResult written = serialise(r);
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(written.bytes, expected);
}

TEST(DocumentWriting, FacilityBlocksFollowTheirWindowsFieldOrder) {
    DocumentRecord r = sampleRecord(5);
    r.facility = RectangularValues{"U", "1.0", "0.5", "2", "0.015", 4};
    std::vector<std::string> lines = crlfLines(serialise(r).bytes);
    ASSERT_EQ(lines.size(), 33u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 22, lines.begin() + 28),
              (std::vector<std::string>{"U", "1.0", "0.5", "2", "0.015", " 4 "}));

    r = sampleRecord(2);
    r.facility = StandardPipeValues{12, "3", "0.010", 5};
    lines = crlfLines(serialise(r).bytes);
    ASSERT_EQ(lines.size(), 31u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 22, lines.begin() + 26),
              (std::vector<std::string>{" 12 ", "3", "0.010", " 5 "}));
    EXPECT_EQ(lines[0], " 2 ");
    EXPECT_EQ(lines[14], " 12 ");   // cob1
    EXPECT_EQ(lines[26], "0.0058"); // first caption right after the block
}

TEST(DocumentWriting, JapaneseTextIsStoredInCodePage932) {
    DocumentRecord r = sampleRecord(4);
    std::get<OtherCircularValues>(r.facility).txt_m = "管φ３００";
    // A typed U+2014 dash is stored as the code page's horizontal bar 81 5C.
    r.form11.lbl3 = "\u2014";
    const SerialiseResult written = serialise(r);
    ASSERT_TRUE(written.ok());
    const std::vector<std::string> lines = crlfLines(written.bytes);
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[22], "\x8A\xC7\x83\xD3\x82\x52\x82\x4F\x82\x4F");
    EXPECT_EQ(lines[27], "\x81\x5C");

    const ParseResult read = parse(written.bytes);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(std::get<OtherCircularValues>(read.record->facility).txt_m, "管φ３００");
    EXPECT_EQ(read.record->form11.lbl3, "\u2015");
}

TEST(DocumentWriting, RefusesALineBreakInAText) {
    for (const char* material : {"鋳鉄\n管", "鋳鉄\r管", "鋳鉄管\r\n"}) {
        DocumentRecord r = sampleRecord(5);
        std::get<RectangularValues>(r.facility).txt_m = material;
        const SerialiseResult written = serialise(r);
        ASSERT_FALSE(written.ok());
        EXPECT_TRUE(written.bytes.empty());
        EXPECT_EQ(written.failure->field, "管の材料・名称");
        EXPECT_EQ(written.failure->message,
                  "「管の材料・名称」に改行が含まれているため保存できません。");
    }
}

// An other-circular document whose material name holds `name`: nothing is written,
// and the failure names the field, the character and both in its message.
DocumentRecord expectMaterialNameRefused(const std::string& name, const std::string& character,
                                         const std::string& message) {
    DocumentRecord r = sampleRecord(4);
    std::get<OtherCircularValues>(r.facility).txt_m = name;
    const SerialiseResult written = serialise(r);
    EXPECT_FALSE(written.ok());
    EXPECT_TRUE(written.bytes.empty());
    if (written.failure) {
        EXPECT_EQ(written.failure->field, "管の材料・名称");
        EXPECT_EQ(written.failure->character, character);
        EXPECT_EQ(written.failure->message, message);
    }
    return r;
}

TEST(DocumentWriting, RefusesACharacterTheCodePageCannotHold) {
    DocumentRecord r = expectMaterialNameRefused(
        "管😀", "😀", "「管の材料・名称」の文字「😀」はファイルに保存できません。");

    // The first refused field in file order is the one named.
    r.form3.txt_p = "１２０人€";
    SerialiseResult written = serialise(r);
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.failure->field, "計画人口");
    EXPECT_EQ(written.failure->character, "€");
}

TEST(DocumentWriting, RefusesControlCharactersButKeepsTheTab) {
    expectMaterialNameRefused("塩ビ管\x1b[2J", "\x1b",
                              "「管の材料・名称」の文字「U+001B」はファイルに保存できません。");

    // DEL and a C1 control, in other texts.
    DocumentRecord r = sampleRecord(5);
    std::get<RectangularValues>(r.facility).txt_m = "Ｕ字溝\xc2\x9b";
    SerialiseResult written = serialise(r);
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.failure->message,
              "「管の材料・名称」の文字「U+009B」はファイルに保存できません。");
    r = sampleRecord(0);
    r.form3.txt_p = "120\x7f";
    written = serialise(r);
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.failure->message, "「計画人口」の文字「U+007F」はファイルに保存できません。");

    // A tab is text like any other and comes back.
    r = sampleRecord(4);
    std::get<OtherCircularValues>(r.facility).txt_m = "塩ビ\t管";
    written = serialise(r);
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(parse(written.bytes).record, r);
}

TEST(DocumentWriting, RefusesWhatCouldNotBeReadBack) {
    DocumentRecord r = sampleRecord(0);
    r.form1.txt3 = std::string("0.1\0", 4);
    SerialiseResult written = serialise(r);
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.failure->field, "計画汚水量");

    r = sampleRecord(0);
    r.form1.opt10.reset();
    written = serialise(r);
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.failure->field, "余裕率の検討");
    EXPECT_TRUE(written.bytes.empty());

    // A block that is not the one the facility kind calls for.
    r = sampleRecord(4);
    r.facility = StandardPipeValues{};
    written = serialise(r);
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.failure->field, "施設の種類");
}

// Lines of a hand-written file without a facility kind, with the line 1 given.
std::vector<std::string> noBlockFile(const std::string& kindLine) {
    return {kindLine, "True",          "False",  "True",   "False", "True",    "False",
            "True",   "False",         "True",   "False",  "",      "",        "0.0046",
            " 0 ",    "True",          "False",  "False",  "120",   "350",     "",
            "",       "first caption", "0.0227", "0.9105", "594.2", "23456.00"};
}

TEST(DocumentReading, KindWithoutWindowReadsNoBlock) {
    for (const char* kindLine : {" 7 ", "-1 "}) {
        const ParseResult read = parse(joinCrlf(noBlockFile(kindLine)));
        ASSERT_TRUE(read.ok()) << kindLine;
        EXPECT_TRUE(std::holds_alternative<std::monostate>(read.record->facility));
        EXPECT_EQ(read.record->form11.lbl3, "first caption");
        EXPECT_EQ(read.record->form11.lbl21, "23456.00");
    }
    EXPECT_EQ(*parse(joinCrlf(noBlockFile(" 7 "))).record->form1.lst_s, 7);
    EXPECT_EQ(*parse(joinCrlf(noBlockFile("-1 "))).record->form1.lst_s, -1);
}

// Each text put on one line of a hand-written file, and what the main sheet's value
// of that line reads.
template <typename Value>
void expectLineReads(size_t line, Value MainSheetValues::*value,
                     const std::vector<std::pair<std::string, Value>>& cases) {
    std::vector<std::string> lines = noBlockFile("-1");
    for (const auto& [text, expected] : cases) {
        lines[line] = text;
        const ParseResult read = parse(joinCrlf(lines));
        ASSERT_TRUE(read.ok()) << text;
        EXPECT_EQ(read.record->form1.*value, expected) << "\"" << text << "\"";
    }
}

TEST(DocumentReading, IndexLinesIgnoreSurroundingSpaces) {
    expectLineReads<DocumentIndex>(14, &MainSheetValues::cob1,
                                   {{"3", 3},
                                    {" 12 ", 12},
                                    {"   0", 0},
                                    {"-1 ", -1},
                                    {"x", std::nullopt},
                                    {"", std::nullopt},
                                    {"3.5", std::nullopt},
                                    {"1 2", std::nullopt},
                                    {"99999999999", std::nullopt}});
}

TEST(DocumentReading, FlagLinesReadWordsAndNumbers) {
    expectLineReads<DocumentFlag>(9, &MainSheetValues::opt9,
                                  {{"True", true},
                                   {"False", false},
                                   {"TRUE", true},
                                   {"false", false},
                                   {"0", false},
                                   {"1", true},
                                   {"-1", true},
                                   {"garbage", std::nullopt},
                                   {"", std::nullopt}});
}

TEST(DocumentReading, TakesTextLinesWhole) {
    std::vector<std::string> lines = noBlockFile("-1");
    lines[11] = "  25 \x81\x93 "; // "％" in code page 932
    lines[12] = "True";
    lines[22] = "";
    const ParseResult read = parse(joinCrlf(lines));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.record->form1.txt1, "  25 ％ ");
    EXPECT_EQ(read.record->form1.txt2, "True");
    EXPECT_EQ(read.record->form11.lbl3, "");
}

TEST(DocumentReading, AcceptsLoneLineFeedsAndAMissingLastLineEnd) {
    const std::vector<std::string> lines = noBlockFile("-1 ");
    const DocumentRecord expected = *parse(joinCrlf(lines)).record;

    std::string lfOnly;
    for (const std::string& line : lines)
        lfOnly += line + "\n";
    ASSERT_TRUE(parse(lfOnly).ok());
    EXPECT_EQ(*parse(lfOnly).record, expected);

    std::string noLastEnd = joinCrlf(lines);
    noLastEnd.resize(noLastEnd.size() - 2);
    ASSERT_TRUE(parse(noLastEnd).ok());
    EXPECT_EQ(*parse(noLastEnd).record, expected);
}

void expectNotADocument(const std::string& bytes, const char* what) {
    const ParseResult read = parse(bytes);
    EXPECT_FALSE(read.ok()) << what;
    EXPECT_EQ(read.failure, DocumentReadFailure::NotADocument) << what;
    EXPECT_EQ(read.message, "このファイルはTovarinの計算書データではありません。") << what;
}

TEST(DocumentReading, RefusesFilesThatAreNotDocuments) {
    expectNotADocument("", "empty file");
    expectNotADocument("\xFF\xFE\x81\r\n", "not code page 932");
    expectNotADocument(std::string("\x89\x50\x4E\x47\r\n\x1A\n\0\0\0\x0D", 12), "binary");

    std::string withNul = joinCrlf(noBlockFile("-1 "));
    withNul[40] = '\0';
    expectNotADocument(withNul, "NUL byte");

    // A first line that is no index, in a file that reads as no document without a
    // facility block.
    std::vector<std::string> wordFirst = noBlockFile("VP");
    wordFirst[3] = "maybe";
    expectNotADocument(joinCrlf(wordFirst), "word for the kind, option line not an option");
    std::vector<std::string> standardBlock = crlfLines(serialise(sampleRecord(3)).bytes);
    standardBlock[0] = "Hume";
    expectNotADocument(joinCrlf(standardBlock), "word for the kind above a block");
    expectNotADocument("Dear reader,\r\n\r\n", "a letter");

    std::vector<std::string> tooMany = noBlockFile("-1 ");
    tooMany.push_back("extra");
    expectNotADocument(joinCrlf(tooMany), "28 lines for no kind");
    // A stored kind of 5 makes a 33-line file; the same lines with kind -1 are too many.
    std::vector<std::string> rectangular = crlfLines(serialise(sampleRecord(5)).bytes);
    rectangular[0] = "-1 ";
    expectNotADocument(joinCrlf(rectangular), "rectangular block under no kind");
}

// A document whose text an editor converted to UTF-8 (with or without a byte-order
// mark, CR LF or LF) is named as such, never read with the wrong characters; UTF-8
// that is no document stays "not a document", and documents of ASCII only read as
// they always did.
TEST(DocumentReading, NamesADocumentConvertedToUtf8) {
    for (int kind : {4, 5}) {
        const std::string saved = serialise(sampleRecord(kind)).bytes;
        const std::string utf8 = cp932::decode(saved).utf8;
        ASSERT_NE(utf8, saved);
        std::string lfOnly = utf8;
        std::erase(lfOnly, '\r');
        for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8, lfOnly}) {
            const ParseResult read = parse(bytes);
            EXPECT_FALSE(read.ok()) << kind;
            EXPECT_EQ(read.failure, DocumentReadFailure::ConvertedToUtf8) << kind;
            EXPECT_EQ(read.message,
                      "このファイルは文字コードがUTF-8に変換されたTovarinの計算書データです。"
                      "Tovarinの計算書データはシフトJIS（コードページ 932）で読み書きします。"
                      "テキストエディタで文字コードを「日本語 (CP932)」又は「Shift_JIS」にして"
                      "保存し直してから開いてください。");
        }
        ASSERT_TRUE(parse(saved).ok());
        EXPECT_EQ(*parse(saved).record, sampleRecord(kind));
    }
    expectNotADocument("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\r\n", "a UTF-8 word");
    expectNotADocument("\xEF\xBB\xBF" + joinCrlf(noBlockFile("-1 ")) + "\xC0\xAF",
                       "an overlong UTF-8 form after a document");

    const std::string ascii = serialise(sampleRecord(0)).bytes;
    ASSERT_TRUE(parse(ascii).ok());
    EXPECT_EQ(*parse(ascii).record, sampleRecord(0));
}

TEST(DocumentReading, IgnoresBlankLinesAfterTheLastValue) {
    for (int kind : {-1, 0, 4, 5}) {
        const std::string saved = serialise(sampleRecord(kind)).bytes;
        for (const char* tail : {"\r\n", "\r\n\r\n", "  \r\n\t\n", "\n"}) {
            const ParseResult read = parse(saved + tail);
            ASSERT_TRUE(read.ok()) << kind << " + " << ::testing::PrintToString(tail);
            EXPECT_EQ(*read.record, sampleRecord(kind)) << kind;
        }
    }
    // An empty last caption is a value, not a blank line after the values.
    std::vector<std::string> lines = noBlockFile("-1 ");
    lines.back() = "";
    const ParseResult emptyLast = parse(joinCrlf(lines) + "\r\n");
    ASSERT_TRUE(emptyLast.ok());
    EXPECT_EQ(emptyLast.record->form11.lbl21, "");
    // A line with something in it after the last value still makes too many lines.
    expectNotADocument(joinCrlf(noBlockFile("-1 ")) + "\r\nextra\r\n", "text after blanks");
}

TEST(DocumentReading, AWordForTheKindLeavesTheListUnchosen) {
    std::vector<std::string> lines = noBlockFile("VP");
    const ParseResult read = parse(joinCrlf(lines) + "\r\n");
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.record->form1.lst_s, std::nullopt);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(read.record->facility));
    EXPECT_EQ(read.record->form11.lbl3, "first caption");
    // Nothing can be saved from it as it stands: the kind has no value.
    EXPECT_FALSE(serialise(*read.record).ok());
}

TEST(DocumentReading, ReportsAFileThatEndsEarly) {
    const std::string full = serialise(sampleRecord(5)).bytes;
    std::vector<std::string> lines = crlfLines(full);
    lines.pop_back();
    for (const std::string& bytes : {joinCrlf(lines), std::string(" 0 \r\nTrue\r\n")}) {
        const ParseResult read = parse(bytes);
        EXPECT_FALSE(read.ok());
        EXPECT_EQ(read.failure, DocumentReadFailure::EndsEarly);
        EXPECT_EQ(read.message, "ファイルが途中で終わっています。");
    }
}

// The kind of a document is told by its first line alone, the same for the program
// and the tool, whatever the file is called.
TEST(DocumentKind, FirstLineDecides) {
    using namespace std::string_view_literals;
    const struct {
        std::string_view bytes;
        DocumentKind kind;
    } cases[] = {
        {"Tovarin 雨水 1\n区域=屋根,0.1,0.9\n", DocumentKind::Rainwater},
        {"Tovarin 雨水 1\r\n", DocumentKind::Rainwater},
        {"\xEF\xBB\xBFTovarin 雨水 1\n", DocumentKind::Rainwater},
        {"Tovarin 雨水 1", DocumentKind::Rainwater},
        // Saved in another encoding: still a rainwater document, which its reader
        // refuses with the hint to save it as UTF-8.
        {"Tovarin \x89\x4A\x90\x85 1\r\n", DocumentKind::Rainwater},
        {"\xFF\xFET\0o\0v\0a\0r\0i\0n\0 \0\xE8\x96\x34\x6C \0"
         "1\0\n\0"sv,
         DocumentKind::Rainwater},
        {"\0T\0o\0v\0a\0r\0i\0n\0 \x96\xE8\x6C\x34\0 \0"
         "1"sv,
         DocumentKind::Rainwater},
        {"Tovarin 雨水 12\n", DocumentKind::Sewage},
        {" Tovarin 雨水 1\n", DocumentKind::Sewage},
        {"True\r\nFalse\r\n", DocumentKind::Sewage},
        {"", DocumentKind::Sewage},
    };
    for (const auto& c : cases)
        EXPECT_EQ(documentKindOf(c.bytes), c.kind) << c.bytes;
}

} // namespace
} // namespace tovarin
