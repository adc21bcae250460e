// The run frame: what stands around the converter's steps. The end-of-step
// check and the error box flow, fatal errors, the end of the run, and the
// end of the program thread and of the process.
#pragma once

#include <cstdint>

#include "runtime/run_state.h"

// The end-of-step check's slow path: clears the event flag; holds the run
// while paused; parks the thread once the stop request is set; shows the
// box of a pending error, noting step as its line.
void poll_line_events(int32_t step);

// Follows every step: one atomic load when nothing waits.
inline void end_of_step(int32_t step) {
    if (event_flag_set()) poll_line_events(step);
}

// Shows the box for the pending error; returns after Yes with no error
// pending, parks the thread after No.
void report_runtime_error();

// A fatal error: the critical box "Critical Error #" and the number, then
// the end of the process.
[[noreturn]] void raise_fatal_error(int32_t error_number);

// Step 308: the end-of-run prompt; parks the thread once a key has come.
[[noreturn]] void end_program();

// Marks the program thread as parked and sleeps for good.
[[noreturn]] void end_program_thread();

// Ends the process at once: closes every file, lets the front end restore
// and report its screen, exit code 0.
[[noreturn]] void end_process();
