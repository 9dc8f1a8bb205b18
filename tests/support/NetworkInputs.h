#pragma once
// Drainage networks shared by the tests: the two worked examples of examples/ and a
// generator of random networks (trees of sections listed in a shuffled order).
// Qt-free.

#include "engine/Network.h"
#include "engine/NumberText.h"

#include <algorithm>
#include <random>
#include <string>

namespace tovarin::testing {

inline NetworkSection rainwaterSection(std::string name, std::string upper, std::string lower,
                                       std::string length, std::vector<CatchmentArea> areas,
                                       std::string material, std::string size,
                                       std::string gradient) {
    NetworkSection s;
    s.name = std::move(name);
    s.upper = std::move(upper);
    s.lower = std::move(lower);
    s.lengthText = std::move(length);
    s.facility.areas = std::move(areas);
    s.facility.facilityKind = RainwaterFacilityKind::Rectangular;
    s.facility.materialText = std::move(material);
    s.facility.heightText = size;
    s.facility.widthText = size;
    s.facility.gradientText = std::move(gradient);
    s.facility.roughnessText = "0.015";
    s.facility.velocityFormula = VelocityFormula::Manning;
    s.facility.depthText = "水深８割";
    return s;
}

// examples/network-rainwater.tvn.
inline NetworkInput rainwaterNetworkExample() {
    NetworkInput in;
    in.kind = NetworkKind::Rainwater;
    in.intensity.intensityForm = IntensityForm::Talbot;
    in.intensity.constantAText = "5000";
    in.intensity.constantBText = "40";
    in.intensity.inletTimeText = "7";
    in.sections = {
        rainwaterSection("A-1", "No.1", "No.3", "60.0",
                         {{"屋根", "0.1200", "0.90"}, {"道路", "0.0600", "0.85"}}, "Ｕ型側溝３００",
                         "0.30", "5.0"),
        rainwaterSection("B-1", "No.2", "No.3", "45.0",
                         {{"間地", "0.2000", "0.20"}, {"道路", "0.0500", "0.85"}}, "Ｕ型側溝３００",
                         "0.30", "4.0"),
        rainwaterSection("A-2", "No.3", "放流先", "80.0", {{"道路", "0.0400", "0.85"}},
                         "Ｕ型側溝４００", "0.40", "3.0"),
    };
    return in;
}

inline NetworkSection sewageSection(std::string name, std::string upper, std::string lower,
                                    std::string length, std::string population,
                                    std::string gradient) {
    NetworkSection s;
    s.name = std::move(name);
    s.upper = std::move(upper);
    s.lower = std::move(lower);
    s.lengthText = std::move(length);
    s.populationText = std::move(population);
    s.facility.facilityKind = RainwaterFacilityKind::VU;
    s.facility.sizeListPosition = 5; // VU - φ200
    s.facility.gradientText = std::move(gradient);
    s.facility.roughnessText = "0.010";
    s.facility.velocityFormula = VelocityFormula::Manning;
    s.facility.depthText = "水深８割";
    return s;
}

// examples/network-sewage.tvn.
inline NetworkInput sewageNetworkExample() {
    NetworkInput in;
    in.kind = NetworkKind::Sewage;
    in.perCapitaText = "350";
    in.groundwaterText = "10";
    in.allowanceText = "50";
    in.sections = {
        sewageSection("1", "No.1", "No.3", "40.0", "60", "10.0"),
        sewageSection("2", "No.2", "No.3", "35.0", "48", "10.0"),
        sewageSection("3", "No.3", "公共汚水桝", "25.0", "12", "5.0"),
    };
    in.sections[2].sewageFlowText = "0.0005";
    return in;
}

// ---------------------------------------------------------------- random networks

class NetworkGenerator {
public:
    explicit NetworkGenerator(unsigned seed) : random_(seed) {}

    // A number in [low, high] written with `decimals` decimals, as a user types it.
    std::string number(double low, double high, int decimals) {
        std::uniform_real_distribution<double> pick(low, high);
        const char* patterns[] = {"0", "0.0", "0.00", "0.000", "0.0000"};
        return formatNumber(pick(random_), patterns[decimals]);
    }
    int below(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    // A facility of the kind's lists: a catalogue pipe, a circle or a rectangle (and a
    // trapezoid in a rainwater network).
    void facility(RainwaterInput& in, NetworkKind kind) {
        const RainwaterFacilityKind kinds[] = {
            RainwaterFacilityKind::VU, RainwaterFacilityKind::Hume,
            RainwaterFacilityKind::OtherCircular, RainwaterFacilityKind::Rectangular,
            RainwaterFacilityKind::Trapezoidal};
        in.facilityKind = kinds[below(kind == NetworkKind::Rainwater ? 5 : 4)];
        // Only the fields of the kind, as a document holds them.
        switch (in.facilityKind) {
        case RainwaterFacilityKind::OtherCircular:
            in.materialText = "鋳鉄管";
            in.diameterText = number(0.2, 1.0, 2);
            break;
        case RainwaterFacilityKind::Rectangular:
            in.materialText = "水路";
            in.heightText = number(0.2, 1.0, 2);
            in.widthText = number(0.2, 1.0, 2);
            break;
        case RainwaterFacilityKind::Trapezoidal:
            in.materialText = "台形水路";
            in.widthText = number(0.2, 1.0, 2);
            in.heightText = number(0.2, 1.0, 2);
            in.sideSlopeText = number(0.2, 1.5, 1);
            break;
        default:
            in.sizeListPosition = 3 + below(4);
            break;
        }
        in.gradientText = number(0.5, 30, 1);
        in.roughnessText = below(2) ? "0.013" : "0.015";
        in.velocityFormula = below(4) ? VelocityFormula::Manning : VelocityFormula::Kutter;
        // An entry of the list that names a depth (some only head a group).
        const std::vector<std::string>& depths = depthTexts(in.facilityKind);
        do {
            in.depthText = depths[static_cast<std::size_t>(below(static_cast<int>(depths.size())))];
        } while (!depthRatioCode(in.facilityKind, in.depthText));
    }

    void intensity(RainwaterInput& in) {
        const IntensityForm forms[] = {IntensityForm::Talbot, IntensityForm::Sherman,
                                       IntensityForm::Cleveland, IntensityForm::KunoIshiguro,
                                       IntensityForm::Direct};
        in.intensityForm = forms[below(5)];
        if (in.intensityForm == IntensityForm::Direct) {
            in.directIntensityText = number(30, 150, 1);
            return;
        }
        in.constantAText = number(300, 8000, below(2));
        if (formUsesB(in.intensityForm))
            in.constantBText = number(1, 60, below(3));
        if (formUsesN(in.intensityForm))
            in.constantNText = number(0.3, 0.9, 2);
        in.inletTimeText = number(3, 10, below(3));
    }

    // A tree of `count` sections: each flows into an earlier one or into an outlet of
    // its own; every head section has an area (population); listed shuffled.
    NetworkInput network(NetworkKind kind, std::size_t count) {
        NetworkInput in;
        in.kind = kind;
        if (kind == NetworkKind::Rainwater) {
            intensity(in.intensity);
        } else {
            in.perCapitaText = number(200, 500, below(2));
            if (below(2))
                in.groundwaterText = number(0, 20, below(2));
            if (below(2))
                in.allowanceText = number(0, 100, below(2));
        }
        std::vector<bool> fed(count, false);
        for (std::size_t i = 0; i < count; ++i) {
            NetworkSection s;
            s.name = "S" + std::to_string(i);
            s.upper = "M" + std::to_string(i);
            const bool outlet = i == 0 || below(8) == 0;
            const std::size_t into =
                outlet ? i : static_cast<std::size_t>(below(static_cast<int>(i)));
            s.lower = outlet ? "放流先" + std::to_string(i) : "M" + std::to_string(into);
            if (!outlet)
                fed[into] = true;
            s.lengthText = number(5, 150, below(3));
            facility(s.facility, kind);
            in.sections.push_back(std::move(s));
        }
        for (std::size_t i = 0; i < count; ++i) {
            NetworkSection& s = in.sections[i];
            const bool own = !fed[i] || below(2);
            if (kind == NetworkKind::Rainwater && own) {
                for (int a = 0, n = 1 + below(3); a < n; ++a)
                    s.facility.areas.push_back(
                        {"区域" + std::to_string(a), number(0.001, 0.8, 4), number(0.1, 1, 2)});
            }
            if (kind == NetworkKind::Sewage && own) {
                s.populationText = number(1, 400, 0);
                if (below(3) == 0)
                    s.sewageFlowText = number(0, 0.002, 4);
            }
        }
        std::shuffle(in.sections.begin(), in.sections.end(), random_);
        return in;
    }

private:
    std::mt19937 random_;
};

} // namespace tovarin::testing
