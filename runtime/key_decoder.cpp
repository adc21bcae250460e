#include "runtime/key_decoder.h"

#include <string_view>

#include "runtime/cp437.h"

namespace {

constexpr size_t longest_sequence = 32;

DecodedInput key_of(uint8_t code, uint8_t scan = 0) {
    return {InputKind::key, Key{code, scan}};
}

// A script's byte: its own code, but for the line ends.
void script_byte(KeyDecoder& decoder, uint8_t byte, std::vector<DecodedInput>& out) {
    const bool joins_cr = byte == code_line_feed && decoder.after_cr;
    decoder.after_cr = byte == code_enter;
    if (joins_cr) return;
    out.push_back(key_of(byte == code_line_feed ? uint8_t{code_enter} : byte));
}

void plain_byte(uint8_t byte, std::vector<DecodedInput>& out) {
    switch (byte) {
    case 0: out.push_back(key_of(0, scan_null)); break;
    case code_ctrl_c: out.push_back({InputKind::ctrl_break, {}}); break;
    case code_ctrl_s: out.push_back({InputKind::pause, {}}); break;
    case code_delete: out.push_back(key_of(code_backspace)); break;
    // tmux sends the keypad's Enter as a line feed while the keypad is in
    // its numeric mode.
    case code_line_feed: out.push_back(key_of(code_enter)); break;
    default: out.push_back(key_of(byte)); break;
    }
}

// The final letter of a cursor or F1-F4 key (CSI or SS3 form); 0 if none.
uint8_t letter_scan(char final) {
    switch (final) {
    case 'A': return scan_up;
    case 'B': return scan_down;
    case 'C': return scan_right;
    case 'D': return scan_left;
    case 'H': return scan_home;
    case 'F': return scan_end;
    case 'Z': return scan_shift_tab;
    case 'P': return scan_f1;
    case 'Q': return scan_f1 + 1;
    case 'R': return scan_f1 + 2;
    case 'S': return scan_f1 + 3;
    default: return 0;
    }
}

// The number of "ESC [ n ~" (modifiers after a ';' do not matter).
uint8_t tilde_scan(int n) {
    switch (n) {
    case 1: case 7: return scan_home;
    case 2: return scan_insert;
    case 3: return scan_delete;
    case 4: case 8: return scan_end;
    case 5: return scan_page_up;
    case 6: return scan_page_down;
    case 11: case 12: case 13: case 14: case 15: return scan_f1 + (n - 11);
    case 17: case 18: case 19: case 20: case 21: return scan_f1 + 5 + (n - 17);
    case 23: return scan_f11;
    case 24: return scan_f12;
    default: return 0;
    }
}

int first_number(const std::string& params) {
    int n = 0;
    for (char c : params) {
        if (c < '0' || c > '9') break;
        n = n * 10 + (c - '0');
    }
    return n;
}

// The keypad in its application mode: ESC O and a final letter give the
// key's character (Enter, digits, operators); 0 for another final.
uint8_t keypad_code(char final) {
    static constexpr std::string_view characters = "*+,-./0123456789";   // finals j to y
    if (final == 'M') return code_enter;
    if (final == 'X') return '=';
    if (final >= 'j' && final <= 'y') return static_cast<uint8_t>(characters[final - 'j']);
    return 0;
}

// A whole sequence: ESC, the introducer ('[' or 'O'), parameters, final.
void finish_sequence(const std::string& sequence, char final, std::vector<DecodedInput>& out) {
    if (sequence.size() == 2 && sequence[1] == 'O') {
        if (const uint8_t code = keypad_code(final)) {
            out.push_back(key_of(code));
            return;
        }
    }
    uint8_t scan = 0;
    if (sequence.size() == 3 && sequence[2] == '[') {
        // The Linux console's F1 to F5: ESC [ [ A to E.
        if (final >= 'A' && final <= 'E') scan = scan_f1 + (final - 'A');
    } else if (final == '~') {
        if (sequence[1] == '[') scan = tilde_scan(first_number(sequence.substr(2)));
    } else {
        scan = letter_scan(final);
    }
    if (scan != 0) out.push_back(key_of(0, scan));
}

// The length of the UTF-8 character that lead begins; 0 when lead begins
// none (ASCII, a continuation byte, or a byte that UTF-8 never uses).
size_t utf8_length(uint8_t lead) {
    if (lead >= 0xC2 && lead < 0xE0) return 2;
    if (lead >= 0xE0 && lead < 0xF0) return 3;
    if (lead >= 0xF0 && lead < 0xF5) return 4;
    return 0;
}

// Whether byte continues the character begun by the pending bytes: a
// continuation byte, and after the lead byte none that would give an
// overlong form, a surrogate or a code point past U+10FFFF.
bool continues_utf8(const std::string& pending, uint8_t byte) {
    if ((byte & 0xC0) != 0x80) return false;
    if (pending.size() > 1) return true;
    switch (static_cast<uint8_t>(pending[0])) {
    case 0xE0: return byte >= 0xA0;
    case 0xED: return byte < 0xA0;
    case 0xF0: return byte >= 0x90;
    case 0xF4: return byte < 0x90;
    default: return true;
    }
}

char32_t utf8_code_point(const std::string& bytes) {
    auto b = [&](size_t i) { return static_cast<char32_t>(static_cast<uint8_t>(bytes[i])); };
    if (bytes.size() == 2) return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    if (bytes.size() == 3) return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
}

// The characters of code page 437 beyond ASCII become their codes; a glyph
// of a control code (such as the one for 8) is no character to type, and
// a character without a glyph is a key that gives no character.
void finish_utf8(const std::string& bytes, std::vector<DecodedInput>& out) {
    const int code = cp437_typed_code(utf8_code_point(bytes));
    if (code >= 0) out.push_back(key_of(static_cast<uint8_t>(code)));
}

// Bytes that are no UTF-8 character: a terminal's are dropped, a script's
// are each the code page 437 character of that byte.
void not_utf8(KeyDecoder& decoder, const std::string& bytes, std::vector<DecodedInput>& out) {
    if (decoder.source != ByteSource::script) return;
    for (char byte : bytes) script_byte(decoder, static_cast<uint8_t>(byte), out);
}

// A terminal's Alt: ESC sent before the key's own byte. As in the window,
// Alt with a letter is a two-code key that types nothing, Alt with another
// character gives nothing, and Alt with any other key (Enter, Backspace,
// Esc, an arrow, a Ctrl key) is that key; a character's further UTF-8
// bytes are then dropped as stray ones.
void alt_key(KeyDecoder& decoder, uint8_t byte, std::vector<DecodedInput>& out) {
    if (const uint8_t scan = alt_letter_scan(static_cast<char>(byte)))
        out.push_back(key_of(0, scan));
    else if (byte < code_blank || byte == code_delete)
        decode_byte(decoder, byte, out);
}

void continue_escape(KeyDecoder& decoder, uint8_t byte, std::vector<DecodedInput>& out) {
    std::string& pending = decoder.pending;
    if (pending.size() == 1) {
        if (byte == '[' || byte == 'O') {
            pending += static_cast<char>(byte);
            return;
        }
        pending.clear();
        if (decoder.source == ByteSource::terminal) {
            alt_key(decoder, byte, out);
            return;
        }
        // A script's Esc followed by another key: the Esc key, then that key.
        out.push_back(key_of(code_escape));
        decode_byte(decoder, byte, out);
        return;
    }
    bool csi = pending[1] == '[';
    bool opens_console_f_key = csi && pending.size() == 2 && byte == '[';
    bool parameter = csi && byte >= 0x20 && byte <= 0x3F;
    if ((opens_console_f_key || parameter) && pending.size() < longest_sequence) {
        pending += static_cast<char>(byte);
        return;
    }
    std::string sequence = pending;
    pending.clear();
    if (byte >= 0x40 && byte <= 0x7E) {
        finish_sequence(sequence, static_cast<char>(byte), out);
        return;
    }
    // Not a sequence after all: drop it and take the byte anew.
    decode_byte(decoder, byte, out);
}

void continue_utf8(KeyDecoder& decoder, uint8_t byte, std::vector<DecodedInput>& out) {
    std::string& pending = decoder.pending;
    if (!continues_utf8(pending, byte)) {
        const std::string cut = pending;
        pending.clear();
        not_utf8(decoder, cut, out);
        decode_byte(decoder, byte, out);
        return;
    }
    pending += static_cast<char>(byte);
    if (pending.size() == utf8_length(static_cast<uint8_t>(pending[0]))) {
        std::string bytes = pending;
        pending.clear();
        finish_utf8(bytes, out);
    }
}

}  // namespace

void decode_byte(KeyDecoder& decoder, uint8_t byte, std::vector<DecodedInput>& out) {
    const bool script = decoder.source == ByteSource::script;
    if (decoder.pending.empty()) {
        if (byte == code_escape || utf8_length(byte) != 0)
            decoder.pending = static_cast<char>(byte);
        else if (script)
            script_byte(decoder, byte, out);
        else if (byte < 0x80)
            plain_byte(byte, out);
        return;  // a terminal's stray continuation byte is dropped
    }
    decoder.after_cr = false;
    if (static_cast<uint8_t>(decoder.pending[0]) == code_escape)
        continue_escape(decoder, byte, out);
    else
        continue_utf8(decoder, byte, out);
}

void decode_timeout(KeyDecoder& decoder, std::vector<DecodedInput>& out) {
    if (decoder.pending.empty()) return;
    const bool escape = static_cast<uint8_t>(decoder.pending[0]) == code_escape;
    // A script's read may end inside a character; the next one goes on with it.
    if (!escape && decoder.source == ByteSource::script) return;
    std::string rest = decoder.pending;
    decoder.pending.clear();
    if (!escape) return;
    if (decoder.source == ByteSource::terminal && rest.size() > 1) {
        // Alt with '[' or 'O'; a sequence cut short is no key.
        if (rest.size() == 2) alt_key(decoder, static_cast<uint8_t>(rest[1]), out);
        return;
    }
    out.push_back(key_of(code_escape));
    for (size_t i = 1; i < rest.size(); ++i) plain_byte(static_cast<uint8_t>(rest[i]), out);
}

void decode_end(KeyDecoder& decoder, std::vector<DecodedInput>& out) {
    if (decoder.pending.empty() || static_cast<uint8_t>(decoder.pending[0]) == code_escape)
        return decode_timeout(decoder, out);
    const std::string cut = decoder.pending;
    decoder.pending.clear();
    not_utf8(decoder, cut, out);
}

bool decoder_waiting(const KeyDecoder& decoder) {
    return !decoder.pending.empty();
}
