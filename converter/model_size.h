// Size values of the bounding box: the extent of each axis, the length of
// the box's diagonal (model_size) and the resolution (model_size / 10000).
//
// Every intermediate is formed with a 64-bit significand and rounded to
// nearest, ties to even; the results are single precision. All floating-point
// exceptions stay masked: overflow gives infinity.
#pragma once

// Start values of the box: every minimum starts at box_min_start, every
// maximum at box_max_start.
inline constexpr double box_min_start = 9999.99;
inline constexpr double box_max_start = -9999.99;

// The double nearest 0.0001, widened to 64 bits of significand when used.
inline constexpr double resolution_factor = 0.0001;

// Maximum minus minimum of one axis: formed with a 64-bit significand, then
// rounded to single precision. Negative for an axis that got no coordinate.
float extent(double max, double min);

// Square root of the sum of the three squared extents: the squares exact,
// both sums rounded to a 64-bit significand, the sum then rounded to double
// and its square root correctly rounded to single precision.
float diagonal_length(float x_extent, float y_extent, float z_extent);

// model_size times resolution_factor, formed with a 64-bit significand and
// rounded to single precision.
float resolution_of(float model_size);
