#include "engine/CatchmentTotals.h"

#include "engine/NumberText.h"

namespace tovarin {

namespace {

double printed(double value, const char* pattern) {
    return textToNumber(formatNumber(value, pattern));
}

} // namespace

CatchmentTotals catchmentTotals(const std::vector<CatchmentArea>& areas) {
    double area = 0;
    double products = 0;
    for (const CatchmentArea& row : areas) {
        const std::optional<double> ai = rainwaterNumber(row.areaText);
        const std::optional<double> ci = rainwaterNumber(row.runoffText);
        if (!ai || !ci)
            return {};
        const double printedArea = printed(*ai, "0.0000");
        area += printedArea;
        products += printed(printed(*ci, "0.00") * printedArea, "0.0000");
    }
    const double total = printed(area, "0.0000");
    if (!(total > 0))
        return {};
    const double runoff = printed(products, "0.0000") / total;
    return {formatNumber(total, "0.0000"), formatNumber(runoff, "0.00")};
}

} // namespace tovarin
