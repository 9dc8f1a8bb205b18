#include "tests/sheets/SheetTestKit.h"

#include "sheets/Form1.h"
#include "sheets/Form3.h"

#include <QApplication>
#include <QDialog>
#include <QFont>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QTest>
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

void registerFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
}

void throughPlannedSewageDialog(Form1* sheet, std::function<void(Form3*)> action) {
    const bool answered = answerModalDialog([sheet] { sheet->cmd1()->click(); },
                                            [action](QDialog* dialog) {
                                                auto* form = qobject_cast<Form3*>(dialog);
                                                QVERIFY(form);
                                                action(form);
                                            });
    QVERIFY(answered);
}

NewDocument::NewDocument() {
    if (!host.showAndActivate())
        QTest::qFail("the test window did not become active", __FILE__, __LINE__);
    windows = std::make_unique<SewageWindows>(host);
    windows->newDocument();
}

} // namespace tovarin::testing
