#include "report/SewageReport.h"

#include "report/DrawingSurface.h"
#include "report/FilePrint.h"

namespace tovarin {

void SewageReport::drawPage(DrawingSurface&) const {
    // The groups draw on the program's drawing surface, which the page is.
    Hyouji_1(sheet_);
    Hyouji_2(sheet_);
    Hyouji_3(sheet_);
}

void SewageReport::print(Platform& platform, QWidget* parent) const {
    FilePrint(platform, parent, sheet_);
}

ReportWrite SewageReport::appendTo(const std::string& path) const {
    return appendSheet(sheet_, path);
}

} // namespace tovarin
