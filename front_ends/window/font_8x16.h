// The 8 by 16 screen font in code page 437 order, built into the program
// from a Debian console font. Row 0 is the top; the leftmost pixel of a
// row is its high bit.
#pragma once

#include <array>
#include <cstdint>

using Glyph = std::array<uint8_t, 16>;

extern const std::array<Glyph, 256> font_8x16;
