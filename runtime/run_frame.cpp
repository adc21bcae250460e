#include "runtime/run_frame.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "runtime/front_end.h"
#include "runtime/keyboard.h"
#include "runtime/numbered_files.h"
#include "runtime/runtime_errors.h"
#include "runtime/stop_interrupt.h"
#include "runtime/text_screen.h"

namespace {

using std::chrono::milliseconds;

constexpr milliseconds pause_look_period{10};
// The end-of-run prompt looks at the keyboard buffer every 100 ms.
constexpr KeyWatch end_key_watch{milliseconds(100), false, true};
constexpr milliseconds parked_look_period{16};

std::string error_message(int32_t error_number) {
    return std::string(runtime_error_entry(error_number).message);
}

}  // namespace

void poll_line_events(int32_t step) {
    clear_event_flag();
    while (pause_held() || stop_requested()) {
        if (stop_requested()) end_program_thread();
        std::this_thread::sleep_for(pause_look_period);
    }
    if (error_pending()) {
        note_error_line(step);
        report_runtime_error();
    }
}

void report_runtime_error() {
    const int32_t error_number = pending_error();
    const std::string title = "Unhandled Error #" + std::to_string(error_number);
    const std::string text =
        "Line:" + std::to_string(error_line()) + "\n" + error_message(error_number) + "\nContinue?";
    hold_stop_interrupt();
    const BoxAnswer answer = front_end().error_box(title, text);
    accept_stop_interrupt();
    if (answer == BoxAnswer::no) {
        request_exit();
        end_program_thread();
    }
    clear_pending_error();
}

void raise_fatal_error(int32_t error_number) {
    hold_stop_interrupt();
    front_end().critical_box("Critical Error #" + std::to_string(error_number),
                             error_message(error_number));
    end_process();
}

void end_program() {
    close_all_files();
    screen_use_bottom_row();
    print_text("Press any key to continue", false);
    key_discard_all();
    Key key;
    const KeyWait wait = wait_for_key(key, end_key_watch);
    if (wait == KeyWait::key) request_exit();
    if (wait == KeyWait::input_ended) request_close();   // no key can come any more
    end_program_thread();   // parked, it waits for the stop that the request brings
}

void end_program_thread() {
    // The numbered files belong to this thread's descriptor table, so it
    // closes them itself before it parks.
    close_all_files();
    mark_program_parked();
    while (!stop_requested()) std::this_thread::sleep_for(parked_look_period);
    for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
}

void end_process() {
    static std::atomic<bool> ending{false};
    if (ending.exchange(true)) {
        for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));   // another thread ends it
    }
    close_all_files();
    front_end().finish(screen_snapshot());
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(0);
}
