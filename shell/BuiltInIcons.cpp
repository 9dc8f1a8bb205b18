#include "shell/BuiltInIcons.h"

#include "shell/ShellResources.h"

#include <QFile>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <cstdio>
#include <cstring>

// The XPM files are C arrays of the image rows; each defines one static array.
#include "shell/icons/image.xpm"
#include "shell/icons/new.xpm"
#include "shell/icons/open.xpm"
#include "shell/icons/print.xpm"
#include "shell/icons/save.xpm"
#include "shell/icons/tovarin.xpm"

namespace tovarin {

namespace {

// The program's XPM images have one character a pixel, colours written "#RRGGBB" and
// the transparent "None". Read directly into the pixel format a pixmap with
// transparency keeps, they give the same pixels as Qt's general XPM reader at a
// fraction of its cost; anything else in them goes to that reader.
QImage readSimpleXpm(const char* const* xpm) {
    int width = 0, height = 0, colours = 0, charsPerPixel = 0;
    if (std::sscanf(xpm[0], "%d %d %d %d", &width, &height, &colours, &charsPerPixel) != 4 ||
        charsPerPixel != 1 || width <= 0 || height <= 0 || colours <= 0)
        return QImage(xpm);
    QRgb palette[256] = {};
    bool known[256] = {};
    for (int i = 1; i <= colours; ++i) {
        const char* line = xpm[i];
        const auto key = static_cast<unsigned char>(line[0]);
        unsigned value = 0;
        if (std::strcmp(line + 1, " c None") == 0)
            palette[key] = 0; // transparent
        else if (std::sscanf(line + 1, " c #%6x", &value) == 1 && std::strlen(line) == 11)
            palette[key] = 0xFF000000u | value;
        else
            return QImage(xpm);
        known[key] = true;
    }
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y) {
        const char* row = xpm[1 + colours + y];
        if (static_cast<int>(std::strlen(row)) != width)
            return QImage(xpm);
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const auto key = static_cast<unsigned char>(row[x]);
            if (!known[key])
                return QImage(xpm);
            pixels[x] = palette[key];
        }
    }
    return image;
}

// A picture of the program at any size: at the pixel sizes of its compiled-in XPM
// (the designed pixels, read without any image reader) the XPM; larger, as a screen
// at 150 % or 200 % asks, its SVG twin from the resources, drawn by Qt's SVG icon
// engine. That engine is a plugin loaded only on the first such request, so a normal
// start-up pays nothing for it.
class SharpPictureEngine : public QIconEngine {
public:
    SharpPictureEngine(const char* const* xpm, QString svgPath)
        : xpm_(xpm), svgPath_(std::move(svgPath)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        if (wantsVector(size))
            return vectorIcon().pixmap(size, mode, state);
        return designedIcon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        if (wantsVector(size))
            return size;
        return designedIcon().actualSize(size, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap picture = pixmap(rect.size() * ratio, mode, state);
        picture.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, picture);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        const int designed = designedSize().width();
        QList<QSize> sizes{designedSize()};
        for (const int size : {16, 24, 32, 48, 64, 128, 256})
            if (size > designed)
                sizes.append(QSize(size, size));
        return sizes;
    }
    QIconEngine* clone() const override { return new SharpPictureEngine(xpm_, svgPath_); }
    QString key() const override { return QStringLiteral("tovarin-picture"); }

private:
    QSize designedSize() { return designedIcon().availableSizes().value(0, QSize(16, 16)); }
    bool wantsVector(const QSize& size) {
        const QSize designed = designedSize();
        return size.width() > designed.width() || size.height() > designed.height();
    }
    const QIcon& designedIcon() {
        if (designed_.isNull())
            designed_ = QIcon(QPixmap::fromImage(readSimpleXpm(xpm_)));
        return designed_;
    }
    const QIcon& vectorIcon() {
        // Without the SVG engine (not installed, or no Qt SVG at all as in the Windows
        // build) the twin's pictures drawn at build time, when there are any; else the
        // designed pixels scaled up.
        if (vector_.isNull()) {
            initShellResources();
            vector_ = QIcon(svgPath_);
            if (vector_.availableSizes().isEmpty() && vector_.pixmap(32).isNull())
                vector_ = rasterTwin();
            if (vector_.isNull())
                vector_ = designedIcon();
        }
        return vector_;
    }
    // The SVG twin as PNG pictures of 32 and 48 pixels beside it in the resources.
    QIcon rasterTwin() const {
        QIcon icon;
        QString stem = svgPath_;
        stem.chop(4); // ".svg"
        for (const int size : {32, 48}) {
            const QString png = QStringLiteral("%1-%2.png").arg(stem).arg(size);
            if (QFile::exists(png))
                icon.addFile(png, QSize(size, size));
        }
        return icon;
    }

    const char* const* xpm_;
    QString svgPath_;
    QIcon designed_;
    QIcon vector_;
};

QIcon pictureOf(const char* const* xpm, const QString& name) {
    return QIcon(new SharpPictureEngine(xpm, QStringLiteral(":/tovarin/icons/%1.svg").arg(name)));
}

} // namespace

QIcon programIcon() {
    return pictureOf(tovarin_xpm, QStringLiteral("tovarin"));
}

QIcon toolbarIcon(const char* image) {
    struct NamedImage {
        const char* name;
        const char* const* xpm;
    };
    static const NamedImage images[] = {
        {"new", new_xpm},     {"open", open_xpm},   {"save", save_xpm},
        {"image", image_xpm}, {"print", print_xpm},
    };
    for (const NamedImage& named : images) {
        if (std::strcmp(named.name, image) == 0)
            return pictureOf(named.xpm, QLatin1String(named.name));
    }
    return {};
}

} // namespace tovarin
