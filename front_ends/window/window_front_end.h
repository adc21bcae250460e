// The window front end: a 640 by 400 window titled "Untitled" that shows
// the text screen through OpenGL (GLFW), with the error boxes as windows
// of their own.
#pragma once

#include "runtime/front_end.h"

// Opens the window on the calling thread, which must be the process's
// first thread and later runs run_events(). Returns nullptr, with nothing
// printed, when there is no display or no OpenGL context can be made.
FrontEnd* open_window_front_end();
