#include "engine/Rainwater.h"

#include "engine/Calculation.h"
#include "engine/Catalogue.h"
#include "engine/NumberText.h"
#include "engine/Units.h"

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

namespace {

// A figure as the sheet prints it, read back: the next figure is computed from it.
double printed(double value, const char* pattern) {
    return textToNumber(formatNumber(value, pattern));
}

std::string rowNumber(int row) {
    return formatNumber(row + 1, "0");
}

// ---------------------------------------------------------------- checks

using Failure = std::optional<RainwaterFailure>;

RainwaterFailure refusal(std::string message, RainwaterField focus) {
    RainwaterFailure failure;
    failure.message = std::move(message);
    failure.focus = focus;
    return failure;
}

RainwaterFailure rowRefusal(std::string message, int row, AreaColumn column) {
    RainwaterFailure failure = refusal(std::move(message), RainwaterField::AreaTable);
    failure.row = row;
    failure.column = column;
    return failure;
}

// A number field: given, a number. `what` names it ("施設の勾配").
struct NumberRead {
    double value = 0;
    std::optional<std::string> problem;
};

NumberRead readNumber(const std::string& text, const std::string& what) {
    NumberRead read;
    if (text.find_first_not_of(' ') == std::string::npos) {
        read.problem = what + "を入力してください。";
        return read;
    }
    const std::optional<double> value = rainwaterNumber(text);
    if (!value) {
        read.problem = what + "には数値を入力してください。";
        return read;
    }
    read.value = *value;
    return read;
}

// Catchment figures from the printed Ai and Ci; a refusal names the row.
Failure readCatchment(const RainwaterInput& in, RainwaterResult& r) {
    if (in.areas.empty())
        return refusal("集水区域を１つ以上入力してください。", RainwaterField::AreaTable);
    for (std::size_t i = 0; i < in.areas.size(); ++i) {
        const int row = static_cast<int>(i);
        const CatchmentArea& area = in.areas[i];
        const std::string prefix = "区域（" + rowNumber(row) + "行目）の";

        const NumberRead a = readNumber(area.areaText, prefix + "面積");
        if (a.problem)
            return rowRefusal(*a.problem, row, AreaColumn::Area);
        const double ai = printed(a.value, "0.0000");
        if (a.value <= 0 || ai <= 0)
            return rowRefusal(prefix + "面積には0.0001ha以上の値を入力してください。", row,
                              AreaColumn::Area);

        const NumberRead c = readNumber(area.runoffText, prefix + "流出係数");
        if (c.problem)
            return rowRefusal(*c.problem, row, AreaColumn::Runoff);
        const double ci = printed(c.value, "0.00");
        if (c.value <= 0 || c.value > 1)
            return rowRefusal(prefix + "流出係数には０より大きく１以下の値を入力してください。",
                              row, AreaColumn::Runoff);
        if (ci <= 0)
            return rowRefusal(prefix +
                                  "流出係数は小数第２位までで０より大きい値を入力してください。",
                              row, AreaColumn::Runoff);

        r.areas.push_back({area.name, ai, ci, printed(ci * ai, "0.0000")});
    }
    double area = 0;
    double products = 0;
    for (const AreaFigures& figures : r.areas) {
        area += figures.area;
        products += figures.product;
    }
    r.area = printed(area, "0.0000");
    r.runoffSum = printed(products, "0.0000");
    r.runoff = printed(r.runoffSum / r.area, "0.00");
    return std::nullopt;
}

Failure readConstants(const RainwaterInput& in, RainwaterResult& r) {
    r.intensityForm = in.intensityForm;
    if (in.intensityForm == IntensityForm::Direct) {
        const NumberRead i = readNumber(in.directIntensityText, "降雨強度");
        if (i.problem)
            return refusal(*i.problem, RainwaterField::DirectIntensity);
        if (i.value <= 0)
            return refusal("降雨強度には正の値を入力してください。",
                           RainwaterField::DirectIntensity);
        r.intensity = printed(i.value, "0.0");
        return std::nullopt;
    }
    const NumberRead a = readNumber(in.constantAText, "降雨強度式の定数 a ");
    if (a.problem)
        return refusal(*a.problem, RainwaterField::ConstantA);
    if (a.value <= 0)
        return refusal("降雨強度式の定数 a には正の値を入力してください。",
                       RainwaterField::ConstantA);
    r.constantA = printed(a.value, constantPattern(a.value));
    if (formUsesB(in.intensityForm)) {
        const NumberRead b = readNumber(in.constantBText, "降雨強度式の定数 b ");
        if (b.problem)
            return refusal(*b.problem, RainwaterField::ConstantB);
        r.constantB = printed(b.value, constantPattern(b.value));
    }
    if (formUsesN(in.intensityForm)) {
        const NumberRead n = readNumber(in.constantNText, "降雨強度式の定数 n ");
        if (n.problem)
            return refusal(*n.problem, RainwaterField::ConstantN);
        if (n.value <= 0)
            return refusal("降雨強度式の定数 n には正の値を入力してください。",
                           RainwaterField::ConstantN);
        r.constantN = printed(n.value, constantPattern(n.value));
    }
    return std::nullopt;
}

Failure readTimes(const RainwaterInput& in, RainwaterResult& r) {
    if (in.intensityForm == IntensityForm::Direct)
        return std::nullopt;
    const NumberRead t1 = readNumber(in.inletTimeText, "流入時間");
    if (t1.problem)
        return refusal(*t1.problem, RainwaterField::InletTime);
    const double inlet = printed(t1.value, "0.0#");
    if (t1.value <= 0 || inlet <= 0)
        return refusal("流入時間には0.01分以上の値を入力してください。", RainwaterField::InletTime);
    const NumberRead l = readNumber(in.flowLengthText, "流下延長");
    if (l.problem)
        return refusal(*l.problem, RainwaterField::FlowLength);
    if (l.value < 0)
        return refusal("流下延長には０以上の値を入力してください。", RainwaterField::FlowLength);
    r.inletTime = inlet;
    r.flowLength = printed(l.value, "0.0#");
    return std::nullopt;
}

// A dimension or coefficient that must be positive, as the sewage windows check it.
Failure readPositive(const std::string& text, const std::string& what, RainwaterField focus,
                     double& value) {
    const NumberRead read = readNumber(text, what);
    if (read.problem)
        return refusal(*read.problem, focus);
    if (read.value <= 0)
        return refusal(what + "には正の値を入力してください。", focus);
    value = read.value;
    return std::nullopt;
}

Failure readNotNegative(const std::string& text, const std::string& what, RainwaterField focus,
                        double& value) {
    const NumberRead read = readNumber(text, what);
    if (read.problem)
        return refusal(*read.problem, focus);
    if (read.value < 0)
        return refusal(what + "には０以上の値を入力してください。", focus);
    value = read.value;
    return std::nullopt;
}

Failure readDimensions(const RainwaterInput& in, RainwaterResult& r) {
    CalcSheet& s = r.facility;
    switch (in.facilityKind) {
    case RainwaterFacilityKind::VP:
    case RainwaterFacilityKind::VU:
    case RainwaterFacilityKind::FRPM:
    case RainwaterFacilityKind::Hume: {
        const auto& sizes = PipeCatalogue::sizes(s.facilityKind);
        if (in.sizeListPosition < 0 || in.sizeListPosition >= static_cast<int>(sizes.size()))
            return refusal("管径を選択してください。", RainwaterField::SizeList);
        s.nominalSize = in.sizeListPosition;
        resolveStandardPipe(s);
        return std::nullopt;
    }
    case RainwaterFacilityKind::OtherCircular:
        return readPositive(in.diameterText, "直径", RainwaterField::Diameter, s.pipeDiameter);
    case RainwaterFacilityKind::Rectangular:
        if (auto failure =
                readPositive(in.heightText, "施設の高さ", RainwaterField::Height, s.channelHeight))
            return failure;
        return readPositive(in.widthText, "施設の巾", RainwaterField::Width, s.channelWidth);
    case RainwaterFacilityKind::Trapezoidal: {
        TrapezoidFigures t;
        if (auto failure =
                readNotNegative(in.widthText, "台形の底幅", RainwaterField::Width, t.bottomWidth))
            return failure;
        if (auto failure =
                readPositive(in.heightText, "台形の深さ", RainwaterField::Height, t.height))
            return failure;
        if (auto failure = readNotNegative(in.sideSlopeText, "台形の法勾配",
                                           RainwaterField::SideSlope, t.sideSlope))
            return failure;
        if (t.bottomWidth == 0 && t.sideSlope == 0)
            return refusal("台形の底幅と法勾配が共に０のため、流水の断面積がありません。",
                           RainwaterField::Width);
        s.channelHeight = t.height;
        s.channelWidth = t.bottomWidth;
        r.trapezoid = t;
        return std::nullopt;
    }
    }
    return std::nullopt;
}

Failure readFacility(const RainwaterInput& in, RainwaterResult& r) {
    r.facilityKind = in.facilityKind;
    CalcSheet& s = r.facility;
    s.facilityKind = sewageFacilityKind(in.facilityKind);
    s.materialName = in.materialText;
    s.velocityFormula = in.velocityFormula;
    if (auto failure = readDimensions(in, r))
        return failure;
    if (auto failure =
            readPositive(in.gradientText, "施設の勾配", RainwaterField::Gradient, s.slopePermille))
        return failure;
    if (auto failure =
            readPositive(in.roughnessText, "粗度係数", RainwaterField::Roughness, s.roughness))
        return failure;
    if (s.velocityFormula == VelocityFormula::None)
        return refusal("流速の計算方法を選択してください。", RainwaterField::Roughness);

    const std::vector<std::string>& texts = depthTexts(in.facilityKind);
    std::optional<double> code;
    for (std::size_t i = 0; i < texts.size() && !in.depthText.empty(); ++i) {
        if (texts[i] == in.depthText) {
            const int position = static_cast<int>(i);
            code = usesRectangularDepths(in.facilityKind)
                       ? DepthRatioTable::rectangularCode(position)
                       : DepthRatioTable::circularCode(position);
            s.depthChoice = position;
        }
    }
    if (!code)
        return refusal("施設の有効水深の割合を選択してください。", RainwaterField::DepthList);
    s.depthRatio = *code;
    return std::nullopt;
}

// ---------------------------------------------------------------- computing

void computeFacility(RainwaterResult& r) {
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
}

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

Failure computeIntensity(RainwaterResult& r) {
    if (r.intensityForm == IntensityForm::Direct)
        return std::nullopt;
    if (r.velocity <= 0)
        return refusal("流速が０のため、流下時間を計算できません。施設の入力値を確認してください。",
                       RainwaterField::Gradient);
    r.flowTime = printed(*r.flowLength / (60 * r.velocity), "0.0");
    r.concentrationTime = printed(*r.inletTime + *r.flowTime, "0.0");
    const double denominator = intensityDenominator(r, *r.concentrationTime);
    if (!(denominator > 0) || !std::isfinite(denominator))
        return refusal("降雨強度式の分母が０以下になります。定数を確認してください。",
                       formUsesB(r.intensityForm) ? RainwaterField::ConstantB
                                                  : RainwaterField::ConstantN);
    r.intensity = printed(r.constantA / denominator, "0.0");
    return std::nullopt;
}

} // namespace

RainwaterOutcome computeRainwater(const RainwaterInput& in) {
    RainwaterOutcome outcome;
    RainwaterResult& r = outcome.result;
    const auto refuse = [&outcome](Failure failure) {
        outcome.failure = std::move(failure);
        outcome.result = RainwaterResult{};
        return outcome;
    };
    if (auto failure = readCatchment(in, r))
        return refuse(failure);
    if (auto failure = readConstants(in, r))
        return refuse(failure);
    if (auto failure = readTimes(in, r))
        return refuse(failure);
    if (auto failure = readFacility(in, r))
        return refuse(failure);

    computeFacility(r);
    if (!facilityIsUsable(r.facility))
        return refuse(refusal("計算結果が数値の範囲を超えました。入力値を確認してください。",
                              RainwaterField::Gradient));
    if (auto failure = computeIntensity(r))
        return refuse(failure);
    r.plannedFlow = printed(r.runoff * r.intensity * r.area / 360, "0.0000");
    if (!std::isfinite(r.plannedFlow))
        return refuse(refusal("計算結果が数値の範囲を超えました。入力値を確認してください。",
                              RainwaterField::AreaTable));

    r.capacityFails = r.plannedFlow > r.capacity;
    r.guide = rainwaterVelocityGuide(r.velocity);
    return outcome;
}

} // namespace tovarin
