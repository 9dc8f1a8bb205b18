#include "tests/documents/DocumentTestHost.h"

#include "documents/SewageDocument.h"

namespace tovarin::testing {

DocumentTestHost::DocumentTestHost(OnScreen onScreen) : onScreen_(onScreen) {
    kinds = std::make_unique<DocumentKinds>(*this);
    windows = &kinds->get<SewageDocument>().windows();
    commands = std::make_unique<DocumentCommands>(*this);
}

DocumentTestHost::~DocumentTestHost() {
    kinds->closeAll();
}

void DocumentTestHost::resultChanged() {
    TestHost::resultChanged();
    applyAvailability();
}

void DocumentTestHost::applyAvailability() {
    overwriteButton = kinds->printableSheet() && !fileName.isEmpty();
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
