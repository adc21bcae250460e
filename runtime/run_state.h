// The run state: the items through which the end-of-step check, the
// keyboard, the front ends and the end of the process work together. Any
// thread may call these functions; no lock is taken.
//
// One memory-order rule for every item: a store releases and a load
// acquires, so what a thread did before it set an item is seen by a thread
// that sees the item set. The event flag is cleared by an exchange, so a
// signal that arrives during a check is either seen by that check or left
// set for the next one.
#pragma once

#include <atomic>
#include <cstdint>

class RunState {
    static inline std::atomic<int32_t> pending_error{0};   // 0 when none
    static inline std::atomic<int32_t> error_line{0};      // the step shown in the box
    static inline std::atomic<bool> event_flag{false};     // something waits for the check
    static inline std::atomic<bool> pause_flag{false};     // the Pause key holds the run
    static inline std::atomic<bool> exit_request{false};   // No, the end-of-run key, Ctrl+Break
    static inline std::atomic<bool> close_request{false};  // the window is being closed
    static inline std::atomic<bool> stop_request{false};   // the process is ending
    static inline std::atomic<bool> program_parked{false}; // the program thread has parked

    static constexpr auto load = std::memory_order_acquire;
    static constexpr auto store = std::memory_order_release;

    friend bool error_pending();
    friend int32_t pending_error();
    friend void raise_runtime_error(int32_t);
    friend void clear_pending_error();
    friend void note_error_line(int32_t);
    friend int32_t error_line();
    friend bool event_flag_set();
    friend void clear_event_flag();
    friend void press_pause();
    friend bool pause_held();
    friend bool release_pause();
    friend void request_exit();
    friend bool exit_requested();
    friend void request_close();
    friend bool close_requested();
    friend void request_stop();
    friend bool stop_requested();
    friend void mark_program_parked();
    friend bool program_parked();
    friend void run_state_reset();
};

// The pending error.
inline bool error_pending() { return RunState::pending_error.load(RunState::load) != 0; }
inline int32_t pending_error() { return RunState::pending_error.load(RunState::load); }
// Raised by a failing service: the first error stays pending and a later
// one is dropped; a number below 1 becomes 5. Sets the event flag. For
// ordinary errors only: the fatal ones go through raise_fatal_error.
void raise_runtime_error(int32_t error_number);
// Yes in the error box.
inline void clear_pending_error() { RunState::pending_error.store(0, RunState::store); }
inline void note_error_line(int32_t step) { RunState::error_line.store(step, RunState::store); }
inline int32_t error_line() { return RunState::error_line.load(RunState::load); }

// The event flag: the end-of-step check's one load.
inline bool event_flag_set() { return RunState::event_flag.load(RunState::load); }
inline void clear_event_flag() { RunState::event_flag.exchange(false, std::memory_order_acq_rel); }

// The Pause key sets the pause flag and the event flag; the next key
// press releases it (true when there was a pause to release).
inline void press_pause() {
    RunState::pause_flag.store(true, RunState::store);
    RunState::event_flag.store(true, RunState::store);
}
inline bool pause_held() { return RunState::pause_flag.load(RunState::load); }
inline bool release_pause() { return RunState::pause_flag.exchange(false, std::memory_order_acq_rel); }

// Requests to end the run: an exit (No, the end-of-run key, Ctrl+Break)
// or a close (the window); the process ends after either.
inline void request_exit() { RunState::exit_request.store(true, RunState::store); }
inline bool exit_requested() { return RunState::exit_request.load(RunState::load); }
inline void request_close() { RunState::close_request.store(true, RunState::store); }
inline bool close_requested() { return RunState::close_request.load(RunState::load); }

// The process is ending: set once, with the event flag, by the main loop.
inline void request_stop() {
    RunState::stop_request.store(true, RunState::store);
    RunState::event_flag.store(true, RunState::store);
}
inline bool stop_requested() { return RunState::stop_request.load(RunState::load); }

inline void mark_program_parked() { RunState::program_parked.store(true, RunState::store); }
inline bool program_parked() { return RunState::program_parked.load(RunState::load); }

// Back to the state of a new run (tests).
void run_state_reset();
