// Placing fields into IGES records (80-character texts) and the IGES
// string constant. Both placements are in-place overwrites (mid_statement):
// they never change the record's length and drop what would pass its end.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "converter/text_services.h"

namespace iges_record_detail {
inline int32_t length_of(std::string_view text) {
    return static_cast<int32_t>(std::min<std::size_t>(text.size(), INT32_MAX));
}
}  // namespace iges_record_detail

// text's first character lands in column.
inline void place_from(std::string& record, int32_t column, std::string_view text) {
    mid_statement(record, column, iges_record_detail::length_of(text), text);
}

// text's last character lands in column.
inline void place_ending_at(std::string& record, int32_t column, std::string_view text) {
    const int32_t length = iges_record_detail::length_of(text);
    mid_statement(record, column + 1 - length, length, text);
}

// The IGES string constant: the length, "H", the text (A.STL -> 5HA.STL).
std::string hollerith_string(std::string_view text);
