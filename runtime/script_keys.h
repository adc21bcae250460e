// Turns a byte stream from a terminal or a script into keys: CR LF, CR or
// LF is one Enter; the escape sequences of arrow, function and editing keys
// are two-code keys; a lone Esc is Esc; every other byte is its own code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/keyboard.h"

struct ScriptKeyDecoder {
    std::string pending;       // an escape sequence not yet complete
    bool after_cr = false;     // the last byte was CR: a following LF is part of it

    // Decodes one byte, appending the keys it completes.
    void feed(uint8_t byte, std::vector<Key>& keys);
    // No more bytes are coming soon: a pending lone Esc is a key of its own.
    void flush(std::vector<Key>& keys);
};
