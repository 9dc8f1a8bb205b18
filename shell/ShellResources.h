#pragma once
// The program's own images (toolbar buttons and program icon) live in a resource
// file of this library; a static library must register them explicitly.

#include <QIcon>
#include <QString>

namespace tovarin {

// Registers the images once; later calls do nothing.
void initShellResources();

// One of the program's pictures ("new", "open", "save", "image", "print", "tovarin"),
// drawn from its SVG at the usual sizes from 16 to 256 pixels, so that it stays sharp
// at 150 % and 200 % scale. Drawn with Qt SVG itself, it needs no image plugin.
QIcon shellIcon(const QString& name);

} // namespace tovarin
