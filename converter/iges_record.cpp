#include "converter/iges_record.h"

#include <algorithm>

#include "converter/number_text.h"
#include "converter/text_services.h"

namespace {

int32_t length_of(std::string_view text) {
    return static_cast<int32_t>(std::min<std::size_t>(text.size(), INT32_MAX));
}

}  // namespace

void place_from(std::string& record, int32_t column, std::string_view text) {
    mid_statement(record, column, length_of(text), text);
}

void place_ending_at(std::string& record, int32_t column, std::string_view text) {
    const int32_t length = length_of(text);
    mid_statement(record, column + 1 - length, length, text);
}

std::string hollerith_string(std::string_view text) {
    const NumberText count = int32_number_text(static_cast<int32_t>(text.size()));
    return string_concat(string_concat(count, "H"), text);
}
