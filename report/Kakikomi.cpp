#include "report/Kakikomi.h"

#include "platform/qt/FileNames.h"
#include "platform/qt/UserFolders.h"
#include "report/SewageReport.h"

#include <QString>

namespace tovarin {

bool Kakikomi(Platform& platform, QWidget* parent, const PrintableSheet& sheet) {
    const ReportWrite written =
        sheet.appendTo(fileSystemName(reportFilePath(QString::fromLatin1(reportFileName))));
    if (!written.ok) {
        showInputError(platform, parent, QString::fromStdString(written.message));
        return false;
    }
    for (int i = 0; i < written.alertLines; ++i)
        platform.beep();
    return true;
}

bool Kakikomi(Platform& platform, QWidget* parent, const CalcSheet& sheet) {
    return Kakikomi(platform, parent, SewageReport(sheet));
}

} // namespace tovarin
