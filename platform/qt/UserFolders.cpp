#include "platform/qt/UserFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace tovarin {

namespace {

const QString lastFolderKey = QStringLiteral("documents/lastFolder");

// The program's one small settings file (an INI file in the user's configuration
// folder: ~/.config/tovarin/tovarin.ini, %APPDATA%\tovarin\tovarin.ini).
QSettings storedSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tovarin"),
                     QStringLiteral("tovarin"));
}

} // namespace

QString documentDialogFolder() {
    const QString remembered = storedSettings().value(lastFolderKey).toString();
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
        return QDir::toNativeSeparators(remembered) + QDir::separator();
    return documentFolder();
}

void rememberDocumentFolder(const QString& file) {
    if (file.isEmpty())
        return;
    QSettings settings = storedSettings();
    settings.setValue(lastFolderKey, QFileInfo(file).absolutePath());
    // A setting that cannot be kept costs only the folder of the next start.
    settings.sync();
}

void forgetDocumentFolder() {
    QSettings settings = storedSettings();
    settings.remove(lastFolderKey);
    settings.sync();
}

QString storedSettingsFileName() {
    return storedSettings().fileName();
}

} // namespace tovarin
