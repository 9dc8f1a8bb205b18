#include "documents/NetworkDocument.h"

#include "documents/DocumentFile.h"
#include "documents/record/NetworkRecord.h"
#include "sheets/NetworkProfileView.h"
#include "sheets/SheetHost.h"

namespace tovarin {

NetworkDocument::NetworkDocument(SheetHost& host) : host_(host), windows_(host) {}

NetworkDocument::~NetworkDocument() = default;

void NetworkDocument::newDocument() {
    windows_.newDocument(newKind_);
    saved_ = windows_.input();
}

bool NetworkDocument::read(const QString& path) {
    const DocumentBytes file = readDocumentBytes(path);
    if (!file.bytes) {
        showInputError(host_.platform(), host_.dialogParent(), file.message);
        return false;
    }
    NetworkDocumentRead parsed = parseNetworkDocument(*file.bytes);
    if (!parsed.input) {
        showInputError(host_.platform(), host_.dialogParent(),
                       cannotOpenDocument(path, QString::fromStdString(parsed.message)));
        return false;
    }
    read_ = std::move(parsed.input);
    return true;
}

OpenOutcome NetworkDocument::showRead(const QString& path) {
    windows_.showInput(*read_);
    read_.reset();
    saved_ = windows_.input();
    setTitle(path);
    return windows_.compute() ? OpenOutcome::Restored : OpenOutcome::RestoredNoResult;
}

WriteOutcome NetworkDocument::save(const QString& path) {
    const NetworkInput input = windows_.input();
    const NetworkDocumentText document = networkDocumentText(input);
    if (!document.ok()) {
        showInputError(host_.platform(), host_.dialogParent(),
                       QStringLiteral("ファイル「%1」に保存できませんでした。\n%2")
                           .arg(path, QString::fromStdString(document.message)));
        if (const auto refused = networkStructure(input).refusal)
            windows_.focusRefusal(*refused);
        return WriteOutcome::Refused;
    }
    const QString failure = writeDocumentFile(path, document.text);
    if (failure.isEmpty()) {
        saved_ = input;
        return WriteOutcome::Written;
    }
    showInputError(host_.platform(), host_.dialogParent(), failure);
    return WriteOutcome::Failed;
}

const PrintableSheet* NetworkDocument::printableSheet() const {
    const NetworkResult* result = windows_.result();
    const NetworkLevels* levels = windows_.levels();
    if (!result || !levels || !windows_.sheet())
        return nullptr;
    report_.emplace(*result, *levels, windows_.sheet()->profileView()->path());
    return &*report_;
}

} // namespace tovarin
