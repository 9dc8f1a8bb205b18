#include "app/ProgramAids.h"

#include "aids/AidsRows.h"
#include "documents/DocumentCommands.h"
#include "documents/DocumentFile.h"
#include "sheets/SewageWindows.h"
#include "shell/MDIFofm.h"

#include <QFileInfo>
#include <QPointer>
#include <QTabWidget>

namespace tovarin {

namespace {

// Keeps the latest message on one line and answers it with its default button;
// asks nothing else.
class QuietPlatform : public Platform {
public:
    QString lastMessage;

    MsgAnswer message(QWidget*, const MessageRequest& request) override {
        lastMessage = request.text;
        lastMessage.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return request.defaultButton;
    }
    QString openFileName(QWidget*, const FileDialogRequest&) override { return {}; }
    QString saveFileName(QWidget*, const FileDialogRequest&) override { return {}; }
    bool printSetup(QWidget*, QPrinter&) override { return false; }
    void beep() override {}
    bool startProgram(const QString&, const QStringList&) override { return false; }
};

class MainWindowReader : public AidsDocumentReader {
public:
    AidsDocument read(const QString& file) override {
        // The table's columns are the sewage sheet's: a document of another kind
        // keeps its row with the reason, and is not opened at all.
        if (documentKindOfFile(file) != DocumentKind::Sewage)
            return {refusedResultsRow(file, otherKindMessage()), std::nullopt};
        MDIFofm& window = this->window();
        startNextDocument(window);
        quiet_.lastMessage.clear();
        if (window.documentCommands().openDocument(file) != OpenOutcome::Restored) {
            if (quiet_.lastMessage.isEmpty())
                quiet_.lastMessage = noResultMessage();
            return {refusedResultsRow(file, quiet_.lastMessage), std::nullopt};
        }
        const CalcSheet& sheet = window.calcSheet();
        SewageWindows& inputs = window.sewageWindows();
        const Form11* panel = inputs.form11();
        if (!panel)
            return {refusedResultsRow(file, otherKindMessage()), std::nullopt};
        return {resultsTableRow(file, sheet, *panel),
                AidsDocument::Result{sheet, inputs.computeInput()}};
    }

    void finish() override {
        if (window_)
            startNextDocument(*window_);
    }

private:
    static QString otherKindMessage() {
        return QStringLiteral("汚水の計算書データ（.tvr）ではないため、一覧表には加えられません"
                              "（雨水の .tvu は tovarin-sheet --csv で一覧にできます）。");
    }

    static void startNextDocument(MDIFofm& window) {
        forgetPostedEvents();
        window.startAfresh();
    }

    MDIFofm& window() {
        if (!window_)
            window_ = std::make_unique<MDIFofm>(quiet_, OnScreen::Never);
        return *window_;
    }

    QuietPlatform quiet_;
    std::unique_ptr<MDIFofm> window_;
};

} // namespace

std::unique_ptr<AidsDocumentReader> mainWindowReader() {
    return std::make_unique<MainWindowReader>();
}

void openDesignAidsOfInputs(MDIFofm& window) {
    // One window for the program's main window: not its child, so that nothing of
    // the designed windows changes when it opens; it goes when the main window ends.
    static QPointer<AidsWindow> aids;
    const bool fresh = !aids;
    if (fresh) {
        aids = new AidsWindow(window.platform(), mainWindowReader());
        aids->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(&window, &QObject::destroyed, aids.data(), &QObject::deleteLater);
        // Ending the program (終了, Alt+F4, the main window's ✕) closes it as well.
        QObject::connect(&window, &MDIFofm::ending, aids.data(), &QWidget::close);
    }
    const QString caption =
        window.currentFileName.isEmpty()
            ? QStringLiteral("画面の入力")
            : QStringLiteral("画面の入力（%1）").arg(QFileInfo(window.currentFileName).fileName());
    if (!aids->showInputs(caption, window.calcSheet(), window.sewageWindows().computeInput())) {
        if (fresh)
            delete aids.data();
        return;
    }
    aids->pages()->setCurrentIndex(0);
    aids->show();
    aids->raise();
    aids->activateWindow();
}

} // namespace tovarin
