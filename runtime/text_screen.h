// The 80 by 25 text screen: cells, cursor, printing and scrolling.
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int screen_columns = 80;
constexpr int screen_rows = 25;

struct Cell {
    uint8_t code = 32;
    uint8_t colour = 0x07;   // foreground 7 on background 0
    bool operator==(const Cell&) const = default;
};

struct ScreenPicture {
    std::array<std::array<Cell, screen_columns>, screen_rows> cells{};
    int cursor_row = 1;          // 1-based
    int cursor_column = 1;       // 1-based
    bool pending_wrap = false;
    int scroll_top = 1;          // the scrolling area, rows scroll_top..scroll_bottom
    int scroll_bottom = 24;
    bool text_cursor_visible = false;
    uint64_t version = 0;        // grows with every change, for redraws
};

// A consistent copy for the front ends (taken under the screen's lock).
ScreenPicture screen_snapshot();

// Printing, as the converter uses it.
void print_make_fit(const std::string& item);
void print_text(const std::string& text, bool end_row);

// The end-of-run prompt's bottom row: makes row 25 the whole scrolling
// area and begins a new row in it.
void screen_use_bottom_row();

// Back to the empty screen of a new run (tests).
void screen_reset();

// The rows 1..last non-blank row, each without trailing blanks, LF-ended.
std::string screen_text(const ScreenPicture& picture);
