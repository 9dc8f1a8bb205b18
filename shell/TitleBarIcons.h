#pragma once
// The application style with its title-bar icons made once. Every document window
// (a QMdiSubWindow) asks the style for the icons of its system menu when it is
// built, and the style reads them from image files each time; these icons never
// change while the program runs, so the first ones are kept and handed out again.
// Everything else, drawing included, is the application's own style unchanged.

class QApplication;

namespace tovarin {

void keepTitleBarIcons(QApplication& app);

} // namespace tovarin
