// Baseline for the cost of start-up: a main window with one menu and one Japanese
// status message, ended after its first painted frame by the same code as the program
// with TOVARIN_QUIT_AFTER_FIRST_FRAME set.

#include "shell/StartMeasure.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    window.statusBar()->showMessage(QStringLiteral("新規作成または開くを選択してください。"));
    // The program's own switch, compiled in here too: the baseline always ends after
    // its first frame.
    qputenv("TOVARIN_QUIT_AFTER_FIRST_FRAME", "1");
    tovarin::quitAfterFirstFrameWhenMeasuring(window);
    window.show();
    return app.exec();
}
