#include "runtime/run_control.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "runtime/front_end.h"
#include "runtime/keyboard.h"
#include "runtime/numbered_files.h"
#include "runtime/text_screen.h"

RunControl run_control;

namespace {

void sleep_ms(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// Errors that end the process at once: the screen copies of the line input.
bool is_fatal(int32_t error_number) {
    return error_number == 16 || error_number == 17;
}

}  // namespace

const char* runtime_error_message(int32_t error_number) {
    switch (error_number) {
    case 5: return "Illegal function call";
    case 6: return "Overflow";
    case 7: case 16: case 17: return "Out of memory";
    case 52: return "Bad file name or number";
    case 53: return "File not found";
    case 55: return "File already open";
    case 68: return "Device unavailable";
    case 70: return "Permission denied";
    case 75: return "Path/File access error";
    case 76: return "Path not found";
    default: return "Unprintable error";
    }
}

void poll_line_events(int32_t step) {
    run_control.event_flag.store(false, std::memory_order_release);
    while (run_control.pause_flag.load(std::memory_order_acquire) || stop_requested()) {
        if (stop_requested()) end_program_thread();
        sleep_ms(10);
    }
    if (error_pending()) {
        run_control.error_line.store(step, std::memory_order_release);
        report_runtime_error();
    }
}

void raise_runtime_error(int32_t error_number) {
    if (error_pending()) return;
    if (error_number < 1) error_number = 5;
    if (is_fatal(error_number)) {
        front_end().critical_box("Critical Error #" + std::to_string(error_number),
                                 runtime_error_message(error_number));
        end_process();
    }
    run_control.pending_error.store(error_number, std::memory_order_release);
    run_control.event_flag.store(true, std::memory_order_release);
}

void report_runtime_error() {
    const int32_t error_number = run_control.pending_error.load(std::memory_order_acquire);
    const std::string title = "Unhandled Error #" + std::to_string(error_number);
    const std::string text = "Line:" + std::to_string(run_control.error_line.load()) + "\n" +
                             runtime_error_message(error_number) + "\nContinue?";
    if (front_end().error_box(title, text) == BoxAnswer::no) {
        run_control.exit_request.store(true, std::memory_order_release);
        end_program_thread();
    }
    run_control.pending_error.store(0, std::memory_order_release);
}

void end_program() {
    close_all_files();
    screen_use_bottom_row();
    print_text("Press any key to continue", false);
    key_discard_all();
    Key key;
    while (!key_take(key)) {
        if (stop_requested()) end_program_thread();
        if (keyboard_ended()) request_close();
        sleep_ms(100);
    }
    run_control.exit_request.store(true, std::memory_order_release);
    end_program_thread();
}

void end_program_thread() {
    // The numbered files belong to this thread's descriptor table, so it
    // closes them itself before it parks.
    close_all_files();
    run_control.program_parked.store(true, std::memory_order_release);
    while (!stop_requested()) sleep_ms(16);
    for (;;) sleep_ms(1000);
}

void request_exit() { run_control.exit_request.store(true, std::memory_order_release); }
void request_close() { run_control.close_request.store(true, std::memory_order_release); }

void press_pause() {
    run_control.pause_flag.store(true, std::memory_order_release);
    run_control.event_flag.store(true, std::memory_order_release);
}

void end_process() {
    static std::atomic<bool> ending{false};
    if (ending.exchange(true)) {
        for (;;) sleep_ms(1000);   // another thread is ending the process
    }
    close_all_files();
    front_end().finish(screen_snapshot());
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(0);
}
