#include "tests/documents/DocumentTestHost.h"

namespace tovarin::testing {

DocumentTestHost::DocumentTestHost(OnScreen onScreen) : onScreen_(onScreen) {
    windows = std::make_unique<SewageWindows>(*this);
    commands = std::make_unique<DocumentCommands>(*this);
}

DocumentTestHost::~DocumentTestHost() = default;

void DocumentTestHost::resultChanged() {
    TestHost::resultChanged();
    applyAvailability();
}

void DocumentTestHost::applyAvailability() {
    overwriteButton = windows->hasResult() && !fileName.isEmpty();
}

void DocumentTestHost::newDocument() {
    windows->newDocument();
    fileName.clear();
    overwriteButton = false;
}

void DocumentTestHost::closeDocument() {
    windows->tojiru();
    setStatusMessage(QString());
    overwriteButton = false;
}

} // namespace tovarin::testing
