// A private X server (Xvfb) for the window tests, the program started on
// it with standard input on /dev/null (so the window is chosen), and the X
// tools (xdotool, xwd with ImageMagick's convert) run against it.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "front_ends/window/screen_pixels.h"

using TestClock = std::chrono::steady_clock;

inline void pause_briefly() { std::this_thread::sleep_for(std::chrono::milliseconds(50)); }

// Polls condition until it holds or the deadline passes.
template <typename Condition>
bool poll_until(Condition condition, std::chrono::seconds limit = std::chrono::seconds(30)) {
    const auto deadline = TestClock::now() + limit;
    while (!condition()) {
        if (TestClock::now() > deadline) return false;
        pause_briefly();
    }
    return true;
}

// An environment for a child: ours with the given variables set.
inline std::vector<std::string> child_environment(const std::vector<std::string>& settings) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string item = *entry;
        bool replaced = false;
        for (const std::string& setting : settings)
            if (item.compare(0, setting.find('=') + 1, setting, 0, setting.find('=') + 1) == 0) replaced = true;
        if (!replaced) environment.push_back(item);
    }
    environment.insert(environment.end(), settings.begin(), settings.end());
    return environment;
}

inline std::vector<char*> c_strings(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// A child process that this object started; killed if still running at
// the end.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() { kill_now(); }

    // Starts program with its standard input on /dev/null and its output
    // into the given files; extra_fd stays open in the child.
    bool start(std::vector<std::string> arguments, std::vector<std::string> environment,
               const std::string& output_path, int extra_fd = -1) {
        std::vector<char*> argv = c_strings(arguments);
        std::vector<char*> envp = c_strings(environment);
        pid = fork();
        if (pid < 0) return false;
        if (pid == 0) {
            const int null_in = open("/dev/null", O_RDONLY);
            const int out = open(output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(null_in, 0);
            dup2(out, 1);
            dup2(out, 2);
            for (int fd = 3; fd < 256; ++fd)
                if (fd != extra_fd) close(fd);
            execve(argv[0], argv.data(), envp.data());
            _exit(127);
        }
        return true;
    }

    int id() const { return pid; }

    bool running() {
        if (pid <= 0) return false;
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) != pid) return true;
        exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        pid = 0;
        return false;
    }

    // The exit code once the process has ended, or nothing at the deadline.
    std::optional<int> wait_exit(std::chrono::seconds limit = std::chrono::seconds(30)) {
        if (!poll_until([&] { return !running(); }, limit)) return std::nullopt;
        return exit_code;
    }

    // Asks the process to end (an X server then removes its socket), and
    // kills it when it does not.
    void kill_now() {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        if (poll_until([&] { return !running(); }, std::chrono::seconds(5))) return;
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        pid = 0;
    }

private:
    int pid = 0;
    int exit_code = -1;
};

// Runs a shell command with DISPLAY set; its standard output, or nothing
// when it fails.
inline std::optional<std::string> x_command(const std::string& display, const std::string& command) {
    const std::string line = "DISPLAY=" + display + " timeout 20 " + command + " 2>/dev/null";
    FILE* pipe = popen(line.c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string output;
    char buffer[65536];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    return pclose(pipe) == 0 ? std::optional(output) : std::nullopt;
}

// Xvfb on a display number that it picks itself (-displayfd).
class XServer {
public:
    // Empty when Xvfb cannot start.
    std::string display;

    void start(const std::string& log_path) {
        int fds[2];
        if (pipe(fds) != 0) return;
        std::vector<std::string> environment = child_environment({"LIBGL_ALWAYS_SOFTWARE=1"});
        const bool started = server.start({"/usr/bin/Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                           "1024x768x24", "-nolisten", "tcp", "-noreset"},
                                          environment, log_path, fds[1]);
        close(fds[1]);
        if (started) display = read_display_number(fds[0]);
        close(fds[0]);
        if (display.empty()) server.kill_now();
    }

private:
    static std::string read_display_number(int fd) {
        std::string number;
        const auto deadline = TestClock::now() + std::chrono::seconds(20);
        while (TestClock::now() < deadline) {
            pollfd wait{fd, POLLIN, 0};
            if (poll(&wait, 1, 100) <= 0) continue;
            char c;
            if (read(fd, &c, 1) != 1) return "";
            if (c == '\n') return number.empty() ? "" : ":" + number;
            number += c;
        }
        return "";
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
