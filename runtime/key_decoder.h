// The key decoder: turns the bytes of a terminal or of a script into keys.
// Plain bytes, UTF-8 characters of code page 437 and, from a terminal, the
// escape sequences of its extended keys, which become two-code keys with
// the PC keyboard's second code. The sequences it knows:
//
//   ESC [ p ; m A-D H F Z   arrows, Home, End, Shift+Tab (p ; m: ignored)
//   ESC O A-D H F P-S       arrows, Home, End, F1 to F4
//   ESC [ p ; m P-S         F1 to F4
//   ESC [ n ; m ~           Home, Insert, Delete, End, Page Up, Page Down,
//                           F1 to F12 by n (m, the modifiers: ignored)
//   ESC [ [ A-E             the Linux console's F1 to F5
//   ESC O M j-y X           the keypad in its application mode: Enter and
//                           * + , - . / 0 to 9 =, as the characters
//   ESC and a key           a terminal: Alt with that key (a script: Esc,
//                           then the key)
//   ESC alone               Esc, once a short wait has passed
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/key_codes.h"
#include "runtime/keyboard.h"

enum class InputKind { key, ctrl_break, pause };

struct DecodedInput {
    InputKind kind = InputKind::key;
    Key key{};
};

// Where the bytes come from. A terminal sends UTF-8, Ctrl+C and Ctrl+S.
// A script is UTF-8 too, its other bytes character codes as they stand
// (ASCII, and each byte that is not part of a UTF-8 character), and its
// CR LF, CR or LF each end a line with one Enter.
enum class ByteSource { terminal, script };

// The bytes of a sequence that has begun but not yet ended.
struct KeyDecoder {
    ByteSource source = ByteSource::terminal;
    std::string pending;
    bool after_cr = false;   // script: the last byte was CR, so LF belongs to it
};

// Takes one byte; appends whatever it completes to out.
void decode_byte(KeyDecoder& decoder, uint8_t byte, std::vector<DecodedInput>& out);
// No byte came for a short while: a lone Esc is the Esc key, a terminal's
// unfinished UTF-8 character is dropped (a script's waits for its next read).
void decode_timeout(KeyDecoder& decoder, std::vector<DecodedInput>& out);
// The bytes have ended: as decode_timeout, and a script's unfinished UTF-8
// character is its bytes' codes.
void decode_end(KeyDecoder& decoder, std::vector<DecodedInput>& out);
// True while a sequence waits for more bytes (the reader then waits only
// briefly before calling decode_timeout).
bool decoder_waiting(const KeyDecoder& decoder);
