#include "runtime/cp437.h"

#include <array>

namespace {

// Glyphs of codes 0 to 31 (the symbols of the screen font) and 127 to 255.
constexpr char32_t low_glyphs[32] = {
    U' ',      U'\u263A', U'\u263B', U'\u2665', U'\u2666', U'\u2663', U'\u2660', U'\u2022',
    U'\u25D8', U'\u25CB', U'\u25D9', U'\u2642', U'\u2640', U'\u266A', U'\u266B', U'\u263C',
    U'\u25BA', U'\u25C4', U'\u2195', U'\u203C', U'\u00B6', U'\u00A7', U'\u25AC', U'\u21A8',
    U'\u2191', U'\u2193', U'\u2192', U'\u2190', U'\u221F', U'\u2194', U'\u25B2', U'\u25BC',
};

constexpr char32_t high_glyphs[129] = {
    U'\u2302',
    U'\u00C7', U'\u00FC', U'\u00E9', U'\u00E2', U'\u00E4', U'\u00E0', U'\u00E5', U'\u00E7',
    U'\u00EA', U'\u00EB', U'\u00E8', U'\u00EF', U'\u00EE', U'\u00EC', U'\u00C4', U'\u00C5',
    U'\u00C9', U'\u00E6', U'\u00C6', U'\u00F4', U'\u00F6', U'\u00F2', U'\u00FB', U'\u00F9',
    U'\u00FF', U'\u00D6', U'\u00DC', U'\u00A2', U'\u00A3', U'\u00A5', U'\u20A7', U'\u0192',
    U'\u00E1', U'\u00ED', U'\u00F3', U'\u00FA', U'\u00F1', U'\u00D1', U'\u00AA', U'\u00BA',
    U'\u00BF', U'\u2310', U'\u00AC', U'\u00BD', U'\u00BC', U'\u00A1', U'\u00AB', U'\u00BB',
    U'\u2591', U'\u2592', U'\u2593', U'\u2502', U'\u2524', U'\u2561', U'\u2562', U'\u2556',
    U'\u2555', U'\u2563', U'\u2551', U'\u2557', U'\u255D', U'\u255C', U'\u255B', U'\u2510',
    U'\u2514', U'\u2534', U'\u252C', U'\u251C', U'\u2500', U'\u253C', U'\u255E', U'\u255F',
    U'\u255A', U'\u2554', U'\u2569', U'\u2566', U'\u2560', U'\u2550', U'\u256C', U'\u2567',
    U'\u2568', U'\u2564', U'\u2565', U'\u2559', U'\u2558', U'\u2552', U'\u2553', U'\u256B',
    U'\u256A', U'\u2518', U'\u250C', U'\u2588', U'\u2584', U'\u258C', U'\u2590', U'\u2580',
    U'\u03B1', U'\u00DF', U'\u0393', U'\u03C0', U'\u03A3', U'\u03C3', U'\u00B5', U'\u03C4',
    U'\u03A6', U'\u0398', U'\u03A9', U'\u03B4', U'\u221E', U'\u03C6', U'\u03B5', U'\u2229',
    U'\u2261', U'\u00B1', U'\u2265', U'\u2264', U'\u2320', U'\u2321', U'\u00F7', U'\u2248',
    U'\u00B0', U'\u2219', U'\u00B7', U'\u221A', U'\u207F', U'\u00B2', U'\u25A0', U'\u00A0',
};

using Utf8 = std::array<char, 4>;

Utf8 encode_utf8(char32_t c) {
    Utf8 out{};
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
    } else if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

const std::array<Utf8, 256>& utf8_table() {
    static const std::array<Utf8, 256> table = [] {
        std::array<Utf8, 256> t{};
        for (int code = 0; code < 256; ++code)
            t[code] = encode_utf8(cp437_to_unicode(static_cast<uint8_t>(code)));
        return t;
    }();
    return table;
}

}  // namespace

char32_t cp437_to_unicode(uint8_t code) {
    if (code < 32) return low_glyphs[code];
    if (code < 127) return code;
    return high_glyphs[code - 127];
}

const char* cp437_to_utf8(uint8_t code) {
    return utf8_table()[code].data();
}

int cp437_from_unicode(char32_t code_point) {
    if (code_point >= 32 && code_point < 127) return static_cast<int>(code_point);
    for (int code = 1; code < 256; ++code)
        if ((code < 32 || code >= 127) && cp437_to_unicode(static_cast<uint8_t>(code)) == code_point)
            return code;
    return -1;
}

int cp437_typed_code(char32_t code_point) {
    const int code = cp437_from_unicode(code_point);
    return code < 32 || code == 127 ? -1 : code;
}

std::string cp437_lines_to_utf8(std::string_view codes) {
    std::string text;
    text.reserve(codes.size());
    for (char c : codes) {
        if (c == '\n') text += c;
        else text += cp437_to_utf8(static_cast<uint8_t>(c));
    }
    return text;
}
