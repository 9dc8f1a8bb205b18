// The print image window and printing in the main window: "印刷ｲﾒｰｼﾞ(&I)" and
// "印刷(&P)" with toolbar buttons 5 and 6, the toolbar hidden while the window is
// open, and the window's own menu bar in place of the main one while it is active.

#include "report/Form7.h"
#include "sheets/EntryField.h"
#include "sheets/Form1.h"
#include "sheets/SewageWindows.h"
#include "shell/JapaneseEnvironment.h"
#include "shell/MDIFofm.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/PrintTestSupport.h"

#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QtTest>

#include <memory>

using namespace tovarin;
using namespace tovarin::testing;

class PrintShellTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        setUpJapaneseEnvironment(*static_cast<QApplication*>(QCoreApplication::instance()));
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void init() {
        platform = std::make_unique<ScriptedPlatform>();
        window = std::make_unique<MDIFofm>(*platform);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(tovarin::testing::waitUntilActive(window.get()));
        // A result on screen makes the print commands available.
        window->calcSheet() = failingResidentialSheet();
        window->applyAvailability();
    }

    void cleanup() {
        window.reset();
        platform.reset();
    }

    void printImageOpensAndClosesAgain_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("closeByMenu");
        QTest::newRow("印刷ｲﾒｰｼﾞ(&I), 閉じる(&C)") << QStringLiteral("Men_FImg") << true;
        QTest::newRow("button 5, frame close box") << QStringLiteral("Toolbar1_5") << false;
    }

    void printImageOpensAndClosesAgain() {
        QFETCH(QString, command);
        QFETCH(bool, closeByMenu);
        const QStringList mainMenus{QStringLiteral("ﾌｧｲﾙ(&F)"), QStringLiteral("ﾍﾙﾌﾟ(&H)")};
        QCOMPARE(menuBarTexts(), mainMenus);

        window->findChild<QAction*>(command)->trigger();

        Form7* image = findForm7(window->mdiArea());
        QVERIFY(image);
        QCOMPARE(image->pageDrawings(), 1);
        QVERIFY(toolbar()->isHidden());
        QCOMPARE(menuBarTexts(),
                 (QStringList{QStringLiteral("印刷(&P)"), QStringLiteral("ｴﾃﾞｨﾀ(&E)"),
                              QStringLiteral("閉じる(&C)")}));

        if (closeByMenu)
            image->menuBarActions().last()->trigger();
        else
            qobject_cast<QMdiSubWindow*>(image->parentWidget())->close();

        QTRY_COMPARE(findForm7(window->mdiArea()), nullptr);
        QVERIFY(!toolbar()->isHidden());
        QCOMPARE(menuBarTexts(), mainMenus);
    }

    void menuBarFollowsTheActiveChild() {
        window->FileNew();
        window->calcSheet() = failingResidentialSheet();
        window->FileImage();
        Form7* image = findForm7(window->mdiArea());
        QMdiSubWindow* imageFrame = qobject_cast<QMdiSubWindow*>(image->parentWidget());
        QMdiSubWindow* sheetFrame =
            qobject_cast<QMdiSubWindow*>(window->sewageWindows().form1()->parentWidget());
        QCOMPARE(window->mdiArea()->activeSubWindow(), imageFrame);

        window->mdiArea()->setActiveSubWindow(sheetFrame);
        QCOMPARE(menuBarTexts().first(), QStringLiteral("ﾌｧｲﾙ(&F)"));

        window->mdiArea()->setActiveSubWindow(imageFrame);
        QCOMPARE(menuBarTexts().first(), QStringLiteral("印刷(&P)"));
        QCOMPARE(image->pageDrawings(), 2); // drawn again at its activation
    }

    void focusReturnsWhereItWas_data() { printImageOpensAndClosesAgain_data(); }

    // After the print image closes, the focus is back where it was, never in the
    // planned flow's field with its text selected (a stray key would replace it).
    void focusReturnsWhereItWas() {
        QFETCH(QString, command);
        QFETCH(bool, closeByMenu);
        window->FileNew();
        window->calcSheet() = failingResidentialSheet();
        window->applyAvailability();
        Form1* sheet = window->sewageWindows().form1();
        QWidget* field = sheet->lst_s();
        field->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), field);

        window->findChild<QAction*>(command)->trigger();
        Form7* image = findForm7(window->mdiArea());
        QVERIFY(image);
        QTRY_COMPARE(QApplication::focusWidget(), image);
        QPointer<QWidget> frameSeen = image->parentWidget();
        if (closeByMenu)
            image->menuBarActions().last()->trigger();
        else
            qobject_cast<QMdiSubWindow*>(image->parentWidget())->close();
        QTRY_COMPARE(findForm7(window->mdiArea()), nullptr);
        QTRY_VERIFY(!frameSeen);
        QTRY_COMPARE(QApplication::focusWidget(), field);
        QVERIFY(!sheet->txt3()->hasSelectedText());
    }

    void printFromMenuButtonAndPrintImage() {
        // Residential land use: each print command asks first; Cancel ends it.
        for (int i = 0; i < 3; ++i)
            platform->answers.enqueue(MsgAnswer::Cancel);

        window->findChild<QAction*>(QStringLiteral("Men_FPrn"))->trigger();
        window->toolbarButton(6)->trigger();
        window->FileImage();
        findForm7(window->mdiArea())->menuBarActions().first()->trigger();

        QCOMPARE(platform->messages.size(), 3);
        for (const MessageRequest& question : platform->messages)
            QCOMPARE(question.text, QStringLiteral("最大計画人口を印刷しますか？"));
        QCOMPARE(platform->printSetups, 0);
    }

private:
    QToolBar* toolbar() const { return window->findChild<QToolBar*>(QStringLiteral("Toolbar1")); }

    QStringList menuBarTexts() const {
        QStringList texts;
        for (const QAction* item : window->menuBar()->actions())
            texts.append(item->text());
        return texts;
    }

    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<MDIFofm> window;
};

QTEST_MAIN(PrintShellTest)
#include "PrintShellTest.moc"
