// The window's pixels: the built-in font, the screen frame and the boxes.
#include <gtest/gtest.h>

#include <set>

#include "front_ends/window/font_8x16.h"
#include "front_ends/window/message_box_pixels.h"
#include "front_ends/window/screen_pixels.h"

namespace {

const Rgb grey{170, 170, 170};
const Rgb black{0, 0, 0};

bool font_bit(uint8_t code, int line, int bit) { return font_8x16[code][line] & (0x80 >> bit); }

// Every pixel of the cell at 0-based (row, column) shows the glyph of code.
void expect_cell(const PixelImage& frame, int row, int column, uint8_t code, Rgb foreground, Rgb background) {
    for (int line = 0; line < 16; ++line)
        for (int bit = 0; bit < 8; ++bit) {
            const Rgb want = font_bit(code, line, bit) ? foreground : background;
            ASSERT_EQ(frame.at(column * 8 + bit, row * 16 + line), want)
                << "code " << int(code) << " line " << line << " bit " << bit;
        }
}

}  // namespace

TEST(FontTable, HoldsTheCodePage437Glyphs) {
    EXPECT_EQ(font_8x16[32], Glyph{}) << "the blank";
    EXPECT_EQ(font_8x16[0], Glyph{});
    Glyph full;
    full.fill(0xFF);
    EXPECT_EQ(font_8x16[219], full) << "the full block";
    // The left and right half blocks (221, 222) and the vertical line (179).
    for (int line = 0; line < 16; ++line) {
        EXPECT_EQ(font_8x16[221][line], 0xF0) << line;
        EXPECT_EQ(font_8x16[222][line], 0x0F) << line;
        EXPECT_EQ(font_8x16[179][line], 0x18) << line;
    }
    std::set<Glyph> letters;
    for (int code = 'A'; code <= 'Z'; ++code) letters.insert(font_8x16[code]);
    EXPECT_EQ(letters.size(), 26u) << "every capital its own glyph";
    EXPECT_EQ(letters.count(Glyph{}), 0u);
}

TEST(ScreenFrame, DrawsEveryCellFromTheFontInItsColours) {
    ScreenPicture picture;
    picture.cells[0][0] = {'A', 0x07};
    picture.cells[0][79] = {219, 0x07};
    picture.cells[24][0] = {'g', 0x07};
    picture.cells[24][79] = {1, 0x1E};   // yellow on blue
    picture.cells[12][40] = {'%', 0x70}; // black on grey
    PixelImage frame;
    render_screen(picture, true, frame);
    ASSERT_EQ(frame.width, 640);
    ASSERT_EQ(frame.height, 400);
    expect_cell(frame, 0, 0, 'A', grey, black);
    expect_cell(frame, 0, 79, 219, grey, black);
    expect_cell(frame, 24, 0, 'g', grey, black);
    expect_cell(frame, 24, 79, 1, Rgb{255, 255, 85}, Rgb{0, 0, 170});
    expect_cell(frame, 12, 40, '%', black, grey);
    expect_cell(frame, 5, 5, ' ', grey, black);
}

TEST(ScreenFrame, TextCursorOnlyWhileShownAndInItsOnPhase) {
    ScreenPicture picture;
    picture.cursor_row = 11;
    picture.cursor_column = 3;
    struct Case { bool visible; bool on; bool drawn; };
    for (const Case c : {Case{true, true, true}, Case{true, false, false}, Case{false, true, false}}) {
        picture.text_cursor_visible = c.visible;
        PixelImage frame;
        render_screen(picture, c.on, frame);
        int lit = 0;
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 640; ++x)
                if (frame.at(x, y) != black) {
                    ++lit;
                    EXPECT_TRUE(x >= 16 && x < 24 && y >= 160 + 13 && y <= 160 + 14) << x << "," << y;
                }
        EXPECT_EQ(lit, c.drawn ? 16 : 0) << c.visible << c.on;
    }
}

TEST(MessageBox, LaysOutTheLinesAndButtons) {
    const BoxLayout box = layout_box("Line:94\nPath not found\nContinue?", true);
    EXPECT_EQ(box.lines, (std::vector<std::string>{"Line:94", "Path not found", "Continue?"}));
    ASSERT_EQ(box.buttons.size(), 2u);
    EXPECT_EQ(box.buttons[0].label, "Yes");
    EXPECT_EQ(box.buttons[1].label, "No");
    for (const BoxButton& b : box.buttons) {
        EXPECT_GE(b.x, 0);
        EXPECT_LE(b.x + b.width, box.width);
        EXPECT_GE(b.y, 16 + 3 * 16) << "below the text";
        EXPECT_LE(b.y + b.height, box.height);
        EXPECT_EQ(&box.buttons[button_at(box, b.x + b.width / 2, b.y + b.height / 2)], &b);
    }
    EXPECT_LE(box.buttons[0].x + box.buttons[0].width, box.buttons[1].x) << "side by side";
    EXPECT_EQ(button_at(box, 0, 0), -1);

    const BoxLayout wide = layout_box(std::string(60, 'x'), false);
    ASSERT_EQ(wide.buttons.size(), 1u);
    EXPECT_EQ(wide.buttons[0].label, "OK");
    EXPECT_GE(wide.width, 60 * 8);
}

TEST(MessageBox, DrawsTheTextInTheFont) {
    const BoxLayout box = layout_box("Line:94\nOut of memory", false);
    PixelImage image;
    render_box(box, 0, image);
    ASSERT_EQ(image.width, box.width);
    ASSERT_EQ(image.height, box.height);
    const Rgb face = image.at(1, 1);
    for (size_t i = 0; i < box.lines.size(); ++i) {
        const std::string& line = box.lines[i];
        for (size_t c = 0; c < line.size(); ++c)
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 8; ++x) {
                    const Rgb want = font_bit(line[c], y, x) ? black : face;
                    ASSERT_EQ(image.at(16 + int(c) * 8 + x, 16 + int(i) * 16 + y), want) << line;
                }
    }
}
