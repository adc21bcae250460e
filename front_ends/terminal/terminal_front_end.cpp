#include "front_ends/terminal/terminal_front_end.h"

#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <poll.h>
#include <unistd.h>
#include <vector>

#include "runtime/key_codes.h"
#include "runtime/keyboard.h"
#include "runtime/run_state.h"
#include "runtime/text_screen.h"
#include "front_ends/terminal/terminal_box.h"
#include "runtime/key_decoder.h"
#include "front_ends/terminal/terminal_mode.h"
#include "front_ends/terminal/terminal_render.h"
#include "front_ends/terminal/terminal_sequences.h"
#include "front_ends/terminal/terminal_signals.h"

namespace {

// How long a lone Esc waits for the rest of an escape sequence.
constexpr int escape_wait_ms = 50;
constexpr int yes_button = 0;
constexpr int no_button = 1;

std::string enlarge_request(int columns, int rows) {
    std::string text = "Please enlarge the terminal to 80 by 25 (it is " + std::to_string(columns) +
                       " by " + std::to_string(rows) + ").";
    if (static_cast<int>(text.size()) > columns) text.resize(columns);
    namespace ts = terminal_sequence;
    return ts::joined({ts::own_colours, ts::cursor_hidden, ts::cursor_home, ts::screen_blank}) + text;
}

class TerminalFrontEnd final : public FrontEnd {
public:
    explicit TerminalFrontEnd(int wake_fd) : wake_fd_(wake_fd) {
        std::lock_guard lock(mutex_);
        check_size();
    }

    void run_events() override {
        for (;;) handle_events();
    }

    void show(const ScreenPicture& picture) override {
        std::lock_guard lock(mutex_);
        latest_ = picture;
        present();
    }

    BoxAnswer error_box(const std::string& title, const std::string& text) override {
        MessageBox box = make_message_box(title, text, {"Yes", "No"});
        return ask(box) == no_button ? BoxAnswer::no : BoxAnswer::yes;
    }

    void critical_box(const std::string& title, const std::string& text) override {
        MessageBox box = make_message_box(title, text, {"OK"});
        ask(box);
    }

    // Standard output that is not the terminal receives the last screen as
    // text, as a scripted run writes it.
    void finish(const ScreenPicture& picture) override {
        std::lock_guard lock(mutex_);
        finished_ = true;
        restore_terminal();
        if (!screen_on_standard_output()) write_screen_text(picture);
    }

private:
    // Waits for what comes next (a key, a signal, the end of an escape
    // sequence) and acts on it.
    void handle_events() {
        pollfd fds[2] = {{wake_fd_, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        int count = input_open_ ? 2 : 1;
        int timeout = decoder_waiting(decoder_) ? escape_wait_ms : -1;
        int ready = poll(fds, count, timeout);
        if (ready < 0) return;   // EINTR: a signal, which the pipe tells
        if (ready == 0) {
            std::vector<DecodedInput> inputs;
            decode_timeout(decoder_, inputs);
            dispatch(inputs);
            return;
        }
        if (fds[0].revents & POLLIN) read_signals();
        if (count == 2 && fds[1].revents) read_keys();
    }

    // Shows box and waits until it is answered; a box that cannot be shown
    // (the terminal is gone) answers with its first button. On the thread
    // of the events, before they run (the runtime could not start its
    // threads), the events are handled here until the answer comes.
    int ask(MessageBox& box) {
        if (std::this_thread::get_id() == events_thread_) return ask_here(box);
        std::unique_lock lock(mutex_);
        box_changed_.wait(lock, [&] { return box_ == nullptr; });
        if (!input_open_ || finished_) return yes_button;
        box_ = &box;
        box_answer_ = -1;
        present();
        box_changed_.wait(lock, [&] { return box_answer_ >= 0; });
        int answer = box_answer_;
        box_ = nullptr;
        present();
        box_changed_.notify_all();
        return answer;
    }

    int ask_here(MessageBox& box) {
        {
            std::lock_guard lock(mutex_);
            if (!input_open_ || finished_) return yes_button;
            box_ = &box;
            box_answer_ = -1;
            present();
        }
        for (;;) {
            {
                std::lock_guard lock(mutex_);
                if (box_answer_ >= 0) {
                    box_ = nullptr;
                    present();
                    return box_answer_;
                }
            }
            handle_events();
        }
    }

    // Brings the terminal up to date; the caller holds the lock.
    void present() {
        if (finished_ || suspended_) return;
        if (!size_fits_) {
            std::string request = enlarge_request(columns_, rows_);
            if (request != enlarge_shown_) write_terminal(request);
            enlarge_shown_ = request;
            view_.known = false;
            return;
        }
        enlarge_shown_.clear();
        ScreenPicture frame = latest_;
        if (box_ != nullptr) draw_message_box(frame, *box_);
        write_terminal(render_changes(view_, frame));
    }

    // The caller holds the lock.
    void check_size() {
        int columns = screen_columns, rows = screen_rows;
        if (!terminal_size(columns, rows)) columns = screen_columns, rows = screen_rows;
        if (columns != columns_ || rows != rows_) view_.known = false;
        columns_ = columns;
        rows_ = rows;
        size_fits_ = columns >= screen_columns && rows >= screen_rows;
    }

    void read_signals() {
        char bytes[64];
        ssize_t n = read(wake_fd_, bytes, sizeof bytes);
        for (ssize_t i = 0; i < n; ++i) {
            if (bytes[i] == signal_resized) {
                std::lock_guard lock(mutex_);
                check_size();
                present();
            }
            if (bytes[i] == signal_stop && take_stop_signal()) stop();
            if (bytes[i] == signal_continued) take_back();
        }
    }

    // Stopped from outside: the terminal goes back to the shell as at the
    // end of a run until the process is continued.
    void stop() {
        {
            std::lock_guard lock(mutex_);
            if (finished_) return;
            suspended_ = true;
            restore_terminal();
        }
        if (!stop_process()) take_back();   // else the SIGCONT that continued it does
    }

    // Continued: the terminal is taken again and the whole screen drawn, as
    // whatever the shell showed meanwhile is on it.
    void take_back() {
        std::lock_guard lock(mutex_);
        if (finished_) return;
        suspended_ = false;
        take_terminal_back();
        check_size();
        repaint();
    }

    // Draws every cell anew; the caller holds the lock.
    void repaint() {
        view_.known = false;
        enlarge_shown_.clear();
        present();
    }

    void read_keys() {
        unsigned char bytes[256];
        ssize_t n = read(STDIN_FILENO, bytes, sizeof bytes);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
        if (n <= 0) {
            terminal_gone();
            return;
        }
        std::vector<DecodedInput> inputs;
        for (ssize_t i = 0; i < n; ++i) decode_byte(decoder_, bytes[i], inputs);
        dispatch(inputs);
    }

    // The terminal hung up: nobody can answer a box any more, and the run
    // ends as when the window is closed.
    void terminal_gone() {
        {
            std::lock_guard lock(mutex_);
            input_open_ = false;
            if (box_ != nullptr && box_answer_ < 0) box_answer_ = yes_button;
        }
        box_changed_.notify_all();
        request_close();
    }

    // Ctrl+L repaints the whole screen, over whatever another program wrote
    // on it, and is a key as well.
    void dispatch(const std::vector<DecodedInput>& inputs) {
        for (const DecodedInput& input : inputs) {
            if (input.kind == InputKind::key && input.key.code == code_form_feed) {
                std::lock_guard lock(mutex_);
                repaint();
            }
            if (input.kind == InputKind::ctrl_break) request_exit();
            else if (!to_box(input)) {
                if (input.kind == InputKind::pause) press_pause();
                else key_press(input.key);
            }
        }
    }

    // While a box is open every key goes to it (Pause is ignored there).
    bool to_box(const DecodedInput& input) {
        std::lock_guard lock(mutex_);
        if (box_ == nullptr || box_answer_ >= 0) return false;
        if (input.kind == InputKind::key) {
            box_answer_ = message_box_key(*box_, input.key);
            present();
            if (box_answer_ >= 0) box_changed_.notify_all();
        }
        return true;
    }

    std::mutex mutex_;
    std::condition_variable box_changed_;
    ScreenPicture latest_;
    TerminalView view_;
    MessageBox* box_ = nullptr;
    int box_answer_ = -1;
    bool input_open_ = true;   // written by the input thread under the lock
    bool finished_ = false;
    bool suspended_ = false;   // stopped from outside: the shell has the terminal
    bool size_fits_ = true;
    int columns_ = 0;
    int rows_ = 0;
    std::string enlarge_shown_;
    KeyDecoder decoder_;       // the input thread's alone
    int wake_fd_;
    std::thread::id events_thread_ = std::this_thread::get_id();   // the one that opened it
};

}  // namespace

FrontEnd* open_terminal_front_end() {
    if (!take_terminal()) return nullptr;
    int wake_fd = install_terminal_signals();
    if (wake_fd < 0) {
        restore_terminal();
        return nullptr;
    }
    return new TerminalFrontEnd(wake_fd);
}
