// A handler's request to exit the program, carried from the vendor's thread to the main
// thread, which exits as if it had asked itself.
#pragma once

#include "python_compat.h"

#include <atomic>

// With the interpreter lock held, on any thread: on the main thread, the first call takes a
// free real-time signal for waking the main thread, when there is one; elsewhere it does
// nothing, and a later call on the main thread does it.
void prepare_main_thread_wake();

// With the interpreter lock held, on a vendor thread: takes a reference to `exit`, a
// SystemExit, and has the main thread raise it, even where it blocks in a wait that only a
// signal interrupts. A request made while another waits is dropped: the first one exits.
void hand_exit_to_main_thread(PyObject *exit);

// With the interpreter lock held: for a wait about to begin on this thread, the flag that a
// request to exit sets, or null when the thread is not the main thread, whose waits no
// request ends. A wait that sees the flag gives up, and the thread then takes the request
// with Py_MakePendingCalls. False with an error set.
bool interruptible_wait_here(const std::atomic<bool> **interrupt);
