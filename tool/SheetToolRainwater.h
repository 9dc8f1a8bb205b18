#pragma once
// The rainwater documents (.tvu) in tovarin-sheet: the sheet, its UTF-8 text, the
// results as JSON, the PDF and the results table. A rainwater document needs no window:
// it is read, calculated and written by the Qt-free layers.

#include "engine/Rainwater.h"
#include "tool/SheetToolConsole.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace tovarin {

// A file the tool treats as a rainwater document: its name ends in ".tvu" (any case)
// or its first line is the rainwater document's.
bool isRainwaterFile(const QString& file);

// Reads and calculates the document; none (with the message on standard error under
// the document's name) when it cannot be read or its input is refused.
std::optional<RainwaterResult> rainwaterResultOf(ConsolePlatform& platform, const QString& file);

// --results: one JSON object on one line, the printed figures as strings
// (flowTime and concentrationTime null with 直接).
std::string rainwaterResultsLine(const QString& file, const RainwaterResult& result);

// --csv of rainwater documents: one row per document, a refused one with its message.
std::vector<std::string> rainwaterTableHeader();
int writeRainwaterTable(ConsolePlatform& platform, const QStringList& files);

} // namespace tovarin
