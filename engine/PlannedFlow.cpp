#include "engine/Calculation.h"
#include "engine/NumberText.h"
#include "engine/Units.h"

namespace tovarin {

namespace {

bool needsPopulation(LandUse use) {
    return use == LandUse::Residential || use == LandUse::NonResidential1;
}

bool needsArea(LandUse use) {
    return use == LandUse::NonResidential1 || use == LandUse::NonResidential2;
}

PlannedSewageFailure failure(const char* message, PlannedSewageField focus) {
    return {message, focus};
}

} // namespace

std::optional<PlannedSewageFailure> checkPlannedSewage(const PlannedSewageInput& in) {
    if (needsPopulation(in.landUse)) {
        if (in.populationText.empty())
            return failure("計画人口を入力してください。", PlannedSewageField::Population);
        if (in.sewagePerCapitaText.empty())
            return failure("計画時間最大汚水量（１人１日当り）を入力してください。",
                           PlannedSewageField::SewagePerCapita);
    }
    if (needsArea(in.landUse)) {
        if (in.drainageAreaText.empty())
            return failure("排水面積を入力してください。", PlannedSewageField::DrainageArea);
        if (in.sewagePerHectareText.empty())
            return failure("計画時間最大汚水量（１ｈｒ当り）を入力してください。",
                           PlannedSewageField::SewagePerHectare);
    }
    return std::nullopt;
}

void keisan(CalcSheet& sheet, const PlannedSewageInput& in) {
    sheet.population = textToNumber(in.populationText);
    sheet.sewagePerCapita = textToNumber(in.sewagePerCapitaText);
    sheet.drainageArea = textToNumber(in.drainageAreaText);
    sheet.sewagePerHectare = textToNumber(in.sewagePerHectareText);

    const double q1 = sheet.sewagePerCapita;
    const double p = sheet.population;
    const double q2 = sheet.sewagePerHectare;
    const double a = sheet.drainageArea;
    switch (in.landUse) {
    case LandUse::Residential:
        sheet.plannedFlowBase = (q1 * p) / litresPerDayPerCubicMetrePerSecond;
        break;
    case LandUse::NonResidential1:
        sheet.plannedFlowBase =
            q2 * (a * hectaresPerSquareMetre) + (q1 * p) / litresPerDayPerCubicMetrePerSecond;
        break;
    case LandUse::NonResidential2:
        sheet.plannedFlowBase = q2 * (a * hectaresPerSquareMetre);
        break;
    case LandUse::None:
        break;
    }
}

} // namespace tovarin
