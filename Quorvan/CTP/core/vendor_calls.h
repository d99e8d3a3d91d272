// The rules for reaching a vendor API object from Python, shared by every class that owns
// one: an object of such a class has the members `api` (the vendor object, null once
// released), `spi` (the bridge registered with it, with its `detached` flag) and `calls`.
#pragma once

#include "python_support.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <string>

#include "vendor_thread.h"

// Calls made without the interpreter lock keep the vendor object alive: Release waits for
// them, without the lock, before it hands the object back to the vendor. Only one Release at
// a time does that; a second one waits for it to end, since its caller may go on to free what
// a handler still running uses. Join is not such a call: releasing is what ends it, so it
// waits here for the release instead of inside the vendor object that the release frees.
//
// Every request counts itself in and out, so the count and the releasing flag share one
// atomic word and a call never takes the mutex; only a Release waits on it.
class VendorCalls {
 public:
  // Counts a call about to enter the vendor; false while a Release is under way.
  bool try_enter();
  void leave();
  bool releasing() const;

  // False when another Release is already under way.
  bool begin_release();
  void end_release();
  // Waits, without the interpreter lock, until no Release is under way.
  void wait_while_releasing();
  // Waits, without the interpreter lock, until no call is in the vendor.
  void wait_until_idle();
  // Waits, without the interpreter lock, for `timeout` or until a Release begins, whichever
  // comes first; true when one has begun (or the object is released). A handler that waits
  // on the vendor's thread is woken by it at once, so the Release, which joins that thread,
  // is never held up.
  bool wait_unless_released(std::chrono::milliseconds timeout);

  // The vendor object has been released for good: Join returns.
  void mark_released();
  // Waits, without the interpreter lock, for mark_released.
  void wait_until_released();
  // The same for at most `limit`; true when released.
  bool wait_until_released(std::chrono::milliseconds limit);

 private:
  static constexpr unsigned kReleasing = 1u << 31;  // the rest of the word counts calls

  // Wakes the waiters; the mutex orders this after a waiter's check or within its wait.
  void notify();

  std::atomic<unsigned> state_{0};
  std::mutex mutex_;
  std::condition_variable changed_;
  bool released_ = false;  // guarded by mutex_; set once, never cleared
};

// The native part of an object of either class; `Half` is the half's traits (trader_half.h,
// md_half.h): its vendor API class, its bridge and what else its objects hold.
template <class Half>
struct ApiObject {
  PyObject_HEAD typename Half::Api
      *api;  // the vendor API object: null before construction makes it and after Release
  typename Half::Bridge *spi;     // the bridge registered with it: null likewise
  typename Half::Bridge *bridge;  // owns the bridge until the object is freed, since an event
                                  // may still be leaving it when Release returns on the
                                  // vendor's thread
  VendorCalls *calls;
  typename Half::Members members;
};

// The dotted name of the half's module, "Quorvan.CTP." and its traits' kClass.
template <class Half>
const char *module_name() {
  static const std::string name = std::string("Quorvan.CTP.") + Half::kClass;
  return name.c_str();
}

template <class Half>
ApiObject<Half> *as_object(PyObject *object) {
  return reinterpret_cast<ApiObject<Half> *>(object);
}

// The Python exception for the C++ exception `error`, by the class of the exception.
void raise_vendor_exception(std::exception_ptr error);

// No C++ exception may cross into the interpreter, which cannot unwind through it, nor into
// the vendor's thread, which would end the process. Every entry point and every callback
// ends in one of these two when one escapes its code.

// Raises the C++ exception being handled as the matching Python exception.
inline void raise_thrown() noexcept { raise_vendor_exception(std::current_exception()); }

// Reports the C++ exception being handled as unraisable under `context`; the interpreter
// lock must be held.
inline void report_thrown(const char *context) noexcept {
  raise_thrown();
  report_unraisable(context);
}

// Runs `call` holding the lock; a vendor exception becomes the Python one and false.
template <class Call>
bool call_vendor(Call &&call) {
  try {
    call();
    return true;
  } catch (...) {
    raise_vendor_exception(std::current_exception());
    return false;
  }
}

// The vendor object for a call made now with the lock held; null when there is none or it is
// being released.
template <class Object>
auto usable_api(Object *self) -> decltype(self->api) {
  if (self->api == nullptr || self->calls->releasing()) {
    return nullptr;
  }
  return self->api;
}

// Runs `call` on the vendor object with the interpreter lock released, keeping the object
// alive meanwhile. Returns false with the translated vendor exception set, and sets *no_api
// (without an error) when the object is gone or being released.
template <class Object, class Call>
bool call_vendor_unlocked(Object *self, bool *no_api, Call &&call) {
  auto *api = self->api;
  if (api == nullptr || !self->calls->try_enter()) {
    *no_api = true;
    return true;
  }
  *no_api = false;
  std::exception_ptr error;
  Py_BEGIN_ALLOW_THREADS try { call(api); } catch (...) {
    error = std::current_exception();
  }
  self->calls->leave();
  Py_END_ALLOW_THREADS if (error) {
    raise_vendor_exception(error);
    return false;
  }
  return true;
}

// Calls the vendor's `operation` with `record`, the interpreter lock released; -1 when the
// vendor object is gone or being released.
template <class Object, class Api, class Record>
PyObject *call_request(Object *object, const char *function, int (Api::*operation)(Record *, int),
                       Record *record, int request_id) {
  int result = -1;
  bool no_api;
  if (!call_vendor_unlocked(object, &no_api,
                            [&](Api *api) { result = (api->*operation)(record, request_id); })) {
    return method_failed(function);
  }
  return PyLong_FromLong(no_api ? -1 : result);
}

namespace vendor_release {

// Whether this thread may go on to release the object: false once it is released, by this
// call's wait or before. A Release under way on another thread is waited for, since it ends
// only once the handlers are done with the object, except on a vendor thread, whose own
// handler that Release may be waiting for.
template <class Object>
bool take_turn(Object *self) {
  while (self->api != nullptr && !self->calls->begin_release()) {
    if (VendorThreadVisit::on_this_thread()) {
      return false;
    }
    Py_BEGIN_ALLOW_THREADS self->calls->wait_while_releasing();
    Py_END_ALLOW_THREADS
  }
  return self->api != nullptr;
}

}  // namespace vendor_release

// Detaches the bridge and hands the vendor object back, without holding the interpreter lock
// while the vendor works. False with the vendor's exception set; both pointers then stay.
template <class Object>
bool release_vendor_object(Object *self) {
  if (!vendor_release::take_turn(self)) {
    return true;
  }
  auto *api = self->api;
  auto *bridge = self->spi;
  const bool was_detached = bridge != nullptr && bridge->detached;
  if (bridge != nullptr) {
    bridge->detached = true;
  }
  std::exception_ptr error;
  bool detached = false;
  // Without the lock: an event waiting for it in the bridge must be able to finish, or the
  // vendor's detach and release would wait for it forever.
  Py_BEGIN_ALLOW_THREADS try {
    api->RegisterSpi(nullptr);
    detached = true;
    self->calls->wait_until_idle();
    api->Release();
  } catch (...) {
    error = std::current_exception();
  }
  Py_END_ALLOW_THREADS if (error) {
    if (!detached && bridge != nullptr) {
      // Still attached, so the events keep coming as before.
      bridge->detached = was_detached;
    }
    self->calls->end_release();
    raise_vendor_exception(error);
    return false;
  }
  self->api = nullptr;
  self->spi = nullptr;
  // A Release waiting for this one finds the object gone when it wakes.
  self->calls->end_release();
  self->calls->mark_released();
  return true;
}
