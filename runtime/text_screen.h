// The 80 by 25 text screen of the run: one picture, shared by the program
// thread that prints on it and the front ends that show it.
#pragma once

#include <string>

#include "runtime/screen_picture.h"

// A consistent copy for the front ends (taken under the screen's lock).
ScreenPicture screen_snapshot();

// Printing, as the converter uses it.
void print_make_fit(const std::string& item);
void print_text(const std::string& text, bool end_row);

// The end-of-run prompt's bottom row: makes row 25 the whole scrolling
// area and begins a new row in it.
void screen_use_bottom_row();

// Back to the empty screen of a new run (tests).
void screen_reset();

// The rows 1..last non-blank row, each without trailing blanks, LF-ended.
std::string screen_text(const ScreenPicture& picture);

// Those rows in UTF-8, each code as its glyph, on standard output: how a
// run whose screen is not on standard output leaves its last screen there.
void write_screen_text(const ScreenPicture& picture);
