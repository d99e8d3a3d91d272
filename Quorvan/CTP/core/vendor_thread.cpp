// Vendor threads in the interpreter: their kept thread states and the gate that interpreter
// exit closes (one for the process, see process_state.h).
#include "vendor_thread.h"

#include "process_state.h"

namespace {

// The events this thread is delivering: more than one when a handler's call into the vendor
// delivers another event on the spot.
thread_local int t_visits = 0;

// The thread state a vendor thread keeps between events, given back when the thread ends
// (unless the interpreter is exiting by then: it then goes with the interpreter).
class KeptThreadState {
 public:
  KeptThreadState() {
    if (PyGILState_GetThisThreadState() == nullptr) {
      PyGILState_Ensure();
      kept_ = PyEval_SaveThread();
    }
  }

  ~KeptThreadState() {
    if (kept_ == nullptr || !process_state().gate.enter()) {
      return;
    }
    PyEval_RestoreThread(kept_);
    PyGILState_Release(PyGILState_UNLOCKED);
    process_state().gate.leave();
  }

  KeptThreadState(const KeptThreadState &) = delete;
  KeptThreadState &operator=(const KeptThreadState &) = delete;

 private:
  PyThreadState *kept_ = nullptr;
};

}  // namespace

VendorThreadVisit::VendorThreadVisit() : admitted_(process_state().gate.enter()) {
  if (admitted_) {
    thread_local KeptThreadState kept;
    (void)kept;
    ++t_visits;
  }
}

VendorThreadVisit::~VendorThreadVisit() {
  if (admitted_) {
    --t_visits;
    process_state().gate.leave();
  }
}

bool VendorThreadVisit::on_this_thread() { return t_visits > 0; }

void close_interpreter_to_vendor_threads() {
  Py_BEGIN_ALLOW_THREADS process_state().gate.close_and_wait();
  Py_END_ALLOW_THREADS
}
