#pragma once
// What the report file tests share: a sheet to write, a scratch folder, file bytes.

#include "engine/CalcSheet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace tovarin::testing {

namespace fs = std::filesystem;

// A residential sheet by Manning on a VP pipe, with the margin check on.
inline CalcSheet residentialSheet() {
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

inline std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// A name in UTF-8, as the platform layer takes names, as a path of the system.
inline fs::path utf8Path(const std::string& name) {
    return fs::path(std::u8string(name.begin(), name.end()));
}

// A new empty folder of the test's own, removed after it.
class ScratchFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && folder.empty(); ++attempt) {
            const fs::path candidate =
                fs::temp_directory_path() / ("report-test-" + std::to_string(random()));
            if (fs::create_directory(candidate))
                folder = candidate;
        }
        ASSERT_FALSE(folder.empty());
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
};

inline size_t count(const std::string& text, const std::string& piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) {
        ++n;
    }
    return n;
}

} // namespace tovarin::testing
