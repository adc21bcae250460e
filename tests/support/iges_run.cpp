#include "tests/support/iges_run.h"

#include <gtest/gtest.h>

#include <ctime>

#include "runtime/clock.h"
#include "tests/support/run_program.h"

namespace {

bool fixed_clock(std::tm& local_time) {
    local_time = {};
    local_time.tm_year = 2024 - 1900;
    local_time.tm_mon = 2;
    local_time.tm_mday = 14;
    local_time.tm_hour = 9;
    local_time.tm_min = 26;
    local_time.tm_sec = 53;
    return true;
}

bool unreadable_clock(std::tm&) { return false; }

// The child: never returns; the runtime ends it with exit code 0.
void run_child(TestClock clock) {
    if (clock == TestClock::fixed) set_clock_source(fixed_clock);
    if (clock == TestClock::unreadable) set_clock_source(unreadable_clock);
    run_program_in_process();
}

}  // namespace

ConverterRun run_converter(const std::string& folder, const std::string& stl_name,
                           const std::string& igs_name, TestClock clock,
                           const std::string& further_keys) {
    const std::string keys_path = folder + "/.keys";
    write_bytes(keys_path, stl_name + "\n" + igs_name + "\n" + further_keys);
    ConverterRun run;
    run.folder = folder;
    ChildProcess child;
    if (!child.start_in_process([clock] { run_child(clock); },
                                {.input = keys_path, .output = folder + "/.screen", .errors = folder + "/.boxes", .folder = folder}))
        return run;
    run.exit_code = child.wait_exit().value_or(-1);
    child.stop();
    run.boxes = error_boxes(read_bytes(folder + "/.boxes"));
    run.screen = read_bytes(folder + "/.screen");
    return run;
}

std::vector<std::string> iges_records(const std::string& bytes) {
    std::vector<std::string> records;
    EXPECT_EQ(bytes.size() % 82, 0u) << "the file is not made of whole records";
    for (std::size_t at = 0; at + 82 <= bytes.size(); at += 82) {
        EXPECT_EQ(bytes.substr(at + 80, 2), "\r\n") << "record " << records.size() + 1;
        records.push_back(bytes.substr(at, 80));
    }
    return records;
}

std::string without_clock(const std::string& iges) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t end; (end = iges.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = iges.substr(start, end - start + 1);
        if (line.size() > 72 && line[72] == 'G')
            for (char& c : line)
                if (c >= '0' && c <= '9') c = '#';
        out += line;
    }
    return out;
}

void expect_same_file_as_a_scripted_run(const std::string& stl, const std::string& igs) {
    const std::string typed = read_bytes(igs);
    EXPECT_FALSE(typed.empty()) << igs;
    const ProgramRun reference = run_program(stl + "\n" + igs + "\n\n");
    ASSERT_EQ(reference.exit_code, 0);
    EXPECT_EQ(without_clock(typed), without_clock(read_bytes(igs)));
}

std::string record(const std::string& data, const std::string& sequence_field) {
    std::string line = data;
    line.resize(72, ' ');
    return line + sequence_field;
}
