// A handler's request to exit the program, carried from the vendor's thread to the main
// thread, which exits as if it had asked itself.
#pragma once

#include "python_compat.h"

// With the interpreter lock held, on any thread: on the main thread, the first call takes a
// free real-time signal for waking the main thread, when there is one; elsewhere it does
// nothing, and a later call on the main thread does it.
void prepare_main_thread_wake();

// With the interpreter lock held, on a vendor thread: takes a reference to `exit`, a
// SystemExit, and has the main thread raise it, even where it blocks in a wait that only a
// signal interrupts. A request made while another waits is dropped: the first one exits.
void hand_exit_to_main_thread(PyObject *exit);

// With the interpreter lock held: whether this is the main thread, the one that runs the
// program's signal handlers and takes a handler's exit request. False with an error set.
bool on_main_thread(bool *answer);
