#include "front_ends/scripted/scripted_front_end.h"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <vector>

#include "runtime/cp437.h"
#include "runtime/key_codes.h"
#include "runtime/keyboard.h"
#include "runtime/key_decoder.h"
#include "runtime/text_screen.h"

namespace {

// The box looks for its answer every 10 ms; a stop request does not end it.
constexpr KeyWatch box_key_watch{std::chrono::milliseconds(10), false, false};

// Texts go out in UTF-8, each code as its glyph, as a terminal shows them.
void write_lines(const std::string& title, const std::string& text) {
    const std::string lines = cp437_lines_to_utf8(title + "\n" + text + "\n");
    std::fwrite(lines.data(), 1, lines.size(), stderr);
    std::fflush(stderr);
}

class ScriptedFrontEnd final : public FrontEnd {
public:
    // Every key goes into the buffer as soon as it arrives, as typed ahead.
    void run_events() override {
        KeyDecoder decoder;
        decoder.source = ByteSource::script;
        std::vector<DecodedInput> keys;
        unsigned char bytes[4096];
        for (;;) {
            const ssize_t n = ::read(STDIN_FILENO, bytes, sizeof bytes);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            for (ssize_t i = 0; i < n; ++i) decode_byte(decoder, bytes[i], keys);
            decode_timeout(decoder, keys);
            for (const DecodedInput& input : keys) key_press(input.key);
            keys.clear();
        }
        decode_end(decoder, keys);
        for (const DecodedInput& input : keys) key_press(input.key);
        keyboard_mark_ended();
    }

    void show(const ScreenPicture&) override {}

    // Y, y or Enter answer Yes; N, n or Esc answer No; other keys are
    // ignored. With no input left the box counts as answered Yes.
    BoxAnswer error_box(const std::string& title, const std::string& text) override {
        write_lines(title, text);
        Key key;
        while (wait_for_key(key, box_key_watch) == KeyWait::key) {
            if (key.code == 'Y' || key.code == 'y' || key.code == code_enter) return BoxAnswer::yes;
            if (key.code == 'N' || key.code == 'n' || key.code == code_escape) return BoxAnswer::no;
        }
        return BoxAnswer::yes;
    }

    void critical_box(const std::string& title, const std::string& text) override {
        write_lines(title, text);
    }

    void finish(const ScreenPicture& picture) override { write_screen_text(picture); }
};

}  // namespace

FrontEnd& scripted_front_end() {
    static ScriptedFrontEnd front_end;
    return front_end;
}
