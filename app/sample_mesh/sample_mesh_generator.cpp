// Writes the sample mesh put beside the program: a small closed solid, a
// house of 4 by 3 by 2 with a gable roof whose ridge stands at height 3.
// 16 facets, each facing outwards with its normal.
//
//   stlwire_sample_mesh OUTPUT.stl
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using Point = std::array<float, 3>;
using Polygon = std::vector<Point>;

Point minus(const Point& a, const Point& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

Point cross(const Point& a, const Point& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

float dot(const Point& a, const Point& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// The house's faces; it is convex, so "outwards" is away from its centre.
std::vector<Polygon> house_faces() {
    const Point a{0, 0, 0}, b{4, 0, 0}, c{4, 3, 0}, d{0, 3, 0};          // floor
    const Point e{0, 0, 2}, f{4, 0, 2}, g{4, 3, 2}, h{0, 3, 2};          // eaves
    const Point r{0, 1.5f, 3}, s{4, 1.5f, 3};                            // ridge
    return {{a, b, c, d}, {a, b, f, e}, {d, c, g, h}, {e, f, s, r},
            {h, g, s, r}, {a, d, h, r, e}, {b, c, g, s, f}};
}

struct Facet {
    Point normal;
    Point vertices[3];
};

// A fan of triangles over each face, turned so that they face outwards.
std::vector<Facet> facets_of(const std::vector<Polygon>& faces) {
    const Point centre{2, 1.5f, 1.25f};
    std::vector<Facet> facets;
    for (const Polygon& face : faces) {
        for (std::size_t k = 1; k + 1 < face.size(); ++k) {
            Facet facet{{}, {face[0], face[k], face[k + 1]}};
            Point n = cross(minus(face[k], face[0]), minus(face[k + 1], face[0]));
            if (dot(n, minus(face[0], centre)) < 0) {
                std::swap(facet.vertices[1], facet.vertices[2]);
                n = {-n[0], -n[1], -n[2]};
            }
            const float length = std::sqrt(dot(n, n));
            facet.normal = {n[0] / length, n[1] / length, n[2] / length};
            facets.push_back(facet);
        }
    }
    return facets;
}

void put(std::vector<unsigned char>& bytes, const void* data, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    bytes.insert(bytes.end(), p, p + size);   // little-endian machine, as STL
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.stl\n", argv[0]);
        return 2;
    }
    const std::vector<Facet> facets = facets_of(house_faces());
    std::vector<unsigned char> bytes;
    char header[80] = {};
    std::snprintf(header, sizeof header, "stlwire sample mesh: a house, %zu facets", facets.size());
    put(bytes, header, sizeof header);
    const auto count = static_cast<uint32_t>(facets.size());
    put(bytes, &count, 4);
    for (const Facet& facet : facets) {
        put(bytes, facet.normal.data(), 12);
        for (const Point& v : facet.vertices) put(bytes, v.data(), 12);
        bytes.insert(bytes.end(), 2, 0);
    }
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) return 1;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written ? 0 : 1;
}
