#include "ShellResources.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QtGlobal>

// Q_INIT_RESOURCE has to stand outside any namespace.
static void registerIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace tovarin {

void initShellResources() {
    static const bool registered = [] {
        registerIconResources();
        return true;
    }();
    (void)registered;
}

QIcon shellIcon(const QString& name) {
    initShellResources();
    QSvgRenderer renderer(QStringLiteral(":/tovarin/icons/%1.svg").arg(name));
    QIcon icon;
    if (!renderer.isValid()) return icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap picture(size, size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(picture);
    }
    return icon;
}

} // namespace tovarin
