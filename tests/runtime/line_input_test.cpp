#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <thread>

#include "runtime/keyboard.h"
#include "runtime/line_input.h"
#include "runtime/run_state.h"
#include "runtime/text_screen.h"
#include "tests/support/polling.h"
#include "tests/support/screen_rows.h"

using namespace std::string_literals;

namespace {

// Each byte is the code of a key; a 0 byte and the byte after it are one
// two-code key (an arrow or function key).
void type_keys(const std::string& keys) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto code = static_cast<uint8_t>(keys[i]);
        if (code == 0 && i + 1 < keys.size())
            key_press(Key{0, static_cast<uint8_t>(keys[++i])});
        else
            key_press(Key{code, 0});
    }
}

std::string tabs(int n) { return std::string(n, '\t'); }
std::string blanks(int n) { return std::string(n, ' '); }

// A line input on a thread of its own, as it waits for keys still to come.
// A test that fails early stops it.
struct InputThread {
    std::string value = "kept";
    bool entered = false;
    std::thread thread{[this] { entered = input_statement(value); }};

    void join() { thread.join(); }
    ~InputThread() {
        if (!thread.joinable()) return;
        request_stop();
        thread.join();
    }
};

class LineInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        run_state_reset();
        keyboard_reset();
        screen_reset();
    }
    void TearDown() override { SetUp(); }

    // The prompt's line as the dialogue reads it.
    bool read_line(const std::string& keys, std::string& value) {
        type_keys(keys);
        print_text("? ", false);
        return input_statement(value);
    }
};

struct LineCase {
    const char* name;
    std::string keys;    // ended by Enter
    std::string value;
    std::string shown;   // the typed text after "? "
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class LineInputRulesTest : public LineInputTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(LineInputRulesTest, StoresValueAndShowsTypedText) {
    const LineCase& c = GetParam();
    std::string value = "before";
    ASSERT_TRUE(read_line(c.keys + "\r", value));
    EXPECT_EQ(value, c.value);

    const std::string printed = "? " + c.shown;
    const ScreenPicture picture = screen_snapshot();
    EXPECT_EQ(screen_text(picture), wrapped_rows(printed));
    // The row after the one holding the end of the typed text.
    EXPECT_EQ(picture.cursor_row, 2 + int(printed.size() - 1) / screen_columns);
    EXPECT_EQ(picture.cursor_column, 1);
    EXPECT_FALSE(picture.pending_wrap);
    EXPECT_FALSE(picture.text_cursor_visible);
}

const std::string t76 = sample_text(76);
const std::string t77 = sample_text(77);
const std::string t78 = sample_text(78);
const std::string t79 = sample_text(79);
const std::string t80 = sample_text(80);
const std::string t255 = sample_text(255);

INSTANTIATE_TEST_SUITE_P(
    Typing, LineInputRulesTest,
    ::testing::Values(
        LineCase{"empty_line", "", "", ""},
        LineCase{"plain", "ab c", "ab c", "ab c"},
        LineCase{"blanks_kept", "  a b  ", "  a b  ", "  a b  "},
        LineCase{"other_codes_kept", "\x1b\xff\x01\x7f", "\x1b\xff\x01\x7f", "\x1b\xff\x01\x7f"},
        LineCase{"fills_row_to_column_80", t78, t78, t78},
        LineCase{"wraps_79th", t79, t79, t79},
        LineCase{"wraps_80", t80, t80, t80},
        LineCase{"typed_text_of_255", t255 + "z", t255, t255}),
    [](const auto& test) { return std::string(test.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Editing, LineInputRulesTest,
    ::testing::Values(
        LineCase{"backspace", "abc\b\bd", "ad", "ad"},
        LineCase{"backspace_on_empty_line", "\b\bab", "ab", "ab"},
        LineCase{"backspace_to_column_80_then_wrap", t79 + "\bx", t78 + "x", t78 + "x"},
        LineCase{"backspace_to_column_79_then_column_80", t78 + "\bx", t77 + "x", t77 + "x"},
        LineCase{"tab_on_empty_line", "\tx", blanks(8) + "x", blanks(8) + "x"},
        LineCase{"tab_after_3", "abc\tx", "abc" + blanks(5) + "x", "abc" + blanks(5) + "x"},
        LineCase{"tab_after_8", "abcdefgh\tx", "abcdefgh" + blanks(8) + "x", "abcdefgh" + blanks(8) + "x"},
        LineCase{"tab_at_254", tabs(31) + "abcdef\ty", blanks(248) + "abcdef ", blanks(248) + "abcdef "},
        LineCase{"256th_ignored_backspace_makes_room", tabs(31) + "abcdefgh\bxy", blanks(248) + "abcdefx",
                 blanks(248) + "abcdefx"},
        LineCase{"ignored_codes", "a\n\x0b\x0c\x1c\x1d\x1e\x1f" "b", "ab", "ab"},
        LineCase{"two_code_keys", "a\0Hb\0;\0\0"s, "ab", "ab"},
        LineCase{"bell_not_stored", "a\ab", "ab", "ab"}),
    [](const auto& test) { return std::string(test.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Field, LineInputRulesTest,
    ::testing::Values(
        LineCase{"comma_refused", "a,b,", "ab", "ab"},
        LineCase{"comma_first_refused", ",a", "a", "a"},
        LineCase{"quote_inside_plain_line", "a\"b\"", "a\"b\"", "a\"b\""},
        LineCase{"quoted", "\"a,b\"", "a,b", "\"a,b\""},
        LineCase{"nothing_after_closing_quote", "\"a,b\"x, \"", "a,b", "\"a,b\""},
        LineCase{"quoted_left_open", "\"a, b", "a, b", "\"a, b"},
        LineCase{"empty_quotes", "\"\"", "", "\"\""},
        LineCase{"backspace_reopens_quote", "\"a\"\b,b\"", "a,b", "\"a,b\""},
        LineCase{"tab_after_closing_quote_refused", "\"a\"\t", "a", "\"a\""},
        // Refusals at column 80 keep the pending wrap: Enter adds no empty row.
        LineCase{"comma_at_column_80", t78 + ",", t78, t78},
        LineCase{"refused_after_quote_at_column_80", "\"" + t76 + "\"x", t76, "\"" + t76 + "\""}),
    [](const auto& test) { return std::string(test.param.name); });

// The bell is not stored, but like any printed text it begins the row that
// the typed text's pending wrap holds back: Enter then leaves an empty row.
TEST_F(LineInputTest, BellAtColumn80BeginsTheRow) {
    std::string value;
    ASSERT_TRUE(read_line(t78 + "\a\r", value));
    EXPECT_EQ(value, t78);
    const ScreenPicture picture = screen_snapshot();
    EXPECT_EQ(screen_text(picture), "? " + t78 + "\n");
    EXPECT_EQ(picture.cursor_row, 3);
    EXPECT_EQ(picture.cursor_column, 1);
}

TEST_F(LineInputTest, KeyThatEndsPauseIsNotTyped) {
    press_pause();
    std::string value;
    ASSERT_TRUE(read_line("xab\r", value));
    EXPECT_EQ(value, "ab");
    EXPECT_FALSE(pause_held());
}

TEST_F(LineInputTest, BackspaceRedrawsFromTheScreenAtTheInputsStart) {
    print_text("top", true);
    for (int n = 2; n <= 23; ++n) print_text("", true);
    // "? " on row 24; the 79th typed character scrolls "top" off the screen.
    type_keys(sample_text(81));
    print_text("? ", false);
    InputThread input;
    ASSERT_TRUE(wait_until([] { return screen_snapshot().cells[23][2].code == sample_text(81)[80]; }));
    EXPECT_EQ(screen_now().substr(0, 4), "\n\n\n\n");

    type_keys("\b\b\b\b\b");
    const std::string restored = "top\n" + std::string(22, '\n') + "? " + sample_text(76) + "\n";
    ASSERT_TRUE(wait_until([&] { return screen_now() == restored; }));
    ScreenPicture picture = screen_snapshot();
    EXPECT_EQ(picture.cursor_row, 24);
    EXPECT_EQ(picture.cursor_column, 79);
    EXPECT_TRUE(picture.text_cursor_visible);

    type_keys("\r");
    input.join();
    EXPECT_TRUE(input.entered);
    EXPECT_EQ(input.value, sample_text(76));
    picture = screen_snapshot();
    EXPECT_EQ(picture.cursor_row, 24);   // ending the row below row 24 scrolls once
    EXPECT_EQ(screen_text(picture), std::string(22, '\n') + "? " + sample_text(76) + "\n");
}

TEST_F(LineInputTest, DoesNothingWhileAnErrorIsPending) {
    raise_runtime_error(53);
    std::string value = "kept";
    type_keys("ab\r");
    EXPECT_TRUE(input_statement(value));
    clear_pending_error();
    EXPECT_EQ(value, "kept");
    EXPECT_EQ(screen_now(), "");
    Key key;
    ASSERT_TRUE(key_take(key));
    EXPECT_EQ(key.code, 'a');
}

TEST_F(LineInputTest, StopWhileWaitingReturnsAtOnce) {
    type_keys("ab");
    print_text("? ", false);
    InputThread input;
    ASSERT_TRUE(wait_until([] { return screen_snapshot().text_cursor_visible && screen_now() == "? ab\n"; }));
    request_stop();
    input.join();
    EXPECT_FALSE(input.entered);
    EXPECT_EQ(input.value, "kept");
    EXPECT_FALSE(screen_snapshot().text_cursor_visible);
    EXPECT_EQ(screen_now(), "? ab\n");
}

TEST_F(LineInputTest, EndedKeySourceClosesOnceBufferIsEmpty) {
    type_keys("ab\r");   // typed ahead, then the source ends
    keyboard_mark_ended();
    std::string value;
    EXPECT_TRUE(input_statement(value));
    EXPECT_EQ(value, "ab");
    EXPECT_FALSE(close_requested());

    InputThread input;
    ASSERT_TRUE(wait_until([] { return close_requested(); }));
    request_stop();
    input.join();
    EXPECT_FALSE(input.entered);
    EXPECT_EQ(input.value, "kept");
}

}  // namespace
