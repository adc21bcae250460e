// End-to-end runs of the program through the scripted front end.
#include <gtest/gtest.h>

#include <signal.h>
#include <string.h>

#include <filesystem>

#include "tests/support/expected_screen.h"
#include "tests/support/polling.h"
#include "tests/support/run_program.h"

namespace {

const StlFacet unit_facet{{0, 0, 0, 1, 0, 0, 0, 2, 0.5f}};

std::string two_names(const std::string& stl, const std::string& igs) {
    return stl + "\n" + igs + "\n";
}

TEST(ConverterRun, CompleteRunShowsTheWholeDialogue) {
    TempFolder folder;
    write_stl(folder / "in.stl", {unit_facet});
    const ProgramRun run = run_program(two_names(folder / "in.stl", folder / "out.igs") + "\n");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.boxes, "");
    const auto rows = rows_of_screen(run.screen);
    const auto expected = done_screen(folder / "in.stl", folder / "out.igs");
    for (int row = 1; row <= 25; ++row) EXPECT_EQ(rows[row], expected[row]) << "row " << row;
    EXPECT_TRUE(std::filesystem::exists(folder / "out.igs"));
}

TEST(ConverterRun, StepNinetyFiveEmptiesAnExistingFile) {
    TempFolder folder;
    write_stl(folder / "in.stl", {});
    write_bytes(folder / "out.igs", std::string(5000, 'x'));
    const ProgramRun run = run_program(two_names(folder / "in.stl", folder / "out.igs") + "\n");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(read_bytes(folder / "out.igs").find(std::string(100, 'x')), std::string::npos);
}

// The screen keeps what was typed, up to the end of the input: a UTF-8
// character cut by that end counts as the code page 437 character of its
// byte (C3 is the box-drawing glyph U+251C).
TEST(ConverterRun, InputEndingAtAPromptTouchesNoFile) {
    TempFolder folder;
    struct Case { std::string keys; int last_row; std::string row_shown; };
    const std::vector<Case> cases = {
        {"", 11, "?"},
        {folder / "in.stl" + "\n", 13, "?"},
        {"ab\xc3", 11, "? ab\u251c"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = run_program(c.keys);
        EXPECT_EQ(run.exit_code, 0) << c.keys;
        EXPECT_EQ(run.boxes, "") << c.keys;
        EXPECT_TRUE(std::filesystem::is_empty(folder.path)) << c.keys;
        const auto rows = rows_of_screen(run.screen);
        EXPECT_EQ(rows[c.last_row], c.row_shown) << c.keys;
        EXPECT_EQ(rows[c.last_row + 1], "") << c.keys;
        EXPECT_EQ(rows[25], "") << c.keys;
    }
}

TEST(ConverterRun, MissingFolderForTheStlFileThenYes) {
    TempFolder folder;
    const ProgramRun run =
        run_program(two_names(folder / "no/in.stl", folder / "out.igs") + "y\ny\ny\n\n");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.boxes,
              "Unhandled Error #76\nLine:94\nPath not found\nContinue?\n"
              "Unhandled Error #52\nLine:106\nBad file name or number\nContinue?\n"
              "Unhandled Error #52\nLine:203\nBad file name or number\nContinue?\n");
    EXPECT_TRUE(std::filesystem::exists(folder / "out.igs"));
    EXPECT_EQ(rows_of_screen(run.screen)[18], " Done!");
}

// N, n and Esc answer No: the process ends at once, step 95 never runs. A
// key that answers nothing is passed over.
TEST(ConverterRun, NoInTheFirstBoxEndsAtOnceAndLeavesTheIgesFile) {
    TempFolder folder;
    struct Case { std::string keys; std::string name; };
    const std::vector<Case> cases = {{"n", "n"}, {"N", "N"}, {"\x1b", "Esc"}, {"x\x1b", "x, then Esc"}};
    for (const Case& c : cases) {
        write_bytes(folder / "out.igs", "keep");
        const ProgramRun run = run_program(two_names(folder / "no/in.stl", folder / "out.igs") + c.keys);
        EXPECT_EQ(run.exit_code, 0) << c.name;
        EXPECT_EQ(box_titles(run.boxes), std::vector<std::string>{"Unhandled Error #76"}) << c.name;
        EXPECT_EQ(read_bytes(folder / "out.igs"), "keep") << c.name;
        EXPECT_EQ(rows_of_screen(run.screen)[25], "") << c.name;
    }
}

// A close (SIGTERM or SIGHUP) while the box of step 94 waits leaves the box
// waiting: its answer still decides. No ends the run at once; Yes runs
// exactly one more step (95, which empties the IGES file) and the run ends
// at that step's check, without the echo of step 97.
TEST(ConverterRun, CloseWhileABoxWaitsLeavesTheAnswerToTheBox) {
    TempFolder folder;
    struct Case { int signal; std::string answer; std::string igs_after; };
    const std::vector<Case> cases = {
        {SIGTERM, "n", "keep"}, {SIGHUP, "n", "keep"}, {SIGTERM, "y", ""}, {SIGHUP, "y", ""},
    };
    for (const Case& c : cases) {
        const std::string what = std::string(strsignal(c.signal)) + ", then " + c.answer;
        write_bytes(folder / "out.igs", "keep");
        std::filesystem::remove(folder / "boxes");
        ChildProcess program;
        ASSERT_TRUE(start_program(program, {.output = folder / "screen", .errors = folder / "boxes"}));
        ASSERT_TRUE(program.write_input(two_names(folder / "no/in.stl", folder / "out.igs")));
        ASSERT_TRUE(wait_until([&] { return read_bytes(folder / "boxes").ends_with("Continue?\n"); })) << what;
        program.send_signal(c.signal);
        EXPECT_TRUE(holds_throughout([&] { return program.running(); })) << what << ": the close ended the box";
        EXPECT_TRUE(program.write_input(c.answer)) << what;
        EXPECT_EQ(program.wait_exit(), 0) << what;
        EXPECT_EQ(box_titles(read_bytes(folder / "boxes")), std::vector<std::string>{"Unhandled Error #76"}) << what;
        EXPECT_EQ(read_bytes(folder / "out.igs"), c.igs_after) << what;
        const auto rows = rows_of_screen(read_bytes(folder / "screen"));
        EXPECT_EQ(rows[16], "") << what;
        EXPECT_EQ(rows[25], "") << what;
    }
}

// Opening failures of step 94 that each give one box, then one each at 106
// and 203 (52, or for the refused count 6 again).
TEST(ConverterRun, StlOpeningFailures) {
    TempFolder folder;
    write_bytes(folder / "ascii.stl", "solid cube\n" + std::string(100, ' '));
    std::filesystem::create_directory(folder / "a_folder");
    struct Case { std::string name; std::string first_box; };
    const std::vector<Case> cases = {
        {folder / "missing.stl", "Unhandled Error #53\nLine:94\nFile not found"},
        {folder / "ascii.stl", "Unhandled Error #6\nLine:94\nOverflow"},
        {folder / "a_folder", "Unhandled Error #70\nLine:94\nPermission denied"},
        {"", "Unhandled Error #53\nLine:94\nFile not found"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = run_program(two_names(c.name, folder / "out.igs") + "y\ny\ny\n\n");
        EXPECT_EQ(run.exit_code, 0);
        EXPECT_EQ(run.boxes.rfind(c.first_box, 0), 0u) << c.name << "\n" << run.boxes;
        EXPECT_EQ(box_titles(run.boxes).size(), 3u) << c.name;
        EXPECT_FALSE(std::filesystem::exists(folder / "missing.stl"));
    }
}

// The count's limit at the opening, in a file of two facets (the count
// need not match them): 1,666,666 passes step 94, and No to the box of
// step 95 ends the run before the long conversion; one more facet is
// refused at step 94 itself.
TEST(ConverterRun, CountLimitAtTheOpening) {
    TempFolder folder;
    struct Case { uint32_t count; std::string boxes; };
    const std::vector<Case> cases = {
        {1'666'666, "Unhandled Error #76\nLine:95\nPath not found\nContinue?\n"},
        {1'666'667, "Unhandled Error #6\nLine:94\nOverflow\nContinue?\n"},
    };
    for (const Case& c : cases) {
        write_bytes(folder / "in.stl", stl_bytes_with_count(c.count, {unit_facet, unit_facet}));
        const ProgramRun run = run_program(two_names(folder / "in.stl", folder / "no/out.igs") + "n");
        EXPECT_EQ(run.exit_code, 0) << c.count;
        EXPECT_EQ(run.boxes, c.boxes) << c.count;
    }
}

TEST(ConverterRun, BackslashSeparatesFoldersToo) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "sub");
    write_stl(folder / "sub/in.stl", {unit_facet});
    std::string name = folder / "sub\\in.stl";
    const ProgramRun run = run_program(two_names(name, folder / "out.igs") + "\n");
    EXPECT_EQ(run.boxes, "");
    EXPECT_EQ(rows_of_screen(run.screen)[18], " Done!");
}

// Keys typed ahead arrive with the names in one write, long before the
// conversion of this mesh ends; the input stays open, so only a key at the
// prompt can end it.
TEST(ConverterRun, EndOfRunPromptDiscardsTheKeysTypedDuringTheConversion) {
    TempFolder folder;
    const int facet_count = 20000;
    write_stl(folder / "in.stl", std::vector<StlFacet>(facet_count, unit_facet));
    ChildProcess program;
    ASSERT_TRUE(start_program(program, {.output = folder / "screen", .errors = folder / "boxes"}));
    ASSERT_TRUE(program.write_input(two_names(folder / "in.stl", folder / "out.igs") + "ab\ry n"));
    const std::uintmax_t complete_size = 82 * (9 * facet_count + 8);
    std::error_code no_file;
    ASSERT_TRUE(wait_until([&] { return std::filesystem::file_size(folder / "out.igs", no_file) == complete_size; }));
    EXPECT_EQ(program.unread_input(), 0) << "the program has read every key typed ahead";
    EXPECT_TRUE(holds_throughout([&] { return program.running(); })) << "a key typed ahead ended the prompt";
    ASSERT_TRUE(program.write_input("x"));
    EXPECT_EQ(program.wait_exit(), 0);
    EXPECT_EQ(rows_of_screen(read_bytes(folder / "screen")), done_screen(folder / "in.stl", folder / "out.igs"));
    EXPECT_EQ(read_bytes(folder / "boxes"), "");
}

TEST(ConverterRun, KeysTypedDuringTheRunDoNotEndIt) {
    TempFolder folder;
    write_stl(folder / "in.stl", {unit_facet});
    // The extra keys arrive before the prompt and are discarded by it; the
    // input then ends, which ends the run like closing the window.
    const ProgramRun run = run_program(two_names(folder / "in.stl", folder / "out.igs") + "abc");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(rows_of_screen(run.screen)[25], end_prompt);
}

// Nothing reads standard output any more: the screen is lost, the run is not.
TEST(ConverterRun, ClosedStandardOutputStillWritesTheWholeFile) {
    TempFolder folder;
    write_stl(folder / "in.stl", {unit_facet, unit_facet});
    const ProgramRun run =
        run_program(two_names(folder / "in.stl", folder / "out.igs") + "\n", ClosedOutput::standard_output);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.boxes, "");
    EXPECT_EQ(read_bytes(folder / "out.igs").size(), 82u * (9 * 2 + 8));
}

// Nothing reads standard error any more: each box is still answered from the
// input, Yes to all of them (1 at step 95, 17 record writes) reaches the
// end, No to the last ends the run there.
TEST(ConverterRun, ClosedStandardErrorStillAnswersEveryBox) {
    TempFolder folder;
    write_stl(folder / "in.stl", {unit_facet});
    const std::string names = two_names(folder / "in.stl", folder / "no/out.igs");
    struct Case { std::string answers; std::string row_18; std::string row_25; };
    const std::vector<Case> cases = {
        {std::string(18, 'y'), " Done!", end_prompt},
        {std::string(17, 'y') + "n", "", ""},
    };
    for (const Case& c : cases) {
        const ProgramRun run = run_program(names + c.answers, ClosedOutput::standard_error);
        EXPECT_EQ(run.exit_code, 0) << c.answers;
        const auto rows = rows_of_screen(run.screen);
        EXPECT_EQ(rows[16], " " + (folder / "in.stl") + " > " + (folder / "no/out.igs")) << c.answers;
        EXPECT_EQ(rows[18], c.row_18) << c.answers;
        EXPECT_EQ(rows[25], c.row_25) << c.answers;
    }
}

// Closing the program in the middle of a conversion leaves whole records
// only, each with its line end, ends with exit code 0 and shows no prompt.
TEST(ConverterRun, ClosedDuringTheConversionLeavesWholeRecords) {
    TempFolder folder;
    std::vector<StlFacet> facets(200000);
    for (size_t i = 0; i < facets.size(); ++i) {
        const float f = static_cast<float>(i);
        facets[i] = {{f, f * 0.5f, -f, f + 1, 2, 3, 0.001f * f, f, 7}};
    }
    write_stl(folder / "in.stl", facets);
    write_bytes(folder / "keys", two_names(folder / "in.stl", folder / "out.igs"));
    const std::uintmax_t sizes_at_close[] = {0, 200000, 4000000};
    for (const std::uintmax_t size_at_close : sizes_at_close) {
        std::filesystem::remove(folder / "out.igs");
        ChildProcess program;
        ASSERT_TRUE(start_program(program, {.input = folder / "keys", .output = folder / "screen", .errors = folder / "boxes"}));
        std::error_code no_file;
        ASSERT_TRUE(wait_until([&] {
            return std::filesystem::exists(folder / "out.igs") &&
                   std::filesystem::file_size(folder / "out.igs", no_file) >= size_at_close;
        })) << "the IGES file did not reach " << size_at_close << " bytes";
        program.send_signal(SIGTERM);
        EXPECT_EQ(program.wait_exit(), 0) << "closed at " << size_at_close;
        const std::string igs = read_bytes(folder / "out.igs");
        EXPECT_EQ(igs.size() % 82, 0u) << "closed at " << size_at_close;
        for (size_t end = 80; end < igs.size(); end += 82) {
            ASSERT_EQ(igs.substr(end, 2), "\r\n") << "record ending at " << end;
        }
        const auto rows = rows_of_screen(read_bytes(folder / "screen"));
        EXPECT_EQ(rows[25], "") << "closed at " << size_at_close;
    }
}

}  // namespace
