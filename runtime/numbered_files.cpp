#include "runtime/numbered_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "runtime/cp437.h"
#include "runtime/run_state.h"
#include "runtime/runtime_errors.h"

using numbered_files_detail::Access;
using numbered_files_detail::files;
using numbered_files_detail::NumberedFile;

std::array<NumberedFile, numbered_files_detail::file_numbers> numbered_files_detail::files;

namespace {

NumberedFile* open_file(int number) {
    if (number < 0 || number >= static_cast<int>(files.size())) return nullptr;
    NumberedFile& file = files[number];
    return file.descriptor >= 0 ? &file : nullptr;
}

// The name as the file system holds it. Both separators name folders; the
// system knows only "/". Codes 128 to 255 are the screen's glyphs, which
// the file system's names hold in UTF-8; codes below 128 stay as they are.
std::string system_name(const std::string& name) {
    std::string converted;
    converted.reserve(name.size());
    for (char c : name) {
        const auto code = static_cast<uint8_t>(c);
        if (c == '\\')
            converted += '/';
        else if (code >= 128)
            converted += cp437_to_utf8(code);
        else
            converted += c;
    }
    return converted;
}

bool parent_folder_exists(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return true;
    const std::string parent = slash == 0 ? "/" : path.substr(0, slash);
    struct stat info {};
    return stat(parent.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int open_error(int cause, const std::string& path) {
    switch (cause) {
    case ENOENT: return parent_folder_exists(path) ? error_file_not_found : error_path_not_found;
    case ENOTDIR: return error_path_not_found;
    case EACCES: case EPERM: case EROFS: case ETXTBSY: case EISDIR: return error_permission_denied;
    case ENXIO: case ENODEV: return error_device_unavailable;
    default: return error_file_not_found;
    }
}

int io_error(int cause) {
    return cause == EACCES || cause == EPERM ? error_permission_denied : error_path_file_access;
}

// Opens with flags; a folder is refused, since it cannot be used as a file.
// An opening that waits (a FIFO with no other end) and is interrupted is
// made again, unless the stop request is set: the cause is then EINTR.
int open_descriptor(const std::string& path, int flags, int& cause) {
    int descriptor = -1;
    do {
        descriptor = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    } while (descriptor < 0 && errno == EINTR && !stop_requested());
    if (descriptor < 0) {
        cause = errno;
        return -1;
    }
    struct stat info {};
    if (fstat(descriptor, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(descriptor);
        cause = EISDIR;
        return -1;
    }
    return descriptor;
}

// True when path names a file that is already open under another number.
bool names_open_file(const std::string& path) {
    struct stat target {};
    if (stat(path.c_str(), &target) != 0) return false;
    for (const NumberedFile& file : files) {
        struct stat info {};
        if (file.descriptor >= 0 && fstat(file.descriptor, &info) == 0 &&
            info.st_dev == target.st_dev && info.st_ino == target.st_ino) {
            return true;
        }
    }
    return false;
}

void open_binary(NumberedFile& file, const std::string& path) {
    // An existing file only: read and write, then read only, then write only.
    const std::pair<int, Access> attempts[] = {
        {O_RDWR, Access::read_write}, {O_RDONLY, Access::read_only}, {O_WRONLY, Access::write_only}};
    int cause = ENOENT;
    for (const auto& [flags, access] : attempts) {
        const int descriptor = open_descriptor(path, flags, cause);
        if (descriptor >= 0) {
            file = {descriptor, access, FileMode::binary};
            return;
        }
        if (cause == EINTR) return;   // stopped: the process is ending
    }
    raise_runtime_error(open_error(cause, path));
}

void open_output(NumberedFile& file, const std::string& path) {
    if (names_open_file(path)) {
        raise_runtime_error(error_file_already_open);
        return;
    }
    int cause = 0;
    const int descriptor = open_descriptor(path, O_WRONLY | O_CREAT | O_TRUNC, cause);
    if (descriptor < 0) {
        if (cause != EINTR) raise_runtime_error(open_error(cause, path));   // EINTR: stopped
        return;
    }
    file = {descriptor, Access::write_only, FileMode::output};
}

}  // namespace

void file_open(int number, const std::string& name, FileMode mode) {
    if (error_pending()) return;
    if (number < 0 || number >= static_cast<int>(files.size()) || files[number].descriptor >= 0) {
        return raise_runtime_error(error_file_already_open);
    }
    if (name.empty()) return raise_runtime_error(error_file_not_found);
    const std::string path = system_name(name);
    if (mode == FileMode::binary) {
        open_binary(files[number], path);
    } else {
        open_output(files[number], path);
    }
}

int numbered_files_detail::refuse_read(int number) {
    raise_runtime_error(open_file(number) ? error_path_file_access : error_bad_file);
    return -1;
}

int numbered_files_detail::refuse_print() {
    raise_runtime_error(error_bad_file);
    return -1;
}

void numbered_files_detail::raise_transfer_error(long result) {
    raise_runtime_error(io_error(static_cast<int>(-result)));
}

void file_close(int number) {
    if (error_pending()) return;
    NumberedFile* file = open_file(number);
    if (!file) return;
    ::close(file->descriptor);
    *file = NumberedFile{};
}

void close_all_files() {
    for (NumberedFile& file : files) {
        if (file.descriptor >= 0) ::close(file.descriptor);
        file = NumberedFile{};
    }
}

bool file_is_open(int number) { return open_file(number) != nullptr; }

bool file_try_get(int number, double position, int32_t& target) {
    const NumberedFile* file = open_file(number);
    if (!file || file->access == Access::write_only) return false;
    unsigned char bytes[4] = {0, 0, 0, 0};
    const off_t offset = static_cast<off_t>(position) - 1;
    if (numbered_files_detail::read_four_bytes(file->descriptor, offset, bytes) != 0) return false;
    numbered_files_detail::store_little_endian(bytes, target);
    return true;
}
