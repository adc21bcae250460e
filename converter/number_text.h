// Number texts for the IGES records. Every number in the output file is
// the number text of one of three conversions: the conversion's text
// without the blank that stands in the sign position of a value that is
// not negative.
//
// Each conversion writes a sign position first ("-" for a negative value, a
// blank otherwise), takes its digits from the exact stored value and rounds
// exact ties to even. Infinities give " INF" and "-INF", every NaN " NAN".
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The limits of one form of number text. A value rounded to `digits`
// significant digits, d1.d2..dn times 10^e, is written in plain decimal
// notation when e is at most greatest_fixed_exponent and its last kept digit
// stands at 10^smallest_last_place or above; otherwise as the mantissa,
// exponent_letter, the exponent's sign and at least two exponent digits.
struct NumberForm {
    int digits;
    int greatest_fixed_exponent;
    int smallest_last_place;
    char exponent_letter;
    int longest_text;   // characters, sign position included
};

// Single precision: seven digits; fixed form from 0.1 below ten million,
// and below 0.1 while the digits end within seven places after the point.
inline constexpr NumberForm single_form{7, 6, -7, 'E', 13};
// Double precision: sixteen digits (fifteen when the sixteenth is a 9).
inline constexpr NumberForm double_form{16, 15, -16, 'D', 23};
// Signed 32-bit integers: whole numbers, always plain digits.
inline constexpr NumberForm int32_form{10, 9, 0, '\0', 11};

// A number text held in place, without allocation.
struct NumberText {
    std::array<char, double_form.longest_text> chars;
    std::uint8_t size = 0;
    operator std::string_view() const { return {chars.data(), size}; }
};

NumberText single_number_text(float value);
NumberText double_number_text(double value);
NumberText int32_number_text(std::int32_t value);

// The conversions themselves, sign position first.
std::string single_to_text(float value);
std::string double_to_text(double value);
std::string int32_to_text(std::int32_t value);

// The value rounded to `digits` significant digits (clamped to 1..7), as the
// shorter of its fixed form and its exponent form; the fixed form when both
// are equally long. Sign position first.
std::string single_to_text_digits(float value, int digits);
