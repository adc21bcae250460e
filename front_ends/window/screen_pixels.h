// The text screen drawn as pixels: 8 by 16 pixel cells in the VGA colours,
// the frames that the window shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/text_screen.h"

constexpr int cell_width = 8;
constexpr int cell_height = 16;
constexpr int frame_width = screen_columns * cell_width;    // 640
constexpr int frame_height = screen_rows * cell_height;     // 400

struct Rgb {
    uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
};

// RGB pixels, 3 bytes each, the top row first.
struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bytes;
    void resize(int new_width, int new_height);
    Rgb at(int x, int y) const;
    void set(int x, int y, Rgb colour);
    void fill_rect(int x, int y, int w, int h, Rgb colour);
};

// One of the 16 colours of the VGA text modes (7 is light grey).
Rgb vga_colour(int index);

// The glyph of code with its top left pixel at (x, y).
void draw_glyph(PixelImage& image, int x, int y, uint8_t code, Rgb foreground, Rgb background);
void draw_text(PixelImage& image, int x, int y, const std::string& text, Rgb foreground, Rgb background);

// The whole screen, 640 by 400 pixels; the text cursor is drawn when
// cursor_on is set and the picture shows it.
void render_screen(const ScreenPicture& picture, bool cursor_on, PixelImage& frame);
