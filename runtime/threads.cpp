#include "runtime/threads.h"

#include <pthread.h>
#include <sched.h>
#include <unistd.h>

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
#include "runtime/stop_interrupt.h"
#include "runtime/text_screen.h"

namespace {

// The main loop's turn: about 60 a second, every other one a frame.
constexpr std::chrono::milliseconds main_loop_turn{16};

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
[[noreturn]] void main_loop(FrontEnd* front_end, pthread_t program_thread) {
    for (unsigned turn = 0;; ++turn) {
        if (exit_requested() || close_requested()) {
            request_stop();
            while (!program_parked()) {
                interrupt_program_thread(program_thread);
                std::this_thread::sleep_for(main_loop_turn);
            }
            end_process();
        }
        if (turn % 2 == 1) front_end->show(screen_snapshot());
        std::this_thread::sleep_for(main_loop_turn);
    }
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

void run_runtime(FrontEnd& front_end, void (*program)()) {
    // Output that nobody reads any more is dropped: a write to a closed
    // standard output or error fails with EPIPE, which every writer takes
    // as nothing to show, and the run goes on to its normal end.
    std::signal(SIGPIPE, SIG_IGN);
    // A write past the file-size limit fails with EFBIG, which the numbered
    // files report like any other failed write, instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    install_stop_interrupt();
    set_front_end(&front_end);
    std::thread program_thread(start_program_thread, program);
    const pthread_t program_handle = program_thread.native_handle();
    program_thread.detach();   // it never ends: it parks for good
    std::thread(main_loop, &front_end, program_handle).detach();
    front_end.run_events();
    for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));   // the main loop ends the process
}
