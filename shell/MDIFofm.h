#pragma once
// The main window: a multiple-document frame holding the document windows, with
// the File and Help menus, the toolbar and the one-panel status bar. It owns the
// program's calculation document and the input windows, and keeps the save, print
// and editor-write commands in step with whether a result is on screen.

#include "CalcSheet.h"
#include "InputWindows.h"
#include "Platform.h"
#include "SheetHost.h"

#include <QMainWindow>
#include <QString>

#include <memory>

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace tovarin {

class MDIFofm : public QMainWindow, public SheetHost {
    Q_OBJECT
public:
    explicit MDIFofm(Platform& platform, QWidget* parent = nullptr);
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

    InputWindows& inputWindows() { return *inputWindows_; }
    QString statusMessage() const;
    // Toolbar button by its position 1..6 (4 is the separator).
    QAction* toolbarButton(int position) const;

    // Document commands.
    void FileNew();
    void FileClose();
    // Report commands.
    void Kakikomi();
    void startEditor();
    // Exit question of the File menu; Yes ends the program.
    void FileEnd();
    // The About box, modal.
    void showAbout();

    // The availability rule applied to the five result commands of the File menu
    // and to toolbar buttons 3, 5 and 6.
    void applyAvailability();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createMenus();
    void createToolbar();
    void createStatusBar();
    void sizeToClientArea();
    void centreOnScreen();

    // Buttons 3, 5, 6 from the rule: 5 and 6 with a result, 3 also needs a file name.
    void applyToolbarRule();
    void setResultMenuItems(bool available);
    void setResultToolbarButtons(bool available);
    bool resultExists() const;
    bool overwriteAvailable() const;
    bool askBeforeEnding(const QString& text, const QString& title, MsgAnswer preselected);
    void endProgram();

    Platform& platform_;
    CalcSheet calcSheet_;
    std::unique_ptr<InputWindows> inputWindows_;
    bool endConfirmed_ = false;
    bool placedOnScreen_ = false;

    QMdiArea* mdiArea_ = nullptr;
    QLabel* msg_ = nullptr;
    QToolBar* toolbar1_ = nullptr;

    QMenu* menF_ = nullptr;
    QAction* menFNew_ = nullptr;
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
