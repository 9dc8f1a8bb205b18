#pragma once
// The design aids of tovarin-sheet for one sewage document: the trial of every
// catalogue size and the hydraulic characteristic curves, each returning the exit
// status of the tool; and how such a document is opened on the never-shown window.

#include "tool/SheetToolConsole.h"

#include <QString>

namespace tovarin {

class MDIFofm;

// Puts the tool's main window back to the program's start-up state before the next
// document, as if the program had just started.
void startNextDocument(MDIFofm& window);
// startNextDocument, then the document opened by the File menu's reader; false (with
// the message already on standard error) when no result came of it.
bool openForResult(ConsolePlatform& platform, MDIFofm& window, const QString& file);

// --sizes FILE.tvr: the size table of a catalogue pipe on standard output.
int writeSizeTable(ConsolePlatform& platform, const QString& file, double minimumNominal);
// --curve OUT FILE.tvr: the curves as a PNG, SVG or PDF drawing or a CSV table.
int writeCharacteristicCurves(ConsolePlatform& platform, const QString& output,
                              const QString& file);
// --profile OUT [--to MANHOLE] FILE.tvn: the network's profile as a PNG, SVG or PDF
// drawing, along the longest path to the outlet named (or to the first outlet).
int writeNetworkProfile(ConsolePlatform& platform, const QString& output, const QString& outlet,
                        const QString& file);

} // namespace tovarin
