#include "tests/support/run_program.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <sstream>

#include "converter/converter_main.h"
#include "front_ends/scripted/scripted_front_end.h"
#include "runtime/stop_signals.h"
#include "runtime/threads.h"

void run_program_in_process() {
    handle_stop_signals();
    RuntimeThreads threads;
    start_runtime_threads(threads, converter_main);
    run_runtime(threads, scripted_front_end());
}

bool start_program(ChildProcess& program, const ChildStreams& streams,
                   const std::vector<std::string>& environment) {
    return program.start({STLWIRE_BINARY}, streams, environment);
}

ProgramRun run_program(const std::string& keys, ClosedOutput closed) {
    TempFolder io;
    write_bytes(io / "keys", keys);
    ProgramRun run;
    ChildProcess program;
    ChildStreams streams{.input = io / "keys", .output = io / "screen", .errors = io / "boxes"};
    if (closed == ClosedOutput::standard_output) streams.unread_descriptor = STDOUT_FILENO;
    if (closed == ClosedOutput::standard_error) streams.unread_descriptor = STDERR_FILENO;
    if (!start_program(program, streams)) return run;
    run.exit_code = program.wait_exit().value_or(-1);
    program.stop();
    run.screen = read_bytes(io / "screen");
    run.boxes = read_bytes(io / "boxes");
    return run;
}

std::vector<std::string> rows_of_screen(const std::string& screen) {
    std::vector<std::string> rows(26);
    std::istringstream lines(screen);
    std::string line;
    for (size_t row = 1; row < rows.size() && std::getline(lines, line); ++row) rows[row] = line;
    return rows;
}

std::vector<ErrorBox> error_boxes(const std::string& boxes) {
    const std::string unhandled = "Unhandled Error #", critical = "Critical Error #";
    std::vector<ErrorBox> found;
    std::istringstream lines(boxes);
    std::string line;
    while (std::getline(lines, line)) {
        const bool is_unhandled = line.rfind(unhandled, 0) == 0;
        if (!is_unhandled && line.rfind(critical, 0) != 0) continue;
        ErrorBox box;
        box.title = line;
        box.error = std::stoi(line.substr((is_unhandled ? unhandled : critical).size()));
        if (is_unhandled) {
            std::string line_text, continue_text;
            std::getline(lines, line_text);
            std::getline(lines, box.message);
            std::getline(lines, continue_text);
            EXPECT_EQ(line_text.rfind("Line:", 0), 0u) << line_text;
            EXPECT_EQ(continue_text, "Continue?");
            if (line_text.rfind("Line:", 0) == 0) box.line = std::stoi(line_text.substr(5));
        } else {
            std::getline(lines, box.message);
        }
        found.push_back(box);
    }
    return found;
}

std::vector<std::string> box_titles(const std::string& boxes) {
    std::vector<std::string> titles;
    for (const ErrorBox& box : error_boxes(boxes)) titles.push_back(box.title);
    return titles;
}
