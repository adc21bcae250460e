#include "front_ends/terminal/terminal_signals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "front_ends/terminal/terminal_mode.h"

namespace {

int wake_pipe[2] = {-1, -1};

void tell_input_thread(char what) {
    int saved_errno = errno;
    ssize_t ignored = write(wake_pipe[1], &what, 1);
    (void)ignored;
    errno = saved_errno;
}

void on_resize(int) { tell_input_thread(signal_resized); }
void on_close(int) { tell_input_thread(signal_close); }
void on_break(int) { tell_input_thread(signal_break); }

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

}  // namespace

int install_terminal_signals() {
    if (pipe2(wake_pipe, O_NONBLOCK | O_CLOEXEC) != 0) return -1;
    handle(SIGWINCH, on_resize, SA_RESTART);
    handle(SIGHUP, on_close, SA_RESTART);
    handle(SIGTERM, on_close, SA_RESTART);
    handle(SIGINT, on_break, SA_RESTART);
    for (int crash : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL, SIGQUIT})
        handle(crash, on_crash, SA_RESETHAND | SA_NODEFER);
    return wake_pipe[0];
}
