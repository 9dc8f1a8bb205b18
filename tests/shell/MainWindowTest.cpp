// The main window: start-up state, menus and toolbar, the availability rule, New,
// Close, the two exit questions, the About box and the editor commands.

#include "platform/qt/UserFolders.h"
#include "sheets/Form1.h"
#include "sheets/Form11.h"
#include "sheets/Form2.h"
#include "sheets/SewageWindows.h"
#include "shell/Form10.h"
#include "shell/JapaneseEnvironment.h"
#include "shell/MDIFofm.h"
#include "tests/shell/ModalAnswer.h"
#include "tests/support/ScriptedPlatform.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

using namespace tovarin;
using tovarin::testing::answerModal;
using tovarin::testing::ScriptedPlatform;

namespace {

const QString startUpMessage = QStringLiteral(
    "メニューバーのファイル又はツールバーより、新規作成又は開くを選択してください。");
const QString kNewMessage = QStringLiteral("計画人口（Ｐ）、最大汚水量（ｑ）、地下水混入率 及び "
                                           "計画汚水量の割増しは、各地域の開発指導要綱等による事｡");

// The five File menu items that need a result.
const QStringList kResultItems = {QStringLiteral("Men_FOvw"), QStringLiteral("Men_FSav"),
                                  QStringLiteral("Men_FImg"), QStringLiteral("Men_FPrn"),
                                  QStringLiteral("Men_FEWri")};

bool sameQuestion(const MessageRequest& asked, const QString& text, const QString& title,
                  MsgButtons buttons, MsgAnswer preselected, MsgIcon icon) {
    return asked.text == text && asked.title == title && asked.buttons == buttons &&
           asked.defaultButton == preselected && asked.icon == icon;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startUpState();
    void clientAreaSizeAndPlace();
    void menuCaptionsAndOrder();
    void toolbarButtons();

    void exitFromMenu();
    void closingTheWindowAsksItsOwnQuestion();
    void aboutBoxFromHelpMenu();

    void newFromToolbarOpensTheDocument();
    void closeAsksAndClosesTheDocument();

    void availabilityFollowsTheResult();
    void resultAppearingWithAFileNameEnablesOverwriteButton();
    void editorCommands();
    void smallMainWindowScrollsToItsWindows();

private:
    QAction* action(const char* name) const {
        return window->findChild<QAction*>(QLatin1String(name));
    }
    QToolBar* toolbar() const { return window->findChild<QToolBar*>(QStringLiteral("Toolbar1")); }
    // Opens and closes the File menu, which recomputes availability.
    void openFileMenu() {
        auto* menu = window->findChild<QMenu*>(QStringLiteral("Men_F"));
        menu->popup(window->mapToGlobal(QPoint(0, 0)));
        menu->hide();
    }
    bool buttonEnabled(int position) const { return window->toolbarButton(position)->isEnabled(); }
    bool resultButtonsOff() const {
        return !buttonEnabled(3) && !buttonEnabled(5) && !buttonEnabled(6);
    }
    bool resultItemsOff() const {
        for (const QString& name : kResultItems)
            if (action(qPrintable(name))->isEnabled())
                return false;
        return true;
    }
    // New, then a planned flow of 0.001 m3/sec typed directly and a VP pipe at
    // 10 per mille, computed with the pipe window's "計算".
    void computeAResult() {
        window->FileNew();
        Form1* sheet = window->sewageWindows().form1();
        QTest::mouseClick(sheet->txt3(), Qt::LeftButton);
        QTest::keyClicks(sheet->txt3(), QStringLiteral("0.001"));
        Form2* pipe = window->sewageWindows().form2();
        QTest::mouseClick(pipe->txt1(), Qt::LeftButton);
        QTest::keyClicks(pipe->txt1(), QStringLiteral("10"));
        QTest::mouseClick(pipe->cmd1(), Qt::LeftButton);
    }

    ScriptedPlatform* platform = nullptr;
    MDIFofm* window = nullptr;
};

void MainWindowTest::initTestCase() {
    setUpJapaneseEnvironment(*static_cast<QApplication*>(QCoreApplication::instance()));
    // The main window closes in several tests; the test program must go on.
    QApplication::setQuitOnLastWindowClosed(false);
}

void MainWindowTest::init() {
    platform = new ScriptedPlatform;
    window = new MDIFofm(*platform);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(tovarin::testing::waitUntilActive(window));
}

void MainWindowTest::cleanup() {
    delete window;
    delete platform;
}

void MainWindowTest::startUpState() {
    QCOMPARE(window->windowTitle(), QStringLiteral("Tovarin"));
    auto* msg = window->statusBar()->findChild<QLabel*>(QStringLiteral("msg"));
    QVERIFY(msg && msg->isVisible());
    QCOMPARE(msg->text(), startUpMessage);
    QVERIFY(buttonEnabled(1) && buttonEnabled(2));
    QVERIFY(resultButtonsOff());
    QVERIFY(window->mdiArea()->subWindowList().isEmpty());

    // The File menu greys the result commands; the editor start stays available.
    openFileMenu();
    QVERIFY(resultItemsOff());
    for (const char* name :
         {"Men_FNew", "Men_FOpn", "Men_FCls", "Men_FEOpn", "Men_FEnd", "Men_HVer"})
        QVERIFY2(action(name)->isEnabled(), name);
    QVERIFY(resultButtonsOff());
    QVERIFY(platform->messages.isEmpty());
}

void MainWindowTest::clientAreaSizeAndPlace() {
    QCOMPARE(window->logicalDpiY(), 96);
    // 10980 × 7710 twips at 15 twips per pixel; the bars come on top of it.
    QCOMPARE(window->mdiArea()->size(), QSize(732, 514));
    QCOMPARE(toolbar()->height(), 28); // 420 twips
    QVERIFY(toolbar()->geometry().bottom() < window->mdiArea()->geometry().top());
    QVERIFY(window->statusBar()->geometry().top() > window->mdiArea()->geometry().bottom());

    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    QVERIFY(qAbs(window->frameGeometry().center().x() - screenCentre.x()) <= 1);
    QVERIFY(qAbs(window->frameGeometry().center().y() - screenCentre.y()) <= 1);
}

void MainWindowTest::menuCaptionsAndOrder() {
    auto captions = [](const QList<QAction*>& actions) {
        QStringList texts;
        for (QAction* item : actions) {
            texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
            if (!item->shortcut().isEmpty())
                texts << QStringLiteral("SHORTCUT!");
        }
        return texts;
    };
    QCOMPARE(captions(window->menuBar()->actions()),
             QStringList({QStringLiteral("ﾌｧｲﾙ(&F)"), QStringLiteral("ﾍﾙﾌﾟ(&H)")}));
    QCOMPARE(
        captions(window->findChild<QMenu*>(QStringLiteral("Men_F"))->actions()),
        QStringList({QStringLiteral("新規作成(&N)"), QStringLiteral("雨水の新規作成(&U)"),
                     QStringLiteral("雨水系統の新規作成(&R)"),
                     QStringLiteral("汚水系統の新規作成(&G)"), QStringLiteral("開く(&O)"),
                     QStringLiteral("閉じる(&C)"), QStringLiteral("-"),
                     QStringLiteral("上書き保存(&S)"), QStringLiteral("名前をつけて保存(&A)"),
                     QStringLiteral("-"), QStringLiteral("印刷ｲﾒｰｼﾞ(&I)"),
                     QStringLiteral("印刷(&P)"), QStringLiteral("-"), QStringLiteral("ｴﾃﾞｨﾀ(&E)"),
                     QStringLiteral("-"), QStringLiteral("終了(&X)")}));
    QCOMPARE(captions(window->findChild<QMenu*>(QStringLiteral("Men_FEdi"))->actions()),
             QStringList({QStringLiteral("書き込み(&W)"), QStringLiteral("起動(&O)")}));
    QCOMPARE(captions(window->findChild<QMenu*>(QStringLiteral("Men_H"))->actions()),
             QStringList({QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)")}));
}

void MainWindowTest::toolbarButtons() {
    QVERIFY(!toolbar()->isMovable());
    QCOMPARE(toolbar()->toolButtonStyle(), Qt::ToolButtonIconOnly);
    QCOMPARE(toolbar()->actions().size(), 6);
    QVERIFY(window->toolbarButton(4)->isSeparator());
    const QStringList tips = {
        QStringLiteral("[ファイル]-[新規作成]"),   QStringLiteral("[ファイル]-[開く]"),
        QStringLiteral("[ファイル]-[上書き保存]"), QString(),
        QStringLiteral("[ファイル]-[印刷ｲﾒｰｼﾞ]"),  QStringLiteral("[ファイル]-[印刷]")};
    for (int position : {1, 2, 3, 5, 6}) {
        QAction* button = window->toolbarButton(position);
        QCOMPARE(button->toolTip(), tips.at(position - 1));
        QVERIFY(!button->icon().pixmap(16, 16).isNull());
    }
}

void MainWindowTest::exitFromMenu() {
    window->FileNew();
    window->currentFileName = QStringLiteral("/tmp/a.tvr");

    platform->answers.enqueue(MsgAnswer::No);
    action("Men_FEnd")->trigger();
    QCOMPARE(platform->messages.size(), 1);
    QVERIFY(sameQuestion(platform->messages.first(), QStringLiteral("終了してもよろしいですか？"),
                         QStringLiteral("確認"), MsgButtons::YesNo, MsgAnswer::No, MsgIcon::None));
    QVERIFY(window->isVisible());
    QVERIFY(window->sewageWindows().form1());
    QCOMPARE(window->statusMessage(), kNewMessage);
    QCOMPARE(window->currentFileName, QStringLiteral("/tmp/a.tvr"));

    // Yes ends at once: the closing of the window does not ask again.
    platform->answers.enqueue(MsgAnswer::Yes);
    action("Men_FEnd")->trigger();
    QVERIFY(!window->isVisible());
    QCOMPARE(platform->messages.size(), 2);
}

void MainWindowTest::closingTheWindowAsksItsOwnQuestion() {
    platform->answers.enqueue(MsgAnswer::No);
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    QCOMPARE(window->statusMessage(), startUpMessage);
    QCOMPARE(platform->messages.size(), 1);
    QVERIFY(sameQuestion(platform->messages.first(), QStringLiteral("終了してもよろしいですか?"),
                         QStringLiteral("Tovarin"), MsgButtons::YesNo, MsgAnswer::Yes,
                         MsgIcon::None));

    platform->answers.enqueue(MsgAnswer::Yes);
    QVERIFY(window->close());
    QVERIFY(!window->isVisible());
}

void MainWindowTest::aboutBoxFromHelpMenu() {
    QString title, label;
    QPoint centre;
    QVERIFY(answerModal<Form10>([&] { action("Men_HVer")->trigger(); },
                                [&](Form10* about) {
                                    title = about->windowTitle();
                                    label = about->Label1()->text();
                                    centre = about->frameGeometry().center();
                                    about->Command1()->click();
                                }));

    QCOMPARE(title, QStringLiteral("バージョン情報"));
    QCOMPARE(label, QStringLiteral("Tovarin Version 1.35"));
    QVERIFY(!QApplication::activeModalWidget()); // "ＯＫ" closed it
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    QVERIFY((centre - screenCentre).manhattanLength() <= 2);
}

void MainWindowTest::newFromToolbarOpensTheDocument() {
    window->currentFileName = QStringLiteral("/tmp/old.tvr");
    toolbar()->hide();
    window->statusBar()->hide();

    window->toolbarButton(1)->trigger();

    QVERIFY(window->sewageWindows().form1());
    QVERIFY(window->sewageWindows().form2()); // VP is preselected
    QVERIFY(window->currentFileName.isEmpty());
    QCOMPARE(window->statusMessage(), kNewMessage);
    QVERIFY(toolbar()->isVisible());
    QVERIFY(window->statusBar()->isVisible());
    QVERIFY(resultItemsOff());
    QVERIFY(resultButtonsOff());
    QVERIFY(platform->messages.isEmpty()); // New never asks
}

void MainWindowTest::closeAsksAndClosesTheDocument() {
    window->FileNew();
    window->currentFileName = QStringLiteral("/tmp/kept.tvr");

    platform->answers.enqueue(MsgAnswer::Cancel);
    action("Men_FCls")->trigger();
    QCOMPARE(platform->messages.size(), 1);
    QVERIFY(sameQuestion(platform->messages.first(),
                         QStringLiteral("作成中のデータが失われます。閉じてもよろしいですか？"),
                         QStringLiteral("確認"), MsgButtons::OkCancel, MsgAnswer::Cancel,
                         MsgIcon::Question));
    QVERIFY(window->sewageWindows().form1());
    QVERIFY(window->sewageWindows().form2());
    QCOMPARE(window->statusMessage(), kNewMessage);

    platform->answers.enqueue(MsgAnswer::Ok);
    action("Men_FCls")->trigger();
    QVERIFY(window->mdiArea()->subWindowList().isEmpty());
    QVERIFY(window->statusMessage().isEmpty());
    QCOMPARE(window->currentFileName, QStringLiteral("/tmp/kept.tvr"));
    QVERIFY(toolbar()->isVisible());
    openFileMenu();
    QVERIFY(resultItemsOff());
    QVERIFY(resultButtonsOff());
}

void MainWindowTest::availabilityFollowsTheResult() {
    computeAResult();
    QVERIFY(platform->messages.isEmpty()); // no input check refused the request
    QVERIFY(window->calcSheet().capacity > 0);

    // A result without a file name: everything but Overwrite save.
    QVERIFY(!buttonEnabled(3));
    QVERIFY(buttonEnabled(5) && buttonEnabled(6));
    openFileMenu();
    QVERIFY(!action("Men_FOvw")->isEnabled());
    for (const char* name : {"Men_FSav", "Men_FImg", "Men_FPrn", "Men_FEWri"})
        QVERIFY2(action(name)->isEnabled(), name);

    // With a file name, opening the menu makes Overwrite save available in the
    // menu and on the toolbar.
    window->currentFileName = QStringLiteral("/tmp/doc.tvr");
    openFileMenu();
    QVERIFY(action("Men_FOvw")->isEnabled());
    QVERIFY(buttonEnabled(3));

    // A click into the gradient field closes the results: the buttons go off at
    // once, the menu items the next time the menu opens.
    QTest::mouseClick(window->sewageWindows().form2()->txt1(), Qt::LeftButton);
    QCOMPARE(window->calcSheet().capacity, 0.0);
    QVERIFY(resultButtonsOff());
    openFileMenu();
    QVERIFY(resultItemsOff());
}

void MainWindowTest::resultAppearingWithAFileNameEnablesOverwriteButton() {
    computeAResult();
    window->currentFileName = QStringLiteral("/tmp/doc.tvr");
    // The next compute request replaces the panel; the buttons follow the new result.
    QTest::mouseClick(window->sewageWindows().form2()->cmd1(), Qt::LeftButton);
    QVERIFY(buttonEnabled(3) && buttonEnabled(5) && buttonEnabled(6));

    // New empties the file name and takes everything away again.
    window->FileNew();
    QVERIFY(window->currentFileName.isEmpty());
    QVERIFY(resultButtonsOff());
}

void MainWindowTest::editorCommands() {
    const QString reportFile = reportFilePath(QStringLiteral("Tvrn.txt"));
    QFile::remove(reportFile);
    computeAResult();
    openFileMenu();
    action("Men_FEWri")->trigger();
    QFile report(reportFile);
    const qint64 once = report.size();
    QVERIFY(once > 0);
    action("Men_FEWri")->trigger(); // appends
    QCOMPARE(report.size(), 2 * once);
    QVERIFY(platform->messages.isEmpty());
    QFile::remove(reportFile);

    // Each write says where it went, for a while, over the panel that keeps its verdict.
    auto* panel = window->findChild<QLabel*>(QStringLiteral("msg"));
    const QString verdict = window->statusMessage();
    QVERIFY(!verdict.isEmpty());
    QCOMPARE(window->passingMessage(),
             QStringLiteral("計算書を「%1」に書き込みました。")
                 .arg(QDir::toNativeSeparators(QFileInfo(reportFile).absoluteFilePath())));
    QVERIFY(panel->isHidden());
    QCOMPARE(window->statusMessage(), verdict);
    window->statusBar()->clearMessage(); // as when its time is up
    QVERIFY(!panel->isHidden());
    QCOMPARE(panel->text(), verdict);
    // A later message of the windows replaces the notice at once.
    action("Men_FEWri")->trigger();
    QFile::remove(reportFile);
    window->setStatusMessage(QStringLiteral("next"));
    QVERIFY(window->passingMessage().isEmpty());
    QVERIFY(!panel->isHidden());

    // A failed write says so in its message box and claims nothing in the bar.
    QVERIFY(QDir().mkdir(reportFile));
    action("Men_FEWri")->trigger();
    QDir().rmdir(reportFile);
    QCOMPARE(platform->messages.size(), 1);
    QVERIFY(window->passingMessage().isEmpty());

    action("Men_FEOpn")->trigger();
    QVERIFY(!platform->startAttempts.isEmpty());
    QVERIFY(platform->startAttempts.first().endsWith(QLatin1Char(' ') + reportFile));
}

void MainWindowTest::smallMainWindowScrollsToItsWindows() {
    computeAResult();
    QMdiArea* area = window->mdiArea();
    // At the designed size every window fits: no bars.
    QVERIFY(!area->horizontalScrollBar()->isVisible());
    QVERIFY(!area->verticalScrollBar()->isVisible());

    window->resize(window->width() / 2, window->height() / 2);
    QTRY_VERIFY(area->verticalScrollBar()->isVisible());
    QVERIFY(area->horizontalScrollBar()->isVisible());
    // Scrolled to the end, "計算" and the far corner of the results panel are in sight.
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
    area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
    for (QWidget* widget : {static_cast<QWidget*>(window->sewageWindows().form11()),
                            static_cast<QWidget*>(window->sewageWindows().form2()->cmd1())}) {
        const QPoint corner = widget->rect().bottomRight();
        QTRY_VERIFY(area->viewport()->rect().contains(widget->mapTo(area->viewport(), corner)));
    }

    window->resize(window->sizeHint());
    QTRY_VERIFY(!area->verticalScrollBar()->isVisible());
    QVERIFY(!area->horizontalScrollBar()->isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
