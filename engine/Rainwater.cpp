#include "engine/Rainwater.h"

#include "engine/Calculation.h"
#include "engine/Catalogue.h"
#include "engine/NumberText.h"
#include "engine/RainwaterFields.h"

#include <array>
#include <cctype>
#include <cmath>
#include <utility>

namespace tovarin {

// ---------------------------------------------------------------- names and lists

const std::vector<RunoffPreset>& runoffPresets() {
    static const std::vector<RunoffPreset> presets = {
        {"屋根", "0.90"},           {"道路", "0.85"},           {"その他の不透面", "0.80"},
        {"水面", "1.00"},           {"間地", "0.20"},           {"芝・樹木の多い公園", "0.15"},
        {"勾配の緩い山地", "0.30"}, {"勾配の急な山地", "0.50"},
    };
    return presets;
}

namespace {

struct FormInfo {
    IntensityForm form;
    const char* name;
    const char* formula;
};

constexpr std::array<FormInfo, 5> formInfos = {{
    {IntensityForm::Talbot, "タルボット", "I=a/(t+b)"},
    {IntensityForm::Sherman, "シャーマン", "I=a/t^n"},
    {IntensityForm::Cleveland, "クリーブランド", "I=a/(t^n+b)"},
    {IntensityForm::KunoIshiguro, "久野・石黒", "I=a/(√t+b)"},
    {IntensityForm::Direct, "直接", ""},
}};

const FormInfo& formInfo(IntensityForm form) {
    return formInfos[static_cast<std::size_t>(form)];
}

constexpr std::array<const char*, 7> facilityNames = {"VP",   "VU",   "FRPM", "ヒューム管",
                                                      "円形", "矩形", "台形"};

} // namespace

const char* intensityFormName(IntensityForm form) {
    return formInfo(form).name;
}

std::optional<IntensityForm> intensityFormFromName(std::string_view name) {
    for (const FormInfo& info : formInfos) {
        if (name == info.name)
            return info.form;
    }
    return std::nullopt;
}

const std::vector<IntensityForm>& intensityForms() {
    static const std::vector<IntensityForm> forms = {
        IntensityForm::Talbot, IntensityForm::Sherman, IntensityForm::Cleveland,
        IntensityForm::KunoIshiguro, IntensityForm::Direct};
    return forms;
}

bool formUsesB(IntensityForm form) {
    return form == IntensityForm::Talbot || form == IntensityForm::Cleveland ||
           form == IntensityForm::KunoIshiguro;
}

bool formUsesN(IntensityForm form) {
    return form == IntensityForm::Sherman || form == IntensityForm::Cleveland;
}

const char* intensityFormula(IntensityForm form) {
    return formInfo(form).formula;
}

const char* rainwaterFacilityName(RainwaterFacilityKind kind) {
    return facilityNames[static_cast<std::size_t>(kind)];
}

std::optional<RainwaterFacilityKind> rainwaterFacilityFromName(std::string_view name) {
    for (std::size_t i = 0; i < facilityNames.size(); ++i) {
        if (name == facilityNames[i])
            return static_cast<RainwaterFacilityKind>(i);
    }
    return std::nullopt;
}

FacilityKind sewageFacilityKind(RainwaterFacilityKind kind) {
    switch (kind) {
    case RainwaterFacilityKind::VP:
        return FacilityKind::VP;
    case RainwaterFacilityKind::VU:
        return FacilityKind::VU;
    case RainwaterFacilityKind::FRPM:
        return FacilityKind::FRPM;
    case RainwaterFacilityKind::Hume:
        return FacilityKind::Hume;
    case RainwaterFacilityKind::OtherCircular:
        return FacilityKind::OtherCircular;
    case RainwaterFacilityKind::Rectangular:
        return FacilityKind::Rectangular;
    case RainwaterFacilityKind::Trapezoidal:
        break;
    }
    return FacilityKind::None;
}

bool isCataloguePipe(RainwaterFacilityKind kind) {
    return isStandardPipe(sewageFacilityKind(kind));
}

namespace {

bool usesRectangularDepths(RainwaterFacilityKind kind) {
    return kind == RainwaterFacilityKind::Rectangular || kind == RainwaterFacilityKind::Trapezoidal;
}

} // namespace

const std::vector<std::string>& depthTexts(RainwaterFacilityKind kind) {
    return usesRectangularDepths(kind) ? DepthRatioTable::rectangularTexts()
                                       : DepthRatioTable::circularTexts();
}

std::optional<int> depthPosition(RainwaterFacilityKind kind, std::string_view text) {
    const std::vector<std::string>& texts = depthTexts(kind);
    for (std::size_t i = 0; i < texts.size() && !text.empty(); ++i) {
        if (texts[i] == text)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

VelocityGuide rainwaterVelocityGuide(double printedVelocity) {
    if (printedVelocity < lowestSuitableRainwaterVelocity)
        return VelocityGuide::Low;
    if (printedVelocity > highestSuitableRainwaterVelocity)
        return VelocityGuide::High;
    return VelocityGuide::Suitable;
}

const char* constantPattern(double value) {
    static constexpr std::array<const char*, 6> patterns = {"0",     "0.0",    "0.00",
                                                            "0.000", "0.0000", "0.00000"};
    for (const char* pattern : patterns) {
        if (textToNumber(formatNumber(value, pattern)) == value)
            return pattern;
    }
    return patterns.back();
}

RainwaterTexts rainwaterTexts(const RainwaterResult& r) {
    RainwaterTexts texts;
    texts.area = formatNumber(r.area, "0.0000");
    texts.runoffCoefficient = formatNumber(r.runoff, "0.00");
    texts.velocity = formatNumber(r.velocity, "0.0000");
    if (r.flowTime)
        texts.flowTime = formatNumber(*r.flowTime, "0.0");
    if (r.concentrationTime)
        texts.concentrationTime = formatNumber(*r.concentrationTime, "0.0");
    texts.intensity = formatNumber(r.intensity, "0.0");
    texts.plannedFlow = formatNumber(r.plannedFlow, "0.0000");
    texts.capacity = formatNumber(r.capacity, "0.0000");
    texts.verdict = verdictText(r.capacityFails);
    texts.velocityGuide = velocityGuideText(r.guide);
    return texts;
}

// ---------------------------------------------------------------- numbers

std::optional<double> rainwaterNumber(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    const std::string_view number = text.substr(begin, end - begin);
    std::size_t i = 0;
    if (i < number.size() && (number[i] == '+' || number[i] == '-'))
        ++i;
    int digits = 0;
    int points = 0;
    for (; i < number.size(); ++i) {
        const char c = number[i];
        if (std::isdigit(static_cast<unsigned char>(c)))
            ++digits;
        else if (c == '.' && points == 0)
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0)
        return std::nullopt;
    const double value = textToNumber(number);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> depthRatioCode(RainwaterFacilityKind kind, std::string_view text) {
    const std::optional<int> position = depthPosition(kind, text);
    if (!position)
        return std::nullopt;
    return usesRectangularDepths(kind) ? DepthRatioTable::rectangularCode(*position)
                                       : DepthRatioTable::circularCode(*position);
}

namespace {

// A figure as the sheet prints it, read back: the next figure is computed from it. A
// figure beyond the range of numbers stays so (it would print as nothing and read
// back as 0): the calculation refuses it before anything is printed.
double printed(double value, const char* pattern) {
    if (!std::isfinite(value))
        return value;
    return textToNumber(formatNumber(value, pattern));
}

} // namespace

AreaFigures areaFigures(const std::string& name, double area, double runoff) {
    const double ai = printed(area, "0.0000");
    const double ci = printed(runoff, "0.00");
    return {name, ai, ci, printed(ci * ai, "0.0000")};
}

CatchmentSum sumCatchment(const std::vector<AreaFigures>& rows) {
    double area = 0;
    double products = 0;
    for (const AreaFigures& row : rows) {
        area += row.area;
        products += row.product;
    }
    CatchmentSum sum;
    sum.area = printed(area, "0.0000");
    sum.runoffSum = printed(products, "0.0000");
    sum.runoff = printed(sum.runoffSum / sum.area, "0.00");
    return sum;
}

namespace {

using Refused = std::optional<RainwaterRefusal>;

RainwaterRefusal refusal(std::string message, RainwaterField field) {
    return {std::move(message), field, -1, AreaColumn::Area};
}

// ---------------------------------------------------------------- checked figures

// A number field that calculationRefusal has let pass.
double checked(const std::string& text) {
    return *rainwaterNumber(text);
}

void takeCatchment(const RainwaterInput& in, RainwaterResult& r) {
    for (const CatchmentArea& area : in.areas)
        r.areas.push_back(areaFigures(area.name, checked(area.areaText), checked(area.runoffText)));
    const CatchmentSum sum = sumCatchment(r.areas);
    r.area = sum.area;
    r.runoffSum = sum.runoffSum;
    r.runoff = sum.runoff;
}

double printedConstant(const std::string& text) {
    const double value = checked(text);
    return printed(value, constantPattern(value));
}

void takeDimensions(const RainwaterInput& in, RainwaterResult& r) {
    CalcSheet& s = r.facility;
    switch (in.facilityKind) {
    case RainwaterFacilityKind::VP:
    case RainwaterFacilityKind::VU:
    case RainwaterFacilityKind::FRPM:
    case RainwaterFacilityKind::Hume:
        s.nominalSize = in.sizeListPosition;
        resolveStandardPipe(s);
        return;
    case RainwaterFacilityKind::OtherCircular:
        s.pipeDiameter = checked(in.diameterText);
        return;
    case RainwaterFacilityKind::Rectangular:
        s.channelHeight = checked(in.heightText);
        s.channelWidth = checked(in.widthText);
        return;
    case RainwaterFacilityKind::Trapezoidal: {
        TrapezoidFigures t;
        t.bottomWidth = checked(in.widthText);
        t.height = checked(in.heightText);
        t.sideSlope = checked(in.sideSlopeText);
        s.channelHeight = t.height;
        s.channelWidth = t.bottomWidth;
        r.trapezoid = t;
        return;
    }
    }
}

// ---------------------------------------------------------------- computing

bool facilityIsUsable(const CalcSheet& s) {
    for (double v : {s.flowArea, s.wettedPerimeter, s.hydraulicRadius, s.velocity, s.capacity}) {
        if (!std::isfinite(v))
            return false;
    }
    if (s.velocityFormula == VelocityFormula::Kutter) {
        for (double v : {s.kutterNumerator, s.kutterDenominator, s.kutterRootRI}) {
            if (!std::isfinite(v))
                return false;
        }
    }
    return true;
}

constexpr const char* outOfRange = "計算結果が数値の範囲を超えました。入力値を確認してください。";

// The denominator of the intensity formula at the printed t.
double intensityDenominator(const RainwaterResult& r, double t) {
    switch (r.intensityForm) {
    case IntensityForm::Talbot:
        return t + r.constantB;
    case IntensityForm::Sherman:
        return std::pow(t, r.constantN);
    case IntensityForm::Cleveland:
        return std::pow(t, r.constantN) + r.constantB;
    case IntensityForm::KunoIshiguro:
        return std::sqrt(t) + r.constantB;
    case IntensityForm::Direct:
        break;
    }
    return 1;
}

Refused computeIntensity(RainwaterResult& r) {
    if (r.intensityForm == IntensityForm::Direct)
        return std::nullopt;
    if (r.velocity <= 0)
        return refusal("流速が０のため、流下時間を計算できません。施設の入力値を確認してください。",
                       RainwaterField::Gradient);
    r.flowTime = printed(*r.flowLength / (60 * r.velocity), "0.0");
    r.concentrationTime = printed(*r.inletTime + *r.flowTime, "0.0");
    if (!std::isfinite(*r.concentrationTime))
        return refusal(outOfRange, RainwaterField::FlowLength);
    const double denominator = intensityDenominator(r, *r.concentrationTime);
    if (!(denominator > 0) || !std::isfinite(denominator))
        return refusal("降雨強度式の分母が０以下になります。定数を確認してください。",
                       formUsesB(r.intensityForm) ? RainwaterField::ConstantB
                                                  : RainwaterField::ConstantN);
    r.intensity = printed(r.constantA / denominator, "0.0");
    if (!std::isfinite(r.intensity))
        return refusal(outOfRange, RainwaterField::ConstantA);
    // I multiplies into Q: an I that prints as 0.0 would give Q 0 and "O.K".
    if (r.intensity <= 0)
        return refusal("降雨強度Iが0.0になります。降雨強度式の定数を確認してください。",
                       RainwaterField::ConstantA);
    return std::nullopt;
}

// The catchment's figures multiply into Q: each must be a number, and C must not
// print as 0.00 (A cannot: every Ai prints above 0).
Refused checkCatchment(const RainwaterResult& r) {
    if (!std::isfinite(r.area) || !std::isfinite(r.runoffSum) || !std::isfinite(r.runoff))
        return refusal(
            "集水区域の面積の合計が数値の範囲を超えました。区域の面積を確認してください。",
            RainwaterField::AreaTable);
    if (r.runoff <= 0)
        return refusal("流出係数Cが0.00になります。区域の面積と流出係数を確認してください。",
                       RainwaterField::AreaTable);
    return std::nullopt;
}

} // namespace

Refused computeRainwaterFacility(RainwaterResult& r) {
    CalcSheet& s = r.facility;
    if (r.trapezoid)
        computeTrapezoidalSection(s, *r.trapezoid);
    else if (s.facilityKind == FacilityKind::Rectangular)
        computeRectangularSection(s);
    else
        computeCircularSection(s);
    computeCapacity(s);
    r.velocity = printed(s.velocity, "0.0000");
    r.capacity = printed(s.capacity, "0.0000");
    if (!facilityIsUsable(s))
        return refusal(outOfRange, RainwaterField::Gradient);
    return std::nullopt;
}

Refused computeRainwaterFlow(RainwaterResult& r) {
    if (auto refused = checkCatchment(r))
        return refused;
    if (auto refused = computeIntensity(r))
        return refused;
    r.plannedFlow = printed(r.runoff * r.intensity * r.area / 360, "0.0000");
    if (!std::isfinite(r.plannedFlow))
        return refusal(outOfRange, RainwaterField::AreaTable);
    return std::nullopt;
}

void takeRainwaterIntensity(const RainwaterInput& in, RainwaterResult& r) {
    r.intensityForm = in.intensityForm;
    if (in.intensityForm == IntensityForm::Direct) {
        r.intensity = printed(checked(in.directIntensityText), "0.0");
        return;
    }
    r.constantA = printedConstant(in.constantAText);
    if (formUsesB(in.intensityForm))
        r.constantB = printedConstant(in.constantBText);
    if (formUsesN(in.intensityForm))
        r.constantN = printedConstant(in.constantNText);
    r.inletTime = printed(checked(in.inletTimeText), "0.0#");
}

void takeRainwaterFacility(const RainwaterInput& in, RainwaterResult& r) {
    r.facilityKind = in.facilityKind;
    CalcSheet& s = r.facility;
    s.facilityKind = sewageFacilityKind(in.facilityKind);
    s.materialName = in.materialText;
    s.velocityFormula = in.velocityFormula;
    takeDimensions(in, r);
    s.slopePermille = checked(in.gradientText);
    s.roughness = checked(in.roughnessText);
    s.depthChoice = *depthPosition(in.facilityKind, in.depthText);
    s.depthRatio = *depthRatioCode(in.facilityKind, in.depthText);
}

RainwaterOutcome computeRainwater(const RainwaterInput& in) {
    RainwaterOutcome outcome;
    const auto refuse = [&outcome](Refused refused) {
        outcome.failure = std::move(refused);
        outcome.result = RainwaterResult{};
        return outcome;
    };
    if (auto refused = calculationRefusal(in))
        return refuse(refused);
    RainwaterResult& r = outcome.result;
    takeCatchment(in, r);
    takeRainwaterIntensity(in, r);
    if (in.intensityForm != IntensityForm::Direct)
        r.flowLength = printed(checked(in.flowLengthText), "0.0#");
    takeRainwaterFacility(in, r);
    if (auto refused = computeRainwaterFacility(r))
        return refuse(refused);
    if (auto refused = computeRainwaterFlow(r))
        return refuse(refused);
    r.capacityFails = r.plannedFlow > r.capacity;
    r.guide = rainwaterVelocityGuide(r.velocity);
    return outcome;
}

} // namespace tovarin
