// The inline floor: the converter's system calls as bare syscall
// instructions in the floor's own loops (the runtime's raw calls), so no
// call into the C library and no return goes with any of them.
//
//   stlwire_floor_inline INPUT.stl OUTPUT.igs
#include "bench/floor_run.h"
#include "runtime/raw_system_calls.h"

namespace {

struct RawCalls {
    [[gnu::always_inline]] static long read(int descriptor, void* buffer, size_t size, off_t offset) {
        return raw_pread(descriptor, buffer, size, offset);
    }
    [[gnu::always_inline]] static long write(int descriptor, const void* buffer, size_t size) {
        return raw_write(descriptor, buffer, size);
    }
};

}  // namespace

int main(int argc, char** argv) { return run_floor<RawCalls>(argc, argv); }
