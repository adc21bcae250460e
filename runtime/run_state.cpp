#include "runtime/run_state.h"

#include "runtime/runtime_errors.h"

void raise_runtime_error(int32_t error_number) {
    if (error_pending()) return;
    if (error_number < 1) error_number = error_illegal_function_call;
    RunState::pending_error.store(error_number, RunState::store);
    RunState::event_flag.store(true, RunState::store);
}

void run_state_reset() {
    RunState::pending_error.store(0, RunState::store);
    RunState::error_line.store(0, RunState::store);
    RunState::event_flag.store(false, RunState::store);
    RunState::pause_flag.store(false, RunState::store);
    RunState::exit_request.store(false, RunState::store);
    RunState::close_request.store(false, RunState::store);
    RunState::stop_request.store(false, RunState::store);
    RunState::program_parked.store(false, RunState::store);
}
