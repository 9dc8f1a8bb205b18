#pragma once
// Kakikomi: appends the calculation sheet to the report file "Tvrn.txt" in the
// current working directory ("書き込み(&W)").

#include "engine/CalcSheet.h"
#include "platform/qt/Platform.h"
#include "report/PrintableSheet.h"

class QWidget;

namespace tovarin {

// Writes the whole sheet, then gives one alert sound per NG line written. When the
// file cannot be written, shows why in an error message box and returns false.
bool Kakikomi(Platform& platform, QWidget* parent, const PrintableSheet& sheet);
// The same for the sewage sheet of a calculation document.
bool Kakikomi(Platform& platform, QWidget* parent, const CalcSheet& sheet);

} // namespace tovarin
