// The process entry: chooses the front end and starts the runtime.
#include <sys/stat.h>
#include <unistd.h>

#include "converter/converter_main.h"
#include "runtime/threads.h"
#include "front_ends/scripted/scripted_front_end.h"
#include "front_ends/terminal/terminal_front_end.h"
#include "front_ends/window/window_front_end.h"

namespace {

// A pipe or a file on standard input means the run is scripted.
bool input_is_scripted() {
    struct stat info {};
    if (fstat(STDIN_FILENO, &info) != 0) return true;
    return S_ISFIFO(info.st_mode) || S_ISREG(info.st_mode) || S_ISSOCK(info.st_mode);
}

FrontEnd& choose_front_end() {
    if (input_is_scripted()) return scripted_front_end();
    if (FrontEnd* window = open_window_front_end()) return *window;
    if (FrontEnd* terminal = open_terminal_front_end()) return *terminal;
    return scripted_front_end();
}

}  // namespace

int main() {
    use_program_folder();
    run_runtime(choose_front_end(), converter_main);
}
