// Small helpers shared by the bridge and the extension.
#pragma once

#include <Python.h>

// Holds the interpreter lock for its scope; works on threads the interpreter did not create,
// such as the vendor's, and gives the lock back on every way out, unwinding included.
class PyGILLock {
public:
    PyGILLock() : m_gil_state(PyGILState_Ensure()) {}
    ~PyGILLock() { PyGILState_Release(m_gil_state); }
    PyGILLock(const PyGILLock &) = delete;
    PyGILLock &operator=(const PyGILLock &) = delete;

private:
    PyGILState_STATE m_gil_state;
};

// Keeps the calling thread's interpreter thread state from one event to the next. A vendor
// thread has none of its own, and without this PyGILState_Ensure would create one (with its
// frame stack) for every event and destroy it afterwards, which costs more than the event.
// The state goes when the thread ends. Threads the interpreter made are left alone.
void keep_thread_state();
