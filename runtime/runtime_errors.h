// Every runtime error the runtime raises: its number, its message, and
// whether it is fatal (a critical box, then the end of the process) or
// ordinary (the error box at the end of the step).
#pragma once

#include <cstdint>
#include <string_view>

enum RuntimeError : int32_t {
    error_illegal_function_call = 5,   // also every number below 1
    error_overflow = 6,
    error_start_copy_memory = 16,      // the line input's screen copies
    error_redraw_copy_memory = 17,
    error_thread_start = 18,           // the runtime's threads refused
    error_bad_file = 52,
    error_file_not_found = 53,
    error_file_already_open = 55,
    error_device_unavailable = 68,
    error_permission_denied = 70,
    error_path_file_access = 75,
    error_path_not_found = 76,
};

struct RuntimeErrorEntry {
    int32_t number;
    std::string_view message;
    bool fatal;
};

inline constexpr RuntimeErrorEntry runtime_errors[] = {
    {error_illegal_function_call, "Illegal function call", false},
    {error_overflow, "Overflow", false},
    {error_start_copy_memory, "Out of memory", true},
    {error_redraw_copy_memory, "Out of memory", true},
    {error_thread_start, "Cannot start a thread: process limit or memory reached", true},
    {error_bad_file, "Bad file name or number", false},
    {error_file_not_found, "File not found", false},
    {error_file_already_open, "File already open", false},
    {error_device_unavailable, "Device unavailable", false},
    {error_permission_denied, "Permission denied", false},
    {error_path_file_access, "Path/File access error", false},
    {error_path_not_found, "Path not found", false},
};

inline constexpr RuntimeErrorEntry unknown_runtime_error{0, "Unprintable error", false};

constexpr const RuntimeErrorEntry& runtime_error_entry(int32_t number) {
    for (const RuntimeErrorEntry& entry : runtime_errors)
        if (entry.number == number) return entry;
    return unknown_runtime_error;
}
