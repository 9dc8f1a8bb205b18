#include "tool/ToolDocument.h"

#include "documents/DocumentFile.h"

namespace tovarin {

namespace {

struct KindOfDocument {
    DocumentKind kind;
    std::unique_ptr<ToolDocument> (*make)(ConsolePlatform&);
};

// Every kind the tool reads.
const KindOfDocument kindsOfDocument[] = {
    {DocumentKind::Sewage, sewageToolDocument},
    {DocumentKind::Rainwater, rainwaterToolDocument},
    {DocumentKind::Network, networkToolDocument},
};

} // namespace

DocumentKind ToolDocuments::kindOf(const QString& file) const {
    if (platform_.unusableNames.contains(file))
        return DocumentKind::Sewage;
    return documentKindOfFile(file);
}

ToolDocument& ToolDocuments::of(DocumentKind kind) {
    std::unique_ptr<ToolDocument>& made = made_[kind];
    if (!made) {
        for (const KindOfDocument& known : kindsOfDocument)
            if (known.kind == kind)
                made = known.make(platform_);
    }
    return *made;
}

} // namespace tovarin
