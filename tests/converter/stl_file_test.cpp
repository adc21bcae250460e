// Opening the STL file and reading its facet count: the limit of
// 1,666,666 facets, held at the opening (step 94) and at each read of the
// count (steps 106 and 203), on the count's own four bytes.
#include "converter/stl_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "converter/converter_state.h"
#include "runtime/numbered_files.h"
#include "tests/support/pending_error.h"
#include "tests/support/stl_writer.h"
#include "tests/support/test_files.h"

namespace {

struct StlFile : ::testing::Test {
    TempFolder folder;
    void TearDown() override {
        close_all_files();
        take_error();
    }
};

// A quad of two facets in the plane 7x + 4y + 4z = 0, each with its true
// normal (the writer's default, (7, 4, 4) / 9), whatever the count says:
// the facets that a larger count adds read as zeros past the end.
const std::vector<StlFacet> two_facets = {
    {{0, 0, 0, 4, -7, 0, 0, 1, -1}},
    {{4, -7, 0, 4, -6, -1, 0, 1, -1}},
};

TEST_F(StlFile, CountLimitAtTheOpeningAndAtEachRead) {
    struct Case { uint32_t count; int32_t error; int32_t count_read; };
    const Case cases[] = {
        {2, 0, 2},                   // the whole file
        {1'666'666, 0, 1'666'666},   // the limit
        {1'666'667, 6, 0},           // one past it: Overflow, and no facet is read
    };
    for (const Case& c : cases) {
        const std::string path = folder / ("in" + std::to_string(c.count) + ".stl");
        write_bytes(path, stl_bytes_with_count(c.count, two_facets));
        open_stl_file(path);
        EXPECT_EQ(take_error(), c.error) << c.count << " at the opening";
        EXPECT_TRUE(file_is_open(stl_file_number)) << c.count;
        for (int read = 1; read <= 2; ++read) {
            int32_t count = -1;
            read_facet_count(count, 81);
            EXPECT_EQ(take_error(), c.error) << c.count << " at read " << read;
            EXPECT_EQ(count, c.count_read) << c.count << " at read " << read;
        }
        file_close(stl_file_number);
    }
}

}  // namespace
