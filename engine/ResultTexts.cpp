#include "engine/ResultTexts.h"

#include "engine/NumberText.h"

namespace tovarin {

ResultTexts resultTexts(const CalcSheet& sheet, const Assessment& assessment) {
    ResultTexts texts;
    if (assessment.allowanceFactor != 1)
        texts.allowanceFactor = formatNumber(assessment.allowanceFactor, "0.0#");
    texts.allowedFlow = formatNumber(assessment.allowedFlow, "0.0000");
    texts.capacity = formatNumber(sheet.capacity, "0.0000");
    texts.velocity = formatNumber(sheet.velocity, "0.0000");
    if (assessment.maxPopulationShown)
        texts.maxPopulation = formatNumber(assessment.shownMaxPopulation, "0.0");
    if (assessment.marginShown)
        texts.marginRatio = formatNumber(sheet.marginRatio, "0.00");
    return texts;
}

} // namespace tovarin
