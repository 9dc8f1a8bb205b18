#pragma once
// The application style with its standard icons made sparingly; everything else,
// drawing included, is the application's own style unchanged.
// - Title-bar icons are made once. Every document window (a QMdiSubWindow) asks the
//   style for the icons of its system menu when it is built, and the style reads them
//   from image files each time; they never change while the program runs.
// - The extension button icons ("»") are made when first drawn. The menu bar and the
//   toolbar each ask for one when they are built, which reads image files through the
//   image readers, yet the button shows only when a bar is too narrow for its items.

#include <QIcon>
#include <QStyle>
#include <QStyleOption>

class QApplication;

namespace tovarin {

void useLeanStyleIcons(QApplication& app);

// An icon that asks the style for a standard icon only when it is first drawn or
// measured, and then draws exactly that icon. A plain style option is kept for then.
QIcon standardIconMadeWhenDrawn(const QStyle& style, QStyle::StandardPixmap which,
                                const QStyleOption* option, const QWidget* widget);

} // namespace tovarin
