#include "converter/number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>

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

Rest rest_of(u128 remainder, u128 divisor) {
    if (remainder == 0) return Rest::zero;
    const u128 other = divisor - remainder;
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

// floor(|v| * 10^s) when every intermediate fits in 128 bits.
Scaled scale_narrow(Binary v, int s) {
    const int shift = v.exponent + s;
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
    while (digits % 10 == 0) {
        digits /= 10;
        --count;
    }
    return {digits, count, exponent};
}

char* write_digits(char* out, std::uint64_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + count;
}

char* write_zeros(char* out, int count) {
    for (int i = 0; i < count; ++i) *out++ = '0';
    return out;
}

// Plain decimal notation of the rounded value, without a leading 0 below 1.
char* write_fixed(char* out, Decimal d) {
    char digits[20];
    write_digits(digits, d.digits, d.count);
    if (d.exponent < 0) {
        *out++ = '.';
        out = write_zeros(out, -d.exponent - 1);
        std::memcpy(out, digits, d.count);
        return out + d.count;
    }
    const int whole = d.exponent + 1;
    if (d.count <= whole) {
        std::memcpy(out, digits, d.count);
        return write_zeros(out + d.count, whole - d.count);
    }
    std::memcpy(out, digits, whole);
    out += whole;
    *out++ = '.';
    std::memcpy(out, digits + whole, d.count - whole);
    return out + d.count - whole;
}

char* write_exponent(char* out, Decimal d, char letter) {
    // Write the digits one place to the right, then move d1 in front of the point.
    write_digits(out + 1, d.digits, d.count);
    out[0] = out[1];
    if (d.count > 1) {
        out[1] = '.';
        out += d.count + 1;
    } else {
        out += 1;
    }
    *out++ = letter;
    if (d.exponent != 0) *out++ = d.exponent > 0 ? '+' : '-';
    const int magnitude = std::abs(d.exponent);
    return write_digits(out, static_cast<std::uint64_t>(magnitude), magnitude > 99 ? 3 : 2);
}

char sign_of(bool negative) { return negative ? '-' : ' '; }

// The text of a zero, an infinity or a NaN, or nullptr for other values.
template <typename Real>
const char* special_text(Real value) {
    if (std::isnan(value)) return " NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : " INF";
    if (value == 0) return " 0";
    return nullptr;
}

std::string whole_number_text(double value) {
    char text[24];
    text[0] = sign_of(value < 0);
    auto magnitude = static_cast<std::uint64_t>(std::fabs(value));
    int count = 1;
    while (count < 19 && magnitude >= pow10[count]) ++count;
    return std::string(text, write_digits(text + 1, magnitude, count));
}

}  // namespace

std::string single_to_text(float value) {
    if (const char* special = special_text(value)) return special;
    const Leading leading = leading_digits(binary_of(value), 7, float_narrow_limit);
    const Decimal d = round_digits(leading.scaled, 7, leading.exponent);
    char text[16];
    text[0] = sign_of(std::signbit(value));
    const bool fixed = d.exponent <= 6 && d.exponent - d.count >= -8;
    char* end = fixed ? write_fixed(text + 1, d) : write_exponent(text + 1, d, 'E');
    return std::string(text, end);
}

std::string single_to_text_digits(float value, int digits) {
    if (const char* special = special_text(value)) return special;
    digits = std::clamp(digits, 1, 7);
    const Leading leading = leading_digits(binary_of(value), 7, float_narrow_limit);
    const Scaled kept = digits < 7 ? drop_digits(leading.scaled, 7 - digits) : leading.scaled;
    const Decimal d = round_digits(kept, digits, leading.exponent);
    char fixed[64];
    char exponent[16];
    fixed[0] = exponent[0] = sign_of(std::signbit(value));
    char* fixed_end = write_fixed(fixed + 1, d);
    char* exponent_end = write_exponent(exponent + 1, d, 'E');
    if (fixed_end - fixed <= exponent_end - exponent) return std::string(fixed, fixed_end);
    return std::string(exponent, exponent_end);
}

std::string double_to_text(double value) {
    if (const char* special = special_text(value)) return special;
    if (std::fabs(value) < 1e15 && std::trunc(value) == value) return whole_number_text(value);
    const Binary v = binary_of(value);
    const Leading leading = leading_digits(v, 16, double_narrow_limit);
    Decimal d = round_digits(leading.scaled, 16, leading.exponent);
    if (d.count == 16 && d.digits % 10 == 9) {
        d = round_digits(drop_digits(leading.scaled, 1), 15, leading.exponent);
    }
    char text[32];
    text[0] = sign_of(std::signbit(value));
    const bool fixed = d.exponent <= 15 && d.exponent - d.count >= -17;
    char* end = fixed ? write_fixed(text + 1, d) : write_exponent(text + 1, d, 'D');
    return std::string(text, end);
}

std::string int32_to_text(std::int32_t value) {
    char text[12];
    text[0] = sign_of(value < 0);
    const std::uint32_t magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    int count = 1;
    while (count < 10 && magnitude >= pow10[count]) ++count;
    return std::string(text, write_digits(text + 1, magnitude, count));
}

std::string ltrim_spaces(std::string text) {
    const auto first = text.find_first_not_of(' ');
    text.erase(0, first == std::string::npos ? text.size() : first);
    return text;
}

std::string rtrim_spaces(std::string text) {
    const auto last = text.find_last_not_of(' ');
    text.erase(last == std::string::npos ? 0 : last + 1);
    return text;
}
