#include "platform/qt/Display.h"

namespace tovarin {

bool displayAvailable() {
    return true;
}

void useWindowSystemWithoutDisplay() {}

} // namespace tovarin
