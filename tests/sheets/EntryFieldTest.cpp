// The common entry-field behaviour: selection on click, focus and double-click,
// Enter swallowed and reported, the click reported before the selection, the input
// method by kind of field.

#include "sheets/EntryField.h"
#include "tests/sheets/SheetTestKit.h"

#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace tovarin;

class EntryFieldTest : public QObject {
    Q_OBJECT
private:
    QWidget window_;
    EntryField* field_ = nullptr;
    EntryField* other_ = nullptr;

private slots:
    void initTestCase() {
        auto* layout = new QVBoxLayout(&window_);
        field_ = new EntryField(EntryField::Input::Numeric, &window_);
        other_ = new EntryField(EntryField::Input::Japanese, &window_);
        layout->addWidget(field_);
        layout->addWidget(other_);
        window_.show();
        window_.activateWindow();
        QVERIFY(tovarin::testing::waitUntilActive(&window_));
    }

    void init() {
        other_->setFocus();
        field_->clear();
    }

    void clickSelectsTheWholeText() {
        field_->setText(QStringLiteral("0.0041"));
        QTest::mouseClick(field_, Qt::LeftButton, {}, QPoint(4, field_->height() / 2));
        QVERIFY(field_->hasFocus());
        QCOMPARE(field_->selectedText(), QStringLiteral("0.0041"));
        // A second click into the selected text keeps it selected.
        QTest::mouseClick(field_, Qt::LeftButton, {}, QPoint(10, field_->height() / 2));
        QCOMPARE(field_->selectedText(), QStringLiteral("0.0041"));
    }

    void arrivalOfTheFocusSelectsTheWholeText() {
        field_->setText(QStringLiteral("12.5"));
        field_->setFocus(Qt::TabFocusReason);
        QCOMPARE(field_->selectedText(), QStringLiteral("12.5"));
        other_->setFocus();
        field_->setFocus(Qt::OtherFocusReason);
        QCOMPARE(field_->selectedText(), QStringLiteral("12.5"));
    }

    void clickIsReportedBeforeTheSelection() {
        field_->setText(QStringLiteral("abc"));
        QString selectionWhenReported = QStringLiteral("not reported");
        auto connection = connect(field_, &EntryField::clicked, this,
                                  [&] { selectionWhenReported = field_->selectedText(); });
        QTest::mouseClick(field_, Qt::LeftButton, {}, QPoint(4, field_->height() / 2));
        disconnect(connection);
        // The press placed the caret; the selection follows the report.
        QCOMPARE(selectionWhenReported, QString());
        QCOMPARE(field_->selectedText(), QStringLiteral("abc"));
    }

    void doubleClickSelectsFromPositionTen() {
        field_->setText(QStringLiteral("123456789012")); // twelve characters
        QSignalSpy clicks(field_, &EntryField::clicked);
        QTest::mouseDClick(field_, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1); // a double-click counts as a click first
        QCOMPARE(field_->selectionStart(), 10);
        QCOMPARE(field_->selectedText(), QStringLiteral("12"));

        // A text of at most ten characters: the caret after its end, nothing selected.
        field_->setText(QStringLiteral("0.0041"));
        QTest::mouseDClick(field_, Qt::LeftButton);
        QVERIFY(!field_->hasSelectedText());
        QCOMPARE(field_->cursorPosition(), 6);

        field_->setText(QStringLiteral("1234567890")); // exactly ten
        QTest::mouseDClick(field_, Qt::LeftButton);
        QVERIFY(!field_->hasSelectedText());
        QCOMPARE(field_->cursorPosition(), 10);
    }

    void enterIsSwallowedAndReported() {
        field_->setFocus();
        field_->setText(QStringLiteral("5"));
        QSignalSpy enters(field_, &EntryField::enterPressed);
        QTest::keyClick(field_, Qt::Key_Return);
        QTest::keyClick(field_, Qt::Key_Enter);
        QCOMPARE(enters.count(), 2);
        QCOMPARE(field_->text(), QStringLiteral("5"));
        // Other characters are typed as usual, a comma included.
        field_->setCursorPosition(1);
        QTest::keyClicks(field_, QStringLiteral(",5"));
        QCOMPARE(field_->text(), QStringLiteral("5,5"));
    }

    // A name longer than its field is shown from its start once the focus leaves;
    // a figure keeps its caret, and returning from a popup keeps the name's.
    void nameIsShownFromItsStartAfterTheFocusLeaves() {
        const QString name =
            QStringLiteral("硬質塩化ビニル管（下水道用、リブ付き、呼び径二百五十）");
        other_->setText(name);
        other_->setFocus(Qt::TabFocusReason);
        QCOMPARE(other_->cursorPosition(), name.size());
        field_->setText(QStringLiteral("0.0041"));
        field_->setFocus(Qt::TabFocusReason);
        QCOMPARE(other_->cursorPosition(), 0);
        other_->setFocus(Qt::TabFocusReason);
        field_->setFocus(Qt::PopupFocusReason);
        QCOMPARE(other_->cursorPosition(), name.size());
        other_->setFocus(Qt::TabFocusReason);
        QCOMPARE(field_->cursorPosition(), 6);
    }

    void inputMethodFollowsTheKindOfField() {
        QVERIFY(!field_->testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(field_->inputMethodHints().testFlag(Qt::ImhPreferNumbers));
        QVERIFY(field_->inputMethodHints().testFlag(Qt::ImhLatinOnly));
        QVERIFY(other_->testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(!other_->inputMethodHints().testFlag(Qt::ImhLatinOnly));
    }
};

QTEST_MAIN(EntryFieldTest)
#include "EntryFieldTest.moc"
