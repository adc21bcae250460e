// Taking the terminal for the text screen and giving it back.
#pragma once

#include <string>

// Raw mode (no echo, no canonical input, no signal keys, no flow control),
// the alternate screen, no automatic wrap, a blank screen. False when
// standard input and output are not both terminals.
bool take_terminal();
// Everything back as it was. Safe in a signal handler; does nothing the
// second time.
void restore_terminal();
// The terminal's size; false when it cannot be told.
bool terminal_size(int& columns, int& rows);
// Writes all of text to the terminal.
void write_terminal(const std::string& text);
