// Reads text back from the window's pixels by matching each 8 by 16 cell
// against the glyphs of the built-in font.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "front_ends/window/font_8x16.h"
#include "front_ends/window/screen_pixels.h"

// The glyph that the cell at (x, y) shows in these colours; nothing when a
// pixel is of another colour.
inline std::optional<Glyph> cell_glyph(const PixelImage& image, int x, int y, Rgb foreground, Rgb background) {
    Glyph glyph{};
    for (int line = 0; line < cell_height; ++line)
        for (int bit = 0; bit < cell_width; ++bit) {
            const Rgb pixel = image.at(x + bit, y + line);
            if (pixel == foreground) glyph[line] |= 0x80 >> bit;
            else if (pixel != background) return std::nullopt;
        }
    return glyph;
}

// The character of a glyph: printable ASCII first, so that a blank cell
// reads as 32; '?' for a cell that no glyph matches.
inline char glyph_character(const std::optional<Glyph>& glyph) {
    static const std::map<Glyph, char> characters = [] {
        std::map<Glyph, char> map;
        for (int code = 255; code >= 0; --code) map[font_8x16[code]] = static_cast<char>(code);
        for (int code = 126; code >= 32; --code) map[font_8x16[code]] = static_cast<char>(code);
        return map;
    }();
    if (!glyph) return '?';
    const auto found = characters.find(*glyph);
    return found == characters.end() ? '?' : found->second;
}

// count cells from (x, y) to the right, trailing blanks dropped.
inline std::string read_cells(const PixelImage& image, int x, int y, int count, Rgb foreground, Rgb background) {
    std::string text;
    for (int i = 0; i < count && x + (i + 1) * cell_width <= image.width; ++i)
        text += glyph_character(cell_glyph(image, x + i * cell_width, y, foreground, background));
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// Rows 1 to 25 of the text screen (index 0 unused), in colour 7 on 0.
inline std::vector<std::string> window_rows(const PixelImage& image) {
    std::vector<std::string> rows(screen_rows + 1);
    if (image.width < frame_width || image.height < frame_height) return rows;
    for (int row = 1; row <= screen_rows; ++row)
        rows[row] = read_cells(image, 0, (row - 1) * cell_height, screen_columns, vga_colour(7), vga_colour(0));
    return rows;
}
