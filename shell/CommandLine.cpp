#include "shell/CommandLine.h"

#include "documents/DocumentCommands.h"
#include "platform/qt/FileNames.h"
#include "shell/MDIFofm.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace tovarin {

namespace {

const QString kProgram = QStringLiteral("tovarin");

QString usageLine() {
    return QStringLiteral("使い方 / Usage: tovarin [--help] [--version] [FILE.tvr]\n");
}

// The help text is written here rather than taken from QCommandLineParser, which
// needs an application object that does not exist yet at this point.
QString helpText() {
    return usageLine() +
           QStringLiteral(
               "\n"
               "汚水排水施設の流量計算を行い、流量計算書を作成します。\n"
               "FILE.tvr を指定すると、起動後にその計算データを開きます"
               "（メニューの「開く」と同じ）。\n"
               "Hydraulic check of a sewage drainage facility. With FILE.tvr the program\n"
               "opens that document after start-up, as File → Open does.\n"
               "\n"
               "  -h, --help     この説明を表示して終了 / show this help and exit\n"
               "  -v, --version  バージョンを表示して終了 / show the version and exit\n"
               "\n"
               "画面のない環境では tovarin-sheet を使ってください。\n"
               "Without a display, use tovarin-sheet.\n");
}

StartRequest refuse(const QString& message, int status) {
    StartRequest request;
    request.action = StartRequest::Action::Refuse;
    request.output = message;
    request.exitStatus = status;
    return request;
}

// The document argument as a path the program can open: decoded as the system
// decodes file names, and refused when decoding would change the bytes.
StartRequest startWithDocument(const QByteArray& bytes) {
    const QString name = nameOfArgument(bytes);
    if (!argumentKeepsItsBytes(bytes)) {
        return refuse(QStringLiteral("tovarin: %1: %2\n"
                                     "tovarin: %1: the file name is not in UTF-8\n")
                          .arg(shownBytes(bytes), nameNotInSystemEncodingMessage()),
                      1);
    }
    StartRequest request;
    request.document = QFileInfo(name).absoluteFilePath();
    return request;
}

} // namespace

StartRequest readCommandLine(const QList<QByteArray>& arguments) {
    QStringList texts;
    for (const QByteArray& argument : arguments)
        texts << nameOfArgument(argument);
    if (texts.isEmpty())
        texts << kProgram;

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("FILE.tvr"), QString());

    if (!parser.parse(texts))
        return refuse(QStringLiteral("tovarin: %1\n").arg(parser.errorText()) + usageLine(), 2);
    if (parser.isSet(help)) {
        StartRequest request;
        request.action = StartRequest::Action::PrintHelp;
        request.output = helpText();
        return request;
    }
    if (parser.isSet(version)) {
        StartRequest request;
        request.action = StartRequest::Action::PrintVersion;
        request.output = QStringLiteral("tovarin " TOVARIN_VERSION "\n");
        return request;
    }

    const QStringList documents = parser.positionalArguments();
    if (documents.size() > 1)
        return refuse(
            QStringLiteral("tovarin: 開けるファイルは一つです / only one file can be opened\n") +
                usageLine(),
            2);
    if (documents.isEmpty())
        return {};
    // The document's own bytes: the last argument that decodes to its name.
    for (qsizetype index = texts.size() - 1; index > 0; --index) {
        if (texts.at(index) == documents.first())
            return startWithDocument(arguments.at(index));
    }
    return startWithDocument(QFile::encodeName(documents.first()));
}

QString noDisplayMessage() {
    return QStringLiteral(
        "tovarin: 画面（ディスプレイ）が見つからないため起動できません。"
        "デスクトップの中で起動するか、計算書だけなら tovarin-sheet を使ってください。\n"
        "tovarin: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the windows "
        "cannot be shown. Start it from a desktop session, or use tovarin-sheet for the "
        "calculation sheet.\n");
}

void openStartDocument(MDIFofm& window, const QString& path) {
    window.documentCommands().openDocument(path);
}

} // namespace tovarin
