#include "shell/JapaneseEnvironment.h"

#include "platform/qt/JapaneseFonts.h"
#include "shell/StyleIcons.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tovarin {

namespace {

void substituteJapaneseFonts() {
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
}

bool loadQtTranslation(QApplication& app) {
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    // Owned by the application, so it lives as long as the buttons that use it.
    auto* translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace

bool setUpJapaneseEnvironment(QApplication& app) {
    useLeanStyleIcons(app);
    substituteJapaneseFonts();
    QApplication::setFont(QFont(gothicFamily(), 9));
    return loadQtTranslation(app);
}

} // namespace tovarin
