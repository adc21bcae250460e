#include "converter/stl_file.h"

#include "converter/converter_state.h"

#include "runtime/numbered_files.h"
#include "runtime/run_state.h"
#include "runtime/runtime_errors.h"

namespace {
constexpr double count_position = 81;
}  // namespace

void open_stl_file(const std::string& name) {
    file_open(stl_file_number, name, FileMode::binary);
    if (error_pending()) return;
    // A count that cannot be read here is reported where it is read, at
    // steps 106 and 203.
    int32_t count = 0;
    if (file_try_get(stl_file_number, count_position, count) && count > max_facet_count) {
        raise_runtime_error(error_overflow);
    }
}

void read_facet_count(int32_t& facet_count, double position) {
    file_get(stl_file_number, position, facet_count);
    if (!error_pending() && facet_count > max_facet_count) {
        facet_count = 0;
        raise_runtime_error(error_overflow);
    }
}
