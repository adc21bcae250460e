// Every control sequence the terminal front end sends, said once here.
// They are ECMA-48 sequences and xterm's private modes, which current
// terminals (xterm, VTE, tmux, the Linux console) all know:
//
//   ESC [ ? 1049 h     alternate screen on: the shell's screen is kept aside
//   ESC [ ? 1049 l     alternate screen off: the shell's screen comes back
//   ESC [ ? 7 l        automatic wrap off: a glyph in column 80 never scrolls
//   ESC [ ? 7 h        automatic wrap on again
//   ESC [ ? 25 l       text cursor hidden
//   ESC [ ? 25 h       text cursor shown
//   ESC [ 0 m          the terminal's own colours
//   ESC [ 0 ; f ; b m  a cell's colours: f 30-37 or 90-97, b 40-47 or 100-107
//   ESC [ H            cursor to the top left cell
//   ESC [ r ; c H      cursor to row r, column c (from 1)
//   ESC [ 2 J          the whole screen blank
//   CAN                ends any sequence that a crash has cut short
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace terminal_sequence {

inline constexpr std::string_view alternate_screen_on = "\x1b[?1049h";
inline constexpr std::string_view alternate_screen_off = "\x1b[?1049l";
inline constexpr std::string_view wrap_off = "\x1b[?7l";
inline constexpr std::string_view wrap_on = "\x1b[?7h";
inline constexpr std::string_view cursor_hidden = "\x1b[?25l";
inline constexpr std::string_view cursor_shown = "\x1b[?25h";
inline constexpr std::string_view own_colours = "\x1b[0m";
inline constexpr std::string_view cursor_home = "\x1b[H";
inline constexpr std::string_view screen_blank = "\x1b[2J";
inline constexpr std::string_view cancel = "\x18";

// Several sequences as one text, sent by one write.
inline std::string joined(std::initializer_list<std::string_view> sequences) {
    std::string text;
    for (std::string_view sequence : sequences) text += sequence;
    return text;
}

// ESC [ r ; c H
inline std::string cursor_to(int row, int column) {
    return "\x1b[" + std::to_string(row) + ";" + std::to_string(column) + "H";
}

// ESC [ 0 ; f ; b m
inline std::string colours(int foreground_code, int background_code) {
    return "\x1b[0;" + std::to_string(foreground_code) + ";" + std::to_string(background_code) + "m";
}

}  // namespace terminal_sequence
