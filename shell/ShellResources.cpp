#include "shell/ShellResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE has to stand outside any namespace.
static void registerIconResources() {
    Q_INIT_RESOURCE(icons);
#ifdef TOVARIN_RASTER_ICONS
    Q_INIT_RESOURCE(raster_icons);
#endif
}

namespace tovarin {

void initShellResources() {
    static const bool registered = [] {
        registerIconResources();
        return true;
    }();
    (void)registered;
}

} // namespace tovarin
