#include "report/Form7.h"

#include "platform/qt/JapaneseFonts.h"
#include "platform/qt/Twips.h"
#include "report/FilePrint.h"
#include "report/PageScroll.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPageLayout>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace tovarin {

namespace {

// The page widget: shows the image the sheet was drawn into. Moving or covering it
// only repaints that image; the sheet itself is drawn at activation.
class PageView : public QWidget {
public:
    PageView(const PageSurface& page, QWidget* parent) : QWidget(parent), page_(page) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, page_.image());
    }

private:
    const PageSurface& page_;
};

// The page's font: "ＭＳ 明朝" 11.25 pt, normal weight.
QFont pageFont() {
    QFont font(minchoFamily());
    font.setPointSizeF(11.25);
    font.setWeight(QFont::Normal);
    return font;
}

int pixelsInTwips(int pixels, bool horizontal) {
    return static_cast<int>(std::lround(pixels * 1440.0 / twips_detail::logicalDpi(horizontal)));
}

QAction* addMenuItem(QWidget* owner, const char* name, const QString& caption) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

QSize printerPageTwips() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    QSizeF millimetres(210, 297); // A4 portrait
    if (!info.isNull()) {
        const QPrinter printer(info);
        millimetres = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    }
    return {millimetresToTwips(millimetres.width()), millimetresToTwips(millimetres.height())};
}

Form7::Form7(PrintHost& host, QWidget* parent) : QWidget(parent), host_(host) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("印刷イメージ"));
    QFont font(minchoFamily());
    font.setPointSizeF(9);
    setFont(font);
    resize(twipsSize(clientWidthTwips, clientHeightTwips));

    // Form_Load: one unit on the page is one unit on the printed page.
    pageTwips_ = printerPageTwips();
    const QSize pagePixels = twipsSize(pageTwips_.width(), pageTwips_.height());
    page_ = std::make_unique<PageSurface>(host_.platform(), pageFont(), pagePixels, logicalDpiY(),
                                          devicePixelRatioF());
    createControls();
    createMenus();
    // The keys move the scroll bars, so the window takes the focus when activated.
    setFocusPolicy(Qt::StrongFocus);
}

QSize Form7::sizeHint() const {
    return twipsSize(clientWidthTwips, clientHeightTwips);
}

void Form7::createControls() {
    picture1_ = new QWidget(this);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setGeometry(twipsRect(0, 0, viewportWidthTwips, viewportHeightTwips));
    QPalette grey = picture1_->palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    picture1_->setPalette(grey);
    picture1_->setAutoFillBackground(true);

    picture2_ = new PageView(*page_, picture1_);
    picture2_->setObjectName(QStringLiteral("Picture2"));
    picture2_->setGeometry(twipsX(pageLeftTwips), 0, page_->size().width(), page_->size().height());

    hScroll1_ = new QScrollBar(Qt::Horizontal, this);
    hScroll1_->setObjectName(QStringLiteral("HScroll1"));
    hScroll1_->setGeometry(
        twipsRect(0, hScrollTopTwips, viewportWidthTwips, scrollBarThicknessTwips));
    setUpScrollBar(hScroll1_, pageTwips_.width(), viewportWidthTwips);
    connect(hScroll1_, &QScrollBar::valueChanged, this, &Form7::scrolledHorizontally);

    vScroll1_ = new QScrollBar(Qt::Vertical, this);
    vScroll1_->setObjectName(QStringLiteral("VScroll1"));
    vScroll1_->setGeometry(
        twipsRect(vScrollLeftTwips, 0, scrollBarThicknessTwips, viewportHeightTwips));
    setUpScrollBar(vScroll1_, pageTwips_.height(), viewportHeightTwips);
    connect(vScroll1_, &QScrollBar::valueChanged, this, &Form7::scrolledVertically);

    // The mouse wheel over the page or the grey around it turns the bars.
    picture1_->installEventFilter(this);
    picture2_->installEventFilter(this);
}

bool Form7::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && (watched == picture1_ || watched == picture2_)) {
        const QPoint delta = static_cast<QWheelEvent*>(event)->angleDelta();
        QScrollBar* bar = std::abs(delta.x()) > std::abs(delta.y()) ? hScroll1_ : vScroll1_;
        QCoreApplication::sendEvent(bar, event);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form7::keyPressEvent(QKeyEvent* event) {
    // The keys take the bars' own steps: arrows the small step, PageUp/PageDown the
    // large one, Home/End to the top and the bottom of the page.
    const auto act = [event](QScrollBar* bar, QAbstractSlider::SliderAction action) {
        bar->triggerAction(action);
        event->accept();
    };
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
        return act(vScroll1_, QAbstractSlider::SliderSingleStepSub);
    case Qt::Key_Down:
        return act(vScroll1_, QAbstractSlider::SliderSingleStepAdd);
    case Qt::Key_Left:
        return act(hScroll1_, QAbstractSlider::SliderSingleStepSub);
    case Qt::Key_Right:
        return act(hScroll1_, QAbstractSlider::SliderSingleStepAdd);
    case Qt::Key_PageUp:
        return act(vScroll1_, QAbstractSlider::SliderPageStepSub);
    case Qt::Key_PageDown:
        return act(vScroll1_, QAbstractSlider::SliderPageStepAdd);
    case Qt::Key_Home:
        return act(vScroll1_, QAbstractSlider::SliderToMinimum);
    case Qt::Key_End:
        return act(vScroll1_, QAbstractSlider::SliderToMaximum);
    default:
        QWidget::keyPressEvent(event);
    }
}

void Form7::setUpScrollBar(QScrollBar* bar, int pageTwips, int viewportTwips) {
    const ScrollFigures figures = scrollFigures(pageTwips, viewportTwips);
    bar->setRange(0, figures.maximum);
    bar->setPageStep(figures.largeStep);
    bar->setSingleStep(figures.smallStep);
    bar->setValue(0);
}

void Form7::createMenus() {
    menFPrn_ = addMenuItem(this, "Men_FPrn", QStringLiteral("印刷(&P)"));
    menFEdi_ = new QMenu(QStringLiteral("ｴﾃﾞｨﾀ(&E)"), this);
    menFEdi_->setObjectName(QStringLiteral("Men_FEdi"));
    menFEdi_->menuAction()->setObjectName(QStringLiteral("Men_FEdi"));
    menFEWri_ = addMenuItem(menFEdi_, "Men_FEWri", QStringLiteral("書き込み(&W)"));
    menFEOpn_ = addMenuItem(menFEdi_, "Men_FEOpn", QStringLiteral("起動(&O)"));
    menFEdi_->addAction(menFEWri_);
    menFEdi_->addAction(menFEOpn_);
    menFCls_ = addMenuItem(this, "Men_FCls", QStringLiteral("閉じる(&C)"));

    connect(menFPrn_, &QAction::triggered, this, &Form7::printSheet);
    connect(menFEWri_, &QAction::triggered, this, [this] { host_.Kakikomi(); });
    connect(menFEOpn_, &QAction::triggered, this, [this] { host_.startEditor(); });
    connect(menFCls_, &QAction::triggered, this, &Form7::closeWindow);
}

QList<QAction*> Form7::menuBarActions() const {
    return {menFPrn_, menFEdi_->menuAction(), menFCls_};
}

void Form7::drawPage() {
    if (page_->image().devicePixelRatio() != picture2_->devicePixelRatioF())
        page_->setDevicePixelRatio(picture2_->devicePixelRatioF());
    setDrawingSurface(page_.get());
    page_->clear();
    if (const PrintableSheet* sheet = host_.reportSheet())
        sheet->drawPage(*page_);
    page_->finish();
    ++pageDrawings_;
    // Every page the sheet took, one below the other.
    const QSize drawn = page_->drawnSize();
    if (picture2_->size() != drawn) {
        picture2_->resize(drawn);
        layOutView();
    }
    picture2_->update();
}

// The view grows with the window (maximized, it shows more of the page); at the
// designed size it is as designed.
void Form7::layOutView() {
    const int thickness = twipsX(scrollBarThicknessTwips);
    const QSize designed = twipsSize(viewportWidthTwips, viewportHeightTwips);
    const QSize view(std::max(designed.width(), width() - thickness - twipsX(15)),
                     std::max(designed.height(), height() - thickness - twipsY(15)));
    picture1_->resize(view);
    hScroll1_->setGeometry(0, std::max(twipsY(hScrollTopTwips), view.height() + twipsY(15)),
                           view.width(), thickness);
    vScroll1_->setGeometry(std::max(twipsX(vScrollLeftTwips), view.width() + twipsX(15)), 0,
                           thickness, view.height());
    const QSize drawn = picture2_->size();
    const int pageWidth = pageTwips_.width();
    const int pageHeight =
        pageTwips_.height() * drawn.height() / std::max(1, page_->size().height());
    const bool asDesigned = view == designed;
    updateScrollBar(hScroll1_, pageWidth,
                    asDesigned ? viewportWidthTwips : pixelsInTwips(view.width(), true));
    updateScrollBar(vScroll1_, pageHeight,
                    asDesigned ? viewportHeightTwips : pixelsInTwips(view.height(), false));
}

void Form7::updateScrollBar(QScrollBar* bar, int pageTwips, int viewportTwips) {
    const ScrollFigures figures = scrollFigures(pageTwips, viewportTwips);
    if (bar->maximum() == figures.maximum && bar->pageStep() == figures.largeStep)
        return;
    const int value = std::min(bar->value(), figures.maximum);
    setUpScrollBar(bar, pageTwips, viewportTwips);
    bar->setValue(value);
}

void Form7::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (picture1_)
        layOutView();
}

void Form7::scrolledHorizontally(int value) {
    picture2_->move(twipsX(-value), picture2_->y());
}

void Form7::scrolledVertically(int value) {
    picture2_->move(picture2_->x(), twipsY(-value));
}

void Form7::printSheet() {
    if (const PrintableSheet* sheet = host_.reportSheet())
        sheet->print(host_.platform(), host_.dialogParent());
}

void Form7::closeWindow() {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

void Form7::closeEvent(QCloseEvent* event) {
    host_.setToolbarVisible(true);
    event->accept();
}

Form7* findForm7(QMdiArea* area) {
    for (QMdiSubWindow* frame : area->subWindowList()) {
        if (auto* window = qobject_cast<Form7*>(frame->widget()))
            return window;
    }
    return nullptr;
}

Form7* FileImage(PrintHost& host) {
    host.setToolbarVisible(false);
    QMdiArea* area = host.mdiArea();
    Form7* window = findForm7(area);
    QMdiSubWindow* frame = nullptr;
    if (window) {
        frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    } else {
        // Where the focus was goes back to it when the print image closes: the area's
        // own choice would be the first field of the window it activates, its text
        // selected, where a stray key would replace the computed planned flow.
        // A field gets its caret back where it was, nothing selected: the next key
        // goes where the user left off.
        const QPointer<QWidget> focusBefore = QApplication::focusWidget();
        const auto* field = qobject_cast<QLineEdit*>(focusBefore.data());
        const int caret = field ? field->cursorPosition() : -1;
        window = new Form7(host);
        frame = area->addSubWindow(window);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(window, &QObject::destroyed, area, [focusBefore, caret] {
            if (!focusBefore || !focusBefore->isVisible())
                return;
            focusBefore->setFocus(Qt::OtherFocusReason);
            if (auto* edit = qobject_cast<QLineEdit*>(focusBefore.data()); edit && caret >= 0) {
                edit->deselect();
                edit->setCursorPosition(caret);
            }
        });
        frame->setWindowTitle(window->windowTitle());
        // Every activation draws the page anew.
        QObject::connect(area, &QMdiArea::subWindowActivated, window,
                         [window, frame](QMdiSubWindow* active) {
                             if (active == frame)
                                 window->drawPage();
                         });
        frame->adjustSize();
    }
    frame->move(0, 0);
    frame->show();
    area->setActiveSubWindow(frame);
    window->setFocus(Qt::OtherFocusReason);
    return window;
}

} // namespace tovarin
