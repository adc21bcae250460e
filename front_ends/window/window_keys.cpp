#include "front_ends/window/window_keys.h"

#include <GLFW/glfw3.h>

#include "runtime/cp437.h"
#include "runtime/key_codes.h"

namespace {

Key two_code(int scan) { return Key{0, static_cast<uint8_t>(scan)}; }
WindowKeyAction typed(Key key) { return {WindowKeyAction::Kind::key, key}; }
WindowKeyAction typed_code(int code) { return typed(Key{static_cast<uint8_t>(code), 0}); }

// Second codes of the PC keyboard's extended keys.
int navigation_scan(int glfw_key) {
    switch (glfw_key) {
    case GLFW_KEY_HOME: return scan_home;
    case GLFW_KEY_UP: return scan_up;
    case GLFW_KEY_PAGE_UP: return scan_page_up;
    case GLFW_KEY_LEFT: return scan_left;
    case GLFW_KEY_RIGHT: return scan_right;
    case GLFW_KEY_END: return scan_end;
    case GLFW_KEY_DOWN: return scan_down;
    case GLFW_KEY_PAGE_DOWN: return scan_page_down;
    case GLFW_KEY_INSERT: return scan_insert;
    case GLFW_KEY_DELETE: return scan_delete;
    default: return 0;
    }
}

// The keypad's keys while Num Lock is off.
int keypad_navigation_scan(int glfw_key) {
    switch (glfw_key) {
    case GLFW_KEY_KP_7: return scan_home;
    case GLFW_KEY_KP_8: return scan_up;
    case GLFW_KEY_KP_9: return scan_page_up;
    case GLFW_KEY_KP_4: return scan_left;
    case GLFW_KEY_KP_6: return scan_right;
    case GLFW_KEY_KP_1: return scan_end;
    case GLFW_KEY_KP_2: return scan_down;
    case GLFW_KEY_KP_3: return scan_page_down;
    case GLFW_KEY_KP_0: return scan_insert;
    case GLFW_KEY_KP_DECIMAL: return scan_delete;
    default: return 0;
    }
}

// F1 to F12; Shift, Ctrl and Alt move them to their own ranges.
int function_scan(int glfw_key, int mods) {
    if (glfw_key >= GLFW_KEY_F1 && glfw_key <= GLFW_KEY_F10) {
        const int n = glfw_key - GLFW_KEY_F1;
        if (mods & GLFW_MOD_ALT) return scan_alt_f1 + n;
        if (mods & GLFW_MOD_CONTROL) return scan_ctrl_f1 + n;
        if (mods & GLFW_MOD_SHIFT) return scan_shift_f1 + n;
        return scan_f1 + n;
    }
    if (glfw_key == GLFW_KEY_F11 || glfw_key == GLFW_KEY_F12) {
        const int n = glfw_key - GLFW_KEY_F11;
        if (mods & GLFW_MOD_ALT) return scan_alt_f11 + n;
        if (mods & GLFW_MOD_CONTROL) return scan_ctrl_f11 + n;
        if (mods & GLFW_MOD_SHIFT) return scan_shift_f11 + n;
        return scan_f11 + n;
    }
    return 0;
}

// Ctrl with a letter or a bracket: the control code of its character, the
// character's code less that of '@' (1 to 26, then 27 to 29). GLFW's codes
// of these keys are their characters' codes.
int control_code(int glfw_key) {
    const bool letter = glfw_key >= GLFW_KEY_A && glfw_key <= GLFW_KEY_Z;
    const bool bracket = glfw_key == GLFW_KEY_LEFT_BRACKET || glfw_key == GLFW_KEY_BACKSLASH ||
                         glfw_key == GLFW_KEY_RIGHT_BRACKET;
    return letter || bracket ? glfw_key - '@' : 0;
}

}  // namespace

WindowKeyAction window_key_action(int glfw_key, int mods) {
    if (glfw_key == GLFW_KEY_PAUSE)
        return {(mods & GLFW_MOD_CONTROL) ? WindowKeyAction::Kind::ctrl_break : WindowKeyAction::Kind::pause};
    switch (glfw_key) {
    case GLFW_KEY_ENTER: case GLFW_KEY_KP_ENTER: return typed_code(code_enter);
    case GLFW_KEY_BACKSPACE: return typed_code(code_backspace);
    case GLFW_KEY_ESCAPE: return typed_code(code_escape);
    case GLFW_KEY_TAB: return (mods & GLFW_MOD_SHIFT) ? typed(two_code(scan_shift_tab)) : typed_code(code_tab);
    default: break;
    }
    if (int scan = navigation_scan(glfw_key)) return typed(two_code(scan));
    if (int scan = function_scan(glfw_key, mods)) return typed(two_code(scan));
    if (!(mods & GLFW_MOD_NUM_LOCK))
        if (int scan = keypad_navigation_scan(glfw_key)) return typed(two_code(scan));
    if (mods & GLFW_MOD_CONTROL)
        if (int code = control_code(glfw_key)) return typed_code(code);
    if ((mods & GLFW_MOD_ALT) && !(mods & GLFW_MOD_CONTROL))
        if (glfw_key >= GLFW_KEY_A && glfw_key <= GLFW_KEY_Z)   // GLFW's codes of letters are theirs
            return typed(two_code(alt_letter_scan(static_cast<char>(glfw_key))));
    return {};
}

std::optional<Key> window_char_key(char32_t code_point) {
    const int code = cp437_typed_code(code_point);
    if (code < 0) return std::nullopt;   // control codes come as keys; their pictures type nothing
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
