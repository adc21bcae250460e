// Every key code the runtime names, said once: the character codes of the
// keys and controls that something acts on, and the second codes of the
// two-code keys (the PC keyboard's scan codes: arrows, function keys, ...).
#pragma once

#include <cstdint>
#include <string_view>

// Character codes.
enum KeyCode : uint8_t {
    code_ctrl_c = 3,          // a terminal's Ctrl+C: Ctrl+Break
    code_bell = 7,
    code_backspace = 8,
    code_tab = 9,
    code_line_feed = 10,
    code_home = 11,           // print_text: cursor to the area's top left
    code_form_feed = 12,      // print_text: clears the scrolling area
    code_enter = 13,          // also carriage return
    code_ctrl_s = 19,         // a terminal's Ctrl+S: Pause
    code_escape = 27,
    code_cursor_right = 28,   // print_text's cursor moves
    code_cursor_left = 29,
    code_cursor_up = 30,
    code_cursor_down = 31,
    code_blank = 32,
    code_double_quote = 34,
    code_comma = 44,
    code_delete = 127,        // a terminal's Backspace key
};

// Second codes of the two-code keys, whose first code is 0.
enum ScanCode : uint8_t {
    scan_null = 3,            // Ctrl+@
    scan_shift_tab = 15,
    scan_alt_q = 16,          // Alt+letter: 16 to 50, by the keyboard's rows
    scan_f1 = 59,             // F1 to F10: 59 to 68
    scan_home = 71,
    scan_up = 72,
    scan_page_up = 73,
    scan_left = 75,
    scan_right = 77,
    scan_end = 79,
    scan_down = 80,
    scan_page_down = 81,
    scan_insert = 82,
    scan_delete = 83,
    scan_shift_f1 = 84,       // Shift+F1 to F10: 84 to 93
    scan_ctrl_f1 = 94,        // Ctrl+F1 to F10: 94 to 103
    scan_alt_f1 = 104,        // Alt+F1 to F10: 104 to 113
    scan_f11 = 133,
    scan_f12 = 134,
    scan_shift_f11 = 135,
    scan_ctrl_f11 = 137,
    scan_alt_f11 = 139,
};

// Alt with a letter, either case: the second code of the letter's key, by
// the keyboard's rows (Q to P 16 to 25, A to L 30 to 38, Z to M 44 to 50);
// 0 for any other character.
inline uint8_t alt_letter_scan(char letter) {
    static constexpr std::string_view rows = "QWERTYUIOP    ASDFGHJKL     ZXCVBNM";
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    if (letter < 'A' || letter > 'Z') return 0;
    return static_cast<uint8_t>(scan_alt_q + rows.find(letter));
}
