// Screenshots of every window, for checking that a change leaves the windows exactly
// as they were: run the program before and after on the same documents and compare
// the images byte for byte.
//
//   window-shots OUTPUT_FOLDER FILE.tvr…
//
// Writes OUTPUT_FOLDER/start-main.png (no document), start-about.png, and for each
// document (numbered in order) the main window, every document window, the results
// panel, the planned-sewage dialog and the print image window, each grabbed with
// QWidget::grab() on the offscreen platform.

#include "platform/qt/Platform.h"
#include "sheets/Form3.h"
#include "sheets/SewageWindows.h"
#include "shell/Form10.h"
#include "shell/JapaneseEnvironment.h"
#include "shell/MDIFofm.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <cstdio>

namespace {

using namespace tovarin;

// Answers every question with its default button; nothing blocks.
class DefaultAnswers : public Platform {
public:
    MsgAnswer message(QWidget*, const MessageRequest& request) override {
        return request.defaultButton;
    }
    QString openFileName(QWidget*, const FileDialogRequest&) override { return {}; }
    QString saveFileName(QWidget*, const FileDialogRequest&) override { return {}; }
    bool printSetup(QWidget*, QPrinter&) override { return false; }
    void beep() override {}
    bool startProgram(const QString&, const QStringList&) override { return false; }
};

bool save(QWidget* widget, const QDir& folder, const QString& name) {
    QApplication::processEvents();
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool shootDocumentWindows(MDIFofm& window, const QDir& folder, const QString& prefix) {
    bool ok = save(&window, folder, prefix + QStringLiteral("main"));
    const QList<QMdiSubWindow*> subWindows = window.mdiArea()->subWindowList();
    for (QMdiSubWindow* sub : subWindows) {
        const QString name = sub->widget() ? sub->widget()->objectName() : QStringLiteral("sub");
        ok = save(sub, folder, prefix + name) && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpJapaneseEnvironment(app);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2) {
        std::fputs("usage: window-shots OUTPUT_FOLDER FILE.tvr...\n", stderr);
        return 2;
    }
    const QDir folder(arguments[1]);
    if (!QDir().mkpath(folder.path()))
        return 1;

    DefaultAnswers platform;
    MDIFofm window(platform);
    window.show();
    bool ok = save(&window, folder, QStringLiteral("start-main"));
    {
        Form10 about(&window);
        about.show();
        ok = save(&about, folder, QStringLiteral("start-about")) && ok;
    }

    for (qsizetype i = 2; i < arguments.size(); ++i) {
        const QString prefix = QStringLiteral("%1-").arg(i - 1, 4, 10, QLatin1Char('0'));
        if (window.documentCommands().openDocument(arguments[i]) != OpenOutcome::Restored) {
            std::fprintf(stderr, "%s: not restored\n", qPrintable(arguments[i]));
            ok = save(&window, folder, prefix + QStringLiteral("refused")) && ok;
            continue;
        }
        ok = shootDocumentWindows(window, folder, prefix) && ok;
        Form3* dialog = window.sewageWindows().form3();
        dialog->show();
        ok = save(dialog, folder, prefix + QStringLiteral("Form3")) && ok;
        dialog->hide();
        window.FileImage();
        ok = shootDocumentWindows(window, folder, prefix + QStringLiteral("image-")) && ok;
    }
    return ok ? 0 : 1;
}
