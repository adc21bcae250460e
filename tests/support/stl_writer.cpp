#include "tests/support/stl_writer.h"

#include <cstdint>
#include <cstring>

#include "tests/support/test_files.h"

namespace {

void append_le(std::string& bytes, uint32_t bits, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

void append_float(std::string& bytes, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    append_le(bytes, bits, 4);
}

}  // namespace

std::string stl_bytes(const std::vector<StlFacet>& facets) {
    return stl_bytes_with_count(static_cast<uint32_t>(facets.size()), facets);
}

std::string stl_bytes_with_count(uint32_t count, const std::vector<StlFacet>& facets) {
    std::string bytes(80, ' ');
    append_le(bytes, count, 4);
    for (const StlFacet& facet : facets) {
        for (float value : facet.normal) append_float(bytes, value);
        for (float value : facet.vertices) append_float(bytes, value);
        append_le(bytes, 0, 2);
    }
    return bytes;
}

void write_stl(const std::string& path, const std::vector<StlFacet>& facets) {
    write_bytes(path, stl_bytes(facets));
}
