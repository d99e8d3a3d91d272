// What is one per process however many of the package's extension modules are loaded: each
// module links its own copy of the shared helpers, so their globals would be one per module.
// The first module executed makes this state and leaves it on the Quorvan.CTP package; every
// later one takes it from there.
#pragma once

#include "python_compat.h"

#include <condition_variable>
#include <mutex>

// The door through which vendor threads enter the interpreter, which interpreter exit closes
// for every module's vendor threads at once.
class VendorThreadGate {
 public:
  bool enter();
  void leave();
  // Admits no one any more and waits for those inside to leave.
  void close_and_wait();

 private:
  std::mutex mutex_;
  std::condition_variable left_;
  int inside_ = 0;
  bool closed_ = false;
};

struct ProcessState {
  // The layout this build made, checked by a module that finds the state already there.
  std::size_t size = sizeof(ProcessState);

  VendorThreadGate gate;

  // exit_handoff.cpp: guarded by the interpreter lock unless said otherwise.
  PyObject *exit_request = nullptr;
  int wake_signal = 0;
  PyObject *wake_handler = nullptr;
  bool wake_prepared = false;
  // Orders the waker's sends before the request is taken: once taken, no send begins, so none
  // can arrive after the interpreter, on its way out, has given the signal back its default
  // action, which would end the process.
  std::mutex wake_mutex;
  bool request_taken = true;  // guarded by wake_mutex
};

// Finds or makes the process's state; called with the interpreter lock held while the module
// is executed, before any of its objects exist. False with an error set.
bool bind_process_state();

// The state bound by bind_process_state.
ProcessState &process_state();
