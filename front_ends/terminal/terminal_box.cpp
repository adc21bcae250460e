#include "front_ends/terminal/terminal_box.h"

#include <algorithm>
#include <cctype>

#include "runtime/key_codes.h"

namespace {

constexpr uint8_t box_colour = 0x70;        // black on grey
constexpr uint8_t selected_colour = 0x1F;   // bright white on blue
constexpr uint8_t frame_top_left = 201, frame_top_right = 187;
constexpr uint8_t frame_bottom_left = 200, frame_bottom_right = 188;
constexpr uint8_t frame_across = 205, frame_down = 186;
constexpr int max_inner = screen_columns - 4;

// "[ Yes ]" when selected, "  No   " otherwise: the brackets show the choice
// also where colours do not.
std::string button_label(const std::string& name, bool selected) {
    return selected ? "[ " + name + " ]" : "  " + name + "  ";
}

int buttons_width(const MessageBox& box) {
    int width = 0;
    for (const std::string& b : box.buttons) width += static_cast<int>(b.size()) + 4 + 1;
    return width - 1;
}

int inner_width(const MessageBox& box) {
    int width = std::max(static_cast<int>(box.title.size()) + 2, buttons_width(box));
    for (const std::string& line : box.lines) width = std::max(width, static_cast<int>(line.size()));
    return std::min(width + 4, max_inner);
}

// Paints the box row by row, from its top edge down.
struct Painter {
    ScreenPicture& picture;
    int row;   // 1-based row painted next
    int left;  // 1-based column of the frame's left edge
    int width; // between the frame's edges

    void put(int column, uint8_t code, uint8_t colour) {
        if (row < 1 || row > screen_rows || column < 1 || column > screen_columns) return;
        picture.cells[row - 1][column - 1] = Cell{code, colour};
    }
    void text(int column, const std::string& s, uint8_t colour, int limit) {
        for (int i = 0; i < static_cast<int>(s.size()) && i < limit; ++i)
            put(column + i, static_cast<uint8_t>(s[i]), colour);
    }
    // Frame and blanks of an inner row; the row's text goes on top.
    void begin_inner_row() {
        put(left, frame_down, box_colour);
        for (int i = 0; i < width; ++i) put(left + 1 + i, ' ', box_colour);
        put(left + width + 1, frame_down, box_colour);
    }
    void inner_row(const std::string& s) {
        begin_inner_row();
        text(left + 3, s, box_colour, width - 2);
        ++row;
    }
    void edge(uint8_t first, uint8_t last, const std::string& caption) {
        put(left, first, box_colour);
        for (int i = 0; i < width; ++i) put(left + 1 + i, frame_across, box_colour);
        put(left + width + 1, last, box_colour);
        if (!caption.empty()) text(left + 2, " " + caption + " ", box_colour, width - 2);
        ++row;
    }
    void buttons_row(const MessageBox& box) {
        begin_inner_row();
        int column = left + 1 + (width - buttons_width(box)) / 2;
        for (size_t i = 0; i < box.buttons.size(); ++i) {
            bool selected = static_cast<int>(i) == box.selected;
            std::string label = button_label(box.buttons[i], selected);
            text(column, label, selected ? selected_colour : box_colour, width);
            column += static_cast<int>(label.size()) + 1;
        }
        ++row;
    }
};

int button_with_letter(const MessageBox& box, uint8_t code) {
    for (size_t i = 0; i < box.buttons.size(); ++i)
        if (!box.buttons[i].empty() &&
            std::tolower(static_cast<unsigned char>(box.buttons[i][0])) == std::tolower(code))
            return static_cast<int>(i);
    return -1;
}

void move_selection(MessageBox& box, int step) {
    int count = static_cast<int>(box.buttons.size());
    if (count > 0) box.selected = ((box.selected + step) % count + count) % count;
}

}  // namespace

MessageBox make_message_box(const std::string& title, const std::string& text,
                            std::vector<std::string> buttons) {
    MessageBox box{title, {}, std::move(buttons), 0};
    size_t start = 0;
    for (;;) {
        size_t end = text.find('\n', start);
        box.lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return box;
}

void draw_message_box(ScreenPicture& picture, const MessageBox& box) {
    int width = inner_width(box);
    // Edges, a blank row above and below the text, the buttons, a blank row.
    int height = static_cast<int>(box.lines.size()) + 6;
    int top = 1 + std::max(0, (screen_rows - height) / 2);
    int left = 1 + (screen_columns - (width + 2)) / 2;
    Painter p{picture, top, left, width};
    p.edge(frame_top_left, frame_top_right, box.title);
    p.inner_row("");
    for (const std::string& line : box.lines) p.inner_row(line);
    p.inner_row("");
    p.buttons_row(box);
    p.inner_row("");
    p.edge(frame_bottom_left, frame_bottom_right, "");
    picture.text_cursor_visible = false;
}

int message_box_key(MessageBox& box, Key key) {
    if (key.two_code()) {
        if (key.scan == scan_left || key.scan == scan_shift_tab) move_selection(box, -1);
        if (key.scan == scan_right) move_selection(box, 1);
        return -1;
    }
    if (key.code == code_enter || key.code == code_blank) return box.selected;
    if (key.code == code_tab) {
        move_selection(box, 1);
        return -1;
    }
    if (key.code == code_escape) return box.buttons.size() == 1 ? 0 : -1;
    return button_with_letter(box, key.code);
}
