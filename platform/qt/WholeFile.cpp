#include "platform/qt/WholeFile.h"

#include "platform/FileErrors.h"
#include "platform/qt/FileNames.h"

namespace tovarin {

WholeFileResult writeWholeFile(const QString& path, const QByteArray& bytes) {
    return replaceWholeFile(fileSystemName(path),
                            std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

QString wholeFileFailureReason(const WholeFileResult& result) {
    const char* refused = wholeFileRefusalReason(result.refusal);
    const char* reason = refused ? refused : fileErrorReason(result.error);
    return reason ? QString::fromUtf8(reason) : QString();
}

} // namespace tovarin
