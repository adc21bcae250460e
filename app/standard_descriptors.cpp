#include "app/standard_descriptors.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

namespace {

bool descriptor_closed(int descriptor) {
    return fcntl(descriptor, F_GETFD) < 0 && errno == EBADF;
}

}  // namespace

bool open_closed_standard_descriptors() {
    const bool input_closed = descriptor_closed(STDIN_FILENO);
    for (int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (!descriptor_closed(descriptor)) continue;
        // The lowest free descriptor is this one, since those below it are open.
        const int opened = ::open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != descriptor) {
            dup2(opened, descriptor);
            ::close(opened);
        }
    }
    return input_closed;
}
