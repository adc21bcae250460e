// Writes a binary STL mesh of a given number of facets for the whole-run
// benchmark: a grid of triangles over a wavy surface, so that coordinates
// have the varied digits of a real mesh. Streams facet by facet.
//
//   stlwire_bench_mesh FACETS OUTPUT.stl
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void put_le(std::vector<unsigned char>& bytes, uint32_t bits, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<unsigned char>(bits >> (8 * i)));
}

void put_float(std::vector<unsigned char>& bytes, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    put_le(bytes, bits, 4);
}

// A point of the surface over grid cell (i, j), corner (di, dj).
void put_vertex(std::vector<unsigned char>& bytes, long i, long j) {
    const double x = 0.0254 * static_cast<double>(i);
    const double y = 0.0254 * static_cast<double>(j);
    put_float(bytes, static_cast<float>(x));
    put_float(bytes, static_cast<float>(y));
    put_float(bytes, static_cast<float>(3.0 * std::sin(x * 0.7) * std::cos(y * 0.3)));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FACETS OUTPUT.stl\n", argv[0]);
        return 2;
    }
    const long facets = std::strtol(argv[1], nullptr, 10);
    std::FILE* out = std::fopen(argv[2], "wb");
    if (!out || facets < 0 || facets > INT32_MAX) return 1;
    std::vector<unsigned char> bytes(80, ' ');
    put_le(bytes, static_cast<uint32_t>(facets), 4);
    const long columns = 1000;
    for (long n = 0; n < facets; ++n) {
        const long cell = n / 2, i = cell % columns, j = cell / columns;
        for (int k = 0; k < 3; ++k) put_float(bytes, 0.0f);   // normal
        if (n % 2 == 0) {
            put_vertex(bytes, i, j), put_vertex(bytes, i + 1, j), put_vertex(bytes, i + 1, j + 1);
        } else {
            put_vertex(bytes, i, j), put_vertex(bytes, i + 1, j + 1), put_vertex(bytes, i, j + 1);
        }
        put_le(bytes, 0, 2);
        if (bytes.size() >= 1 << 20) {
            std::fwrite(bytes.data(), 1, bytes.size(), out);
            bytes.clear();
        }
    }
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    return std::fclose(out) == 0 ? 0 : 1;
}
