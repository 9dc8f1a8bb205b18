// Baseline for the cost of start-up: a main window with one menu and one Japanese
// status message, ended after its first painted frame like the program with
// TOVARIN_QUIT_AFTER_FIRST_FRAME set.

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

namespace {

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

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    window.statusBar()->showMessage(QStringLiteral("新規作成または開くを選択してください。"));
    new QuitAfterFirstPaint(window);
    window.show();
    return app.exec();
}
