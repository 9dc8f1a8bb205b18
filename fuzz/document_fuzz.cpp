// Parses arbitrary bytes as a document file. When they read as a document, the
// record is written and read again: the second reading must give the same record,
// and writing that record must give the same bytes.

#include "documents/record/DocumentRecord.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "document_fuzz: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const tovarin::ParseResult first = tovarin::parse(bytes);
    if (!first.ok()) {
        if (!first.failure || first.message.empty())
            fail("a refused file carries no reason");
        return 0;
    }

    const tovarin::SerialiseResult written = tovarin::serialise(*first.record);
    if (!written.ok()) {
        if (written.failure->message.empty())
            fail("a refused record carries no message");
        // Every character that was read from code page 932 must be writable again.
        if (!written.failure->character.empty())
            fail("a character read from the file cannot be written back");
        if (!written.bytes.empty())
            fail("a refused record still produced bytes");
        return 0;
    }

    const tovarin::ParseResult second = tovarin::parse(written.bytes);
    if (!second.ok())
        fail("a written record does not read back");
    if (!(*second.record == *first.record))
        fail("a written record reads back different");

    const tovarin::SerialiseResult rewritten = tovarin::serialise(*second.record);
    if (!rewritten.ok() || rewritten.bytes != written.bytes)
        fail("writing the same record twice differs");
    return 0;
}
