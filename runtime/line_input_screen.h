// The screen operations only the line input needs.
#pragma once

#include <string>

#include "runtime/screen_picture.h"

// Shows or hides the text cursor.
void screen_show_text_cursor(bool visible);
// Makes the screen the start picture with text printed on it (row not
// ended). The picture is made in work first, so a front end never sees it
// half made; the text cursor and the version go on from the screen's own.
void screen_redraw(const ScreenPicture& start, const std::string& text, ScreenPicture& work);
