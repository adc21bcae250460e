// The plain floor: the converter's system calls through the C library.
//
//   stlwire_floor INPUT.stl OUTPUT.igs
#include <unistd.h>

#include "bench/floor_run.h"

namespace {

struct LibraryCalls {
    static long read(int descriptor, void* buffer, size_t size, off_t offset) {
        return pread(descriptor, buffer, size, offset);
    }
    static long write(int descriptor, const void* buffer, size_t size) {
        return ::write(descriptor, buffer, size);
    }
};

}  // namespace

int main(int argc, char** argv) { return run_floor<LibraryCalls>(argc, argv); }
