#include "runtime/line_input.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <new>

#include "runtime/key_codes.h"
#include "runtime/keyboard.h"
#include "runtime/line_input_screen.h"
#include "runtime/run_frame.h"
#include "runtime/runtime_errors.h"
#include "runtime/text_screen.h"

namespace {

// A pause of 10 ms before each look at the keyboard buffer.
constexpr KeyWatch typing_watch{std::chrono::milliseconds(10), true, true};
constexpr std::size_t max_typed_length = 255;
constexpr int tab_width = 8;

// The typed text is one field; what it takes next depends on what it holds.
enum class FieldState { empty, plain, quoted_open, quoted_closed };

FieldState field_state(const std::string& typed) {
    if (typed.empty()) return FieldState::empty;
    if (typed.front() != code_double_quote) return FieldState::plain;
    return typed.find(code_double_quote, 1) == std::string::npos ? FieldState::quoted_open : FieldState::quoted_closed;
}

bool field_takes(FieldState state, char c) {
    switch (state) {
    case FieldState::empty:
    case FieldState::plain: return c != code_comma;
    case FieldState::quoted_open: return true;
    case FieldState::quoted_closed: return false;
    }
    return false;
}

// The typed text less the quotes around a quoted line; a closing quote
// can only be the last character, since nothing is taken after it.
std::string field_value(const std::string& typed) {
    switch (field_state(typed)) {
    case FieldState::quoted_open: return typed.substr(1);
    case FieldState::quoted_closed: return typed.substr(1, typed.size() - 2);
    default: return typed;
    }
}

struct LineEdit {
    std::string typed;
    const ScreenPicture& start;   // the screen when the input began
    ScreenPicture& work;          // where a redraw is made
};

// A refused character is neither stored nor printed, so screen and cursor
// stay as they were.
void add_character(LineEdit& edit, char c) {
    if (edit.typed.size() >= max_typed_length) return;
    if (!field_takes(field_state(edit.typed), c)) return;
    edit.typed += c;
    print_text(std::string(1, c), false);
}

void remove_character(LineEdit& edit) {
    if (edit.typed.empty()) return;
    edit.typed.pop_back();
    screen_redraw(edit.start, edit.typed, edit.work);
}

void add_tab(LineEdit& edit) {
    int blanks = tab_width - static_cast<int>(edit.typed.size() % tab_width);
    for (int i = 0; i < blanks; ++i) add_character(edit, code_blank);
}

// Handles one key; true for Enter.
bool handle_key(LineEdit& edit, Key key) {
    if (key.two_code()) return false;
    switch (key.code) {
    case code_enter: return true;
    case code_backspace: remove_character(edit); break;
    case code_tab: add_tab(edit); break;
    case code_bell: print_text(std::string(1, code_bell), false); break;   // pauses, shows nothing
    case code_line_feed: case code_home: case code_form_feed: case code_cursor_right:
    case code_cursor_left: case code_cursor_up: case code_cursor_down: break;
    default: add_character(edit, static_cast<char>(key.code));
    }
    return false;
}

// False when the program is being stopped. Once the key source has ended
// and the buffer is empty no key can come: that closes the program, and
// the stop follows.
bool wait_for_typed_key(Key& key) {
    for (;;) {
        switch (wait_for_key(key, typing_watch)) {
        case KeyWait::key: return true;
        case KeyWait::stopped: return false;
        case KeyWait::input_ended: request_close(); break;
        }
    }
}

bool read_typed_line(LineEdit& edit) {
    Key key;
    while (wait_for_typed_key(key))
        if (handle_key(edit, key)) return true;
    return false;
}

}  // namespace

bool input_statement(std::string& target) {
    if (error_pending()) return true;
    std::unique_ptr<ScreenPicture> start(new (std::nothrow) ScreenPicture);
    if (!start) raise_fatal_error(error_start_copy_memory);
    std::unique_ptr<ScreenPicture> work(new (std::nothrow) ScreenPicture);
    if (!work) raise_fatal_error(error_redraw_copy_memory);
    *start = screen_snapshot();
    LineEdit edit{{}, *start, *work};
    screen_show_text_cursor(true);
    bool entered = read_typed_line(edit);
    screen_show_text_cursor(false);
    if (!entered) return false;
    target = field_value(edit.typed);
    print_text("", true);
    return true;
}
