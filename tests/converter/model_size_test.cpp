#include "converter/model_size.h"
#include "converter/number_text.h"
#include "converter/text_services.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr float float_inf = std::numeric_limits<float>::infinity();

struct Box {
    double x_min, x_max, y_min, y_max, z_min, z_max;
};

constexpr Box start_box{box_min_start, box_max_start, box_min_start, box_max_start, box_min_start, box_max_start};

struct SizeCase {
    const char* what;
    Box box;
    float x_extent, y_extent, z_extent;
    float model_size;
    const char* model_size_text;
    float resolution;
    const char* resolution_text;
};

const SizeCase size_cases[] = {
    {"vertices (0,0,0) (1,0,0) (0,2,0.5)", {0, 1, 0, 2, 0, 0.5}, 1, 2, 0.5f,
     2.291287899017333984375f, "2.291288", 0.000229128796490840613842010498046875f, "2.291288E-04"},
    {"vertices (0,0,0) (3,4,0) (0,0,12)", {0, 3, 0, 4, 0, 12}, 3, 4, 12,
     13, "13", 0.001300000003539025783538818359375f, ".0013"},
    {"x falling 5, 3, 4", {3, 5, 0, 0, 0, 0}, 2, 0, 0,
     2, "2", 0.000199999994947575032711029052734375f, ".0002"},
    {"vertices (0,0,0) (1,1,0) (0,1,1)", {0, 1, 0, 1, 0, 1}, 1, 1, 1,
     1.73205077648162841796875f, "1.732051", 0.00017320507322438061237335205078125f, "1.732051E-04"},
    {"no facet", start_box, -19999.98046875f, -19999.98046875f, -19999.98046875f,
     34640.98046875f, "34640.98", 3.4640979766845703125f, "3.464098"},
    {"coinciding vertices", {-2.5, -2.5, 7, 7, 0, 0}, 0, 0, 0, 0, "0", 0, "0"},
    {"x only above 9999.99", {box_min_start, 20000, 0, 0, 0, 0}, 10000.009765625f, 0, 0,
     10000.009765625f, "10000.01", 1.00000095367431640625f, "1.000001"},
    {"x only below -9999.99", {-20000, box_max_start, 0, 0, 0, 0}, 10000.009765625f, 0, 0,
     10000.009765625f, "10000.01", 1.00000095367431640625f, "1.000001"},
    {"x all 9999.990234375", {box_min_start, 9999.990234375, 0, 0, 0, 0},
     0.000234374994761310517787933349609375f, 0, 0,
     0.000234374994761310517787933349609375f, "2.34375E-04", 2.34374990526475812657736241817474365234375e-08f,
     "2.34375E-08"},
    {"x all NaN", {box_min_start, box_max_start, 0, 2, 0, 0.5}, -19999.98046875f, 2, 0.5f,
     19999.98046875f, "19999.98", 1.9999980926513671875f, "1.999998"},
    {"positive infinity", {0, inf, 0, 1, 0, 1}, float_inf, 1, 1, float_inf, "INF", float_inf, "INF"},
    {"negative infinity", {0, 1, -inf, 1, 0, 1}, 1, float_inf, 1, float_inf, "INF", float_inf, "INF"},
    {"difference beyond single range", {-3e38, 3e38, 0, 0, 0, 0}, float_inf, 0, 0, float_inf, "INF", float_inf, "INF"},
    {"root beyond single range", {0, 3e38, 0, 3e38, 0, 0}, 3e38f, 3e38f, 0, float_inf, "INF", float_inf, "INF"},
};

TEST(ModelSize, WorkedValuesAndEdgeCases) {
    for (const auto& c : size_cases) {
        SCOPED_TRACE(c.what);
        const float x = extent(c.box.x_max, c.box.x_min);
        const float y = extent(c.box.y_max, c.box.y_min);
        const float z = extent(c.box.z_max, c.box.z_min);
        EXPECT_EQ(x, c.x_extent);
        EXPECT_EQ(y, c.y_extent);
        EXPECT_EQ(z, c.z_extent);
        const float size = diagonal_length(x, y, z);
        const float resolution = resolution_of(size);
        EXPECT_EQ(size, c.model_size);
        EXPECT_EQ(resolution, c.resolution);
        EXPECT_EQ(ltrim_spaces(single_to_text(size)), c.model_size_text);
        EXPECT_EQ(ltrim_spaces(single_to_text(resolution)), c.resolution_text);
    }
}

// A size of 1050625 * 2^-146 (normal) has the ten-thousandth 840.5 * 2^-149
// exactly: midway between two subnormals, where a quotient would round to the
// even 840. The factor, the double nearest 0.0001, lies a little above it, so
// the product lies above the midpoint and rounds to 841 * 2^-149.
TEST(ModelSize, ResolutionOfASizeWhoseTenThousandthIsSubnormal) {
    const float size = 0x1.00801p-126f;
    ASSERT_EQ(diagonal_length(extent(size, 0), 0, 0), size) << "a mesh from 0 to size on one axis has this size";
    const float resolution = resolution_of(size);
    std::uint32_t bits = 0;
    std::memcpy(&bits, &resolution, sizeof bits);
    EXPECT_EQ(bits, 841u) << std::hexfloat << resolution;
    EXPECT_EQ(ltrim_spaces(single_to_text(resolution)), "1.178492E-42");
}

// Reference: every value as an exact integer count of 2^-40 (all inputs below
// are such multiples), every rounding done on those integers.

using u128 = unsigned __int128;
constexpr int unit_bits = 40;

int bit_length(u128 value) {
    int length = 0;
    for (; value != 0; value >>= 1) ++length;
    return length;
}

// Rounds to `bits` significant bits, half to even; `above` says that the true
// value lies a little above `value`.
u128 round_bits(u128 value, int bits, bool above = false) {
    const int drop = bit_length(value) - bits;
    if (drop <= 0) return value;
    const u128 unit = u128{1} << drop;
    const u128 rest = value & (unit - 1);
    const u128 base = value - rest;
    const u128 half = unit >> 1;
    const bool odd = ((base >> drop) & 1) != 0;
    const bool up = rest > half || (rest == half && (above || odd));
    return base + (up ? unit : 0);
}

// Exact for multiples of 2^-40 below 2^23 in magnitude.
__int128 units_of(double value) { return static_cast<std::int64_t>(std::ldexp(value, unit_bits)); }

float float_of(u128 value, int unit_exponent) {
    return static_cast<float>(std::ldexp(static_cast<double>(value), unit_exponent));
}

float reference_extent(double max, double min) {
    const __int128 difference = units_of(max) - units_of(min);
    const auto magnitude = static_cast<u128>(difference < 0 ? -difference : difference);
    const float rounded = float_of(round_bits(round_bits(magnitude, 64), 24), -unit_bits);
    return difference < 0 ? -rounded : rounded;
}

u128 integer_root(u128 value, bool& inexact) {
    auto root = static_cast<u128>(std::sqrt(static_cast<long double>(value)));
    while (root * root > value) --root;
    while ((root + 1) * (root + 1) <= value) ++root;
    inexact = root * root != value;
    return root;
}

float reference_diagonal(float x, float y, float z) {
    const auto xs = static_cast<u128>(units_of(std::fabs(x)));
    const auto ys = static_cast<u128>(units_of(std::fabs(y)));
    const auto zs = static_cast<u128>(units_of(std::fabs(z)));
    const u128 sum = round_bits(round_bits(xs * xs + ys * ys, 64) + zs * zs, 64);  // units of 2^-80
    const u128 total = round_bits(sum, 53);
    if (total == 0) return 0;
    const int shift = (126 - bit_length(total)) / 2;  // at least 62 bits of root
    bool inexact = false;
    const u128 root = integer_root(total << (2 * shift), inexact);
    return float_of(round_bits(root, 24, inexact), -unit_bits - shift);
}

// For results in the normal range only.
float reference_resolution(float size) {
    int size_exponent = 0;
    int factor_exponent = 0;
    const auto size_bits = static_cast<std::uint64_t>(std::ldexp(std::frexp(size, &size_exponent), 24));
    const auto factor_bits = static_cast<std::uint64_t>(std::ldexp(std::frexp(resolution_factor, &factor_exponent), 53));
    const u128 product = u128{size_bits} * factor_bits;
    return float_of(round_bits(round_bits(product, 64), 24), size_exponent - 24 + factor_exponent - 53);
}

// A float of magnitude 2^-10 to 2^13 with random significand and sign.
float random_coordinate(std::mt19937_64& random) {
    const auto significand = static_cast<double>((random() & 0xFFFFFF) | 0x800000);
    const int exponent = static_cast<int>(random() % 24) - 10 - 23;
    const auto value = static_cast<float>(std::ldexp(significand, exponent));
    return random() % 2 != 0 ? -value : value;
}

// One axis of a box as the first pass leaves it: a normal range, nothing
// received, only coordinates beyond one start value, or a single point.
void random_axis(std::mt19937_64& random, double& min, double& max) {
    const auto kind = random() % 8;
    if (kind == 0) {
        min = box_min_start;
        max = box_max_start;
    } else if (kind == 1) {
        min = box_min_start;
        max = 10000 + std::fabs(random_coordinate(random)) / 2;
    } else if (kind == 2) {
        min = -10000 - std::fabs(random_coordinate(random)) / 2;
        max = box_max_start;
    } else {
        float a = random_coordinate(random);
        float b = kind == 3 ? a : random_coordinate(random);
        while (std::fabs(a) >= 9999.99f) a /= 2;
        while (std::fabs(b) >= 9999.99f) b /= 2;
        min = std::fmin(a, b);
        max = std::fmax(a, b);
    }
}

// Sums where a shortcut changes the last place: the root rounded to double
// before single (it would sit exactly between two floats and round the wrong
// way), or the sum not rounded to double before its root (the last row).
TEST(ModelSize, RoundingsAroundTheRoot) {
    const struct {
        float x, y;
        float model_size;
    } cases[] = {
        {0x1.514744p+0f, 0x1.9f8e42p-12f, 1.31749379634857177734375f},
        {0x1.68c14cp+0f, 0x1.adc66ap-12f, 1.40919959545135498046875f},
        {0x1.187564p+0f, 0x1.7af064p-12f, 1.09554135799407958984375f},
        {0x1.0f61f6p+0f, 0x1.f79d08p-6f, 1.060534000396728515625f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(diagonal_length(c.x, c.y, 0), c.model_size);
        EXPECT_EQ(diagonal_length(0, c.y, c.x), c.model_size);
        EXPECT_EQ(reference_diagonal(c.x, c.y, 0), c.model_size);
    }
}

TEST(ModelSize, MatchesExactReferenceOnRandomBoxes) {
    std::mt19937_64 random(1104);
    int failures = 0;
    for (int i = 0; i < 200000 && failures < 20; ++i) {
        Box b{};
        random_axis(random, b.x_min, b.x_max);
        random_axis(random, b.y_min, b.y_max);
        random_axis(random, b.z_min, b.z_max);
        const float x = extent(b.x_max, b.x_min);
        const float y = extent(b.y_max, b.y_min);
        const float z = extent(b.z_max, b.z_min);
        const float size = diagonal_length(x, y, z);
        const bool same = x == reference_extent(b.x_max, b.x_min) && y == reference_extent(b.y_max, b.y_min) &&
                          z == reference_extent(b.z_max, b.z_min) && size == reference_diagonal(x, y, z) &&
                          resolution_of(size) == reference_resolution(size);
        if (!same) {
            ++failures;
            ADD_FAILURE() << std::hexfloat << "box x " << b.x_min << ' ' << b.x_max << " y " << b.y_min << ' '
                          << b.y_max << " z " << b.z_min << ' ' << b.z_max;
        }
    }
    EXPECT_EQ(failures, 0);
}

}  // namespace
