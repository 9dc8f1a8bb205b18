#include "StartMeasure.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace tovarin {

namespace {

// Ends the event loop once the window's first paint event has been handled: the
// quit is queued, so it runs after the paint and the flush of that frame.
class QuitAfterFirstPaint : public QObject {
public:
    explicit QuitAfterFirstPaint(QWidget& window) : QObject(&window) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
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
