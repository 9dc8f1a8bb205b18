// Throughput of one compute request, per facility window and velocity formula.
#include "engine/Calculation.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tovarin;

ComputeInput mainSheetInput(ComputeVariant variant, VelocityFormula formula) {
    ComputeInput in;
    in.variant = variant;
    in.plannedFlowText = "0.0041";
    in.groundwaterText = "15";
    in.allowanceText = "20";
    in.groundwaterOn = OnOff::On;
    in.allowanceOn = OnOff::On;
    in.velocityFormula = formula;
    in.flowEntryMode = FlowEntryMode::Computed;
    in.marginCheck = MarginCheck::On;
    in.marginListPosition = 3;
    in.landUse = LandUse::Residential;
    in.gradientText = "10";
    in.roughnessText = "0.013";
    return in;
}

ComputeInput standardPipeInput(VelocityFormula formula) {
    ComputeInput in = mainSheetInput(ComputeVariant::StandardPipe, formula);
    in.facilityKindIndex = 3; // Hume pipe
    in.sizeListPosition = 2;  // φ250
    in.depthListPosition = 5;
    in.depthListText = "水深８割";
    return in;
}

ComputeInput otherCircularInput(VelocityFormula formula) {
    ComputeInput in = mainSheetInput(ComputeVariant::OtherCircular, formula);
    in.facilityKindIndex = 4;
    in.materialText = "鋳鉄管";
    in.diameterText = "0.25";
    in.depthListPosition = 10;
    in.depthListText = "水量９０％";
    return in;
}

ComputeInput rectangularInput(VelocityFormula formula) {
    ComputeInput in = mainSheetInput(ComputeVariant::Rectangular, formula);
    in.facilityKindIndex = 5;
    in.materialText = "コンクリート";
    in.heightText = "0.5";
    in.widthText = "0.4";
    in.depthListPosition = 4;
    in.depthListText = "水深８割";
    return in;
}

void runRequests(benchmark::State& state, const ComputeInput& in) {
    CalcSheet sheet;
    sheet.sewagePerCapita = 350;
    for (auto _ : state) {
        ComputeOutcome outcome = computeRequest(sheet, in);
        benchmark::DoNotOptimize(outcome);
        if (!outcome.ok())
            state.SkipWithError("the compute request was refused");
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_StandardPipeManning(benchmark::State& state) {
    const ComputeInput in = standardPipeInput(VelocityFormula::Manning);
    runRequests(state, in);
}
void BM_StandardPipeKutter(benchmark::State& state) {
    const ComputeInput in = standardPipeInput(VelocityFormula::Kutter);
    runRequests(state, in);
}
void BM_OtherCircularManning(benchmark::State& state) {
    const ComputeInput in = otherCircularInput(VelocityFormula::Manning);
    runRequests(state, in);
}
void BM_OtherCircularKutter(benchmark::State& state) {
    const ComputeInput in = otherCircularInput(VelocityFormula::Kutter);
    runRequests(state, in);
}
void BM_RectangularManning(benchmark::State& state) {
    const ComputeInput in = rectangularInput(VelocityFormula::Manning);
    runRequests(state, in);
}
void BM_RectangularKutter(benchmark::State& state) {
    const ComputeInput in = rectangularInput(VelocityFormula::Kutter);
    runRequests(state, in);
}

} // namespace

BENCHMARK(BM_StandardPipeManning);
BENCHMARK(BM_StandardPipeKutter);
BENCHMARK(BM_OtherCircularManning);
BENCHMARK(BM_OtherCircularKutter);
BENCHMARK(BM_RectangularManning);
BENCHMARK(BM_RectangularKutter);
