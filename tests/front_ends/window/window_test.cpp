// The window front end, end to end: build/stlwire on a private Xvfb with
// Mesa's software renderer, driven by xdotool and read back from xwd
// screenshots. Every check waits for what it looks at: the window shows a
// frame some time after the program changed the screen.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <memory>

#include "front_ends/window/font_8x16.h"
#include "front_ends/window/message_box_pixels.h"
#include "tests/support/expected_screen.h"
#include "tests/support/iges_run.h"
#include "tests/support/polling.h"
#include "tests/support/run_program.h"
#include "tests/support/shell_command.h"
#include "tests/support/window_screen.h"
#include "tests/support/x_session.h"

// Last: Xlib's macros must not reach the headers above.
#include <X11/Xlib.h>

namespace {

const StlFacet one_facet{{0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 0, 1}};

// What the window's close button sends: WM_DELETE_WINDOW.
bool send_close_request(const std::string& display, const std::string& window) {
    ::Display* connection = XOpenDisplay(display.c_str());
    if (!connection) return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = std::stoul(window);
    event.xclient.message_type = XInternAtom(connection, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(connection, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(connection, event.xclient.window, False, NoEventMask, &event) != 0;
    XCloseDisplay(connection);
    return sent;
}

// Where the image differs from banner rows 1 to 10 drawn in the font, grey
// on black; empty when it does not.
std::string banner_difference(const PixelImage& image) {
    if (image.width != frame_width || image.height != frame_height)
        return "the image is " + std::to_string(image.width) + "x" + std::to_string(image.height);
    const Rgb grey{170, 170, 170}, black{0, 0, 0};
    for (int row = 1; row <= 10; ++row) {
        const std::string text = banner_rows[row] + std::string(80 - banner_rows[row].size(), ' ');
        for (int column = 0; column < 80; ++column)
            for (int line = 0; line < cell_height; ++line)
                for (int bit = 0; bit < cell_width; ++bit) {
                    const bool lit = font_8x16[static_cast<uint8_t>(text[column])][line] & (0x80 >> bit);
                    if (image.at(column * cell_width + bit, (row - 1) * cell_height + line) != (lit ? grey : black))
                        return "row " + std::to_string(row) + " column " + std::to_string(column + 1) + " line " +
                               std::to_string(line) + " bit " + std::to_string(bit);
                }
    }
    return "";
}

// Xvfb and the X tools must be there: ./test.sh installs them.
class WindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        logs = std::make_unique<TempFolder>();
        x_server = std::make_unique<XServer>();
        x_server->start(*logs / "xvfb.log");
    }
    static void TearDownTestSuite() {
        x_server.reset();
        logs.reset();
    }

    void SetUp() override {
        ASSERT_TRUE(tool_installed("Xvfb", "xvfb"));
        ASSERT_TRUE(tool_installed("xdotool", "xdotool"));
        ASSERT_TRUE(tool_installed("xwd", "x11-apps"));
        ASSERT_TRUE(tool_installed("convert", "imagemagick"));
        ASSERT_FALSE(x_server->display.empty()) << "Xvfb did not start: " << read_bytes(*logs / "xvfb.log");
        display = x_server->display;
    }

    // Starts the program with standard input on /dev/null (so the window is
    // chosen) and waits for its window.
    void start_program() {
        ASSERT_TRUE(::start_program(program, {.input = "/dev/null", .output = *logs / "program.log"},
                                    child_environment({"DISPLAY=" + display, "LIBGL_ALWAYS_SOFTWARE=1"})));
        ASSERT_TRUE(wait_until([&] {
            window = find_window(display, program.id(), "^Untitled$").value_or("");
            return !window.empty();
        })) << "no window titled Untitled";
    }

    std::vector<std::string> rows() {
        const auto image = screenshot(display, window);
        return image ? window_rows(*image) : std::vector<std::string>(screen_rows + 1);
    }

    void wait_for_row(int row, const std::string& text) {
        std::vector<std::string> seen;
        ASSERT_TRUE(wait_until([&] { return (seen = rows())[row] == text; }))
            << "row " << row << " shows \"" << seen[row] << "\", not \"" << text << "\"";
    }

    // Waits until rows 1 to 25 show the expected ones.
    void wait_for_rows(const std::vector<std::string>& expected) {
        std::vector<std::string> seen;
        if (wait_until([&] { return (seen = rows()) == expected; })) return;
        for (int row = 1; row <= screen_rows; ++row)
            EXPECT_EQ(seen[row], expected[row]) << "row " << row;
    }

    void xdotool(const std::string& arguments) {
        ASSERT_TRUE(x_command(display, "xdotool " + arguments)) << "xdotool " << arguments;
    }

    void type(const std::string& text) {
        xdotool("windowfocus --sync " + window);
        xdotool("type --delay 20 " + shell_quoted(text));
    }

    void key(const std::string& name) {
        xdotool("windowfocus --sync " + window);
        xdotool("key " + name);
    }

    // Starts the program and types both names, the STL one in a missing folder.
    void start_with_missing_stl_folder() {
        start_program();
        wait_for_row(10, banner_rows[10]);
        type(folder / "missing/in.stl");
        key("Return");
        type(folder / "out.igs");
        key("Return");
    }

    // Starts the program and types in.stl and out.igs, each at its prompt.
    void start_and_type_names() {
        start_program();
        wait_for_row(10, banner_rows[10]);
        type(folder / "in.stl");
        key("Return");
        wait_for_row(12, " ENTER IGES (.igs) file (output):");
        type(folder / "out.igs");
        key("Return");
    }

    // Types both names and waits for the end-of-run prompt.
    void run_to_end_prompt() {
        write_stl(folder / "in.stl", {one_facet});
        start_and_type_names();
        wait_for_row(25, end_prompt);
    }

    // Starts the conversion of a mesh that takes the converter seconds and
    // waits until the IGES file has its first records.
    void start_large_conversion() {
        std::vector<StlFacet> mesh;
        for (int i = 0; i < 100000; ++i)
            mesh.push_back({{i * 0.001f, 0, 0, 1, i * 0.5f, 0, 0, 1, i + 1.0f}, {0, 0, 1}});
        write_stl(folder / "in.stl", mesh);
        start_and_type_names();
        ASSERT_TRUE(wait_until([&] {
            std::error_code no_file;
            return std::filesystem::file_size(folder / "out.igs", no_file) > 0 && !no_file;
        })) << "the conversion did not begin";
    }

    // The IGES file of a run ended during its conversion: whole records,
    // without the Terminate record.
    void expect_whole_records_cut_short() {
        const std::vector<std::string> records = iges_records(read_bytes(folder / "out.igs"));
        ASSERT_FALSE(records.empty());
        EXPECT_NE(records.back()[72], 'T') << "the conversion had come to its end";
    }

    // Waits for the error box of this title that shows these lines, black on
    // grey; its window, or empty when it has not come.
    std::string wait_for_box(const std::string& title, const std::vector<std::string>& lines) {
        std::string box;
        std::vector<std::string> seen;
        const bool found = wait_until([&] {
            box = find_window(display, program.id(), "^" + title + "$").value_or("");
            const auto image = box.empty() ? std::nullopt : screenshot(display, box);
            seen.clear();
            // The lines stand from (16, 16), one a cell row, with a margin of
            // 16 pixels on the right.
            const int columns = image ? (image->width - 32) / cell_width : 0;
            for (std::size_t i = 0; image && i < lines.size(); ++i)
                seen.push_back(read_cells(*image, 16, cell_height * static_cast<int>(i + 1), columns, vga_colour(0),
                                          vga_colour(7)));
            return seen == lines;
        });
        EXPECT_TRUE(found) << "no box \"" << title << "\" showing \"" << ::testing::PrintToString(lines)
                           << "\" (last seen " << ::testing::PrintToString(seen) << ")";
        return found ? box : "";
    }

    void box_key(const std::string& box, const std::string& name) {
        xdotool("windowfocus --sync " + box);
        xdotool("key " + name);
    }

    bool keeps_running() {
        return holds_throughout([&] { return program.running(); });
    }

    static std::unique_ptr<TempFolder> logs;
    static std::unique_ptr<XServer> x_server;
    std::string display;
    TempFolder folder;
    ChildProcess program;
    std::string window;
};

std::unique_ptr<TempFolder> WindowTest::logs;
std::unique_ptr<XServer> WindowTest::x_server;

}  // namespace

TEST_F(WindowTest, OpensOneWindowTitledUntitledOf640By400Pixels) {
    start_program();
    EXPECT_EQ(window_name(display, window), "Untitled");
    std::string size;
    EXPECT_TRUE(wait_until([&] { return (size = window_size(display, window)) == "640x400"; })) << size;
}

TEST_F(WindowTest, BannerRowsArePixelForPixelTheFontsGlyphs) {
    start_program();
    std::string difference = "no screenshot";
    EXPECT_TRUE(wait_until([&] {
        const auto image = screenshot(display, window);
        difference = image ? banner_difference(*image) : "no screenshot";
        return difference.empty();
    })) << difference;
}

TEST_F(WindowTest, TypedNamesReachDoneAndAKeyEndsTheRun) {
    run_to_end_prompt();
    wait_for_rows(done_screen(folder / "in.stl", folder / "out.igs"));
    EXPECT_GT(std::filesystem::file_size(folder / "out.igs"), 0u);

    key("x");
    EXPECT_EQ(program.wait_exit(), 0);
}

// The window shows è as its code page 437 glyph (code 138); the file of
// that name in UTF-8 is converted, into the IGES file that a scripted run of
// the name writes.
TEST_F(WindowTest, NameWithALetterBeyondAsciiOpensItsFile) {
    const std::string stl = folder / "pi\u00e8ce.stl", igs = folder / "pi\u00e8ce.igs";
    write_stl(stl, {one_facet});
    start_program();
    wait_for_row(10, banner_rows[10]);
    type(stl);
    key("Return");
    wait_for_row(12, " ENTER IGES (.igs) file (output):");
    type(igs);
    key("Return");
    wait_for_rows(done_screen(folder / "pi\x8a" "ce.stl", folder / "pi\x8a" "ce.igs"));
    key("x");
    EXPECT_EQ(program.wait_exit(), 0);
    expect_same_file_as_a_scripted_run(stl, igs);
}

TEST_F(WindowTest, MissingFolderShowsTheErrorBoxAndNoEndsTheRun) {
    start_with_missing_stl_folder();
    const std::string text = "Line:94\nPath not found\nContinue?";
    const std::string box = wait_for_box("Unhandled Error #76", {"Line:94", "Path not found", "Continue?"});
    ASSERT_FALSE(box.empty());
    EXPECT_TRUE(program.running()) << "the program waits for the answer";

    const BoxLayout layout = layout_box(text, true);
    const BoxButton& no = layout.buttons.at(1);
    ASSERT_EQ(no.label, "No");
    xdotool("mousemove --window " + box + " " + std::to_string(no.x + no.width / 2) + " " +
            std::to_string(no.y + no.height / 2) + " click 1");
    EXPECT_EQ(program.wait_exit(), 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "out.igs")) << "step 95 never runs after No";
}

TEST_F(WindowTest, CloseButtonAtTheStlPromptEndsTheRunWithoutFiles) {
    start_program();
    wait_for_row(10, banner_rows[10]);
    type(folder / "typed.stl");
    ASSERT_TRUE(wait_until([&] { return rows()[11].rfind("? " + (folder / "typed.stl"), 0) == 0; }));
    ASSERT_TRUE(send_close_request(display, window));
    EXPECT_EQ(program.wait_exit(), 0);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path)) << "no file created";
}

TEST_F(WindowTest, PauseAtTheEndPromptTakesOneKeyThenAKeyEndsTheRun) {
    run_to_end_prompt();
    key("Pause");
    key("a");
    EXPECT_TRUE(keeps_running()) << "the key after Pause only ends the pause";
    key("b");
    EXPECT_EQ(program.wait_exit(), 0);
}

TEST_F(WindowTest, ModifierKeysAloneLeaveTheEndPromptWaiting) {
    run_to_end_prompt();
    key("Shift_L");
    key("Control_L");
    key("Alt_L");
    EXPECT_TRUE(keeps_running()) << "Shift, Ctrl and Alt alone enter nothing";
    EXPECT_EQ(rows()[25], end_prompt);
    key("space");
    EXPECT_EQ(program.wait_exit(), 0);
}

TEST_F(WindowTest, ErrorBoxesAnswerYAndEnterWithYesAndTabEnterWithNo) {
    start_with_missing_stl_folder();
    const std::string first = wait_for_box("Unhandled Error #76", {"Line:94", "Path not found", "Continue?"});
    ASSERT_FALSE(first.empty());
    box_key(first, "y");
    // After Yes the unopened STL file gives error 52 at steps 106 and 203.
    const std::string second = wait_for_box("Unhandled Error #52", {"Line:106", "Bad file name or number", "Continue?"});
    ASSERT_FALSE(second.empty());
    box_key(second, "Return");
    const std::string third = wait_for_box("Unhandled Error #52", {"Line:203", "Bad file name or number", "Continue?"});
    ASSERT_FALSE(third.empty());
    box_key(third, "Tab");
    box_key(third, "Return");
    EXPECT_EQ(program.wait_exit(), 0);
    EXPECT_TRUE(std::filesystem::exists(folder / "out.igs")) << "step 95 ran after the first Yes";
}

// SIGTERM acts as closing the window and SIGINT as Ctrl+Break: the run ends
// at its next end-of-step check, the IGES file holds whole records.
TEST_F(WindowTest, StopSignalsDuringAConversionLeaveWholeRecords) {
    for (const int signal_number : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal_number == SIGTERM ? "SIGTERM" : "SIGINT");
        start_large_conversion();
        program.send_signal(signal_number);
        EXPECT_EQ(program.wait_exit(), 0);
        expect_whole_records_cut_short();
    }
}

// Another program destroys the window: that is a close. At a name's prompt
// the window is drawn on as the text cursor blinks; at the end-of-run
// prompt nothing is drawn any more.
TEST_F(WindowTest, WindowDestroyedByAnotherProgramEndsTheRun) {
    for (const bool at_end_prompt : {false, true}) {
        SCOPED_TRACE(at_end_prompt ? "at the end-of-run prompt" : "at the STL prompt");
        if (at_end_prompt) {
            run_to_end_prompt();
        } else {
            start_program();
            wait_for_row(10, banner_rows[10]);
        }
        xdotool("windowclose " + window);
        EXPECT_EQ(program.wait_exit(), 0);
    }
}

// A box destroyed by another program can no longer be answered: it counts
// as Yes, as a box that cannot be shown.
TEST_F(WindowTest, BoxDestroyedByAnotherProgramCountsAsYes) {
    start_with_missing_stl_folder();
    const std::string first = wait_for_box("Unhandled Error #76", {"Line:94", "Path not found", "Continue?"});
    ASSERT_FALSE(first.empty());
    xdotool("windowclose " + first);
    const std::string second = wait_for_box("Unhandled Error #52", {"Line:106", "Bad file name or number", "Continue?"});
    ASSERT_FALSE(second.empty());
    box_key(second, "n");
    EXPECT_EQ(program.wait_exit(), 0);
}

// The X server ends during the conversion: as a close, with whole records.
TEST_F(WindowTest, DisplayLostDuringAConversionLeavesWholeRecords) {
    XServer own_server;
    own_server.start(*logs / "own_xvfb.log");
    ASSERT_FALSE(own_server.display.empty()) << "Xvfb did not start";
    display = own_server.display;
    start_large_conversion();
    own_server.end();
    EXPECT_EQ(program.wait_exit(), 0) << read_bytes(*logs / "program.log");
    expect_whole_records_cut_short();
}
