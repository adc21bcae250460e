// The converter state: the one record of fields that every step works on,
// and the names that go with it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// The file numbers of the STL file and of the IGES file.
inline constexpr int stl_file_number = 12;
inline constexpr int igs_file_number = 13;

// The contact address of the banner and of the IGES Global section: it
// must stay 19 characters, which the Hollerith counts before it assume.
inline constexpr const char contact_address[] = "stlwire@example.com";
static_assert(sizeof contact_address - 1 == 19);

// The values of one facet, indexed 1 to 12: 1-3 the normal, then vertices
// 1, 2 and 3 as x, y, z; element 0 unused.
using FacetValues = std::array<float, 13>;

// A record buffer: 80 characters from its creation to the end of the run.
inline std::string record_buffer() { return std::string(80, '\0'); }

struct ConverterState {
    std::string stl_name;
    std::string igs_name;
    int32_t facet_count = 0;
    double file_pos = 0;
    float read_value = 0;
    FacetValues facet_values{};
    int64_t facet_no = 0;
    int64_t value_no = 0;
    int64_t vertex_no = 0;
    double vertex_x = 0, vertex_y = 0, vertex_z = 0;
    double x_min = 0, x_max = 0, y_min = 0, y_max = 0, z_min = 0, z_max = 0;
    float x_extent = 0, y_extent = 0, z_extent = 0;
    float model_size = 0;
    float resolution = 0;
    std::string work_text;
    std::string aux_text;
    std::string record_line = record_buffer();
    std::string blank_line = record_buffer();
    std::string de_line1 = record_buffer();
    std::string de_line2 = record_buffer();
    std::string pd_line = record_buffer();
    std::string pd_template = record_buffer();
    double link_no = 0;
    double sequence_no = 0;
    int32_t de_line_count = 0;
    int32_t pd_line_count = 0;
};
