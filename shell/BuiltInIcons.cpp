#include "BuiltInIcons.h"

#include <QImage>
#include <QPixmap>

#include <cstdio>
#include <cstring>

// The XPM files are C arrays of the image rows; each defines one static array.
#include "icons/image.xpm"
#include "icons/new.xpm"
#include "icons/open.xpm"
#include "icons/print.xpm"
#include "icons/save.xpm"
#include "icons/tovarin.xpm"

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

QIcon iconOf(const char* const* xpm) { return QIcon(QPixmap::fromImage(readSimpleXpm(xpm))); }

} // namespace

QIcon programIcon() { return iconOf(tovarin_xpm); }

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
            return iconOf(named.xpm);
    }
    return {};
}

} // namespace tovarin
