#include "sheettext/RainwaterSheetBuilder.h"
#include "sheettext/SheetPages.h"
#include "tests/support/RainwaterComputed.h"
#include "tests/support/RainwaterInputs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

RainwaterResult computed(const RainwaterInput& in) {
    return computedRainwater(in);
}

struct BuiltSheet {
    std::vector<std::string> texts;
    std::vector<SheetLine> lines;

    bool has(const std::string& text) const {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
    const SheetLine* lineWith(const std::string& piece) const {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (texts[i].find(piece) != std::string::npos)
                return &lines[i];
        }
        return nullptr;
    }
};

BuiltSheet built(const RainwaterInput& in, SheetOutput output = SheetOutput::TextFile) {
    SheetLineList sink(output);
    buildRainwaterSheet(computed(in), sink);
    BuiltSheet sheet;
    sheet.lines = sink.lines;
    for (const SheetLine& line : sink.lines)
        sheet.texts.push_back(lineText(line));
    return sheet;
}

std::string sp(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

} // namespace

TEST(RainwaterSheet, AreaTableKeepsItsColumnsWhateverTheNameWidth) {
    RainwaterInput in = uDitchInput();
    in.areas[1].name = "ｺｰﾄ"; // half-width katakana: one column each
    const BuiltSheet sheet = built(in);
    EXPECT_TRUE(sheet.has(sp(21) + "屋根" + sp(20) + "0.1200" + sp(8) + "0.90" + sp(6) + "0.1080"));
    EXPECT_TRUE(sheet.has(sp(21) + "ｺｰﾄ" + sp(21) + "0.0800" + sp(8) + "0.85" + sp(6) + "0.0680"));
    // A name too long for its column still leaves a blank before the figure, and the
    // next columns end where they should again.
    in.areas[0].name = std::string(30, 'X');
    EXPECT_TRUE(built(in).has(sp(21) + std::string(30, 'X') + " 0.1200 0.90" + sp(6) + "0.1080"));
}

TEST(RainwaterSheet, VerdictLinesCompareThePrintedFlows) {
    RainwaterInput in = uDitchInput();
    in.intensityForm = IntensityForm::Direct;
    in.directIntensityText = "110.9"; // Q prints 0.0693, as Q2 does
    BuiltSheet sheet = built(in);
    EXPECT_TRUE(sheet.has(sp(19) + "Q=0.0693m3/sec  =  Q2=0.0693m3/sec  \u3000∴ O.K"));
    EXPECT_TRUE(sheet.has(sp(19) + "計画雨水量 Q=1/360×0.50×110.9×0.4500=0.0693m3/sec"));
    // Direct intensity: no times on the sheet.
    EXPECT_FALSE(sheet.lineWith("到達時間"));

    in.directIntensityText = "150";
    sheet = built(in);
    const SheetLine* verdict = sheet.lineWith("∴ NG");
    ASSERT_TRUE(verdict);
    EXPECT_TRUE(verdict->alert);
    EXPECT_EQ(lineText(*verdict), sp(19) + "Q=0.0938m3/sec  >  Q2=0.0693m3/sec    ∴ NG");

    in.gradientText = "0.5"; // V = 0.3045 m/sec
    EXPECT_TRUE(built(in).lineWith("（流速の目安 0.8～3.0m/sec）  ∴ 不足"));
}

TEST(RainwaterSheet, TrapezoidSectionIsWrittenOut) {
    const BuiltSheet sheet = built(trapezoidInput("0.30", "0.30", "0.5"));
    EXPECT_TRUE(
        sheet.has(sp(19) + "※ 施設  台形水路 300×300 法勾配1:0.50    勾配 I=5.0‰=5.0/1000"));
    EXPECT_TRUE(sheet.has(sp(20) + "・水　　　深   h=0.30×0.80=0.2400m"));
    EXPECT_TRUE(
        sheet.has(sp(20) + "・流水の断面積 A=(B＋m･h)･h=(0.30＋0.50×0.2400)×0.2400=0.1008m2"));
    EXPECT_TRUE(sheet.has(sp(20) +
                          "・流水の潤辺長 P=B＋2･h･√(1＋m^2)=0.30＋2×0.2400×√(1＋0.50^2)=0.8367m"));
}

TEST(RainwaterSheet, IntensityLinesOfEachFormulaUseThePrintedT) {
    RainwaterInput in = uDitchInput();
    in.intensityForm = IntensityForm::Cleveland;
    in.constantAText = "1000";
    in.constantBText = "-0.5";
    in.constantNText = "0.6";
    // 1000/(3.7621-0.5) = 306.555
    EXPECT_TRUE(built(in).has(sp(21) + "・降雨強度   I=1000/(9.1^0.6-0.5)=306.6mm/hr"));
    in.intensityForm = IntensityForm::KunoIshiguro;
    in.constantAText = "600";
    in.constantBText = "0.5";
    EXPECT_TRUE(built(in).has(sp(21) + "・降雨強度   I=600/(√9.1+0.5)=170.6mm/hr"));
}

TEST(RainwaterSheet, DrawnPagesGetTheTopMarginOfTheSewageSheet) {
    const BuiltSheet text = built(uDitchInput());
    const BuiltSheet drawn = built(uDitchInput(), SheetOutput::Drawn);
    ASSERT_EQ(drawn.texts.size(), text.texts.size() + 5);
    EXPECT_TRUE(std::equal(text.texts.begin(), text.texts.end(), drawn.texts.begin() + 5));
}

TEST(RainwaterSheet, ReportFileNamesACharacterItCannotHold) {
    RainwaterInput in = uDitchInput();
    in.areas[2].name = "間地\U0001F333";
    SheetText text = rainwaterSheetText(computed(in));
    EXPECT_FALSE(text.ok);
    EXPECT_EQ(text.message, "区域（3行目）の名称の文字「\U0001F333」はファイルに書き込めません。");

    text = rainwaterSheetText(computed(uDitchInput()));
    ASSERT_TRUE(text.ok);
    EXPECT_NE(text.bytes.find("\r\n"), std::string::npos);
    EXPECT_EQ(text.alertLines, 0);
}

namespace {

std::vector<SheetLine> drawnLines(const RainwaterInput& in) {
    SheetLineList lines(SheetOutput::Drawn);
    buildRainwaterSheet(computed(in), lines);
    return lines.lines;
}

std::vector<std::string> texts(const SheetPage& page) {
    std::vector<std::string> all;
    for (const SheetLine& line : page)
        all.push_back(lineText(line));
    return all;
}

} // namespace

// A sheet that fits stays as it is; a longer one repeats its heading on each further
// page, numbers the pages, and loses no line of text.
TEST(SheetPages, LongSheetRepeatsItsHeadingAndNumbersItsPages) {
    const std::vector<SheetLine> lines = drawnLines(uDitchInput());
    const std::vector<SheetPage> one = sheetPages(lines, 200);
    ASSERT_EQ(one.size(), 1U);
    EXPECT_EQ(texts(one.front()), texts(lines));

    const std::vector<SheetPage> pages = sheetPages(lines, 40);
    ASSERT_EQ(pages.size(), 2U);
    EXPECT_LE(pages[0].size(), 40U);
    EXPECT_LE(pages[1].size(), 40U);
    std::size_t at = 0;
    while (lines[at].isBlank())
        ++at;
    const std::string title = lineText(lines[at]);
    EXPECT_NE(title.find("流量計算書"), std::string::npos);
    EXPECT_EQ(lineText(pages[0][at]), title + "    1/2");
    EXPECT_EQ(lineText(pages[1][at]), title + "    2/2");
    EXPECT_TRUE(pages[1][at + 1].isBlank());
    // Every line with text is on a page, in order, the verdict last.
    std::vector<std::string> original;
    for (const SheetLine& line : lines)
        if (!line.isBlank())
            original.push_back(lineText(line));
    std::vector<std::string> paged;
    for (std::size_t p = 0; p < pages.size(); ++p)
        for (std::size_t i = 0; i < pages[p].size(); ++i)
            if (!pages[p][i].isBlank() && !(p > 0 && i == at))
                paged.push_back(i == at ? title : lineText(pages[p][i]));
    EXPECT_EQ(paged, original);
    // No room below the heading: one page, as it is.
    EXPECT_EQ(sheetPages(lines, 3).size(), 1U);
}
