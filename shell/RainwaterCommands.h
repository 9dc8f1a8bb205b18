#pragma once
// The report commands of the File menu for a rainwater document: "書き込み(&W)"
// appends the rainwater sheet to the report file by the sewage sheet's rules; the
// printing is report/RainwaterPrint's.

#include "engine/Rainwater.h"
#include "platform/qt/Platform.h"
#include "report/RainwaterPrint.h"

class QWidget;

namespace tovarin {

// Appends the whole rainwater sheet to the report file, then gives one alert sound
// per NG line written. When the file cannot be written, shows why in an error
// message box and returns false.
bool rainwaterKakikomi(Platform& platform, QWidget* parent, const RainwaterResult& result);

} // namespace tovarin
