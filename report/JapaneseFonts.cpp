#include "JapaneseFonts.h"

#include <QFontDatabase>

namespace tovarin {

namespace {

QString installedOr(const QString& installed, const QString& designed) {
    return QFontDatabase::hasFamily(installed) ? installed : designed;
}

} // namespace

// The fonts installed do not change while the program runs: asked once each.
QString minchoFamily() {
    static const QString family =
        installedOr(QStringLiteral("IPAMincho"), QStringLiteral("ＭＳ 明朝"));
    return family;
}

QString gothicFamily() {
    static const QString family =
        installedOr(QStringLiteral("IPAGothic"), QStringLiteral("ＭＳ ゴシック"));
    return family;
}

QString proportionalGothicFamily() {
    static const QString family =
        installedOr(QStringLiteral("IPAPGothic"), QStringLiteral("ＭＳ Ｐゴシック"));
    return family;
}

} // namespace tovarin
