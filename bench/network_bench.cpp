// The drainage network: computing it and writing its sheet, for 200 and 2,000
// sections. The order of the sections is found once, so the cost grows linearly.
//   tovarin-network-bench                       Google Benchmark's timings
//   tovarin-network-bench --sections N          one compute and sheet of N sections
//                                               (for bench/network-instructions)
#include "engine/Network.h"
#include "engine/NumberText.h"
#include "sheettext/NetworkSheet.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using namespace tovarin;

// A binary tree of `count` sections: section i flows into section (i - 1) / 2, the
// first into the outlet; listed from the leaves up (the reverse of the flow's order).
NetworkInput network(std::size_t count) {
    NetworkInput in;
    in.kind = NetworkKind::Rainwater;
    in.intensity.intensityForm = IntensityForm::Talbot;
    in.intensity.constantAText = "5000";
    in.intensity.constantBText = "40";
    in.intensity.inletTimeText = "7";
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t i = count - 1 - k;
        NetworkSection s;
        s.name = "S" + std::to_string(i);
        s.upper = "M" + std::to_string(i);
        s.lower = i == 0 ? "放流先" : "M" + std::to_string((i - 1) / 2);
        s.lengthText = "25";
        s.facility.areas = {{"道路", "0.0100", "0.85"}, {"屋根", "0.0200", "0.90"}};
        s.facility.facilityKind = RainwaterFacilityKind::Rectangular;
        s.facility.materialText = "水路";
        s.facility.heightText = "2.0";
        s.facility.widthText = "2.0";
        s.facility.gradientText = "5.0";
        s.facility.roughnessText = "0.015";
        s.facility.velocityFormula = VelocityFormula::Manning;
        s.facility.depthText = "水深８割";
        in.sections.push_back(std::move(s));
    }
    return in;
}

// Computes the network and writes its sheet; the sheet's size, so nothing is left out.
std::size_t computeAndWrite(const NetworkInput& in) {
    const NetworkOutcome outcome = computeNetwork(in);
    if (!outcome.ok()) {
        std::fprintf(stderr, "%s\n", outcome.failure->message.c_str());
        std::exit(1);
    }
    return networkSheetText(outcome.result).bytes.size();
}

void BM_NetworkComputeAndSheet(benchmark::State& state) {
    const NetworkInput in = network(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(computeAndWrite(in));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_NetworkComputeAndSheet)
    ->Arg(200)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--sections") == 0) {
        const NetworkInput in = network(static_cast<std::size_t>(std::atoi(argv[2])));
        std::printf("%zu bytes\n", computeAndWrite(in));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
