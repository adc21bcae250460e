#include "tests/support/iges_run.h"
#include "tests/support/run_program.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>

#include "converter/converter_main.h"
#include "runtime/clock.h"
#include "runtime/threads.h"
#include "front_ends/scripted/scripted_front_end.h"

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

void append_le(std::string& bytes, uint32_t bits, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

void append_float(std::string& bytes, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    append_le(bytes, bits, 4);
}

// The boxes as the scripted front end writes them: the title, then "Line:N",
// the message and "Continue?", each on a line of its own.
std::vector<ErrorBox> parse_boxes(const std::string& text) {
    std::vector<ErrorBox> boxes;
    std::istringstream lines(text);
    std::string line;
    const std::string title = "Unhandled Error #";
    while (std::getline(lines, line)) {
        if (line.rfind(title, 0) != 0) continue;
        ErrorBox box;
        box.error = std::stoi(line.substr(title.size()));
        std::string line_text, continue_text;
        std::getline(lines, line_text);
        std::getline(lines, box.message);
        std::getline(lines, continue_text);
        EXPECT_EQ(line_text.rfind("Line:", 0), 0u) << line_text;
        EXPECT_EQ(continue_text, "Continue?");
        box.line = std::stoi(line_text.substr(5));
        boxes.push_back(box);
    }
    return boxes;
}

// The child: never returns; the runtime ends it with exit code 0.
[[noreturn]] void run_child(const std::string& folder, const std::string& keys_path,
                            TestClock clock) {
    alarm(60);   // a run that hangs dies and fails its test
    const int keys = ::open(keys_path.c_str(), O_RDONLY);
    const int screen = ::open((folder + "/.screen").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int boxes = ::open((folder + "/.boxes").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (keys < 0 || screen < 0 || boxes < 0 || chdir(folder.c_str()) != 0) std::_Exit(99);
    dup2(keys, STDIN_FILENO);
    dup2(screen, STDOUT_FILENO);
    dup2(boxes, STDERR_FILENO);
    if (clock == TestClock::fixed) set_clock_source(fixed_clock);
    if (clock == TestClock::unreadable) set_clock_source(unreadable_clock);
    run_runtime(scripted_front_end(), converter_main);
}

}  // namespace

std::string stl_bytes(int32_t count, const std::vector<StlFacet>& facets) {
    std::string bytes(80, '\0');
    append_le(bytes, static_cast<uint32_t>(count), 4);
    for (const StlFacet& facet : facets) {
        for (int i = 0; i < 3; ++i) append_float(bytes, 0.0f);   // normal
        for (float value : facet.vertices) append_float(bytes, value);
        append_le(bytes, 0, 2);
    }
    return bytes;
}

std::string stl_bytes(const std::vector<StlFacet>& facets) {
    return stl_bytes(static_cast<int32_t>(facets.size()), facets);
}

ConverterRun run_converter(const std::string& folder, const std::string& stl_name,
                           const std::string& igs_name, TestClock clock,
                           const std::string& further_keys) {
    const std::string keys_path = folder + "/.keys";
    write_bytes(keys_path, stl_name + "\n" + igs_name + "\n" + further_keys);
    ConverterRun run;
    run.folder = folder;
    const pid_t child = fork();
    if (child == 0) run_child(folder, keys_path, clock);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return run;
    if (WIFEXITED(status)) run.exit_code = WEXITSTATUS(status);
    run.boxes = parse_boxes(read_bytes(folder + "/.boxes"));
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

std::string record(const std::string& data, const std::string& sequence_field) {
    std::string line = data;
    line.resize(72, ' ');
    return line + sequence_field;
}
