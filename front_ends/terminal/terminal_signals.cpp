#include "front_ends/terminal/terminal_signals.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "front_ends/terminal/terminal_mode.h"

namespace {

int wake_pipe[2] = {-1, -1};
// Set by SIGTSTP, cleared by SIGCONT: a stop that a continue has overtaken
// before the input thread got to it is not made any more.
std::atomic<bool> stop_pending{false};
// Set by SIGCONT: the process has been continued.
std::atomic<bool> continued{false};

void tell_input_thread(char what) {
    int saved_errno = errno;
    ssize_t ignored = write(wake_pipe[1], &what, 1);
    (void)ignored;
    errno = saved_errno;
}

void on_resize(int) { tell_input_thread(signal_resized); }

void on_stop(int) {
    stop_pending.store(true);
    tell_input_thread(signal_stop);
}

void on_continue(int) {
    stop_pending.store(false);
    continued.store(true);
    tell_input_thread(signal_continued);
}

// The handler is reset before it runs, so raising the signal again ends the
// process the default way (with a core where that is the default).
void on_crash(int signal_number) {
    restore_terminal();
    raise(signal_number);
}

void handle(int signal_number, void (*handler)(int), int flags) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = flags;
    sigaction(signal_number, &action, nullptr);
}

// A shell without job control starts its commands with SIGTSTP ignored;
// they are not to be stopped then.
bool stop_signal_ignored() {
    struct sigaction action {};
    return sigaction(SIGTSTP, nullptr, &action) == 0 && action.sa_handler == SIG_IGN;
}

}  // namespace

int install_terminal_signals() {
    if (pipe2(wake_pipe, O_NONBLOCK | O_CLOEXEC) != 0) return -1;
    handle(SIGWINCH, on_resize, SA_RESTART);
    if (!stop_signal_ignored()) handle(SIGTSTP, on_stop, SA_RESTART);
    handle(SIGCONT, on_continue, SA_RESTART);
    for (int crash : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL, SIGQUIT})
        handle(crash, on_crash, SA_RESETHAND | SA_NODEFER);
    return wake_pipe[0];
}

bool take_stop_signal() {
    return stop_pending.exchange(false);
}

bool stop_process() {
    continued.store(false);
    handle(SIGTSTP, SIG_DFL, 0);
    raise(SIGTSTP);
    handle(SIGTSTP, on_stop, SA_RESTART);
    return continued.load();
}
