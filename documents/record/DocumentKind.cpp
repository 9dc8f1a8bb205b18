#include "documents/record/DocumentKind.h"

#include "documents/record/NetworkRecord.h"
#include "documents/record/RainwaterRecord.h"
#include "documents/record/TextDocument.h"

namespace tovarin {

DocumentKind documentKindOf(std::string_view firstBytes) {
    // A heading saved in another encoding still tells the kind: its reader says
    // what to do.
    if (headingEncoding(firstBytes, rainwaterDocumentHeading) != HeadingEncoding::None)
        return DocumentKind::Rainwater;
    if (headingEncoding(firstBytes, rainwaterNetworkHeading) != HeadingEncoding::None ||
        headingEncoding(firstBytes, sewageNetworkHeading) != HeadingEncoding::None)
        return DocumentKind::Network;
    return DocumentKind::Sewage;
}

} // namespace tovarin
