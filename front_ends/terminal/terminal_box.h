// The message box of the terminal: drawn over the text screen, answered
// with the keyboard.
#pragma once

#include <string>
#include <vector>

#include "runtime/keyboard.h"
#include "runtime/text_screen.h"

struct MessageBox {
    std::string title;
    std::vector<std::string> lines;
    std::vector<std::string> buttons;   // "Yes", "No"; or "OK"
    int selected = 0;
};

// A box whose text lines are text split at its line feeds.
MessageBox make_message_box(const std::string& title, const std::string& text,
                            std::vector<std::string> buttons);

// Draws the box centred over picture (the picture's own cells are the
// screen under it) and hides the text cursor.
void draw_message_box(ScreenPicture& picture, const MessageBox& box);

// One key while the box is open: a button's first letter chooses it; Left,
// Right, Tab and Shift+Tab move the selection; Enter or a blank chooses the
// selected button; Esc closes a box with one button. Returns the chosen
// button's index, or -1 while the box stays open.
int message_box_key(MessageBox& box, Key key);
