// The window front end, end to end: build/stlwire on a private Xvfb with
// Mesa's software renderer, driven by xdotool and read back from xwd
// screenshots.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "front_ends/window/font_8x16.h"
#include "front_ends/window/message_box_pixels.h"
#include "tests/support/window_screen.h"
#include "tests/support/x_session.h"

// Last: Xlib's macros must not reach the headers above.
#include <X11/Xlib.h>

namespace {

// A fresh temporary folder, removed with the object.
struct ScratchFolder {
    std::filesystem::path path;
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "stlwire-window-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string operator/(const std::string& name) const { return (path / name).string(); }
};

// A binary STL file of one facet.
void write_one_facet_stl(const std::string& path) {
    std::string bytes(80, ' ');
    const int32_t count = 1;
    bytes.append(reinterpret_cast<const char*>(&count), 4);
    for (float value : {0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 0.f})
        bytes.append(reinterpret_cast<const char*>(&value), 4);
    bytes.append(2, '\0');
    std::ofstream(path, std::ios::binary) << bytes;
}

const std::vector<std::string> banner_rows = {
    " ",
    "Software by Zorvin Quarn stlwire@example.com",
    "Input files and output files must be 8 character prefix and ",
    "3 character suffix (DOS standard). ",
    " Beta software use at your own risk.",
    " ",
    " STL to IGES wire frame Utility",
    " ",
    "",
    " ENTER STL (.STL) file: ",
};

std::string trimmed(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

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

class WindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        logs = std::make_unique<ScratchFolder>();
        x_server = std::make_unique<XServer>();
        x_server->start(*logs / "xvfb.log");
    }
    static void TearDownTestSuite() {
        x_server.reset();
        logs.reset();
    }

    void SetUp() override {
        if (x_server->display.empty()) GTEST_SKIP() << "Xvfb cannot start here (is the xvfb package installed?)";
        display = x_server->display;
    }

    // Starts the program with standard input on /dev/null and waits for
    // its window.
    void start_program() {
        ASSERT_TRUE(program.start({STLWIRE_BINARY},
                                  child_environment({"DISPLAY=" + display, "LIBGL_ALWAYS_SOFTWARE=1"}),
                                  *logs / "program.log"));
        ASSERT_TRUE(poll_until([&] {
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
        ASSERT_TRUE(poll_until([&] { return (seen = rows())[row] == trimmed(text); }))
            << "row " << row << " shows \"" << seen[row] << "\", not \"" << text << "\"";
    }

    void xdotool(const std::string& arguments) {
        ASSERT_TRUE(x_command(display, "xdotool " + arguments)) << "xdotool " << arguments;
    }

    void type(const std::string& text) {
        xdotool("windowfocus --sync " + window);
        xdotool("type --delay 20 '" + text + "'");
    }

    void key(const std::string& name) {
        xdotool("windowfocus --sync " + window);
        xdotool("key " + name);
    }

    // Starts the program and types both names, the STL one in a missing folder.
    void start_with_missing_stl_folder() {
        start_program();
        wait_for_row(10, banner_rows[9]);
        type(folder / "missing/in.stl");
        key("Return");
        type(folder / "out.igs");
        key("Return");
    }

    // Types both names and waits for the end-of-run prompt.
    void run_to_end_prompt() {
        write_one_facet_stl(folder / "in.stl");
        start_program();
        wait_for_row(10, " ENTER STL (.STL) file: ");
        type(folder / "in.stl");
        key("Return");
        wait_for_row(12, " ENTER IGES (.igs) file (output): ");
        type(folder / "out.igs");
        key("Return");
        wait_for_row(25, "Press any key to continue");
    }

    // Waits for the error box whose first line is line_one.
    std::string wait_for_box(const std::string& line_one) {
        std::string box, seen;
        const bool found = poll_until([&] {
            box = find_window(display, program.id(), "^Unhandled Error").value_or("");
            const auto image = box.empty() ? std::nullopt : screenshot(display, box);
            seen = image ? read_cells(*image, 16, 16, 20, vga_colour(0), vga_colour(7)) : "";
            return seen == line_one;
        });
        EXPECT_TRUE(found) << "no box with \"" << line_one << "\" (last seen \"" << seen << "\")";
        return found ? box : "";
    }

    void box_key(const std::string& box, const std::string& name) {
        xdotool("windowfocus --sync " + box);
        xdotool("key " + name);
    }

    // A check that something does not happen needs a while to pass: a
    // second, ten turns of the end-of-run wait.
    bool still_running_a_while() {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        return program.running();
    }

    static std::unique_ptr<ScratchFolder> logs;
    static std::unique_ptr<XServer> x_server;
    std::string display;
    ScratchFolder folder;
    ChildProcess program;
    std::string window;
};

std::unique_ptr<ScratchFolder> WindowTest::logs;
std::unique_ptr<XServer> WindowTest::x_server;

}  // namespace

TEST_F(WindowTest, OpensOneWindowTitledUntitledOf640By400Pixels) {
    start_program();
    EXPECT_EQ(window_name(display, window), "Untitled");
    EXPECT_EQ(window_size(display, window), "640x400");
}

TEST_F(WindowTest, BannerRowsArePixelForPixelTheFontsGlyphs) {
    start_program();
    wait_for_row(10, banner_rows[9]);
    const auto image = screenshot(display, window);
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 640);
    ASSERT_EQ(image->height, 400);
    const Rgb grey{170, 170, 170}, black{0, 0, 0};
    for (int row = 0; row < 10; ++row) {
        const std::string text = banner_rows[row] + std::string(80 - banner_rows[row].size(), ' ');
        for (int column = 0; column < 80; ++column)
            for (int line = 0; line < 16; ++line)
                for (int bit = 0; bit < 8; ++bit) {
                    const bool lit = font_8x16[static_cast<uint8_t>(text[column])][line] & (0x80 >> bit);
                    ASSERT_EQ(image->at(column * 8 + bit, row * 16 + line), lit ? grey : black)
                        << "row " << row + 1 << " column " << column + 1 << " line " << line << " bit " << bit;
                }
    }
}

TEST_F(WindowTest, TypedNamesReachDoneAndAKeyEndsTheRun) {
    run_to_end_prompt();
    const std::string stl = folder / "in.stl", igs = folder / "out.igs";
    std::vector<std::string> expected = {""};   // rows count from 1
    expected.insert(expected.end(), banner_rows.begin(), banner_rows.end());
    for (const std::string& row : {"? " + stl, std::string(" ENTER IGES (.igs) file (output): "), "? " + igs,
                                   std::string(), std::string(), " " + stl + " > " + igs, std::string(" "),
                                   std::string(" Done!")})
        expected.push_back(row);
    expected.resize(25, "");
    expected.push_back("Press any key to continue");
    for (std::string& row : expected) row = trimmed(row);
    EXPECT_EQ(rows(), expected);
    EXPECT_GT(std::filesystem::file_size(igs), 0u);

    key("x");
    EXPECT_EQ(program.wait_exit(), 0);
}

TEST_F(WindowTest, MissingFolderShowsTheErrorBoxAndNoEndsTheRun) {
    start_with_missing_stl_folder();
    std::string box;
    ASSERT_TRUE(poll_until([&] {
        box = find_window(display, program.id(), "^Unhandled Error").value_or("");
        return !box.empty();
    })) << "no error box";
    EXPECT_EQ(window_name(display, box), "Unhandled Error #76");

    const std::string text = "Line:94\nPath not found\nContinue?";
    const BoxLayout layout = layout_box(text, true);
    const auto image = screenshot(display, box);
    ASSERT_TRUE(image);
    const Rgb face = vga_colour(7), ink = vga_colour(0);
    EXPECT_EQ(read_cells(*image, 16, 16, 20, ink, face), "Line:94");
    EXPECT_EQ(read_cells(*image, 16, 32, 20, ink, face), "Path not found");
    EXPECT_EQ(read_cells(*image, 16, 48, 20, ink, face), "Continue?");
    EXPECT_TRUE(program.running()) << "the program waits for the answer";

    const BoxButton& no = layout.buttons.at(1);
    ASSERT_EQ(no.label, "No");
    xdotool("mousemove --window " + box + " " + std::to_string(no.x + no.width / 2) + " " +
            std::to_string(no.y + no.height / 2) + " click 1");
    EXPECT_EQ(program.wait_exit(), 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "out.igs")) << "step 95 never runs after No";
}

TEST_F(WindowTest, CloseButtonAtTheStlPromptEndsTheRunWithoutFiles) {
    start_program();
    wait_for_row(10, banner_rows[9]);
    type(folder / "typed.stl");
    ASSERT_TRUE(poll_until([&] { return rows()[11].rfind("? " + (folder / "typed.stl"), 0) == 0; }));
    ASSERT_TRUE(send_close_request(display, window));
    EXPECT_EQ(program.wait_exit(), 0);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path)) << "no file created";
}

TEST_F(WindowTest, PauseAtTheEndPromptTakesOneKeyThenAKeyEndsTheRun) {
    run_to_end_prompt();
    key("Pause");
    key("a");
    EXPECT_TRUE(still_running_a_while()) << "the key after Pause only ends the pause";
    key("b");
    EXPECT_EQ(program.wait_exit(), 0);
}

TEST_F(WindowTest, ModifierKeysAloneLeaveTheEndPromptWaiting) {
    run_to_end_prompt();
    key("Shift_L");
    key("Control_L");
    key("Alt_L");
    EXPECT_TRUE(still_running_a_while()) << "Shift, Ctrl and Alt alone enter nothing";
    EXPECT_EQ(rows()[25], "Press any key to continue");
    key("space");
    EXPECT_EQ(program.wait_exit(), 0);
}

TEST_F(WindowTest, ErrorBoxesAnswerYAndEnterWithYesAndTabEnterWithNo) {
    start_with_missing_stl_folder();
    const std::string first = wait_for_box("Line:94");
    ASSERT_FALSE(first.empty());
    box_key(first, "y");
    // After Yes the unopened STL file gives error 52 at steps 106 and 203.
    const std::string second = wait_for_box("Line:106");
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(window_name(display, second), "Unhandled Error #52");
    box_key(second, "Return");
    const std::string third = wait_for_box("Line:203");
    ASSERT_FALSE(third.empty());
    box_key(third, "Tab");
    box_key(third, "Return");
    EXPECT_EQ(program.wait_exit(), 0);
    EXPECT_TRUE(std::filesystem::exists(folder / "out.igs")) << "step 95 ran after the first Yes";
}
