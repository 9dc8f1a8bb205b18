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
        return "このファイルには別の名前（ハードリンク）があり、元の内容を読めないため控えを作って"
               "その場で書き込むこともできません。名前を付けて保存で別の名前に保存してください。";
    case WholeFileRefusal::OwnerNotKept:
        return "このファイルの所有者又はグループを新しいファイルに引き継げず、元の内容を読めないた"
               "め"
               "控えを作ってその場で書き込むこともできません。名前を付けて保存で別の名前に保存して"
               "く"
               "ださい。";
    case WholeFileRefusal::AttributesNotKept:
        return "このファイルのアクセス制御リスト（ACL）又は拡張属性を新しいファイルに引き継げず、元"
               "の内容を読めないため控えを作ってその場で書き込むこともできません。名前を付けて保存"
               "で"
               "別の名前に保存してください。";
    case WholeFileRefusal::CopyLeftOver:
        return "以前の保存で残った元の内容の控え（ファイル名の後に「.tovarin-old」が付いたファイル"
               "）が同じフォルダにあります。中身を確かめて移すか削除してから保存し直すか、名前を付"
               "けて保存で別の名前に保存してください。";
    case WholeFileRefusal::NotRestored:
        return "書き込みに失敗し、元の内容にも戻せませんでした。元の内容は同じフォルダの控え（ファ"
               "イル名の後に「.tovarin-old」が付いたファイル）に残っています。";
    }
    return nullptr;
}

} // namespace tovarin
