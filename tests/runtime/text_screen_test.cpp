#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "converter/dialogue.h"
#include "runtime/run_state.h"
#include "runtime/text_screen.h"
#include "tests/support/screen_rows.h"

namespace {

struct Print {
    std::string text;
    bool end_row;
};

void print_all(const std::vector<Print>& prints) {
    for (const Print& p : prints) print_text(p.text, p.end_row);
}

class TextScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        run_state_reset();
        screen_reset();
    }
};

struct PrintCase {
    const char* name;
    std::vector<Print> prints;
    std::string shown;
    int cursor_row;
    int cursor_column;
    bool pending_wrap;
};

void PrintTo(const PrintCase& c, std::ostream* os) { *os << c.name; }

class PrintTextTest : public TextScreenTest, public ::testing::WithParamInterface<PrintCase> {};

TEST_P(PrintTextTest, PlacesTextAndCursor) {
    const PrintCase& c = GetParam();
    print_all(c.prints);
    ScreenPicture picture = screen_snapshot();
    EXPECT_EQ(screen_text(picture), c.shown);
    EXPECT_EQ(picture.cursor_row, c.cursor_row);
    EXPECT_EQ(picture.cursor_column, c.cursor_column);
    EXPECT_EQ(picture.pending_wrap, c.pending_wrap);
}

const std::string t78 = sample_text(78);
const std::string t79 = sample_text(79);
const std::string t80 = sample_text(80);
const std::string t81 = sample_text(81);
const std::string t160 = sample_text(160);

INSTANTIATE_TEST_SUITE_P(
    Rows, PrintTextTest,
    ::testing::Values(
        PrintCase{"row_of_79", {{t79, true}}, t79 + "\n", 2, 1, false},
        PrintCase{"row_of_80_ended_leaves_no_empty_row", {{t80, true}, {"x", true}}, t80 + "\nx\n", 3, 1, false},
        PrintCase{"row_of_81_wraps", {{t81, true}}, wrapped_rows(t81), 3, 1, false},
        PrintCase{"two_full_rows", {{t160, true}}, wrapped_rows(t160), 3, 1, false},
        PrintCase{"column_80_sets_pending_wrap", {{t80, false}}, t80 + "\n", 1, 80, true},
        PrintCase{"pending_wrap_then_text_begins_row", {{t80, false}, {"x", false}}, t80 + "\nx\n", 2, 2, false},
        PrintCase{"empty_text_keeps_pending_wrap", {{t80, false}, {"", false}}, t80 + "\n", 1, 80, true},
        PrintCase{"empty_text_ends_pending_row_once", {{t80, false}, {"", true}, {"x", false}}, t80 + "\nx\n", 2, 2, false},
        PrintCase{"pieces_run_on_across_the_wrap", {{t78, false}, {"abc", false}}, t78 + "ab\nc\n", 2, 2, false},
        PrintCase{"empty_row", {{"", true}, {"x", true}}, "\nx\n", 3, 1, false},
        PrintCase{"line_feed_and_return_begin_rows", {{"ab\ncd\ref", false}}, "ab\ncd\nef\n", 3, 3, false},
        PrintCase{"line_feed_after_full_row_begins_one_row", {{t80 + "\nx", false}}, t80 + "\nx\n", 2, 2, false},
        PrintCase{"tab_to_next_stop", {{"ab\tc\td", false}}, "ab      c       d\n", 1, 18, false},
        PrintCase{"tab_near_row_end_stops_at_column_80", {{sample_text(75) + "\tx", false}}, sample_text(75) + "\nx\n", 2, 2, false},
        PrintCase{"cursor_moves", {{"abc\x1d\x1dX\x1e\x1fY\x1cZ", false}}, "aXc\n  Y Z\n", 2, 6, false},
        PrintCase{"home", {{"abc\ndef\x0bX", false}}, "Xbc\ndef\n", 1, 2, false},
        PrintCase{"form_feed_clears", {{"abc\ndef\x0cX", false}}, "X\n", 1, 2, false},
        PrintCase{"bell_begins_pending_row", {{t80, false}, {"\a", false}, {"", true}, {"x", false}}, t80 + "\n\nx\n", 3, 2, false}),
    [](const auto& test) { return std::string(test.param.name); });

struct FitCase {
    const char* name;
    std::vector<std::string> items;
    std::string shown;
};

void PrintTo(const FitCase& c, std::ostream* os) { *os << c.name; }

class MakeFitTest : public TextScreenTest, public ::testing::WithParamInterface<FitCase> {};

TEST_P(MakeFitTest, StartsItemThatDoesNotFitOnNextRow) {
    for (const std::string& item : GetParam().items) print_item(item);
    EXPECT_EQ(screen_now(), GetParam().shown);
}

// The echo row: a blank, the STL name, " > ", the IGES name.
INSTANTIATE_TEST_SUITE_P(
    Echo, MakeFitTest,
    ::testing::Values(
        FitCase{"fits_up_to_column_80", {" ", sample_text(76), " > "}, " " + sample_text(76) + " >\n"},
        FitCase{"name_of_77_moves_arrow_down", {" ", sample_text(77), " > ", "b"}, " " + sample_text(77) + "\n > b\n"},
        FitCase{"name_of_79_ends_in_column_80", {" ", t79, " > ", "b"}, " " + t79 + "\n > b\n"},
        FitCase{"name_of_80_starts_next_row", {" ", t80, " > ", "b"}, "\n" + t80 + "\n > b\n"},
        FitCase{"long_item_runs_on_from_column_1", {" ", t160 + "x"}, "\n" + wrapped_rows(t160 + "x")},
        FitCase{"long_item_in_column_1_stays", {t81, "y"}, t80 + "\n" + t81.substr(80) + "y\n"},
        FitCase{"empty_names", {" ", "", " > ", ""}, "  >\n"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(TextScreenTest, EmptyItemAtRowEndDoesNotMoveCursor) {
    print_item(sample_text(79));
    print_item("");
    ScreenPicture picture = screen_snapshot();
    EXPECT_EQ(picture.cursor_row, 1);
    EXPECT_EQ(picture.cursor_column, 80);
}

TEST_F(TextScreenTest, EchoOfEightyCharactersIsFollowedDirectlyByNextRow) {
    print_item(" ");
    print_item(sample_text(38));
    print_item(" > ");
    print_item(sample_text(38));
    print_text("", true);
    print_row(" ");
    print_row(" Done!");
    EXPECT_EQ(screen_now(), " " + sample_text(38) + " > " + sample_text(38) + "\n\n Done!\n");
    EXPECT_EQ(screen_snapshot().cursor_row, 4);
}

std::string numbered_row(int n) { return "row " + std::to_string(n); }

TEST_F(TextScreenTest, ScrollsRowsOneTo24AndLeavesRow25) {
    for (int n = 1; n <= 30; ++n) print_row(numbered_row(n));
    ScreenPicture picture = screen_snapshot();
    std::string expected;
    for (int n = 8; n <= 30; ++n) expected += numbered_row(n) + "\n";
    EXPECT_EQ(screen_text(picture), expected);
    EXPECT_EQ(picture.cursor_row, 24);
    EXPECT_EQ(picture.cursor_column, 1);
    for (int row : {24, 25})
        for (const Cell& cell : picture.cells[row - 1]) {
            EXPECT_EQ(cell.code, 32);
            EXPECT_EQ(cell.colour, 0x07);
        }
}

TEST_F(TextScreenTest, WrapOnRow24Scrolls) {
    for (int n = 1; n <= 23; ++n) print_row(numbered_row(n));
    print_text(t81, false);
    ScreenPicture picture = screen_snapshot();
    EXPECT_EQ(screen_text(picture).substr(0, 6), "row 2\n");
    EXPECT_EQ(picture.cursor_row, 24);
    EXPECT_EQ(picture.cursor_column, 2);
    EXPECT_EQ(std::string(1, char(picture.cells[23][0].code)), t81.substr(80));
}

TEST_F(TextScreenTest, EndOfRunPromptUsesRow25Only) {
    for (int n = 1; n <= 30; ++n) print_row(numbered_row(n));
    print_text("tail", false);
    const ScreenPicture before = screen_snapshot();

    screen_use_bottom_row();
    print_text("Press any key to continue", false);
    ScreenPicture picture = screen_snapshot();
    EXPECT_EQ(picture.scroll_top, 25);
    EXPECT_EQ(picture.scroll_bottom, 25);
    EXPECT_EQ(picture.cursor_row, 25);
    EXPECT_EQ(picture.cursor_column, 26);
    for (int row = 0; row < 24; ++row) EXPECT_EQ(picture.cells[row], before.cells[row]) << row;
    EXPECT_EQ(screen_text(picture), screen_text(before) + "Press any key to continue\n");

    // More text scrolls row 25 alone.
    print_text(t80 + "next", true);
    picture = screen_snapshot();
    for (int row = 0; row < 24; ++row) EXPECT_EQ(picture.cells[row], before.cells[row]) << row;
    EXPECT_EQ(picture.cursor_row, 25);
    EXPECT_EQ(screen_text(picture), screen_text(before));
}

TEST_F(TextScreenTest, PrintingDoesNothingWhileAnErrorIsPending) {
    print_text("ab", false);
    const ScreenPicture before = screen_snapshot();
    raise_runtime_error(53);
    print_make_fit(t80);
    print_text("cd", true);
    clear_pending_error();
    const ScreenPicture after = screen_snapshot();
    EXPECT_EQ(after.cells, before.cells);
    EXPECT_EQ(after.cursor_column, before.cursor_column);
    EXPECT_EQ(after.version, before.version);
}

TEST_F(TextScreenTest, ScreenTextKeepsInnerEmptyRowsAndEveryByte) {
    EXPECT_EQ(screen_now(), "");
    const uint64_t version = screen_snapshot().version;
    print_row("\xff\x01 a  ");
    print_text("", true);
    print_row("  b");
    EXPECT_EQ(screen_now(), "\xff\x01 a\n\n  b\n");
    EXPECT_GT(screen_snapshot().version, version);
}

}  // namespace
