// The engine side of tovarin-sheet's design aids: the trial of every catalogue size
// (--sizes), the CSV records of a results table of many documents (--csv), and the
// points of the characteristic curves (--curve).
#include "engine/CharacteristicCurve.h"
#include "engine/CsvText.h"
#include "engine/DesignAids.h"
#include "engine/NumberText.h"
#include "engine/ResultTexts.h"
#include "engine/TableWords.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tovarin;

// A Hume pipe (25 sizes) with groundwater, allowance, margin check and residential land.
ComputeInput humeInput() {
    ComputeInput in;
    in.variant = ComputeVariant::StandardPipe;
    in.plannedFlowText = "0.0410";
    in.groundwaterText = "15";
    in.allowanceText = "20";
    in.groundwaterOn = OnOff::On;
    in.allowanceOn = OnOff::On;
    in.velocityFormula = VelocityFormula::Kutter;
    in.flowEntryMode = FlowEntryMode::Computed;
    in.marginCheck = MarginCheck::On;
    in.marginListPosition = 3;
    in.landUse = LandUse::Residential;
    in.gradientText = "10";
    in.roughnessText = "0.013";
    in.facilityKindIndex = 3;
    in.depthListPosition = 5;
    in.depthListText = "水深８割";
    return in;
}

CalcSheet residentialDocument() {
    CalcSheet sheet;
    sheet.sewagePerCapita = 350;
    return sheet;
}

void BM_SizeTableOfAHumePipe(benchmark::State& state) {
    const CalcSheet document = residentialDocument();
    const ComputeInput input = humeInput();
    for (auto _ : state) {
        const std::vector<SizeTrial> trials = tryEverySize(document, input);
        const std::optional<std::size_t> chosen = smallestPassingSize(trials);
        std::string table(csvByteOrderMark);
        table += csvRecord(sizeTableHeader());
        for (std::size_t i = 0; i < trials.size(); ++i)
            table += csvRecord(sizeTableRow(trials[i], chosen == i));
        benchmark::DoNotOptimize(table.data());
    }
}
BENCHMARK(BM_SizeTableOfAHumePipe);

// The figures of one results-table row per document, for `documents` computed documents.
void BM_ResultsTableRows(benchmark::State& state) {
    const auto documents = static_cast<int>(state.range(0));
    ComputeInput input = humeInput();
    input.sizeListPosition = 4;
    for (auto _ : state) {
        std::string table(csvByteOrderMark);
        for (int i = 0; i < documents; ++i) {
            CalcSheet sheet = residentialDocument();
            const ComputeOutcome outcome = computeRequest(sheet, input);
            const ResultTexts texts = resultTexts(sheet, outcome.assessment);
            table += csvRecord(
                {"document.tvr", texts.allowedFlow, texts.allowanceFactor, sheet.facilityLabel,
                 formatNumber(sheet.slopePermille, "#0.0"), formatNumber(sheet.roughness, "0.000"),
                 formulaText(sheet.velocityFormula), depthChoiceText(sheet), texts.velocity,
                 texts.capacity, verdictText(outcome.assessment.capacityFails),
                 texts.marginRatio.value_or(""), formatNumber(sheet.marginReference, "0"),
                 verdictText(outcome.assessment.marginFails), texts.maxPopulation.value_or(""),
                 velocityGuideText(velocityGuide(sheet.velocity)), ""});
        }
        benchmark::DoNotOptimize(table.data());
    }
    state.SetItemsProcessed(state.iterations() * documents);
}
BENCHMARK(BM_ResultsTableRows)->Arg(1000);

void BM_CharacteristicCurveTable(benchmark::State& state) {
    CurveSection section;
    section.diameter = 0.3;
    section.roughness = 0.013;
    section.slopePermille = 5;
    section.formula = VelocityFormula::Kutter;
    for (auto _ : state) {
        const auto points = characteristicCurve(section);
        std::string table;
        for (const auto& record : curveTable(section, points))
            table += csvRecord(record);
        benchmark::DoNotOptimize(table.data());
        benchmark::DoNotOptimize(depthFractionForFlowRatio(section, 0.6));
    }
}
BENCHMARK(BM_CharacteristicCurveTable);

} // namespace
