// Parses arbitrary bytes as a document file of the kind its first bytes tell, as Open
// and the tool do. When they read as a document, the record is written and read
// again: the second reading must give the same record, and writing that record must
// give the same bytes. A rainwater document that reads is also computed: a result's
// every figure prints (none is beyond the range of numbers), and its sheet is text
// that code page 932 holds. Every refusal names its line and stays a short message.

#include "documents/record/DocumentKind.h"
#include "documents/record/DocumentRecord.h"
#include "documents/record/RainwaterRecord.h"
#include "engine/ControlCharacters.h"
#include "engine/Rainwater.h"
#include "sheettext/RainwaterSheetBuilder.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "document_fuzz: %s\n", what);
    std::abort();
}

// A message quotes at most a short piece of any value (messagePiece).
constexpr size_t longestMessage = 1000;

void checkRefusal(const std::string& message) {
    if (message.empty())
        fail("a refused rainwater document carries no message");
    if (message.find("行目：") == std::string::npos)
        fail("a refused rainwater document does not name its line");
    if (message.size() > longestMessage)
        fail("a refusal quotes a whole value");
}

void checkFigures(const tovarin::RainwaterResult& result) {
    const tovarin::RainwaterTexts t = tovarin::rainwaterTexts(result);
    for (const std::string* text :
         {&t.area, &t.runoffCoefficient, &t.velocity, &t.intensity, &t.plannedFlow, &t.capacity}) {
        if (text->empty())
            fail("a figure of a computed result does not print");
    }
    if (result.runoff <= 0 || result.intensity <= 0 || result.area <= 0)
        fail("a figure that multiplies into Q prints as 0");
    const tovarin::SheetText sheet = tovarin::rainwaterSheetText(result);
    if (!sheet.ok)
        fail("a document that reads gives no sheet");
}

void rainwater(std::string_view bytes) {
    const tovarin::RainwaterDocumentRead first = tovarin::parseRainwaterDocument(bytes);
    if (!first.input) {
        checkRefusal(first.message);
        return;
    }
    const tovarin::RainwaterDocumentText written = tovarin::rainwaterDocumentText(*first.input);
    if (!written.ok())
        fail("a rainwater document that reads cannot be saved");
    const tovarin::RainwaterDocumentRead second = tovarin::parseRainwaterDocument(written.text);
    if (!second.input)
        fail("a written rainwater document does not read back");
    if (!(*second.input == *first.input))
        fail("a written rainwater document reads back different");
    if (tovarin::rainwaterDocumentText(*second.input).text != written.text)
        fail("writing the same rainwater input twice differs");
    const tovarin::RainwaterOutcome outcome = tovarin::computeRainwater(*first.input);
    if (outcome.ok())
        checkFigures(outcome.result);
    else if (outcome.failure->message.empty())
        fail("a refused calculation carries no message");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (tovarin::documentKindOf(bytes.substr(0, tovarin::documentKindBytes)) ==
        tovarin::DocumentKind::Rainwater) {
        rainwater(bytes);
        return 0;
    }
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
        // Every character that was read from code page 932 must be writable again,
        // but for the control characters: a document that holds one opens (the sheet
        // shows it as "?"), and saving refuses it, naming it.
        const std::string& character = written.failure->character;
        if (!character.empty() && !tovarin::hasControlCharacter(character))
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
