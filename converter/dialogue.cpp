#include "converter/dialogue.h"

#include "runtime/run_state.h"
#include "runtime/text_screen.h"

void print_item(const std::string& item) {
    if (error_pending()) return;
    print_make_fit(item);
    print_text(item, false);
}

void print_row(const std::string& text) {
    print_item(text);
    print_empty_row();
}

void print_empty_row() { print_text("", true); }
