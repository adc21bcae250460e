// Runs the converter in a child process of the test, in a folder of its
// own, with the scripted front end reading the given keys and a clock that
// the test chooses; collects the IGES file, the error boxes and the screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct StlFacet {
    float vertices[9];   // vertex 1, 2, 3 as x, y, z
};

// A binary STL file: 80 header bytes, the count, 50 bytes per facet.
std::string stl_bytes(const std::vector<StlFacet>& facets);
std::string stl_bytes(int32_t count, const std::vector<StlFacet>& facets);

struct ErrorBox {
    int error = 0;
    int line = 0;
    std::string message;
};

enum class TestClock { fixed, unreadable, system };

struct ConverterRun {
    int exit_code = -1;            // -1 when the child did not exit normally
    std::vector<ErrorBox> boxes;
    std::string screen;
    std::string folder;            // the run's folder; names are relative to it
};

// Types the two names (each followed by Enter) and then the further keys;
// the child's working directory is folder. The fixed clock reads
// 14 March 2024, 09:26:53.
ConverterRun run_converter(const std::string& folder, const std::string& stl_name,
                           const std::string& igs_name, TestClock clock = TestClock::fixed,
                           const std::string& further_keys = "");

// The file's records: each 80 characters followed by CR LF; fails the
// calling test when the file is not made of such records.
std::vector<std::string> iges_records(const std::string& bytes);

// A text padded with blanks to 72 columns, then the 8-character sequence field.
std::string record(const std::string& data, const std::string& sequence_field);
