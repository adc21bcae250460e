#include "front_ends/terminal/terminal_box.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/key_decoder.h"

namespace {

std::string row_text(const ScreenPicture& p, int row) {
    std::string text;
    for (const Cell& cell : p.cells[row - 1]) text += static_cast<char>(cell.code);
    return text;
}

int row_holding(const ScreenPicture& p, const std::string& text) {
    for (int r = 1; r <= screen_rows; ++r)
        if (row_text(p, r).find(text) != std::string::npos) return r;
    return 0;
}

TEST(TerminalBox, DrawnCentredOverTheScreen) {
    ScreenPicture picture;
    picture.cells[0][0].code = 'Q';
    picture.text_cursor_visible = true;
    MessageBox box = make_message_box("Unhandled Error #76", "Line:94\nPath not found\nContinue?",
                                      {"Yes", "No"});
    draw_message_box(picture, box);

    int title = row_holding(picture, " Unhandled Error #76 ");
    ASSERT_GT(title, 0);
    EXPECT_EQ(row_holding(picture, "Line:94"), title + 2);
    EXPECT_EQ(row_holding(picture, "Path not found"), title + 3);
    EXPECT_EQ(row_holding(picture, "Continue?"), title + 4);
    int buttons = row_holding(picture, "[ Yes ]");
    EXPECT_EQ(buttons, title + 6);
    EXPECT_NE(row_text(picture, buttons).find("  No  "), std::string::npos);

    // Centred: as many untouched cells left of the frame as right of it.
    std::string top = row_text(picture, title);
    size_t left = top.find(static_cast<char>(201));
    size_t right = top.find(static_cast<char>(187));
    ASSERT_NE(left, std::string::npos);
    ASSERT_NE(right, std::string::npos);
    EXPECT_LE(std::abs(static_cast<int>(left) - static_cast<int>(screen_columns - 1 - right)), 1);
    int bottom = row_holding(picture, std::string(1, static_cast<char>(200)));
    EXPECT_LE(std::abs((title - 1) - (screen_rows - bottom)), 1);

    EXPECT_EQ(picture.cells[0][0].code, 'Q');
    EXPECT_FALSE(picture.text_cursor_visible);
}

TEST(TerminalBox, SelectionFollowsTheFocus) {
    ScreenPicture picture;
    MessageBox box = make_message_box("T", "a\nb\nc", {"Yes", "No"});
    box.selected = 1;
    draw_message_box(picture, box);
    int buttons = row_holding(picture, "[ No ]");
    ASSERT_GT(buttons, 0);
    EXPECT_NE(row_text(picture, buttons).find("  Yes  "), std::string::npos);
}

Key code(char c) { return Key{static_cast<uint8_t>(c), 0}; }
Key scan(uint8_t s) { return Key{0, s}; }

TEST(TerminalBox, KeysAnswerTheBox) {
    struct Case { std::vector<Key> keys; int answer; };
    const Case yes_no[] = {
        {{code('y')}, 0},
        {{code('Y')}, 0},
        {{code('n')}, 1},
        {{code('N')}, 1},
        {{code(13)}, 0},
        {{code(' ')}, 0},
        {{code(9), code(13)}, 1},
        {{code(9), code(9), code(13)}, 0},
        {{scan(scan_right), code(13)}, 1},
        {{scan(scan_left), code(13)}, 1},
        {{scan(scan_right), scan(scan_left), code(13)}, 0},
        {{scan(scan_shift_tab), code(13)}, 1},
        {{scan(scan_right), code('y')}, 0},
        {{code(27), code('x'), scan(scan_up), scan(scan_f1)}, -1},
    };
    for (const Case& c : yes_no) {
        MessageBox box = make_message_box("T", "x", {"Yes", "No"});
        int answer = -1;
        for (size_t i = 0; i < c.keys.size() && answer < 0; ++i) answer = message_box_key(box, c.keys[i]);
        EXPECT_EQ(answer, c.answer) << "case " << (&c - yes_no);
    }
    for (Key key : {code(13), code(27), code('o'), code(' ')}) {
        MessageBox box = make_message_box("Critical Error #16", "Out of memory", {"OK"});
        EXPECT_EQ(message_box_key(box, key), 0) << int(key.code);
    }
}

}  // namespace
