// Carrying a handler's exit request to the main thread. A pending call reaches a main thread
// that runs Python code, but not one blocked in a wait, which only a signal breaks off. Even
// then, only a lock's wait (Event.wait) runs pending calls before it resumes; a sleep or a read
// (time.sleep, input()) runs only the Python-level signal handlers. So the wake signal's handler
// is a Python-level one, which raises the request itself, and since only the main thread can
// set such a handler, the signal is taken there in advance, when a trader is made.
#include "exit_handoff.h"

#include <signal.h>

#include <chrono>
#include <mutex>
#include <system_error>
#include <thread>

#include "process_state.h"
#include "python_support.h"

namespace {

// The request and the wake signal are one per process (process_state.h): a handler of either
// module's objects may ask to exit, and the first request is the one that exits.
ProcessState &state() { return process_state(); }

// A signal that lands after the main thread has given up the interpreter lock but before it
// blocks is lost to that wait, so the waker sends it again until the request is taken.
constexpr int kWakeAttempts = 100;
constexpr std::chrono::milliseconds kWakeInterval{100};

// Raises the request waiting, if one does; run by the interpreter in the main thread, as a
// pending call or from the wake signal's handler, whichever comes first.
int raise_exit_request(void *) {
  PyObject *exit = state().exit_request;
  if (exit == nullptr) {
    return 0;
  }
  {
    std::lock_guard<std::mutex> lock(state().wake_mutex);
    state().request_taken = true;
  }
  state().exit_request = nullptr;
  PyErr_SetObject(reinterpret_cast<PyObject *>(Py_TYPE(exit)), exit);
  Py_DECREF(exit);
  return -1;
}

PyObject *on_wake_signal(PyObject *, PyObject *const *, Py_ssize_t) {
  if (raise_exit_request(nullptr) < 0) {
    return nullptr;
  }
  Py_RETURN_NONE;
}

PyMethodDef kOnWakeSignal = {
    "exit_request_handler",
    reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(on_wake_signal)), METH_FASTCALL,
    nullptr};

// threading.main_thread().ident: after a fork from another thread, the forking thread's.
PyRef main_thread_ident() {
  PyRef threading(PyImport_ImportModule("threading"));
  PyRef main = threading ? call_method(threading.get(), QV_NAME("main_thread"), {}) : PyRef();
  return main ? get_attribute(main.get(), QV_NAME("ident")) : PyRef();
}

// A real-time signal that nobody handles and this thread does not block, or 0. Its default
// action ends the process, so nobody sends it without first handling it.
int free_signal() {
  sigset_t blocked;
  if (pthread_sigmask(SIG_BLOCK, nullptr, &blocked) != 0) {
    return 0;
  }
  for (int candidate = SIGRTMAX; candidate >= SIGRTMIN; --candidate) {
    struct sigaction current;
    if (sigaction(candidate, nullptr, &current) == 0 && !(current.sa_flags & SA_SIGINFO) &&
        current.sa_handler == SIG_DFL && !sigismember(&blocked, candidate)) {
      return candidate;
    }
  }
  return 0;
}

// The interpreter sets its handlers without SA_RESTART, so the signal breaks off a sleep or a
// read, after which the interpreter runs the Python-level handler.
bool take_wake_signal() {
  const int candidate = free_signal();
  if (candidate == 0) {
    return true;
  }
  PyRef signal_module(PyImport_ImportModule("signal"));
  PyRef handler(PyCFunction_New(&kOnWakeSignal, nullptr));
  PyRef number(PyLong_FromLong(candidate));
  if (!signal_module || !handler || !number ||
      !call_method(signal_module.get(), QV_NAME("signal"), {number.get(), handler.get()})) {
    return false;
  }
  state().wake_signal = candidate;
  state().wake_handler = handler.release();
  return true;
}

// Sends the signal to `main` every interval until the request is taken, the signal has lost
// its handler, or the attempts run out. Runs on a thread of its own, without the lock.
void keep_waking(pthread_t main, int signal_number) {
  for (int attempt = 0; attempt < kWakeAttempts; ++attempt) {
    {
      std::lock_guard<std::mutex> lock(state().wake_mutex);
      struct sigaction current;
      if (state().request_taken || sigaction(signal_number, nullptr, &current) != 0 ||
          current.sa_handler == SIG_DFL || current.sa_handler == SIG_IGN ||
          pthread_kill(main, signal_number) != 0) {
        return;
      }
    }
    std::this_thread::sleep_for(kWakeInterval);
  }
}

// Wakes the main thread with the signal, unless the program has since handled the signal
// itself.
void wake_main_thread() {
  PyRef signal_module(PyImport_ImportModule("signal"));
  PyRef number(PyLong_FromLong(state().wake_signal));
  PyRef current = signal_module && number
                      ? call_method(signal_module.get(), QV_NAME("getsignal"), {number.get()})
                      : PyRef();
  PyRef main = current.get() == state().wake_handler ? main_thread_ident() : PyRef();
  const unsigned long ident = main ? PyLong_AsUnsignedLong(main.get()) : 0;
  if (PyErr_Occurred() || !main) {
    PyErr_Clear();
    return;
  }
  {
    std::lock_guard<std::mutex> lock(state().wake_mutex);
    state().request_taken = false;
  }
  try {
    std::thread(keep_waking, static_cast<pthread_t>(ident), state().wake_signal).detach();
  } catch (const std::system_error &) {
    // No thread to spare: one signal, which reaches a main thread already blocked.
    pthread_kill(static_cast<pthread_t>(ident), state().wake_signal);
  }
}

}  // namespace

void prepare_main_thread_wake() {
  if (state().wake_prepared) {
    return;
  }
  bool main = false;
  // Waking the main thread is a convenience: without it the request still reaches a main
  // thread that runs Python code, so a failure here fails nothing else.
  if (!on_main_thread(&main) || (main && !take_wake_signal())) {
    PyErr_Clear();
    return;
  }
  state().wake_prepared = main;
}

void hand_exit_to_main_thread(PyObject *exit) {
  if (state().exit_request != nullptr) {
    return;
  }
  state().exit_request = Py_NewRef(exit);
  // Only fails when the queue is full, and then the signal still carries the request.
  (void)Py_AddPendingCall(raise_exit_request, nullptr);
  if (state().wake_signal != 0) {
    wake_main_thread();
  }
}

bool on_main_thread(bool *answer) {
  PyRef ident = main_thread_ident();
  if (!ident) {
    return false;
  }
  const unsigned long main_ident = PyLong_AsUnsignedLong(ident.get());
  *answer = main_ident == PyThread_get_thread_ident();
  return !PyErr_Occurred();
}
