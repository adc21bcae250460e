#include "converter/iges_record.h"

#include "converter/number_text.h"

std::string hollerith_string(std::string_view text) {
    const NumberText count = int32_number_text(static_cast<int32_t>(text.size()));
    return string_concat(string_concat(count, "H"), text);
}
