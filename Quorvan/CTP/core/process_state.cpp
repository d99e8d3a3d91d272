#include "process_state.h"

#include <new>

#include "python_support.h"

namespace {

constexpr const char kCapsuleName[] = "Quorvan.CTP._process_state";
constexpr const char kPackage[] = "Quorvan.CTP";
constexpr const char kAttribute[] = "_process_state";

ProcessState *g_state = nullptr;

}  // namespace

bool VendorThreadGate::enter() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (closed_) {
    return false;
  }
  ++inside_;
  return true;
}

void VendorThreadGate::leave() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (--inside_ == 0) {
    left_.notify_all();
  }
}

void VendorThreadGate::close_and_wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  closed_ = true;
  left_.wait(lock, [this] { return inside_ == 0; });
}

bool bind_process_state() {
  if (g_state != nullptr) {
    return true;
  }
  PyRef package(PyImport_ImportModule(kPackage));
  if (!package) {
    return false;
  }
  PyRef found(PyObject_GetAttrString(package.get(), kAttribute));
  if (found) {
    auto *state = static_cast<ProcessState *>(PyCapsule_GetPointer(found.get(), kCapsuleName));
    if (state == nullptr) {
      return false;
    }
    if (state->size != sizeof(ProcessState)) {
      PyErr_SetString(PyExc_ImportError,
                      "the package's extension modules come from different builds");
      return false;
    }
    g_state = state;
    return true;
  }
  if (!PyErr_ExceptionMatches(PyExc_AttributeError)) {
    return false;
  }
  PyErr_Clear();
  // Never freed: vendor threads may reach it until the process ends.
  auto *state = new (std::nothrow) ProcessState();
  if (state == nullptr) {
    PyErr_NoMemory();
    return false;
  }
  PyRef capsule(PyCapsule_New(state, kCapsuleName, nullptr));
  if (!capsule || PyObject_SetAttrString(package.get(), kAttribute, capsule.get()) < 0) {
    delete state;
    return false;
  }
  g_state = state;
  return true;
}

ProcessState &process_state() { return *g_state; }
