#include "tests/support/run_program.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
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

namespace {

// In the child, between fork and exec: makes descriptor the file at path,
// or, when closed, a pipe without a reader.
void redirect(int descriptor, const std::string& path, bool closed) {
    int ends[2] = {-1, -1};
    if (closed) {
        if (pipe(ends) != 0) _exit(98);
        close(ends[0]);
    }
    const int target = closed ? ends[1] : open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (target < 0 || dup2(target, descriptor) < 0) _exit(98);
    if (target != descriptor) close(target);
}

}  // namespace

ProgramRun run_program(const std::string& keys, ClosedOutput closed) {
    TempFolder io;
    write_bytes(io / "keys", keys);
    const std::string keys_path = io / "keys", screen_path = io / "screen", boxes_path = io / "boxes";
    const pid_t child = fork();
    if (child == 0) {
        const int input = open(keys_path.c_str(), O_RDONLY);
        if (input < 0) _exit(98);
        dup2(input, STDIN_FILENO);
        redirect(STDOUT_FILENO, screen_path, closed == ClosedOutput::standard_output);
        redirect(STDERR_FILENO, boxes_path, closed == ClosedOutput::standard_error);
        std::signal(SIGPIPE, SIG_DFL);   // as a shell starts it, whatever the tests ignore
        execl(STLWIRE_BINARY, STLWIRE_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    ProgramRun run;
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return run;
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.screen = read_bytes(screen_path);
    run.boxes = read_bytes(boxes_path);
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
