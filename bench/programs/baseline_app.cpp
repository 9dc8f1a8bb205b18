// Baseline for the cost of the sheet tool: an offscreen application that starts,
// runs its event loop once and quits.

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
