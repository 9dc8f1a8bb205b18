// Tovarin: hydraulic check of a sewage drainage facility.
//   tovarin [FILE.tvr]   start, then open the document as File → Open does
//   tovarin --help | --version

#include "platform/StandardOutput.h"
#include "platform/qt/Display.h"
#include "platform/qt/FileNames.h"
#include "platform/qt/Platform.h"
#include "shell/CommandLine.h"
#include "shell/JapaneseEnvironment.h"
#include "shell/MDIFofm.h"
#include "shell/StartMeasure.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {

void write(std::FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char* argv[]) {
    tovarin::setUpStandardStreams();
    const tovarin::StartRequest request =
        tovarin::readCommandLine(tovarin::commandLineArguments(argc, argv));
    using Action = tovarin::StartRequest::Action;
    switch (request.action) {
    case Action::PrintHelp:
    case Action::PrintVersion:
        write(stdout, request.output);
        return 0;
    case Action::Refuse:
        write(stderr, request.output);
        return request.exitStatus;
    case Action::Start:
        break;
    }
    if (!tovarin::displayAvailable()) {
        write(stderr, tovarin::noDisplayMessage());
        return 1;
    }

    // The arguments have been read; the window system gets only the program's name, so
    // that no document name is taken for one of its own options.
    int windowArgc = 1;
    QApplication app(windowArgc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tovarin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TOVARIN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tovarin.Tovarin"));
    tovarin::setUpJapaneseEnvironment(app);

    tovarin::QtPlatform platform;
    tovarin::MDIFofm mainWindow(platform);
    tovarin::quitAfterFirstFrameWhenMeasuring(mainWindow);
    mainWindow.show();
    if (!request.document.isEmpty()) {
        // After start-up, with the main window on screen to carry any message.
        QTimer::singleShot(0, &mainWindow, [&mainWindow, &request] {
            tovarin::openStartDocument(mainWindow, request.document);
        });
    }
    return app.exec();
}
