#pragma once
// The window system: whether it can show windows, and the one the sheet tool uses,
// which shows none.

namespace tovarin {

// Whether windows can be shown. Linux: a display (DISPLAY or WAYLAND_DISPLAY) or a
// platform chosen through QT_QPA_PLATFORM. Windows: always.
bool displayAvailable();

// Before the application object: a window system that needs no display and still
// measures text with the installed fonts. Linux: the offscreen platform unless
// QT_QPA_PLATFORM names another. Windows: the windows platform, which starts without
// a visible desktop too (the offscreen one there sees no fonts at all).
void useWindowSystemWithoutDisplay();

} // namespace tovarin
