#pragma once
// The profile (縦断図) of a computed network along a path of sections: the ground, the
// invert and the crown lines, each manhole a vertical line with its name, the
// sections' names, and under the drawing the band of a Japanese profile (測点, 延長,
// 追加距離, 地盤高, 管底高, 土被り, 勾配, 施設). One routine draws it for the window,
// the printout and the sheet tool (PNG, SVG, PDF). The scales are 1:500 across and
// 1:100 up on paper when the path fits, larger (a round figure) otherwise, and both
// are printed; a section with a 注意 is drawn in the warning colour.

#include "engine/NetworkLevels.h"
#include "report/FilePrint.h"
#include "report/NetworkPrint.h"

#include <QFont>
#include <QRectF>

#include <vector>

class QPainter;

namespace tovarin {

struct NetworkProfileScales {
    int horizontal = 500; // 1:horizontal across
    int vertical = 100;   // 1:vertical up
};

// The drawing of `path` (networkProfilePath) in `area` of the painter, whose device
// has `unitsPerMillimetre` device units per millimetre of paper; `font` for its
// texts. Returns the scales drawn at.
NetworkProfileScales drawNetworkProfile(QPainter& painter, const QRectF& area,
                                        double unitsPerMillimetre, const NetworkResult& result,
                                        const NetworkLevels& levels,
                                        const std::vector<std::size_t>& path);

// The profile alone as the bytes of a one-page A4 landscape PDF; empty when the
// drawing failed.
QByteArray networkProfilePdf(const NetworkResult& result, const NetworkLevels& levels,
                             const std::vector<std::size_t>& path);

// The network's printout: the flow table on A4 landscape with its header on every
// page, then a page with the profile of the path chosen.
class NetworkProfileReport : public PrintableSheet {
public:
    NetworkProfileReport(const NetworkResult& result, const NetworkLevels& levels,
                         std::vector<std::size_t> path)
        : table_(result), result_(result), levels_(levels), path_(std::move(path)) {}

    // The print image: the table, the profile below it.
    void drawPage(DrawingSurface& page) const override;
    void print(Platform& platform, QWidget* parent) const override;
    ReportWrite appendTo(const std::string& path) const override { return table_.appendTo(path); }

    // The same printout as a PDF file.
    PdfFileResult printToPdf(Platform& platform, const QString& fileName) const;

private:
    NetworkReport table_;
    const NetworkResult& result_;
    const NetworkLevels& levels_;
    std::vector<std::size_t> path_;
};

} // namespace tovarin
