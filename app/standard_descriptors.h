// The standard descriptors at the start of the process.
#pragma once

// Opens each of descriptors 0, 1 and 2 that is closed on /dev/null, so that
// no file the run opens can take one of them: what would be written to a
// closed output is dropped, and a closed input reads as ended. True when
// standard input was closed. Called before anything else opens a file.
bool open_closed_standard_descriptors();
