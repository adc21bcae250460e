// Positioned reads and plain writes as bare system calls, for the hot paths
// of the numbered files (one 4-byte read per STL value, two writes per IGES
// record).
//
// Why not the C library's pread and write: in a process with several
// threads both are cancellation points, and each call switches
// asynchronous cancellation on and off around the system call. No thread
// of this program is ever cancelled, so that work buys nothing.
//
// Why inline: where the kernel refills the processor's return-address
// predictor on the way back to user space (the return mitigations of
// recent x86 processors), every return to a call made before the system
// call is mispredicted. These functions are always inlined, so the system
// call sits in the caller's own loop and no return follows it.
//
// Each returns what the kernel returns: the number of bytes, or minus the
// error number (-EINTR included: the caller decides whether to try again).
// errno is left alone. Machines other than x86-64 Linux get the C library's
// calls, with the result translated the same way.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>

#if defined(__x86_64__) && defined(__linux__)
#include <sys/syscall.h>

namespace raw_system_call_detail {

// The x86-64 Linux convention: number in rax, arguments in rdi, rsi, rdx,
// r10; the result comes back in rax; the instruction itself overwrites rcx
// and r11. "memory": the kernel reads and writes the buffers.
[[gnu::always_inline]] inline long system_call(long number, long a, long b, long c, long d = 0) {
    long result;
    register long r10 __asm__("r10") = d;
    __asm__ volatile("syscall"
                     : "=a"(result)
                     : "0"(number), "D"(a), "S"(b), "d"(c), "r"(r10)
                     : "rcx", "r11", "memory");
    return result;
}

}  // namespace raw_system_call_detail

[[gnu::always_inline]] inline long raw_pread(int descriptor, void* buffer, std::size_t size,
                                             off_t offset) {
    return raw_system_call_detail::system_call(SYS_pread64, descriptor,
                                               reinterpret_cast<long>(buffer),
                                               static_cast<long>(size), offset);
}

[[gnu::always_inline]] inline long raw_write(int descriptor, const void* buffer, std::size_t size) {
    return raw_system_call_detail::system_call(SYS_write, descriptor,
                                               reinterpret_cast<long>(buffer),
                                               static_cast<long>(size));
}

#else

inline long raw_pread(int descriptor, void* buffer, std::size_t size, off_t offset) {
    const ssize_t result = ::pread(descriptor, buffer, size, offset);
    return result < 0 ? -errno : result;
}

inline long raw_write(int descriptor, const void* buffer, std::size_t size) {
    const ssize_t result = ::write(descriptor, buffer, size);
    return result < 0 ? -errno : result;
}

#endif
