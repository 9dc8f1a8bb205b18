#pragma once
// The command line of tovarin-sheet, read from the program's own arguments before Qt
// starts (Qt is given only the program's name), in the convention both programs share
// (shell/CommandLineConvention.h).

#include "shell/CommandLineConvention.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace tovarin {

enum class SheetToolMode {
    Sheet,
    Utf8Sheet,
    Results,
    Pdf,
    Csv,
    Xlsx,
    Sizes,
    Curve,
    Profile,
    Help,
    Version
};

struct SheetToolArguments {
    SheetToolMode output = SheetToolMode::Sheet;
    QStringList files;
    QString outputFile; // --pdf OUT.pdf, --xlsx OUT.xlsx, --curve OUT.(png|svg|pdf|csv), --profile
    QString profileOutlet;      // --profile --to MANHOLE: the outlet of the path drawn
    double minimumDiameter = 0; // --sizes --min-diameter MM: no ◎ below this nominal size
    UsageError error;           // why the arguments were refused; empty when they are usable
    bool valid() const { return error.isEmpty(); }

    // The names whose bytes are not UTF-8 (a file name in another encoding) cannot be
    // given to Qt, which would replace those bytes and so name another file. Each
    // stands in `files` or `outputFile` as a placeholder of its own position on the
    // command line (no decoded argument can equal it), mapped here to its bytes shown
    // readably (\xHH), for the message that refuses it.
    QHash<QString, QString> unusableNames;
};

// Reads the arguments as the program received them (the first is the program's name).
SheetToolArguments readSheetToolArguments(const QList<QByteArray>& arguments);

// The usage text (Japanese and English) and the longer help of --help.
QString sheetToolUsage();
QString sheetToolHelp();

} // namespace tovarin
