#pragma once
// The one entry-field behaviour of every window: a click or the arrival of the focus
// selects the whole text, a double-click selects from position 10 to the end, Enter is
// consumed and reported so the window can move the focus on.

#include <QLineEdit>

namespace tovarin {

class EntryField : public QLineEdit {
    Q_OBJECT
public:
    // Numeric fields take half-width digits only (no Japanese input method); material
    // fields are typed in Japanese.
    enum class Input { Numeric, Japanese };

    explicit EntryField(Input input = Input::Numeric, QWidget* parent = nullptr);

    Input input() const { return input_; }

    // Where a double-click starts its selection.
    static constexpr int doubleClickSelectionStart = 10;

signals:
    // A mouse click into the field, emitted before the field selects its text, so
    // that a window can first close the results and show its notice.
    void clicked();
    // Enter (character 13) was pressed; the key itself is swallowed.
    void enterPressed();

protected:
    void focusInEvent(QFocusEvent* event) override;
    // A text field (a material name) leaves the focus showing its text from the start.
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void selectFromDoubleClickStart();

    Input input_;
    // The release that ends a double-click must not select the whole text again.
    bool releaseEndsDoubleClick_ = false;
};

} // namespace tovarin
