#pragma once
// The planned rainwater flow by the rational formula and the facility that must carry
// it. Every figure is computed from the printed figure before it, so that a reviewer
// can redo the sheet with a pocket calculator; the facility's section, velocity and
// capacity are the sewage calculation's own. Every verdict is decided here once: the
// sheet, the tool and the windows only read it. Qt-free.

#include "engine/Assessment.h"
#include "engine/CalcSheet.h"
#include "engine/Calculation.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovarin {

// ---------------------------------------------------------------- input

// A land use the area table offers, with the runoff coefficient it starts with.
struct RunoffPreset {
    const char* landUse;         // e.g. "屋根"
    const char* coefficientText; // e.g. "0.90"
};
// The eight land uses, in the order the windows offer them.
const std::vector<RunoffPreset>& runoffPresets();

// One row of the area table, as typed.
struct CatchmentArea {
    std::string name;       // land use or a free name, UTF-8
    std::string areaText;   // Ai, ha
    std::string runoffText; // Ci

    bool operator==(const CatchmentArea&) const = default;
};

// The forms of the rainfall intensity I (mm/hr) and the constants each reads.
enum class IntensityForm {
    Talbot,       // タルボット   I = a/(t+b)
    Sherman,      // シャーマン   I = a/t^n
    Cleveland,    // クリーブランド I = a/(t^n+b)
    KunoIshiguro, // 久野・石黒   I = a/(√t+b)
    Direct        // 直接         I given
};
// "タルボット", "シャーマン", "クリーブランド", "久野・石黒", "直接".
const char* intensityFormName(IntensityForm form);
std::optional<IntensityForm> intensityFormFromName(std::string_view name);
// The five forms in the order the windows offer them.
const std::vector<IntensityForm>& intensityForms();
bool formUsesB(IntensityForm form); // Talbot, Cleveland, KunoIshiguro
bool formUsesN(IntensityForm form); // Sherman, Cleveland
// The formula as the sheet and the windows write it, e.g. "I=a/(t+b)"; "" for Direct.
const char* intensityFormula(IntensityForm form);

// The facility kinds of a rainwater document: the sewage kinds and the trapezoidal
// channel (open on top), which is the rainwater sheet's only.
enum class RainwaterFacilityKind { VP, VU, FRPM, Hume, OtherCircular, Rectangular, Trapezoidal };
// The kind as the document names it: "VP", "VU", "FRPM", "ヒューム管", "円形", "矩形", "台形".
const char* rainwaterFacilityName(RainwaterFacilityKind kind);
std::optional<RainwaterFacilityKind> rainwaterFacilityFromName(std::string_view name);
// The sewage kind of the same facility; None for the trapezoid.
FacilityKind sewageFacilityKind(RainwaterFacilityKind kind);
bool isCataloguePipe(RainwaterFacilityKind kind); // VP, VU, FRPM, Hume
// The texts of the facility's effective-depth list (the circular list for pipes, the
// rectangular list for the rectangle and the trapezoid), as the windows show them.
const std::vector<std::string>& depthTexts(RainwaterFacilityKind kind);
// The position of `text` in depthTexts(kind); none for a text not in it (an empty one
// too). The calculation, saving and reading a document all ask it.
std::optional<int> depthPosition(RainwaterFacilityKind kind, std::string_view text);
// The depth ratio code (e.g. 8 for "水深８割") of that entry; none when there is none.
std::optional<double> depthRatioCode(RainwaterFacilityKind kind, std::string_view text);

// Everything a rainwater document holds and the windows show, as typed or chosen.
// Only the fields of the chosen intensity form and facility kind are read.
struct RainwaterInput {
    std::vector<CatchmentArea> areas;

    IntensityForm intensityForm = IntensityForm::Talbot;
    std::string constantAText;       // a
    std::string constantBText;       // b
    std::string constantNText;       // n
    std::string directIntensityText; // I, mm/hr (Direct only)
    std::string inletTimeText;       // t1, min (not with Direct)
    std::string flowLengthText;      // L, m (not with Direct)

    RainwaterFacilityKind facilityKind = RainwaterFacilityKind::Rectangular;
    int sizeListPosition = 0;  // catalogue pipes: position in PipeCatalogue::sizes
    std::string materialText;  // 円形, 矩形, 台形: the name printed on the sheet
    std::string diameterText;  // 円形: D, m
    std::string heightText;    // 矩形, 台形: H, m
    std::string widthText;     // 矩形: B; 台形: bottom width B, m
    std::string sideSlopeText; // 台形: m, horizontal per 1 vertical
    std::string gradientText;  // x, per mille
    std::string roughnessText; // n
    VelocityFormula velocityFormula = VelocityFormula::Manning;
    std::string depthText; // an entry of depthTexts(facilityKind), e.g. "水深８割"

    bool operator==(const RainwaterInput&) const = default;
};

// ---------------------------------------------------------------- refusal

// The field a refused calculation (or a refused save, or a refused document) sends
// the user to.
enum class RainwaterField {
    AreaTable, // the row `row` of the area table (or the table, when row is -1)
    ConstantA,
    ConstantB,
    ConstantN,
    DirectIntensity,
    InletTime,
    FlowLength,
    SizeList,
    Material,
    Diameter,
    Height,
    Width,
    SideSlope,
    Gradient,
    Roughness,
    DepthList,
};
// Which cell of an area row.
enum class AreaColumn { Name, Area, Runoff };

// Why an input is refused, by the calculation or by saving, and the place it sends
// the user to: the windows go there with focusField(refusal.field, refusal.row,
// refusal.column).
struct RainwaterRefusal {
    std::string message; // Japanese, for a message box
    RainwaterField field = RainwaterField::AreaTable;
    int row = -1;                         // area row (0-based) for AreaTable
    AreaColumn column = AreaColumn::Area; // cell of that row

    bool operator==(const RainwaterRefusal&) const = default;
};

// ---------------------------------------------------------------- figures

// The velocity guide of a rainwater facility, on the printed V: 適正 from 0.8 to 3.0
// m/sec inclusive, 不足 below, 過大 above (VelocityGuide's Low / Suitable / High).
inline constexpr double lowestSuitableRainwaterVelocity = 0.8;  // m/sec
inline constexpr double highestSuitableRainwaterVelocity = 3.0; // m/sec
VelocityGuide rainwaterVelocityGuide(double printedVelocity);

// One area row as printed: Ai "0.0000", Ci "0.00", Ci·Ai "0.0000" (from the printed
// Ai and Ci).
struct AreaFigures {
    std::string name;
    double area = 0;
    double runoff = 0;
    double product = 0;
};
// The printed figures of one row from its typed Ai and Ci.
AreaFigures areaFigures(const std::string& name, double area, double runoff);

// The catchment's sums from the rows' printed figures, each printed: A = ΣAi
// "0.0000", Σ(Ci·Ai) "0.0000" and C = Σ(Ci·Ai)/A "0.00" (not a number while A is 0).
// The sheet and the area table's live totals both show them.
struct CatchmentSum {
    double area = 0;
    double runoffSum = 0;
    double runoff = 0;
};
CatchmentSum sumCatchment(const std::vector<AreaFigures>& rows);

// Every figure of the rainwater sheet. The doubles after the facility are the
// printed figures themselves (what formatNumber shows, read back), each computed
// from the printed ones before it.
struct RainwaterResult {
    std::vector<AreaFigures> areas;
    double area = 0;      // A = ΣAi, "0.0000" ha
    double runoffSum = 0; // Σ(Ci·Ai), "0.0000"
    double runoff = 0;    // C = Σ(Ci·Ai)/A, "0.00"

    IntensityForm intensityForm = IntensityForm::Talbot;
    double constantA = 0, constantB = 0, constantN = 0; // as printed (constantText)
    std::optional<double> inletTime;                    // t1, "0.0#" min; none with Direct
    std::optional<double> flowLength;                   // L, "0.0#" m; none with Direct
    std::optional<double> flowTime;          // t2 = L/(60·V), "0.0" min; none with Direct
    std::optional<double> concentrationTime; // t = t1 + t2, "0.0" min; none with Direct
    double intensity = 0;                    // I, "0.0" mm/hr
    double plannedFlow = 0;                  // Q = C·I·A/360, "0.0000" m3/sec

    // The facility as the sewage calculation holds it: kind (None for the trapezoid),
    // names, dimensions, gradient, roughness, formula, depthRatio, and the unrounded
    // A, P, R, V, Q2 (and Kutter's terms) that the sewage sheet prints.
    RainwaterFacilityKind facilityKind = RainwaterFacilityKind::Rectangular;
    CalcSheet facility;
    std::optional<TrapezoidFigures> trapezoid; // the trapezoid only
    double velocity = 0;                       // printed V, "0.0000"
    double capacity = 0;                       // printed Q2, "0.0000"

    // The verdicts.
    bool capacityFails = false; // printed Q > printed Q2 (equality passes)
    VelocityGuide guide = VelocityGuide::Suitable;
};

// The pattern a constant of the intensity formula is printed with: the shortest of
// "0", "0.0", "0.00", "0.000", "0.0000", "0.00000" that shows it exactly, else the last.
const char* constantPattern(double value);

// The figures as the sheet, the results panel and the tool print them.
struct RainwaterTexts {
    std::string area;                             // A "0.0000"
    std::string runoffCoefficient;                // C "0.00"
    std::string velocity;                         // V "0.0000"
    std::optional<std::string> flowTime;          // t2 "0.0"; none with Direct
    std::optional<std::string> concentrationTime; // t "0.0"; none with Direct
    std::string intensity;                        // I "0.0"
    std::string plannedFlow;                      // Q "0.0000"
    std::string capacity;                         // Q2 "0.0000"
    std::string verdict;                          // "O.K" or "NG"
    std::string velocityGuide;                    // "不足", "適正" or "過大"
};
RainwaterTexts rainwaterTexts(const RainwaterResult& result);

// ---------------------------------------------------------------- calculation

struct RainwaterOutcome {
    std::optional<RainwaterRefusal> failure; // set when the input was refused
    RainwaterResult result;                  // valid when there is no failure
    bool ok() const { return !failure; }
};

// Checks the input in the order of the window (areas, intensity, times, facility;
// calculationRefusal, engine/RainwaterFields.h), then computes: catchment, facility
// (section, V, Q2), t2, t, I, Q, verdicts.
RainwaterOutcome computeRainwater(const RainwaterInput& input);

// The figures of checked fields (calculationRefusal let them pass) as the calculation
// takes them: the intensity form, its constants and t1 (not L); and the facility.
void takeRainwaterIntensity(const RainwaterInput& in, RainwaterResult& r);
void takeRainwaterFacility(const RainwaterInput& in, RainwaterResult& r);

// The two halves of the computation, for a caller that holds checked figures: the
// facility (r.facility, with r.trapezoid for the trapezoid) gives its section, V and
// Q2 and the printed V and Q2; refused when a figure leaves the range of numbers.
std::optional<RainwaterRefusal> computeRainwaterFacility(RainwaterResult& r);
// The flow from the catchment's sums, the intensity's constants (or the direct I)
// and the printed V: t2, t and I (not with Direct), then Q. Refused when a figure of
// the catchment leaves the range of numbers or C prints as 0.00, V is 0, the
// formula's denominator is not above 0, I leaves the range or prints as 0.0, or Q
// leaves the range of numbers.
std::optional<RainwaterRefusal> computeRainwaterFlow(RainwaterResult& r);

// A typed number as the rainwater input reads it: optional blanks around, an optional
// sign, digits with at most one decimal point. None for anything else (empty text too).
std::optional<double> rainwaterNumber(std::string_view text);

} // namespace tovarin
