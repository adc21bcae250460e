// Turns the bytes a terminal sends into keys: plain bytes, UTF-8 characters
// of code page 437, and the escape sequences of the extended keys, which
// become two-code keys with the PC keyboard's second code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/keyboard.h"

// Second codes of the two-code keys.
constexpr uint8_t scan_shift_tab = 15;
constexpr uint8_t scan_f1 = 59;     // F1 to F10 are 59 to 68
constexpr uint8_t scan_home = 71;
constexpr uint8_t scan_up = 72;
constexpr uint8_t scan_page_up = 73;
constexpr uint8_t scan_left = 75;
constexpr uint8_t scan_right = 77;
constexpr uint8_t scan_end = 79;
constexpr uint8_t scan_down = 80;
constexpr uint8_t scan_page_down = 81;
constexpr uint8_t scan_insert = 82;
constexpr uint8_t scan_delete = 83;
constexpr uint8_t scan_f11 = 133;
constexpr uint8_t scan_f12 = 134;
constexpr uint8_t scan_null = 3;    // Ctrl+@ (byte 0)

enum class InputKind { key, ctrl_break, pause };

struct TerminalInput {
    InputKind kind = InputKind::key;
    Key key{};
};

// Where the bytes come from. A terminal sends UTF-8, Ctrl+C and Ctrl+S;
// a script's bytes are character codes as they stand, and its CR LF, CR
// or LF each end a line with one Enter.
enum class ByteSource { terminal, script };

// The bytes of a sequence that has begun but not yet ended.
struct KeyDecoder {
    ByteSource source = ByteSource::terminal;
    std::string pending;
    bool after_cr = false;   // script: the last byte was CR, so LF belongs to it
};

// Takes one byte; appends whatever it completes to out.
void decode_byte(KeyDecoder& decoder, uint8_t byte, std::vector<TerminalInput>& out);
// No byte came for a short while: a lone Esc is the Esc key, an unfinished
// UTF-8 character is dropped.
void decode_timeout(KeyDecoder& decoder, std::vector<TerminalInput>& out);
// True while a sequence waits for more bytes (the reader then waits only
// briefly before calling decode_timeout).
bool decoder_waiting(const KeyDecoder& decoder);
