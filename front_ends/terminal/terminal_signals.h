// The signals the terminal front end answers. Their handlers only write one
// byte to a pipe, which the input thread reads and acts on; crash signals
// give the terminal back and then end the process as they would have.
#pragma once

constexpr char signal_resized = 'W';   // SIGWINCH
constexpr char signal_close = 'C';     // SIGHUP, SIGTERM
constexpr char signal_break = 'B';     // SIGINT

// Installs the handlers; returns the pipe's read end (non-blocking), or -1.
int install_terminal_signals();
