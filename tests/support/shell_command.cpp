#include "tests/support/shell_command.h"

#include <cstdio>

std::optional<std::string> shell_output(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return std::nullopt;
    std::string output;
    char buffer[65536];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    if (pclose(pipe) != 0) return std::nullopt;
    return output;
}

std::string shell_quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

::testing::AssertionResult tool_installed(const std::string& program, const std::string& package) {
    if (shell_output("command -v " + shell_quoted(program) + " > /dev/null 2>&1"))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << program << " is missing: install the Debian package " << package
                                         << " (packages-test.txt lists it; ./test.sh installs it)";
}
