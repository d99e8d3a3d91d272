// The native part of a trader object and the rules for reaching its vendor API object.
#pragma once

#include "python_support.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "CTraderAPI.h"
#include "ThostFtdcTraderApi.h"

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

  // The vendor object has been released for good: Join returns.
  void mark_released();
  // Waits, without the interpreter lock, for mark_released.
  void wait_until_released();

 private:
  static constexpr unsigned kReleasing = 1u << 31;  // the rest of the word counts calls

  // Wakes the waiters; the mutex orders this after a waiter's check or within its wait.
  void notify();

  std::atomic<unsigned> state_{0};
  std::mutex mutex_;
  std::condition_variable changed_;
  bool released_ = false;  // guarded by mutex_; set once, never cleared
};

struct TraderObject {
  PyObject_HEAD CThostFtdcTraderApi
      *api;            // the vendor API object: null before construction makes it and after Release
  CTraderSpi *spi;     // the bridge registered with it: null likewise
  CTraderSpi *bridge;  // owns the bridge until the object is freed, since an event may
                       // still be leaving it when Release returns on the vendor's thread
  VendorCalls *calls;
};

extern PyTypeObject TraderApiBaseType;

inline TraderObject *as_trader(PyObject *object) {
  return reinterpret_cast<TraderObject *>(object);
}

// The vendor object for a call made now with the lock held; null when there is none or it is
// being released.
CThostFtdcTraderApi *usable_api(TraderObject *self);

// The Python exception for the C++ exception `error`, by the class of the exception.
void raise_vendor_exception(std::exception_ptr error);

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

// Runs `call` on the vendor object with the interpreter lock released, keeping the object
// alive meanwhile. Returns false with the translated vendor exception set, and sets *no_api
// (without an error) when the object is gone or being released.
template <class Call>
bool call_vendor_unlocked(TraderObject *self, bool *no_api, Call &&call) {
  CThostFtdcTraderApi *api = self->api;
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
