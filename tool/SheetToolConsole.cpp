#include "tool/SheetToolConsole.h"

#include "engine/ControlCharacters.h"
#include "platform/RegularFile.h"
#include "platform/StandardOutput.h"
#include "platform/qt/FileNames.h"
#include "platform/qt/WholeFile.h"

#include <QAccessibleObject>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tovarin {

namespace {

// An accessibility description with nothing in it: no text, role, state or relatives.
class BareDescription : public QAccessibleObject {
public:
    explicit BareDescription(QObject* control) : QAccessibleObject(control) {}
    QAccessibleInterface* parent() const override { return nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::NoRole; }
    QAccessible::State state() const override { return {}; }
};

// Asked first for every object; objects that are not controls go on to Qt's own.
QAccessibleInterface* bareDescriptionOfControls(const QString&, QObject* object) {
    return object && object->isWidgetType() ? new BareDescription(object) : nullptr;
}

// Text as the document's typed names show on the sheet: a control character in a file
// name (a line end, ESC) would otherwise forge a message line or act in the terminal.
QString visible(const QString& text) {
    return QString::fromStdString(visibleText(text.toStdString()));
}

} // namespace

void describeUnseenControlsBarely() {
    QAccessible::installFactory(bareDescriptionOfControls);
}

MsgAnswer ConsolePlatform::message(QWidget*, const MessageRequest& request) {
    QString text = request.text;
    for (const QString& name : {document, outputFile}) {
        if (!name.isEmpty())
            text.replace(name, visible(name));
    }
    // The message's own line breaks join its sentences on one line.
    text = visible(text.replace(QLatin1Char('\n'), QLatin1Char(' ')));
    lastMessage = text;
    const QString line = visible(document) + QStringLiteral(": ") + text + QLatin1Char('\n');
    writeStandardError(line.toStdString());
    return request.defaultButton;
}

void ConsolePlatform::report(const QString& text) {
    message(nullptr, MessageRequest{text, QString(), MsgButtons::Ok, MsgAnswer::Ok, MsgIcon::None});
}

bool ConsolePlatform::refusesNameNotInUtf8(const QString& file) {
    if (!unusableNames.contains(file))
        return false;
    document = unusableNames.value(file);
    report(nameNotInSystemEncodingMessage());
    return true;
}

QString outputFileProblem(const QString& path) {
    const PathState state = pathState(fileSystemName(path));
    switch (state.kind) {
    case PathKind::Folder:
        return QStringLiteral("「%1」はフォルダです。").arg(path);
    case PathKind::Special:
        return QStringLiteral("「%1」は%2").arg(path, QString::fromUtf8(notARegularFileReason));
    case PathKind::Unreachable:
        return QStringLiteral("「%1」を確かめられません。%2")
            .arg(path, wholeFileFailureReason({WholeFileWrite::Failed, state.error}));
    case PathKind::Absent:
    case PathKind::Regular:
        break;
    }
    const QFileInfo folder(QFileInfo(path).absolutePath());
    const QString folderPath = QDir::toNativeSeparators(folder.filePath());
    if (!folder.exists())
        return QStringLiteral("フォルダ「%1」がありません。").arg(folderPath);
    if (!folder.isDir())
        return QStringLiteral("「%1」はフォルダではありません。").arg(folderPath);
    // Whether a file may be made or replaced there is the writer's to say, with the
    // reason the system gives (a read-only mount, a folder or a file not to be written).
    return {};
}

} // namespace tovarin
