// Runs the converter in a fork of the test, in a folder of its own, with
// the scripted front end reading the given keys and a clock that the test
// chooses (which the program itself cannot be given); collects the IGES
// file's records, the error boxes and the screen.
#pragma once

#include <string>
#include <vector>

#include "tests/support/run_program.h"

// The clock that the converter reads: fixed at 14 March 2024, 09:26:53,
// unreadable, or the system's.
enum class TestClock { fixed, unreadable, system };

struct ConverterRun {
    int exit_code = -1;            // -1 when the child did not end by itself in time
    std::vector<ErrorBox> boxes;
    std::string screen;
    std::string folder;            // the run's folder; names are relative to it
};

// Types the two names (each followed by Enter) and then the further keys;
// the child's working directory is folder.
ConverterRun run_converter(const std::string& folder, const std::string& stl_name,
                           const std::string& igs_name, TestClock clock = TestClock::fixed,
                           const std::string& further_keys = "");

// The file's records: each 80 characters followed by CR LF; fails the
// calling test when the file is not made of such records.
std::vector<std::string> iges_records(const std::string& bytes);

// The IGES text without the digits of the Global section, which carry the
// date and time of the run.
std::string without_clock(const std::string& iges);

// The IGES file that a typed run left under igs must be the one that a
// scripted run of the same two names writes there, but for the clock.
void expect_same_file_as_a_scripted_run(const std::string& stl, const std::string& igs);

// A text padded with blanks to 72 columns, then the 8-character sequence field.
std::string record(const std::string& data, const std::string& sequence_field);
