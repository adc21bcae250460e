// The window's keys as the keyboard buffer gets them, and the box's keys.
#include <gtest/gtest.h>

#include <GLFW/glfw3.h>

#include "front_ends/window/window_keys.h"

namespace {

using Kind = WindowKeyAction::Kind;

struct KeyCase {
    const char* name;
    int glfw_key;
    int mods;
    Kind kind;
    int code;
    int scan;
};

}  // namespace

TEST(WindowKeys, KeysAsTheKeyboardBufferGetsThem) {
    const int num_lock = GLFW_MOD_NUM_LOCK;
    const KeyCase cases[] = {
        {"Enter", GLFW_KEY_ENTER, 0, Kind::key, 13, 0},
        {"keypad Enter", GLFW_KEY_KP_ENTER, num_lock, Kind::key, 13, 0},
        {"Backspace", GLFW_KEY_BACKSPACE, 0, Kind::key, 8, 0},
        {"Tab", GLFW_KEY_TAB, 0, Kind::key, 9, 0},
        {"Shift+Tab", GLFW_KEY_TAB, GLFW_MOD_SHIFT, Kind::key, 0, 15},
        {"Esc", GLFW_KEY_ESCAPE, 0, Kind::key, 27, 0},
        {"Ctrl+A", GLFW_KEY_A, GLFW_MOD_CONTROL, Kind::key, 1, 0},
        {"Ctrl+Shift+Z", GLFW_KEY_Z, GLFW_MOD_CONTROL | GLFW_MOD_SHIFT, Kind::key, 26, 0},
        {"Ctrl+[", GLFW_KEY_LEFT_BRACKET, GLFW_MOD_CONTROL, Kind::key, 27, 0},
        {"Up", GLFW_KEY_UP, 0, Kind::key, 0, 72},
        {"Down", GLFW_KEY_DOWN, 0, Kind::key, 0, 80},
        {"Left", GLFW_KEY_LEFT, 0, Kind::key, 0, 75},
        {"Right", GLFW_KEY_RIGHT, 0, Kind::key, 0, 77},
        {"Home", GLFW_KEY_HOME, 0, Kind::key, 0, 71},
        {"End", GLFW_KEY_END, 0, Kind::key, 0, 79},
        {"Page Up", GLFW_KEY_PAGE_UP, 0, Kind::key, 0, 73},
        {"Page Down", GLFW_KEY_PAGE_DOWN, 0, Kind::key, 0, 81},
        {"Insert", GLFW_KEY_INSERT, 0, Kind::key, 0, 82},
        {"Delete", GLFW_KEY_DELETE, 0, Kind::key, 0, 83},
        {"F1", GLFW_KEY_F1, 0, Kind::key, 0, 59},
        {"F10", GLFW_KEY_F10, 0, Kind::key, 0, 68},
        {"Shift+F1", GLFW_KEY_F1, GLFW_MOD_SHIFT, Kind::key, 0, 84},
        {"F12", GLFW_KEY_F12, 0, Kind::key, 0, 134},
        {"keypad 8 without Num Lock", GLFW_KEY_KP_8, 0, Kind::key, 0, 72},
        // Alt with a letter: the letter key's second code, in either case
        // (GLFW gives a capital as the same key with Shift or Caps Lock).
        {"Alt+A", GLFW_KEY_A, GLFW_MOD_ALT, Kind::key, 0, 30},
        {"Alt+Shift+A", GLFW_KEY_A, GLFW_MOD_ALT | GLFW_MOD_SHIFT, Kind::key, 0, 30},
        {"Alt+X", GLFW_KEY_X, GLFW_MOD_ALT, Kind::key, 0, 45},
        {"Alt+Z", GLFW_KEY_Z, GLFW_MOD_ALT, Kind::key, 0, 44},
        {"Alt+Z with Caps Lock", GLFW_KEY_Z, GLFW_MOD_ALT | GLFW_MOD_CAPS_LOCK, Kind::key, 0, 44},
        {"Pause", GLFW_KEY_PAUSE, 0, Kind::pause, 0, 0},
        {"Ctrl+Pause (Break)", GLFW_KEY_PAUSE, GLFW_MOD_CONTROL, Kind::ctrl_break, 0, 0},
        // Keys that enter nothing: modifiers and locks alone, and keys that
        // type a character, which comes through window_char_key.
        {"Shift", GLFW_KEY_LEFT_SHIFT, GLFW_MOD_SHIFT, Kind::nothing, 0, 0},
        {"right Ctrl", GLFW_KEY_RIGHT_CONTROL, GLFW_MOD_CONTROL, Kind::nothing, 0, 0},
        {"Alt", GLFW_KEY_LEFT_ALT, GLFW_MOD_ALT, Kind::nothing, 0, 0},
        {"AltGr", GLFW_KEY_RIGHT_ALT, 0, Kind::nothing, 0, 0},
        {"Caps Lock", GLFW_KEY_CAPS_LOCK, GLFW_MOD_CAPS_LOCK, Kind::nothing, 0, 0},
        {"Num Lock", GLFW_KEY_NUM_LOCK, 0, Kind::nothing, 0, 0},
        {"Scroll Lock", GLFW_KEY_SCROLL_LOCK, 0, Kind::nothing, 0, 0},
        {"A", GLFW_KEY_A, 0, Kind::nothing, 0, 0},
        {"Shift+A", GLFW_KEY_A, GLFW_MOD_SHIFT, Kind::nothing, 0, 0},
        // Alt with a key beside the letters: Space, and the keys whose GLFW
        // codes come just before A (=) and just after Z ([).
        {"Alt+Space", GLFW_KEY_SPACE, GLFW_MOD_ALT, Kind::nothing, 0, 0},
        {"Alt+=", GLFW_KEY_EQUAL, GLFW_MOD_ALT, Kind::nothing, 0, 0},
        {"Alt+[", GLFW_KEY_LEFT_BRACKET, GLFW_MOD_ALT, Kind::nothing, 0, 0},
        {"keypad 1 with Num Lock", GLFW_KEY_KP_1, num_lock, Kind::nothing, 0, 0},
    };
    for (const KeyCase& c : cases) {
        const WindowKeyAction action = window_key_action(c.glfw_key, c.mods);
        EXPECT_EQ(action.kind, c.kind) << c.name;
        if (c.kind != Kind::key) continue;
        EXPECT_EQ(action.key.code, c.code) << c.name;
        EXPECT_EQ(action.key.scan, c.scan) << c.name;
    }
}

TEST(WindowKeys, TypedCharactersAsCodePage437Codes) {
    const struct { char32_t code_point; int code; } cases[] = {
        {U'a', 'a'}, {U' ', 32}, {U'~', 126}, {U'"', 34}, {U',', 44},
        {U'\u00e9', 130},   // é
        {U'\u00c7', 128},   // Ç
        {U'\u2591', 176},   // light shade
        {U'\u00a0', 255},   // no-break space
        {U'\u263a', -1},    // ☺ is code 1, a control code: not a typed character
        {U'\u2302', -1},    // ⌂ is code 127, likewise
        {U'\u4e00', -1},    // not in code page 437
    };
    for (const auto& c : cases) {
        const auto key = window_char_key(c.code_point);
        if (c.code < 0) {
            EXPECT_FALSE(key.has_value()) << uint32_t(c.code_point);
        } else {
            ASSERT_TRUE(key.has_value()) << uint32_t(c.code_point);
            EXPECT_EQ(key->code, c.code);
            EXPECT_EQ(key->scan, 0);
        }
    }
}

TEST(WindowKeys, BoxKeys) {
    const struct { int key; bool yes_no; BoxKeyAction action; } cases[] = {
        {GLFW_KEY_Y, true, BoxKeyAction::yes},
        {GLFW_KEY_N, true, BoxKeyAction::no},
        {GLFW_KEY_TAB, true, BoxKeyAction::next_button},
        {GLFW_KEY_RIGHT, true, BoxKeyAction::next_button},
        {GLFW_KEY_ENTER, true, BoxKeyAction::press_focused},
        {GLFW_KEY_SPACE, true, BoxKeyAction::press_focused},
        {GLFW_KEY_ESCAPE, true, BoxKeyAction::nothing},
        {GLFW_KEY_X, true, BoxKeyAction::nothing},
        {GLFW_KEY_ENTER, false, BoxKeyAction::press_focused},
        {GLFW_KEY_ESCAPE, false, BoxKeyAction::ok},
        {GLFW_KEY_Y, false, BoxKeyAction::nothing},
        {GLFW_KEY_N, false, BoxKeyAction::nothing},
    };
    for (const auto& c : cases) EXPECT_EQ(box_key_action(c.key, c.yes_no), c.action) << c.key << " " << c.yes_no;
}
