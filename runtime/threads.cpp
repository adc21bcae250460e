#include "runtime/threads.h"

#include <pthread.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cfenv>
#include <chrono>
#include <climits>
#include <csignal>
#include <string>
#include <thread>

#if defined(__x86_64__) || defined(__i386__)
#include <fpu_control.h>
#endif

#include "runtime/run_frame.h"
#include "runtime/runtime_errors.h"
#include "runtime/stop_interrupt.h"
#include "runtime/text_screen.h"

namespace {

// The main loop's turn: about 60 a second, every other one a frame.
constexpr std::chrono::milliseconds main_loop_turn{16};

// Each thread's stack: about ten times what its deepest path was seen to
// need (every front end runs with 24 KB: the line input and the error box
// on the program thread, a frame's rendering on the main loop), and far
// below the system's default of 8 MB a thread, so that a small address
// space still holds both.
constexpr std::size_t thread_stack_size = 256 * 1024;

// The program thread computes with a 64-bit significand, rounding to
// nearest; every floating-point exception stays masked.
void set_program_arithmetic() {
    std::fesetround(FE_TONEAREST);
#if defined(__x86_64__) || defined(__i386__)
    fpu_control_t control;
    _FPU_GETCW(control);
    control |= _FPU_EXTENDED;
    control |= _FPU_MASK_IM | _FPU_MASK_DM | _FPU_MASK_ZM | _FPU_MASK_OM | _FPU_MASK_UM | _FPU_MASK_PM;
    _FPU_SETCW(control);
#endif
}

// About every 16 ms: an exit or close request ends the process once the
// program thread has parked; every other turn the screen is shown. While
// it waits, each turn interrupts the program thread again, so that an
// interrupt that came just before a blocking call began is not lost.
[[noreturn]] void main_loop(pthread_t program_thread) {
    for (unsigned turn = 0;; ++turn) {
        if (exit_requested() || close_requested()) {
            request_stop();
            while (!program_parked()) {
                interrupt_program_thread(program_thread);
                std::this_thread::sleep_for(main_loop_turn);
            }
            end_process();
        }
        if (turn % 2 == 1) front_end().show(screen_snapshot());
        std::this_thread::sleep_for(main_loop_turn);
    }
}

void* main_loop_entry(void* argument) {
    const RuntimeThreads& threads = *static_cast<RuntimeThreads*>(argument);
    threads.may_go.wait(false);
    main_loop(threads.program_thread);
}

void* program_thread_entry(void* argument) {
    const RuntimeThreads& threads = *static_cast<RuntimeThreads*>(argument);
    threads.may_go.wait(false);
    start_program_thread(threads.program);
    return nullptr;
}

// Starts entry(argument) on a thread of its own; false when the system
// refuses the thread (a process limit, no memory for its stack).
bool start_thread(pthread_t& thread, void* (*entry)(void*), void* argument) {
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0) return false;
    const long least = sysconf(_SC_THREAD_STACK_MIN);
    const std::size_t stack = std::max(thread_stack_size, least > 0 ? static_cast<std::size_t>(least) : 0);
    bool started = pthread_attr_setstacksize(&attributes, stack) == 0 &&
                   pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED) == 0 &&
                   pthread_create(&thread, &attributes, entry, argument) == 0;
    pthread_attr_destroy(&attributes);
    return started;
}

}  // namespace

void use_program_folder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return;
    std::string folder(path, static_cast<size_t>(length));
    folder.erase(folder.find_last_of('/') + 1);
    if (chdir(folder.c_str()) != 0) return;   // relative names then use the start folder
}

void start_program_thread(void (*program)()) {
    set_program_arithmetic();
    accept_stop_interrupt();
    // The program's files live in a descriptor table of its own thread: the
    // kernel then takes no reference per read or write, which is most of
    // what an unbuffered run costs beyond the system calls themselves. Only
    // this thread opens, uses and closes the numbered files.
    unshare(CLONE_FILES);
    program();
}

void start_runtime_threads(RuntimeThreads& threads, void (*program)()) {
    // Output that nobody reads any more is dropped: a write to a closed
    // standard output or error fails with EPIPE, which every writer takes
    // as nothing to show, and the run goes on to its normal end.
    std::signal(SIGPIPE, SIG_IGN);
    // A write past the file-size limit fails with EFBIG, which the numbered
    // files report like any other failed write, instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    install_stop_interrupt();
    threads.program = program;
    pthread_t main_loop_thread;
    threads.started = start_thread(threads.program_thread, program_thread_entry, &threads) &&
                      start_thread(main_loop_thread, main_loop_entry, &threads);
}

void run_runtime(RuntimeThreads& threads, FrontEnd& front_end) {
    set_front_end(&front_end);
    if (!threads.started) raise_fatal_error(error_thread_start);
    threads.may_go.store(true);
    threads.may_go.notify_all();
    front_end.run_events();
    for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));   // the main loop ends the process
}
