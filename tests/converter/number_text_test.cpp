#include "converter/number_text.h"
#include "converter/text_services.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr float float_inf = std::numeric_limits<float>::infinity();
constexpr float float_nan = std::numeric_limits<float>::quiet_NaN();

struct FloatCase {
    float value;
    const char* text;  // number text, after ltrim_spaces
};

// Conversion text must be the sign position followed by the number text.
void expect_single(float value, const std::string& number_text) {
    const std::string raw = single_to_text(value);
    const std::string sign = std::signbit(value) && value != 0 && !std::isnan(value) ? "" : " ";
    EXPECT_EQ(raw, sign + number_text) << "value " << value;
    EXPECT_EQ(ltrim_spaces(raw), number_text);
}

TEST(SingleToText, ListedValues) {
    const FloatCase cases[] = {
        {0.0f, "0"},
        {-0.0f, "0"},
        {1000.0f, "1000"},
        {0.5f, ".5"},
        {-0.5f, "-.5"},
        {25.4f, "25.4"},
        {1.0f / 3.0f, ".3333333"},
        {0.0123456f, ".0123456"},
        {0.01234567f, "1.234567E-02"},
        {0.00001f, ".00001"},
        {0.0000001f, ".0000001"},
        {0.00000015f, "1.5E-07"},
        {0.00000001f, "1E-08"},
        {1234567.0f, "1234567"},
        {9999999.0f, "9999999"},
        {10000000.0f, "1E+07"},
        {12345678.0f, "1.234568E+07"},
        {123456.26f, "123456.3"},
        {0.0002291288f, "2.291288E-04"},
        {-19999.98f, "-19999.98"},
    };
    for (const auto& c : cases) expect_single(c.value, c.text);
}

TEST(SingleToText, RangeEndsAndSpecialValues) {
    const FloatCase cases[] = {
        {std::numeric_limits<float>::denorm_min(), "1.401298E-45"},
        {-std::numeric_limits<float>::denorm_min(), "-1.401298E-45"},
        {std::bit_cast<float>(0x007FFFFFu), "1.175494E-38"},  // largest subnormal
        {std::numeric_limits<float>::min(), "1.175494E-38"},
        {std::numeric_limits<float>::max(), "3.402823E+38"},
        {-std::numeric_limits<float>::max(), "-3.402823E+38"},
        {9999999.0f, "9999999"},
        {0.1f, ".1"},
        {0.099999994f, "9.999999E-02"},  // float below 0.1: eighth place after the point
        {float_inf, "INF"},
        {-float_inf, "-INF"},
    };
    for (const auto& c : cases) expect_single(c.value, c.text);
    EXPECT_EQ(single_to_text(float_nan), " NAN");
    EXPECT_EQ(single_to_text(-float_nan), " NAN");
    EXPECT_EQ(single_to_text(std::bit_cast<float>(0x7F800001u)), " NAN");  // signalling
}

TEST(SingleToText, ExactTiesRoundHalfToEven) {
    const FloatCase cases[] = {
        {123456.25f, "123456.2"},
        {123456.75f, "123456.8"},
        {1.0078125f, "1.007812"},
        {1.0234375f, "1.023438"},
        {-1.0078125f, "-1.007812"},
        {16777215.0f, "1.677722E+07"},  // 1677721.5 rounds up to even
        {16777210.0f, "1.677721E+07"},  // 1677721.0 exactly
    };
    for (const auto& c : cases) expect_single(c.value, c.text);
}

struct DigitsCase {
    float value;
    int digits;
    const char* text;
};

TEST(SingleToTextDigits, ShorterOfFixedAndExponentForm) {
    const DigitsCase cases[] = {
        {12345678.0f, 7, "12345680"},  // fixed 8 characters, exponent 12
        {12345678.0f, 2, "1.2E+07"},
        {12345678.0f, 3, "12300000"},
        {3e30f, 4, "3E+30"},
        {0.000123456f, 3, ".000123"},
        {0.00000015f, 7, "1.5E-07"},  // fixed .00000015 is one longer
        {0.000015f, 2, ".000015"},  // equally long: the fixed form
        {0.0001f, 1, ".0001"},
        {1.0f / 3.0f, 1, ".3"},
        {9.96f, 2, "10"},          // carry into the next power of ten
        {-0.96f, 1, "-1"},
        {1.25f, 2, "1.2"},         // exact tie, half to even
        {1.75f, 2, "1.8"},
        {25.4f, 9, "25.4"},        // digits clamp to 7
        {25.4f, 0, "30"},          // and to 1
        {0.0f, 3, "0"},
        {-float_inf, 3, "-INF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ltrim_spaces(single_to_text_digits(c.value, c.digits)), c.text)
            << "value " << c.value << " digits " << c.digits;
    }
    EXPECT_EQ(single_to_text_digits(float_inf, 5), " INF");
    EXPECT_EQ(single_to_text_digits(float_nan, 5), " NAN");
}

struct DoubleCase {
    double value;
    const char* text;
};

TEST(DoubleToText, ListedAndBoundaryValues) {
    const DoubleCase cases[] = {
        {1.0, "1"},
        {10000000.0, "10000000"},
        {100663296.0, "100663296"},
        {1e16, "1D+16"},
        {0.0, "0"},
        {-0.0, "0"},
        {-3.0, "-3"},
        {999999999999999.0, "999999999999999"},
        {9007199254740992.0, "9007199254740992"},
        {1234567890123459.0, "1234567890123460"},  // sixteenth digit 9: fifteen digits
        {0.1, ".1"},
        {0.5, ".5"},
        {2.0 / 3.0, ".6666666666666666"},
        {1.0 / 3.0, ".3333333333333333"},
        {0.1 + 0.2, ".3"},  // 0.3000000000000000444: sixteen digits end in zeros
        {1e-17, "1D-17"},
        {1e300, "1D+300"},
        {-2.5e-300, "-2.5D-300"},
        {std::numeric_limits<double>::denorm_min(), "4.940656458412465D-324"},
        {std::numeric_limits<double>::max(), "1.797693134862316D+308"},
        {std::numeric_limits<double>::infinity(), "INF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ltrim_spaces(double_to_text(c.value)), c.text) << "value " << c.value;
    }
    EXPECT_EQ(double_to_text(1.0), " 1");
    EXPECT_EQ(double_to_text(std::nan("")), " NAN");
}

TEST(Int32ToText, SignPositionAndDigits) {
    const struct {
        std::int32_t value;
        const char* text;
    } cases[] = {
        {0, " 0"},
        {7, " 7"},
        {-3, "-3"},
        {1000000000, " 1000000000"},
        {2147483647, " 2147483647"},
        {-2147483647 - 1, "-2147483648"},
    };
    for (const auto& c : cases) EXPECT_EQ(int32_to_text(c.value), c.text);
}

TEST(TrimSpaces, RemovesOnlyBlanksAtTheirEnd) {
    const struct {
        const char* text;
        const char* left;
        const char* right;
    } cases[] = {
        {"", "", ""},
        {"   ", "", ""},
        {" 12", "12", " 12"},
        {"-3", "-3", "-3"},
        {"  a b  ", "a b  ", "  a b"},
        {"\tx\t", "\tx\t", "\tx\t"},
        {" \t ", "\t ", " \t"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ltrim_spaces(c.text), c.left) << '"' << c.text << '"';
        EXPECT_EQ(rtrim_spaces(c.text), c.right) << '"' << c.text << '"';
    }
}

// Reference: the exact decimal expansion of significand * 2^exponent in
// base-10^9 limbs, rounded on its digit string.

using Limbs = std::vector<std::uint32_t>;  // base 10^9, least significant first
constexpr std::uint32_t limb_base = 1000000000;

void multiply(Limbs& number, std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (auto& limb : number) {
        carry += std::uint64_t{limb} * factor;
        limb = static_cast<std::uint32_t>(carry % limb_base);
        carry /= limb_base;
    }
    for (; carry != 0; carry /= limb_base) number.push_back(static_cast<std::uint32_t>(carry % limb_base));
}

std::string decimal_string(const Limbs& number) {
    std::string text = std::to_string(number.back());
    for (auto it = number.rbegin() + 1; it != number.rend(); ++it) {
        const std::string part = std::to_string(*it);
        text += std::string(9 - part.size(), '0') + part;
    }
    return text;
}

struct ExactDecimal {
    std::string digits;  // d1 d2 ..., d1 not 0
    int exponent;        // the value is d1.d2... times 10^exponent
};

ExactDecimal exact_decimal(std::uint64_t significand, int exponent) {
    Limbs number;
    for (; significand != 0; significand /= limb_base) number.push_back(static_cast<std::uint32_t>(significand % limb_base));
    int point_shift = 0;
    if (exponent >= 0) {
        for (int k = exponent; k > 0; k -= 29) multiply(number, 1u << std::min(k, 29));
    } else {
        for (int k = -exponent; k > 0; k -= 13) {
            std::uint32_t power = 1;
            for (int i = 0; i < std::min(k, 13); ++i) power *= 5;
            multiply(number, power);
        }
        point_shift = exponent;  // m * 2^-k = m * 5^k / 10^k
    }
    const std::string digits = decimal_string(number);
    return {digits, static_cast<int>(digits.size()) - 1 + point_shift};
}

template <typename Real>
ExactDecimal exact_decimal_of(Real value) {
    constexpr int bits = std::numeric_limits<Real>::digits;
    int exponent = 0;
    const Real fraction = std::frexp(std::fabs(value), &exponent);
    const auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, bits));
    return exact_decimal(significand, exponent - bits);
}

// Exactly p digits, rounded half to even.
ExactDecimal round_to(const ExactDecimal& exact, int p) {
    ExactDecimal result{exact.digits.substr(0, p), exact.exponent};
    result.digits.resize(p, '0');
    bool up = false;
    if (exact.digits.size() > static_cast<std::size_t>(p)) {
        const char first = exact.digits[p];
        const bool beyond = exact.digits.find_first_not_of('0', p + 1) != std::string::npos;
        const bool odd = (result.digits.back() - '0') % 2 == 1;
        up = first > '5' || (first == '5' && (beyond || odd));
    }
    if (!up) return result;
    int i = p - 1;
    for (; i >= 0 && result.digits[i] == '9'; --i) result.digits[i] = '0';
    if (i >= 0) {
        ++result.digits[i];
    } else {
        result.digits = "1" + std::string(p - 1, '0');
        ++result.exponent;
    }
    return result;
}

std::string kept_digits(std::string digits) {
    digits.erase(digits.find_last_not_of('0') + 1);
    return digits;
}

std::string fixed_form(const ExactDecimal& rounded) {
    const std::string kept = kept_digits(rounded.digits);
    const int e = rounded.exponent;
    const int n = static_cast<int>(kept.size());
    if (e < 0) return "." + std::string(-e - 1, '0') + kept;
    if (n <= e + 1) return kept + std::string(e + 1 - n, '0');
    return kept.substr(0, e + 1) + "." + kept.substr(e + 1);
}

std::string exponent_form(const ExactDecimal& rounded, char letter) {
    const std::string kept = kept_digits(rounded.digits);
    std::string text = kept.substr(0, 1);
    if (kept.size() > 1) text += "." + kept.substr(1);
    text += letter;
    if (rounded.exponent != 0) text += rounded.exponent > 0 ? "+" : "-";
    std::string magnitude = std::to_string(std::abs(rounded.exponent));
    if (magnitude.size() < 2) magnitude = "0" + magnitude;
    return text + magnitude;
}

std::string sign_position(bool negative) { return negative ? "-" : " "; }

struct FormLimits {
    int max_fixed_exponent;  // e at most this
    int min_last_place;      // e - n at least this
    char letter;
};

std::string reference_text(bool negative, const ExactDecimal& rounded, FormLimits limits) {
    const int n = static_cast<int>(kept_digits(rounded.digits).size());
    const bool fixed = rounded.exponent <= limits.max_fixed_exponent && rounded.exponent - n >= limits.min_last_place;
    return sign_position(negative) + (fixed ? fixed_form(rounded) : exponent_form(rounded, limits.letter));
}

std::string reference_single(float value) {
    return reference_text(std::signbit(value), round_to(exact_decimal_of(value), 7), {6, -8, 'E'});
}

std::string reference_double(double value) {
    const ExactDecimal exact = exact_decimal_of(value);
    ExactDecimal rounded = round_to(exact, 16);
    if (rounded.digits[15] == '9') rounded = round_to(exact, 15);
    return reference_text(std::signbit(value), rounded, {15, -17, 'D'});
}

std::string reference_single_digits(float value, int digits) {
    const ExactDecimal rounded = round_to(exact_decimal_of(value), digits);
    const std::string fixed = fixed_form(rounded);
    const std::string exponent = exponent_form(rounded, 'E');
    return sign_position(std::signbit(value)) + (fixed.size() <= exponent.size() ? fixed : exponent);
}

// Floats a few steps either side of value.
void add_neighbours(std::vector<float>& values, float value, int steps) {
    float below = value;
    float above = value;
    values.push_back(value);
    for (int i = 0; i < steps; ++i) {
        below = std::nextafter(below, 0.0f);
        above = std::nextafter(above, float_inf);
        values.push_back(below);
        values.push_back(above);
    }
}

std::vector<float> sample_floats() {
    std::mt19937_64 random(20240601);
    std::vector<float> values;
    // Every exponent with random significands and signs.
    for (std::uint32_t field = 0; field < 255; ++field) {
        for (int i = 0; i < 4000; ++i) {
            const auto low = static_cast<std::uint32_t>(random());
            values.push_back(std::bit_cast<float>((low & 0x807FFFFFu) | (field << 23)));
        }
    }
    // Next to every power of ten, and next to decimals of 1 to 8 digits from
    // 10^-12 to 10^9, where the fixed and the exponent form meet.
    for (int power = -45; power <= 38; ++power) {
        add_neighbours(values, std::strtof(("1e" + std::to_string(power)).c_str(), nullptr), 16);
    }
    for (int digits = 1; digits <= 8; ++digits) {
        for (int power = -12; power <= 9; ++power) {
            for (int i = 0; i < 20; ++i) {
                const auto mantissa = 1 + random() % 99999999;
                const std::string text = std::to_string(mantissa).substr(0, digits) + "e" + std::to_string(power);
                add_neighbours(values, std::strtof(text.c_str(), nullptr), 3);
            }
        }
    }
    // Exact ties at the seventh digit.
    for (int i = 0; i < 10000; ++i) {
        values.push_back(static_cast<float>(10000000 + random() % 677721 * 10 + 5));
        values.push_back(static_cast<float>(1000000 + random() % 9000000) + 0.5f);
        values.push_back(static_cast<float>(100000 + random() % 900000) + (i % 2 != 0 ? 0.25f : 0.75f));
    }
    return values;
}

TEST(SingleToText, MatchesExactDecimalReference) {
    const std::vector<float> values = sample_floats();
    ASSERT_GE(values.size(), 1000000u);
    int failures = 0;
    for (const float value : values) {
        if (value == 0 || !std::isfinite(value)) continue;
        const std::string expected = reference_single(value);
        const std::string actual = single_to_text(value);
        if (actual != expected && ++failures <= 20) {
            ADD_FAILURE() << "bits " << std::hex << std::bit_cast<std::uint32_t>(value) << ": expected \"" << expected
                          << "\", got \"" << actual << '"';
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST(SingleToTextDigits, MatchesExactDecimalReference) {
    std::mt19937_64 random(7);
    const std::vector<float> values = sample_floats();
    int failures = 0;
    for (std::size_t i = 0; i < values.size(); i += 5) {
        const float value = values[i];
        if (value == 0 || !std::isfinite(value)) continue;
        const int digits = 1 + static_cast<int>(random() % 7);
        const std::string expected = reference_single_digits(value, digits);
        const std::string actual = single_to_text_digits(value, digits);
        if (actual != expected && ++failures <= 20) {
            ADD_FAILURE() << "bits " << std::hex << std::bit_cast<std::uint32_t>(value) << std::dec << " digits "
                          << digits << ": expected \"" << expected << "\", got \"" << actual << '"';
        }
    }
    EXPECT_EQ(failures, 0);
}

std::vector<double> sample_doubles() {
    std::mt19937_64 random(99);
    std::vector<double> values;
    for (int i = 0; i < 100000; ++i) {
        values.push_back(std::bit_cast<double>(random()));                                 // any exponent
        values.push_back(static_cast<double>(random() >> (random() % 64)));                // whole numbers
        values.push_back(std::ldexp(static_cast<double>(random() >> 11), -52 - i % 60));  // fractions, small values
    }
    for (int power = -323; power <= 308; ++power) {
        const double near = std::strtod(("1e" + std::to_string(power)).c_str(), nullptr);
        values.insert(values.end(), {near, std::nextafter(near, 0.0), std::nextafter(near, 2 * near)});
    }
    return values;
}

TEST(DoubleToText, MatchesExactDecimalReference) {
    int failures = 0;
    for (const double value : sample_doubles()) {
        if (value == 0 || !std::isfinite(value)) continue;
        const std::string expected = reference_double(value);
        const std::string actual = double_to_text(value);
        if (actual != expected && ++failures <= 20) {
            ADD_FAILURE() << "bits " << std::hex << std::bit_cast<std::uint64_t>(value) << ": expected \"" << expected
                          << "\", got \"" << actual << '"';
        }
    }
    EXPECT_EQ(failures, 0);
}

}  // namespace
