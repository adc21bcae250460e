#include "converter/model_size.h"

#include <cfloat>
#include <cmath>

// long double must be the x87 extended format with its 64-bit significand,
// computing in that precision (no contraction, no fast-math).
static_assert(LDBL_MANT_DIG == 64, "long double needs a 64-bit significand");

float extent(double max, double min) {
    const long double difference = static_cast<long double>(max) - static_cast<long double>(min);
    return static_cast<float>(difference);
}

float diagonal_length(float x_extent, float y_extent, float z_extent) {
    const long double x_square = static_cast<long double>(x_extent) * x_extent;
    const long double y_square = static_cast<long double>(y_extent) * y_extent;
    const long double z_square = static_cast<long double>(z_extent) * z_extent;
    const long double sum = x_square + y_square;
    const auto total = static_cast<double>(sum + z_square);
    // The root of a double rounded to 64 bits can never land on a midpoint
    // between two floats unless it is one, so rounding it again to single
    // precision gives the correctly rounded root.
    return static_cast<float>(std::sqrt(static_cast<long double>(total)));
}

float resolution_of(float model_size) {
    const long double product = static_cast<long double>(model_size) * resolution_factor;
    return static_cast<float>(product);
}
