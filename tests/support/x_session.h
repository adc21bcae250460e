// A private X server (Xvfb) for the window tests and the X tools (xdotool,
// xwd with ImageMagick's convert) run against it.
#pragma once

#include <poll.h>
#include <unistd.h>

#include <cctype>
#include <cstring>
#include <optional>
#include <string>

#include "front_ends/window/screen_pixels.h"
#include "tests/support/child_process.h"
#include "tests/support/polling.h"
#include "tests/support/shell_command.h"

// Runs a shell command with DISPLAY set; its standard output, or nothing
// when it fails. The tools run in a UTF-8 locale whatever the caller's:
// xdotool reads the text that it types, and the window names that it looks
// for, under the locale.
inline std::optional<std::string> x_command(const std::string& display, const std::string& command) {
    return shell_output("DISPLAY=" + display + " LC_ALL=C.UTF-8 timeout 20 " + command + " 2>/dev/null");
}

// Xvfb on a display number that it picks itself (-displayfd).
class XServer {
public:
    // Empty when Xvfb did not start.
    std::string display;

    void start(const std::string& log_path) {
        int fds[2];
        if (pipe(fds) != 0) return;
        const bool started = server.start({"/usr/bin/Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                           "1024x768x24", "-nolisten", "tcp", "-noreset"},
                                          {.input = "/dev/null", .output = log_path, .kept_descriptor = fds[1]},
                                          child_environment({"LIBGL_ALWAYS_SOFTWARE=1"}));
        close(fds[1]);
        if (started) display = read_display_number(fds[0]);
        close(fds[0]);
        if (display.empty()) server.stop();
    }

    // Ends the server, as when the X server of a session goes away.
    void end() { server.stop(); }

private:
    // The number that Xvfb writes, ended by a line feed, as ":N".
    static std::string read_display_number(int fd) {
        std::string number;
        const bool ended = wait_until([&] {
            pollfd ready{fd, POLLIN, 0};
            if (poll(&ready, 1, 0) <= 0) return false;
            char c;
            if (read(fd, &c, 1) != 1) {
                number.clear();   // Xvfb ended before it wrote its number
                return true;
            }
            if (c == '\n') return true;
            number += c;
            return false;
        });
        return ended && !number.empty() ? ":" + number : "";
    }

    ChildProcess server;
};

// The first window of process pid whose name matches the pattern.
inline std::optional<std::string> find_window(const std::string& display, int pid, const std::string& pattern) {
    const auto found = x_command(display, "xdotool search --all --onlyvisible --pid " + std::to_string(pid) +
                                              " --name '" + pattern + "'");
    if (!found || found->empty()) return std::nullopt;
    return found->substr(0, found->find('\n'));
}

inline std::string window_name(const std::string& display, const std::string& window) {
    std::string name = x_command(display, "xdotool getwindowname " + window).value_or("");
    if (!name.empty() && name.back() == '\n') name.pop_back();
    return name;
}

// "WIDTHxHEIGHT" of a window.
inline std::string window_size(const std::string& display, const std::string& window) {
    const std::string shell = x_command(display, "xdotool getwindowgeometry --shell " + window).value_or("");
    auto value = [&](const std::string& key) {
        const size_t at = shell.find(key + "=");
        return at == std::string::npos ? std::string() : shell.substr(at + key.size() + 1,
                                                                      shell.find('\n', at) - at - key.size() - 1);
    };
    return value("WIDTH") + "x" + value("HEIGHT");
}

// The next number of a PPM header, past white space and # comments.
inline bool ppm_number(const std::string& ppm, size_t& at, int& value) {
    while (at < ppm.size() && (std::isspace(static_cast<unsigned char>(ppm[at])) || ppm[at] == '#')) {
        if (ppm[at] == '#') at = ppm.find('\n', at);
        if (at == std::string::npos) return false;
        ++at;
    }
    size_t digits = 0;
    value = 0;
    while (at < ppm.size() && std::isdigit(static_cast<unsigned char>(ppm[at])) && digits < 9) {
        value = value * 10 + (ppm[at++] - '0');
        ++digits;
    }
    return digits > 0;
}

// The window's pixels as xwd sees them on the screen.
inline std::optional<PixelImage> screenshot(const std::string& display, const std::string& window) {
    const auto ppm = x_command(display, "sh -c 'xwd -silent -id " + window + " | convert xwd:- ppm:-'");
    if (!ppm || ppm->compare(0, 2, "P6") != 0) return std::nullopt;
    size_t at = 2;
    int width = 0, height = 0, maximum = 0;
    if (!ppm_number(*ppm, at, width) || !ppm_number(*ppm, at, height) || !ppm_number(*ppm, at, maximum) ||
        maximum != 255)
        return std::nullopt;
    ++at;   // the one white-space character after the maximum
    if (ppm->size() < at + size_t(width) * height * 3) return std::nullopt;
    PixelImage image;
    image.resize(width, height);
    std::memcpy(image.bytes.data(), ppm->data() + at, image.bytes.size());
    return image;
}
