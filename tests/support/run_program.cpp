#include "tests/support/run_program.h"

#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "stlwire-XXXXXX").string();
    path = mkdtemp(pattern.data());
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

void write_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void write_stl(const std::string& path, int count, const std::vector<std::vector<float>>& facets) {
    std::string bytes(80, 'h');
    bytes.append(reinterpret_cast<const char*>(&count), 4);
    for (const auto& facet : facets) {
        for (float value : facet) bytes.append(reinterpret_cast<const char*>(&value), 4);
        bytes.append(2, '\0');
    }
    write_bytes(path, bytes);
}

ProgramRun run_program(const std::string& keys) {
    TempFolder io;
    write_bytes(io / "keys", keys);
    const std::string command = std::string(STLWIRE_BINARY) + " < " + (io / "keys") + " > " +
                                (io / "screen") + " 2> " + (io / "boxes");
    const int status = std::system(command.c_str());
    ProgramRun run;
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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

std::vector<std::string> box_titles(const std::string& boxes) {
    std::vector<std::string> titles;
    std::istringstream lines(boxes);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("Unhandled Error #", 0) == 0 || line.rfind("Critical Error #", 0) == 0) {
            titles.push_back(line);
        }
    }
    return titles;
}
