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

// Every field starts as the run's set-up leaves it: texts empty, numbers
// +0, record buffers 80 characters of code 0 until first assigned.
struct ConverterState {
    std::string stl_name;            // typed at step 88, trimmed at 99
    std::string igs_name;            // typed at step 90, trimmed at 100
    int32_t facet_count = 0;         // the STL count (steps 106, 203); the facet loops' limit
    double file_pos = 0;             // 1-based position of the next STL read; a whole number
    float read_value = 0;            // target of every 4-byte facet value read
    FacetValues facet_values{};      // the current facet's twelve values
    int64_t facet_no = 0;            // facet loop of the three passes
    int64_t value_no = 0;            // value loop 1 to 12; index into facet_values
    int64_t vertex_no = 0;           // vertex loop 1 to 3 of the first pass
    double vertex_x = 0, vertex_y = 0, vertex_z = 0;   // the first pass's current vertex
    double x_min = 0, x_max = 0, y_min = 0, y_max = 0, z_min = 0, z_max = 0;   // the bounding box
    float x_extent = 0, y_extent = 0, z_extent = 0;    // the box's extent on each axis
    float model_size = 0;            // the box's diagonal
    float resolution = 0;            // a ten-thousandth of model_size
    std::string work_text;           // scratch: number texts, joined texts, whole records
    std::string aux_text;            // scratch of G4 and G5: sizes, then date and time
    std::string record_line = record_buffer();   // G1, G3 and the Terminate record
    std::string blank_line = record_buffer();    // 80 blanks, to reset record_line
    std::string de_line1 = record_buffer();      // an entity's first Directory Entry record
    std::string de_line2 = record_buffer();      // and its second
    std::string pd_line = record_buffer();       // the Parameter Data record being built
    std::string pd_template = record_buffer();   // its template
    double link_no = 0;              // pointer counter of the entity records
    double sequence_no = 0;          // sequence number of the record being built
    int32_t de_line_count = 0;       // Directory Entry records (step 244)
    int32_t pd_line_count = 0;       // Parameter Data records (step 293)
};
