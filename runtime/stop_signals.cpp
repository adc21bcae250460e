#include "runtime/stop_signals.h"

#include <csignal>

#include "runtime/run_state.h"

namespace {

// The requests are lock-free atomic stores, which a signal handler may make.
void on_interrupt(int) { request_exit(); }
void on_close(int) { request_close(); }

// A signal that the process was started with ignored (nohup's SIGHUP, a
// background job's SIGINT) stays ignored, as its starter asked.
void handle(int signal_number, void (*handler)(int)) {
    struct sigaction action {};
    if (sigaction(signal_number, nullptr, &action) == 0 && action.sa_handler == SIG_IGN) return;
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal_number, &action, nullptr);
}

}  // namespace

void handle_stop_signals() {
    static_assert(std::atomic<bool>::is_always_lock_free);
    handle(SIGINT, on_interrupt);
    handle(SIGTERM, on_close);
    handle(SIGHUP, on_close);
}
