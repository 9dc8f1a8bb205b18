#pragma once
// The sewage sheet of a calculation document for the report commands: groups 1 to 3
// (Hyouji_1, Hyouji_2, Hyouji_3) on the page, FilePrint on the printer, and the
// report file's text.

#include "engine/CalcSheet.h"
#include "report/PrintableSheet.h"

namespace tovarin {

class SewageReport : public PrintableSheet {
public:
    explicit SewageReport(const CalcSheet& sheet) : sheet_(sheet) {}

    void drawPage(DrawingSurface& page) const override;
    void print(Platform& platform, QWidget* parent) const override;
    ReportWrite appendTo(const std::string& path) const override;

private:
    const CalcSheet& sheet_;
};

} // namespace tovarin
