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

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    window.statusBar()->showMessage(QStringLiteral("新規作成または開くを選択してください。"));
    new QuitAfterFirstPaint(window);
    window.show();
    return app.exec();
}
