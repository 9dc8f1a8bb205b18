#pragma once
// The main window: a multiple-document frame holding the document windows, with
// the File and Help menus, the toolbar and the one-panel status bar. It owns the
// program's calculation document and the input windows, and keeps the save, print
// and editor-write commands in step with whether a result is on screen.

#include "documents/DocumentCommands.h"
#include "engine/CalcSheet.h"
#include "engine/Network.h"
#include "platform/qt/Platform.h"
#include "report/PrintHost.h"
#include "sheets/SheetHost.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace tovarin {

class RainwaterWindows;
class SewageWindows;

class MDIFofm : public QMainWindow, public SheetHost, public DocumentHost, public PrintHost {
    Q_OBJECT
public:
    // A window for the screen, or (OnScreen::Never) one that is never shown, whose
    // document windows are kept unseen: the sheet tool's.
    explicit MDIFofm(Platform& platform, OnScreen onScreen = OnScreen::Yes,
                     QWidget* parent = nullptr);
    ~MDIFofm() override;

    // Full path of the current document file; empty when there is none.
    QString currentFileName;

    // SheetHost
    QMdiArea* mdiArea() override { return mdiArea_; }
    QWidget* dialogParent() override { return this; }
    Platform& platform() override { return platform_; }
    CalcSheet& calcSheet() override { return calcSheet_; }
    void setStatusMessage(const QString& text) override;
    void resultChanged() override;
    OnScreen onScreen() const override { return onScreen_; }
    void openDesignAids() override {
        if (designAidsOpener_)
            designAidsOpener_(*this);
    }
    // What the results panel's "設計補助…" does: the program sets it (the design aids
    // sit above this window); without it the menu entry does nothing.
    void setDesignAidsOpener(std::function<void(MDIFofm&)> opener) {
        designAidsOpener_ = std::move(opener);
    }

    // The windows of each kind of document (the sheet tool and the tests read them).
    SewageWindows& sewageWindows();
    RainwaterWindows& rainwaterWindows();
    QString statusMessage() const;
    // The passing notice shown over the message panel, empty when there is none.
    QString passingMessage() const;
    // How long the notice after 書き込み stays.
    static constexpr int writtenNoticeMilliseconds = 5000;
    // Toolbar button by its position 1..6 (4 is the separator).
    QAction* toolbarButton(int position) const;

    // Back to the state of a program just started, without building the window
    // anew: no document windows, an empty planned-sewage dialog, a fresh
    // calculation document, no file name, the start-up message and toolbar buttons.
    // The sheet tool starts each document from here.
    void startAfresh();

    // Document commands.
    void FileNew();
    // "雨水の新規作成(&U)": the rainwater windows for a new rainwater document.
    void FileNewRainwater();
    // "雨水系統の新規作成(&R)" and "汚水系統の新規作成(&G)": the network window for a new
    // network of that kind.
    void FileNewNetwork(NetworkKind kind);
    // A new document of a kind: the others close, its fresh windows open.
    void newDocument(DocumentKind kind);
    void FileClose();
    // Open, Overwrite save and Save As (documents/DocumentCommands).
    void FileOpen();
    void FileUpdate();
    void FileSaveAs();
    DocumentCommands& documentCommands() { return *documentCommands_; }

    // DocumentHost
    DocumentKinds& documents() override { return *documents_; }
    QString documentFileName() const override { return currentFileName; }
    void setDocumentFileName(const QString& path) override { currentFileName = path; }
    void setOverwriteButton(bool enabled) override;
    void showToolbarAndStatusBar() override;
    // PrintHost
    const PrintableSheet* reportSheet() const override;
    // Report commands.
    void Kakikomi() override;
    void startEditor() override;
    void FileImage();
    void FilePrint();
    // PrintHost: the print image window hides the toolbar while it is open.
    void setToolbarVisible(bool visible) override;
    // Exit question of the File menu; Yes ends the program.
    void FileEnd();
    // The About box, modal.
    void showAbout();

    // The availability rule applied to the five result commands of the File menu
    // and to toolbar buttons 3, 5 and 6.
    void applyAvailability() override;

signals:
    // The program is ending (the exit question was answered Yes, or the window was
    // closed without one): windows of the program beside this one close too.
    void ending();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::function<void(MDIFofm&)> designAidsOpener_;
    void createMenus();
    void createToolbar();
    void createStatusBar();
    void enterStartUpState();
    void sizeToClientArea();
    void centreOnScreen();

    // Buttons 3, 5, 6 from the rule: 5 and 6 with a result, 3 as Overwrite save (a
    // result, or a document saved as it stands, and a file name).
    void applyToolbarRule();
    void setResultMenuItems(bool available);
    void setResultToolbarButtons(bool available);
    bool resultExists() const;
    // Save As: with a result, or for a document saved as it stands.
    bool saveAvailable() const;
    bool overwriteAvailable() const;
    // The main menus, or the print image window's own while it is the active child.
    void showMenusOf(QMdiSubWindow* active);
    bool askBeforeEnding(const QString& text, const QString& title, MsgAnswer preselected);
    void endProgram();

    Platform& platform_;
    const OnScreen onScreen_;
    CalcSheet calcSheet_;
    std::unique_ptr<DocumentKinds> documents_;
    std::unique_ptr<DocumentCommands> documentCommands_;
    bool endConfirmed_ = false;
    bool placedOnScreen_ = false;

    QMdiArea* mdiArea_ = nullptr;
    QLabel* msg_ = nullptr;
    QToolBar* toolbar1_ = nullptr;

    QList<QAction*> mainMenus_; // ﾌｧｲﾙ(&F) and ﾍﾙﾌﾟ(&H) of the menu bar
    QMenu* menF_ = nullptr;
    QAction* menFNew_ = nullptr;
    QAction* menFRNew_ = nullptr;
    QAction* menFRNetNew_ = nullptr;
    QAction* menFSNetNew_ = nullptr;
    QAction* menFOpn_ = nullptr;
    QAction* menFCls_ = nullptr;
    QAction* menFOvw_ = nullptr;
    QAction* menFSav_ = nullptr;
    QAction* menFImg_ = nullptr;
    QAction* menFPrn_ = nullptr;
    QAction* menFEWri_ = nullptr;
    QAction* menFEOpn_ = nullptr;
    QAction* menFEnd_ = nullptr;
    QAction* menHVer_ = nullptr;

    QAction* buttonNew_ = nullptr;
    QAction* buttonOpen_ = nullptr;
    QAction* buttonOverwrite_ = nullptr;
    QAction* buttonImage_ = nullptr;
    QAction* buttonPrint_ = nullptr;
};

} // namespace tovarin
