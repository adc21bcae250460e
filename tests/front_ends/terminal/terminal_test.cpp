// The terminal front end in a real terminal: build/stlwire runs in a tmux
// pane of 80 by 25 cells; send-keys types, capture-pane reads the screen.
// Every check waits for what it looks at: the terminal shows the program's
// output some time after the program wrote it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/expected_screen.h"
#include "tests/support/iges_run.h"
#include "tests/support/polling.h"
#include "tests/support/run_program.h"
#include "tests/support/shell_command.h"

namespace {

// One program in one tmux pane of a private tmux server. The pane runs a
// small script: it notes the terminal's settings, runs the program without a
// display (so the terminal front end is chosen), notes the settings again and
// the exit code, and stays open so that the pane can still be read. The
// script's shell has job control, as a user's has: the program runs as a job
// of its own, which a SIGTSTP stops; the script then waits until the test
// brings it back to the foreground, as fg does, as often as it is stopped.
class TerminalRun {
public:
    // program_output: a file for the program's standard output, or empty
    // for the terminal.
    explicit TerminalRun(const TempFolder& folder, const std::string& program_output = "") : folder_(folder) {
        write_bytes(folder_ / "tmux.conf", "set -g status off\nset -g default-size 80x25\n");
        mkfifo((folder_ / "foreground").c_str(), 0600);
        const std::string redirection = program_output.empty() ? "" : " > " + shell_quoted(program_output);
        write_bytes(folder_ / "pane.sh",
                    "stty -g > " + shell_quoted(folder_ / "stty_before") + "\n" +
                    "set -m\n" +
                    "sh -c 'echo $$ > " + folder_ / "pid" + "; exec env -u DISPLAY -u WAYLAND_DISPLAY " +
                    STLWIRE_BINARY + "'" + redirection + "\n" +
                    "code=$?\n" +
                    // A function, not a loop: bash leaves a loop when the job
                    // that fg brought back stops again.
                    "foreground_while_stopped() {\n" +
                    "  [ $code -eq 148 ] || return 0\n" +   // stopped by SIGTSTP
                    "  read line < " + shell_quoted(folder_ / "foreground") + "\n" +
                    "  fg > /dev/null\n" +
                    "  code=$?\n" +
                    "  foreground_while_stopped\n" +
                    "}\n" +
                    "foreground_while_stopped\n" +
                    "stty -g > " + shell_quoted(folder_ / "stty_after") + "\n" +
                    "echo $code > " + shell_quoted(folder_ / "exit_code.part") + "\n" +
                    "mv " + shell_quoted(folder_ / "exit_code.part") + " " + shell_quoted(folder_ / "exit_code") + "\n" +
                    "exec sleep 600\n");
        tmux("new-session -d -x 80 -y 25 -s stlwire " + shell_quoted("bash " + folder_ / "pane.sh"));
    }
    ~TerminalRun() { tmux("kill-server"); }

    void type(const std::string& text) { tmux("send-keys -t stlwire -l " + shell_quoted(text)); }
    // Keys by their tmux names: Enter, BSpace, Tab, Left, C-c, C-s, ...
    void press(const std::string& keys) { tmux("send-keys -t stlwire " + keys); }
    void resize(int columns, int rows) {
        tmux("resize-window -t stlwire -x " + std::to_string(columns) + " -y " + std::to_string(rows));
    }
    std::string query(const std::string& format) {
        std::string out = tmux("display-message -p -t stlwire " + shell_quoted(format));
        while (!out.empty() && out.back() == '\n') out.pop_back();
        return out;
    }
    // The pane's rows, 1-based, trailing blanks dropped.
    std::vector<std::string> rows() {
        std::vector<std::string> result(1);
        std::string text = tmux("capture-pane -p -t stlwire");
        size_t start = 0;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            result.push_back(text.substr(start, end - start));
        return result;
    }
    std::string row(int number) {
        std::vector<std::string> all = rows();
        return number < static_cast<int>(all.size()) ? all[number] : std::string();
    }
    bool shows(const std::string& text) {
        for (const std::string& r : rows())
            if (r.find(text) != std::string::npos) return true;
        return false;
    }
    bool ended() { return std::filesystem::exists(folder_ / "exit_code"); }
    // The program has been stopped (its state in /proc is T).
    bool stopped() {
        const std::string stat = read_bytes("/proc/" + std::to_string(pid()) + "/stat");
        const size_t after_name = stat.rfind(") ");
        return after_name != std::string::npos && stat.compare(after_name + 2, 1, "T") == 0;
    }
    // Once the program has been stopped: the script's fg, which gives it the
    // terminal and continues it.
    bool bring_to_foreground() {
        int fd = -1;
        wait_until([&] { return (fd = open((folder_ / "foreground").c_str(), O_WRONLY | O_NONBLOCK)) >= 0; });
        const bool written = fd >= 0 && write(fd, "\n", 1) == 1;
        if (fd >= 0) close(fd);
        return written;
    }
    // Bytes on the pane's terminal, as another program of the session writes them.
    void write_to_terminal(const std::string& bytes) {
        const int fd = open(query("#{pane_tty}").c_str(), O_WRONLY | O_NOCTTY);
        ASSERT_GE(fd, 0);
        EXPECT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        close(fd);
    }
    // The terminal's settings now, as stty -g gives them.
    std::string settings() {
        return shell_output("stty -g -F " + shell_quoted(query("#{pane_tty}"))).value_or("");
    }
    std::string settings_before() { return read_bytes(folder_ / "stty_before"); }
    int exit_code() { return std::stoi(read_bytes(folder_ / "exit_code")); }
    int pid() { return std::stoi(read_bytes(folder_ / "pid")); }

    // The query's value once it is the one expected; the last value seen
    // when it has not become that within the limit.
    std::string query_until(const std::string& format, const std::string& expected) {
        std::string value;
        wait_until([&] { return (value = query(format)) == expected; });
        return value;
    }

    // Ended with exit code 0 and the terminal back as it was: the same
    // settings, the normal screen, the cursor shown.
    void expect_clean_end() {
        ASSERT_TRUE(wait_until([&] { return ended(); })) << "the program did not end";
        EXPECT_EQ(exit_code(), 0);
        expect_terminal_restored();
    }
    void expect_terminal_restored() {
        EXPECT_EQ(read_bytes(folder_ / "stty_after"), settings_before());
        EXPECT_EQ(query_until("#{alternate_on}", "0"), "0");
        EXPECT_EQ(query_until("#{cursor_flag}", "1"), "1");
    }

private:
    std::string tmux(const std::string& arguments) {
        return shell_output("env -u TMUX LC_ALL=C.UTF-8 tmux -S " + shell_quoted(folder_ / "tmux.sock") + " -f " +
                            shell_quoted(folder_ / "tmux.conf") + " " + arguments + " 2>/dev/null")
            .value_or("");
    }

    const TempFolder& folder_;
};

const StlFacet facet_a{{0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 0, 1}};
const StlFacet facet_b{{1, 0, 0, 1, 1, 0, 0, 1, 2.5f}, {0, 0, 1}};

using Rows = std::vector<std::pair<int, std::string>>;

// Waits until each row shows its text; names the rows that do not.
::testing::AssertionResult rows_show(TerminalRun& run, const Rows& expected) {
    std::vector<std::string> seen;
    const auto matching = [&] {
        seen = run.rows();
        for (const auto& [row, text] : expected)
            if (row >= static_cast<int>(seen.size()) || seen[row] != text) return false;
        return true;
    };
    if (wait_until(matching)) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure();
    for (const auto& [row, text] : expected) {
        const std::string shown = row < static_cast<int>(seen.size()) ? seen[row] : "";
        if (shown != text) failure << "\nrow " << row << " shows \"" << shown << "\", not \"" << text << "\"";
    }
    return failure;
}

// Waits until the screen shows every text, anywhere.
::testing::AssertionResult screen_shows(TerminalRun& run, const std::vector<std::string>& texts) {
    std::string missing;
    const bool shown = wait_until([&] {
        for (const std::string& text : texts)
            if (!run.shows(text)) return missing = text, false;
        return true;
    });
    if (shown) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the screen does not show \"" << missing << "\"";
}

// Row 10 holds the STL prompt once the program is up.
void wait_for_stl_prompt(TerminalRun& run) {
    ASSERT_TRUE(rows_show(run, {{10, banner_rows[10]}}));
}

void wait_for_end_prompt(TerminalRun& run) {
    ASSERT_TRUE(rows_show(run, {{25, end_prompt}}));
}

void type_line(TerminalRun& run, const std::string& text) {
    run.type(text);
    run.press("Enter");
}

// tmux must be there: ./test.sh installs it.
class TerminalFrontEnd : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tool_installed("tmux", "tmux")); }
};

TEST_F(TerminalFrontEnd, CompleteRunShowsTheScreenPictureRowForRow) {
    TempFolder folder;
    write_stl(folder / "in.stl", {facet_a, facet_b});
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    // The cursor stands after "? " while a line is typed.
    EXPECT_EQ(run.query_until("#{cursor_flag} #{cursor_y} #{cursor_x}", "1 10 2"), "1 10 2");

    type_line(run, folder / "in.stl");
    type_line(run, folder / "out.igs");
    const std::vector<std::string> expected = done_screen(folder / "in.stl", folder / "out.igs");
    Rows every_row;
    for (int row = 1; row <= 25; ++row) every_row.push_back({row, expected[row]});
    ASSERT_TRUE(rows_show(run, every_row));
    EXPECT_EQ(run.rows().size(), 26u) << "25 rows";
    EXPECT_EQ(run.query_until("#{cursor_flag}", "0"), "0");

    // An arrow key is a key too: it ends the end-of-run wait.
    run.press("Right");
    run.expect_clean_end();

    // The same IGES file as a scripted run writes under the same names.
    expect_same_file_as_a_scripted_run(folder / "in.stl", folder / "out.igs");
}

// The terminal sends the name in UTF-8; the file of that name is converted,
// and the IGES file is the one that a scripted run of the name writes.
TEST_F(TerminalFrontEnd, NameWithALetterBeyondAsciiOpensItsFile) {
    TempFolder folder;
    const std::string stl = folder / "pi\u00e8ce.stl", igs = folder / "pi\u00e8ce.igs";
    write_stl(stl, {facet_a, facet_b});
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    type_line(run, stl);
    type_line(run, igs);
    ASSERT_TRUE(rows_show(run, {{11, "? " + stl}, {16, " " + stl + " > " + igs}, {18, " Done!"}, {25, end_prompt}}));
    run.press("q");
    run.expect_clean_end();
    expect_same_file_as_a_scripted_run(stl, igs);
}

TEST_F(TerminalFrontEnd, CommaRefusedAndQuotedName) {
    TempFolder folder;
    write_stl(folder / "in,1.stl", {facet_a});
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    type_line(run, "\"" + folder / "in,1.stl" + "\"");
    run.type(folder / "out,.igs");
    ASSERT_TRUE(rows_show(run, {{13, "? " + folder / "out.igs"}}));
    run.press("Enter");
    EXPECT_TRUE(rows_show(run, {{11, "? \"" + folder / "in,1.stl" + "\""},
                                {16, " " + folder / "in,1.stl" + " > " + folder / "out.igs"},
                                {18, " Done!"},
                                {25, end_prompt}}));
    run.press("q");
    run.expect_clean_end();
    EXPECT_TRUE(std::filesystem::exists(folder / "out.igs"));
}

TEST_F(TerminalFrontEnd, BackspaceAcrossAWrap) {
    TempFolder folder;
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    // 78 characters fill row 11 from column 3; the 79th stands on row 12.
    std::string typed = std::string(78, 'a') + "b";
    run.type(typed);
    ASSERT_TRUE(rows_show(run, {{12, "b"}}));
    EXPECT_EQ(run.query_until("#{cursor_y} #{cursor_x}", "11 1"), "11 1");

    run.press("BSpace");
    run.press("BSpace");
    ASSERT_TRUE(rows_show(run, {{11, "? " + std::string(77, 'a')}, {12, ""}}));
    EXPECT_EQ(run.query_until("#{cursor_flag} #{cursor_y} #{cursor_x}", "1 10 79"), "1 10 79");

    run.type("Z");
    ASSERT_TRUE(rows_show(run, {{11, "? " + std::string(77, 'a') + "Z"}, {12, ""}}));
    run.type("Y");
    ASSERT_TRUE(rows_show(run, {{12, "Y"}}));

    run.press("C-c");
    run.expect_clean_end();
}

TEST_F(TerminalFrontEnd, ErrorBoxForAMissingFolderAnsweredNo) {
    struct Case { const char* name; const char* before; const char* answer; };
    const Case cases[] = {{"N", "", "n"}, {"Tab then Enter", "Tab", "Enter"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        write_bytes(folder / "out.igs", "kept");
        TerminalRun run(folder);
        wait_for_stl_prompt(run);
        type_line(run, folder / "missing/in.stl");
        type_line(run, folder / "out.igs");
        ASSERT_TRUE(screen_shows(run, {"Unhandled Error #76", "Line:94", "Path not found", "Continue?", "[ Yes ]"}));
        if (*c.before) {
            run.press(c.before);
            ASSERT_TRUE(screen_shows(run, {"[ No ]"}));
        }
        run.press(c.answer);
        run.expect_clean_end();
        // Step 95 never ran.
        EXPECT_EQ(read_bytes(folder / "out.igs"), "kept");
    }
}

TEST_F(TerminalFrontEnd, ErrorBoxesAnsweredYesKeepTheScreenUnderThem) {
    TempFolder folder;
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    type_line(run, folder / "missing/in.stl");
    type_line(run, folder / "out.igs");
    ASSERT_TRUE(screen_shows(run, {"Unhandled Error #76"}));
    run.press("Enter");
    ASSERT_TRUE(screen_shows(run, {"Line:106", "Unhandled Error #52", "Bad file name or number"}));
    run.press("y");
    ASSERT_TRUE(screen_shows(run, {"Line:203"}));
    run.press("Right Left Enter");
    ASSERT_TRUE(rows_show(run, {{10, banner_rows[10]},
                                {13, "? " + folder / "out.igs"},
                                {16, " " + folder / "missing/in.stl" + " > " + folder / "out.igs"},
                                {18, " Done!"},
                                {25, end_prompt}}));
    EXPECT_TRUE(wait_until([&] { return !run.shows("Unhandled Error"); })) << "the last box stays";
    run.press("Enter");
    run.expect_clean_end();
}

// Ctrl+C, closing the terminal and a crash while the IGES name is typed:
// the process ends at once and no file is created.
TEST_F(TerminalFrontEnd, StopWhileANameIsTyped) {
    struct Case { const char* name; const char* key; int signal_number; int exit_code; };
    const Case cases[] = {
        {"Ctrl+C", "C-c", 0, 0},
        {"SIGTERM", "", SIGTERM, 0},
        {"SIGHUP", "", SIGHUP, 0},
        {"SIGSEGV", "", SIGSEGV, 128 + SIGSEGV},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        write_stl(folder / "in.stl", {facet_a});
        TerminalRun run(folder);
        wait_for_stl_prompt(run);
        type_line(run, folder / "in.stl");
        run.type(folder / "out.igs");
        ASSERT_TRUE(rows_show(run, {{13, "? " + folder / "out.igs"}}));
        if (*c.key) run.press(c.key);
        if (c.signal_number != 0) kill(run.pid(), c.signal_number);
        ASSERT_TRUE(wait_until([&] { return run.ended(); })) << "the program did not end";
        EXPECT_EQ(run.exit_code(), c.exit_code);
        run.expect_terminal_restored();
        EXPECT_FALSE(std::filesystem::exists(folder / "out.igs"));
    }
}

TEST_F(TerminalFrontEnd, CtrlSDuringALargeConversionHoldsIt) {
    TempFolder folder;
    std::vector<StlFacet> mesh;
    for (int i = 0; i < 100000; ++i)
        mesh.push_back({{i * 0.001f, 0, 0, 1, i * 0.5f, 0, 0, 1, i + 1.0f}, {0, 0, 1}});
    write_stl(folder / "in.stl", mesh);
    ProgramRun reference = run_program(folder / "in.stl" + "\n" + folder / "out.igs" + "\n\n");
    ASSERT_EQ(reference.exit_code, 0);
    std::filesystem::rename(folder / "out.igs", folder / "reference.igs");
    const auto full_size = std::filesystem::file_size(folder / "reference.igs");

    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    type_line(run, folder / "in.stl");
    type_line(run, folder / "out.igs");
    auto written = [&] {
        std::error_code error;
        auto size = std::filesystem::file_size(folder / "out.igs", error);
        return error ? 0 : size;
    };
    ASSERT_TRUE(wait_until([&] { return written() > 0; }));
    run.press("C-s");
    // Held: the file stops growing before it is complete.
    uintmax_t held_size = 0;
    ASSERT_TRUE(wait_until([&] {
        held_size = written();
        return holds_throughout([&] { return written() == held_size; });
    }));
    EXPECT_LT(held_size, full_size);
    EXPECT_FALSE(run.shows(" Done!"));

    run.type("x");
    ASSERT_TRUE(rows_show(run, {{18, " Done!"}, {25, end_prompt}}));
    EXPECT_EQ(without_clock(read_bytes(folder / "out.igs")),
              without_clock(read_bytes(folder / "reference.igs")));
    run.type("q");
    run.expect_clean_end();
}

TEST_F(TerminalFrontEnd, CtrlSAtTheEndOfRunPromptTakesOneKey) {
    TempFolder folder;
    write_stl(folder / "in.stl", {facet_a});
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    type_line(run, folder / "in.stl");
    type_line(run, folder / "out.igs");
    wait_for_end_prompt(run);
    run.press("C-s");
    run.type("a");   // only releases the pause
    EXPECT_TRUE(holds_throughout([&] { return !run.ended(); })) << "the key after Ctrl+S ended the run";
    EXPECT_EQ(run.row(25), end_prompt);
    run.type("b");
    run.expect_clean_end();
}

TEST_F(TerminalFrontEnd, CtrlSWhileALineIsTypedDiscardsTheNextKey) {
    TempFolder folder;
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    run.type("ab");
    ASSERT_TRUE(rows_show(run, {{11, "? ab"}}));
    run.press("C-s");
    run.type("x");
    run.type("y");
    // Whatever reaches the row first, x may not be among it.
    std::string row;
    ASSERT_TRUE(wait_until([&] { return (row = run.row(11)).find('y') != std::string::npos; })) << row;
    EXPECT_EQ(row, "? aby");
    run.press("C-c");
    run.expect_clean_end();
}

TEST_F(TerminalFrontEnd, TooSmallTerminalAsksToBeEnlargedAndLosesNothing) {
    TempFolder folder;
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    run.resize(60, 20);
    const auto asks_to_enlarge = [&] {
        return run.row(1).find("enlarge the terminal to 80 by 25") != std::string::npos && !run.shows("ENTER STL");
    };
    ASSERT_TRUE(wait_until(asks_to_enlarge)) << run.row(1);
    run.type("abc");
    // The keys typed meanwhile show nothing but the request.
    EXPECT_TRUE(holds_throughout(asks_to_enlarge)) << run.row(1);
    run.resize(80, 25);
    EXPECT_TRUE(rows_show(run, {{2, banner_rows[2]}, {10, banner_rows[10]}, {11, "? abc"}}));
    run.press("C-c");
    run.expect_clean_end();
}

// The keypad's Enter arrives as a line feed while the keypad is in its
// numeric mode and as ESC O M in its application mode; either way it ends
// the line input and answers the box, and the keypad's other keys give
// their characters.
TEST_F(TerminalFrontEnd, KeypadEnterInEitherKeypadMode) {
    struct Case { const char* mode; const char* sequence; };
    const Case cases[] = {{"numeric", "\x1b>"}, {"application", "\x1b="}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        TempFolder folder;
        TerminalRun run(folder);
        wait_for_stl_prompt(run);
        run.write_to_terminal(c.sequence);   // as another program might have left it
        run.type(folder / "missing/in.stl");
        run.press("KPEnter");
        ASSERT_TRUE(rows_show(run, {{12, " ENTER IGES (.igs) file (output):"}}));
        run.type(folder / "out");
        run.press("KP1 KP.");
        run.type("igs");
        ASSERT_TRUE(rows_show(run, {{13, "? " + folder / "out1.igs"}}));
        run.press("KPEnter");
        ASSERT_TRUE(screen_shows(run, {"Unhandled Error #76", "Line:94"}));
        run.press("KPEnter");   // Yes
        ASSERT_TRUE(screen_shows(run, {"Unhandled Error #52", "Line:106"}));
        run.press("n");
        run.expect_clean_end();
        EXPECT_TRUE(std::filesystem::exists(folder / "out1.igs")) << "step 95 ran after Yes";
    }
}

// Alt with a letter, or with Space, comes as ESC and the key: a key that
// types nothing, as in the window.
TEST_F(TerminalFrontEnd, AltWithALetterTypesNothing) {
    TempFolder folder;
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    run.type("ab");
    run.press("M-x M-a M-z M-A M-Z M-Space");
    run.type("c");
    ASSERT_TRUE(rows_show(run, {{11, "? abc"}}));
    run.press("C-c");
    run.expect_clean_end();
}

// Stops the program from outside (kill -TSTP) and brings it back (fg), the
// STL name typed so far being typed_name. Stopped, it gives the terminal back
// to the shell as at the end of a run; brought back, it takes it again and
// draws the whole screen over the shell's text.
void stop_and_continue(TerminalRun& run, const std::string& typed_name) {
    const std::string program_settings = run.settings();
    kill(run.pid(), SIGTSTP);
    ASSERT_TRUE(wait_until([&] { return run.stopped(); })) << "the program did not stop";
    EXPECT_EQ(run.query_until("#{alternate_on}", "0"), "0");
    EXPECT_EQ(run.query_until("#{cursor_flag}", "1"), "1");
    EXPECT_EQ(run.settings(), run.settings_before());
    run.write_to_terminal("$ fg\r\n");   // the shell's own text meanwhile

    ASSERT_TRUE(run.bring_to_foreground());
    Rows whole_screen;
    for (int row = 1; row <= 10; ++row) whole_screen.push_back({row, banner_rows[row]});
    whole_screen.push_back({11, "? " + typed_name});
    ASSERT_TRUE(rows_show(run, whole_screen));
    EXPECT_EQ(run.query_until("#{alternate_on}", "1"), "1");
    std::string settings;
    EXPECT_TRUE(wait_until([&] { return (settings = run.settings()) == program_settings; }))
        << "the terminal stays in the shell's mode: " << settings;
}

// Stopped from outside and brought back to the foreground, the program
// goes on with the line input; a second stop is answered as the first.
TEST_F(TerminalFrontEnd, StopAndContinueFromOutside) {
    TempFolder folder;
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    std::string typed = "ab";
    run.type(typed);
    ASSERT_TRUE(rows_show(run, {{11, "? " + typed}}));
    for (const char* letter : {"c", "d"}) {
        ASSERT_NO_FATAL_FAILURE(stop_and_continue(run, typed));
        run.type(letter);
        typed += letter;
        ASSERT_TRUE(rows_show(run, {{11, "? " + typed}}));
    }
    run.press("Enter");
    ASSERT_TRUE(rows_show(run, {{12, " ENTER IGES (.igs) file (output):"}}));
    run.press("C-c");
    run.expect_clean_end();
}

// Ctrl+L draws the whole screen anew, over another program's text.
TEST_F(TerminalFrontEnd, CtrlLRepaintsOverForeignText) {
    TempFolder folder;
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    run.type("ab");
    ASSERT_TRUE(rows_show(run, {{11, "? ab"}}));
    run.write_to_terminal("\x1b[2;1H[1]+  Done    make\x1b[20;1Hbackground job");
    ASSERT_TRUE(rows_show(run, {{20, "background job"}}));
    run.press("C-l");
    ASSERT_TRUE(rows_show(run, {{2, banner_rows[2]}, {11, "? ab"}, {20, ""}}));
    run.type("c");   // the line input took no character from Ctrl+L
    ASSERT_TRUE(rows_show(run, {{11, "? abc"}}));
    run.press("C-c");
    run.expect_clean_end();
}

// Ctrl+L draws the request to enlarge a too small terminal anew too, over
// another program's text.
TEST_F(TerminalFrontEnd, CtrlLRepaintsTheEnlargeRequest) {
    TempFolder folder;
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    run.type("ab");
    ASSERT_TRUE(rows_show(run, {{11, "? ab"}}));
    run.resize(60, 20);
    const std::string request = "Please enlarge the terminal to 80 by 25 (it is 60 by 20).";
    ASSERT_TRUE(rows_show(run, {{1, request}, {11, ""}}));
    run.write_to_terminal("\x1b[1;1Hjob\x1b[10;1Hbackground job");
    ASSERT_TRUE(rows_show(run, {{1, "job" + request.substr(3)}, {10, "background job"}}));
    run.press("C-l");
    ASSERT_TRUE(rows_show(run, {{1, request}, {10, ""}}));
    run.resize(80, 25);
    ASSERT_TRUE(rows_show(run, {{2, banner_rows[2]}, {11, "? ab"}}));
    run.press("C-c");
    run.expect_clean_end();
}

// Standard output redirected: the screen is drawn on the terminal all the
// same, and standard output receives the last screen as text.
TEST_F(TerminalFrontEnd, RedirectedOutputStillShowsTheScreen) {
    TempFolder folder;
    write_stl(folder / "in.stl", {facet_a});
    TerminalRun run(folder, folder / "screen.txt");
    wait_for_stl_prompt(run);
    type_line(run, folder / "in.stl");
    type_line(run, folder / "out.igs");
    wait_for_end_prompt(run);
    run.press("q");
    run.expect_clean_end();
    EXPECT_EQ(rows_of_screen(read_bytes(folder / "screen.txt")), done_screen(folder / "in.stl", folder / "out.igs"));
}

}  // namespace
