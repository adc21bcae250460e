#include "runtime/stop_signals.h"

#include <csignal>

#include "runtime/run_state.h"

namespace {

// The requests are lock-free atomic stores, which a signal handler may make.
void on_interrupt(int) { request_exit(); }
void on_close(int) { request_close(); }

void handle(int signal_number, void (*handler)(int)) {
    struct sigaction action {};
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
