#include "runtime/text_screen.h"

#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>

#include "runtime/cp437.h"
#include "runtime/line_input_screen.h"
#include "runtime/key_codes.h"
#include "runtime/run_state.h"
#include "runtime/screen_printing.h"

namespace {

constexpr auto bell_pause = std::chrono::milliseconds(250);

std::mutex screen_mutex;
ScreenPicture screen;

template <typename Change>
void change_screen(Change change) {
    std::lock_guard lock(screen_mutex);
    change(screen);
    ++screen.version;
}

void write_to_screen(const std::string& text) {
    if (text.empty()) return;
    change_screen([&](ScreenPicture& picture) { picture_write(picture, text); });
}

}  // namespace

ScreenPicture screen_snapshot() {
    std::lock_guard lock(screen_mutex);
    return screen;
}

void print_make_fit(const std::string& item) {
    if (error_pending()) return;
    change_screen([&](ScreenPicture& picture) { picture_make_fit(picture, item.size()); });
}

// Writes the text piece by piece, each piece ending with a bell; after
// each bell the program thread pauses without holding the screen.
void print_text(const std::string& text, bool end_row) {
    if (error_pending()) return;
    std::size_t start = 0;
    for (std::size_t bell; (bell = text.find(static_cast<char>(code_bell), start)) != std::string::npos;
         start = bell + 1) {
        write_to_screen(text.substr(start, bell + 1 - start));
        std::this_thread::sleep_for(bell_pause);
    }
    write_to_screen(text.substr(start));
    if (end_row) change_screen(picture_end_row);
}

void screen_use_bottom_row() {
    change_screen(picture_use_bottom_row);
}

void screen_reset() {
    std::lock_guard lock(screen_mutex);
    uint64_t version = screen.version;
    screen = ScreenPicture{};
    screen.version = version + 1;
}

std::string screen_text(const ScreenPicture& picture) {
    std::string text;
    std::size_t kept = 0;   // length of text up to the last row that is not blank
    for (const auto& row : picture.cells) {
        std::string line;
        for (const Cell& cell : row) line += static_cast<char>(cell.code);
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + '\n';
        if (!line.empty()) kept = text.size();
    }
    text.resize(kept);
    return text;
}

void screen_show_text_cursor(bool visible) {
    change_screen([&](ScreenPicture& picture) { picture.text_cursor_visible = visible; });
}

void screen_redraw(const ScreenPicture& start, const std::string& text, ScreenPicture& work) {
    work = start;
    picture_write(work, text);
    change_screen([&](ScreenPicture& picture) {
        work.text_cursor_visible = picture.text_cursor_visible;
        work.version = picture.version;
        picture = work;
    });
}

// No cell holds a line feed (printing takes one as the end of a row), so
// the rows convert as lines.
void write_screen_text(const ScreenPicture& picture) {
    const std::string text = cp437_lines_to_utf8(screen_text(picture));
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}
