// Group 2 of the calculation sheet: the drainage facility section for each facility
// kind, velocity formula and effective-depth code. Expected lines are written out
// by hand from the figures "計算する" leaves on the sheet.

#include "engine/Catalogue.h"
#include "tests/sheettext/SheetTestSupport.h"
#include "tests/support/ComputedSheets.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

const std::string capacityLegend = "\u3000\u3000" + sp(15) + "Q2=A･V      ｜Q2：流量(m3/sec)";

// VP φ100 at full flow, 10 ‰, n = 0.010, by Manning.
CalcSheet vp100() {
    CalcSheet s = computedSheet(vp100Input());
    s.materialName = "使われない名前"; // a catalogue pipe prints its label only
    return s;
}

// Another circular pipe of 300 mm at "水深８割", 5 ‰, n = 0.013, by Kutter, with no
// allowance choice.
CalcSheet otherCircularKutter() {
    ComputeInput in = otherCircularInput();
    in.materialText = "塩ビ管";
    in.depthListPosition = 5;
    in.depthListText = "水深８割";
    in.gradientText = "5";
    in.roughnessText = "0.013";
    in.velocityFormula = VelocityFormula::Kutter;
    CalcSheet s = computedSheet(in);
    s.facilityLabel = "VP - φ65"; // left from an earlier catalogue pipe, not printed
    s.allowanceOn = OnOff::None;
    return s;
}

// A "Ｕ字溝" 1.0 m high at 2 ‰, n = 0.015.
CalcSheet channel(const char* width, int depthPosition, const char* depthText,
                  VelocityFormula formula = VelocityFormula::Manning) {
    ComputeInput in = rectangularInput();
    in.materialText = "Ｕ字溝";
    in.widthText = width;
    in.depthListPosition = depthPosition;
    in.depthListText = depthText;
    in.gradientText = "2";
    in.roughnessText = "0.015";
    in.velocityFormula = formula;
    return computedSheet(in);
}

// ASCII digits as full-width ones, the rest as it is.
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

} // namespace

TEST(SheetFacility, CataloguePipeByManningWholeGroup) {
    EXPECT_EQ(groupText(Hyouji_2, vp100()),
              (std::vector<std::string>{
                  sp(16) + "◎ 排水施設の検討",
                  "",
                  sp(19) + "※ 施設  VP - φ100    勾配 I=10.0‰=10.0/1000",
                  "",
                  sp(18) + "（満流、マニング公式による）",
                  "",
                  capacityLegend,
                  sp(31) + "｜ A：流水の断面積(m2)",
                  sp(31) + "｜ V：流速(m/sec)",
                  "",
                  sp(20) + "V=1/n･R^(2/3)･I^(1/2)      ｜n：粗度係数",
                  sp(47) + "｜R：径深(m)",
                  sp(47) + "｜I：勾配",
                  "",
                  sp(20) + "・粗 度 係 数  n=0.010",
                  sp(20) + "・流水の断面積 A=0.7853･D^2=0.7853×0.1008^2=0.0080m2",
                  sp(20) + "・流水の潤辺長 P=3.1415･D=3.1415×0.1008=0.3167m",
                  sp(20) + "・　径　　深   R=A/P=0.0080/0.3167=0.0252m",
                  "",
                  sp(20) + "流 速 V=1/0.010×0.0252^(2/3)×0.0100^(1/2)",
                  sp(27) + "=100.000×0.0859×0.1000=0.8595m/sec",
                  "",
                  sp(19) + "流　量 Q2=A･V=0.0080×0.8595=0.0069m3/sec",
                  "",
                  sp(19) + "Q1=0.0041m3/sec  <  Q2=0.0069m3/sec  \u3000∴ O.K",
                  sp(18) + bars(24),
              }));
}

TEST(SheetFacility, OtherCircularPipeByKutter) {
    const std::vector<std::string> lines = groupText(Hyouji_2, otherCircularKutter());
    // No allowance choice: the facility section is the whole group.
    EXPECT_EQ(lines, (std::vector<std::string>{
                         sp(16) + "◎ 排水施設の検討",
                         "",
                         sp(19) + "※ 施設  塩ビ管 φ300    勾配 I=5.0‰=5.0/1000",
                         "",
                         sp(18) + "（水深８割、クッター公式による）",
                         "",
                         capacityLegend,
                         sp(31) + "｜ A：流水の断面積(m2)",
                         sp(31) + "｜ V：流速(m/sec)",
                         "",
                         sp(28) + "23＋(1/n)＋(0.00155/I)",
                         sp(20) + "V=" + bars(17) + "･(R･I)^(1/2)",
                         sp(23) + "1＋{23＋(0.00155/I)}･{n/R^(1/2)}",
                         sp(61) + "｜n：粗度係数 ",
                         sp(61) + "｜R：径深(m)",
                         sp(61) + "｜I：勾配",
                         "",
                         sp(20) + "・粗 度 係 数  n=0.013",
                         sp(20) + "・流水の断面積 A=0.6735･D^2=0.6735×0.3000^2=0.0606m2",
                         sp(20) + "・流水の潤辺長 P=2.2142･D=2.2142×0.3000=0.6643m",
                         sp(20) + "・　径　　深   R=A/P=0.0606/0.6643=0.0913m",
                         "",
                         sp(28) + "\u3000   23＋(1/0.013)＋(0.00155/0.0050)",
                         sp(18) + "流速V=" + bars(24) + "×(0.0913×0.0050)^(1/2)",
                         sp(25) + "1＋{23＋(0.00155/0.0050)}×{0.013/0.0913^(1/2)}",
                         sp(23) + "=(100.2331/2.0031)×0.0214=1.0688m/sec",
                         "",
                         sp(19) + "流　量 Q2=A･V=0.0606×1.0688=0.0648m3/sec",
                         "",
                     }));
}

TEST(SheetFacility, CataloguePipeAtAFlowAreaCode) {
    ComputeInput in = vp100Input();
    in.facilityKindIndex = 3;
    in.sizeListPosition = 15;
    in.depthListPosition = 9;
    in.depthListText = "水量９５％";
    in.gradientText = "1.25";
    const std::vector<std::string> lines = groupText(Hyouji_2, computedSheet(in));

    EXPECT_EQ(lines[2], sp(19) + "※ 施設  ﾋｭｰﾑ管 φ1350    勾配 I=1.3‰=1.3/1000");
    EXPECT_EQ(lines[4], sp(18) + "（水量９５％、マニング公式による）");
    EXPECT_EQ(lines[15], sp(20) + "・流水の断面積 A=0.7461･D^2=0.7461×1.3500^2=1.3598m2");
    EXPECT_EQ(lines[16], sp(20) + "・流水の潤辺長 P=2.4980･D=2.4980×1.3500=3.3723m");
}

// Every depth code of the table: its heading named after the code, and its
// coefficients printed as the table holds them, to four decimals.
TEST(SheetFacility, EveryDepthCodeHasItsHeadingAndCoefficients) {
    ASSERT_EQ(DepthRatioTable::rows().size(), 13u);
    for (const DepthRow& row : DepthRatioTable::rows()) {
        char code[8], a[16], p[16];
        std::snprintf(code, sizeof code, row.code == std::floor(row.code) ? "%.0f" : "%.1f",
                      row.code);
        std::snprintf(a, sizeof a, "%.4f", row.a);
        std::snprintf(p, sizeof p, "%.4f", row.p);
        const std::string heading = row.code == 10  ? std::string("満流")
                                    : row.code < 10 ? "水深" + fullWidthDigits(code) + "割"
                                                    : "水量" + fullWidthDigits(code) + "％";
        SCOPED_TRACE(heading);
        CalcSheet s = otherCircularKutter();
        s.depthRatio = row.code;
        s.pipeDiameter = 0.25;
        s.flowArea = 0.04;
        s.wettedPerimeter = 0.6;
        const std::vector<std::string> lines = groupText(Hyouji_2, s);
        EXPECT_EQ(lines[4], sp(18) + "（" + heading + "、クッター公式による）");
        EXPECT_EQ(lines[18], sp(20) + "・流水の断面積 A=" + a + "･D^2=" + a + "×0.2500^2=0.0400m2");
        EXPECT_EQ(lines[19], sp(20) + "・流水の潤辺長 P=" + p + "･D=" + p + "×0.2500=0.6000m");
    }
}

TEST(SheetFacility, ADepthCodeOutsideTheTableKeepsTheRadiusLine) {
    CalcSheet s = vp100();
    s.depthRatio = 6;
    const std::vector<std::string> lines = groupText(Hyouji_2, s);

    // Blank, blank: the heading line is gone.
    EXPECT_EQ(slice(lines, 2, 4),
              (std::vector<std::string>{sp(19) + "※ 施設  VP - φ100    勾配 I=10.0‰=10.0/1000", "",
                                        "", capacityLegend}));
    // The roughness line is followed straight by the radius line.
    const int roughness = indexOf(lines, sp(20) + "・粗 度 係 数  n=0.010");
    ASSERT_GE(roughness, 0);
    EXPECT_EQ(lines[static_cast<size_t>(roughness) + 1],
              sp(20) + "・　径　　深   R=A/P=0.0080/0.3167=0.0252m");
}

TEST(SheetFacility, NoFacilityKindGivesNoFacilityLine) {
    CalcSheet s = vp100();
    s.facilityKind = FacilityKind::None;
    const std::vector<std::string> lines = groupText(Hyouji_2, s);
    EXPECT_EQ(slice(lines, 0, 4),
              (std::vector<std::string>{sp(16) + "◎ 排水施設の検討", "", "",
                                        sp(18) + "（満流、マニング公式による）"}));
    EXPECT_EQ(indexOf(lines, sp(20) + "・流水の断面積 A=0.7853･D^2=0.7853×0.1008^2=0.0080m2"), -1);
}

TEST(SheetFacility, OpenRectangularChannel) {
    const CalcSheet s = channel("0.5", 4, "水深８割");
    const std::vector<std::string> lines = groupText(Hyouji_2, s);

    EXPECT_EQ(lines[2], sp(19) + "※ 施設  Ｕ字溝 500×1000    勾配 I=2.0‰=2.0/1000");
    EXPECT_EQ(lines[4], sp(18) + "（水深８割、マニング公式による）");
    EXPECT_EQ(slice(lines, 14, 4), (std::vector<std::string>{
                                       sp(20) + "・粗 度 係 数  n=0.015",
                                       sp(20) + "・流水の断面積 A=0.50×(1.00×0.80)=0.4000m2",
                                       sp(20) + "・流水の潤辺長 P=0.50＋{(1.00×0.80)×2}=2.1000m",
                                       sp(20) + "・　径　　深   R=A/P=0.4000/2.1000=0.1905m",
                                   }));
}

TEST(SheetFacility, ClosedRectangularChannelAtFullFlow) {
    const CalcSheet s = channel("1.5", 0, "満流", VelocityFormula::Kutter);
    const std::vector<std::string> lines = groupText(Hyouji_2, s);

    EXPECT_EQ(lines[2], sp(19) + "※ 施設  Ｕ字溝 1500×1000    勾配 I=2.0‰=2.0/1000");
    EXPECT_EQ(lines[4], sp(18) + "（満流、クッター公式による）");
    EXPECT_EQ(slice(lines, 17, 4), (std::vector<std::string>{
                                       sp(20) + "・粗 度 係 数  n=0.015",
                                       sp(20) + "・流水の断面積 A=1.50×(1.00×1.00)=1.5000m2",
                                       sp(20) + "・流水の潤辺長 P={1.50＋(1.00×1.00)}×2=5.0000m",
                                       sp(20) + "・　径　　深   R=A/P=1.5000/5.0000=0.3000m",
                                   }));
}

TEST(SheetFacility, ControlCharactersOfATypedNameShowAsQuestionMarks) {
    // ESC (which would drive a terminal), DEL, a line feed and a C1 control (U+009B,
    // a terminal's one-byte ESC [) become "?"; the tab stays.
    CalcSheet s = channel("0.5", 4, "水深８割");
    s.materialName = "Ｕ字溝\x1b[2J\x7f\n\xc2\x9b"
                     "1m\tB";
    EXPECT_EQ(groupText(Hyouji_2, s)[2],
              sp(19) + "※ 施設  Ｕ字溝?[2J???1m\tB 500×1000    勾配 I=2.0‰=2.0/1000");

    s = otherCircularKutter();
    s.materialName = std::string("塩ビ\0管", 10);
    EXPECT_EQ(groupText(Hyouji_2, s)[2], sp(19) + "※ 施設  塩ビ?管 φ300    勾配 I=5.0‰=5.0/1000");
}
