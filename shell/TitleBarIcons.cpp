#include "TitleBarIcons.h"

#include <QApplication>
#include <QHash>
#include <QIcon>
#include <QProxyStyle>

namespace tovarin {

namespace {

// The system menu's icon and its buttons' icons: fixed images of the style.
bool isTitleBarIcon(QStyle::StandardPixmap icon) {
    return icon == QStyle::SP_TitleBarMenuButton || icon == QStyle::SP_TitleBarMinButton ||
           icon == QStyle::SP_TitleBarMaxButton || icon == QStyle::SP_TitleBarCloseButton ||
           icon == QStyle::SP_TitleBarNormalButton;
}

class TitleBarIconStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
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

void keepTitleBarIcons(QApplication& app) {
    Q_UNUSED(app);
    // The style the application would use anyway, by its name, behind the proxy.
    const QString name = QApplication::style()->name();
    QApplication::setStyle(new TitleBarIconStyle(name));
}

} // namespace tovarin
