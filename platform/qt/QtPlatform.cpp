#include "platform/qt/Platform.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTreeView>

namespace tovarin {

namespace {

QMessageBox::StandardButton toQt(MsgAnswer a) {
    switch (a) {
    case MsgAnswer::Ok:
        return QMessageBox::Ok;
    case MsgAnswer::Cancel:
        return QMessageBox::Cancel;
    case MsgAnswer::Yes:
        return QMessageBox::Yes;
    case MsgAnswer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons buttonsOf(MsgButtons b) {
    switch (b) {
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon iconOf(MsgIcon i) {
    switch (i) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

MsgAnswer fromQt(int button, MsgButtons set) {
    switch (button) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        break;
    }
    // Closed by Escape or the close box: the "no" side of the question.
    if (set == MsgButtons::YesNo)
        return MsgAnswer::No;
    if (set == MsgButtons::Ok)
        return MsgAnswer::Ok;
    return MsgAnswer::Cancel;
}

} // namespace

MsgAnswer QtPlatform::message(QWidget* parent, const MessageRequest& request) {
    QMessageBox box(iconOf(request.icon), request.title, request.text, buttonsOf(request.buttons),
                    parent);
    box.setDefaultButton(toQt(request.defaultButton));
    return fromQt(box.exec(), request.buttons);
}

namespace {

// The program's file dialogs: any name may be typed (Open reports a missing file
// itself), no default extension, no overwrite question of the dialog's own, and the
// filter shown by its description alone.
// The dialog's list in Japanese: Qt's file list writes sizes and dates in the
// system's locale (English where the desktop is) and names the types in words its
// translation lacks, so they are written here in the program's locale.
class JapaneseFileTypes : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override {
        if (info.isDir())
            return QStringLiteral("フォルダー");
        const QString suffix = info.suffix();
        return suffix.isEmpty() ? QStringLiteral("ファイル")
                                : QStringLiteral("%1 ファイル").arg(suffix.toUpper());
    }
};

class JapaneseFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid())
            return QIdentityProxyModel::data(index, role);
        const QFileInfo info = files->fileInfo(mapToSource(index));
        switch (index.column()) {
        case sizeColumn:
            return info.isDir() ? QString() : QLocale().formattedDataSize(info.size());
        case dateColumn:
            return QLocale().toString(info.lastModified(), QStringLiteral("yyyy/MM/dd HH:mm"));
        default:
            return QIdentityProxyModel::data(index, role);
        }
    }

    static constexpr int sizeColumn = 1;
    static constexpr int dateColumn = 3;
};

// The list's columns fit their texts; the name takes the width left.
void fitColumns(QFileDialog& dialog) {
    auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!list)
        return;
    QHeaderView* header = list->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}

QStringList chooseFileNames(QWidget* parent, const FileDialogRequest& request,
                            QFileDialog::AcceptMode mode, QFileDialog::FileMode files) {
    QStringList filters{request.filter};
    filters += request.moreFilters;
    // Declared first: the dialog's file list uses it until the dialog is gone.
    JapaneseFileTypes types;
    QFileDialog dialog(parent, request.title, request.directory,
                       filters.join(QStringLiteral(";;")));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(files);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setIconProvider(&types);
    dialog.setProxyModel(new JapaneseFileColumns(&dialog));
    dialog.setViewMode(QFileDialog::Detail);
    fitColumns(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString chooseFileName(QWidget* parent, const FileDialogRequest& request,
                       QFileDialog::AcceptMode mode) {
    const QStringList chosen = chooseFileNames(parent, request, mode, QFileDialog::AnyFile);
    return chosen.isEmpty() ? QString() : chosen.first();
}

} // namespace

QStringList Platform::openFileNames(QWidget* parent, const FileDialogRequest& request) {
    const QString name = openFileName(parent, request);
    return name.isEmpty() ? QStringList() : QStringList{name};
}

QStringList QtPlatform::openFileNames(QWidget* parent, const FileDialogRequest& request) {
    return chooseFileNames(parent, request, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles);
}

QString QtPlatform::openFileName(QWidget* parent, const FileDialogRequest& request) {
    return chooseFileName(parent, request, QFileDialog::AcceptOpen);
}

QString QtPlatform::saveFileName(QWidget* parent, const FileDialogRequest& request) {
    return chooseFileName(parent, request, QFileDialog::AcceptSave);
}

bool QtPlatform::printSetup(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtPlatform::beep() {
    QApplication::beep();
}

bool QtPlatform::startProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool Platform::startHandingOver(const QString& program, const QStringList& arguments,
                                std::function<void()>) {
    return startProgram(program, arguments);
}

// The program's output goes where the program's own goes, and it reads nothing. The
// process object is not owned by anything that ends with the program: a program still
// running then goes on as a detached one would, and no end is reported while
// the program itself ends.
bool QtPlatform::startHandingOver(const QString& program, const QStringList& arguments,
                                  std::function<void()> failed) {
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    process->start(program, arguments);
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed = std::move(failed)](int code, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || code != 0)
                             failed();
                         process->deleteLater();
                     });
    return true;
}

MsgAnswer ask(Platform& platform, QWidget* parent, const QString& text, const QString& title,
              MsgButtons buttons, MsgAnswer preselected, MsgIcon icon) {
    MessageRequest request;
    request.text = text;
    request.title = title;
    request.buttons = buttons;
    request.defaultButton = preselected;
    request.icon = icon;
    return platform.message(parent, request);
}

MsgAnswer showInputError(Platform& platform, QWidget* parent, const QString& text) {
    return ask(platform, parent, text, QStringLiteral("エラーメッセージ"), MsgButtons::Ok,
               MsgAnswer::Ok);
}

} // namespace tovarin
