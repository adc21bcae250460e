#include "front_ends/terminal/terminal_render.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/cp437.h"

namespace {

// A small terminal: the cursor addressing, colours, clearing and cursor
// visibility that the renderer uses, and UTF-8 glyphs.
struct FakeTerminal {
    int rows = 25, columns = 80;
    std::vector<std::vector<int>> code;     // code page 437 code shown, -1 none
    std::vector<std::vector<int>> colour;
    int row = 1, column = 1;
    int pen = 0x07;
    bool cursor_visible = true;
    int glyphs_written = 0;

    FakeTerminal() : code(rows, std::vector<int>(columns, -1)), colour(rows, std::vector<int>(columns, 0)) {}

    static int from_terminal(int n) {
        const int order[8] = {0, 4, 2, 6, 1, 5, 3, 7};
        return order[n];
    }
    void sgr(const std::vector<int>& params) {
        for (int p : params) {
            if (p >= 30 && p <= 37) pen = (pen & 0xF0) | from_terminal(p - 30);
            if (p >= 90 && p <= 97) pen = (pen & 0xF0) | (8 + from_terminal(p - 90));
            if (p >= 40 && p <= 47) pen = (pen & 0x0F) | (from_terminal(p - 40) << 4);
            if (p >= 100 && p <= 107) pen = (pen & 0x0F) | ((8 + from_terminal(p - 100)) << 4);
        }
    }
    void csi(const std::string& params, char final) {
        std::vector<int> numbers{0};
        bool is_private = !params.empty() && params[0] == '?';
        for (char c : params) {
            if (c == ';') numbers.push_back(0);
            else if (c >= '0' && c <= '9') numbers.back() = numbers.back() * 10 + (c - '0');
        }
        if (is_private && numbers[0] == 25) cursor_visible = final == 'h';
        else if (final == 'H') {
            row = numbers[0] == 0 ? 1 : numbers[0];
            column = numbers.size() > 1 && numbers[1] != 0 ? numbers[1] : 1;
        } else if (final == 'J' && numbers[0] == 2) {
            for (auto& r : code) r.assign(columns, 32);
        } else if (final == 'm') sgr(numbers);
    }
    void glyph(char32_t c) {
        ASSERT_TRUE(row >= 1 && row <= rows && column >= 1 && column <= columns);
        code[row - 1][column - 1] = cp437_from_unicode(c);
        colour[row - 1][column - 1] = pen;
        if (column < columns) ++column;
        ++glyphs_written;
    }
    void feed(const std::string& bytes) {
        glyphs_written = 0;
        for (size_t i = 0; i < bytes.size();) {
            auto b = static_cast<unsigned char>(bytes[i]);
            if (b == 0x1b && i + 1 < bytes.size() && bytes[i + 1] == '[') {
                size_t j = i + 2;
                while (j < bytes.size() && !(bytes[j] >= 0x40 && bytes[j] <= 0x7E)) ++j;
                csi(bytes.substr(i + 2, j - i - 2), bytes[j]);
                i = j + 1;
            } else if (b < 0x80) {
                glyph(b);
                ++i;
            } else {
                int length = b >= 0xE0 ? 3 : 2;
                char32_t c = length == 2 ? (b & 0x1F) : (b & 0x0F);
                for (int k = 1; k < length; ++k) c = (c << 6) | (bytes[i + k] & 0x3F);
                glyph(c);
                i += length;
            }
        }
    }
};

ScreenPicture sample_picture() {
    ScreenPicture p;
    for (int r = 0; r < screen_rows; ++r)
        for (int c = 0; c < screen_columns; ++c)
            p.cells[r][c] = Cell{static_cast<uint8_t>((r * screen_columns + c) % 256), 0x07};
    p.cells[0][1].colour = 0x1F;
    p.cells[24][79].colour = 0x70;
    return p;
}

void expect_shows(const FakeTerminal& t, const ScreenPicture& p) {
    for (int r = 0; r < screen_rows; ++r)
        for (int c = 0; c < screen_columns; ++c) {
            int code = p.cells[r][c].code == 0 ? 32 : p.cells[r][c].code;
            ASSERT_EQ(t.code[r][c], code) << "row " << r + 1 << " column " << c + 1;
            ASSERT_EQ(t.colour[r][c], p.cells[r][c].colour) << "row " << r + 1 << " column " << c + 1;
        }
}

TEST(TerminalRender, FirstDrawShowsEveryCell) {
    TerminalView view;
    FakeTerminal terminal;
    ScreenPicture picture = sample_picture();
    terminal.feed(render_changes(view, picture));
    expect_shows(terminal, picture);
    EXPECT_FALSE(terminal.cursor_visible);
}

TEST(TerminalRender, OnlyChangedCellsAreDrawnAgain) {
    TerminalView view;
    FakeTerminal terminal;
    ScreenPicture picture = sample_picture();
    terminal.feed(render_changes(view, picture));

    EXPECT_EQ(render_changes(view, picture), "");

    picture.cells[10][40].code = 'X';
    picture.cells[24][79] = Cell{201, 0x1F};
    picture.cells[3][0].colour = 0x4E;
    terminal.feed(render_changes(view, picture));
    expect_shows(terminal, picture);
    EXPECT_EQ(terminal.glyphs_written, 3);
}

TEST(TerminalRender, CursorOnlyWhileTheTextCursorIsVisible) {
    TerminalView view;
    FakeTerminal terminal;
    ScreenPicture picture;
    picture.text_cursor_visible = true;
    picture.cursor_row = 11;
    picture.cursor_column = 3;
    terminal.feed(render_changes(view, picture));
    EXPECT_TRUE(terminal.cursor_visible);
    EXPECT_EQ(terminal.row, 11);
    EXPECT_EQ(terminal.column, 3);

    // A typed character in column 80 with the wrap pending: the cursor stays there.
    picture.cells[10][79].code = 'a';
    picture.cursor_column = 80;
    picture.pending_wrap = true;
    terminal.feed(render_changes(view, picture));
    EXPECT_TRUE(terminal.cursor_visible);
    EXPECT_EQ(terminal.row, 11);
    EXPECT_EQ(terminal.column, 80);
    EXPECT_EQ(terminal.code[10][79], 'a');

    // Moving alone redraws no cell.
    picture.cursor_row = 12;
    picture.cursor_column = 1;
    terminal.feed(render_changes(view, picture));
    EXPECT_EQ(terminal.glyphs_written, 0);
    EXPECT_EQ(terminal.row, 12);

    picture.text_cursor_visible = false;
    terminal.feed(render_changes(view, picture));
    EXPECT_FALSE(terminal.cursor_visible);
    EXPECT_EQ(render_changes(view, picture), "");
}

TEST(TerminalRender, UnknownViewStartsFromAClearScreen) {
    TerminalView view;
    ScreenPicture picture = sample_picture();
    render_changes(view, picture);
    view.known = false;
    FakeTerminal terminal;
    terminal.feed(render_changes(view, picture));
    expect_shows(terminal, picture);
}

}  // namespace
