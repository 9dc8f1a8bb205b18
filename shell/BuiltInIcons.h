#pragma once
// The program's own images as icons, made from the XPM data compiled into the
// program: the same pixels as the image files of icons.qrc, without the image
// reader, which looks through every installed image-format plugin on its first use.
// Asked for more pixels than the XPM has (150 %, 200 % scale), they are drawn from
// the SVG twin of the same picture, so they stay sharp.

#include <QIcon>

namespace tovarin {

// The program icon (icons/tovarin.xpm).
QIcon programIcon();
// A toolbar button's image by its file name without the extension: "new", "open",
// "save", "image" or "print"; the null icon for any other name.
QIcon toolbarIcon(const char* image);

} // namespace tovarin
