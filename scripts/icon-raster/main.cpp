// icon-raster OUT_FOLDER FILE.svg… : writes OUT_FOLDER/NAME-32.png and NAME-48.png for
// each picture, drawn by Qt SVG. Exit status 1 when a picture cannot be read or written.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fputs("usage: icon-raster OUT_FOLDER FILE.svg...\n", stderr);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const QString svg = QString::fromLocal8Bit(argv[i]);
        QSvgRenderer renderer(svg);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "icon-raster: %s: not a picture\n", argv[i]);
            return 1;
        }
        for (const int size : {32, 48}) {
            QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            {
                QPainter painter(&image);
                renderer.render(&painter);
            }
            const QString png = out.filePath(
                QStringLiteral("%1-%2.png").arg(QFileInfo(svg).completeBaseName()).arg(size));
            if (!image.save(png, "PNG")) {
                std::fprintf(stderr, "icon-raster: %s: cannot write\n", qPrintable(png));
                return 1;
            }
        }
    }
    return 0;
}
