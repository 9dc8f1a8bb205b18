// Code page 932 as the report file and the documents store text: the same bytes on
// every system, whichever conversion the system has.

#include "platform/Cp932.h"

#include <gtest/gtest.h>

using namespace tovarin;

TEST(Cp932, EncodesTheSheetCharacters) {
    const cp932::EncodeResult r = cp932::encode("㍑―･φ‰∴\u3000");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.bytes, "\x87\x67\x81\x5c\xa5\x83\xd3\x81\xf1\x81\x88\x81\x40");

    const cp932::DecodeResult back = cp932::decode(r.bytes);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.utf8, "㍑―･φ‰∴\u3000");
}

TEST(Cp932, MapsLookAlikesToTheCodePageCharacters) {
    const cp932::EncodeResult r = cp932::encode("\u2014\u301C\u2212\u2016\u00A2\u00AC");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.bytes, "\x81\x5c\x81\x60\x81\x7c\x81\x61\x81\x91\x81\xca");
    EXPECT_EQ(cp932::decode(r.bytes).utf8, "\u2015\uFF5E\uFF0D\u2225\uFFE0\uFFE2");
}

TEST(Cp932, ReportsTheFirstCharacterItCannotHold) {
    const cp932::EncodeResult r = cp932::encode("ab\u00E9c😀");
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(*r.unencodable, "\u00E9");
    EXPECT_TRUE(r.bytes.empty());
}

TEST(Cp932, ReportsACharacterThatWouldReadBackAsAnother) {
    // The yen sign would be written as the backslash byte and read back as "\\".
    const cp932::EncodeResult yen = cp932::encode("Ｕ字溝 \u00A5300");
    EXPECT_FALSE(yen.ok());
    EXPECT_EQ(*yen.unencodable, "\u00A5");
    EXPECT_EQ(*cp932::encode("a\u203E").unencodable, "\u203E");
    EXPECT_EQ(cp932::encode("\\~").bytes, "\\~");
}

TEST(Cp932, RejectsBrokenBytes) {
    EXPECT_FALSE(cp932::decode("ab\x81").ok); // lead byte without its trail byte
    EXPECT_TRUE(cp932::decode("").ok);
}

// The extensions of the code page (NEC special characters, NEC-selected and IBM
// extensions) are written as one fixed byte pair each, and a character that has two
// pairs reads back from either: the same sheet bytes on Linux and on Windows.
TEST(Cp932, WritesEveryExtensionCharacterAsItsOneBytePair) {
    const cp932::EncodeResult r = cp932::encode("①Ⅰⅰ髙＼￤纊∵≒㈱№ｱﾞ");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.bytes, "\x87\x40\x87\x54\xfa\x40\xfb\xfc\x81\x5f\xfa\x55\xfa\x5c\x81\xe6"
                       "\x81\xe0\x87\x8a\x87\x82\xb1\xde");
    EXPECT_EQ(cp932::decode("\xed\x40\x87\x90\xfa\x54").utf8, "纊≒￢");
    EXPECT_EQ(cp932::decode("\x97\xac\x97\xca\x8c\x76\x8e\x5a\x8f\x91").utf8, "流量計算書");
}

// Single bytes the code page leaves undefined are broken text, not private characters.
TEST(Cp932, RejectsBytesTheCodePageLeavesUndefined) {
    for (const char* bytes : {"a\x80", "a\xa0", "\xfd", "\xfe", "\xff", "\x85\x40", "\x81\x7f"})
        EXPECT_FALSE(cp932::decode(bytes).ok) << bytes;
    EXPECT_EQ(cp932::decode("\xa5\x5c\x7e").utf8, "･\\~");
}
