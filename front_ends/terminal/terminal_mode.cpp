#include "front_ends/terminal/terminal_mode.h"

#include "front_ends/terminal/terminal_sequences.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

termios saved_mode;
std::atomic<bool> terminal_taken{false};
int screen_fd = -1;   // the terminal the screen is drawn on

namespace ts = terminal_sequence;

// Alternate screen, no automatic wrap, cursor hidden, blank screen.
const std::string enter_bytes = ts::joined({ts::alternate_screen_on, ts::wrap_off, ts::cursor_hidden,
                                            ts::own_colours, ts::cursor_home, ts::screen_blank});
// Made before any signal can come, so a crash handler only writes it. CAN
// first: it ends any sequence that a crash may have cut short.
const std::string leave_bytes = ts::joined({ts::cancel, ts::own_colours, ts::cursor_shown, ts::wrap_on,
                                            ts::alternate_screen_off});

void write_bytes(const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = write(screen_fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;   // the terminal is gone
        data += n;
        size -= static_cast<size_t>(n);
    }
}

termios raw_mode(termios mode) {
    mode.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF);
    mode.c_oflag &= ~OPOST;
    mode.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    mode.c_cflag &= ~(CSIZE | PARENB);
    mode.c_cflag |= CS8;
    mode.c_cc[VMIN] = 1;
    mode.c_cc[VTIME] = 0;
    return mode;
}

// Standard output when it is a terminal; otherwise the controlling
// terminal, as full-screen programs draw on it when their output is
// redirected. -1 when there is none.
int open_screen_terminal() {
    if (isatty(STDOUT_FILENO)) return STDOUT_FILENO;
    return open("/dev/tty", O_WRONLY | O_NOCTTY | O_CLOEXEC);
}

bool enter_raw_mode() {
    termios raw = raw_mode(saved_mode);
    if (tcsetattr(STDIN_FILENO, TCSANOW, &raw) != 0) return false;
    terminal_taken.store(true);
    write_bytes(enter_bytes.data(), enter_bytes.size());
    return true;
}

}  // namespace

bool take_terminal() {
    if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &saved_mode) != 0) return false;
    screen_fd = open_screen_terminal();
    if (screen_fd < 0) return false;
    if (!enter_raw_mode()) {
        if (screen_fd != STDOUT_FILENO) close(screen_fd);
        return false;
    }
    std::atexit(restore_terminal);
    return true;
}

void take_terminal_back() {
    enter_raw_mode();
}

void restore_terminal() {
    if (!terminal_taken.exchange(false)) return;
    write_bytes(leave_bytes.data(), leave_bytes.size());
    // Keys left unread would otherwise reach the shell as typed commands.
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_mode);
}

bool screen_on_standard_output() {
    return screen_fd == STDOUT_FILENO;
}

bool terminal_size(int& columns, int& rows) {
    winsize size{};
    if (ioctl(screen_fd, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0)
        return false;
    columns = size.ws_col;
    rows = size.ws_row;
    return true;
}

void write_terminal(const std::string& text) {
    write_bytes(text.data(), text.size());
}
