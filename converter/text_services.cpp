#include "converter/text_services.h"

#include <algorithm>

#include "runtime/run_state.h"

void string_assign(std::string& target, std::string_view source) {
    target.assign(source);
}

void string_assign(std::string& target, std::string_view source, FixedLength) {
    const std::size_t copied = std::min(target.size(), source.size());
    std::copy_n(source.data(), copied, target.data());
    std::fill(target.data() + copied, target.data() + target.size(), ' ');
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

std::string mid_function(std::string_view text, int32_t start, int32_t count) {
    if (start < 1 || count <= 0 || static_cast<std::size_t>(start) > text.size()) return {};
    return std::string(text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(count)));
}

std::string ltrim_spaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    return std::string(first == std::string_view::npos ? std::string_view() : text.substr(first));
}

std::string rtrim_spaces(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return std::string(last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1));
}
