#include "front_ends/window/window_keys.h"

#include <GLFW/glfw3.h>

#include <string_view>

#include "runtime/cp437.h"

namespace {

Key two_code(int scan) { return Key{0, static_cast<uint8_t>(scan)}; }
WindowKeyAction typed(Key key) { return {WindowKeyAction::Kind::key, key}; }
WindowKeyAction typed_code(int code) { return typed(Key{static_cast<uint8_t>(code), 0}); }

// Second codes of the PC keyboard's extended keys.
int navigation_scan(int glfw_key) {
    switch (glfw_key) {
    case GLFW_KEY_HOME: return 71;
    case GLFW_KEY_UP: return 72;
    case GLFW_KEY_PAGE_UP: return 73;
    case GLFW_KEY_LEFT: return 75;
    case GLFW_KEY_RIGHT: return 77;
    case GLFW_KEY_END: return 79;
    case GLFW_KEY_DOWN: return 80;
    case GLFW_KEY_PAGE_DOWN: return 81;
    case GLFW_KEY_INSERT: return 82;
    case GLFW_KEY_DELETE: return 83;
    default: return 0;
    }
}

// The keypad's keys while Num Lock is off.
int keypad_navigation_scan(int glfw_key) {
    switch (glfw_key) {
    case GLFW_KEY_KP_7: return 71;
    case GLFW_KEY_KP_8: return 72;
    case GLFW_KEY_KP_9: return 73;
    case GLFW_KEY_KP_4: return 75;
    case GLFW_KEY_KP_6: return 77;
    case GLFW_KEY_KP_1: return 79;
    case GLFW_KEY_KP_2: return 80;
    case GLFW_KEY_KP_3: return 81;
    case GLFW_KEY_KP_0: return 82;
    case GLFW_KEY_KP_DECIMAL: return 83;
    default: return 0;
    }
}

// F1 to F10 are 59 to 68, F11 and F12 133 and 134; Shift, Ctrl and Alt
// move them to their own ranges.
int function_scan(int glfw_key, int mods) {
    if (glfw_key >= GLFW_KEY_F1 && glfw_key <= GLFW_KEY_F10) {
        const int n = glfw_key - GLFW_KEY_F1;
        if (mods & GLFW_MOD_ALT) return 104 + n;
        if (mods & GLFW_MOD_CONTROL) return 94 + n;
        if (mods & GLFW_MOD_SHIFT) return 84 + n;
        return 59 + n;
    }
    if (glfw_key == GLFW_KEY_F11 || glfw_key == GLFW_KEY_F12) {
        const int n = glfw_key - GLFW_KEY_F11;
        if (mods & GLFW_MOD_ALT) return 139 + n;
        if (mods & GLFW_MOD_CONTROL) return 137 + n;
        if (mods & GLFW_MOD_SHIFT) return 135 + n;
        return 133 + n;
    }
    return 0;
}

// Alt with a letter: the letter key's scan code as a two-code key.
int alt_letter_scan(int glfw_key) {
    static constexpr std::string_view rows = "QWERTYUIOP    ASDFGHJKL     ZXCVBNM";
    if (glfw_key < GLFW_KEY_A || glfw_key > GLFW_KEY_Z) return 0;
    return 16 + static_cast<int>(rows.find(static_cast<char>(glfw_key)));
}

// Ctrl with a letter or a bracket: the control codes 1 to 29.
int control_code(int glfw_key) {
    if (glfw_key >= GLFW_KEY_A && glfw_key <= GLFW_KEY_Z) return glfw_key - GLFW_KEY_A + 1;
    if (glfw_key == GLFW_KEY_LEFT_BRACKET) return 27;
    if (glfw_key == GLFW_KEY_BACKSLASH) return 28;
    if (glfw_key == GLFW_KEY_RIGHT_BRACKET) return 29;
    return 0;
}

}  // namespace

WindowKeyAction window_key_action(int glfw_key, int mods) {
    if (glfw_key == GLFW_KEY_PAUSE)
        return {(mods & GLFW_MOD_CONTROL) ? WindowKeyAction::Kind::ctrl_break : WindowKeyAction::Kind::pause};
    switch (glfw_key) {
    case GLFW_KEY_ENTER: case GLFW_KEY_KP_ENTER: return typed_code(13);
    case GLFW_KEY_BACKSPACE: return typed_code(8);
    case GLFW_KEY_ESCAPE: return typed_code(27);
    case GLFW_KEY_TAB: return (mods & GLFW_MOD_SHIFT) ? typed(two_code(15)) : typed_code(9);
    default: break;
    }
    if (int scan = navigation_scan(glfw_key)) return typed(two_code(scan));
    if (int scan = function_scan(glfw_key, mods)) return typed(two_code(scan));
    if (!(mods & GLFW_MOD_NUM_LOCK))
        if (int scan = keypad_navigation_scan(glfw_key)) return typed(two_code(scan));
    if (mods & GLFW_MOD_CONTROL)
        if (int code = control_code(glfw_key)) return typed_code(code);
    if ((mods & GLFW_MOD_ALT) && !(mods & GLFW_MOD_CONTROL))
        if (int scan = alt_letter_scan(glfw_key)) return typed(two_code(scan));
    return {};
}

std::optional<Key> window_char_key(char32_t code_point) {
    const int code = cp437_from_unicode(code_point);
    if (code < 32) return std::nullopt;   // control codes come as keys, not characters
    return Key{static_cast<uint8_t>(code), 0};
}

BoxKeyAction box_key_action(int glfw_key, bool yes_no) {
    switch (glfw_key) {
    case GLFW_KEY_Y: return yes_no ? BoxKeyAction::yes : BoxKeyAction::nothing;
    case GLFW_KEY_N: return yes_no ? BoxKeyAction::no : BoxKeyAction::nothing;
    case GLFW_KEY_ESCAPE: return yes_no ? BoxKeyAction::nothing : BoxKeyAction::ok;
    case GLFW_KEY_TAB: case GLFW_KEY_LEFT: case GLFW_KEY_RIGHT: return BoxKeyAction::next_button;
    case GLFW_KEY_ENTER: case GLFW_KEY_KP_ENTER: case GLFW_KEY_SPACE: return BoxKeyAction::press_focused;
    default: return BoxKeyAction::nothing;
    }
}
