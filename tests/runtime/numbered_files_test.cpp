// Numbered files in-process: positioned reads, past-the-end zeros, the
// opening rules and the errors each failure raises.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "runtime/numbered_files.h"
#include "runtime/run_state.h"
#include "tests/support/child_process.h"
#include "tests/support/pending_error.h"
#include "tests/support/polling.h"
#include "tests/support/stl_writer.h"
#include "tests/support/test_files.h"

namespace {

struct NumberedFiles : ::testing::Test {
    TempFolder folder;
    void TearDown() override {
        close_all_files();
        take_error();
    }
};

TEST_F(NumberedFiles, ReadsLittleEndianAtOneBasedPositions) {
    write_bytes(folder / "f", std::string("\x01\x02\x03\x04\x05\x06", 6));
    file_open(12, folder / "f", FileMode::binary);
    ASSERT_EQ(take_error(), 0);
    struct Case { double position; uint32_t expected; };
    const Case cases[] = {
        {1, 0x04030201}, {2, 0x05040302},
        {4, 0x00060504},   // straddles the end: the missing bytes read as zero
        {6, 0x00000006}, {7, 0}, {1e9, 0},
    };
    for (const Case& c : cases) {
        int32_t value = -1;
        file_get(12, c.position, value);
        EXPECT_EQ(static_cast<uint32_t>(value), c.expected) << c.position;
    }
    float coordinate = 1;
    file_get(12, 100, coordinate);
    EXPECT_EQ(take_error(), 0);
    EXPECT_TRUE(coordinate == 0 && !std::signbit(coordinate));
}

TEST_F(NumberedFiles, FloatBitsArriveUnchanged) {
    const uint32_t nan_bits = 0x7fa00001;   // a signalling NaN payload
    write_bytes(folder / "f", std::string(reinterpret_cast<const char*>(&nan_bits), 4));
    file_open(12, folder / "f", FileMode::binary);
    float value = 0;
    file_get(12, 1, value);
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    EXPECT_EQ(bits, nan_bits);
}

TEST_F(NumberedFiles, OpeningErrors) {
    std::filesystem::create_directory(folder / "dir");
    write_bytes(folder / "plain", "x");
    struct Case { std::string name; FileMode mode; int32_t error; };
    const Case cases[] = {
        {folder / "missing", FileMode::binary, 53},
        {folder / "no/such/file", FileMode::binary, 76},
        {folder / "plain/below", FileMode::binary, 76},
        {folder / "dir", FileMode::binary, 70},
        {"", FileMode::binary, 53},
        {folder / "no/out.igs", FileMode::output, 76},
        {folder / "dir", FileMode::output, 70},
        {"", FileMode::output, 53},
    };
    for (const Case& c : cases) {
        file_open(12, c.name, c.mode);
        EXPECT_EQ(take_error(), c.error) << c.name;
        EXPECT_FALSE(file_is_open(12));
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

// Runs check in a child process without root's rights (root may open any
// file for writing); the child's exit code is the check's result.
int run_unprivileged(int (*check)(const std::string&), const std::string& path) {
    ChildProcess child;
    const auto unprivileged_check = [&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(99);
        _exit(check(path));
    };
    if (!child.start_in_process(unprivileged_check, {.input = "/dev/null"})) return 98;
    return child.wait_exit().value_or(98);
}

// A file that may only be read opens for reading, the second attempt, and
// converts as usual; one that may only be written opens write only, the
// third attempt, and its reads fail with 75.
TEST_F(NumberedFiles, RestrictedFilesOpenWithTheAccessTheyAllow) {
    chmod(folder.path.c_str(), 0755);
    struct Case { const char* name; mode_t mode; int32_t read_error; int32_t value; };
    const Case cases[] = {{"read_only", 0444, 0, 0x07070707}, {"write_only", 0222, 75, 0}};
    for (const Case& c : cases) {
        const std::string path = folder / c.name;
        write_bytes(path, std::string(4, '\x07'));
        chmod(path.c_str(), c.mode);
        static Case current;
        current = c;
        const int result = run_unprivileged(
            [](const std::string& name) {
                file_open(12, name, FileMode::binary);
                if (take_error() != 0 || !file_is_open(12)) return 1;
                int32_t value = 0;
                file_get(12, 1, value);
                return take_error() == current.read_error && value == current.value ? 0 : 2;
            },
            path);
        EXPECT_EQ(result, 0) << c.name;
    }
}

TEST_F(NumberedFiles, ReadsAndWritesOnClosedOrWrongFiles) {
    int32_t value = 5;
    file_get(12, 81, value);
    EXPECT_EQ(take_error(), 52);
    EXPECT_EQ(value, 5);
    file_print(13, "record");
    EXPECT_EQ(take_error(), 52);
    file_close(13);   // not open: nothing happens
    EXPECT_EQ(take_error(), 0);
}

TEST_F(NumberedFiles, OutputLinesEndWithCrLf) {
    write_bytes(folder / "out", "old contents");
    file_open(13, folder / "out", FileMode::output);
    file_print(13, "first");
    file_print(13, "second");
    file_close(13);
    EXPECT_EQ(take_error(), 0);
    EXPECT_EQ(read_bytes(folder / "out"), "first\r\nsecond\r\n");
}

TEST_F(NumberedFiles, AFullDeviceIsAnAccessError) {
    ASSERT_TRUE(std::filesystem::exists("/dev/full")) << "the test writes to /dev/full, Linux's always-full device";
    file_open(13, "/dev/full", FileMode::output);
    ASSERT_EQ(take_error(), 0);
    file_print(13, "record");
    EXPECT_EQ(take_error(), 75);
}

std::atomic<int> signals_taken{0};

// The scheduler state of a thread of this process ('S' while it waits in
// a system call).
char thread_state(pid_t thread) {
    std::ifstream stat("/proc/self/task/" + std::to_string(thread) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    const auto end_of_name = text.rfind(')');
    return end_of_name == std::string::npos || end_of_name + 2 >= text.size() ? '?' : text[end_of_name + 2];
}

// A signal without restart ends a blocked write early: with part of the
// text written (the pipe was filled), and again with nothing written
// (EINTR). Both times the write goes on, and the text arrives whole.
TEST_F(NumberedFiles, AWriteInterruptedByASignalGoesOn) {
    const std::string path = folder / "fifo";
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    const int reader = open(path.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const int capacity = fcntl(reader, F_GETPIPE_SZ);
    file_open(13, path, FileMode::output);
    ASSERT_EQ(take_error(), 0);
    struct sigaction taken {}, previous{};
    taken.sa_handler = [](int) { ++signals_taken; };   // no SA_RESTART
    sigaction(SIGUSR1, &taken, &previous);
    signals_taken = 0;

    const std::string text(3 * capacity + 7, 'x');   // more than the pipe holds
    std::atomic<pid_t> writer_id{0};
    std::atomic<bool> writer_done{false};
    int32_t writer_error = -1;
    std::thread writer([&] {
        writer_id = gettid();
        file_print(13, text);
        writer_error = take_error();
        writer_done = true;
    });
    const auto pipe_full_and_writer_waits = [&] {
        int queued = 0;
        return writer_id != 0 && ioctl(reader, FIONREAD, &queued) == 0 && queued == capacity &&
               thread_state(writer_id) == 'S';
    };
    bool interrupted = true;
    for (int interruption = 1; interrupted && interruption <= 2; ++interruption) {
        interrupted = wait_until(pipe_full_and_writer_waits);
        if (interrupted) pthread_kill(writer.native_handle(), SIGUSR1);
        interrupted = interrupted && wait_until([&] { return signals_taken == interruption; });
    }
    EXPECT_TRUE(interrupted && wait_until(pipe_full_and_writer_waits)) << "the write did not go on";

    // Empty the pipe until the writer is done and nothing is left.
    std::string arrived;
    char buffer[65536];
    for (bool done = false; !done;) {
        done = writer_done;
        for (ssize_t n; (n = read(reader, buffer, sizeof buffer)) > 0;)
            arrived.append(buffer, static_cast<size_t>(n));
        if (!done) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    writer.join();
    sigaction(SIGUSR1, &previous, nullptr);
    close(reader);
    EXPECT_EQ(writer_error, 0);
    EXPECT_EQ(arrived.size(), text.size() + 2);
    EXPECT_TRUE(arrived == text + "\r\n");
}

TEST_F(NumberedFiles, ServicesDoNothingWhileAnErrorIsPending) {
    raise_runtime_error(76);
    file_open(13, folder / "out", FileMode::output);
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));
    raise_runtime_error(52);   // dropped: the first error stays pending
    EXPECT_EQ(take_error(), 76);
}

TEST_F(NumberedFiles, ErrorNumbersBelowOneBecomeFive) {
    raise_runtime_error(0);
    EXPECT_EQ(take_error(), 5);
}

TEST_F(NumberedFiles, SameFileUnderAnotherNameIsRefused) {
    write_stl(folder / "in.stl", {});
    std::filesystem::create_symlink(folder / "in.stl", folder / "link.igs");
    file_open(12, folder / "in.stl", FileMode::binary);
    const std::string spellings[] = {folder / "link.igs", folder / "./in.stl",
                                     folder.path.string() + "\\in.stl"};
    for (const std::string& name : spellings) {
        file_open(13, name, FileMode::output);
        EXPECT_EQ(take_error(), 55) << name;
    }
    EXPECT_EQ(read_bytes(folder / "in.stl").size(), 84u);
}

// A name holds code page 437 codes; the file opened is the one whose UTF-8
// name shows the same glyphs, with either separator, also for the check
// that refuses a file already open.
TEST_F(NumberedFiles, NamesBeyondAsciiOpenTheFilesTheirGlyphsName) {
    write_stl(folder / "pi\u00e8ce.stl", {});
    const std::string piece = "pi\x8a" "ce.stl";   // è is code 138
    file_open(12, folder / piece, FileMode::binary);
    EXPECT_EQ(take_error(), 0);
    EXPECT_TRUE(file_is_open(12));

    file_open(13, folder / "W\x81rfel \xab.igs", FileMode::output);   // ü and ½
    EXPECT_EQ(take_error(), 0);
    file_print(13, "x");
    EXPECT_EQ(read_bytes(folder / "W\u00fcrfel \u00bd.igs"), "x\r\n");

    file_open(14, folder.path.string() + "\\" + piece, FileMode::output);
    EXPECT_EQ(take_error(), 55);
    EXPECT_EQ(read_bytes(folder / "pi\u00e8ce.stl").size(), 84u);

    // The UTF-8 bytes taken as codes are other glyphs: no such file.
    file_open(15, folder / "pi\xc3\xa8" "ce.stl", FileMode::binary);
    EXPECT_EQ(take_error(), 53);

    // The ends of the range: \u00c7 is code 128, the no-break space 255.
    struct End { std::string codes; std::string glyphs; };
    const End ends[] = {{"\x80" "elik.stl", "\u00c7elik.stl"}, {"M6\xff" "bolt.stl", "M6\u00a0bolt.stl"}};
    int number = 16;
    for (const End& end : ends) {
        write_stl(folder / end.glyphs, {});
        file_open(number, folder / end.codes, FileMode::binary);
        EXPECT_EQ(take_error(), 0) << end.glyphs;
        EXPECT_TRUE(file_is_open(number++)) << end.glyphs;
    }
}

}  // namespace
