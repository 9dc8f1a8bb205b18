#pragma once
// Form7, the print image window: the calculation sheet on a white page of the
// printer's paper size, inside a grey viewport with two scroll bars, and a menu bar
// of its own (print, editor, close) that the main window shows while it is active.

#include "report/DrawingSurface.h"
#include "report/PrintHost.h"

#include <QList>
#include <QSize>
#include <QWidget>

#include <memory>

class QAction;
class QMenu;
class QMdiSubWindow;
class QScrollBar;

namespace tovarin {

class Form7 : public QWidget {
    Q_OBJECT
public:
    // Designed client area and controls, in twips.
    static constexpr int clientWidthTwips = 10920;
    static constexpr int clientHeightTwips = 6975;
    static constexpr int viewportWidthTwips = 10665;
    static constexpr int viewportHeightTwips = 6705;
    static constexpr int scrollBarThicknessTwips = 255;
    static constexpr int hScrollTopTwips = 6720;
    static constexpr int vScrollLeftTwips = 10680;
    static constexpr int pageLeftTwips = 30;

    // Loads the window: the page takes the printer's paper size.
    explicit Form7(PrintHost& host, QWidget* parent = nullptr);

    // The designed client area.
    QSize sizeHint() const override;

    // The items of the window's menu bar: "印刷(&P)", "ｴﾃﾞｨﾀ(&E)", "閉じる(&C)".
    QList<QAction*> menuBarActions() const;

    QWidget* picture1() const { return picture1_; }
    QWidget* picture2() const { return picture2_; }
    QScrollBar* hScroll1() const { return hScroll1_; }
    QScrollBar* vScroll1() const { return vScroll1_; }

    // The page size in twips, the page surface with its image, and how often the
    // sheet has been drawn onto it.
    QSize pageTwips() const { return pageTwips_; }
    const PageSurface& page() const { return *page_; }
    int pageDrawings() const { return pageDrawings_; }

    // Every activation: the page becomes the drawing surface, is cleared and gets
    // the whole sheet (group 3 only for residential land use).
    void drawPage();
    // "閉じる(&C)": closes the window with its frame.
    void closeWindow();

protected:
    // However the window closes, the main window's toolbar comes back.
    void closeEvent(QCloseEvent* event) override;
    // PageUp/PageDown, the arrow keys and Home/End move the scroll bars.
    void keyPressEvent(QKeyEvent* event) override;
    // The mouse wheel over the viewport moves them too.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A larger window (maximized) shows more of the page.
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void createMenus();
    void setUpScrollBar(QScrollBar* bar, int pageTwips, int viewportTwips);
    void updateScrollBar(QScrollBar* bar, int pageTwips, int viewportTwips);
    void layOutView();
    void scrolledHorizontally(int value);
    void scrolledVertically(int value);
    void printSheet();

    PrintHost& host_;
    QSize pageTwips_;
    std::unique_ptr<PageSurface> page_;
    int pageDrawings_ = 0;

    QWidget* picture1_ = nullptr;
    QWidget* picture2_ = nullptr;
    QScrollBar* hScroll1_ = nullptr;
    QScrollBar* vScroll1_ = nullptr;

    QAction* menFPrn_ = nullptr;
    QMenu* menFEdi_ = nullptr;
    QAction* menFEWri_ = nullptr;
    QAction* menFEOpn_ = nullptr;
    QAction* menFCls_ = nullptr;
};

// The paper size of the default printer in twips; A4 portrait when no printer is
// configured.
QSize printerPageTwips();

// The open print image window, or null.
Form7* findForm7(QMdiArea* area);

// FileImage ("印刷ｲﾒｰｼﾞ(&I)"): hides the main window's toolbar and shows the print
// image window at the top left of the area, creating it when it is not open; its
// activation draws the sheet.
Form7* FileImage(PrintHost& host);

} // namespace tovarin
