// Vendor threads in the interpreter: their kept thread states and the gate that interpreter
// exit closes.
#include "MyTools.h"

#include <condition_variable>
#include <mutex>

namespace {

class Gate {
 public:
  bool enter() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_) {
      return false;
    }
    ++inside_;
    return true;
  }

  void leave() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (--inside_ == 0) {
      left_.notify_all();
    }
  }

  void close_and_wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    closed_ = true;
    left_.wait(lock, [this] { return inside_ == 0; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable left_;
  int inside_ = 0;
  bool closed_ = false;
};

Gate g_gate;

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
    if (kept_ == nullptr || !g_gate.enter()) {
      return;
    }
    PyEval_RestoreThread(kept_);
    PyGILState_Release(PyGILState_UNLOCKED);
    g_gate.leave();
  }

  KeptThreadState(const KeptThreadState &) = delete;
  KeptThreadState &operator=(const KeptThreadState &) = delete;

 private:
  PyThreadState *kept_ = nullptr;
};

}  // namespace

VendorThreadVisit::VendorThreadVisit() : admitted_(g_gate.enter()) {
  if (admitted_) {
    thread_local KeptThreadState kept;
    (void)kept;
    ++t_visits;
  }
}

VendorThreadVisit::~VendorThreadVisit() {
  if (admitted_) {
    --t_visits;
    g_gate.leave();
  }
}

bool VendorThreadVisit::on_this_thread() { return t_visits > 0; }

void close_interpreter_to_vendor_threads() {
  Py_BEGIN_ALLOW_THREADS g_gate.close_and_wait();
  Py_END_ALLOW_THREADS
}
