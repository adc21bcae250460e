// Code page 437: the glyph of every character code of the text screen, as
// Unicode and as UTF-8, and the way back from a Unicode character.
#pragma once

#include <cstdint>

// The glyph of code as Unicode; code 0 shows as a blank.
char32_t cp437_to_unicode(uint8_t code);
// The glyph of code as a zero-ended UTF-8 text (1 to 3 bytes).
const char* cp437_to_utf8(uint8_t code);
// The code whose glyph is code_point, or -1 when code page 437 has none.
// A blank gives 32, never 0.
int cp437_from_unicode(char32_t code_point);
