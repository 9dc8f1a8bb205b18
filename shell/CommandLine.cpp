#include "shell/CommandLine.h"

#include "documents/DocumentCommands.h"
#include "platform/qt/FileNames.h"
#include "shell/CommandLineConvention.h"
#include "shell/MDIFofm.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace tovarin {

namespace {

const QString programName = QStringLiteral("tovarin");

// The options of tovarin; a new one is a line here and its answer in readCommandLine.
const QList<KnownOption> tovarinOptions = {
    {QStringLiteral("help"), QLatin1Char('h')},
    {QStringLiteral("version"), QLatin1Char('v')},
    {QStringLiteral("aids"), QChar()},
};

QString usageLine() {
    return QStringLiteral("使い方 / Usage: tovarin [--help] [--version] [FILE.tvr | FILE.tvu]\n"
                          "                tovarin --aids [FILE.tvr…]\n");
}

QString helpText() {
    return usageLine() +
           QStringLiteral(
               "\n"
               "汚水排水施設と雨水排水施設の流量計算を行い、それぞれの流量計算書を作成します。\n"
               "FILE.tvr（汚水）又は FILE.tvu（雨水）を指定すると、起動後にその計算データを開きます"
               "（メニューの「開く」と同じ）。\n"
               "Hydraulic check of sewage and of rainwater drainage facilities, each with its\n"
               "calculation sheet. With FILE.tvr or FILE.tvu the program opens that document\n"
               "after start-up, as File → Open does.\n"
               "\n"
               "  --aids         設計補助（管径の比較・水理特性曲線・一覧表）の画面だけを開く\n"
               "                 / open the design aids window alone\n"
               "  -h, --help     この説明を表示して終了 / show this help and exit\n"
               "  -v, --version  バージョンを表示して終了 / show the version and exit\n"
               "\n"
               "画面のない環境では tovarin-sheet を使ってください。\n"
               "Without a display, use tovarin-sheet.\n") +
           reportFaultsText();
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

StartRequest answer(StartRequest::Action action, const QString& output) {
    StartRequest request;
    request.action = action;
    request.output = output;
    return request;
}

// --aids FILE.tvr…: every document by its own bytes, as for one document.
StartRequest startAids(const QList<QByteArray>& arguments, const ParsedArguments& parsed) {
    StartRequest request;
    request.aids = true;
    for (qsizetype index = 0; index < parsed.operands.size(); ++index) {
        const QByteArray bytes = arguments.value(parsed.operandPositions.at(index),
                                                 QFile::encodeName(parsed.operands.at(index)));
        const StartRequest one = startWithDocument(bytes);
        if (one.action == StartRequest::Action::Refuse)
            return one;
        request.aidsDocuments << one.document;
    }
    return request;
}

} // namespace

StartRequest readCommandLine(const QList<QByteArray>& arguments) {
    QStringList texts;
    for (const QByteArray& argument : arguments)
        texts << nameOfArgument(argument);
    if (texts.isEmpty())
        texts << programName;

    const ParsedArguments parsed = parseArguments(texts, tovarinOptions);
    if (!parsed.error.isEmpty())
        return refuse(usageErrorText(programName, parsed.error, usageLine()), 2);
    if (parsed.count(QStringLiteral("help")))
        return answer(StartRequest::Action::PrintHelp, helpText());
    if (parsed.count(QStringLiteral("version")))
        return answer(StartRequest::Action::PrintVersion, versionText(programName));
    if (parsed.count(QStringLiteral("aids")))
        return startAids(arguments, parsed);

    if (parsed.operands.size() > 1)
        return refuse(usageErrorText(programName,
                                     {QStringLiteral("開けるファイルは一つです。"),
                                      QStringLiteral("only one file can be opened")},
                                     usageLine()),
                      2);
    if (parsed.operands.isEmpty())
        return {};
    return startWithDocument(arguments.value(parsed.operandPositions.first(),
                                             QFile::encodeName(parsed.operands.first())));
}

QString noDisplayMessage() {
    return QStringLiteral(
        "tovarin: 画面（ディスプレイ）が見つからないため起動できません。"
        "デスクトップの中で起動するか、計算書だけなら tovarin-sheet を使ってください。\n"
        "tovarin: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the windows "
        "cannot be shown. Start it from a desktop session, or use tovarin-sheet for the "
        "calculation sheet.\n");
}

QString windowSystemFailedMessage() {
    QStringList settings;
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!qEnvironmentVariableIsEmpty(variable))
            settings << QLatin1String(variable) + QLatin1Char('=') + qEnvironmentVariable(variable);
    }
    const QString where = settings.join(QStringLiteral(", "));
    return QStringLiteral(
               "tovarin: 画面（%1）に接続できないため起動できません。"
               "デスクトップの中で起動するか、計算書だけなら tovarin-sheet を使ってください。\n"
               "tovarin: cannot connect to the display (%1), so the windows cannot be shown. "
               "Start it from a desktop session, or use tovarin-sheet for the calculation sheet.\n")
        .arg(where);
}

void openStartDocument(MDIFofm& window, const QString& path) {
    window.documentCommands().openDocumentForUser(path);
}

} // namespace tovarin
