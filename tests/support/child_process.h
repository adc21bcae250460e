// The one way the tests start a process: the program, a tool such as Xvfb,
// or a fork of the test itself that runs the runtime in process. The
// standard streams go to files (or standard input to a pipe that the test
// writes); the process is ended if it still runs when the object goes.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/polling.h"

struct ChildStreams {
    std::string input{};      // a file to read; empty: a pipe that write_input fills
    std::string output{};     // standard output, created or emptied; empty: the test's own
    std::string errors{};     // standard error; empty: with the standard output
    std::string folder{};     // working directory; empty: the test's own
    int kept_descriptor = -1; // a descriptor of the test that stays open in the child
    int unread_descriptor = -1; // becomes a pipe that nobody reads (its read end closed)
    std::vector<int> closed_descriptors{};      // closed in the child
    rlim_t file_size_limit = RLIM_INFINITY;     // the child's largest file (RLIMIT_FSIZE)
    // Runs in the child last, just before the program starts: limits,
    // signal dispositions, another user. It calls _exit(127) on a failure.
    std::function<void()> prepare{};
};

// Our environment with the given "NAME=value" settings in place.
std::vector<std::string> child_environment(const std::vector<std::string>& settings);

class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // Runs arguments[0] with the arguments; environment empty: ours.
    bool start(const std::vector<std::string>& arguments, const ChildStreams& streams,
               const std::vector<std::string>& environment = {});
    // Runs body in a fork of the test; the child ends with exit code 127
    // should body return.
    bool start_in_process(const std::function<void()>& body, const ChildStreams& streams);

    // The input pipe: bytes to write, the bytes the child has not read yet,
    // and its end (end of input for the child).
    bool write_input(const std::string& bytes);
    int unread_input() const;
    void close_input();

    pid_t id() const { return pid_; }
    bool running();
    // The exit code once the process has ended (-1 when a signal ended
    // it), or nothing when it still runs at the limit.
    std::optional<int> wait_exit(std::chrono::steady_clock::duration limit = generous_limit);
    void send_signal(int number);
    // Asks the process to end (SIGTERM) and kills it when it does not.
    void stop();

private:
    bool fork_child(const ChildStreams& streams, const std::function<void()>& in_child);

    pid_t pid_ = 0;
    int exit_code_ = -1;
    int input_pipe_ = -1;
};
