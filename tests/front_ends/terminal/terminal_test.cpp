// The terminal front end in a real terminal: build/stlwire runs in a tmux
// pane of 80 by 25 cells; send-keys types, capture-pane reads the screen.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/run_program.h"

namespace {

using namespace std::chrono_literals;

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Runs a shell command; its standard output.
std::string output_of(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
    return out;
}

bool tmux_available() {
    return std::system("tmux -V > /dev/null 2>&1") == 0;
}

// Polls condition until it holds or the deadline passes.
bool eventually(const std::function<bool()>& condition) {
    auto deadline = std::chrono::steady_clock::now() + 30s;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) return true;
        std::this_thread::sleep_for(20ms);
    }
    return condition();
}

// Time for the program to act on a key that must change nothing.
void let_the_program_act() {
    std::this_thread::sleep_for(500ms);
}

// One program in one tmux pane of a private tmux server. The pane runs a
// small script: it notes the terminal's settings, runs the program without a
// display (so the terminal front end is chosen), notes the settings again and
// the exit code, and stays open so that the pane can still be read.
class TerminalRun {
public:
    explicit TerminalRun(const TempFolder& folder) : folder_(folder) {
        write_bytes(folder_ / "tmux.conf", "set -g status off\nset -g default-size 80x25\n");
        write_bytes(folder_ / "pane.sh",
                    "stty -g > " + quoted(folder_ / "stty_before") + "\n" +
                    "sh -c 'echo $$ > " + folder_ / "pid" + "; exec env -u DISPLAY -u WAYLAND_DISPLAY " +
                    STLWIRE_BINARY + "'\n" +
                    "code=$?\n" +
                    "stty -g > " + quoted(folder_ / "stty_after") + "\n" +
                    "echo $code > " + quoted(folder_ / "exit_code.part") + "\n" +
                    "mv " + quoted(folder_ / "exit_code.part") + " " + quoted(folder_ / "exit_code") + "\n" +
                    "exec sleep 600\n");
        tmux("new-session -d -x 80 -y 25 -s stlwire " + quoted("sh " + folder_ / "pane.sh"));
    }
    ~TerminalRun() { tmux("kill-server"); }

    void type(const std::string& text) { tmux("send-keys -t stlwire -l " + quoted(text)); }
    // Keys by their tmux names: Enter, BSpace, Tab, Left, C-c, C-s, ...
    void press(const std::string& keys) { tmux("send-keys -t stlwire " + keys); }
    void resize(int columns, int rows) {
        tmux("resize-window -t stlwire -x " + std::to_string(columns) + " -y " + std::to_string(rows));
    }
    std::string query(const std::string& format) {
        std::string out = tmux("display-message -p -t stlwire " + quoted(format));
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
    int exit_code() { return std::stoi(read_bytes(folder_ / "exit_code")); }
    int pid() { return std::stoi(read_bytes(folder_ / "pid")); }

    // Ended with exit code 0 and the terminal back as it was: the same
    // settings, the normal screen, the cursor shown.
    void expect_clean_end() {
        ASSERT_TRUE(eventually([&] { return ended(); })) << "the program did not end";
        EXPECT_EQ(exit_code(), 0);
        expect_terminal_restored();
    }
    void expect_terminal_restored() {
        EXPECT_EQ(read_bytes(folder_ / "stty_after"), read_bytes(folder_ / "stty_before"));
        EXPECT_EQ(query("#{alternate_on}"), "0");
        EXPECT_EQ(query("#{cursor_flag}"), "1");
    }

private:
    std::string tmux(const std::string& arguments) {
        return output_of("env -u TMUX LC_ALL=C.UTF-8 tmux -S " + quoted(folder_ / "tmux.sock") +
                         " -f " + quoted(folder_ / "tmux.conf") + " " + arguments + " 2>/dev/null");
    }

    const TempFolder& folder_;
};

const std::vector<float> facet_a = {0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0};
const std::vector<float> facet_b = {0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 2.5f};

// Row 10 holds the STL prompt once the program is up.
void wait_for_stl_prompt(TerminalRun& run) {
    ASSERT_TRUE(eventually([&] { return run.row(10) == " ENTER STL (.STL) file:"; })) << run.row(10);
}

void type_line(TerminalRun& run, const std::string& text) {
    run.type(text);
    run.press("Enter");
}

#define REQUIRE_TMUX() \
    if (!tmux_available()) GTEST_SKIP() << "tmux is not installed"

// The IGES text without the digits of the Global section, which carry the
// date and time of the run.
std::string without_clock(const std::string& iges) {
    std::string out;
    size_t start = 0;
    for (size_t end; (end = iges.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = iges.substr(start, end - start + 1);
        if (line.size() > 72 && line[72] == 'G')
            for (char& c : line) if (c >= '0' && c <= '9') c = '#';
        out += line;
    }
    return out;
}

TEST(TerminalFrontEnd, CompleteRunShowsTheScreenPictureRowForRow) {
    REQUIRE_TMUX();
    TempFolder folder;
    write_stl(folder / "in.stl", 2, {facet_a, facet_b});
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    // The cursor stands after "? " while a line is typed.
    EXPECT_EQ(run.query("#{cursor_flag} #{cursor_y} #{cursor_x}"), "1 10 2");

    type_line(run, folder / "in.stl");
    type_line(run, folder / "out.igs");
    ASSERT_TRUE(eventually([&] { return run.row(25) == "Press any key to continue"; })) << run.row(25);

    std::vector<std::string> expected(26);
    expected[1] = "";
    expected[2] = "Software by Zorvin Quarn stlwire@example.com";
    expected[3] = "Input files and output files must be 8 character prefix and";
    expected[4] = "3 character suffix (DOS standard).";
    expected[5] = " Beta software use at your own risk.";
    expected[7] = " STL to IGES wire frame Utility";
    expected[10] = " ENTER STL (.STL) file:";
    expected[11] = "? " + folder / "in.stl";
    expected[12] = " ENTER IGES (.igs) file (output):";
    expected[13] = "? " + folder / "out.igs";
    expected[16] = " " + folder / "in.stl" + " > " + folder / "out.igs";
    expected[18] = " Done!";
    expected[25] = "Press any key to continue";
    std::vector<std::string> rows = run.rows();
    ASSERT_EQ(rows.size(), 26u);
    for (int r = 1; r <= 25; ++r) EXPECT_EQ(rows[r], expected[r]) << "row " << r;
    EXPECT_EQ(run.query("#{cursor_flag}"), "0");

    // An arrow key is a key too: it ends the end-of-run wait.
    run.press("Right");
    run.expect_clean_end();

    // The same IGES file as a scripted run writes under the same names.
    std::string iges = read_bytes(folder / "out.igs");
    EXPECT_FALSE(iges.empty());
    ProgramRun reference = run_program(folder / "in.stl" + "\n" + folder / "out.igs" + "\n\n");
    ASSERT_EQ(reference.exit_code, 0);
    EXPECT_EQ(without_clock(iges), without_clock(read_bytes(folder / "out.igs")));
}

TEST(TerminalFrontEnd, CommaRefusedAndQuotedName) {
    REQUIRE_TMUX();
    TempFolder folder;
    write_stl(folder / "in,1.stl", 1, {facet_a});
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    type_line(run, "\"" + folder / "in,1.stl" + "\"");
    run.type(folder / "out,.igs");
    ASSERT_TRUE(eventually([&] { return run.row(13) == "? " + folder / "out.igs"; })) << run.row(13);
    run.press("Enter");
    ASSERT_TRUE(eventually([&] { return run.row(25) == "Press any key to continue"; }));
    EXPECT_EQ(run.row(11), "? \"" + folder / "in,1.stl" + "\"");
    EXPECT_EQ(run.row(16), " " + folder / "in,1.stl" + " > " + folder / "out.igs");
    EXPECT_EQ(run.row(18), " Done!");
    run.press("q");
    run.expect_clean_end();
    EXPECT_TRUE(std::filesystem::exists(folder / "out.igs"));
}

TEST(TerminalFrontEnd, BackspaceAcrossAWrap) {
    REQUIRE_TMUX();
    TempFolder folder;
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    // 78 characters fill row 11 from column 3; the 79th stands on row 12.
    std::string typed = std::string(78, 'a') + "b";
    run.type(typed);
    ASSERT_TRUE(eventually([&] { return run.row(12) == "b"; })) << run.row(12);
    EXPECT_EQ(run.query("#{cursor_y} #{cursor_x}"), "11 1");

    run.press("BSpace");
    run.press("BSpace");
    ASSERT_TRUE(eventually([&] { return run.row(11) == "? " + std::string(77, 'a'); })) << run.row(11);
    EXPECT_EQ(run.row(12), "");
    EXPECT_EQ(run.query("#{cursor_flag} #{cursor_y} #{cursor_x}"), "1 10 79");

    run.type("Z");
    ASSERT_TRUE(eventually([&] { return run.row(11) == "? " + std::string(77, 'a') + "Z"; }))
        << run.row(11);
    EXPECT_EQ(run.row(12), "");
    run.type("Y");
    ASSERT_TRUE(eventually([&] { return run.row(12) == "Y"; })) << run.row(12);

    run.press("C-c");
    run.expect_clean_end();
}

TEST(TerminalFrontEnd, ErrorBoxForAMissingFolderAnsweredNo) {
    REQUIRE_TMUX();
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
        ASSERT_TRUE(eventually([&] { return run.shows("Unhandled Error #76"); }));
        EXPECT_TRUE(run.shows("Line:94"));
        EXPECT_TRUE(run.shows("Path not found"));
        EXPECT_TRUE(run.shows("Continue?"));
        EXPECT_TRUE(run.shows("[ Yes ]"));
        if (*c.before) {
            run.press(c.before);
            ASSERT_TRUE(eventually([&] { return run.shows("[ No ]"); }));
        }
        run.press(c.answer);
        run.expect_clean_end();
        // Step 95 never ran.
        EXPECT_EQ(read_bytes(folder / "out.igs"), "kept");
    }
}

TEST(TerminalFrontEnd, ErrorBoxesAnsweredYesKeepTheScreenUnderThem) {
    REQUIRE_TMUX();
    TempFolder folder;
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    type_line(run, folder / "missing/in.stl");
    type_line(run, folder / "out.igs");
    ASSERT_TRUE(eventually([&] { return run.shows("Unhandled Error #76"); }));
    run.press("Enter");
    ASSERT_TRUE(eventually([&] { return run.shows("Line:106"); }));
    EXPECT_TRUE(run.shows("Unhandled Error #52"));
    EXPECT_TRUE(run.shows("Bad file name or number"));
    run.press("y");
    ASSERT_TRUE(eventually([&] { return run.shows("Line:203"); }));
    run.press("Right Left Enter");
    ASSERT_TRUE(eventually([&] { return run.row(25) == "Press any key to continue"; }));
    EXPECT_FALSE(run.shows("Unhandled Error"));
    EXPECT_EQ(run.row(10), " ENTER STL (.STL) file:");
    EXPECT_EQ(run.row(13), "? " + folder / "out.igs");
    EXPECT_EQ(run.row(16), " " + folder / "missing/in.stl" + " > " + folder / "out.igs");
    EXPECT_EQ(run.row(18), " Done!");
    run.press("Enter");
    run.expect_clean_end();
}

// Ctrl+C, closing the terminal and a crash while the IGES name is typed:
// the process ends at once and no file is created.
TEST(TerminalFrontEnd, StopWhileANameIsTyped) {
    REQUIRE_TMUX();
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
        write_stl(folder / "in.stl", 1, {facet_a});
        TerminalRun run(folder);
        wait_for_stl_prompt(run);
        type_line(run, folder / "in.stl");
        run.type(folder / "out.igs");
        ASSERT_TRUE(eventually([&] { return run.row(13) == "? " + folder / "out.igs"; }));
        if (*c.key) run.press(c.key);
        if (c.signal_number != 0) kill(run.pid(), c.signal_number);
        ASSERT_TRUE(eventually([&] { return run.ended(); }));
        EXPECT_EQ(run.exit_code(), c.exit_code);
        run.expect_terminal_restored();
        EXPECT_FALSE(std::filesystem::exists(folder / "out.igs"));
    }
}

TEST(TerminalFrontEnd, CtrlSDuringALargeConversionHoldsIt) {
    REQUIRE_TMUX();
    TempFolder folder;
    const int facets = 100000;
    std::vector<std::vector<float>> mesh;
    for (int i = 0; i < facets; ++i)
        mesh.push_back({0, 0, 1, i * 0.001f, 0, 0, 1, i * 0.5f, 0, 0, 1, i + 1.0f});
    write_stl(folder / "in.stl", facets, mesh);
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
    ASSERT_TRUE(eventually([&] { return written() > 0; }));
    run.press("C-s");
    // Held: the file stops growing before it is complete.
    uintmax_t held_size = 0;
    ASSERT_TRUE(eventually([&] {
        uintmax_t before = written();
        let_the_program_act();
        held_size = written();
        return held_size == before;
    }));
    EXPECT_LT(held_size, full_size);
    EXPECT_FALSE(run.shows(" Done!"));

    run.type("x");
    ASSERT_TRUE(eventually([&] { return run.row(25) == "Press any key to continue"; }));
    EXPECT_EQ(without_clock(read_bytes(folder / "out.igs")),
              without_clock(read_bytes(folder / "reference.igs")));
    run.type("q");
    run.expect_clean_end();
}

TEST(TerminalFrontEnd, CtrlSAtTheEndOfRunPromptTakesOneKey) {
    REQUIRE_TMUX();
    TempFolder folder;
    write_stl(folder / "in.stl", 1, {facet_a});
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    type_line(run, folder / "in.stl");
    type_line(run, folder / "out.igs");
    ASSERT_TRUE(eventually([&] { return run.row(25) == "Press any key to continue"; }));
    run.press("C-s");
    run.type("a");   // only releases the pause
    let_the_program_act();
    EXPECT_FALSE(run.ended());
    EXPECT_EQ(run.row(25), "Press any key to continue");
    run.type("b");
    run.expect_clean_end();
}

TEST(TerminalFrontEnd, CtrlSWhileALineIsTypedDiscardsTheNextKey) {
    REQUIRE_TMUX();
    TempFolder folder;
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    run.type("ab");
    ASSERT_TRUE(eventually([&] { return run.row(11) == "? ab"; }));
    run.press("C-s");
    run.type("x");
    run.type("y");
    ASSERT_TRUE(eventually([&] { return run.row(11).find('y') != std::string::npos; })) << run.row(11);
    EXPECT_EQ(run.row(11), "? aby");
    run.press("C-c");
    run.expect_clean_end();
}

TEST(TerminalFrontEnd, TooSmallTerminalAsksToBeEnlargedAndLosesNothing) {
    REQUIRE_TMUX();
    TempFolder folder;
    TerminalRun run(folder);
    wait_for_stl_prompt(run);
    run.resize(60, 20);
    ASSERT_TRUE(eventually([&] { return run.row(1).find("enlarge the terminal to 80 by 25") != std::string::npos; }))
        << run.row(1);
    EXPECT_FALSE(run.shows("ENTER STL"));
    run.type("abc");
    let_the_program_act();
    run.resize(80, 25);
    ASSERT_TRUE(eventually([&] { return run.row(11) == "? abc"; })) << run.row(11);
    EXPECT_EQ(run.row(10), " ENTER STL (.STL) file:");
    EXPECT_EQ(run.row(2), "Software by Zorvin Quarn stlwire@example.com");
    run.press("C-c");
    run.expect_clean_end();
}

}  // namespace
