// Shell commands that the tests run for their tools (tmux, xdotool, xwd):
// their output, and a check that a tool is installed.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

// The command's standard output, or nothing when it exits with an error.
std::optional<std::string> shell_output(const std::string& command);

// text in single quotes for the shell, its own single quotes escaped.
std::string shell_quoted(const std::string& text);

// Fails, naming the Debian package, when program is not on the PATH:
// ./test.sh installs every package of packages-test.txt, so a missing tool
// is a broken setup, never a reason to skip.
::testing::AssertionResult tool_installed(const std::string& program, const std::string& package);
