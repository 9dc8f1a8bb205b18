#include "shell/CommandLineConvention.h"

#include "platform/StandardOutput.h"

namespace tovarin {

namespace {

// The holder of the copyright as LICENSE names it, and the project's address.
const QString copyrightLine = QStringLiteral("Copyright (c) 2026 Tovarin developers");
const QString faultAddress = QStringLiteral("tovarin@example.org");

const KnownOption* findKnown(const QList<KnownOption>& options, const QString& name) {
    for (const KnownOption& option : options) {
        const bool matches = name.size() == 1 ? option.letter == name.front() : option.name == name;
        if (matches)
            return &option;
    }
    return nullptr;
}

UsageError unknownOption(const QString& written) {
    return {QStringLiteral("不明なオプションです: %1").arg(written),
            QStringLiteral("unknown option: %1").arg(written)};
}

} // namespace

qsizetype ParsedArguments::count(const QString& name) const {
    qsizetype given = 0;
    for (const Given& option : options)
        given += option.name == name ? 1 : 0;
    return given;
}

const ParsedArguments::Given* ParsedArguments::find(const QString& name) const {
    for (auto option = options.crbegin(); option != options.crend(); ++option)
        if (option->name == name)
            return &*option;
    return nullptr;
}

ParsedArguments parseArguments(const QStringList& arguments, const QList<KnownOption>& options) {
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (qsizetype index = 1; index < arguments.size(); ++index) {
        const QString& argument = arguments.at(index);
        if (optionsEnded || argument.size() < 2 || !argument.startsWith(QLatin1Char('-'))) {
            parsed.operands << argument;
            parsed.operandPositions << index;
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        // "--name", "--name=VALUE", "-x", and "-name" read as "--name".
        const qsizetype dashes = argument.startsWith(QLatin1String("--")) ? 2 : 1;
        const QString word = argument.mid(dashes);
        const qsizetype equals = word.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? word : word.left(equals);
        const KnownOption* known = name.isEmpty() ? nullptr : findKnown(options, name);
        const QString written = argument.left(dashes + name.size());
        if (!known || (dashes == 2 && name.size() == 1)) {
            parsed.error = unknownOption(written);
            return parsed;
        }
        ParsedArguments::Given given{known->name, QString(), index};
        if (!known->takesValue && equals >= 0) {
            parsed.error = {QStringLiteral("オプション %1 に値は付けられません。").arg(written),
                            QStringLiteral("option %1 takes no value").arg(written)};
            return parsed;
        }
        if (known->takesValue && equals >= 0) {
            given.value = word.mid(equals + 1);
            given.joined = true;
        } else if (known->takesValue) {
            if (index + 1 >= arguments.size()) {
                parsed.error = {QStringLiteral("オプション %1 の後に値がありません。").arg(written),
                                QStringLiteral("option %1 needs a value").arg(written)};
                return parsed;
            }
            given.position = ++index;
            given.value = arguments.at(index);
        }
        parsed.options << given;
    }
    return parsed;
}

QString usageErrorText(const QString& program, const UsageError& error, const QString& usage) {
    return program + QStringLiteral(": ") + error.japanese + QLatin1Char('\n') + program +
           QStringLiteral(": ") + error.english + QLatin1Char('\n') + usage;
}

QString versionText(const QString& program) {
    return program + QStringLiteral(" " TOVARIN_VERSION "\n") + copyrightLine +
           QStringLiteral("\n"
                          "ライセンス: MIT License（無保証）\n"
                          "License: MIT License; there is NO WARRANTY.\n"
                          "汚水排水施設・雨水排水施設の流量計算書 / "
                          "sewage and rainwater drainage sheets\n");
}

QString reportFaultsText() {
    return QStringLiteral("\n不具合の報告先 / Report faults to: <%1>\n").arg(faultAddress);
}

int writeCommandLineAnswer(const QString& program, const QString& text) {
    if (writeStandardOutputText(text.toStdString()) && closeStandardOutput())
        return 0;
    const QString reason = QString::fromStdString(lastOutputFailureReason());
    const QString message = QStringLiteral("%1: 標準出力に書き込めませんでした（%2）。\n"
                                           "%1: cannot write to standard output: %2\n")
                                .arg(program, reason);
    writeStandardError(message.toStdString());
    return 1;
}

} // namespace tovarin
