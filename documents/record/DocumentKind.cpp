#include "documents/record/DocumentKind.h"

#include "documents/record/NetworkRecord.h"
#include "documents/record/RainwaterRecord.h"

namespace tovarin {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// Whether the text's first line is exactly the heading.
bool startsWithHeading(std::string_view bytes, std::string_view heading) {
    if (bytes.substr(0, byteOrderMark.size()) == byteOrderMark)
        bytes.remove_prefix(byteOrderMark.size());
    if (bytes.substr(0, heading.size()) != heading)
        return false;
    const std::string_view after = bytes.substr(heading.size());
    return after.empty() || after.front() == '\n' || after.front() == '\r';
}

} // namespace

DocumentKind documentKindOf(std::string_view firstBytes) {
    if (startsWithHeading(firstBytes, rainwaterDocumentHeading))
        return DocumentKind::Rainwater;
    if (startsWithHeading(firstBytes, rainwaterNetworkHeading) ||
        startsWithHeading(firstBytes, sewageNetworkHeading))
        return DocumentKind::Network;
    return DocumentKind::Sewage;
}

} // namespace tovarin
