#include "converter/number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>

// A finite nonzero value |v| = significand * 2^exponent is rounded to p
// significant decimal digits by forming floor(|v| * 10^s) exactly, together
// with how the dropped part compares with one half. Floats always fit that
// product in 128 bits; doubles whose decimal exponent lies far from zero take
// a slower path through a small fixed-size big integer.

namespace {

using u128 = unsigned __int128;

struct Binary {
    std::uint64_t significand;  // above 0
    int exponent;
};

// How the part dropped by a floor compares with half a unit of the last
// place kept.
enum class Rest { zero, below_half, half, above_half };

struct Scaled {
    std::uint64_t floor;
    Rest rest;
};

struct Decimal {
    std::uint64_t digits;  // d1..dn without trailing zeros
    int count;             // n
    int exponent;          // e: the value is d1.d2..dn times 10^e
};

constexpr auto pow10 = [] {
    std::array<std::uint64_t, 20> table{};
    table[0] = 1;
    for (std::size_t i = 1; i < table.size(); ++i) table[i] = table[i - 1] * 10;
    return table;
}();

constexpr auto pow5 = [] {
    std::array<u128, 52> table{};
    table[0] = 1;
    for (std::size_t i = 1; i < table.size(); ++i) table[i] = table[i - 1] * 5;
    return table;
}();

Binary binary_of(float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const int field = static_cast<int>((bits >> 23) & 0xFF);
    const std::uint64_t fraction = bits & 0x7FFFFF;
    if (field == 0) return {fraction, -149};
    return {fraction | (1u << 23), field - 150};
}

Binary binary_of(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int field = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (field == 0) return {fraction, -1074};
    return {fraction | (std::uint64_t{1} << 52), field - 1075};
}

// floor(b * log10(2)), exact for |b| below 1650.
int floor_log10_pow2(int b) { return (b * 78913) >> 18; }

template <typename Unsigned>
Rest rest_of(Unsigned remainder, Unsigned divisor) {
    if (remainder == 0) return Rest::zero;
    const Unsigned other = divisor - remainder;
    if (remainder < other) return Rest::below_half;
    return remainder == other ? Rest::half : Rest::above_half;
}

Scaled divide(u128 numerator, u128 divisor) {
    if ((numerator >> 64) == 0 && (divisor >> 64) == 0) {
        const auto n = static_cast<std::uint64_t>(numerator);
        const auto d = static_cast<std::uint64_t>(divisor);
        return {n / d, rest_of(n % d, d)};
    }
    return {static_cast<std::uint64_t>(numerator / divisor), rest_of(numerator % divisor, divisor)};
}

// A significand of up to 24 bits times 5^s fits 64 bits for s up to 17.
constexpr std::uint64_t short_significand = std::uint64_t{1} << 24;
constexpr int short_scale_limit = 17;

// floor(|v| * 10^s) when every intermediate fits in 128 bits; in 64 bits
// for the most common case, a float scaled up.
Scaled scale_narrow(Binary v, int s) {
    const int shift = v.exponent + s;
    if (s >= 0 && s <= short_scale_limit && v.significand < short_significand && shift < 0 && shift > -64) {
        const std::uint64_t product = v.significand * static_cast<std::uint64_t>(pow5[s]);
        const std::uint64_t mask = (std::uint64_t{1} << -shift) - 1;
        return {product >> -shift, rest_of(product & mask, mask + 1)};
    }
    if (s >= 0) {
        const u128 product = u128{v.significand} * pow5[s];
        if (shift >= 0) return {static_cast<std::uint64_t>(product << shift), Rest::zero};
        const u128 mask = (u128{1} << -shift) - 1;
        return {static_cast<std::uint64_t>(product >> -shift), rest_of(product & mask, mask + 1)};
    }
    if (shift >= 0) return divide(u128{v.significand} << shift, pow5[-s]);
    return divide(v.significand, pow5[-s] << -shift);
}

// Unsigned integer of up to 40 limbs of 32 bits, least significant first.
struct BigUint {
    std::array<std::uint32_t, 40> limb{};
    int size = 0;
};

BigUint big_of(std::uint64_t value) {
    BigUint big;
    while (value != 0) {
        big.limb[big.size++] = static_cast<std::uint32_t>(value);
        value >>= 32;
    }
    return big;
}

void big_multiply(BigUint& big, std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (int i = 0; i < big.size; ++i) {
        carry += std::uint64_t{big.limb[i]} * factor;
        big.limb[i] = static_cast<std::uint32_t>(carry);
        carry >>= 32;
    }
    if (carry != 0) big.limb[big.size++] = static_cast<std::uint32_t>(carry);
}

void big_multiply_pow5(BigUint& big, int n) {
    for (; n >= 13; n -= 13) big_multiply(big, 1220703125u);  // 5^13
    big_multiply(big, static_cast<std::uint32_t>(pow5[n]));
}

BigUint big_shifted(const BigUint& big, int bits) {
    BigUint result;
    if (big.size == 0) return result;
    const int words = bits / 32;
    const int rest = bits % 32;
    result.size = big.size + words + 1;
    for (int i = big.size - 1; i >= 0; --i) {
        const std::uint64_t wide = std::uint64_t{big.limb[i]} << rest;
        result.limb[i + words + 1] |= static_cast<std::uint32_t>(wide >> 32);
        result.limb[i + words] |= static_cast<std::uint32_t>(wide);
    }
    while (result.size > 0 && result.limb[result.size - 1] == 0) --result.size;
    return result;
}

int big_compare(const BigUint& a, const BigUint& b) {
    if (a.size != b.size) return a.size < b.size ? -1 : 1;
    for (int i = a.size - 1; i >= 0; --i) {
        if (a.limb[i] != b.limb[i]) return a.limb[i] < b.limb[i] ? -1 : 1;
    }
    return 0;
}

void big_subtract(BigUint& a, const BigUint& b) {  // a >= b
    std::int64_t borrow = 0;
    for (int i = 0; i < a.size; ++i) {
        std::int64_t diff = std::int64_t{a.limb[i]} - borrow - (i < b.size ? b.limb[i] : 0);
        borrow = diff < 0;
        a.limb[i] = static_cast<std::uint32_t>(diff + (borrow << 32));
    }
    while (a.size > 0 && a.limb[a.size - 1] == 0) --a.size;
}

// floor(|v| * 10^s) for any double, the quotient being below 2^56.
Scaled scale_wide(Binary v, int s) {
    BigUint numerator = big_of(v.significand);
    BigUint divisor = big_of(1);
    if (s >= 0) big_multiply_pow5(numerator, s);
    else big_multiply_pow5(divisor, -s);
    const int shift = v.exponent + s;
    if (shift >= 0) numerator = big_shifted(numerator, shift);
    else divisor = big_shifted(divisor, -shift);

    std::uint64_t quotient = 0;
    for (int bit = 55; bit >= 0; --bit) {
        const BigUint part = big_shifted(divisor, bit);
        if (big_compare(numerator, part) >= 0) {
            big_subtract(numerator, part);
            quotient |= std::uint64_t{1} << bit;
        }
    }
    if (numerator.size == 0) return {quotient, Rest::zero};
    const int half = big_compare(big_shifted(numerator, 1), divisor);
    return {quotient, half < 0 ? Rest::below_half : half == 0 ? Rest::half : Rest::above_half};
}

// Largest |s| that scale_narrow takes: for every float (whose s lies within
// -32 to 51, and whose significand is small where s is large), and for
// doubles up to 31.
constexpr int float_narrow_limit = 51;
constexpr int double_narrow_limit = 31;

Scaled scale(Binary v, int s, int narrow_limit) {
    return std::abs(s) <= narrow_limit ? scale_narrow(v, s) : scale_wide(v, s);
}

struct Leading {
    Scaled scaled;  // floor of |v| to p digits, not yet rounded
    int exponent;
};

// Keeps all but the last `count` digits of a floor.
Scaled drop_digits(Scaled scaled, int count) {
    const std::uint64_t unit = pow10[count];
    const std::uint64_t dropped = scaled.floor % unit;
    const std::uint64_t half = unit / 2;
    Rest rest = Rest::above_half;
    if (dropped < half) rest = dropped == 0 && scaled.rest == Rest::zero ? Rest::zero : Rest::below_half;
    else if (dropped == half) rest = scaled.rest == Rest::zero ? Rest::half : Rest::above_half;
    return {scaled.floor / unit, rest};
}

// The first p digits of |v| and its decimal exponent e (10^e <= |v|).
Leading leading_digits(Binary v, int p, int narrow_limit) {
    const int top_bit = std::bit_width(v.significand) - 1 + v.exponent;
    int exponent = floor_log10_pow2(top_bit);  // e or e - 1
    Scaled scaled = scale(v, p - 1 - exponent, narrow_limit);
    if (scaled.floor >= pow10[p]) {
        scaled = drop_digits(scaled, 1);
        ++exponent;
    }
    return {scaled, exponent};
}

// Rounds a p-digit floor half to even and removes the trailing zeros.
Decimal round_digits(Scaled scaled, int p, int exponent) {
    const bool up = scaled.rest == Rest::above_half || (scaled.rest == Rest::half && (scaled.floor & 1) != 0);
    std::uint64_t digits = scaled.floor + (up ? 1 : 0);
    if (digits == pow10[p]) {
        digits = pow10[p - 1];
        ++exponent;
    }
    int count = p;
    for (; digits % 100 == 0; digits /= 100) count -= 2;
    if (digits % 10 == 0) {
        digits /= 10;
        --count;
    }
    return {digits, count, exponent};
}

// "00" to "99": two digits at a time.
constexpr auto digit_pairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// Writes the last end - out decimal digits of value into out..end, most
// significant first, and returns the digits left above them.
template <typename Unsigned>
Unsigned write_last_digits(char* out, char* end, Unsigned value) {
    for (; end - out >= 2; value /= 100) {
        end -= 2;
        std::memcpy(end, &digit_pairs[2 * (value % 100)], 2);
    }
    if (end > out) {
        *--end = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return value;
}

// The same in 32-bit arithmetic where the value allows, which is cheaper.
std::uint64_t write_last_digits(char* out, char* end, std::uint64_t value) {
    if (value > UINT32_MAX) return write_last_digits<std::uint64_t>(out, end, value);
    return write_last_digits<std::uint32_t>(out, end, static_cast<std::uint32_t>(value));
}

// The last `count` decimal digits of value.
char* write_digits(char* out, std::uint64_t value, int count) {
    write_last_digits(out, out + count, value);
    return out + count;
}

// From the bit width: with 1233 / 4096 for log10(2), a value of that many
// bits has `estimate` or `estimate` + 1 digits. Zero counts as one digit,
// like one: both have `value | 1` = 1.
int digit_count(std::uint64_t value) {
    const std::uint64_t nonzero = value | 1;
    const int estimate = (static_cast<int>(std::bit_width(nonzero)) * 1233) >> 12;
    return estimate + (nonzero >= pow10[estimate] ? 1 : 0);
}

char* write_zeros(char* out, int count) {
    for (; count > 0; --count) *out++ = '0';
    return out;
}

// Plain decimal notation of the rounded value, without a leading 0 below 1.
char* write_fixed(char* out, Decimal d) {
    if (d.exponent < 0) {
        *out++ = '.';
        out = write_zeros(out, -d.exponent - 1);
        return write_digits(out, d.digits, d.count);
    }
    const int whole = d.exponent + 1;
    if (d.count <= whole) return write_zeros(write_digits(out, d.digits, d.count), whole - d.count);
    // The fraction's digits first, then the whole part from what is left.
    char* point = out + whole;
    char* end = point + 1 + (d.count - whole);
    write_last_digits(out, point, write_last_digits(point + 1, end, d.digits));
    *point = '.';
    return end;
}

// d1, then "." and d2..dn when n is above 1, the letter, the exponent.
char* write_exponent(char* out, Decimal d, char letter) {
    if (d.count > 1) {
        char* end = out + 1 + d.count;
        out[0] = static_cast<char>('0' + write_last_digits(out + 2, end, d.digits));
        out[1] = '.';
        out = end;
    } else {
        *out++ = static_cast<char>('0' + d.digits);
    }
    *out++ = letter;
    if (d.exponent != 0) *out++ = d.exponent > 0 ? '+' : '-';
    const int magnitude = std::abs(d.exponent);
    return write_digits(out, static_cast<std::uint64_t>(magnitude), magnitude > 99 ? 3 : 2);
}

// The fixed form where form allows it, the exponent form otherwise.
char* write_decimal(char* out, Decimal d, const NumberForm& form) {
    const int last_place = d.exponent - d.count + 1;
    const bool fixed = d.exponent <= form.greatest_fixed_exponent && last_place >= form.smallest_last_place;
    return fixed ? write_fixed(out, d) : write_exponent(out, d, form.exponent_letter);
}

char* write_text(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// The number text of a zero, an infinity or a NaN, or nullptr for other values.
template <typename Real>
const char* special_text(Real value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";
    return nullptr;
}

// The number texts: "-" for a negative value, nothing for others, then the
// digits.

char* write_single(char* out, float value) {
    if (const char* special = special_text(value)) return write_text(out, special);
    if (std::signbit(value)) *out++ = '-';
    const Leading leading = leading_digits(binary_of(value), single_form.digits, float_narrow_limit);
    return write_decimal(out, round_digits(leading.scaled, single_form.digits, leading.exponent), single_form);
}

// Whole numbers below 10^15, zero included, are written from their integer
// value; the general rule gives the same digits.
constexpr double direct_whole_limit = 1e15;

char* write_double(char* out, double value) {
    const double magnitude = std::fabs(value);
    if (magnitude < direct_whole_limit) {
        const auto whole = static_cast<std::uint64_t>(static_cast<std::int64_t>(magnitude));
        if (static_cast<double>(whole) == magnitude) {
            if (value < 0) *out++ = '-';
            return write_digits(out, whole, digit_count(whole));
        }
    }
    if (const char* special = special_text(value)) return write_text(out, special);
    if (std::signbit(value)) *out++ = '-';
    const int p = double_form.digits;
    const Leading leading = leading_digits(binary_of(value), p, double_narrow_limit);
    Decimal d = round_digits(leading.scaled, p, leading.exponent);
    if (d.count == p && d.digits % 10 == 9) d = round_digits(drop_digits(leading.scaled, 1), p - 1, leading.exponent);
    return write_decimal(out, d, double_form);
}

char* write_int32(char* out, std::int32_t value) {
    if (value < 0) *out++ = '-';
    const std::uint32_t magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    return write_digits(out, magnitude, digit_count(magnitude));
}

template <typename Value>
NumberText number_text(char* (*write)(char*, Value), Value value) {
    NumberText text;
    text.size = static_cast<std::uint8_t>(write(text.chars.data(), value) - text.chars.data());
    return text;
}

// The conversion's text: a number text that does not begin with "-" gets
// the blank of its sign position back.
std::string conversion_text(std::string_view number_text) {
    if (!number_text.empty() && number_text[0] == '-') return std::string(number_text);
    std::string text(1, ' ');
    return text.append(number_text);
}

}  // namespace

NumberText single_number_text(float value) { return number_text(write_single, value); }
NumberText double_number_text(double value) { return number_text(write_double, value); }
NumberText int32_number_text(std::int32_t value) { return number_text(write_int32, value); }

std::string single_to_text(float value) { return conversion_text(single_number_text(value)); }
std::string double_to_text(double value) { return conversion_text(double_number_text(value)); }
std::string int32_to_text(std::int32_t value) { return conversion_text(int32_number_text(value)); }

std::string single_to_text_digits(float value, int digits) {
    if (const char* special = special_text(value)) return conversion_text(special);
    digits = std::clamp(digits, 1, single_form.digits);
    const Leading leading = leading_digits(binary_of(value), single_form.digits, float_narrow_limit);
    const int dropped = single_form.digits - digits;
    const Scaled kept = dropped > 0 ? drop_digits(leading.scaled, dropped) : leading.scaled;
    const Decimal d = round_digits(kept, digits, leading.exponent);
    // The fixed form of a large value holds up to 39 digits.
    char fixed[64];
    char exponent[single_form.longest_text];
    fixed[0] = exponent[0] = std::signbit(value) ? '-' : ' ';
    char* fixed_end = write_fixed(fixed + 1, d);
    char* exponent_end = write_exponent(exponent + 1, d, single_form.exponent_letter);
    if (fixed_end - fixed <= exponent_end - exponent) return std::string(fixed, fixed_end);
    return std::string(exponent, exponent_end);
}
