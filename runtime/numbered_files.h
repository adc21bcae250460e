// Files opened by number: binary access with reads at 1-based byte
// positions, and output of CR LF-ended lines. No buffering in either.
//
// The reads and the record writes are the program's hot paths, so they are
// defined here, always inlined: their system calls (runtime/raw_system_calls.h)
// then sit in the caller's own loop. Raising an error stays out of line.
#pragma once

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "runtime/raw_system_calls.h"
#include "runtime/run_state.h"

enum class FileMode { binary, output };

// Opens name as file number. Binary: an existing file, read and write
// access, then read only, then write only. Output: created or emptied.
// The name is code page 437 codes; the file system gets its UTF-8.
void file_open(int number, const std::string& name, FileMode mode);
// One positioned read of 4 bytes; bytes past the end read as zero.
// (Defined at the end of this file.)
inline void file_get(int number, double position, int32_t& target);
inline void file_get(int number, double position, float& target);
// The same read, but it raises no error: false, with target unchanged,
// when the file is not open for reading or the read fails.
bool file_try_get(int number, double position, int32_t& target);
// Writes text, then CR LF: two write requests. (Defined at the end.)
inline void file_print(int number, std::string_view text);
void file_close(int number);
void close_all_files();
bool file_is_open(int number);

namespace numbered_files_detail {

enum class Access { none, read_write, read_only, write_only };

struct NumberedFile {
    int descriptor = -1;   // -1 while the number is not open
    Access access = Access::none;
    FileMode mode = FileMode::binary;
};

// The table of file numbers. Only the functions of numbered_files.h touch
// it; it stands here for the inline lookups below.
inline constexpr int file_numbers = 256;
extern std::array<NumberedFile, file_numbers> files;

// For a refused read: raise 52 (not open) or 75 (open for writing only);
// for a refused print: raise 52. Both give -1.
int refuse_read(int number);
int refuse_print();
// Raises the error of a failed transfer: result is minus the system's error
// number, or 0 for a write that wrote nothing.
void raise_transfer_error(long result);

// A system call interrupted by a signal is made again, but once the stop
// request is set the interruption is final: the process is ending, and the
// step ends without an error for its end-of-step check to park the thread.
// (The main loop interrupts the program thread while it waits for it.)
[[gnu::always_inline]] inline bool retry_interrupted(long result) {
    return result == -EINTR && !stop_requested();
}

// The descriptor of file number for reading, or -1 after raising the error.
[[gnu::always_inline]] inline int read_descriptor(int number) {
    if (number >= 0 && number < file_numbers) {
        const NumberedFile& file = files[static_cast<std::size_t>(number)];
        if (file.descriptor >= 0 && file.access != Access::write_only) return file.descriptor;
    }
    return refuse_read(number);
}

// The descriptor of file number opened for output, or -1 after raising 52.
[[gnu::always_inline]] inline int print_descriptor(int number) {
    if (number >= 0 && number < file_numbers) {
        const NumberedFile& file = files[static_cast<std::size_t>(number)];
        if (file.descriptor >= 0 && file.mode == FileMode::output) return file.descriptor;
    }
    return refuse_print();
}

// Reads the 4 bytes at offset into bytes; missing bytes stay zero. A short
// read goes on from where it stopped. Gives 0, or minus the system's error
// number (-EINTR for a read that a stop interrupted).
[[gnu::always_inline]] inline long read_four_bytes(int descriptor, off_t offset, unsigned char (&bytes)[4]) {
    std::size_t got = 0;
    while (got < sizeof bytes) {
        const long n = raw_pread(descriptor, bytes + got, sizeof bytes - got, offset + static_cast<off_t>(got));
        if (retry_interrupted(n)) continue;
        if (n < 0) return n;
        if (n == 0) break;   // past the end: the rest reads as zero
        got += static_cast<std::size_t>(n);
    }
    return 0;
}

// The first file byte is the lowest-order byte.
template <typename Target>
[[gnu::always_inline]] inline void store_little_endian(const unsigned char (&bytes)[4], Target& target) {
    static_assert(sizeof(Target) == 4);
    const uint32_t bits = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                          uint32_t(bytes[3]) << 24;
    std::memcpy(&target, &bits, sizeof target);
}

// Reads 4 bytes at the 1-based position into target.
template <typename Target>
[[gnu::always_inline]] inline void get_value(int number, double position, Target& target) {
    if (error_pending()) return;
    const int descriptor = read_descriptor(number);
    if (descriptor < 0) return;
    unsigned char bytes[4] = {0, 0, 0, 0};
    const long result = read_four_bytes(descriptor, static_cast<off_t>(position) - 1, bytes);
    if (result == -EINTR) return;   // stopped
    if (result < 0) return raise_transfer_error(result);
    store_little_endian(bytes, target);
}

// Writes the whole buffer, one request at a time: an interrupted request is
// made again, a short one goes on with the rest; a failed request, or one
// that writes nothing, is an error. One that a stop interrupted ends the
// write without an error.
[[gnu::always_inline]] inline bool write_all(int descriptor, const char* data, std::size_t size) {
    while (size > 0) {
        const long n = raw_write(descriptor, data, size);
        if (retry_interrupted(n)) continue;
        if (n <= 0) {
            if (n != -EINTR) raise_transfer_error(n);
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace numbered_files_detail

[[gnu::always_inline]] inline void file_get(int number, double position, int32_t& target) {
    numbered_files_detail::get_value(number, position, target);
}

[[gnu::always_inline]] inline void file_get(int number, double position, float& target) {
    numbered_files_detail::get_value(number, position, target);
}

[[gnu::always_inline]] inline void file_print(int number, std::string_view text) {
    using namespace numbered_files_detail;
    if (error_pending()) return;
    const int descriptor = print_descriptor(number);
    if (descriptor < 0) return;
    if (!text.empty() && !write_all(descriptor, text.data(), text.size())) return;
    write_all(descriptor, "\r\n", 2);
}
