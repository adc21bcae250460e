// A picture of the 80 by 25 text screen: its cells, its cursor and its
// scrolling area.
#pragma once

#include <array>
#include <cstdint>

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
