#include "JapaneseFonts.h"

#include <fontconfig/fontconfig.h>

namespace tovarin {

namespace {

// Asked of fontconfig's list of installed fonts directly, by the family's own name:
// no alias or substitution rule takes part, so a family that is not there is not
// reported as found through another.
bool isInstalled(const QString& family) {
    const QByteArray name = family.toUtf8();
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    bool found = false;
    if (pattern && objects &&
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.constData()))) {
        FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
        found = fonts && fonts->nfont > 0;
        if (fonts)
            FcFontSetDestroy(fonts);
    }
    if (objects)
        FcObjectSetDestroy(objects);
    if (pattern)
        FcPatternDestroy(pattern);
    return found;
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
