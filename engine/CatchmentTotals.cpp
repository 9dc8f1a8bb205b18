#include "engine/CatchmentTotals.h"

#include "engine/NumberText.h"

namespace tovarin {

CatchmentTotals catchmentTotals(const std::vector<CatchmentArea>& areas) {
    std::vector<AreaFigures> rows;
    for (const CatchmentArea& row : areas) {
        const std::optional<double> ai = rainwaterNumber(row.areaText);
        const std::optional<double> ci = rainwaterNumber(row.runoffText);
        if (!ai || !ci)
            return {};
        rows.push_back(areaFigures(row.name, *ai, *ci));
    }
    const CatchmentSum sum = sumCatchment(rows);
    if (!(sum.area > 0))
        return {};
    return {formatNumber(sum.area, "0.0000"), formatNumber(sum.runoffSum / sum.area, "0.00")};
}

} // namespace tovarin
