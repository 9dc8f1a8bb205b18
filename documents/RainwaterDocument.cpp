#include "documents/RainwaterDocument.h"

#include "documents/RainwaterFile.h"
#include "engine/RainwaterFields.h"
#include "sheets/SheetHost.h"

namespace tovarin {

RainwaterDocument::RainwaterDocument(SheetHost& host) : host_(host), windows_(host) {}

RainwaterDocument::~RainwaterDocument() = default;

void RainwaterDocument::newDocument() {
    windows_.newDocument();
}

bool RainwaterDocument::read(const QString& path) {
    RainwaterFileRead read = readRainwaterFile(path);
    if (!read.input) {
        showInputError(host_.platform(), host_.dialogParent(), read.message);
        return false;
    }
    read_ = std::move(read.input);
    return true;
}

OpenOutcome RainwaterDocument::showRead(const QString& path) {
    windows_.showInput(*read_);
    read_.reset();
    setTitle(path);
    // Saved half done, it shows its inputs and no result until 計算. Complete, it is
    // computed as a sewage document is: a refusal is shown and its field focused.
    if (rainwaterInputIncomplete(windows_.input()))
        return OpenOutcome::RestoredNoResult;
    return windows_.compute() ? OpenOutcome::Restored : OpenOutcome::RestoredNoResult;
}

WriteOutcome RainwaterDocument::save(const QString& path) {
    const RainwaterInput input = windows_.input();
    const RainwaterFileWrite written = writeRainwaterFile(path, input);
    if (written.ok()) {
        windows_.markSaved(input);
        return WriteOutcome::Written;
    }
    showInputError(host_.platform(), host_.dialogParent(), written.message);
    if (const auto& refused = written.refusal) {
        windows_.focusField(refused->field, refused->row, refused->column);
        return WriteOutcome::Refused;
    }
    return WriteOutcome::Failed;
}

const PrintableSheet* RainwaterDocument::printableSheet() const {
    const RainwaterResult* result = windows_.result();
    if (!result)
        return nullptr;
    report_.emplace(*result);
    return &*report_;
}

} // namespace tovarin
