// Runs build/stlwire through the scripted front end and collects what it
// shows: the screen on standard output, the error boxes on standard error.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct ProgramRun {
    int exit_code = -1;
    std::string screen;   // the screen rows written when the process ends
    std::string boxes;    // the error boxes, one line each
};

// A fresh temporary folder for one test, removed with the object.
struct TempFolder {
    std::filesystem::path path;
    TempFolder();
    ~TempFolder();
    std::string operator/(const std::string& name) const { return (path / name).string(); }
};

// An output that nobody reads: a pipe whose read end is closed before the
// program starts. What the program writes there is lost.
enum class ClosedOutput { none, standard_output, standard_error };

// Feeds keys (bytes) to the program on standard input.
ProgramRun run_program(const std::string& keys, ClosedOutput closed = ClosedOutput::none);

// Writes a binary STL file: 80-byte header, the count, then the facets'
// twelve values each and a zero attribute word.
void write_stl(const std::string& path, int count, const std::vector<std::vector<float>>& facets);
void write_bytes(const std::string& path, const std::string& bytes);
std::string read_bytes(const std::string& path);

// The screen's rows (1-based) of a run's screen text.
std::vector<std::string> rows_of_screen(const std::string& screen);
// The box titles of a run, in order.
std::vector<std::string> box_titles(const std::string& boxes);
