// Tovarin: hydraulic check of a sewage drainage facility.

#include "JapaneseEnvironment.h"
#include "MDIFofm.h"
#include "Platform.h"
#include "StartMeasure.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tovarin::setUpJapaneseEnvironment(app);

    tovarin::QtPlatform platform;
    tovarin::MDIFofm mainWindow(platform);
    tovarin::quitAfterFirstFrameWhenMeasuring(mainWindow);
    mainWindow.show();
    return app.exec();
}
