// The X display under GLFW: the errors of its requests and the loss of its
// connection. Xlib's own handlers end the process with exit code 1 on
// either: on an error, as when another program destroys the window, and
// when the X server ends or the connection breaks. Here neither ends it:
// the run ends as when the window is closed.
#pragma once

struct GLFWwindow;

// Installs the handlers on the open display; again after every window
// GLFW makes, since GLFW then puts Xlib's own error handler back.
//   An error of a request is passed over: a destroyed window is found by
//   window_exists.
//   A broken connection calls display_lost and then holds the thread that
//   met it for good: Xlib ends the process when this handler returns, and
//   the run is to end from the main loop. Only the event thread speaks to
//   the display, so that thread is the one held.
void handle_x_errors(void (*display_lost)());

// False once another program has destroyed the window (one round trip to
// the X server).
bool window_exists(GLFWwindow* window);
