// The error box and the critical box drawn as pixels: the text lines in the
// screen font, then a row of buttons.
#pragma once

#include <string>
#include <vector>

#include "front_ends/window/screen_pixels.h"

enum class BoxButtonKind { yes, no, ok };

struct BoxButton {
    BoxButtonKind kind;
    std::string label;
    int x = 0, y = 0, width = 0, height = 0;
};

struct BoxLayout {
    int width = 0;
    int height = 0;
    std::vector<std::string> lines;
    std::vector<BoxButton> buttons;
};

// Lines are the text split at line feeds; Yes and No, or OK alone.
BoxLayout layout_box(const std::string& text, bool yes_no);
// The index of the button under (x, y), or -1.
int button_at(const BoxLayout& layout, int x, int y);
// The focused button is drawn lit.
void render_box(const BoxLayout& layout, int focused, PixelImage& image);
