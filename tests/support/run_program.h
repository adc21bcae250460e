// Runs build/stlwire through the scripted front end (keys on standard
// input) and reads what it shows: the screen rows written when the process
// ends on standard output, the error boxes on standard error.
#pragma once

#include <string>
#include <vector>

#include "tests/support/child_process.h"
// What every run needs beside: its folder and its STL file.
#include "tests/support/stl_writer.h"
#include "tests/support/test_files.h"

struct ProgramRun {
    int exit_code = -1;   // -1 when the program did not end by itself in time
    std::string screen;   // the screen rows written when the process ends
    std::string boxes;    // the error boxes as the scripted front end writes them
};

// An output that nobody reads: a pipe whose read end is closed before the
// program starts. What the program writes there is lost.
enum class ClosedOutput { none, standard_output, standard_error };

// Feeds keys (bytes) to the program on standard input and waits for its end.
ProgramRun run_program(const std::string& keys, ClosedOutput closed = ClosedOutput::none);

// In a fork of the test: what the program does from its start, through the
// scripted front end, with converter_main on the program thread.
[[noreturn]] void run_program_in_process();

// Starts the program with the given streams (standard input a file, or a
// pipe that the test writes) and environment (ours when empty).
bool start_program(ChildProcess& program, const ChildStreams& streams,
                   const std::vector<std::string>& environment = {});

// The screen's rows of a run's screen text; index n is row n (index 0 unused).
std::vector<std::string> rows_of_screen(const std::string& screen);

// One box as the scripted front end writes it: the title, then for an
// Unhandled Error "Line:N", the message and "Continue?", for a Critical
// Error the message, each on a line of its own.
struct ErrorBox {
    std::string title;
    int error = 0;
    int line = 0;   // 0 for a Critical Error
    std::string message;
};

// The boxes of a run, in order; fails the calling test on a malformed box.
std::vector<ErrorBox> error_boxes(const std::string& boxes);
std::vector<std::string> box_titles(const std::string& boxes);
