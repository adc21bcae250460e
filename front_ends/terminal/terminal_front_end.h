// The front end for a real terminal: the 80 by 25 text screen drawn in the
// terminal's alternate screen, keys read in raw mode, the error box drawn
// over the screen.
#pragma once

#include "runtime/front_end.h"

// Takes the terminal (raw mode, alternate screen, signal handlers) and
// returns the front end; nullptr when standard input is not a terminal or
// no terminal can be drawn on (terminal_mode.h). The terminal is given
// back by finish(), at exit, while the process is stopped and when a crash
// signal arrives.
FrontEnd* open_terminal_front_end();
