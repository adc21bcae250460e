// Binary STL files for the tests: 80 header bytes, the facet count, then
// 50 bytes a facet (normal, three vertices, a zero attribute word), every
// value little-endian.
#pragma once

#include <array>
#include <string>
#include <vector>

struct StlFacet {
    std::array<float, 9> vertices{};   // vertex 1, 2, 3 as x, y, z
    std::array<float, 3> normal{};     // read by the converter, never used
};

// The file with the count of the facets given.
std::string stl_bytes(const std::vector<StlFacet>& facets);
void write_stl(const std::string& path, const std::vector<StlFacet>& facets);
