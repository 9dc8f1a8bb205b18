#include "shell/StartMeasure.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace tovarin {

namespace {

// Ends the event loop once the window's first paint event has been handled: the
// end is queued, so it comes after the paint and the flush of that frame.
class QuitAfterFirstPaint : public QObject {
public:
    // Watches the whole application: a main window covered by its children gets no
    // paint event of its own, only they do.
    explicit QuitAfterFirstPaint(QWidget& window) : QObject(&window) {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            QCoreApplication::instance()->removeEventFilter(this);
            // exit, not quit: quit would first close the windows, and the main window
            // asks before it closes.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [] { QCoreApplication::exit(0); },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void quitAfterFirstFrameWhenMeasuring(QWidget& window) {
    if (!qEnvironmentVariableIsEmpty("TOVARIN_QUIT_AFTER_FIRST_FRAME"))
        new QuitAfterFirstPaint(window); // owned by the window
}

} // namespace tovarin
