// The scripted front end: keys from standard input, error boxes on
// standard error, the screen on standard output when the process ends.
#pragma once

#include "runtime/front_end.h"

// The front end for a run driven by a pipe or a file on standard input.
FrontEnd& scripted_front_end();
