#pragma once
// Drawing the calculation sheet onto a surface: the page of the print image window
// or the printer. Lines run down from the top, each written at the left edge in the
// surface's fixed-pitch font, so the indents come from the blanks of the texts
// themselves (an ASCII blank is one column, an ideographic space two).
//
// One surface at a time is the program's drawing surface; whoever starts a drawing
// sets it, and Hyouji_1/2/3(sheet) draw onto it.

#include "engine/CalcSheet.h"
#include "platform/qt/Platform.h"
#include "sheettext/SheetLine.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>

#include <functional>

class QPagedPaintDevice;
class QPaintDevice;

namespace tovarin {

class DrawingSurface : public SheetSink {
public:
    DrawingSurface(Platform& platform, const QFont& font);
    // A surface that goes away stops being the drawing surface.
    ~DrawingSurface() override;

    // Back to the top left corner, text colour black.
    virtual void clear();
    // Draws the line at the current position and moves down one line height. An NG
    // line is drawn in the alert colour, then the alert sounds and black returns.
    void writeLine(const SheetLine& line) override;
    void setTextColour(const QColor& colour);
    void alertSound();
    // Draws a picture `heightMillimetres` tall across the surface below the lines written
    // (on a fresh page when it does not fit below them, where there is one), and moves
    // below it. `draw` gets the painter, the picture's rectangle in device units and the
    // device units per millimetre.
    using Picture = std::function<void(QPainter&, const QRectF&, double)>;
    void drawPicture(double heightMillimetres, const Picture& draw);

    // Light magenta of failing figures.
    static QColor alertColour() { return QColor(255, 0, 255); }

    bool isOpen() const { return painter_.isActive(); }
    const QFont& font() const { return font_; }
    // Width of one half-width character, and the height of one line, in device units.
    double columnWidth() const { return columnWidth_; }
    double lineHeight() const { return lineHeight_; }
    // Lines written since the last clear.
    int linesWritten() const { return linesWritten_; }
    // How many lines a page holds (the surface open).
    int linesPerPage() const;
    // Goes on at the top of a fresh page; false when the surface has no further page.
    bool breakPage();

protected:
    // Starts painting on the device in the surface's font; false when it refuses.
    bool open(QPaintDevice* device);
    // Ends painting; on a printer this ends the document. False when the painter
    // could not finish (a PDF file that could not be written, for one).
    bool close();
    // Called when a line would cross the bottom of the surface; true when drawing
    // goes on at the top of a fresh page.
    virtual bool startNextPage() { return false; }
    // Called at the top of a page that startNextPage began, before the line that did
    // not fit: a table may write its header lines there.
    virtual void pageStarted() {}
    // Where the page being drawn runs, in device units from the device's top: a surface
    // that holds its pages one below the other moves it (after open()).
    void setPageBand(double top, double bottom);
    QPainter& painter() { return painter_; }

private:
    void drawItems(const SheetLine& line);
    void drawText(double x, const QString& text);

    Platform& platform_;
    QFont font_;
    QPainter painter_;
    QColor colour_ = Qt::black;
    double y_ = 0;
    double top_ = 0;
    double bottom_ = 0;
    double columnWidth_ = 0;
    double lineHeight_ = 0;
    double ascent_ = 0;
    int linesWritten_ = 0;
};

// The page of the print image window: an image at the screen's resolution that
// keeps what was drawn; lines below its bottom are clipped. The page is laid out in
// the screen's logical pixels (size) and drawn at its device pixel ratio, so that it is
// as sharp as the rest of the screen at 150 % or 200 %.
class PageSurface : public DrawingSurface {
public:
    PageSurface(Platform& platform, const QFont& font, QSize size, double dotsPerInch,
                double devicePixelRatio = 1);
    // The painting ends before the image it paints on goes.
    ~PageSurface() override;

    // Starts a fresh drawing: one page erased to white, top left, black.
    void clear() override;
    // Pages drawn since the clear, one below the other with a grey gap between.
    int pages() const { return pages_; }
    // The drawn pages in logical pixels: the page's size for one page.
    QSize drawnSize() const;
    // The gap between two pages, in logical pixels.
    static constexpr int pageGap = 12;
    // Ends the drawing; the image is then ready to be shown.
    void finish();
    // The page in logical pixels; the image has devicePixelRatio times as many.
    QSize size() const { return size_; }
    const QImage& image() const { return image_; }
    // Draws at another ratio (a window moved to another screen) from now on; the
    // page is blank until the next drawing.
    void setDevicePixelRatio(double ratio);

protected:
    bool startNextPage() override;

private:
    void makeImage(int pages);

    QSize size_;
    int dotsPerMetre_ = 0;
    double ratio_ = 1;
    int pages_ = 1;
    QImage image_;
};

// The printer, or a PDF writer: the sheet is one continuous run of lines from the top
// of the first page; a line that does not fit goes to the top of the next page.
class PrinterSurface : public DrawingSurface {
public:
    PrinterSurface(Platform& platform, QPagedPaintDevice& printer, const QFont& font);

    // Starts the print job; false when the printer cannot be opened.
    bool begin();
    // Releases the whole job to the printer; false when the painter could not finish.
    bool endDocument();
    int pages() const { return pages_; }

protected:
    bool startNextPage() override;

private:
    QPagedPaintDevice& printer_;
    int pages_ = 0;
};

// The program's drawing surface; null when none is set.
DrawingSurface* drawingSurface();
void setDrawingSurface(DrawingSurface* surface);

// The three groups of the sheet drawn onto the drawing surface (nothing without one).
void Hyouji_1(const CalcSheet& sheet);
void Hyouji_2(const CalcSheet& sheet);
void Hyouji_3(const CalcSheet& sheet);

} // namespace tovarin
