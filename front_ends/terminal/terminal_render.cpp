#include "front_ends/terminal/terminal_render.h"

#include "front_ends/terminal/terminal_sequences.h"
#include "runtime/cp437.h"

namespace {

namespace ts = terminal_sequence;

// The text screen's colour numbers 0 to 7 (black, blue, green, cyan, red,
// magenta, brown, grey) as the terminal's (black, red, green, yellow, ...).
constexpr int terminal_colour[8] = {0, 4, 2, 6, 1, 5, 3, 7};

bool same_cell(const Cell& a, const Cell& b) {
    return a.code == b.code && a.colour == b.colour;
}

struct Pen {
    int row = 0;      // where the terminal cursor stands; 0 when unknown
    int column = 0;
    int colour = -1;  // -1 when unknown
};

void draw_cell(std::string& out, Pen& pen, int row, int column, const Cell& cell) {
    if (pen.row != row || pen.column != column) out += cursor_to(row, column);
    if (pen.colour != cell.colour) out += colour_sequence(cell.colour);
    out += cp437_to_utf8(cell.code);
    pen.row = row;
    pen.colour = cell.colour;
    // After the last column the terminal's own cursor rules differ; address anew.
    pen.column = column < screen_columns ? column + 1 : 0;
}

void draw_cells(std::string& out, const TerminalView& view, const ScreenPicture& next) {
    Pen pen;
    for (int r = 0; r < screen_rows; ++r)
        for (int c = 0; c < screen_columns; ++c) {
            const Cell& cell = next.cells[r][c];
            if (view.known && same_cell(view.shown.cells[r][c], cell)) continue;
            draw_cell(out, pen, r + 1, c + 1, cell);
        }
}

bool cursor_moved(const TerminalView& view, const ScreenPicture& next) {
    return view.shown.cursor_row != next.cursor_row ||
           view.shown.cursor_column != next.cursor_column;
}

}  // namespace

std::string cursor_to(int row, int column) {
    return ts::cursor_to(row, column);
}

std::string colour_sequence(uint8_t colour) {
    int fg = colour & 0x0F;
    int bg = (colour >> 4) & 0x0F;
    int fg_code = (fg < 8 ? 30 : 90) + terminal_colour[fg & 7];
    int bg_code = (bg < 8 ? 40 : 100) + terminal_colour[bg & 7];
    return ts::colours(fg_code, bg_code);
}

std::string render_changes(TerminalView& view, const ScreenPicture& next) {
    std::string cells;
    if (!view.known) cells = ts::joined({ts::own_colours, ts::cursor_home, ts::screen_blank});
    draw_cells(cells, view, next);

    bool want_cursor = next.text_cursor_visible;
    bool cursor_changed = !view.known || want_cursor != view.cursor_shown ||
                          (want_cursor && cursor_moved(view, next));
    std::string out;
    if (!cells.empty() || cursor_changed) {
        // Hidden while drawing, so it never flickers across the screen.
        if (view.cursor_shown || !view.known) out += ts::cursor_hidden;
        out += cells;
        if (want_cursor) {
            out += cursor_to(next.cursor_row, next.cursor_column);
            out += ts::cursor_shown;
        }
    }
    view.shown = next;
    view.known = true;
    view.cursor_shown = want_cursor;
    return out;
}
