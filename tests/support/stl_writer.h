// Binary STL files for the tests: 80 header bytes, the facet count, then
// 50 bytes a facet (normal, three vertices, a zero attribute word), every
// value little-endian.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct StlFacet {
    std::array<float, 9> vertices{};   // vertex 1, 2, 3 as x, y, z
    // Read by the converter, never used. By default a unit normal as real
    // meshes have, (7, 4, 4) / 9: none of its first bytes, next to the
    // count, is zero, so a read of the count one to four bytes too far finds
    // a count far above any limit (a zero or (0, 0, 1) normal would hide it).
    std::array<float, 3> normal{7.0f / 9, 4.0f / 9, 4.0f / 9};
};

// The file with the count of the facets given.
std::string stl_bytes(const std::vector<StlFacet>& facets);
// The file with the given count, which need not be that of its facets
// (a count beyond them reads zeros past the end).
std::string stl_bytes_with_count(uint32_t count, const std::vector<StlFacet>& facets);
void write_stl(const std::string& path, const std::vector<StlFacet>& facets);
