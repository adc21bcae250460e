#include "converter/iges_record.h"

#include <algorithm>

#include "converter/number_text.h"
#include "runtime/run_state.h"

void string_assign(std::string& target, std::string_view source) {
    target.assign(source);
}

void string_assign(std::string& target, std::string_view source, FixedLength) {
    const std::size_t length = target.size();
    const std::size_t copied = std::min(length, source.size());
    target.replace(0, copied, source.substr(0, copied));
    target.replace(copied, length - copied, length - copied, ' ');
}

std::string string_concat(std::string_view a, std::string_view b) {
    std::string joined;
    joined.reserve(a.size() + b.size());
    joined.append(a);
    joined.append(b);
    return joined;
}

void mid_statement(std::string& target, int32_t start, int32_t count, std::string_view source) {
    if (error_pending()) return;
    int64_t first = start;
    int64_t wanted = count;
    int64_t skipped = 0;
    if (first < 1) {
        skipped = 1 - first;
        wanted -= skipped;
        first = 1;
    }
    const auto length = static_cast<int64_t>(target.size());
    const auto available = static_cast<int64_t>(source.size());
    if (wanted <= 0 || first > length || skipped >= available) return;
    const int64_t written = std::min({wanted, length - first + 1, available - skipped});
    std::copy_n(source.begin() + skipped, written, target.begin() + (first - 1));
}

void place_from(std::string& record, int32_t column, std::string_view text) {
    const auto length = static_cast<int32_t>(std::min<std::size_t>(text.size(), INT32_MAX));
    mid_statement(record, column, length, text);
}

void place_ending_at(std::string& record, int32_t column, std::string_view text) {
    const auto length = static_cast<int32_t>(std::min<std::size_t>(text.size(), INT32_MAX));
    mid_statement(record, column + 1 - length, length, text);
}

std::string mid_function(std::string_view text, int32_t start, int32_t count) {
    if (start < 1 || count <= 0 || static_cast<std::size_t>(start) > text.size()) return {};
    return std::string(text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(count)));
}

std::string hollerith_string(std::string_view text) {
    const std::string count = ltrim_spaces(int32_to_text(static_cast<int32_t>(text.size())));
    return string_concat(string_concat(count, "H"), text);
}
