#include "SheetTestKit.h"

#include "Form1.h"
#include "Form3.h"

#include <QApplication>
#include <QDialog>
#include <QFont>
#include <QMdiArea>
#include <QPushButton>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace tovarin::testing {

TestHost::TestHost() {
    window.resize(800, 560);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    area = new QMdiArea(&window);
    layout->addWidget(area);
}

TestHost::~TestHost() = default;

bool TestHost::showAndActivate() {
    window.show();
    window.activateWindow();
    return waitUntilActive(&window);
}

bool waitUntilActive(QWidget* window) {
    return QTest::qWaitForWindowActive(window) &&
           QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

void registerFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
}

namespace {

void waitForModal(std::function<void(QDialog*)> action, int attemptsLeft) {
    QTimer::singleShot(20, [action, attemptsLeft] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (attemptsLeft > 0) waitForModal(action, attemptsLeft - 1);
            return;
        }
        QPointer<QDialog> guard(dialog);
        action(dialog);
        if (guard && guard->isVisible()) guard->reject();
    });
}

} // namespace

void onNextModalDialog(std::function<void(QDialog*)> action) { waitForModal(std::move(action), 100); }

void throughPlannedSewageDialog(Form1* sheet, std::function<void(Form3*)> action) {
    onNextModalDialog([action](QDialog* dialog) {
        auto* form = qobject_cast<Form3*>(dialog);
        QVERIFY(form);
        action(form);
    });
    sheet->cmd1()->click();
}

NewDocument::NewDocument() {
    host.showAndActivate();
    windows = std::make_unique<InputWindows>(host);
    windows->newDocument();
}

} // namespace tovarin::testing
