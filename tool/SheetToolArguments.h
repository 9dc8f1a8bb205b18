#pragma once
// The command line of tovarin-sheet.

#include <QString>
#include <QStringList>

namespace tovarin {

enum class SheetToolMode { Sheet, Utf8Sheet, Results, Pdf, Csv, Sizes, Curve, Help, Version };

struct SheetToolArguments {
    SheetToolMode output = SheetToolMode::Sheet;
    QStringList files;
    QString outputFile;         // --pdf OUT.pdf, --curve OUT.(png|svg|pdf|csv)
    double minimumDiameter = 0; // --sizes --min-diameter MM: no ◎ below this nominal size
    QString error;              // why the arguments were refused; empty when they are usable
    bool valid() const { return error.isEmpty(); }
};

// Reads the arguments (the program name first, as QCoreApplication::arguments()).
SheetToolArguments readSheetToolArguments(const QStringList& arguments);

// The usage text (Japanese and English) and the longer help of --help.
QString sheetToolUsage();
QString sheetToolHelp();

} // namespace tovarin
