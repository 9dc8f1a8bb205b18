#include "sheets/EntryField.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <limits>

namespace tovarin {

EntryField::EntryField(Input input, QWidget* parent) : QLineEdit(parent), input_(input) {
    // The fields have no length limit: QLineEdit would cut a longer text silently,
    // and a document's text must come back from Open to Save whole.
    setMaxLength(std::numeric_limits<int>::max());
    if (input == Input::Numeric) {
        // Digits must arrive half-width: no Japanese conversion in these fields.
        setAttribute(Qt::WA_InputMethodEnabled, false);
        setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhLatinOnly | Qt::ImhNoPredictiveText |
                            Qt::ImhNoAutoUppercase);
    } else {
        setAttribute(Qt::WA_InputMethodEnabled, true);
        setInputMethodHints(Qt::ImhNone);
    }
}

void EntryField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Returning from a context menu or re-activating the main window is not an
    // arrival of the focus: keep the caret where the user or a check left it.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    selectAll();
}

void EntryField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (input_ != Input::Japanese || event->reason() == Qt::PopupFocusReason ||
        event->reason() == Qt::ActiveWindowFocusReason)
        return;
    setCursorPosition(0);
}

void EntryField::mousePressEvent(QMouseEvent* event) {
    releaseEndsDoubleClick_ = false;
    QLineEdit::mousePressEvent(event);
}

void EntryField::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (releaseEndsDoubleClick_) {
        releaseEndsDoubleClick_ = false;
        return;
    }
    emit clicked();
    selectAll();
}

void EntryField::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QLineEdit::mouseDoubleClickEvent(event);
        return;
    }
    // A double-click counts as a click first, then leaves its own selection.
    releaseEndsDoubleClick_ = true;
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    emit clicked();
    selectFromDoubleClickStart();
}

void EntryField::selectFromDoubleClickStart() {
    const int length = static_cast<int>(text().size());
    const int start = std::min(doubleClickSelectionStart, length);
    if (start == length)
        setCursorPosition(length);
    else
        setSelection(start, length - start);
}

void EntryField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit enterPressed();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace tovarin
