#pragma once
// Writing a whole file by a name the user gave, or leaving the name as it was
// (platform/ReplaceFile.h says how).

#include "platform/ReplaceFile.h"

#include <QByteArray>
#include <QString>

namespace tovarin {

WholeFileResult writeWholeFile(const QString& path, const QByteArray& bytes);

// Why the write failed, in Japanese, for the message that names the file; empty when
// the system gave no reason worth showing.
QString wholeFileFailureReason(const WholeFileResult& result);

} // namespace tovarin
