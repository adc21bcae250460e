// The runtime error that a service raised, for in-process tests.
#pragma once

#include <cstdint>

#include "runtime/run_state.h"

// Takes the pending error (0 when none) and clears it, as Yes in the box
// would.
inline int32_t take_error() {
    const int32_t error = pending_error();
    run_state_reset();
    return error;
}
