// A vendor thread's way into the interpreter: the lock taken on a thread the interpreter did not
// create, and the visit that keeps the thread's state between events and that interpreter exit
// can refuse.
#pragma once

#include "python_compat.h"

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

// One event's visit of a vendor thread to the interpreter. While it is admitted it keeps the
// thread's interpreter thread state from one event to the next: a vendor thread has none of
// its own, and without this PyGILState_Ensure would create one (with its frame stack) for
// every event and destroy it afterwards, which costs more than the event. Once the
// interpreter is exiting no visit is admitted any more, so that no vendor thread ever enters
// a finalizing interpreter (which would end the thread in the middle of the vendor's code).
class VendorThreadVisit {
 public:
  VendorThreadVisit();
  ~VendorThreadVisit();
  VendorThreadVisit(const VendorThreadVisit &) = delete;
  VendorThreadVisit &operator=(const VendorThreadVisit &) = delete;

  bool admitted() const { return admitted_; }

  // Whether this thread is delivering an event now, that is, whether it is a vendor thread
  // whose handler is running.
  static bool on_this_thread();

 private:
  bool admitted_;
};

// Called at interpreter exit with the interpreter lock held: admits no more visits and waits,
// without the lock, for those under way to end.
void close_interpreter_to_vendor_threads();
