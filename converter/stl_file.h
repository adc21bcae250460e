// Opening the STL file and reading its facet count.
#pragma once

#include <cstdint>
#include <string>

// The most facets whose records still number within the seven columns of
// the IGES sequence field: 6 x 1,666,666 Directory Entry records.
inline constexpr int32_t max_facet_count = 1'666'666;

// Opens the STL file as file 12. A count above the limit raises error 6,
// before the IGES file is touched; a count that cannot be read raises
// nothing here. The file stays open all the same, so an IGES name that
// denotes it is still refused as an open file.
void open_stl_file(const std::string& name);

// Reads the facet count at position; above the limit it raises error 6
// and leaves the count at 0.
void read_facet_count(int32_t& facet_count, double position);
