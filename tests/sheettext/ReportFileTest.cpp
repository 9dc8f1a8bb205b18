// The sheet as report file bytes (code page 932, CR LF) and appending it to the file.

#include "sheettext/ReportFile.h"
#include "platform/AppendFile.h"
#include "platform/Cp932.h"
#include "tests/sheettext/SheetTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tovarin;
using namespace tovarin::testing;
namespace fs = std::filesystem;

namespace {

// A residential sheet by Manning on a VP pipe, with the margin check on.
CalcSheet residentialSheet() {
    CalcSheet s;
    s.flowEntryMode = FlowEntryMode::Computed;
    s.landUse = LandUse::Residential;
    s.groundwaterOn = OnOff::Off;
    s.allowanceOn = OnOff::Off;
    s.population = 100;
    s.sewagePerCapita = 250;
    s.plannedFlowBase = 0.0003;
    s.plannedFlow = 0.0003;
    s.velocityFormula = VelocityFormula::Manning;
    s.facilityKind = FacilityKind::VP;
    s.facilityLabel = "VP - φ65";
    s.pipeDiameter = 0.0678;
    s.depthRatio = 8;
    s.slopePermille = 10;
    s.slope = 0.01;
    s.roughness = 0.010;
    s.flowArea = 0.0030959;
    s.wettedPerimeter = 0.1501228;
    s.hydraulicRadius = 0.0206227;
    s.velocity = 0.7520;
    s.capacity = 0.0023281;
    s.maxPopulation = 804.59;
    s.marginCheck = MarginCheck::On;
    s.marginReference = 100;
    s.marginRatio = 676.03;
    return s;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class ScratchFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "report-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
};

size_t count(const std::string& text, const std::string& piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) {
        ++n;
    }
    return n;
}

} // namespace

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

TEST_F(ScratchFolder, AWriteThatStopsPartWayLeavesNoHalfSheet) {
    const fs::path file = folder / "Tvrn.txt";
    writeFile(file, "earlier\r\n");

    // Let the file grow by 100 bytes only: the write stops inside the sheet.
    struct rlimit previous {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    struct rlimit limited = previous;
    limited.rlim_cur = 9 + 100;
    const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const ReportWrite written = appendSheet(residentialSheet(), file.string());
    setrlimit(RLIMIT_FSIZE, &previous);
    signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.message, "ファイル「" + file.string() +
                                   "」に書き込めませんでした。\nファイルが大きすぎます。");
    EXPECT_EQ(readFile(file), "earlier\r\n");
}

TEST_F(ScratchFolder, OnlyARegularFileOrAFreeNameIsWritten) {
    // A FIFO with a reader: writing would not even wait, yet the sheet must not go
    // into it. Without a reader, opening it for writing would wait for ever.
    const fs::path fifo = folder / "fifo.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ReportWrite written = appendSheet(residentialSheet(), fifo.string());
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.message, "ファイル「" + fifo.string() +
                                   "」に書き込めませんでした。\n通常のファイルではありません（装置"
                                   "、FIFO、ソケットなど）。");
    char byte = 0;
    EXPECT_LE(::read(reader, &byte, 1), 0); // nothing arrived
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(fifo));

    // A symbolic link to a regular file is written through.
    const fs::path file = folder / "real.txt";
    writeFile(file, "earlier\r\n");
    fs::create_symlink(file, folder / "Tvrn.txt");
    EXPECT_TRUE(appendSheet(residentialSheet(), (folder / "Tvrn.txt").string()).ok);
    EXPECT_EQ(readFile(file), "earlier\r\n" + sheetText(residentialSheet()).bytes);
    EXPECT_TRUE(fs::is_symlink(folder / "Tvrn.txt"));
}

TEST_F(ScratchFolder, TakingBackAFailedAppendSparesWhatOthersAppended) {
    const fs::path file = folder / "Tvrn.txt";
    writeFile(file, "earlier\r\n");
    const auto appendOurs = [&](int fd) {
        AppendedBytes ours;
        ours.length = 4;
        EXPECT_EQ(::write(fd, "ours", 4), 4);
        ours.start = ::lseek(fd, 0, SEEK_CUR) - 4;
        ours.error = ENOSPC;
        return ours;
    };

    // Our bytes are still the end of the file: they go.
    int fd = ::open(file.c_str(), O_WRONLY | O_APPEND);
    AppendedBytes ours = appendOurs(fd);
    EXPECT_TRUE(takeBackAppended(fd, ours));
    EXPECT_EQ(readFile(file), "earlier\r\n");

    // Another program appended after them: the file is left alone.
    ours = appendOurs(fd);
    {
        std::ofstream other(file, std::ios::binary | std::ios::app);
        other << "theirs\r\n";
    }
    EXPECT_FALSE(takeBackAppended(fd, ours));
    EXPECT_EQ(readFile(file), "earlier\r\nourstheirs\r\n");

    // Their bytes came between two pieces of ours.
    ours = appendOurs(fd);
    ours.contiguous = false;
    EXPECT_FALSE(takeBackAppended(fd, ours));
    EXPECT_EQ(readFile(file), "earlier\r\nourstheirs\r\nours");
    ::close(fd);
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

// ------------------------------------------------------------ code page 932

TEST(Cp932, EncodesTheSheetCharacters) {
    const cp932::EncodeResult r = cp932::encode("㍑―･φ‰∴\u3000");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.bytes, "\x87\x67\x81\x5c\xa5\x83\xd3\x81\xf1\x81\x88\x81\x40");

    const cp932::DecodeResult back = cp932::decode(r.bytes);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.utf8, "㍑―･φ‰∴\u3000");
}

TEST(Cp932, MapsLookAlikesToTheCodePageCharacters) {
    const cp932::EncodeResult r = cp932::encode("\u2014\u301C\u2212\u2016\u00A2\u00AC");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.bytes, "\x81\x5c\x81\x60\x81\x7c\x81\x61\x81\x91\x81\xca");
    EXPECT_EQ(cp932::decode(r.bytes).utf8, "\u2015\uFF5E\uFF0D\u2225\uFFE0\uFFE2");
}

TEST(Cp932, ReportsTheFirstCharacterItCannotHold) {
    const cp932::EncodeResult r = cp932::encode("ab\u00E9c😀");
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(*r.unencodable, "\u00E9");
    EXPECT_TRUE(r.bytes.empty());
}

TEST(Cp932, ReportsACharacterThatWouldReadBackAsAnother) {
    // The yen sign would be written as the backslash byte and read back as "\\".
    const cp932::EncodeResult yen = cp932::encode("Ｕ字溝 \u00A5300");
    EXPECT_FALSE(yen.ok());
    EXPECT_EQ(*yen.unencodable, "\u00A5");
    EXPECT_EQ(*cp932::encode("a\u203E").unencodable, "\u203E");
    EXPECT_EQ(cp932::encode("\\~").bytes, "\\~");
}

TEST(Cp932, RejectsBrokenBytes) {
    EXPECT_FALSE(cp932::decode("ab\x81").ok); // lead byte without its trail byte
    EXPECT_TRUE(cp932::decode("").ok);
}
