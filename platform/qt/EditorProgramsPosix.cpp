#include "platform/qt/EditorStart.h"

namespace tovarin {

namespace {

// The report file is code page 932; an editor left to guess may take it for Latin-1.
// gedit 44 and pluma 1.26 (GtkSourceView's charset names), xed (the same table) and
// kwrite 22.12 (Qt's codec names) are told so; gnome-text-editor 43 and mousepad
// 0.5.10 have no such option and guess, as xdg-open's choice does.
const QString codePage932 = QStringLiteral("--encoding=CP932");

} // namespace

QList<EditorCommand> editorCommands() {
    return {{QStringLiteral("gnome-text-editor"), {}}, {QStringLiteral("gedit"), {codePage932}},
            {QStringLiteral("mousepad"), {}},          {QStringLiteral("kwrite"), {codePage932}},
            {QStringLiteral("pluma"), {codePage932}},  {QStringLiteral("xed"), {codePage932}},
            {QStringLiteral("xdg-open"), {}, true}};
}

} // namespace tovarin
