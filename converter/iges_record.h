// Placing fields into IGES records (80-character texts) and the IGES
// string constant. Both placements are in-place overwrites (mid_statement):
// they never change the record's length and drop what would pass its end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// text's first character lands in column.
void place_from(std::string& record, int32_t column, std::string_view text);
// text's last character lands in column.
void place_ending_at(std::string& record, int32_t column, std::string_view text);

// The IGES string constant: the length, "H", the text (A.STL -> 5HA.STL).
std::string hollerith_string(std::string_view text);
