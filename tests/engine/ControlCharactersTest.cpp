#include "engine/ControlCharacters.h"

#include <gtest/gtest.h>

#include <string>

namespace tovarin {
namespace {

// Every control character is shown as "?" (one column, in every code page), the
// bidirectional controls too: raw, U+202E would turn the rest of a line around.
TEST(ControlCharacters, ShowsEveryControlAsAQuestionMark) {
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {
        {"a\x1b[2Jb", "a?[2Jb"},
        {"a\tb\r\n\x07", "a\tb???"},
        {"a\xC2\x85z", "a?z"},                // U+0085
        {"fdp\u202Eexe.tvu", "fdp?exe.tvu"},  // right-to-left override
        {"\u202A\u202B\u202C\u202D", "????"}, // embeddings, pop
        {"\u2066\u2067\u2068\u2069", "????"}, // isolates
        {"\u200E\u200F\u061C", "???"},        // marks
        {"\u2065\u206A\u2010\u00A0\u202F", "\u2065\u206A\u2010\u00A0\u202F"}, // neighbours
        {"雨水", "雨水"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(visibleText(c.typed), c.shown) << c.typed;
        EXPECT_EQ(hasControlCharacter(c.typed), std::string(c.typed) != c.shown) << c.typed;
    }
}

// A message quotes at most 40 characters of a value, whole characters only.
TEST(ControlCharacters, MessagePieceIsShortAndWhole) {
    EXPECT_EQ(messagePiece("勾配"), "勾配");
    EXPECT_EQ(messagePiece(std::string(40, 'x')), std::string(40, 'x'));
    EXPECT_EQ(messagePiece(std::string(4'000'000, 'x')), std::string(40, 'x') + "…");
    std::string wide;
    for (int i = 0; i < 41; ++i)
        wide += "水";
    EXPECT_EQ(messagePiece(wide), wide.substr(0, 40 * 3) + "…");
    EXPECT_EQ(messagePiece("a\x1b"
                           "b"),
              "a?b");
    // A value cut inside a character by the file stays as it is, never cut further.
    EXPECT_EQ(messagePiece("a\xE6\xB0"), "a\xE6\xB0");
}

} // namespace
} // namespace tovarin
