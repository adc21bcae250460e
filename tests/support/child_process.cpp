#include "tests/support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace {

std::vector<char*> c_strings(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// In the child: fd becomes target; false when the file cannot be opened.
bool redirect(const std::string& path, int flags, int target) {
    const int fd = ::open(path.c_str(), flags, 0644);
    return fd >= 0 && dup2(fd, target) >= 0;
}

// In the child: target becomes a pipe whose read end is closed, so every
// write to it fails (or raises SIGPIPE).
bool unread_pipe(int target) {
    int ends[2] = {-1, -1};
    if (pipe(ends) != 0) return false;
    close(ends[0]);
    return dup2(ends[1], target) >= 0;
}

}  // namespace

std::vector<std::string> child_environment(const std::vector<std::string>& settings) {
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

ChildProcess::~ChildProcess() {
    close_input();
    stop();
}

bool ChildProcess::fork_child(const ChildStreams& streams, const std::function<void()>& in_child) {
    int pipe_ends[2] = {-1, -1};
    if (streams.input.empty()) {
        if (pipe2(pipe_ends, O_CLOEXEC) != 0) return false;
        signal(SIGPIPE, SIG_IGN);   // a write after the child's end fails instead
    }
    pid_ = fork();
    if (pid_ < 0) {
        pid_ = 0;
        for (int end : pipe_ends)
            if (end >= 0) close(end);
        return false;
    }
    if (pid_ == 0) {
        signal(SIGPIPE, SIG_DFL);
        const int write_flags = O_WRONLY | O_CREAT | O_TRUNC;
        const bool input_ready = streams.input.empty() ? dup2(pipe_ends[0], STDIN_FILENO) >= 0
                                                       : redirect(streams.input, O_RDONLY, STDIN_FILENO);
        if (!input_ready) _exit(127);
        if (!streams.output.empty() && !redirect(streams.output, write_flags, STDOUT_FILENO)) _exit(127);
        if (!streams.errors.empty() ? !redirect(streams.errors, write_flags, STDERR_FILENO)
                                    : !streams.output.empty() && dup2(STDOUT_FILENO, STDERR_FILENO) < 0)
            _exit(127);
        if (streams.unread_descriptor >= 0 && !unread_pipe(streams.unread_descriptor)) _exit(127);
        if (!streams.folder.empty() && chdir(streams.folder.c_str()) != 0) _exit(127);
        for (int fd = 3; fd < 1024; ++fd)
            if (fd != streams.kept_descriptor) close(fd);
        for (int fd : streams.closed_descriptors) close(fd);
        const rlimit file_size{streams.file_size_limit, streams.file_size_limit};
        if (streams.file_size_limit != RLIM_INFINITY && setrlimit(RLIMIT_FSIZE, &file_size) != 0) _exit(127);
        if (streams.prepare) streams.prepare();
        in_child();
        _exit(127);
    }
    if (streams.input.empty()) {
        close(pipe_ends[0]);
        input_pipe_ = pipe_ends[1];
    }
    return true;
}

bool ChildProcess::start(const std::vector<std::string>& arguments, const ChildStreams& streams,
                         const std::vector<std::string>& environment) {
    std::vector<std::string> argument_texts = arguments;
    std::vector<std::string> environment_texts = environment.empty() ? child_environment({}) : environment;
    std::vector<char*> argv = c_strings(argument_texts);
    std::vector<char*> envp = c_strings(environment_texts);
    return fork_child(streams, [&] { execve(argv[0], argv.data(), envp.data()); });
}

bool ChildProcess::start_in_process(const std::function<void()>& body, const ChildStreams& streams) {
    return fork_child(streams, body);
}

bool ChildProcess::write_input(const std::string& bytes) {
    std::size_t written = 0;
    while (input_pipe_ >= 0 && written < bytes.size()) {
        const ssize_t n = ::write(input_pipe_, bytes.data() + written, bytes.size() - written);
        if (n <= 0) return false;
        written += static_cast<std::size_t>(n);
    }
    return input_pipe_ >= 0;
}

int ChildProcess::unread_input() const {
    int bytes = 0;
    if (input_pipe_ < 0 || ioctl(input_pipe_, FIONREAD, &bytes) != 0) return -1;
    return bytes;
}

void ChildProcess::close_input() {
    if (input_pipe_ >= 0) close(input_pipe_);
    input_pipe_ = -1;
}

bool ChildProcess::running() {
    if (pid_ <= 0) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
    exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    pid_ = 0;
    return false;
}

std::optional<int> ChildProcess::wait_exit(std::chrono::steady_clock::duration limit) {
    if (!wait_until([&] { return !running(); }, limit)) return std::nullopt;
    return exit_code_;
}

void ChildProcess::send_signal(int number) {
    if (pid_ > 0) kill(pid_, number);
}

void ChildProcess::stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    if (wait_exit(std::chrono::seconds(5))) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = 0;
}
