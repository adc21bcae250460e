// The printing rules on one screen picture: writing at the cursor, the
// wrap after column 80, scrolling of the scrolling area, control codes.
// No lock and no waiting: the global screen and the line input's redraw
// copy both use these.
#pragma once

#include <cstddef>
#include <string>

#include "runtime/screen_picture.h"

// Moves the cursor to column 1 of the next row; below the scrolling area's
// last row the area scrolls up by one row instead.
void picture_begin_row(ScreenPicture& picture);
// Ends the row first when an item of that length would run past column 80.
void picture_make_fit(ScreenPicture& picture, std::size_t item_length);
// Writes the text at the cursor. Code 7 (the bell) writes no cell, but
// like a character it begins the row that a pending wrap holds back;
// sounding it is the caller's part.
void picture_write(ScreenPicture& picture, const std::string& text);
// Ends the row: the next text starts in column 1 of the next row.
void picture_end_row(ScreenPicture& picture);
// Makes row 25 the whole scrolling area and begins a new row in it.
void picture_use_bottom_row(ScreenPicture& picture);
