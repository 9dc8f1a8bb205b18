#pragma once
// A switch for measuring the cost of start-up: with the environment variable
// TOVARIN_QUIT_AFTER_FIRST_FRAME set (to anything but empty), the program ends as
// soon as its main window has painted its first frame. Nothing else changes, and
// without the variable nothing at all happens.

class QWidget;

namespace tovarin {

void quitAfterFirstFrameWhenMeasuring(QWidget& window);

} // namespace tovarin
