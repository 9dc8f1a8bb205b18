#pragma once
// Helpers for the print image and printing tests: sample sheets, a host for the print
// image window, a platform whose print set-up prints to a PDF file, and the text of
// a PDF read back with poppler's pdftotext.

#include "engine/CalcSheet.h"
#include "report/PrintHost.h"
#include "report/SewageReport.h"
#include "sheettext/SheetBuilder.h"
#include "sheettext/SheetLine.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/SpecialFiles.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QMdiArea>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

namespace tovarin::testing {

inline void substituteMincho() {
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
}

// Residential, computed flow, groundwater and allowance on, Kutter, margin check on;
// the facility fails (1.2×Q1 = 0.0096 > Q2 = 0.0083) and so does the margin.
inline CalcSheet failingResidentialSheet() {
    CalcSheet s;
    s.landUse = LandUse::Residential;
    s.flowEntryMode = FlowEntryMode::Computed;
    s.groundwaterOn = OnOff::On;
    s.groundwaterRate = 15;
    s.allowanceOn = OnOff::On;
    s.flowAllowance = 20;
    s.population = 1200;
    s.sewagePerCapita = 500;
    s.plannedFlowBase = 0.006944;
    s.plannedFlow = 0.0080;
    s.velocityFormula = VelocityFormula::Kutter;
    s.facilityKind = FacilityKind::VP;
    s.facilityLabel = "VP - φ150";
    s.pipeDiameter = 0.146;
    s.slopePermille = 5;
    s.slope = 0.005;
    s.roughness = 0.010;
    s.depthRatio = 10;
    s.flowArea = 0.0167;
    s.wettedPerimeter = 0.4587;
    s.hydraulicRadius = 0.0365;
    s.kutterNumerator = 124.31;
    s.kutterDenominator = 1.6455;
    s.kutterRootRI = 0.0135;
    s.velocity = 0.5;
    s.capacity = 0.0083;
    s.maxPopulation = 1434;
    s.marginCheck = MarginCheck::On;
    s.marginReference = 100;
    s.marginRatio = -13.54;
    return s;
}

// Non-residential (2), no groundwater, no allowance, Manning, margin check off; passes.
inline CalcSheet passingNonResidentialSheet() {
    CalcSheet s;
    s.landUse = LandUse::NonResidential2;
    s.flowEntryMode = FlowEntryMode::Computed;
    s.groundwaterOn = OnOff::Off;
    s.allowanceOn = OnOff::Off;
    s.sewagePerHectare = 0.002;
    s.drainageArea = 5000;
    s.plannedFlow = 0.001;
    s.velocityFormula = VelocityFormula::Manning;
    s.facilityKind = FacilityKind::OtherCircular;
    s.materialName = "ヒューム管";
    s.pipeDiameter = 0.2;
    s.slopePermille = 10;
    s.slope = 0.01;
    s.roughness = 0.013;
    s.depthRatio = 10;
    s.flowArea = 0.0314;
    s.wettedPerimeter = 0.6283;
    s.hydraulicRadius = 0.05;
    s.velocity = 1.0405;
    s.capacity = 0.0327;
    s.marginCheck = MarginCheck::Off;
    return s;
}

// The lines of the drawn sheet, as plain text (groups 1 and 2, and 3 when asked).
inline QStringList drawnSheetLines(const CalcSheet& sheet, bool withGroup3 = true) {
    SheetLineList lines(SheetOutput::Drawn);
    Hyouji_1(sheet, lines);
    Hyouji_2(sheet, lines);
    if (withGroup3)
        Hyouji_3(sheet, lines);
    QStringList texts;
    for (const SheetLine& line : lines.lines)
        texts.append(QString::fromStdString(lineText(line)));
    return texts;
}

// Every blank run (ASCII or ideographic) as one space, without blanks at the ends,
// and the three characters the IPA fonts share a glyph with read back as the
// sheet's own.
inline QString comparable(QString text) {
    text.replace(QChar(0x2014), QChar(0x2015));
    text.replace(QChar(0x301C), QChar(0xFF5E));
    text.replace(QChar(0x00B7), QChar(0xFF65));
    static const QRegularExpression blanks(QStringLiteral("[ \\x{3000}]+"));
    return text.replace(blanks, QStringLiteral(" ")).trimmed();
}

// The non-blank lines, comparable.
inline QStringList comparableLines(const QStringList& lines) {
    QStringList result;
    for (const QString& line : lines) {
        const QString text = comparable(line);
        if (!text.isEmpty())
            result.append(text);
    }
    return result;
}

inline bool hasPoppler() {
    for (const char* tool : {"pdftotext", "pdfinfo", "pdftoppm", "pdffonts"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return false;
    }
    return true;
}

// Reading a PDF back needs poppler's tools: where they cannot run (Windows) the test
// is skipped with the reason; where they are only missing, it fails.
#define TOVARIN_REQUIRE_POPPLER()                                                                  \
    do {                                                                                           \
        if (const char* why = tovarin::testing::popplerUnavailableReason())                        \
            QSKIP(why);                                                                            \
        if (!tovarin::testing::hasPoppler())                                                       \
            QFAIL("poppler-utils are needed; scripts/setup installs them");                        \
    } while (false)

// Clearly magenta and clearly black pixels in a band of rows of an image.
struct Ink {
    int magenta = 0;
    int black = 0;
};

inline Ink inkInRows(const QImage& image, int top, int bottom) {
    Ink ink;
    for (int y = std::max(0, top); y < std::min(bottom, image.height()); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            ink.magenta += c.red() > 200 && c.blue() > 200 && c.green() < 80;
            ink.black += c.red() < 80 && c.green() < 80 && c.blue() < 80;
        }
    }
    return ink;
}

// Standard output of a poppler tool, as UTF-8 text.
inline QString runTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The pages of a PDF as text lines laid out by pdftotext.
inline QStringList pdfPages(const QString& pdf) {
    const QString text =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QStringList pages = text.split(QChar(u'\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

inline int pdfPageCount(const QString& pdf) {
    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
    static const QRegularExpression pagesLine(QStringLiteral("^Pages:\\s+(\\d+)"),
                                              QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pagesLine.match(info);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// A platform whose print set-up dialog chooses a PDF file on the given paper.
class PdfPrinterPlatform : public ScriptedPlatform {
public:
    QString pdfPath;
    QPageSize paper = QPageSize(QPageSize::A4);

    bool printSetup(QWidget* parent, QPrinter& printer) override {
        if (!ScriptedPlatform::printSetup(parent, printer))
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        printer.setPageSize(paper);
        return true;
    }
};

// The main window as the print image window sees it.
class TestPrintHost : public PrintHost {
public:
    explicit TestPrintHost(Platform& platform) : platform_(platform) {
        area.resize(900, 700);
        area.show();
    }

    QMdiArea area;
    CalcSheet sheet;
    bool toolbarVisible = true;
    int kakikomiCalls = 0;
    int editorStarts = 0;

    QMdiArea* mdiArea() override { return &area; }
    QWidget* dialogParent() override { return &area; }
    Platform& platform() override { return platform_; }
    // The sewage sheet of `sheet`.
    const PrintableSheet* reportSheet() const override { return &report_; }
    void setToolbarVisible(bool visible) override { toolbarVisible = visible; }
    void Kakikomi() override { ++kakikomiCalls; }
    void startEditor() override { ++editorStarts; }

private:
    Platform& platform_;
    SewageReport report_{sheet};
};

} // namespace tovarin::testing
