// The process entry: chooses the front end and starts the runtime.
#include <sys/stat.h>
#include <unistd.h>

#include "app/standard_descriptors.h"
#include "converter/converter_main.h"
#include "runtime/stop_signals.h"
#include "runtime/threads.h"
#include "front_ends/scripted/scripted_front_end.h"
#include "front_ends/terminal/terminal_front_end.h"
#include "front_ends/window/window_front_end.h"

namespace {

// A pipe or a file on standard input means the run is scripted; so does a
// standard input that was closed at the start, an input that has ended.
bool input_is_scripted(bool input_was_closed) {
    if (input_was_closed) return true;
    struct stat info {};
    if (fstat(STDIN_FILENO, &info) != 0) return true;
    return S_ISFIFO(info.st_mode) || S_ISREG(info.st_mode) || S_ISSOCK(info.st_mode);
}

// The window's renderer needs threads of its own: where the runtime's own
// were refused, only the terminal or the script can show the critical box.
FrontEnd& choose_front_end(bool input_was_closed, bool threads_started) {
    if (input_is_scripted(input_was_closed)) return scripted_front_end();
    if (threads_started)
        if (FrontEnd* window = open_window_front_end()) return *window;
    if (FrontEnd* terminal = open_terminal_front_end()) return *terminal;
    return scripted_front_end();
}

}  // namespace

int main() {
    handle_stop_signals();   // first: a stop pending at the start then ends the run as any stop
    const bool input_was_closed = open_closed_standard_descriptors();
    use_program_folder();
    RuntimeThreads threads;   // main never returns
    start_runtime_threads(threads, converter_main);
    run_runtime(threads, choose_front_end(input_was_closed, threads.started));
}
