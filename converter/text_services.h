// General text services of the converter: assignment into variable texts
// and into fixed 80-character record buffers, joining, the in-place
// overwrite, pieces and the removal of blanks at either end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Marks an assignment into a fixed-length text (a record buffer).
struct FixedLength {};
inline constexpr FixedLength fixed_length{};

// Variable-length target: becomes a copy of source.
void string_assign(std::string& target, std::string_view source);
// Fixed-length target: source's first characters replace the target's,
// blanks fill the rest; the target keeps its length.
void string_assign(std::string& target, std::string_view source, FixedLength);

// a followed by b.
std::string string_concat(std::string_view a, std::string_view b);

// Overwrites target in place from 1-based column start with at most count
// characters of source; never changes the target's length. A start below
// 1 skips that many leading source characters. Does nothing while a
// runtime error is pending.
void mid_statement(std::string& target, int32_t start, int32_t count, std::string_view source);

// Characters start to start + count - 1 of text (1-based), cut at its end;
// empty when start lies past the end.
std::string mid_function(std::string_view text, int32_t start, int32_t count);

// Remove every leading, or every trailing, blank (code 32) and nothing else.
std::string ltrim_spaces(std::string_view text);
std::string rtrim_spaces(std::string_view text);
