#include "platform/FileErrors.h"

#include "platform/DiskFull.h"
#include "platform/RegularFile.h"
#include "platform/ReplaceFile.h"

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

const char* wholeFileRefusalReason(WholeFileRefusal refusal) {
    switch (refusal) {
    case WholeFileRefusal::None:
        break;
    case WholeFileRefusal::NoNewFileInFolder:
        return "このフォルダには新しいファイルを作れません（フォルダへの書き込みが許可されていませ"
               "ん）。";
    case WholeFileRefusal::HardLinks:
        return "このファイルには別の名前（ハードリンク）があります。置き換えると別の名前が古い内容"
               "の"
               "まま残るため、書き込みません。";
    case WholeFileRefusal::OwnerNotKept:
        return "このファイルの所有者又はグループを新しいファイルに引き継げません。所有者が変わるた"
               "め、"
               "書き込みません。";
    case WholeFileRefusal::AttributesNotKept:
        return "このファイルのアクセス制御リスト（ACL）又は拡張属性を新しいファイルに引き継げません"
               "。"
               "権限が変わらないよう、書き込みません。";
    }
    return nullptr;
}

} // namespace tovarin
