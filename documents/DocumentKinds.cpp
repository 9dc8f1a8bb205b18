#include "documents/DocumentKinds.h"

#include "documents/NetworkDocument.h"
#include "documents/RainwaterDocument.h"
#include "documents/SewageDocument.h"
#include "platform/qt/UserFolders.h"

#include <QStringList>

namespace tovarin {

DocumentKinds::DocumentKinds(SheetHost& host) : host_(host) {
    // Every kind, the sewage document first: New's, and the one a file is read as
    // when its first line names no other kind.
    documents_.push_back(std::make_unique<SewageDocument>(host));
    documents_.push_back(std::make_unique<RainwaterDocument>(host));
    documents_.push_back(std::make_unique<NetworkDocument>(host));
}

DocumentKinds::~DocumentKinds() = default;

SheetDocument& DocumentKinds::ofKind(DocumentKind kind) {
    for (const auto& document : documents_) {
        if (document->kind() == kind)
            return *document;
    }
    return first();
}

SheetDocument* DocumentKinds::current() const {
    for (const auto& document : documents_) {
        if (document->isOpen())
            return document.get();
    }
    return nullptr;
}

const PrintableSheet* DocumentKinds::printableSheet() const {
    for (const auto& document : documents_) {
        if (const PrintableSheet* sheet = document->printableSheet())
            return sheet;
    }
    return nullptr;
}

const PrintableSheet* DocumentKinds::reportSheet() const {
    if (const PrintableSheet* sheet = printableSheet())
        return sheet;
    return documents_.front()->draftSheet();
}

void DocumentKinds::closeAllBut(const SheetDocument& kept) {
    for (const auto& document : documents_) {
        if (document.get() != &kept)
            document->giveWay();
    }
}

void DocumentKinds::closeAll() {
    // The latest kinds first: the sewage windows, which the others sit in front of,
    // close last.
    for (auto document = documents_.rbegin(); document != documents_.rend(); ++document)
        (*document)->close();
}

void DocumentKinds::startAfresh() {
    for (auto document = documents_.rbegin(); document != documents_.rend(); ++document)
        (*document)->startAfresh();
}

namespace {

QString filterOf(const QString& name, const QStringList& suffixes) {
    QStringList dotted;
    QStringList patterns;
    for (const QString& suffix : suffixes) {
        dotted << QLatin1Char('.') + suffix;
        patterns << QStringLiteral("*.") + suffix;
    }
    return QStringLiteral("%1(%2) (%3)")
        .arg(name, dotted.join(QLatin1Char(' ')), patterns.join(QLatin1Char(' ')));
}

} // namespace

FileDialogRequest DocumentKinds::fileDialogRequest(const QString& title,
                                                   const SheetDocument* chosen) const {
    FileDialogRequest request;
    request.title = title;
    request.directory = documentDialogFolder();
    QStringList every;
    QStringList each;
    for (const auto& document : documents_) {
        every << document->suffix();
        if (document.get() != chosen)
            each << filterOf(document->typeName(), {document->suffix()});
    }
    const QString all = filterOf(QStringLiteral("Tovarin"), every);
    if (!chosen) {
        // Nothing on screen: every kind of document is shown first.
        request.filter = all;
        request.moreFilters = each;
        return request;
    }
    request.filter = filterOf(chosen->typeName(), {chosen->suffix()});
    request.moreFilters = each;
    request.moreFilters << all;
    if (chosen->addsSuffixWhenSaving())
        request.defaultSuffix = chosen->suffix();
    return request;
}

} // namespace tovarin
