#include "shell/MDIFofm.h"

#include "documents/NetworkDocument.h"
#include "documents/RainwaterDocument.h"
#include "documents/SewageDocument.h"
#include "platform/qt/EditorStart.h"
#include "platform/qt/Twips.h"
#include "platform/qt/UserFolders.h"
#include "report/Form7.h"
#include "report/Kakikomi.h"
#include "sheettext/ReportFile.h"
#include "shell/BuiltInIcons.h"
#include "shell/Form10.h"
#include "shell/ShellResources.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QStatusBar>
#include <QToolBar>

namespace tovarin {

namespace {

const QString windowTitleName = QStringLiteral("Tovarin");
const QString startUpMessage = QStringLiteral(
    "メニューバーのファイル又はツールバーより、新規作成又は開くを選択してください。");

// The client area of the main window, in twips.
constexpr int clientWidthTwips = 10980;
constexpr int clientHeightTwips = 7710;
constexpr int toolbarHeightTwips = 420;

// The multiple-document area asks for the client size the main window is laid
// out around; the user may still resize the window afterwards.
class MdiClientArea : public QMdiArea {
public:
    MdiClientArea(QSize clientSize, QWidget* parent) : QMdiArea(parent), clientSize_(clientSize) {}
    QSize sizeHint() const override { return clientSize_; }

private:
    QSize clientSize_;
};

// The area's background is the button colour from which the style draws its scroll
// bars too, groove and handle alike: a bar would be grey on grey. The bars draw
// their groove in the base colour (white on a light desktop) and their handle in a
// mid shade with a dark outline, from the desktop's palette; without arrow buttons,
// which a style sheet could only draw blank.
void showScrollBarsAgainstTheArea(QMdiArea& area) {
    const QString look = QStringLiteral(
        "QScrollBar { background: palette(base); border: 1px solid palette(mid); margin: 0; }"
        "QScrollBar:vertical { width: 16px; }"
        "QScrollBar:horizontal { height: 16px; }"
        "QScrollBar::handle { background: palette(mid); border: 1px solid palette(dark);"
        " border-radius: 3px; margin: 1px; }"
        "QScrollBar::handle:vertical { min-height: 24px; }"
        "QScrollBar::handle:horizontal { min-width: 24px; }"
        "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; }"
        "QScrollBar::add-page, QScrollBar::sub-page { background: none; }");
    area.horizontalScrollBar()->setStyleSheet(look);
    area.verticalScrollBar()->setStyleSheet(look);
}

QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void addMenuSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

} // namespace

MDIFofm::MDIFofm(Platform& platform, OnScreen onScreen, QWidget* parent)
    : QMainWindow(parent), platform_(platform), onScreen_(onScreen) {
    initShellResources();
    setObjectName(QStringLiteral("MDIFofm"));
    setWindowTitle(windowTitleName);
    setWindowIcon(programIcon());
    // The toolbar and status bar are not the user's to hide through a context menu.
    setContextMenuPolicy(Qt::NoContextMenu);

    mdiArea_ = new MdiClientArea(twipsSize(clientWidthTwips, clientHeightTwips), this);
    mdiArea_->setObjectName(QStringLiteral("MDIClient"));
    mdiArea_->setBackground(palette().color(QPalette::Button));
    // A main window made smaller than its windows scrolls them into sight.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    showScrollBarsAgainstTheArea(*mdiArea_);
    setCentralWidget(mdiArea_);

    createMenus();
    createToolbar();
    createStatusBar();
    documents_ = std::make_unique<DocumentKinds>(*this);
    documentCommands_ = std::make_unique<DocumentCommands>(*this);

    sizeToClientArea();
    enterStartUpState();
}

void MDIFofm::enterStartUpState() {
    setStatusMessage(startUpMessage);
    setResultToolbarButtons(false);
}

SewageWindows& MDIFofm::sewageWindows() {
    return documents_->get<SewageDocument>().windows();
}

RainwaterWindows& MDIFofm::rainwaterWindows() {
    return documents_->get<RainwaterDocument>().windows();
}

void MDIFofm::startAfresh() {
    documents_->startAfresh();
    calcSheet_ = CalcSheet{};
    currentFileName.clear();
    enterStartUpState();
}

MDIFofm::~MDIFofm() {
    // Hiding the area on the way out activates no child any more: the menu bar is
    // no longer to follow it.
    disconnect(mdiArea_, &QMdiArea::subWindowActivated, this, &MDIFofm::showMenusOf);
    // The document windows call back into this window while they close; close
    // them while it is still whole.
    documents_->closeAll();
    documents_.reset();
}

void MDIFofm::createMenus() {
    menF_ = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    menF_->setObjectName(QStringLiteral("Men_F"));
    menFNew_ = addMenuItem(menF_, "Men_FNew", QStringLiteral("新規作成(&N)"));
    menFRNew_ = addMenuItem(menF_, "Men_FRNew", QStringLiteral("雨水の新規作成(&U)"));
    menFRNetNew_ = addMenuItem(menF_, "Men_FRNetNew", QStringLiteral("雨水系統の新規作成(&R)"));
    menFSNetNew_ = addMenuItem(menF_, "Men_FSNetNew", QStringLiteral("汚水系統の新規作成(&G)"));
    menFOpn_ = addMenuItem(menF_, "Men_FOpn", QStringLiteral("開く(&O)"));
    menFCls_ = addMenuItem(menF_, "Men_FCls", QStringLiteral("閉じる(&C)"));
    addMenuSeparator(menF_, "Men_FL1");
    menFOvw_ = addMenuItem(menF_, "Men_FOvw", QStringLiteral("上書き保存(&S)"));
    menFSav_ = addMenuItem(menF_, "Men_FSav", QStringLiteral("名前をつけて保存(&A)"));
    addMenuSeparator(menF_, "Men_FL2");
    menFImg_ = addMenuItem(menF_, "Men_FImg", QStringLiteral("印刷ｲﾒｰｼﾞ(&I)"));
    menFPrn_ = addMenuItem(menF_, "Men_FPrn", QStringLiteral("印刷(&P)"));
    addMenuSeparator(menF_, "Men_FL3");
    QMenu* menFEdi = menF_->addMenu(QStringLiteral("ｴﾃﾞｨﾀ(&E)"));
    menFEdi->setObjectName(QStringLiteral("Men_FEdi"));
    menFEdi->menuAction()->setObjectName(QStringLiteral("Men_FEdi"));
    menFEWri_ = addMenuItem(menFEdi, "Men_FEWri", QStringLiteral("書き込み(&W)"));
    menFEOpn_ = addMenuItem(menFEdi, "Men_FEOpn", QStringLiteral("起動(&O)"));
    addMenuSeparator(menF_, "Men_FL4");
    menFEnd_ = addMenuItem(menF_, "Men_FEnd", QStringLiteral("終了(&X)"));

    QMenu* menH = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    menH->setObjectName(QStringLiteral("Men_H"));
    menHVer_ = addMenuItem(menH, "Men_HVer", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"));

    connect(menF_, &QMenu::aboutToShow, this, &MDIFofm::applyAvailability);
    connect(menFNew_, &QAction::triggered, this, &MDIFofm::FileNew);
    connect(menFRNew_, &QAction::triggered, this, &MDIFofm::FileNewRainwater);
    connect(menFRNetNew_, &QAction::triggered, this,
            [this] { FileNewNetwork(NetworkKind::Rainwater); });
    connect(menFSNetNew_, &QAction::triggered, this,
            [this] { FileNewNetwork(NetworkKind::Sewage); });
    connect(menFCls_, &QAction::triggered, this, &MDIFofm::FileClose);
    connect(menFOpn_, &QAction::triggered, this, &MDIFofm::FileOpen);
    connect(menFOvw_, &QAction::triggered, this, &MDIFofm::FileUpdate);
    connect(menFSav_, &QAction::triggered, this, &MDIFofm::FileSaveAs);
    connect(menFEWri_, &QAction::triggered, this, &MDIFofm::Kakikomi);
    connect(menFEOpn_, &QAction::triggered, this, &MDIFofm::startEditor);
    connect(menFImg_, &QAction::triggered, this, &MDIFofm::FileImage);
    connect(menFPrn_, &QAction::triggered, this, &MDIFofm::FilePrint);
    mainMenus_ = menuBar()->actions();
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &MDIFofm::showMenusOf);
    connect(menFEnd_, &QAction::triggered, this, &MDIFofm::FileEnd);
    connect(menHVer_, &QAction::triggered, this, &MDIFofm::showAbout);
}

void MDIFofm::createToolbar() {
    toolbar1_ = addToolBar(QStringLiteral("Toolbar1"));
    toolbar1_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar1_->setMovable(false);
    toolbar1_->setFloatable(false);
    toolbar1_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbar1_->setIconSize(QSize(16, 16));
    toolbar1_->setFixedHeight(twipsY(toolbarHeightTwips));

    auto addButton = [this](int position, const char* image, const QString& shortName) {
        QAction* button = toolbar1_->addAction(toolbarIcon(image), shortName);
        button->setObjectName(QStringLiteral("Toolbar1_%1").arg(position));
        button->setToolTip(QStringLiteral("[ファイル]-[%1]").arg(shortName));
        return button;
    };
    buttonNew_ = addButton(1, "new", QStringLiteral("新規作成"));
    buttonOpen_ = addButton(2, "open", QStringLiteral("開く"));
    buttonOverwrite_ = addButton(3, "save", QStringLiteral("上書き保存"));
    toolbar1_->addSeparator()->setObjectName(QStringLiteral("Toolbar1_4"));
    buttonImage_ = addButton(5, "image", QStringLiteral("印刷ｲﾒｰｼﾞ"));
    buttonPrint_ = addButton(6, "print", QStringLiteral("印刷"));

    connect(buttonNew_, &QAction::triggered, this, &MDIFofm::FileNew);
    connect(buttonOpen_, &QAction::triggered, this, &MDIFofm::FileOpen);
    connect(buttonOverwrite_, &QAction::triggered, this, &MDIFofm::FileUpdate);
    connect(buttonImage_, &QAction::triggered, this, &MDIFofm::FileImage);
    connect(buttonPrint_, &QAction::triggered, this, &MDIFofm::FilePrint);
}

void MDIFofm::createStatusBar() {
    QStatusBar* sbr1 = statusBar();
    sbr1->setObjectName(QStringLiteral("sbr1"));
    msg_ = new QLabel(sbr1);
    msg_->setObjectName(QStringLiteral("msg"));
    // A permanent panel that fills the bar: hovering over menus never hides it.
    sbr1->addPermanentWidget(msg_, 1);
    // A passing notice (where 書き込み wrote the sheet) takes the bar for a few
    // seconds; the panel, with its verdict, comes back when it goes.
    connect(sbr1, &QStatusBar::messageChanged, this,
            [this](const QString& passing) { msg_->setVisible(passing.isEmpty()); });
}

void MDIFofm::sizeToClientArea() {
    ensurePolished();
    resize(sizeHint());
}

void MDIFofm::centreOnScreen() {
    QScreen* target = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!target)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(target->availableGeometry().center());
    move(frame.topLeft());
}

void MDIFofm::showEvent(QShowEvent* event) {
    // The window frame is known once the window is shown.
    if (!placedOnScreen_ && !event->spontaneous()) {
        placedOnScreen_ = true;
        centreOnScreen();
    }
    QMainWindow::showEvent(event);
}

void MDIFofm::setStatusMessage(const QString& text) {
    statusBar()->clearMessage();
    msg_->setText(text);
}

QString MDIFofm::passingMessage() const {
    return statusBar()->currentMessage();
}

QString MDIFofm::statusMessage() const {
    return msg_->text();
}

QAction* MDIFofm::toolbarButton(int position) const {
    const QList<QAction*> buttons = toolbar1_->actions();
    if (position < 1 || position > buttons.size())
        return nullptr;
    return buttons.at(position - 1);
}

void MDIFofm::resultChanged() {
    applyToolbarRule();
}

bool MDIFofm::resultExists() const {
    return documents_ && documents_->printableSheet();
}

const PrintableSheet* MDIFofm::reportSheet() const {
    return documents_ ? documents_->reportSheet() : nullptr;
}

bool MDIFofm::saveAvailable() const {
    if (resultExists())
        return true;
    const SheetDocument* open = documents_ ? documents_->current() : nullptr;
    return open && open->savableWithoutResult();
}

bool MDIFofm::overwriteAvailable() const {
    return saveAvailable() && !currentFileName.isEmpty();
}

void MDIFofm::applyToolbarRule() {
    buttonOverwrite_->setEnabled(overwriteAvailable());
    buttonImage_->setEnabled(resultExists());
    buttonPrint_->setEnabled(resultExists());
}

void MDIFofm::applyAvailability() {
    const bool result = resultExists();
    menFOvw_->setEnabled(overwriteAvailable());
    menFSav_->setEnabled(saveAvailable());
    menFImg_->setEnabled(result);
    menFPrn_->setEnabled(result);
    menFEWri_->setEnabled(result);
    applyToolbarRule();
}

void MDIFofm::setResultMenuItems(bool available) {
    for (QAction* item : {menFOvw_, menFSav_, menFImg_, menFPrn_, menFEWri_})
        item->setEnabled(available);
}

void MDIFofm::setResultToolbarButtons(bool available) {
    for (QAction* button : {buttonOverwrite_, buttonImage_, buttonPrint_})
        button->setEnabled(available);
}

void MDIFofm::FileNew() {
    newDocument(DocumentKind::Sewage);
}

void MDIFofm::FileNewRainwater() {
    newDocument(DocumentKind::Rainwater);
}

void MDIFofm::FileNewNetwork(NetworkKind kind) {
    documents_->get<NetworkDocument>().chooseNewKind(kind);
    newDocument(DocumentKind::Network);
}

void MDIFofm::newDocument(DocumentKind kind) {
    if (!documentCommands_->mayReplaceOpenDocument(QStringLiteral("新規作成して")))
        return;
    SheetDocument& document = documents_->ofKind(kind);
    documents_->closeAllBut(document);
    document.newDocument();
    currentFileName.clear();
    setResultMenuItems(false);
    setResultToolbarButtons(false);
    // A document saved half done may be saved from the start.
    menFSav_->setEnabled(saveAvailable());
    showToolbarAndStatusBar();
}

void MDIFofm::FileClose() {
    if (ask(platform_, this, QStringLiteral("作成中のデータが失われます。閉じてもよろしいですか？"),
            QStringLiteral("確認"), MsgButtons::OkCancel, MsgAnswer::Cancel,
            MsgIcon::Question) != MsgAnswer::Ok)
        return;

    documents_->closeAll();
    setStatusMessage(QString());
    setResultMenuItems(false);
    setResultToolbarButtons(false);
}

void MDIFofm::FileOpen() {
    documentCommands_->FileOpen();
}

void MDIFofm::FileUpdate() {
    documentCommands_->FileUpdate();
}

void MDIFofm::FileSaveAs() {
    documentCommands_->saveAs();
}

void MDIFofm::setOverwriteButton(bool enabled) {
    buttonOverwrite_->setEnabled(enabled);
}

void MDIFofm::showToolbarAndStatusBar() {
    toolbar1_->setVisible(true);
    statusBar()->setVisible(true);
}

void MDIFofm::Kakikomi() {
    const PrintableSheet* sheet = reportSheet();
    if (!sheet || !tovarin::Kakikomi(platform_, this, *sheet))
        return;
    // Where the writing went: the working directory on Linux, Documents on Windows.
    const QString written = QDir::toNativeSeparators(
        QFileInfo(reportFilePath(QString::fromLatin1(reportFileName))).absoluteFilePath());
    statusBar()->showMessage(QStringLiteral("計算書を「%1」に書き込みました。").arg(written),
                             writtenNoticeMilliseconds);
}

void MDIFofm::startEditor() {
    tovarin::startEditor(platform_, this, reportFilePath(QString::fromLatin1(reportFileName)));
}

void MDIFofm::FileImage() {
    tovarin::FileImage(*this);
}

void MDIFofm::FilePrint() {
    if (const PrintableSheet* sheet = reportSheet())
        sheet->print(platform_, this);
}

void MDIFofm::setToolbarVisible(bool visible) {
    toolbar1_->setVisible(visible);
}

void MDIFofm::showMenusOf(QMdiSubWindow* active) {
    // The one menu bar changes which menus it shows; the menus themselves stay.
    const auto* image = active ? qobject_cast<Form7*>(active->widget()) : nullptr;
    const QList<QAction*> wanted = image ? image->menuBarActions() : mainMenus_;
    if (menuBar()->actions() == wanted)
        return;
    for (QAction* item : menuBar()->actions())
        menuBar()->removeAction(item);
    menuBar()->addActions(wanted);
}

bool MDIFofm::askBeforeEnding(const QString& text, const QString& title, MsgAnswer preselected) {
    return ask(platform_, this, text, title, MsgButtons::YesNo, preselected) == MsgAnswer::Yes;
}

void MDIFofm::FileEnd() {
    if (askBeforeEnding(QStringLiteral("終了してもよろしいですか？"), QStringLiteral("確認"),
                        MsgAnswer::No))
        endProgram();
}

void MDIFofm::closeEvent(QCloseEvent* event) {
    if (!endConfirmed_ && !askBeforeEnding(QStringLiteral("終了してもよろしいですか?"),
                                           windowTitleName, MsgAnswer::Yes)) {
        event->ignore();
        return;
    }
    endConfirmed_ = true;
    event->accept();
    emit ending();
}

void MDIFofm::endProgram() {
    // Closing the last window ends the application; the flag keeps the closing
    // from asking a second time.
    endConfirmed_ = true;
    close();
}

void MDIFofm::showAbout() {
    Form10 about(this);
    about.exec();
}

} // namespace tovarin
