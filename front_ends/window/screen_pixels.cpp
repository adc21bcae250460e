#include "front_ends/window/screen_pixels.h"

#include <array>
#include <string>

#include "front_ends/window/font_8x16.h"

namespace {

// The underline cursor of the VGA text modes: scan lines 13 and 14.
constexpr int cursor_first_line = 13;
constexpr int cursor_last_line = 14;

void draw_cell(PixelImage& frame, const ScreenPicture& picture, int row, int column) {
    const Cell& cell = picture.cells[row][column];
    draw_glyph(frame, column * cell_width, row * cell_height, cell.code,
               vga_colour(cell.colour & 0x0F), vga_colour(cell.colour >> 4));
}

void draw_cursor(PixelImage& frame, const ScreenPicture& picture) {
    const int row = picture.cursor_row - 1;
    const int column = picture.cursor_column - 1;
    if (row < 0 || row >= screen_rows || column < 0 || column >= screen_columns) return;
    const Rgb colour = vga_colour(picture.cells[row][column].colour & 0x0F);
    frame.fill_rect(column * cell_width, row * cell_height + cursor_first_line, cell_width,
                    cursor_last_line - cursor_first_line + 1, colour);
}

}  // namespace

void PixelImage::resize(int new_width, int new_height) {
    width = new_width;
    height = new_height;
    bytes.assign(static_cast<size_t>(width) * height * 3, 0);
}

Rgb PixelImage::at(int x, int y) const {
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return {bytes[i], bytes[i + 1], bytes[i + 2]};
}

void PixelImage::set(int x, int y, Rgb colour) {
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    bytes[i] = colour.red;
    bytes[i + 1] = colour.green;
    bytes[i + 2] = colour.blue;
}

void PixelImage::fill_rect(int x, int y, int w, int h, Rgb colour) {
    for (int row = y; row < y + h; ++row)
        for (int column = x; column < x + w; ++column) set(column, row, colour);
}

Rgb vga_colour(int index) {
    static constexpr std::array<Rgb, 16> palette = {{
        {0, 0, 0},       {0, 0, 170},     {0, 170, 0},     {0, 170, 170},
        {170, 0, 0},     {170, 0, 170},   {170, 85, 0},    {170, 170, 170},
        {85, 85, 85},    {85, 85, 255},   {85, 255, 85},   {85, 255, 255},
        {255, 85, 85},   {255, 85, 255},  {255, 255, 85},  {255, 255, 255},
    }};
    return palette[index & 0x0F];
}

void draw_glyph(PixelImage& image, int x, int y, uint8_t code, Rgb foreground, Rgb background) {
    const Glyph& glyph = font_8x16[code];
    for (int line = 0; line < cell_height; ++line)
        for (int bit = 0; bit < cell_width; ++bit)
            image.set(x + bit, y + line, (glyph[line] & (0x80 >> bit)) ? foreground : background);
}

void draw_text(PixelImage& image, int x, int y, const std::string& text, Rgb foreground, Rgb background) {
    for (unsigned char code : text) {
        draw_glyph(image, x, y, code, foreground, background);
        x += cell_width;
    }
}

void render_screen(const ScreenPicture& picture, bool cursor_on, PixelImage& frame) {
    if (frame.width != frame_width || frame.height != frame_height) frame.resize(frame_width, frame_height);
    for (int row = 0; row < screen_rows; ++row)
        for (int column = 0; column < screen_columns; ++column) draw_cell(frame, picture, row, column);
    if (cursor_on && picture.text_cursor_visible) draw_cursor(frame, picture);
}
