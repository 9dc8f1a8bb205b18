// A small SVG writer of our own, the same on every system (the Windows build's Qt has
// no SVG module): a paint device whose engine turns what the curve drawing paints —
// rectangles, lines, polylines and paths, ellipses, text — into SVG elements. The
// drawing code is the one that paints the PNG, so both show the same picture.

#include "aids/SheetToolSvg.h"

#include <QBuffer>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTextItem>

#include <optional>

namespace tovarin {

namespace {

QString number(double value) {
    return QString::number(value, 'g', 10);
}

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

// fill="…" or stroke="…" with its opacity when not opaque.
QString paint(const char* what, const QColor& colour) {
    QString out = QStringLiteral(" %1=\"%2\"").arg(QLatin1String(what), colour.name());
    if (colour.alpha() != 255)
        out +=
            QStringLiteral(" %1-opacity=\"%2\"").arg(QLatin1String(what), number(colour.alphaF()));
    return out;
}

class SvgEngine : public QPaintEngine {
public:
    SvgEngine()
        : QPaintEngine(QPaintEngine::AllFeatures &
                       ~(QPaintEngine::PatternBrush | QPaintEngine::PerspectiveTransform |
                         QPaintEngine::ConicalGradientFill | QPaintEngine::PorterDuff)) {}

    QString body;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override {
        flushText();
        return true;
    }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override {
        const QPaintEngine::DirtyFlags flags = state.state();
        flushText();
        if (flags & DirtyPen)
            pen_ = state.pen();
        if (flags & DirtyBrush)
            brush_ = state.brush();
        if (flags & DirtyTransform)
            transform_ = state.transform();
    }

    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i) {
            const QRectF& r = rects[i];
            element(QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"")
                        .arg(number(r.x()), number(r.y()), number(r.width()), number(r.height())),
                    true);
        }
    }

    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i) {
            const QLineF& l = lines[i];
            element(QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\"")
                        .arg(number(l.x1()), number(l.y1()), number(l.x2()), number(l.y2())),
                    false);
        }
    }

    void drawEllipse(const QRectF& r) override {
        const QPointF c = r.center();
        element(
            QStringLiteral("<ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\"")
                .arg(number(c.x()), number(c.y()), number(r.width() / 2), number(r.height() / 2)),
            true);
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        QString list;
        for (int i = 0; i < count; ++i)
            list +=
                number(points[i].x()) + QLatin1Char(',') + number(points[i].y()) + QLatin1Char(' ');
        const bool closed = mode != PolylineMode;
        QString start = QStringLiteral("<%1 points=\"%2\"")
                            .arg(closed ? QStringLiteral("polygon") : QStringLiteral("polyline"),
                                 list.trimmed());
        if (closed)
            start += fillRule(mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
        element(start, closed);
    }

    void drawPath(const QPainterPath& path) override {
        QString d;
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            switch (e.type) {
            case QPainterPath::MoveToElement:
                d += QStringLiteral("M%1 %2 ").arg(number(e.x), number(e.y));
                break;
            case QPainterPath::LineToElement:
                d += QStringLiteral("L%1 %2 ").arg(number(e.x), number(e.y));
                break;
            case QPainterPath::CurveToElement:
                d += QStringLiteral("C%1 %2 ").arg(number(e.x), number(e.y));
                break;
            case QPainterPath::CurveToDataElement:
                d += QStringLiteral("%1 %2 ").arg(number(e.x), number(e.y));
                break;
            }
        }
        element(QStringLiteral("<path d=\"%1\"").arg(d.trimmed()) + fillRule(path.fillRule()),
                true);
    }

    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) override {
        drawImage(r, pixmap.toImage(), source, Qt::AutoColor);
    }

    void drawImage(const QRectF& r, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags) override {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.copy(source.toAlignedRect()).save(&buffer, "PNG");
        flushText();
        body += QStringLiteral("<image x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"%5 "
                               "href=\"data:image/png;base64,%6\"/>\n")
                    .arg(number(r.x()), number(r.y()), number(r.width()), number(r.height()),
                         transform(), QString::fromLatin1(png.toBase64()));
    }

    // Qt hands a line of text over in pieces, one for each script or font in it
    // ("水理特性曲線　", "VP - ", "φ100"): pieces that follow each other on one
    // baseline in one font become one text element.
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        const bool continues = text_.has_value() && text_->font == item.font() &&
                               text_->baseline.y() == p.y() &&
                               qAbs(text_->baseline.x() + text_->width - p.x()) < 0.01;
        if (!continues) {
            flushText();
            text_ = PendingText{p, item.font(), {}, 0};
        }
        text_->text += item.text();
        text_->width += item.width();
    }

private:
    struct PendingText {
        QPointF baseline;
        QFont font;
        QString text;
        double width = 0;
    };

    // The text at its baseline, in the pen's colour, as wide as Qt lays it out
    // (textLength), so that a viewer with another font still fits it in its place.
    void flushText() {
        if (!text_)
            return;
        const QFont& font = text_->font;
        const double size = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96 / 72;
        QString attributes =
            QStringLiteral("<text x=\"%1\" y=\"%2\" font-family=\"%3, sans-serif\" "
                           "font-size=\"%4\"")
                .arg(number(text_->baseline.x()), number(text_->baseline.y()),
                     escaped(font.family()), number(size));
        if (font.bold())
            attributes += QStringLiteral(" font-weight=\"bold\"");
        if (text_->width > 0)
            attributes += QStringLiteral(" textLength=\"%1\" lengthAdjust=\"spacingAndGlyphs\"")
                              .arg(number(text_->width));
        body += attributes + paint("fill", pen_.color()) + transform() +
                QStringLiteral(" xml:space=\"preserve\">%1</text>\n").arg(escaped(text_->text));
        text_.reset();
    }

    // An element with the pen as its stroke and, for a closed shape, the brush as its
    // fill.
    void element(const QString& start, bool closed) {
        flushText();
        QString out = start;
        if (closed && brush_.style() != Qt::NoBrush)
            out += paint("fill", brush_.color());
        else
            out += QStringLiteral(" fill=\"none\"");
        out += stroke() + transform() + QStringLiteral("/>\n");
        body += out;
    }

    QString stroke() const {
        if (pen_.style() == Qt::NoPen)
            return {};
        // A width of 0 is one device pixel wide at any scale.
        const double width = pen_.widthF() > 0 ? pen_.widthF() : 1;
        QString out = paint("stroke", pen_.color()) +
                      QStringLiteral(" stroke-width=\"%1\"").arg(number(width));
        if (pen_.widthF() <= 0 || pen_.isCosmetic())
            out += QStringLiteral(" vector-effect=\"non-scaling-stroke\"");
        switch (pen_.capStyle()) {
        case Qt::FlatCap:
            out += QStringLiteral(" stroke-linecap=\"butt\"");
            break;
        case Qt::RoundCap:
            out += QStringLiteral(" stroke-linecap=\"round\"");
            break;
        default:
            out += QStringLiteral(" stroke-linecap=\"square\"");
            break;
        }
        switch (pen_.joinStyle()) {
        case Qt::RoundJoin:
            out += QStringLiteral(" stroke-linejoin=\"round\"");
            break;
        case Qt::BevelJoin:
            out += QStringLiteral(" stroke-linejoin=\"bevel\"");
            break;
        default:
            out += QStringLiteral(" stroke-linejoin=\"miter\" stroke-miterlimit=\"%1\"")
                       .arg(number(pen_.miterLimit()));
            break;
        }
        if (pen_.style() != Qt::SolidLine) {
            // Qt's dash lengths are in pen widths.
            QStringList dashes;
            for (const double dash : pen_.dashPattern())
                dashes << number(dash * width);
            out += QStringLiteral(" stroke-dasharray=\"%1\"").arg(dashes.join(QLatin1Char(',')));
            if (pen_.dashOffset() != 0)
                out += QStringLiteral(" stroke-dashoffset=\"%1\"")
                           .arg(number(pen_.dashOffset() * width));
        }
        return out;
    }

    QString transform() const {
        if (transform_.isIdentity())
            return {};
        return QStringLiteral(" transform=\"matrix(%1 %2 %3 %4 %5 %6)\"")
            .arg(number(transform_.m11()), number(transform_.m12()), number(transform_.m21()),
                 number(transform_.m22()), number(transform_.dx()), number(transform_.dy()));
    }

    static QString fillRule(Qt::FillRule rule) {
        return rule == Qt::OddEvenFill ? QStringLiteral(" fill-rule=\"evenodd\"")
                                       : QStringLiteral(" fill-rule=\"nonzero\"");
    }

    QPen pen_;
    QBrush brush_;
    QTransform transform_;
    std::optional<PendingText> text_; // drawn with the pen and transform of now
};

// A canvas of a given size in pixels at 96 dots per inch, as the PNG's image is.
class SvgCanvas : public QPaintDevice {
public:
    explicit SvgCanvas(const QSize& size) : size_(size) {}
    QPaintEngine* paintEngine() const override { return &engine_; }
    SvgEngine& engine() { return engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmWidthMM:
            return qRound(size_.width() * 25.4 / 96);
        case PdmHeightMM:
            return qRound(size_.height() * 25.4 / 96);
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    QSize size_;
    mutable SvgEngine engine_;
};

} // namespace

QByteArray svgDrawing(const QSize& size, const QString& title,
                      const std::function<void(QPainter&)>& draw) {
    SvgCanvas canvas(size);
    {
        QPainter painter;
        if (!painter.begin(&canvas))
            return {};
        draw(painter);
        if (!painter.end())
            return {};
    }
    const QString width = QString::number(size.width());
    const QString height = QString::number(size.height());
    const QString svg = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                       "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" "
                                       "width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 %2\">\n"
                                       "<title>%3</title>\n%4</svg>\n")
                            .arg(width, height, escaped(title), canvas.engine().body);
    return svg.toUtf8();
}

} // namespace tovarin
