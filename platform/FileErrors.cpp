#include "platform/FileErrors.h"

#include "platform/DiskFull.h"
#include "platform/RegularFile.h"

#include <cerrno>

namespace tovarin {

const char* fileErrorReason(int error) {
    if (meansDiskFull(error))
        return "ディスクの空き容量が足りません。";
    switch (error) {
    case EACCES:
    case EPERM:
        return "書き込みが許可されていません。";
    case EROFS:
        return "読み取り専用の場所です。";
    case EISDIR:
        return "同じ名前のフォルダがあります。";
    case ENOENT:
    case ENOTDIR:
        return "フォルダが見つかりません。";
    case EFBIG:
        return "ファイルが大きすぎます。";
    case ENXIO:
        return notARegularFileReason;
    case ENAMETOOLONG:
        return "名前が長すぎます。";
#ifdef ELOOP
    case ELOOP:
        return "シンボリックリンクが循環しています。";
#endif
    case EAGAIN:
        return "読み込みが止まったままのファイルです。";
    default:
        return nullptr;
    }
}

} // namespace tovarin
