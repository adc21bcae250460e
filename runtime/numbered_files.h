// Files opened by number: binary access with reads at 1-based byte
// positions, and output of CR LF-ended lines. No buffering in either.
#pragma once

#include <cstdint>
#include <string>

enum class FileMode { binary, output };

// Opens name as file number. Binary: an existing file, read and write
// access, then read only, then write only. Output: created or emptied.
void file_open(int number, const std::string& name, FileMode mode);
// One positioned read of 4 bytes; bytes past the end read as zero.
void file_get(int number, double position, int32_t& target);
void file_get(int number, double position, float& target);
// Writes text, then CR LF: two write requests.
void file_print(int number, const std::string& text);
void file_close(int number);
void close_all_files();
bool file_is_open(int number);
// Open with read access (binary files opened write only are not).
bool file_is_readable(int number);
