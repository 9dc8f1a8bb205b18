// Tovarin: hydraulic check of a sewage drainage facility.
//   tovarin [FILE.tvr | FILE.tvu]   start, then open the document as File → Open does
//   tovarin --aids [FILE.tvr…]   the 設計補助 window alone, with these documents
//   tovarin --help | --version

#include "aids/AidsWindow.h"
#include "app/ProgramAids.h"
#include "platform/StandardOutput.h"
#include "platform/qt/Display.h"
#include "platform/qt/FileNames.h"
#include "platform/qt/Platform.h"
#include "shell/CommandLine.h"
#include "shell/CommandLineConvention.h"
#include "shell/JapaneseEnvironment.h"
#include "shell/MDIFofm.h"
#include "shell/StartMeasure.h"

#include <QApplication>
#include <QTabWidget>
#include <QTimer>

#include <cstdlib>
#include <string>

namespace {

void writeError(const QString& text) {
    tovarin::writeStandardError(text.toStdString());
}

// Set while the application object is made. Qt ends the program (abort, exit status
// 134, "Reinstalling the application may fix this problem") with a fatal message when
// its window system cannot start: a DISPLAY where no server answers, or no platform
// plugin that can serve the settings. Asking the display server beforehand would
// repeat Qt's own choice of platform (X11, Wayland, QT_QPA_PLATFORM) and still miss
// the other reasons; so the fatal message of exactly that moment is answered instead,
// with the program's own message and exit status 1. Qt's warnings before it, which
// name the reason, still go to standard error.
bool startingWindowSystem = false;
QtMessageHandler qtMessages = nullptr;

void windowSystemMessages(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
    if (type == QtFatalMsg && startingWindowSystem) {
        writeError(tovarin::windowSystemFailedMessage());
        std::_Exit(1);
    }
    qtMessages(type, context, message);
}

} // namespace

int main(int argc, char* argv[]) {
    // Before anything opens a file: Qt's first descriptor must not become standard output.
    const bool outputClosed = tovarin::openClosedStandardDescriptors();
    tovarin::setUpStandardStreams();
    const tovarin::StartRequest request =
        tovarin::readCommandLine(tovarin::commandLineArguments(argc, argv));
    using Action = tovarin::StartRequest::Action;
    switch (request.action) {
    case Action::PrintHelp:
    case Action::PrintVersion:
        if (outputClosed) {
            std::fputs((std::string(tovarin::standardOutputClosedMessage) + '\n').c_str(), stderr);
            return 1;
        }
        return tovarin::writeCommandLineAnswer(QStringLiteral("tovarin"), request.output);
    case Action::Refuse:
        writeError(request.output);
        return request.exitStatus;
    case Action::Start:
        break;
    }
    if (!tovarin::displayAvailable()) {
        writeError(tovarin::noDisplayMessage());
        return 1;
    }

    // The arguments have been read; the window system gets only the program's name, so
    // that no document name is taken for one of its own options.
    int windowArgc = 1;
    qtMessages = qInstallMessageHandler(windowSystemMessages);
    startingWindowSystem = true;
    QApplication app(windowArgc, argv);
    startingWindowSystem = false;
    qInstallMessageHandler(qtMessages);
    QCoreApplication::setApplicationName(QStringLiteral("tovarin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TOVARIN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tovarin.Tovarin"));
    tovarin::setUpJapaneseEnvironment(app);

    tovarin::QtPlatform platform;
    if (request.aids) {
        tovarin::AidsWindow aids(platform, tovarin::mainWindowReader());
        aids.show();
        if (!request.aidsDocuments.isEmpty()) {
            QTimer::singleShot(0, &aids, [&aids, &request] {
                aids.addDocuments(request.aidsDocuments);
                aids.pages()->setCurrentIndex(request.aidsDocuments.size() > 1 ? 2 : 0);
            });
        }
        return app.exec();
    }
    tovarin::MDIFofm mainWindow(platform);
    mainWindow.setDesignAidsOpener(tovarin::openDesignAidsOfInputs);
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
