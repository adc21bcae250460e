// Number texts for the IGES records: every number in the output file is one
// of these conversions with its leading blank removed by ltrim_spaces.
//
// Each conversion writes a sign position first ("-" for a negative value, a
// blank otherwise), takes its digits from the exact stored value and rounds
// exact ties to even. Infinities give " INF" and "-INF", every NaN " NAN".
#pragma once

#include <cstdint>
#include <string>

// Seven significant digits; fixed form for magnitudes from 0.1 below ten
// million (and smaller values whose digits end within seven places after the
// point), exponent form with the letter E otherwise.
std::string single_to_text(float value);

// The value rounded to `digits` significant digits (clamped to 1..7), as the
// shorter of its fixed form and its exponent form; the fixed form when both
// are equally long.
std::string single_to_text_digits(float value, int digits);

// Sixteen significant digits, or fifteen when the sixteenth is a 9; fixed
// form up to 10^16, exponent form with the letter D otherwise.
std::string double_to_text(double value);

std::string int32_to_text(std::int32_t value);

// Remove every leading, or every trailing, blank (code 32) and nothing else.
std::string ltrim_spaces(std::string text);
std::string rtrim_spaces(std::string text);
