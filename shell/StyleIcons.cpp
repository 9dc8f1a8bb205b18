#include "shell/StyleIcons.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QWidget>

#include <optional>

namespace tovarin {

namespace {

// The system menu's icon and its buttons' icons: fixed images of the style.
bool isTitleBarIcon(QStyle::StandardPixmap icon) {
    return icon == QStyle::SP_TitleBarMenuButton || icon == QStyle::SP_TitleBarMinButton ||
           icon == QStyle::SP_TitleBarMaxButton || icon == QStyle::SP_TitleBarCloseButton ||
           icon == QStyle::SP_TitleBarNormalButton;
}

bool isExtensionButtonIcon(QStyle::StandardPixmap icon) {
    return icon == QStyle::SP_ToolBarHorizontalExtensionButton ||
           icon == QStyle::SP_ToolBarVerticalExtensionButton;
}

// Stands in for a standard icon of a style and makes it on first use. Every question
// goes to that icon, so it is drawn, sized and named exactly as the style's own.
class IconMadeWhenDrawn : public QIconEngine {
public:
    // The style and the widget are held through guarded pointers, which Qt offers for
    // non-const objects only; both are only read. A style gone by then (the program
    // changed its style) gives no icon; a widget gone by then is passed as none.
    IconMadeWhenDrawn(const QStyle* style, QStyle::StandardPixmap which,
                      std::optional<QStyleOption> option, const QWidget* widget)
        : style_(const_cast<QStyle*>(style)), which_(which), option_(std::move(option)),
          widget_(const_cast<QWidget*>(widget)) {}

    // As the style's pixmap icons paint: the pixmap for the rectangle's device pixels,
    // drawn into the rectangle (QIcon::paint has already placed it).
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const QPaintDevice* device = painter->device();
        const qreal ratio = device ? device->devicePixelRatio() : qApp->devicePixelRatio();
        painter->drawPixmap(rect, icon().pixmap(rect.size() * ratio, 1.0, mode, state));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal) override {
        return icon().pixmap(size, 1.0, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon().name(); }
    bool isNull() override { return icon().isNull(); }
    QString key() const override { return QStringLiteral("tovarin-made-when-drawn"); }
    QIconEngine* clone() const override {
        auto* copy = new IconMadeWhenDrawn(style_, which_, option_, widget_);
        copy->made_ = made_;
        return copy;
    }

private:
    const QIcon& icon() {
        if (!made_) {
            made_ = style_ ? style_->standardIcon(which_, option_ ? &*option_ : nullptr, widget_)
                           : QIcon();
        }
        return *made_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap which_;
    std::optional<QStyleOption> option_;
    QPointer<QWidget> widget_;
    std::optional<QIcon> made_;
};

class LeanIconStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        // A plain option (the toolbar's button passes one) is kept as it is; one of a
        // derived kind would not copy whole, so its icon is made at once.
        if (isExtensionButtonIcon(icon) && (!option || option->type == QStyleOption::SO_Default))
            return standardIconMadeWhenDrawn(*baseStyle(), icon, option, widget);
        if (option || !isTitleBarIcon(icon))
            return QProxyStyle::standardIcon(icon, option, widget);
        auto known = icons_.constFind(icon);
        if (known == icons_.constEnd())
            known = icons_.insert(icon, QProxyStyle::standardIcon(icon, nullptr, widget));
        return *known;
    }

private:
    mutable QHash<int, QIcon> icons_;
};

} // namespace

QIcon standardIconMadeWhenDrawn(const QStyle& style, QStyle::StandardPixmap which,
                                const QStyleOption* option, const QWidget* widget) {
    std::optional<QStyleOption> kept;
    if (option)
        kept = *option;
    return QIcon(new IconMadeWhenDrawn(&style, which, std::move(kept), widget));
}

void useLeanStyleIcons(QApplication& app) {
    Q_UNUSED(app);
    // The style the application would use anyway, by its name, behind the proxy.
    const QString name = QApplication::style()->name();
    QApplication::setStyle(new LeanIconStyle(name));
}

} // namespace tovarin
