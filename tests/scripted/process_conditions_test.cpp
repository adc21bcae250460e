// Whole runs of the program started in less ordinary ways: closed standard
// descriptors, a file-size limit, FIFOs as its files, and stops that come
// while a step waits in the system.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/iges_run.h"
#include "tests/support/polling.h"
#include "tests/support/run_program.h"

namespace {

constexpr std::size_t record_size = 82;

std::string two_names(const std::string& stl, const std::string& igs) {
    return stl + "\n" + igs + "\n";
}

// An ASCII STL file: its count is refused (error 6) at steps 94, 106 and
// 203, so the run shows three boxes with the IGES file open from step 95.
const std::string ascii_stl =
    "solid x\n facet normal 0 0 1\n  outer loop\n   vertex 0 0 0\n   vertex 1 0 0\n"
    "   vertex 0 1 0\n  endloop\n endfacet\nendsolid x\n";

std::vector<StlFacet> numbered_facets(int count) {
    std::vector<StlFacet> facets(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const float f = static_cast<float>(i);
        facets[static_cast<std::size_t>(i)] = {{f, 0, 0, 1, f, 0, 0, 2, 0.5f}};
    }
    return facets;
}

// True when a thread of the process waits in the kernel in the given
// system call (/proc shows "running" for a thread that does not wait).
bool thread_waits_in(pid_t process, long system_call) {
    std::error_code gone;
    const std::filesystem::path tasks = "/proc/" + std::to_string(process) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks, gone)) {
        std::ifstream state(task.path() / "syscall");
        long number = -1;
        if (state >> number && number == system_call) return true;
    }
    return false;
}

// Standard error, or both outputs, closed when the program starts: the
// numbered files must not take descriptor 1 or 2, so the error boxes and
// the screen never land in them.
TEST(ProcessConditions, ClosedOutputsLeaveTheFilesWhole) {
    const std::vector<std::vector<int>> closed_sets = {{STDERR_FILENO}, {STDOUT_FILENO, STDERR_FILENO}};
    for (const std::vector<int>& closed : closed_sets) {
        const std::string what = closed.size() == 1 ? "standard error closed" : "both outputs closed";
        TempFolder folder;
        write_bytes(folder / "in.stl", ascii_stl);
        write_bytes(folder / "keys", two_names(folder / "in.stl", folder / "out.igs"));
        ChildProcess program;
        ASSERT_TRUE(start_program(program, {.input = folder / "keys", .output = folder / "screen",
                                            .closed_descriptors = closed}));
        EXPECT_EQ(program.wait_exit(), 0) << what;
        EXPECT_EQ(read_bytes(folder / "in.stl"), ascii_stl) << what;
        EXPECT_EQ(iges_records(read_bytes(folder / "out.igs")).size(), 8u) << what;
    }
}

// Under a file-size limit the write that reaches it is cut by the system
// and fails, as does every later one: error 75 at each of those steps, and
// the run goes on to its end.
TEST(ProcessConditions, FileSizeLimitMakesTheRecordWritesFail) {
    TempFolder folder;
    write_stl(folder / "in.stl", numbered_facets(4));
    const std::string keys = two_names(folder / "in.stl", folder / "out.igs");
    // 24 whole records and 32 bytes of the 25th, the sixth Directory Entry
    // record of facet 3.
    const rlim_t limit = 24 * record_size + 32;
    write_bytes(folder / "keys", keys);
    ChildProcess limited;
    ASSERT_TRUE(start_program(limited, {.input = folder / "keys", .output = folder / "screen",
                                        .errors = folder / "boxes", .file_size_limit = limit}));
    EXPECT_EQ(limited.wait_exit(), 0);
    const std::string cut = read_bytes(folder / "out.igs");

    std::vector<int> failing_steps = {238, 212, 216, 223, 227, 234, 238};
    for (int facet = 0; facet < 4; ++facet) failing_steps.insert(failing_steps.end(), {267, 278, 289});
    failing_steps.push_back(301);
    std::vector<int> box_steps;
    for (const ErrorBox& box : error_boxes(read_bytes(folder / "boxes"))) {
        EXPECT_EQ(box.error, 75) << "step " << box.line;
        EXPECT_EQ(box.message, "Path/File access error") << "step " << box.line;
        box_steps.push_back(box.line);
    }
    EXPECT_EQ(box_steps, failing_steps);
    EXPECT_EQ(rows_of_screen(read_bytes(folder / "screen"))[18], " Done!");

    // What reached the file is the start of the whole file, from the first
    // Directory Entry record on (the records before it hold the time).
    const ProgramRun whole = run_program(keys + "\n");
    EXPECT_EQ(whole.exit_code, 0);
    const std::string full = read_bytes(folder / "out.igs");
    ASSERT_EQ(cut.size(), limit);
    ASSERT_EQ(full.size(), record_size * (9 * 4 + 8));
    EXPECT_EQ(cut.substr(7 * record_size), full.substr(7 * record_size, limit - 7 * record_size));
    EXPECT_EQ(iges_records(cut.substr(0, 24 * record_size)).size(), 24u);
}

// In the child: signal blocked, as a process may inherit it.
void block_signal(int signal) {
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, signal);
    if (sigprocmask(SIG_BLOCK, &blocked, nullptr) != 0) _exit(127);
}

// In the child: signal ignored, as nohup and shells without job control
// start their commands.
void ignore_signal(int signal) {
    if (std::signal(signal, SIG_IGN) == SIG_ERR) _exit(127);
}

// In the child: an ordinary user (root gives up its rights first, since
// root is not held to the process limit), who may have one process.
void single_process_user() {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(127);
    const rlimit one{1, 1};
    if (setrlimit(RLIMIT_NPROC, &one) != 0) _exit(127);
}

// A stop (SIGTERM closes, SIGINT breaks) that comes while the program
// thread waits in the system: opening a FIFO that nobody opens, or writing
// to one whose reader does not read; also when the process was started
// with the signal blocked. The run ends with exit code 0.
TEST(ProcessConditions, StopEndsARunWaitingOnAFifo) {
    struct Case { int signal; bool reader; long waits_in; bool blocked_at_start; std::string what; };
    const std::vector<Case> cases = {
        {SIGTERM, false, SYS_openat, false, "SIGTERM at the opening"},
        {SIGINT, false, SYS_openat, false, "SIGINT at the opening"},
        {SIGTERM, true, SYS_write, false, "SIGTERM at a record write"},
        {SIGINT, true, SYS_write, false, "SIGINT at a record write"},
        {SIGTERM, false, SYS_openat, true, "SIGTERM, blocked at the start, at the opening"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        write_stl(folder / "in.stl", numbered_facets(2000));   // far more than a pipe holds
        ASSERT_EQ(mkfifo((folder / "out.igs").c_str(), 0644), 0);
        // A reader that never reads: the writes stop once the pipe is full.
        const int reader = c.reader ? ::open((folder / "out.igs").c_str(), O_RDONLY | O_NONBLOCK) : -1;
        ChildProcess program;
        ChildStreams streams{.output = folder / "screen", .errors = folder / "boxes"};
        if (c.blocked_at_start) streams.prepare = [&] { block_signal(c.signal); };
        ASSERT_TRUE(start_program(program, streams));
        ASSERT_TRUE(program.write_input(two_names(folder / "in.stl", folder / "out.igs")));
        ASSERT_TRUE(wait_until([&] { return thread_waits_in(program.id(), c.waits_in); })) << c.what;
        program.send_signal(c.signal);
        EXPECT_EQ(program.wait_exit(std::chrono::seconds(20)), 0) << c.what;
        EXPECT_EQ(read_bytes(folder / "boxes"), "") << c.what;
        EXPECT_EQ(rows_of_screen(read_bytes(folder / "screen"))[25], "") << c.what;
        if (reader >= 0) ::close(reader);
    }
}

// A user who may only read a FIFO named as the STL file: its opening for
// reading waits until another program opens the FIFO for writing, which
// none does. A stop ends that wait, and step 95 never runs.
TEST(ProcessConditions, StopEndsARunWaitingToReadAFifoItMayOnlyRead) {
    TempFolder folder;
    ASSERT_EQ(chmod(folder.path.c_str(), 0777), 0);
    ASSERT_EQ(mkfifo((folder / "in.stl").c_str(), 0444), 0);
    ChildProcess program;
    const auto without_root_rights = [] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(99);
        run_program_in_process();
    };
    ASSERT_TRUE(program.start_in_process(without_root_rights,
                                         {.output = folder / "screen", .errors = folder / "boxes"}));
    ASSERT_TRUE(program.write_input(two_names(folder / "in.stl", folder / "out.igs")));
    ASSERT_TRUE(wait_until([&] { return thread_waits_in(program.id(), SYS_openat); }));
    program.send_signal(SIGTERM);
    EXPECT_EQ(program.wait_exit(std::chrono::seconds(20)), 0);
    EXPECT_EQ(read_bytes(folder / "boxes"), "");
    EXPECT_FALSE(std::filesystem::exists(folder / "out.igs"));
}

// A FIFO that another program reads receives the same bytes as a file.
TEST(ProcessConditions, FifoWithAReaderReceivesTheWholeFile) {
    const std::vector<StlFacet> facets = numbered_facets(2000);
    TempFolder to_file, to_fifo;
    write_stl(to_file / "PART.STL", facets);
    write_stl(to_fifo / "PART.STL", facets);
    ASSERT_EQ(mkfifo((to_fifo / "PART.IGS").c_str(), 0644), 0);
    std::string received;
    std::thread reader([&] {
        const int fifo = ::open((to_fifo / "PART.IGS").c_str(), O_RDONLY);
        char bytes[4096];
        for (ssize_t n; (n = ::read(fifo, bytes, sizeof bytes)) > 0;) received.append(bytes, static_cast<std::size_t>(n));
        ::close(fifo);
    });
    const ConverterRun fifo_run = run_converter(to_fifo.path.string(), "PART.STL", "PART.IGS");
    // Should the program never have opened the FIFO, this lets the reader go.
    const int release = ::open((to_fifo / "PART.IGS").c_str(), O_WRONLY | O_NONBLOCK);
    if (release >= 0) ::close(release);
    reader.join();
    const ConverterRun file_run = run_converter(to_file.path.string(), "PART.STL", "PART.IGS");
    EXPECT_EQ(fifo_run.exit_code, 0);
    EXPECT_TRUE(fifo_run.boxes.empty());
    EXPECT_EQ(received.size(), record_size * (9 * facets.size() + 8));
    EXPECT_TRUE(received == read_bytes(to_file / "PART.IGS")) << "the FIFO's bytes differ from the file's";
}

// A count that cannot be read (a FIFO cannot be read at a position) is
// reported at the steps that read it, 106 and 203, and not at the opening.
TEST(ProcessConditions, UnreadableCountIsReportedWhereItIsRead) {
    TempFolder folder;
    ASSERT_EQ(mkfifo((folder / "in.stl").c_str(), 0644), 0);
    const ProgramRun run = run_program(two_names(folder / "in.stl", folder / "out.igs") + "yyy");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.boxes,
              "Unhandled Error #75\nLine:106\nPath/File access error\nContinue?\n"
              "Unhandled Error #75\nLine:203\nPath/File access error\nContinue?\n");
    EXPECT_EQ(read_bytes(folder / "out.igs").size(), record_size * 8);
    EXPECT_EQ(rows_of_screen(run.screen)[18], " Done!");
}

// The runtime's threads refused by the system. At the process limit no
// thread can be had at all: the critical box, no file touched, exit code
// 0. In a small address space (20 MB, less than two threads with the
// system's default stacks of 8 MB) the run goes on to its end.
TEST(ProcessConditions, ThreadsTheSystemRefuses) {
    TempFolder folder;
    ASSERT_EQ(chmod(folder.path.c_str(), 0777), 0);
    write_stl(folder / "in.stl", numbered_facets(3));
    write_bytes(folder / "keys", two_names(folder / "in.stl", folder / "out.igs") + "\n");
    const ChildStreams streams{.input = folder / "keys", .output = folder / "screen", .errors = folder / "boxes"};

    ChildProcess limited;
    ChildStreams at_process_limit = streams;
    at_process_limit.prepare = single_process_user;
    ASSERT_TRUE(start_program(limited, at_process_limit));
    EXPECT_EQ(limited.wait_exit(), 0);
    EXPECT_EQ(read_bytes(folder / "boxes"),
              "Critical Error #18\nCannot start a thread: process limit or memory reached\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "out.igs"));

    ChildProcess small;
    ChildStreams in_small_address_space = streams;
    in_small_address_space.prepare = [] {
        const rlimit twenty_megabytes{20'000'000, 20'000'000};
        if (setrlimit(RLIMIT_AS, &twenty_megabytes) != 0) _exit(127);
    };
    ASSERT_TRUE(start_program(small, in_small_address_space));
    EXPECT_EQ(small.wait_exit(), 0);
    EXPECT_EQ(read_bytes(folder / "boxes"), "");
    EXPECT_EQ(rows_of_screen(read_bytes(folder / "screen"))[18], " Done!");
    EXPECT_EQ(iges_records(read_bytes(folder / "out.igs")).size(), 9u * 3 + 8);
}

// A stop that is pending when the program starts (its starter blocked and
// raised it) ends the run at once, as any stop: exit code 0, no box, no
// file opened.
TEST(ProcessConditions, StopPendingAtTheStartEndsTheRun) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        TempFolder folder;
        ChildProcess program;
        ChildStreams streams{.output = folder / "screen", .errors = folder / "boxes"};
        streams.prepare = [signal] {
            block_signal(signal);
            raise(signal);
        };
        ASSERT_TRUE(start_program(program, streams));
        EXPECT_EQ(program.wait_exit(std::chrono::seconds(20)), 0) << strsignal(signal);
        EXPECT_EQ(read_bytes(folder / "boxes"), "") << strsignal(signal);
        EXPECT_EQ(rows_of_screen(read_bytes(folder / "screen"))[25], "") << strsignal(signal);
    }
}

// A stop signal ignored when the program starts (nohup's SIGHUP, a
// background job's SIGINT) stays ignored: sent while the program waits for
// its keys, it changes nothing, and the run writes the whole file.
TEST(ProcessConditions, StopSignalIgnoredAtTheStartStaysIgnored) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        TempFolder folder;
        write_stl(folder / "in.stl", numbered_facets(3));
        ChildProcess program;
        ChildStreams streams{.output = folder / "screen", .errors = folder / "boxes"};
        streams.prepare = [signal] { ignore_signal(signal); };
        ASSERT_TRUE(start_program(program, streams));
        // Reading its keys, the process has set up every handler it has.
        ASSERT_TRUE(wait_until([&] { return thread_waits_in(program.id(), SYS_read); })) << strsignal(signal);
        program.send_signal(signal);
        ASSERT_TRUE(program.write_input(two_names(folder / "in.stl", folder / "out.igs")));
        ASSERT_TRUE(wait_until([&] { return std::filesystem::exists(folder / "out.igs") &&
                                            read_bytes(folder / "out.igs").size() == record_size * (9 * 3 + 8); }))
            << strsignal(signal);
        program.close_input();
        EXPECT_EQ(program.wait_exit(), 0) << strsignal(signal);
        EXPECT_EQ(read_bytes(folder / "boxes"), "") << strsignal(signal);
        EXPECT_EQ(rows_of_screen(read_bytes(folder / "screen"))[18], " Done!") << strsignal(signal);
    }
}

}  // namespace
