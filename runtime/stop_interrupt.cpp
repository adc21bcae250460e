#include "runtime/stop_interrupt.h"

#include <csignal>

namespace {

// SIGURG is ignored by default, so one sent from outside changes nothing.
constexpr int stop_interrupt_signal = SIGURG;

void on_stop_interrupt(int) {}

void set_interrupt_mask(int how) {
    sigset_t interrupt;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, stop_interrupt_signal);
    pthread_sigmask(how, &interrupt, nullptr);
}

}  // namespace

void install_stop_interrupt() {
    struct sigaction action {};
    action.sa_handler = on_stop_interrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;   // no SA_RESTART: the blocked call returns EINTR
    sigaction(stop_interrupt_signal, &action, nullptr);
    set_interrupt_mask(SIG_SETMASK);
}

void accept_stop_interrupt() { set_interrupt_mask(SIG_UNBLOCK); }

void interrupt_program_thread(pthread_t program_thread) {
    pthread_kill(program_thread, stop_interrupt_signal);
}

void hold_stop_interrupt() { set_interrupt_mask(SIG_BLOCK); }
