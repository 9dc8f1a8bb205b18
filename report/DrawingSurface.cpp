#include "report/DrawingSurface.h"

#include "sheettext/SheetBuilder.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPaintDevice>

#include <algorithm>
#include <cmath>
#include <variant>

namespace tovarin {

namespace {

DrawingSurface* theDrawingSurface = nullptr;

// One metre in inches, for the dots-per-metre of an image.
constexpr double inchesPerMetre = 1 / 0.0254;

} // namespace

// ------------------------------------------------------------------ DrawingSurface

DrawingSurface::DrawingSurface(Platform& platform, const QFont& font)
    : SheetSink(SheetOutput::Drawn), platform_(platform), font_(font) {}

DrawingSurface::~DrawingSurface() {
    if (theDrawingSurface == this)
        theDrawingSurface = nullptr;
}

bool DrawingSurface::open(QPaintDevice* device) {
    if (!painter_.begin(device))
        return false;
    painter_.setFont(font_);
    painter_.setPen(colour_);
    // Measured in fractions: at 11.25 pt a half-width character is 7.5 pixels, and
    // rounding it would shift the verdict column.
    const QFontMetricsF metrics(font_, device);
    columnWidth_ = metrics.horizontalAdvance(QLatin1Char('0'));
    lineHeight_ = metrics.lineSpacing();
    ascent_ = metrics.ascent();
    top_ = 0;
    bottom_ = device->height() / device->devicePixelRatio();
    return true;
}

void DrawingSurface::setPageBand(double top, double bottom) {
    top_ = top;
    bottom_ = bottom;
    y_ = top;
}

int DrawingSurface::linesPerPage() const {
    if (lineHeight_ <= 0)
        return 0;
    return static_cast<int>(std::floor((bottom_ - top_) / lineHeight_));
}

bool DrawingSurface::breakPage() {
    if (!startNextPage())
        return false;
    y_ = top_;
    return true;
}

bool DrawingSurface::close() {
    if (!painter_.isActive())
        return true;
    return painter_.end();
}

void DrawingSurface::clear() {
    y_ = top_;
    linesWritten_ = 0;
    setTextColour(Qt::black);
}

void DrawingSurface::setTextColour(const QColor& colour) {
    colour_ = colour;
    if (painter_.isActive())
        painter_.setPen(colour_);
}

void DrawingSurface::alertSound() {
    platform_.beep();
}

void DrawingSurface::writeLine(const SheetLine& line) {
    // A blank line only moves down; a line with text that would cross the bottom
    // starts the next page, so no page begins with the blanks left over from the
    // previous one and no page is left empty at the end.
    if (!line.isBlank()) {
        const bool pageHasLines = y_ > top_;
        if (pageHasLines && y_ + lineHeight_ > bottom_ && breakPage())
            pageStarted();
        if (line.alert)
            setTextColour(alertColour());
        drawItems(line);
        if (line.alert) {
            alertSound();
            setTextColour(Qt::black);
        }
    }
    y_ += lineHeight_;
    ++linesWritten_;
}

void DrawingSurface::drawPicture(double heightMillimetres, const Picture& draw) {
    if (!painter_.isActive())
        return;
    const QPaintDevice* device = painter_.device();
    const double millimetre = device->logicalDpiY() / 25.4;
    const double width = device->width() / device->devicePixelRatio();
    double height = heightMillimetres * millimetre;
    if (y_ > 0 && y_ + height > bottom_ && startNextPage())
        y_ = 0;
    height = std::max(0.0, std::min(height, bottom_ - y_));
    painter_.save();
    draw(painter_, QRectF(0, y_, width, height), millimetre);
    painter_.restore();
    y_ += height;
}

void DrawingSurface::drawItems(const SheetLine& line) {
    double x = 0;
    QString pending;
    for (const SheetItem& item : line.items) {
        if (const auto* jump = std::get_if<ColumnJumpItem>(&item)) {
            drawText(x, pending);
            x += QFontMetricsF(font_, painter_.device()).horizontalAdvance(pending);
            pending.clear();
            x = std::max(x, (jump->column - 1) * columnWidth_);
        } else {
            pending += QString::fromStdString(itemText(item));
        }
    }
    drawText(x, pending);
}

void DrawingSurface::drawText(double x, const QString& text) {
    if (text.isEmpty() || !painter_.isActive())
        return;
    painter_.drawText(QPointF(x, y_ + ascent_), text);
}

// --------------------------------------------------------------------- PageSurface

PageSurface::PageSurface(Platform& platform, const QFont& font, QSize size, double dotsPerInch,
                         double devicePixelRatio)
    : DrawingSurface(platform, font), size_(size),
      // The image has the screen's logical resolution, so the font has its on-screen
      // size.
      dotsPerMetre_(static_cast<int>(std::lround(dotsPerInch * inchesPerMetre))) {
    setDevicePixelRatio(devicePixelRatio);
}

void PageSurface::setDevicePixelRatio(double ratio) {
    close();
    ratio_ = ratio;
    makeImage(1);
}

QSize PageSurface::drawnSize() const {
    return {size_.width(), pages_ * size_.height() + (pages_ - 1) * pageGap};
}

// A white image of `pages` pages, grey between them.
void PageSurface::makeImage(int pages) {
    pages_ = pages;
    const QSize logical = drawnSize();
    const QSize pixels(static_cast<int>(std::ceil(logical.width() * ratio_)),
                       static_cast<int>(std::ceil(logical.height() * ratio_)));
    image_ = QImage(pixels, QImage::Format_RGB32);
    image_.setDotsPerMeterX(dotsPerMetre_);
    image_.setDotsPerMeterY(dotsPerMetre_);
    image_.setDevicePixelRatio(ratio_);
    image_.fill(Qt::white);
    QPainter gaps(&image_);
    for (int page = 1; page < pages; ++page)
        gaps.fillRect(
            QRectF(0, page * (size_.height() + pageGap) - pageGap, logical.width(), pageGap),
            QColor(192, 192, 192));
}

// The page grows by a page below: what was drawn stays, drawing goes on at its top.
bool PageSurface::startNextPage() {
    if (!isOpen())
        return false;
    close();
    const QImage drawn = image_;
    makeImage(pages_ + 1);
    {
        QPainter copy(&image_);
        copy.drawImage(0, 0, drawn);
    }
    open(&image_);
    const double top = (pages_ - 1) * (size_.height() + pageGap);
    setPageBand(top, top + size_.height());
    return true;
}

PageSurface::~PageSurface() {
    finish();
}

void PageSurface::clear() {
    close();
    if (pages_ == 1)
        image_.fill(Qt::white);
    else
        makeImage(1);
    open(&image_);
    DrawingSurface::clear();
}

void PageSurface::finish() {
    close();
}

// ------------------------------------------------------------------ PrinterSurface

PrinterSurface::PrinterSurface(Platform& platform, QPagedPaintDevice& printer, const QFont& font)
    : DrawingSurface(platform, font), printer_(printer) {}

bool PrinterSurface::begin() {
    if (!open(&printer_))
        return false;
    pages_ = 1;
    DrawingSurface::clear();
    return true;
}

bool PrinterSurface::endDocument() {
    return close();
}

bool PrinterSurface::startNextPage() {
    if (!isOpen() || !printer_.newPage())
        return false;
    ++pages_;
    return true;
}

// ------------------------------------------------------------- the drawing surface

DrawingSurface* drawingSurface() {
    return theDrawingSurface;
}

void setDrawingSurface(DrawingSurface* surface) {
    theDrawingSurface = surface;
}

void Hyouji_1(const CalcSheet& sheet) {
    if (theDrawingSurface)
        Hyouji_1(sheet, *theDrawingSurface);
}

void Hyouji_2(const CalcSheet& sheet) {
    if (theDrawingSurface)
        Hyouji_2(sheet, *theDrawingSurface);
}

void Hyouji_3(const CalcSheet& sheet) {
    if (theDrawingSurface)
        Hyouji_3(sheet, *theDrawingSurface);
}

} // namespace tovarin
