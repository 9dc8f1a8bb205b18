#include "engine/Network.h"

#include "engine/Calculation.h"
#include "engine/NumberText.h"
#include "engine/RainwaterFields.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace tovarin {

namespace {

// A figure as the sheet prints it, read back: the next figure is computed from it.
double printed(double value, const char* pattern) {
    return textToNumber(formatNumber(value, pattern));
}

constexpr double litresPerDayToCubicMetresPerSecond = 86'400'000;

using Refused = std::optional<NetworkRefusal>;

std::string sectionPrefix(const NetworkSection& section) {
    return "区間「" + section.name + "」：";
}

NetworkRefusal sectionRefusal(const NetworkInput& in, std::size_t i, std::string message,
                              NetworkField what = NetworkField::SectionLine) {
    NetworkRefusal refused;
    refused.message = sectionPrefix(in.sections[i]) + message;
    refused.what = what;
    refused.section = i;
    return refused;
}

// ---------------------------------------------------------------- structure

Refused linkSections(const NetworkInput& in, NetworkOrder& order) {
    const std::vector<NetworkSection>& sections = in.sections;
    const std::size_t n = sections.size();
    std::unordered_map<std::string_view, std::size_t> byName;
    std::unordered_map<std::string_view, std::size_t> byUpper;
    byName.reserve(n);
    byUpper.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const NetworkSection& s = sections[i];
        if (!byName.emplace(s.name, i).second)
            return sectionRefusal(in, i, "同じ名前の区間がもう一つあります。");
        if (s.upper == s.lower)
            return sectionRefusal(in, i, "上流と下流が同じ人孔「" + s.upper + "」です。");
        const auto [at, added] = byUpper.emplace(s.upper, i);
        if (!added)
            return sectionRefusal(
                in, i,
                "人孔「" + s.upper + "」は区間「" + sections[at->second].name +
                    "」の上流端でもあります（一つの人孔から流れ出る区間は一つです）。");
    }
    order.downstream.assign(n, -1);
    std::vector<int> inflows(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const auto found = byUpper.find(sections[i].lower);
        if (found == byUpper.end())
            continue;
        order.downstream[i] = static_cast<int>(found->second);
        ++inflows[found->second];
    }
    order.head.assign(n, false);
    order.order.clear();
    order.order.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        order.head[i] = inflows[i] == 0;
        if (order.head[i])
            order.order.push_back(i);
    }
    for (std::size_t next = 0; next < order.order.size(); ++next) {
        const int down = order.downstream[order.order[next]];
        if (down >= 0 && --inflows[static_cast<std::size_t>(down)] == 0)
            order.order.push_back(static_cast<std::size_t>(down));
    }
    if (order.order.size() == n)
        return std::nullopt;
    // With one link out of every section, what the walk leaves lies on circles: nothing
    // flows out of a circle.
    for (std::size_t i = 0; i < n; ++i) {
        if (inflows[i] > 0)
            return sectionRefusal(in, i,
                                  "区間が循環しています（下流をたどるとこの区間に戻ります）。");
    }
    return std::nullopt;
}

Refused headRefusal(const NetworkInput& in, const NetworkOrder& order) {
    for (std::size_t i = 0; i < in.sections.size(); ++i) {
        const NetworkSection& s = in.sections[i];
        if (in.kind == NetworkKind::Sewage &&
            s.facility.facilityKind == RainwaterFacilityKind::Trapezoidal) {
            NetworkRefusal refused = sectionRefusal(in, i, "汚水の系統には台形の施設は使えません。",
                                                    NetworkField::SectionField);
            refused.field = RainwaterField::SizeList; // the 施設 line
            return refused;
        }
        if (!order.head[i])
            continue;
        if (in.kind == NetworkKind::Rainwater && s.facility.areas.empty())
            return sectionRefusal(in, i,
                                  "上流に区間のない区間には「区域」を１つ以上入力してください。");
        if (in.kind == NetworkKind::Sewage && s.populationText.empty() && s.sewageFlowText.empty())
            return sectionRefusal(
                in, i, "上流に区間のない区間には「人口」か「汚水量」を入力してください。");
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- field checks

Refused entryRefusal(const RainwaterFieldEntry& entry) {
    if (auto refused = fieldCalculationRefusal(entry)) {
        NetworkRefusal network;
        network.message = refused->message;
        network.field = refused->field;
        network.row = refused->row;
        return network;
    }
    return std::nullopt;
}

RainwaterFieldEntry numberEntry(FieldRule rule, std::string what, std::string_view text) {
    RainwaterFieldEntry entry;
    entry.rule = rule;
    entry.what = std::move(what);
    entry.text = text;
    return entry;
}

Refused networkFieldRefusal(const NetworkInput& in) {
    if (in.kind == NetworkKind::Rainwater) {
        for (const RainwaterFieldEntry& entry : rainwaterFields(in.intensity)) {
            const bool intensity = entry.field == RainwaterField::ConstantA ||
                                   entry.field == RainwaterField::ConstantB ||
                                   entry.field == RainwaterField::ConstantN ||
                                   entry.field == RainwaterField::DirectIntensity;
            if (!intensity && entry.field != RainwaterField::InletTime)
                continue;
            if (Refused refused = entryRefusal(entry)) {
                refused->what = intensity ? NetworkField::Intensity : NetworkField::InletTime;
                return refused;
            }
        }
        return std::nullopt;
    }
    const std::pair<NetworkField, RainwaterFieldEntry> entries[] = {
        {NetworkField::PerCapita,
         numberEntry(FieldRule::Positive, "一人一日汚水量", in.perCapitaText)},
        {NetworkField::Groundwater,
         numberEntry(FieldRule::NotNegative, "地下水", in.groundwaterText)},
        {NetworkField::Allowance, numberEntry(FieldRule::NotNegative, "余裕", in.allowanceText)},
    };
    for (const auto& [what, entry] : entries) {
        if (what != NetworkField::PerCapita && entry.text.empty())
            continue;
        if (Refused refused = entryRefusal(entry)) {
            refused->what = what;
            return refused;
        }
    }
    return std::nullopt;
}

bool isFacilityField(RainwaterField field) {
    switch (field) {
    case RainwaterField::SizeList:
    case RainwaterField::Material:
    case RainwaterField::Diameter:
    case RainwaterField::Height:
    case RainwaterField::Width:
    case RainwaterField::SideSlope:
    case RainwaterField::Gradient:
    case RainwaterField::Roughness:
    case RainwaterField::DepthList:
        return true;
    default:
        return false;
    }
}

Refused sectionFieldRefusal(const NetworkInput& in, std::size_t i) {
    const NetworkSection& s = in.sections[i];
    const auto placed = [&](Refused refused, NetworkField what) {
        refused->message = sectionPrefix(s) + refused->message;
        refused->what = what;
        refused->section = i;
        return refused;
    };
    if (in.kind == NetworkKind::Sewage &&
        s.facility.facilityKind == RainwaterFacilityKind::Trapezoidal) {
        NetworkRefusal refused = sectionRefusal(in, i, "汚水の系統には台形の施設は使えません。",
                                                NetworkField::SectionField);
        refused.field = RainwaterField::SizeList; // the 施設 line
        return refused;
    }
    if (Refused refused = entryRefusal(numberEntry(FieldRule::NotNegative, "延長", s.lengthText)))
        return placed(std::move(refused), NetworkField::SectionLine);
    if (in.kind == NetworkKind::Sewage) {
        const std::pair<NetworkField, RainwaterFieldEntry> own[] = {
            {NetworkField::Population,
             numberEntry(FieldRule::NotNegative, "人口", s.populationText)},
            {NetworkField::SewageFlow,
             numberEntry(FieldRule::NotNegative, "汚水量", s.sewageFlowText)},
        };
        for (const auto& [what, entry] : own) {
            if (entry.text.empty())
                continue;
            if (Refused refused = entryRefusal(entry))
                return placed(std::move(refused), what);
        }
    }
    for (const RainwaterFieldEntry& entry : rainwaterFields(s.facility)) {
        const bool area = entry.field == RainwaterField::AreaTable && entry.row >= 0;
        if (!area && !isFacilityField(entry.field))
            continue;
        if (Refused refused = entryRefusal(entry))
            return placed(std::move(refused), NetworkField::SectionField);
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- figures

// A number field the checks have let pass.
double checked(const std::string& text) {
    return *rainwaterNumber(text);
}

double printedConstant(const std::string& text) {
    const double value = checked(text);
    return printed(value, constantPattern(value));
}

void takeIntensity(const RainwaterInput& in, RainwaterResult& r) {
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

// The facility as the rainwater calculation takes it from its input.
void takeFacility(const RainwaterInput& in, RainwaterResult& r) {
    r.facilityKind = in.facilityKind;
    CalcSheet& s = r.facility;
    s.facilityKind = sewageFacilityKind(in.facilityKind);
    s.materialName = in.materialText;
    s.velocityFormula = in.velocityFormula;
    switch (in.facilityKind) {
    case RainwaterFacilityKind::VP:
    case RainwaterFacilityKind::VU:
    case RainwaterFacilityKind::FRPM:
    case RainwaterFacilityKind::Hume:
        s.nominalSize = in.sizeListPosition;
        resolveStandardPipe(s);
        break;
    case RainwaterFacilityKind::OtherCircular:
        s.pipeDiameter = checked(in.diameterText);
        break;
    case RainwaterFacilityKind::Rectangular:
        s.channelHeight = checked(in.heightText);
        s.channelWidth = checked(in.widthText);
        break;
    case RainwaterFacilityKind::Trapezoidal: {
        TrapezoidFigures t;
        t.bottomWidth = checked(in.widthText);
        t.height = checked(in.heightText);
        t.sideSlope = checked(in.sideSlopeText);
        s.channelHeight = t.height;
        s.channelWidth = t.bottomWidth;
        r.trapezoid = t;
        break;
    }
    }
    s.slopePermille = checked(in.gradientText);
    s.roughness = checked(in.roughnessText);
    s.depthChoice = *depthPosition(in.facilityKind, in.depthText);
    s.depthRatio = *depthRatioCode(in.facilityKind, in.depthText);
}

// What flows into a section from the sections upstream of it.
struct Upstream {
    double area = 0;      // Σ of their ΣA
    double runoffSum = 0; // Σ of their ΣCA
    std::optional<double> longestArrival;
    double population = 0; // Σ of their ΣP
    double sewageFlow = 0; // Σ of their ΣQd
};

class Calculation {
public:
    explicit Calculation(const NetworkInput& in) : in_(in) {}

    NetworkOutcome run() {
        NetworkOutcome outcome;
        if ((outcome.failure = networkFieldRefusal(in_)))
            return outcome;
        for (std::size_t i = 0; i < in_.sections.size(); ++i) {
            if ((outcome.failure = sectionFieldRefusal(in_, i)))
                return outcome;
        }
        NetworkStructure structure = networkStructure(in_);
        if ((outcome.failure = std::move(structure.refusal)))
            return outcome;
        takeNetwork(outcome.result);
        upstream_.assign(in_.sections.size(), Upstream{});
        outcome.result.sections.resize(in_.sections.size());
        for (std::size_t i : structure.order.order) {
            NetworkSectionResult& section = outcome.result.sections[i];
            section.downstream = structure.order.downstream[i];
            if ((outcome.failure =
                     computeSection(i, structure.order.head[i], outcome.result, section))) {
                outcome.result = NetworkResult{};
                return outcome;
            }
            passDown(section);
        }
        return outcome;
    }

private:
    const NetworkInput& in_;
    std::vector<Upstream> upstream_;

    void takeNetwork(NetworkResult& result) const {
        result.kind = in_.kind;
        if (in_.kind == NetworkKind::Rainwater) {
            takeIntensity(in_.intensity, result.intensity);
            return;
        }
        result.perCapita = printed(checked(in_.perCapitaText), "0.0#");
        if (!in_.groundwaterText.empty())
            result.groundwater = printed(checked(in_.groundwaterText), "0.0#");
        if (!in_.allowanceText.empty())
            result.allowance = printed(checked(in_.allowanceText), "0.0#");
    }

    Refused computeSection(std::size_t i, bool head, const NetworkResult& network,
                           NetworkSectionResult& section) const {
        const NetworkSection& s = in_.sections[i];
        section.name = s.name;
        section.upper = s.upper;
        section.lower = s.lower;
        section.length = printed(checked(s.lengthText), "0.0#");
        takeFacility(s.facility, section.facility);
        Refused refused = in_.kind == NetworkKind::Rainwater
                              ? rainwater(s, upstream_[i], head, network, section)
                              : sewage(s, upstream_[i], network, section);
        if (refused) {
            refused->message = sectionPrefix(s) + refused->message;
            refused->section = i;
        }
        return refused;
    }

    static Refused rainwaterRefusal(std::optional<RainwaterRefusal> refused) {
        if (!refused)
            return std::nullopt;
        NetworkRefusal network;
        network.message = refused->message;
        network.what = NetworkField::SectionField;
        network.field = refused->field;
        return network;
    }

    static Refused rainwater(const NetworkSection& s, const Upstream& up, bool head,
                             const NetworkResult& network, NetworkSectionResult& section) {
        RainwaterResult& r = section.facility;
        for (const CatchmentArea& area : s.facility.areas)
            r.areas.push_back(
                areaFigures(area.name, checked(area.areaText), checked(area.runoffText)));
        const CatchmentSum own = sumCatchment(r.areas);
        section.ownArea = r.areas.empty() ? 0 : own.area;
        const double ownProducts = r.areas.empty() ? 0 : own.runoffSum;
        r.area = printed(section.ownArea + up.area, "0.0000");
        r.runoffSum = printed(ownProducts + up.runoffSum, "0.0000");
        r.runoff = printed(r.runoffSum / r.area, "0.00");

        const RainwaterResult& intensity = network.intensity;
        r.intensityForm = intensity.intensityForm;
        r.constantA = intensity.constantA;
        r.constantB = intensity.constantB;
        r.constantN = intensity.constantN;
        if (intensity.intensityForm == IntensityForm::Direct) {
            r.intensity = intensity.intensity;
        } else {
            r.inletTime = head ? intensity.inletTime : up.longestArrival;
            r.flowLength = section.length;
        }
        if (Refused refused = rainwaterRefusal(computeRainwaterFacility(r)))
            return refused;
        if (Refused refused = rainwaterRefusal(computeRainwaterFlow(r)))
            return refused;
        section.capacityFails = r.plannedFlow > r.capacity;
        section.guide = rainwaterVelocityGuide(r.velocity);
        return std::nullopt;
    }

    static Refused sewage(const NetworkSection& s, const Upstream& up, const NetworkResult& network,
                          NetworkSectionResult& section) {
        if (!s.populationText.empty())
            section.ownPopulation = printed(checked(s.populationText), "0");
        const double ownFlow = s.sewageFlowText.empty() ? 0 : checked(s.sewageFlowText);
        section.population = printed(section.ownPopulation + up.population, "0");
        section.sewageFlow = ownFlow + up.sewageFlow;
        section.plannedFlowBase =
            printed(network.perCapita * section.population / litresPerDayToCubicMetresPerSecond +
                        section.sewageFlow,
                    "0.0000");

        // The sewage sheet with Q1 entered directly, its groundwater and allowance.
        RainwaterResult& r = section.facility;
        CalcSheet& sheet = r.facility;
        sheet.flowEntryMode = FlowEntryMode::Direct;
        sheet.plannedFlowBase = section.plannedFlowBase;
        sheet.groundwaterOn = network.groundwater ? OnOff::On : OnOff::Off;
        sheet.groundwaterRate = network.groundwater.value_or(0);
        sheet.allowanceOn = network.allowance ? OnOff::On : OnOff::Off;
        sheet.flowAllowance = network.allowance.value_or(0);
        sheet.marginCheck = MarginCheck::Off;
        if (Refused refused = rainwaterRefusal(computeRainwaterFacility(r)))
            return refused;
        const Assessment assessment = assess(sheet, 0);
        section.plannedFlow = printed(sheet.plannedFlow, "0.0000");
        section.capacityFails = assessment.capacityFails;
        section.guide = sewageNetworkVelocityGuide(r.velocity);
        return std::nullopt;
    }

    void passDown(const NetworkSectionResult& section) {
        if (section.downstream < 0)
            return;
        Upstream& down = upstream_[static_cast<std::size_t>(section.downstream)];
        const RainwaterResult& r = section.facility;
        down.area += r.area;
        down.runoffSum += r.runoffSum;
        if (r.concentrationTime)
            down.longestArrival =
                std::max(down.longestArrival.value_or(*r.concentrationTime), *r.concentrationTime);
        down.population += section.population;
        down.sewageFlow += section.sewageFlow;
    }
};

} // namespace

NetworkStructure networkStructure(const NetworkInput& input) {
    NetworkStructure structure;
    if ((structure.refusal = linkSections(input, structure.order)))
        return structure;
    structure.refusal = headRefusal(input, structure.order);
    return structure;
}

VelocityGuide sewageNetworkVelocityGuide(double printedVelocity) {
    return velocityGuide(printedVelocity);
}

NetworkOutcome computeNetwork(const NetworkInput& input) {
    return Calculation(input).run();
}

} // namespace tovarin
