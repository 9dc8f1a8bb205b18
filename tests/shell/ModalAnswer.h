#pragma once
// Answers a modal dialog that a test is about to open: as soon as a dialog of the
// wanted type is the active modal widget, `handle` inspects it and clicks what the
// test wants; whatever `handle` does, the dialog is closed afterwards so the test
// can never hang in exec().

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>
#include <memory>

namespace tovarin::testing {

template <typename Dialog> void whenModalShows(std::function<void(Dialog*)> handle) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    auto attempts = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, attempts, handle] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (++*attempts > 250)
                timer->deleteLater(); // about five seconds
            return;
        }
        timer->stop();
        timer->deleteLater();
        handle(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    timer->start();
}

} // namespace tovarin::testing
