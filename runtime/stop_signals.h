// The signals that end a run from outside, as the keyboard and the window
// would: SIGINT acts as Ctrl+Break, SIGTERM and SIGHUP as closing the
// window. The run then ends as after those, at its next end-of-step check,
// with exit code 0.
#pragma once

// Installs the handlers; each only sets its request in the run state. The
// process does this first, before any signal is unblocked, so that a stop
// that is pending at its start or comes early ends the run as any stop
// does. A signal ignored when the process started stays ignored.
void handle_stop_signals();
