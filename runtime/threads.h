// The runtime's threads and the start of a run: the working directory, the
// program thread, the main-loop thread (which ends the process), and the
// front end's events on the thread that started the process.
#pragma once

#include <pthread.h>

#include <atomic>

#include "runtime/front_end.h"

// Makes the folder that holds the running program the working directory.
void use_program_folder();

// The runtime's two threads, the program thread and the main-loop thread.
// Both wait until run_runtime lets them go, once the front end is there: a
// run whose threads could not all be had has touched nothing. It lives as
// long as the process.
struct RuntimeThreads {
    void (*program)() = nullptr;     // what the program thread runs
    pthread_t program_thread{};      // the main loop interrupts it at a stop
    bool started = false;            // false: the system refused a thread
    std::atomic<bool> may_go{false};
};

// Starts both threads, with program to run on the program thread. The
// system may refuse a thread (a process limit, no memory for its stack):
// threads.started then stays false.
void start_runtime_threads(RuntimeThreads& threads, void (*program)());

// Lets the threads go with front_end and runs its events on the calling
// thread. The process ends from the main-loop thread (end_process); this
// never returns. When the threads could not be started, it shows the
// critical box through front_end and ends the process instead.
[[noreturn]] void run_runtime(RuntimeThreads& threads, FrontEnd& front_end);

// The program thread's entry: calls program once.
void start_program_thread(void (*program)());
