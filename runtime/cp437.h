// Code page 437: the glyph of every character code of the text screen, as
// Unicode and as UTF-8, and the way back from a Unicode character.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The glyph of code as Unicode; code 0 shows as a blank.
char32_t cp437_to_unicode(uint8_t code);
// The glyph of code as a zero-ended UTF-8 text (1 to 3 bytes).
const char* cp437_to_utf8(uint8_t code);
// The code whose glyph is code_point, or -1 when code page 437 has none.
// A blank gives 32, never 0.
int cp437_from_unicode(char32_t code_point);
// The code that a typed character gives: as cp437_from_unicode, but -1 for
// the pictures of the control codes 0 to 31 and 127 (such as U+263A for 1):
// a text holding such a code would not hold that character (a file name
// keeps codes below 128 as they are).
int cp437_typed_code(char32_t code_point);
// A text of codes as UTF-8, every code as its glyph but the line feeds,
// which stay the line breaks they are.
std::string cp437_lines_to_utf8(std::string_view codes);
