#include "converter/iges_entity.h"

#include <algorithm>
#include <cstring>

#include "converter/text_services.h"

namespace {

// The most digits of a whole number written without a point or exponent, as
// in the full number text (below ten million). Readers take such a text as
// an integer, and longer ones overflow a 32-bit integer there.
constexpr std::size_t most_whole_digits = 7;

// A whole number of more than seven digits in exponent form: 6720050000
// becomes 6.72005E+09.
std::string whole_in_exponent_form(const std::string& text) {
    const std::size_t first = text[0] == '-' ? 1 : 0;
    const std::size_t digits = text.size() - first;
    if (digits <= most_whole_digits ||
        text.find_first_not_of("0123456789", first) != std::string::npos)
        return text;
    const std::size_t last = text.find_last_not_of('0');
    std::string exponent_text = text.substr(0, first + 1);
    if (last > first) exponent_text += "." + text.substr(first + 1, last - first);
    const std::size_t exponent = digits - 1;
    exponent_text += "E+";
    exponent_text += static_cast<char>('0' + exponent / 10);
    exponent_text += static_cast<char>('0' + exponent % 10);
    return exponent_text;
}

// digits 1 to 7: the number text with that many significant digits.
std::string point_text(float value, int digits) {
    return whole_in_exponent_form(ltrim_spaces(single_to_text_digits(value, digits)));
}

void join_points(std::string& target, const EdgePoints& points, int digits) {
    target.clear();
    for (std::size_t i = 0; i < points.size(); ++i) {
        target.append(point_text(points[i], digits));
        target.push_back(i + 1 < points.size() ? ',' : ';');
    }
}

// A full text that is too long is made again with fewer digits.
void shorten(std::string& target, const EdgePoints& points) {
    for (int digits = single_form.digits; digits >= 1 && target.size() > edge_text_limit; --digits)
        join_points(target, points, digits);
}

}  // namespace

// The edge of two points, through the same texts and joining as a facet's.
void edge_parameter_text(std::string& target, const EdgePoints& points) {
    FacetValues values{};
    std::copy(points.begin(), points.end(), values.begin() + 4);
    VertexTexts texts;
    make_vertex_texts(texts, values);
    edge_parameter_text(target, texts, values, 4, 7);
}

void make_vertex_texts(VertexTexts& texts, const FacetValues& values) {
    for (std::size_t element = 4; element <= 12; ++element) texts[element] = single_number_text(values[element]);
}

void edge_parameter_text(std::string& target, const VertexTexts& texts, const FacetValues& values,
                         int start_element, int end_element) {
    const int elements[6] = {start_element, start_element + 1, start_element + 2,
                             end_element,   end_element + 1,   end_element + 2};
    // Each text is copied as a fixed block of its longest size, which the
    // buffer's tail leaves room for; the next text overwrites the excess.
    constexpr std::size_t block = single_form.longest_text;
    char joined[6 * (block + 1) + block];
    char* out = joined;
    for (int i = 0; i < 6; ++i) {
        const NumberText& text = texts[static_cast<std::size_t>(elements[i])];
        std::memcpy(out, text.chars.data(), block);
        out += text.size;
        *out++ = i < 5 ? ',' : ';';
    }
    string_assign(target, std::string_view(joined, static_cast<std::size_t>(out - joined)));
    if (target.size() <= edge_text_limit) return;
    const auto at = [&](int i) { return values[static_cast<std::size_t>(elements[i])]; };
    shorten(target, {at(0), at(1), at(2), at(3), at(4), at(5)});
}
