#include "runtime/script_keys.h"

#include <cstdlib>

namespace {

constexpr uint8_t escape = 27;

// Scan codes of the extended keys, as a PC keyboard reports them.
uint8_t scan_code(const std::string& sequence) {
    // sequence starts after ESC: "[A", "OP", "[15~", ...
    const char last = sequence.back();
    switch (last) {
    case 'A': return 72;   // up
    case 'B': return 80;   // down
    case 'C': return 77;   // right
    case 'D': return 75;   // left
    case 'H': return 71;   // home
    case 'F': return 79;   // end
    case 'P': return 59;   // F1
    case 'Q': return 60;   // F2
    case 'R': return 61;   // F3
    case 'S': return 62;   // F4
    default: break;
    }
    if (last == '~') {
        const int number = std::atoi(sequence.c_str() + 1);
        switch (number) {
        case 1: case 7: return 71;
        case 2: return 82;    // insert
        case 3: return 83;    // delete
        case 4: case 8: return 79;
        case 5: return 73;    // page up
        case 6: return 81;    // page down
        case 11: return 59; case 12: return 60; case 13: return 61; case 14: return 62;
        case 15: return 63; case 17: return 64; case 18: return 65; case 19: return 66;
        case 20: return 67; case 21: return 68; case 23: return 133; case 24: return 134;
        default: break;
        }
    }
    return 1;   // an extended key we do not name: still a two-code key
}

bool sequence_complete(const std::string& sequence) {
    if (sequence.size() < 2) return false;
    const unsigned char last = static_cast<unsigned char>(sequence.back());
    if (sequence[0] == 'O') return true;                   // SS3: one final byte
    return sequence.size() >= 2 && last >= 0x40 && last <= 0x7e;   // CSI final byte
}

}  // namespace

void ScriptKeyDecoder::feed(uint8_t byte, std::vector<Key>& keys) {
    if (!pending.empty() || byte == escape) {
        after_cr = false;
        if (byte == escape && pending.empty()) {
            pending.push_back(static_cast<char>(escape));
            return;
        }
        if (pending.size() == 1 && byte != '[' && byte != 'O') {
            keys.push_back(Key{escape, 0});   // a lone Esc, then this byte on its own
            pending.clear();
            feed(byte, keys);
            return;
        }
        pending.push_back(static_cast<char>(byte));
        const std::string sequence = pending.substr(1);
        if (sequence_complete(sequence)) {
            keys.push_back(Key{0, scan_code(sequence)});
            pending.clear();
        }
        return;
    }
    if (byte == '\n' && after_cr) {
        after_cr = false;
        return;
    }
    after_cr = byte == '\r';
    keys.push_back(Key{static_cast<uint8_t>(byte == '\n' ? '\r' : byte), 0});
}

void ScriptKeyDecoder::flush(std::vector<Key>& keys) {
    if (pending.size() == 1) keys.push_back(Key{escape, 0});
    else if (!pending.empty()) keys.push_back(Key{0, 1});
    pending.clear();
}
