#include "platform/qt/EditorStart.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QWidget>

namespace tovarin {

QString noEditorMessage(const QString& file) {
    return QStringLiteral(
               "テキストエディタが見つかりませんでした。\n"
               "計算書は「%1」に書き込まれています。テキストエディタをインストールするか、"
               "このファイルを他のプログラムで開いてください。")
        .arg(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()));
}

void startEditor(Platform& platform, QWidget* parent, const QString& file) {
    const QPointer<QWidget> owner = parent;
    const auto tellNoEditor = [&platform, owner, file] {
        platform.message(owner,
                         MessageRequest{noEditorMessage(file), QStringLiteral("エディタの起動"),
                                        MsgButtons::Ok, MsgAnswer::Ok, MsgIcon::Warning});
    };
    for (const EditorCommand& editor : editorCommands()) {
        const QStringList arguments = editor.options + QStringList{file};
        // One editor is enough: trying on would open the file several times.
        if (editor.handsOver ? platform.startHandingOver(editor.program, arguments, tellNoEditor)
                             : platform.startProgram(editor.program, arguments))
            return;
    }
    tellNoEditor();
}

} // namespace tovarin
