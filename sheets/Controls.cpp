#include "sheets/Controls.h"

#include "platform/qt/JapaneseFonts.h"
#include "platform/qt/Twips.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QFontInfo>
#include <QFrame>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPalette>
#include <QPicture>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTextDocument>

#include <cmath>
#include <utility>

namespace tovarin {

namespace {

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// Rows one em tall (the font's pixel size): with the font's full line height the last
// rows of the designed list heights would fall out of sight.
class FontHeightRows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(QFontInfo(option.font).pixelSize());
        return size;
    }
};

// A list box that keeps its whole frame at a fractional display scale (125 %, 150 %,
// 175 %). There Qt rounds the position and the size of each widget to device pixels
// each on its own: the list's white inside can reach one device pixel too far and
// cover a row or column of its frame, and a frame line that falls half-way on a device
// pixel can land just outside the list's own pixels. A transparent layer one pixel
// larger than the list, above it, draws the frame once more; at a whole scale it draws
// nothing, the frame being whole already.
class ListBox : public QListWidget {
public:
    explicit ListBox(QWidget* parent)
        : QListWidget(parent), frameAbove_(new FrameAbove(this, parent)) {}
    ~ListBox() override { delete frameAbove_.data(); }

protected:
    bool event(QEvent* event) override {
        const bool handled = QListWidget::event(event);
        if (!frameAbove_)
            return handled;
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            frameAbove_->setGeometry(geometry().adjusted(-1, -1, 1, 1));
            break;
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            frameAbove_->setVisible(isVisibleTo(parentWidget()));
            break;
        case QEvent::ZOrderChange:
            frameAbove_->raise();
            break;
        default:
            break;
        }
        return handled;
    }

private:
    class FrameAbove : public QWidget {
    public:
        FrameAbove(ListBox* list, QWidget* parent) : QWidget(parent), list_(list) {
            setAttribute(Qt::WA_TransparentForMouseEvents);
            setFocusPolicy(Qt::NoFocus);
        }

    protected:
        void paintEvent(QPaintEvent*) override {
            const double ratio = devicePixelRatioF();
            if (ratio == std::floor(ratio))
                return;
            QPainter painter(this);
            painter.translate(1, 1);
            list_->drawFrame(&painter);
        }

    private:
        ListBox* list_;
    };

    QPointer<FrameAbove> frameAbove_;
};

// Watches the key presses of one widget; lives as the widget's child.
class KeyHook : public QObject {
public:
    enum class Kind { Enter, Character };

    KeyHook(QWidget* widget, Kind kind, std::function<void()> action)
        : QObject(widget), kind_(kind), action_(std::move(action)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (kind_ == Kind::Enter && isEnter(key)) {
            action_();
            return true;
        }
        if (kind_ == Kind::Character && isTypedCharacter(key))
            action_();
        return false;
    }

    // Tab and Backtab only move the focus, which never closes the results.
    static bool isTypedCharacter(const QKeyEvent* key) {
        return key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab && !key->text().isEmpty();
    }

private:
    Kind kind_;
    std::function<void()> action_;
};

// Passes a focus that Tab brings to an unselected option on to the selected one.
// The unselected option does not get that focus-in itself: a button of a pair that
// receives the focus makes itself the one Tab stop of its pair, and coming after the
// selected button's own focus-in it would leave the focused, selected button out of
// the Tab order; the next Tab or Shift+Tab would then bounce back into the pair.
class TabToSelectedOption : public QObject {
public:
    TabToSelectedOption(QAbstractButton* option, QButtonGroup* group)
        : QObject(option), option_(option), group_(group) {
        option->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn && !option_->isChecked()) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            QAbstractButton* selected = group_->checkedButton();
            if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) && selected &&
                selected->isVisible() && selected->isEnabled()) {
                selected->setFocus(reason); // selected: no further hand-over
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QAbstractButton* option_;
    QButtonGroup* group_;
};

// An arrow key that chooses the next option of a pair runs the option's handler,
// and Qt then gives the focus back to the option: a handler that moved the focus on
// (to the field the option shows) would be undone. Lets Qt do the arrow key, then
// moves the focus where the handler sent it, as after a click or Space.
class ArrowChoosesAsAClick : public QObject {
public:
    ArrowChoosesAsAClick(QAbstractButton* option, QButtonGroup* group)
        : QObject(option), group_(group) {
        option->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || forwarding_ || !isArrow(event))
            return QObject::eventFilter(watched, event);
        QPointer<QWidget> sentTo;
        QList<QMetaObject::Connection> watches;
        for (QAbstractButton* option : group_->buttons()) {
            // Connected after the option's handler, so this runs after it.
            watches.append(
                connect(option, &QAbstractButton::toggled, this, [option, &sentTo](bool on) {
                    if (on)
                        sentTo = option->window()->focusWidget();
                }));
        }
        forwarding_ = true;
        QCoreApplication::sendEvent(watched, event);
        forwarding_ = false;
        for (const QMetaObject::Connection& watch : watches)
            disconnect(watch);
        if (sentTo && !group_->buttons().contains(qobject_cast<QAbstractButton*>(sentTo.data())) &&
            sentTo->isVisible() && sentTo->isEnabled())
            focusWholeText(sentTo);
        return true;
    }

private:
    static bool isArrow(const QEvent* event) {
        const int key = static_cast<const QKeyEvent*>(event)->key();
        return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
               key == Qt::Key_Down;
    }

    QButtonGroup* group_;
    bool forwarding_ = false;
};

} // namespace

QFont gothicFont(double pointSize) {
    QFont font(gothicFamily());
    font.setPointSizeF(pointSize);
    return font;
}

QFont proportionalGothicFont(double pointSize) {
    QFont font(proportionalGothicFamily());
    font.setPointSizeF(pointSize);
    return font;
}

QFont sheetFont() {
    return gothicFont(9.0);
}

namespace {

// Everything a plain-text label's size hint depends on.
struct LabelSizeKey {
    QString text;
    QFont font;
    const QStyle* style = nullptr;
    int dpiX = 0;
    int dpiY = 0;
    int textFormat = 0;
    int alignment = 0;
    int margin = 0;
    int indent = 0;
    int frameWidth = 0;
    QMargins contents;
    QSize minimum;
    QSize maximum;

    bool operator==(const LabelSizeKey& other) const {
        return text == other.text && font == other.font && style == other.style &&
               dpiX == other.dpiX && dpiY == other.dpiY && textFormat == other.textFormat &&
               alignment == other.alignment && margin == other.margin && indent == other.indent &&
               frameWidth == other.frameWidth && contents == other.contents &&
               minimum == other.minimum && maximum == other.maximum;
    }
};

size_t qHash(const LabelSizeKey& key, size_t seed = 0) {
    return qHashMulti(seed, key.text, key.font.pointSizeF(), key.font.family(), key.style);
}

LabelSizeKey labelSizeKey(const QLabel* label) {
    return LabelSizeKey{label->text(),
                        label->font(),
                        label->style(),
                        label->logicalDpiX(),
                        label->logicalDpiY(),
                        int(label->textFormat()),
                        int(label->alignment().toInt()),
                        label->margin(),
                        label->indent(),
                        label->frameWidth(),
                        label->contentsMargins(),
                        label->minimumSize(),
                        label->maximumSize()};
}

// Only text without markup, on one line: its size comes from the text's shape alone.
bool sizeComesFromPlainText(const QLabel* label) {
    if (label->wordWrap() || !label->pixmap().isNull() || !label->picture().isNull() ||
        label->movie())
        return false;
    if (label->textFormat() == Qt::PlainText)
        return true;
    return label->textFormat() == Qt::AutoText && !Qt::mightBeRichText(label->text());
}

// The size hint of a plain-text label, shaped once per key in a run. adjustSize()
// gives a child widget exactly its size hint (when valid), so resizing to the
// remembered hint is the same.
QSize plainTextSizeHint(const QLabel* label) {
    static QHash<LabelSizeKey, QSize> measured;
    const LabelSizeKey key = labelSizeKey(label);
    const auto known = measured.constFind(key);
    if (known != measured.constEnd())
        return *known;
    const QSize hint = label->sizeHint();
    measured.insert(key, hint);
    return hint;
}

// A label fitted while it is hidden is measured when it is first shown, as it was
// when it was asked to fit: a window that is never shown (the sheet tool's) never
// shapes its labels' texts, and one that is shown looks the same.
class FitWhenShown : public QObject {
public:
    explicit FitWhenShown(QLabel* label) : QObject(label), label_(label) {
        label->installEventFilter(this);
    }

    void remember() {
        text_ = label_->text();
        font_ = label_->font();
        sizeWhenAsked_ = label_->size();
    }

    static FitWhenShown* of(QLabel* label) {
        for (QObject* child : label->children()) {
            if (auto* pending = dynamic_cast<FitWhenShown*>(child))
                return pending;
        }
        return nullptr;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched == label_) {
            label_->removeEventFilter(this);
            fit();
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void fit() {
        if (label_->size() != sizeWhenAsked_)
            return; // sized by hand since: that size stands
        const QSize hint = label_->text() == text_ && label_->font() == font_
                               ? plainTextSizeHint(label_)
                               : hintAsAsked();
        if (hint.isValid())
            label_->resize(hint);
    }

    // The hint of the label's text and font at the time it was asked to fit.
    QSize hintAsAsked() const {
        QLabel probe;
        probe.setStyle(label_->style());
        probe.setFont(font_);
        probe.setTextFormat(label_->textFormat());
        probe.setAlignment(label_->alignment());
        probe.setMargin(label_->margin());
        probe.setIndent(label_->indent());
        probe.setFrameStyle(label_->frameStyle());
        probe.setLineWidth(label_->lineWidth());
        probe.setMidLineWidth(label_->midLineWidth());
        probe.setContentsMargins(label_->contentsMargins());
        probe.setText(text_);
        return probe.sizeHint();
    }

    QLabel* label_;
    QString text_;
    QFont font_;
    QSize sizeWhenAsked_;
};

} // namespace

void fitToText(QLabel* label) {
    FitWhenShown* pending = FitWhenShown::of(label);
    if (!sizeComesFromPlainText(label) || label->isVisible()) {
        delete pending;
        if (!sizeComesFromPlainText(label)) {
            label->adjustSize();
            return;
        }
        const QSize hint = plainTextSizeHint(label);
        if (hint.isValid())
            label->resize(hint);
        return;
    }
    if (!pending)
        pending = new FitWhenShown(label); // owned by the label
    // As after adjustSize(): the label counts as sized, so Qt does not size it to its
    // text of the moment when it is first shown; FitWhenShown does, as asked now.
    label->setAttribute(Qt::WA_Resized);
    pending->remember();
}

void placeTwips(QWidget* widget, int left, int top) {
    if (auto* label = qobject_cast<QLabel*>(widget))
        fitToText(label);
    else
        widget->adjustSize();
    widget->move(twipsPoint(left, top));
}

void placeTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(twipsRect(left, top, width, height));
}

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    placeTwips(label, left, top);
    return label;
}

QLabel* addUnitLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(proportionalGothicFont(sheetFont().pointSizeF()));
    placeTwips(label, left, top);
    return label;
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QFrame* addFrame(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    // Opaque, so that a frame laid out over the edge of an earlier one hides that edge.
    frame->setAutoFillBackground(true);
    placeTwips(frame, left, top, width, height);
    return frame;
}

QRadioButton* addOption(QWidget* parent, const char* name, const QString& text, int left, int top,
                        int width, int height) {
    auto* option = new QRadioButton(text, parent);
    option->setObjectName(QString::fromLatin1(name));
    placeTwips(option, left, top, width, height);
    return option;
}

QPushButton* addButton(QWidget* parent, const char* name, const QString& text, int left, int top,
                       int width, int height) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(true);
    placeTwips(button, left, top, width, height);
    return button;
}

EntryField* addEntryField(QWidget* parent, const char* name, EntryField::Input input, int left,
                          int top, int width, int height) {
    auto* field = new EntryField(input, parent);
    field->setObjectName(QString::fromLatin1(name));
    placeTwips(field, left, top, width, height);
    return field;
}

void focusWholeText(QWidget* target) {
    target->setFocus(Qt::OtherFocusReason);
    if (auto* field = qobject_cast<QLineEdit*>(target))
        field->selectAll();
}

void focusOption(QAbstractButton* option) {
    option->setFocus(Qt::OtherFocusReason);
    if (!option->isChecked())
        option->setChecked(true);
}

void setCheckedSilently(QAbstractButton* option, bool checked) {
    const auto setQuietly = [](QAbstractButton* button, bool on) {
        const QSignalBlocker blocker(button);
        button->setChecked(on);
    };
    QButtonGroup* group = option->group();
    const bool exclusive = group && group->exclusive();
    if (exclusive)
        group->setExclusive(false);
    // Selecting one button of a pair still clears its partner.
    if (checked && exclusive) {
        for (QAbstractButton* other : group->buttons())
            if (other != option)
                setQuietly(other, false);
    }
    setQuietly(option, checked);
    if (exclusive)
        group->setExclusive(true);
}

void tabIntoSelectedOption(QButtonGroup* group) {
    for (QAbstractButton* option : group->buttons())
        new TabToSelectedOption(option, group);
}

void arrowsChooseAsAClick(QButtonGroup* group) {
    for (QAbstractButton* option : group->buttons())
        new ArrowChoosesAsAClick(option, group);
}

void onEnterKey(QWidget* widget, std::function<void()> action) {
    new KeyHook(widget, KeyHook::Kind::Enter, std::move(action));
}

void onCharacterKey(QWidget* widget, std::function<void()> action) {
    new KeyHook(widget, KeyHook::Kind::Character, std::move(action));
}

QPalette designedPalette() {
    const QColor buttonFace(240, 240, 240);
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    const QColor greyText(109, 109, 109);
    QPalette palette(black, buttonFace, white, QColor(160, 160, 160), QColor(200, 200, 200), black,
                     white, white, buttonFace);
    palette.setColor(QPalette::Midlight, QColor(227, 227, 227));
    palette.setColor(QPalette::Shadow, QColor(64, 64, 64));
    palette.setColor(QPalette::AlternateBase, QColor(245, 245, 245));
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    palette.setColor(QPalette::ToolTipText, black);
    palette.setColor(QPalette::PlaceholderText, greyText);
    palette.setColor(QPalette::Highlight, QColor(0, 120, 215));
    palette.setColor(QPalette::HighlightedText, white);
    palette.setColor(QPalette::Link, QColor(0, 0, 255));
    palette.setColor(QPalette::LinkVisited, QColor(255, 0, 255));
    palette.setColor(QPalette::BrightText, white);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, greyText);
    palette.setColor(QPalette::Disabled, QPalette::Base, buttonFace);
    return palette;
}

void useDesignedColours(QWidget* window) {
    window->setPalette(designedPalette());
}

QMdiSubWindow* addChildWindow(QMdiArea* area, QWidget* child, int left, int top, int width,
                              int height) {
    QMdiSubWindow* frame = area->addSubWindow(child, Qt::FramelessWindowHint);
    useDesignedColours(frame);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setGeometry(twipsRect(left, top, width, height));
    frame->show();
    return frame;
}

void keepUnseenChildWindow(QMdiArea* area, QWidget* child, int left, int top, int width,
                           int height) {
    child->setParent(area);
    child->setGeometry(twipsRect(left, top, width, height));
}

void disconnectControls(QWidget* window) {
    for (QObject* child : window->findChildren<QObject*>())
        QObject::disconnect(child, nullptr, window, nullptr);
}

void destroyChildWindow(QWidget* child) {
    if (!child)
        return;
    if (auto* frame = qobject_cast<QMdiSubWindow*>(child->parentWidget()))
        delete frame;
    else
        delete child;
}

QListWidget* addListBox(QWidget* parent, const char* name) {
    auto* list = new ListBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setItemDelegate(new FontHeightRows(list));
    list->setUniformItemSizes(true);
    return list;
}

} // namespace tovarin
