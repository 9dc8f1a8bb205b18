#include "aids/SheetToolSvg.h"

namespace tovarin {

bool svgAvailable() {
    return false;
}

QByteArray svgDrawing(const QSize&, const QString&, const std::function<void(QPainter&)>&) {
    return {};
}

} // namespace tovarin
