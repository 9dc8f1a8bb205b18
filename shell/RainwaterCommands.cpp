#include "shell/RainwaterCommands.h"

#include "platform/qt/FileNames.h"
#include "platform/qt/UserFolders.h"
#include "sheettext/RainwaterSheetBuilder.h"

#include <QString>

namespace tovarin {

bool rainwaterKakikomi(Platform& platform, QWidget* parent, const RainwaterResult& result) {
    const ReportWrite written = appendRainwaterSheet(
        result, fileSystemName(reportFilePath(QString::fromLatin1(reportFileName))));
    if (!written.ok) {
        showInputError(platform, parent, QString::fromStdString(written.message));
        return false;
    }
    for (int i = 0; i < written.alertLines; ++i)
        platform.beep();
    return true;
}

} // namespace tovarin
