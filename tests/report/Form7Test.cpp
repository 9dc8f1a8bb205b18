// The print image window Form7: page and scroll bars, scrolling, drawing at each
// activation, the alert colour on the page, and its menu.

#include "report/Form7.h"
#include "tests/support/PrintTestSupport.h"

#include <QAction>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrinterInfo>
#include <QScrollBar>
#include <QtTest>

#include <memory>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

int px(int twips) {
    return qRound(twips * 96 / 1440.0);
}

QMdiSubWindow* frameOf(Form7* window) {
    return qobject_cast<QMdiSubWindow*>(window->parentWidget());
}

// Index of the first line that contains the text, or -1.
int lineIndexOf(const QStringList& lines, const QString& text) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(text))
            return static_cast<int>(i);
    }
    return -1;
}

// The ink of one drawn line of the page.
Ink inkOfLine(const PageSurface& page, int line) {
    const double ratio = page.image().devicePixelRatio();
    return inkInRows(page.image(), static_cast<int>((line * page.lineHeight() + 1) * ratio),
                     static_cast<int>((line + 1) * page.lineHeight() * ratio));
}

} // namespace

class Form7Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { substituteMincho(); }

    void init() {
        platform = std::make_unique<ScriptedPlatform>();
        host = std::make_unique<TestPrintHost>(*platform);
        host->sheet = failingResidentialSheet();
    }

    void cleanup() {
        host.reset();
        platform.reset();
    }

    void pageAndScrollBarsOnA4() {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("a printer is configured; its paper is not necessarily A4");
        Form7* window = FileImage(*host);

        QCOMPARE(window->pageTwips(), QSize(11906, 16838));
        QCOMPARE(window->page().size(), QSize(px(11906), px(16838)));
        QCOMPARE(window->vScroll1()->minimum(), 0);
        QCOMPARE(window->vScroll1()->maximum(), 10133);
        QCOMPARE(window->vScroll1()->pageStep(), 5066);
        QCOMPARE(window->vScroll1()->singleStep(), 2533);
        QCOMPARE(window->hScroll1()->maximum(), 1241);
        QCOMPARE(window->hScroll1()->pageStep(), 620);
        QCOMPARE(window->hScroll1()->singleStep(), 310);
        QCOMPARE(window->vScroll1()->value(), 0);
        QCOMPARE(window->hScroll1()->value(), 0);

        QCOMPARE(window->picture1()->geometry(), QRect(0, 0, px(10665), px(6705)));
        QCOMPARE(window->picture1()->palette().color(QPalette::Window), QColor(192, 192, 192));
        QCOMPARE(window->picture2()->pos(), QPoint(px(30), 0));
        QCOMPARE(frameOf(window)->pos(), QPoint(0, 0));
        QCOMPARE(frameOf(window)->windowTitle(), QStringLiteral("印刷イメージ"));
    }

    // At 200 % the page has twice the pixels in each direction, laid out as at 100 %:
    // the glyphs are drawn as sharp as the menus around them.
    void pageIsDrawnAtTheScreensPixelRatio() {
        Form7* window = FileImage(*host);
        const PageSurface& page = window->page();
        const double ratio = window->devicePixelRatioF();
        QCOMPARE(page.image().devicePixelRatio(), ratio);
        QCOMPARE(page.image().size(), page.size() * ratio);
        QCOMPARE(window->picture2()->size(), page.size());
        // The lines keep their logical places: the title's ink is in its own line.
        const Ink title = inkOfLine(
            page, lineIndexOf(drawnSheetLines(host->sheet), QStringLiteral("流量計算書")));
        QVERIFY(title.black > 20 * ratio * ratio);
    }

    void scrollingMovesThePageWithoutRedrawing() {
        Form7* window = FileImage(*host);
        QWidget* viewport = window->picture1();
        QWidget* page = window->picture2();
        QCOMPARE(window->pageDrawings(), 1);

        window->vScroll1()->setValue(window->vScroll1()->maximum());
        QCOMPARE(page->y(), -px(window->vScroll1()->maximum()));
        // The bottom of the page at the bottom of the viewport, to the pixel.
        QVERIFY(std::abs(page->geometry().bottom() - viewport->rect().bottom()) <= 1);

        window->hScroll1()->setValue(window->hScroll1()->maximum());
        QCOMPARE(page->x(), -px(window->hScroll1()->maximum()));
        QVERIFY(std::abs(page->geometry().right() - viewport->rect().right()) <= 1);

        window->hScroll1()->setValue(0);
        QCOMPARE(page->x(), 0); // the designed 30 twips are gone after a change
        QCOMPARE(window->pageDrawings(), 1);
    }

    void keysAndTheWheelMoveTheBarsByTheirSteps() {
        Form7* window = FileImage(*host);
        QScrollBar* v = window->vScroll1();
        QScrollBar* h = window->hScroll1();
        QTest::keyClick(window, Qt::Key_PageDown);
        QCOMPARE(v->value(), v->pageStep());
        QTest::keyClick(window, Qt::Key_Up);
        QCOMPARE(v->value(), v->pageStep() - v->singleStep());
        QTest::keyClick(window, Qt::Key_End);
        QCOMPARE(v->value(), v->maximum());
        QCOMPARE(window->picture2()->y(), -px(v->maximum()));
        QTest::keyClick(window, Qt::Key_PageUp);
        QCOMPARE(v->value(), v->maximum() - v->pageStep());
        QTest::keyClick(window, Qt::Key_Home);
        QCOMPARE(v->value(), 0);
        QTest::keyClick(window, Qt::Key_Right);
        QCOMPARE(h->value(), h->singleStep());
        QTest::keyClick(window, Qt::Key_Left);
        QCOMPARE(h->value(), 0);

        // One notch down over the page scrolls down, one notch sideways scrolls across.
        const auto wheel = [window](QPoint delta) {
            QWidget* page = window->picture2();
            QWheelEvent event(QPointF(20, 20), page->mapToGlobal(QPointF(20, 20)), QPoint(), delta,
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(page, &event);
        };
        wheel(QPoint(0, -120));
        QVERIFY(v->value() > 0);
        QCOMPARE(h->value(), 0);
        wheel(QPoint(0, 120));
        QCOMPARE(v->value(), 0);
        wheel(QPoint(-120, 0));
        QVERIFY(h->value() > 0);
        QCOMPARE(window->pageDrawings(), 1);
    }

    void eachActivationDrawsTheSheetOnceOnAClearedPage() {
        Form7* window = FileImage(*host);
        const int sheetLines = static_cast<int>(drawnSheetLines(host->sheet).size());
        QCOMPARE(window->pageDrawings(), 1);
        QCOMPARE(window->page().linesWritten(), sheetLines);
        QCOMPARE(platform->beeps, 2); // the NG verdict and the NG margin
        const QImage first = window->page().image();

        QMdiSubWindow* other = host->area.addSubWindow(new QLabel(QStringLiteral("other")));
        other->show();
        host->area.setActiveSubWindow(other);
        QCOMPARE(window->pageDrawings(), 1);
        host->area.setActiveSubWindow(frameOf(window));

        QCOMPARE(window->pageDrawings(), 2);
        QCOMPARE(window->page().linesWritten(), sheetLines);
        QCOMPARE(window->page().image(), first);
    }

    void ngVerdictIsMagentaAndTheRuleBelowIsBlack() {
        Form7* window = FileImage(*host);
        const QStringList lines = drawnSheetLines(host->sheet);
        const int verdict =
            lineIndexOf(lines, QStringLiteral("×Q1=0.0096m3/sec  >  Q2=0.0083m3/sec    ∴ NG"));
        QVERIFY(verdict > 0);
        QVERIFY(lines[verdict + 1].contains(QStringLiteral("―――")));

        const Ink ng = inkOfLine(window->page(), verdict);
        const Ink rule = inkOfLine(window->page(), verdict + 1);
        const Ink before = inkOfLine(window->page(), verdict - 2);
        QVERIFY(ng.magenta > 20);
        QCOMPARE(ng.black, 0);
        QVERIFY(rule.black > 20);
        QCOMPARE(rule.magenta, 0);
        QVERIFY(before.black > 20);
        QCOMPARE(before.magenta, 0);
    }

    void openingAgainShowsTheSameWindow() {
        Form7* window = FileImage(*host);
        frameOf(window)->move(40, 30);
        host->toolbarVisible = true;

        QCOMPARE(FileImage(*host), window);
        QCOMPARE(host->area.subWindowList().size(), 1);
        QCOMPARE(frameOf(window)->pos(), QPoint(0, 0));
        QVERIFY(!host->toolbarVisible);
    }

    void editorCommandsAreTheMainWindows() {
        QMenu* editor = FileImage(*host)->menuBarActions()[1]->menu();
        QVERIFY(editor);
        const QList<QAction*> items = editor->actions();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items[0]->text(), QStringLiteral("書き込み(&W)"));
        QCOMPARE(items[1]->text(), QStringLiteral("起動(&O)"));

        items[0]->trigger();
        QCOMPARE(host->kakikomiCalls, 1);
        QCOMPARE(host->editorStarts, 0);
        items[1]->trigger();
        QCOMPARE(host->editorStarts, 1);
    }

private:
    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestPrintHost> host;
};

QTEST_MAIN(Form7Test)
#include "Form7Test.moc"
