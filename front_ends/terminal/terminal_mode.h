// Taking the terminal for the text screen and giving it back.
#pragma once

#include <string>

// Raw mode (no echo, no canonical input, no signal keys, no flow control),
// the alternate screen, no automatic wrap, a blank screen. The keys come
// from standard input, which must be a terminal; the screen is drawn on
// standard output when that is a terminal, otherwise on the controlling
// terminal. False when there is no terminal for either.
bool take_terminal();
// Raw mode and the alternate screen again after restore_terminal (the
// process has been stopped and continued).
void take_terminal_back();
// Everything back as it was. Safe in a signal handler; does nothing the
// second time.
void restore_terminal();
// True when the screen is drawn on standard output, false when standard
// output goes elsewhere (a file, a pipe).
bool screen_on_standard_output();
// The terminal's size; false when it cannot be told.
bool terminal_size(int& columns, int& rows);
// Writes all of text to the terminal.
void write_terminal(const std::string& text);
