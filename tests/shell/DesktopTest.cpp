// The program on a desktop: its command line (help, version, wrong options, a
// document named at start, no display), the designed colours of the input windows on
// a dark desktop palette, and pictures that stay sharp at 200 %.

#include "platform/qt/FileNames.h"
#include "sheets/FacilityWindow.h"
#include "sheets/Form1.h"
#include "sheets/Form11.h"
#include "sheets/Form3.h"
#include "sheets/SewageWindows.h"
#include "shell/BuiltInIcons.h"
#include "shell/CommandLine.h"
#include "shell/JapaneseEnvironment.h"
#include "shell/MDIFofm.h"
#include "shell/ShellResources.h"
#include "tests/support/ScriptedPlatform.h"

#include <QDir>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <cstring>

using namespace tovarin;
using tovarin::testing::ScriptedPlatform;

namespace {

QString example(const char* name) {
    return QStringLiteral(TOVARIN_EXAMPLES_DIR "/") + QLatin1String(name);
}

QList<QByteArray> argumentsOf(std::initializer_list<const char*> texts) {
    QList<QByteArray> arguments{QByteArrayLiteral("tovarin")};
    for (const char* text : texts)
        arguments << QByteArray(text);
    return arguments;
}

struct ProgramRun {
    bool finished = false;
    bool crashed = true;
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the built program with the environment given (nothing else is inherited but
// PATH and the runtime folder, so that no display leaks in).
ProgramRun runProgram(const QStringList& arguments, const QMap<QString, QString>& variables) {
    QProcessEnvironment environment;
    const QProcessEnvironment own = QProcessEnvironment::systemEnvironment();
    for (const char* kept : {"PATH", "XDG_RUNTIME_DIR", "HOME"})
        if (own.contains(QLatin1String(kept)))
            environment.insert(QLatin1String(kept), own.value(QLatin1String(kept)));
    for (auto it = variables.begin(); it != variables.end(); ++it)
        environment.insert(it.key(), it.value());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST), arguments);
    ProgramRun run;
    run.finished = program.waitForFinished(60000);
    if (!run.finished) {
        program.kill();
        program.waitForFinished();
        return run;
    }
    run.crashed = program.exitStatus() != QProcess::NormalExit;
    run.exitCode = program.exitCode();
    run.out = QString::fromUtf8(program.readAllStandardOutput());
    run.err = QString::fromUtf8(program.readAllStandardError());
    return run;
}

// A palette as a dark desktop theme sets it: light text on dark backgrounds.
QPalette darkDesktopPalette() {
    QPalette dark(QColor(230, 230, 230), QColor(53, 53, 53));
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    return dark;
}

double luminance(const QColor& colour) {
    return 0.299 * colour.redF() + 0.587 * colour.greenF() + 0.114 * colour.blueF();
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void helpVersionAndWrongArguments();
    void documentArgumentBecomesAnAbsolutePath();
    void fileNameBytesOutsideTheEncodingAreRefused();
    void programAnswersWithoutADisplay();
    void programWithoutDisplayStopsWithAMessage();

    void startDocumentOpensLikeFileOpen();
    void startDocumentThatCannotBeReadShowsTheOpenMessage();

    void inputWindowsKeepTheirColoursOnADarkDesktop();
    void picturesAreDrawnForDoubleScale();

private:
    QPalette desktopPalette_;
};

void DesktopTest::initTestCase() {
    setUpJapaneseEnvironment(*static_cast<QApplication*>(QCoreApplication::instance()));
    QApplication::setQuitOnLastWindowClosed(false);
    desktopPalette_ = QApplication::palette();
}

void DesktopTest::cleanup() {
    QApplication::setPalette(desktopPalette_);
}

void DesktopTest::helpVersionAndWrongArguments() {
    for (const char* option : {"--help", "-h", "-help"}) {
        const StartRequest help = readCommandLine(argumentsOf({option}));
        QCOMPARE(help.action, StartRequest::Action::PrintHelp);
        QVERIFY(help.output.contains(QStringLiteral("Usage: tovarin")));
        QVERIFY(help.output.contains(QStringLiteral("--version")));
        // Both sheets are named, in both languages.
        QVERIFY(help.output.contains(QStringLiteral("汚水排水施設と雨水排水施設")));
        QVERIFY(help.output.contains(QStringLiteral("sewage and of rainwater")));
    }
    for (const char* option : {"--version", "-v"}) {
        const StartRequest version = readCommandLine(argumentsOf({option}));
        QCOMPARE(version.action, StartRequest::Action::PrintVersion);
        QVERIFY(version.output.startsWith(QStringLiteral("tovarin " TOVARIN_VERSION "\n")));
        QVERIFY(version.output.contains(QStringLiteral("Copyright (c) 2026 Tovarin developers")));
        QVERIFY(version.output.contains(QStringLiteral("MIT")));
        QVERIFY(version.output.contains(QStringLiteral("汚水排水施設・雨水排水施設")));
    }
    // Help wins over a document named beside it.
    QCOMPARE(readCommandLine(argumentsOf({"a.tvr", "--help"})).action,
             StartRequest::Action::PrintHelp);

    // Usage errors in both languages, then the usage.
    for (const char* option : {"--print", "--help=x", "-x"}) {
        const StartRequest unknown = readCommandLine(argumentsOf({option}));
        QCOMPARE(unknown.action, StartRequest::Action::Refuse);
        QCOMPARE(unknown.exitStatus, 2);
        const QStringList lines = unknown.output.split(QLatin1Char('\n'));
        QVERIFY2(lines.size() > 3 && lines.at(0).contains(QStringLiteral("オプション")) &&
                     lines.at(1).contains(QStringLiteral("option")),
                 qPrintable(unknown.output));
        QVERIFY(lines.at(2).contains(QStringLiteral("Usage: tovarin")));
    }

    const StartRequest two = readCommandLine(argumentsOf({"a.tvr", "b.tvr"}));
    QCOMPARE(two.action, StartRequest::Action::Refuse);
    QCOMPARE(two.exitStatus, 2);

    const StartRequest none = readCommandLine(argumentsOf({}));
    QCOMPARE(none.action, StartRequest::Action::Start);
    QVERIFY(none.document.isEmpty());
}

void DesktopTest::documentArgumentBecomesAnAbsolutePath() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    const StartRequest relative = readCommandLine(argumentsOf({"設計/下水.tvr"}));
    // A name that begins with a dash is a document after "--".
    const StartRequest dashed = readCommandLine(argumentsOf({"--", "-x.tvr"}));
    QDir::setCurrent(previous);

    QCOMPARE(relative.action, StartRequest::Action::Start);
    QCOMPARE(relative.document, QDir(folder.path()).filePath(QStringLiteral("設計/下水.tvr")));
    QCOMPARE(dashed.action, StartRequest::Action::Start);
    QCOMPARE(dashed.document, QDir(folder.path()).filePath(QStringLiteral("-x.tvr")));
}

void DesktopTest::fileNameBytesOutsideTheEncodingAreRefused() {
    // "計算.tvr" in code page 932: not UTF-8, so no name decodes back to these bytes.
    const QList<QByteArray> arguments{QByteArrayLiteral("tovarin"),
                                      QByteArrayLiteral("\x8c\x76\x8e\x5a.tvr")};
    if (argumentKeepsItsBytes(arguments.last()))
        QSKIP("file names are UTF-16 on this system: every name is kept");
    const StartRequest request = readCommandLine(arguments);
    QCOMPARE(request.action, StartRequest::Action::Refuse);
    QCOMPARE(request.exitStatus, 1);
    QVERIFY(request.document.isEmpty());
}

void DesktopTest::programAnswersWithoutADisplay() {
    const ProgramRun help = runProgram({QStringLiteral("--help")}, {});
    QVERIFY(help.finished && !help.crashed);
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains(QStringLiteral("Usage: tovarin")));
    QVERIFY(help.err.isEmpty());

    QVERIFY(help.out.contains(QStringLiteral("Report faults to: <")));

    const ProgramRun version = runProgram({QStringLiteral("--version")}, {});
    QCOMPARE(version.exitCode, 0);
    QVERIFY(version.out.startsWith(QStringLiteral("tovarin " TOVARIN_VERSION "\n")));

    // Help and version that cannot be written are told, not reported as done.
    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("--version")}) {
        QProcess program;
        program.setStandardOutputFile(QStringLiteral("/dev/full"));
        program.start(QStringLiteral(TOVARIN_PROGRAM_UNDER_TEST), {option});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 1);
        const QString err = QString::fromUtf8(program.readAllStandardError());
        QVERIFY2(err.contains(QStringLiteral("標準出力に書き込めませんでした")) &&
                     err.contains(QStringLiteral("cannot write to standard output")),
                 qPrintable(err));
    }

    const ProgramRun wrong = runProgram({QStringLiteral("--bogus")}, {});
    QVERIFY(wrong.finished && !wrong.crashed);
    QCOMPARE(wrong.exitCode, 2);
    QVERIFY(wrong.out.isEmpty());
    QVERIFY(wrong.err.contains(QStringLiteral("bogus")));
}

void DesktopTest::programWithoutDisplayStopsWithAMessage() {
    if (QGuiApplication::platformName() == QLatin1String("windows"))
        QSKIP("Windows always has a desktop: the program would start");
    const ProgramRun run = runProgram({example("residential-vp.tvr")}, {});
    QVERIFY(run.finished);
    QVERIFY(!run.crashed);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.contains(QStringLiteral("画面（ディスプレイ）が見つからない")));
    QVERIFY(run.err.contains(QStringLiteral("no display found")));

    // A display that answers nowhere, and a platform that does not exist: the window
    // system cannot start, which is told plainly instead of Qt's abort.
    const QList<QMap<QString, QString>> unusable{
        {{QStringLiteral("DISPLAY"), QStringLiteral(":177")}},
        {{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform")}}};
    for (const QMap<QString, QString>& settings : unusable) {
        const ProgramRun failed = runProgram({}, settings);
        QVERIFY(failed.finished);
        QVERIFY2(!failed.crashed && failed.exitCode == 1, qPrintable(failed.err));
        QVERIFY2(failed.err.contains(QStringLiteral("に接続できないため起動できません")) &&
                     failed.err.contains(QStringLiteral("cannot connect to the display")) &&
                     failed.err.contains(settings.firstKey()),
                 qPrintable(failed.err));
        QVERIFY(!failed.err.contains(QStringLiteral("Reinstalling")));
    }
}

void DesktopTest::startDocumentOpensLikeFileOpen() {
    ScriptedPlatform platform;
    MDIFofm window(platform);
    window.show();
    const StartRequest request =
        readCommandLine(argumentsOf({TOVARIN_EXAMPLES_DIR "/residential-vp.tvr"}));
    openStartDocument(window, request.document);

    QCOMPARE(window.currentFileName, example("residential-vp.tvr"));
    QVERIFY(window.sewageWindows().form1());
    QCOMPARE(window.sewageWindows().form1()->windowTitle(), example("residential-vp.tvr"));
    QVERIFY(window.sewageWindows().hasResult());
    QVERIFY(window.toolbarButton(3)->isEnabled());
    QVERIFY(platform.messages.isEmpty());
}

void DesktopTest::startDocumentThatCannotBeReadShowsTheOpenMessage() {
    const QString missing = QDir::current().filePath(QStringLiteral("無い.tvr"));
    ScriptedPlatform byDialog;
    MDIFofm dialogWindow(byDialog);
    byDialog.openNames.enqueue(missing);
    dialogWindow.FileOpen();

    ScriptedPlatform byArgument;
    MDIFofm argumentWindow(byArgument);
    openStartDocument(argumentWindow, missing);

    QCOMPARE(byArgument.messages.size(), 1);
    QCOMPARE(byDialog.messages.size(), 1);
    QCOMPARE(byArgument.messages.first().text, byDialog.messages.first().text);
    QCOMPARE(byArgument.messages.first().title, byDialog.messages.first().title);
    QVERIFY(byArgument.lastMessageText().contains(missing));
    QVERIFY(argumentWindow.currentFileName.isEmpty());
    QVERIFY(!argumentWindow.sewageWindows().form1());
}

void DesktopTest::inputWindowsKeepTheirColoursOnADarkDesktop() {
    QApplication::setPalette(darkDesktopPalette());
    ScriptedPlatform platform;
    MDIFofm window(platform);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    openStartDocument(window, example("residential-vp.tvr"));
    SewageWindows& windows = window.sewageWindows();
    QVERIFY(windows.form1() && windows.facilityWindow() && windows.form11());

    // The main window follows the desktop.
    QVERIFY(luminance(window.palette().color(QPalette::Window)) < 0.3);

    const QList<QWidget*> designed{windows.form1(), windows.facilityWindow(), windows.form11(),
                                   windows.form3()};
    for (QWidget* form : designed) {
        const QColor background = form->palette().color(QPalette::Window);
        QVERIFY2(luminance(background) > 0.85, qPrintable(form->objectName()));
        // Every label, the fixed black figures and green titles included, stands out.
        for (QLabel* label : form->findChildren<QLabel*>()) {
            const QColor text = label->palette().color(QPalette::WindowText);
            QVERIFY2(luminance(background) - luminance(text) > 0.45,
                     qPrintable(form->objectName() + QLatin1Char('/') + label->objectName()));
        }
        for (QLineEdit* field : form->findChildren<QLineEdit*>()) {
            // Some fields are disabled until their option is chosen: the enabled colours count.
            const QString where = form->objectName() + QLatin1Char('/') + field->objectName();
            QVERIFY2(luminance(field->palette().color(QPalette::Active, QPalette::Base)) > 0.85,
                     qPrintable(where));
            QVERIFY2(luminance(field->palette().color(QPalette::Active, QPalette::Text)) < 0.2,
                     qPrintable(where));
        }
    }
    // Black stays black in the results panel's figures.
    for (int number : {3, 6, 12})
        QCOMPARE(windows.form11()->lbl(number)->palette().color(QPalette::WindowText),
                 QColor(Qt::black));
}

void DesktopTest::picturesAreDrawnForDoubleScale() {
    for (const char* name : {"new", "open", "save", "image", "print", "tovarin"}) {
        const QIcon icon = std::strcmp(name, "tovarin") == 0 ? programIcon() : toolbarIcon(name);
        QVERIFY2(!icon.isNull(), name);
        // At 200 % a 16-pixel button takes a picture drawn at 32 pixels, not one scaled up.
        const QPixmap doubled = icon.pixmap(QSize(16, 16), 2.0);
        QCOMPARE(doubled.size(), QSize(32, 32));
        QVERIFY2(icon.availableSizes().contains(QSize(32, 32)), name);
        QImage picture = doubled.toImage();
        int drawn = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                drawn += qAlpha(picture.pixel(x, y)) > 0 ? 1 : 0;
        QVERIFY2(drawn > 100, name);
    }
    QVERIFY(toolbarIcon("no-such-picture").isNull());
}

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
