#include "platform/qt/JapaneseFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace tovarin {

namespace {

// The families of Qt's font database, which on this platform is fontconfig's list of
// installed fonts, read once. Compared by the family's own name: no alias or
// substitution rule takes part, so a family that is not installed is not reported
// as found through another.
bool isInstalled(const QString& family) {
    static const QStringList installed = QFontDatabase::families();
    return installed.contains(family);
}

QString installedOr(const QString& installed, const QString& designed) {
    return isInstalled(installed) ? installed : designed;
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
