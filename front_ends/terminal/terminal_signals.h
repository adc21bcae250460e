// The signals the terminal front end answers. SIGINT, SIGTERM and SIGHUP
// end the run as in the other front ends (runtime/stop_signals.h). The
// handlers of the others only write one byte to a pipe, which the input
// thread reads and acts on; crash signals give the terminal back and then
// end the process as they would have.
#pragma once

constexpr char signal_resized = 'W';     // SIGWINCH
constexpr char signal_stop = 'Z';        // SIGTSTP
constexpr char signal_continued = 'G';   // SIGCONT

// Installs the handlers; returns the pipe's read end (non-blocking), or -1.
int install_terminal_signals();

// True once for a SIGTSTP that no SIGCONT has followed yet.
bool take_stop_signal();
// Stops the process as SIGTSTP does by default and returns once it
// continues: true when SIGCONT has been seen by then. False also when the
// process was not stopped at all (the kernel does not stop an orphaned
// process group).
bool stop_process();
