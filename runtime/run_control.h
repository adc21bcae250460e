// Run control: the items through which the end-of-step check, the keyboard
// and the end of the process work together, and the operations on them.
#pragma once

#include <atomic>
#include <cstdint>

struct RunControl {
    std::atomic<int32_t> pending_error{0};   // 0 when none
    std::atomic<int32_t> error_line{0};      // step number noted for the box
    std::atomic<bool> event_flag{false};
    std::atomic<bool> pause_flag{false};
    std::atomic<bool> exit_request{false};
    std::atomic<bool> close_request{false};
    std::atomic<bool> stop_request{false};
    std::atomic<bool> program_parked{false};
};

// The one instance; every thread reaches run control through it.
extern RunControl run_control;

// The end-of-step check: one atomic load when nothing waits.
void poll_line_events(int32_t step);
inline void end_of_step(int32_t step) {
    if (run_control.event_flag.load(std::memory_order_acquire)) poll_line_events(step);
}

inline bool error_pending() {
    return run_control.pending_error.load(std::memory_order_acquire) != 0;
}
inline bool stop_requested() {
    return run_control.stop_request.load(std::memory_order_acquire);
}

// Raised by a failing service; the first error stays pending. Fatal numbers
// show a critical box and end the process.
void raise_runtime_error(int32_t error_number);
// Shows the box for the pending error; returns after Yes, parks after No.
void report_runtime_error();
// Step 308: the end-of-run prompt. Does not return.
[[noreturn]] void end_program();
// Parks the program thread for good. Does not return.
[[noreturn]] void end_program_thread();

// Requests from the front ends.
void request_exit();    // Ctrl+Break
void request_close();   // the window (or terminal) is being closed
void press_pause();     // the Pause key

// Message of a runtime error number ("Path not found" for 76, ...).
const char* runtime_error_message(int32_t error_number);

// Ends the process at once: closes every file, lets the front end restore
// and report its screen, exit code 0.
[[noreturn]] void end_process();
