// Draws the text screen on a terminal: the bytes that turn what the
// terminal shows into a new picture, touching only the cells that changed.
#pragma once

#include <string>

#include "runtime/text_screen.h"

// What the terminal shows now, as far as the renderer knows.
struct TerminalView {
    ScreenPicture shown;
    bool known = false;        // false: clear and draw every cell
    bool cursor_shown = false;
};

// The bytes that draw next from the top-left corner: glyphs as UTF-8, the
// cell colours, and the cursor at the text cursor's cell only while that is
// visible. Empty when nothing changed. Updates view to next.
std::string render_changes(TerminalView& view, const ScreenPicture& next);

// The terminal's cursor addressing and colour for one cell colour.
std::string cursor_to(int row, int column);
std::string colour_sequence(uint8_t colour);
