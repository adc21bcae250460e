#include "front_ends/window/message_box_pixels.h"

#include <algorithm>

namespace {

constexpr int margin = 16;
constexpr int button_width = 64;
constexpr int button_height = 24;
constexpr int button_gap = 16;
constexpr int least_width = 240;

const Rgb face = vga_colour(7);
const Rgb ink = vga_colour(0);
const Rgb lit_face = vga_colour(15);

std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n') lines.emplace_back();
        else lines.back() += c;
    }
    return lines;
}

void draw_button(PixelImage& image, const BoxButton& button, bool lit) {
    image.fill_rect(button.x, button.y, button.width, button.height, ink);
    image.fill_rect(button.x + 1, button.y + 1, button.width - 2, button.height - 2, lit ? lit_face : face);
    const int text_x = button.x + (button.width - static_cast<int>(button.label.size()) * cell_width) / 2;
    const int text_y = button.y + (button.height - cell_height) / 2;
    draw_text(image, text_x, text_y, button.label, ink, lit ? lit_face : face);
}

}  // namespace

BoxLayout layout_box(const std::string& text, bool yes_no) {
    BoxLayout layout;
    layout.lines = split_lines(text);
    if (yes_no) {
        layout.buttons = {{BoxButtonKind::yes, "Yes"}, {BoxButtonKind::no, "No"}};
    } else {
        layout.buttons = {{BoxButtonKind::ok, "OK"}};
    }
    size_t longest = 0;
    for (const std::string& line : layout.lines) longest = std::max(longest, line.size());
    const int buttons_width = static_cast<int>(layout.buttons.size()) * (button_width + button_gap) - button_gap;
    layout.width = std::max({least_width, static_cast<int>(longest) * cell_width + 2 * margin,
                             buttons_width + 2 * margin});
    const int buttons_y = margin + static_cast<int>(layout.lines.size()) * cell_height + margin;
    layout.height = buttons_y + button_height + margin;
    int x = (layout.width - buttons_width) / 2;
    for (BoxButton& button : layout.buttons) {
        button.x = x;
        button.y = buttons_y;
        button.width = button_width;
        button.height = button_height;
        x += button_width + button_gap;
    }
    return layout;
}

int button_at(const BoxLayout& layout, int x, int y) {
    for (size_t i = 0; i < layout.buttons.size(); ++i) {
        const BoxButton& b = layout.buttons[i];
        if (x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height) return static_cast<int>(i);
    }
    return -1;
}

void render_box(const BoxLayout& layout, int focused, PixelImage& image) {
    image.resize(layout.width, layout.height);
    image.fill_rect(0, 0, layout.width, layout.height, face);
    for (size_t i = 0; i < layout.lines.size(); ++i)
        draw_text(image, margin, margin + static_cast<int>(i) * cell_height, layout.lines[i], ink, face);
    for (size_t i = 0; i < layout.buttons.size(); ++i)
        draw_button(image, layout.buttons[i], static_cast<int>(i) == focused);
}
