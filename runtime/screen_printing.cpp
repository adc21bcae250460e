#include "runtime/screen_printing.h"

#include <algorithm>
#include <cstdint>

#include "runtime/key_codes.h"

namespace {

constexpr uint8_t text_colour = 0x07;   // foreground 7 on background 0
constexpr int tab_width = 8;

Cell blank_cell() { return Cell{code_blank, text_colour}; }

void scroll_up(ScreenPicture& picture) {
    auto& rows = picture.cells;
    std::copy(rows.begin() + picture.scroll_top, rows.begin() + picture.scroll_bottom,
              rows.begin() + picture.scroll_top - 1);
    rows[picture.scroll_bottom - 1].fill(blank_cell());
    picture.cursor_row = picture.scroll_bottom;
}

// A character that reaches column 80 leaves the cursor there with the
// pending wrap set; the next character written (or bell) begins the new
// row. That gives the same cells as beginning the row at once, and lets an
// end of row that follows begin just the one row.
void write_character(ScreenPicture& picture, uint8_t code) {
    if (picture.pending_wrap) {
        picture.pending_wrap = false;
        picture_begin_row(picture);
    }
    picture.cells[picture.cursor_row - 1][picture.cursor_column - 1] = Cell{code, text_colour};
    if (picture.cursor_column == screen_columns)
        picture.pending_wrap = true;
    else
        ++picture.cursor_column;
}

// Blanks up to the next tab stop (columns 9, 17, ... and the row's end).
void write_tab(ScreenPicture& picture) {
    do {
        write_character(picture, code_blank);
    } while ((picture.cursor_column - 1) % tab_width != 0 && !picture.pending_wrap);
}

// The bell writes no cell; like a character it first begins the row that
// a pending wrap holds back.
void write_bell(ScreenPicture& picture) {
    if (picture.pending_wrap) picture_end_row(picture);
}

void move_cursor(ScreenPicture& picture, int rows, int columns) {
    picture.pending_wrap = false;
    picture.cursor_row = std::clamp(picture.cursor_row + rows, picture.scroll_top, picture.scroll_bottom);
    picture.cursor_column = std::clamp(picture.cursor_column + columns, 1, screen_columns);
}

void move_home(ScreenPicture& picture) {
    picture.pending_wrap = false;
    picture.cursor_row = picture.scroll_top;
    picture.cursor_column = 1;
}

void clear_scrolling_area(ScreenPicture& picture) {
    for (int row = picture.scroll_top; row <= picture.scroll_bottom; ++row)
        picture.cells[row - 1].fill(blank_cell());
    move_home(picture);
}

void write_code(ScreenPicture& picture, uint8_t code) {
    switch (code) {
    case code_bell: write_bell(picture); break;
    case code_tab: write_tab(picture); break;
    case code_line_feed: case code_enter: picture_end_row(picture); break;
    case code_home: move_home(picture); break;
    case code_form_feed: clear_scrolling_area(picture); break;
    case code_cursor_right: move_cursor(picture, 0, 1); break;
    case code_cursor_left: move_cursor(picture, 0, -1); break;
    case code_cursor_up: move_cursor(picture, -1, 0); break;
    case code_cursor_down: move_cursor(picture, 1, 0); break;
    default: write_character(picture, code);
    }
}

}  // namespace

void picture_begin_row(ScreenPicture& picture) {
    picture.cursor_column = 1;
    if (picture.cursor_row == picture.scroll_bottom)
        scroll_up(picture);
    else if (picture.cursor_row < screen_rows)
        ++picture.cursor_row;
}

void picture_make_fit(ScreenPicture& picture, std::size_t item_length) {
    if (picture.pending_wrap || picture.cursor_column == 1) return;
    if (picture.cursor_column - 1 + item_length > std::size_t(screen_columns))
        picture_begin_row(picture);
}

void picture_write(ScreenPicture& picture, const std::string& text) {
    for (char c : text) write_code(picture, static_cast<uint8_t>(c));
}

void picture_end_row(ScreenPicture& picture) {
    picture.pending_wrap = false;
    picture_begin_row(picture);
}

void picture_use_bottom_row(ScreenPicture& picture) {
    picture.scroll_top = screen_rows;
    picture.scroll_bottom = screen_rows;
    picture.cursor_row = screen_rows;
    picture.pending_wrap = false;
    picture_begin_row(picture);
}
