// The runtime's threads and the start of a run: the working directory, the
// program thread, the main-loop thread (which ends the process), and the
// front end's events on the thread that started the process.
#pragma once

#include "runtime/front_end.h"

// Makes the folder that holds the running program the working directory.
void use_program_folder();

// Starts the program thread running program, and the main-loop thread;
// then runs the front end's events on the calling thread. The process ends
// from the main-loop thread (end_process); this never returns.
[[noreturn]] void run_runtime(FrontEnd& front_end, void (*program)());

// The program thread's entry: calls program once.
void start_program_thread(void (*program)());
