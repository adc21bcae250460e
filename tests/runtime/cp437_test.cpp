#include "runtime/cp437.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Decodes one UTF-8 character; -1 when text is not exactly one.
long decode_one(const char* text) {
    const auto* b = reinterpret_cast<const unsigned char*>(text);
    size_t size = std::strlen(text);
    if (size == 1 && b[0] < 0x80) return b[0];
    if (size == 2 && (b[0] & 0xE0) == 0xC0 && (b[1] & 0xC0) == 0x80)
        return ((b[0] & 0x1F) << 6) | (b[1] & 0x3F);
    if (size == 3 && (b[0] & 0xF0) == 0xE0 && (b[1] & 0xC0) == 0x80 && (b[2] & 0xC0) == 0x80)
        return ((b[0] & 0x0F) << 12) | ((b[1] & 0x3F) << 6) | (b[2] & 0x3F);
    return -1;
}

TEST(Cp437, KnownGlyphs) {
    struct Case { int code; const char* utf8; };
    const Case cases[] = {
        {0, " "},    {1, "\u263A"}, {8, "\u25D8"}, {13, "\u266A"}, {31, "\u25BC"},
        {32, " "},   {65, "A"},     {126, "~"},    {127, "\u2302"}, {128, "\u00C7"},
        {130, "\u00E9"}, {158, "\u20A7"}, {176, "\u2591"}, {186, "\u2551"}, {201, "\u2554"},
        {205, "\u2550"}, {219, "\u2588"}, {224, "\u03B1"}, {227, "\u03C0"}, {254, "\u25A0"},
        {255, "\u00A0"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(cp437_to_utf8(static_cast<uint8_t>(c.code)), c.utf8) << "code " << c.code;
}

// Every glyph is one well-formed UTF-8 character, all of them differ, and
// the reverse lookup finds each code again (the blank of code 0 gives 32).
TEST(Cp437, EveryGlyphRoundTrips) {
    for (int code = 0; code < 256; ++code) {
        long code_point = decode_one(cp437_to_utf8(static_cast<uint8_t>(code)));
        ASSERT_GE(code_point, 0) << "code " << code;
        EXPECT_EQ(code_point, static_cast<long>(cp437_to_unicode(static_cast<uint8_t>(code))));
        EXPECT_EQ(cp437_from_unicode(static_cast<char32_t>(code_point)), code == 0 ? 32 : code)
            << "code " << code;
    }
}

TEST(Cp437, CharactersOutsideHaveNoCode) {
    for (char32_t c : {U'\u00F8', U'\u20AC', U'\u4E2D', U'\U0001F600', char32_t{0}})
        EXPECT_EQ(cp437_from_unicode(c), -1) << static_cast<long>(c);
}

TEST(Cp437, LinesAsUtf8KeepTheirLineFeeds) {
    EXPECT_EQ(cp437_lines_to_utf8("pi\x8a" "ce\n\x01\xab\xff\n"), "pi\u00e8ce\n\u263a\u00bd\u00a0\n");
    EXPECT_EQ(cp437_lines_to_utf8(""), "");
}

}  // namespace
