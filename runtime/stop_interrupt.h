// The stop's interrupt: a signal that the main loop sends to the program
// thread while it waits for that thread to park, so that an open, read or
// write that does not return (a FIFO that nobody opens or reads) returns
// with EINTR. The numbered files take that EINTR as final once the stop
// request is set; the step then completes and its end-of-step check parks
// the thread. No file is closed under the step.
#pragma once

#include <pthread.h>

// Installs the interrupt's handler (it does nothing and does not restart
// the interrupted call) and blocks the interrupt on the calling thread, so
// that every thread started from it has it blocked too. Any other signal
// that the process was started with blocked is let through again.
void install_stop_interrupt();

// On the program thread, at its start and after each box: lets the
// interrupt reach it.
void accept_stop_interrupt();

// Sends the interrupt to the program thread.
void interrupt_program_thread(pthread_t program_thread);

// Before a box on the program thread: the box waits for its answer and
// writes its text whatever the stop, so the interrupt waits meanwhile.
void hold_stop_interrupt();
