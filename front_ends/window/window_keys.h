// The window's keys: GLFW key events and typed characters turned into the
// keys of the keyboard buffer, and the keys of the error box.
#pragma once

#include <optional>

#include "runtime/keyboard.h"

struct WindowKeyAction {
    enum class Kind { nothing, key, pause, ctrl_break };
    Kind kind = Kind::nothing;
    Key key{};
};

// A key pressed or repeated (GLFW key and modifier bits). Keys that type a
// character give nothing here: their character comes by window_char_key.
WindowKeyAction window_key_action(int glfw_key, int mods);

// A typed character (a Unicode code point) as its code page 437 code.
std::optional<Key> window_char_key(char32_t code_point);

enum class BoxKeyAction { nothing, yes, no, ok, next_button, press_focused };

// A key pressed in a box with Yes and No (yes_no) or with OK alone.
BoxKeyAction box_key_action(int glfw_key, bool yes_no);
