#include "converter/iges_entity.h"

#include "converter/number_text.h"

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

// digits 0: the full number text; 1 to 7: that many significant digits.
std::string point_text(float value, int digits) {
    if (digits == 0) return ltrim_spaces(single_to_text(value));
    return whole_in_exponent_form(ltrim_spaces(single_to_text_digits(value, digits)));
}

void join_points(std::string& target, const EdgePoints& points, int digits) {
    target.clear();
    for (std::size_t i = 0; i < points.size(); ++i) {
        target.append(point_text(points[i], digits));
        target.push_back(i + 1 < points.size() ? ',' : ';');
    }
}

}  // namespace

void edge_parameter_text(std::string& target, const EdgePoints& points) {
    join_points(target, points, 0);
    for (int digits = 7; digits >= 1 && target.size() > edge_text_limit; --digits)
        join_points(target, points, digits);
}

void edge_parameter_text(std::string& target, const FacetValues& values, int start_element,
                         int end_element) {
    const auto at = [&](int element) { return values[static_cast<std::size_t>(element)]; };
    edge_parameter_text(target, {at(start_element), at(start_element + 1), at(start_element + 2),
                                 at(end_element), at(end_element + 1), at(end_element + 2)});
}
