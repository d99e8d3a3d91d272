#include "vendor_calls.h"

#include <ios>
#include <new>
#include <stdexcept>
#include <typeinfo>

bool VendorCalls::try_enter() {
  unsigned state = state_.load();
  do {
    if (state & kReleasing) {
      return false;
    }
  } while (!state_.compare_exchange_weak(state, state + 1));
  return true;
}

void VendorCalls::leave() {
  // Only a Release waits for the count to reach zero.
  if (state_.fetch_sub(1) == (kReleasing | 1)) {
    notify();
  }
}

bool VendorCalls::releasing() const { return (state_.load() & kReleasing) != 0; }

bool VendorCalls::begin_release() {
  if (state_.fetch_or(kReleasing) & kReleasing) {
    return false;
  }
  notify();
  return true;
}

void VendorCalls::end_release() {
  state_.fetch_and(~kReleasing);
  notify();
}

void VendorCalls::wait_while_releasing() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !releasing(); });
}

void VendorCalls::wait_until_idle() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return (state_.load() & ~kReleasing) == 0; });
}

bool VendorCalls::wait_unless_released(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, timeout, [this] { return releasing() || released_; });
}

void VendorCalls::mark_released() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    released_ = true;
  }
  changed_.notify_all();
}

void VendorCalls::wait_until_released() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return released_; });
}

bool VendorCalls::wait_until_released(std::chrono::milliseconds limit) {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, limit, [this] { return released_; });
}

void VendorCalls::notify() {
  { std::lock_guard<std::mutex> lock(mutex_); }
  changed_.notify_all();
}

void raise_vendor_exception(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc &e) {
    PyErr_SetString(PyExc_MemoryError, e.what());
  } catch (const std::bad_cast &e) {
    PyErr_SetString(PyExc_TypeError, e.what());
  } catch (const std::bad_typeid &e) {
    PyErr_SetString(PyExc_TypeError, e.what());
  } catch (const std::domain_error &e) {
    PyErr_SetString(PyExc_ValueError, e.what());
  } catch (const std::invalid_argument &e) {
    PyErr_SetString(PyExc_ValueError, e.what());
  } catch (const std::ios_base::failure &e) {
    PyErr_SetString(PyExc_IOError, e.what());
  } catch (const std::out_of_range &e) {
    PyErr_SetString(PyExc_IndexError, e.what());
  } catch (const std::overflow_error &e) {
    PyErr_SetString(PyExc_OverflowError, e.what());
  } catch (const std::range_error &e) {
    PyErr_SetString(PyExc_ArithmeticError, e.what());
  } catch (const std::underflow_error &e) {
    PyErr_SetString(PyExc_ArithmeticError, e.what());
  } catch (const std::exception &e) {
    PyErr_SetString(PyExc_RuntimeError, e.what());
  } catch (...) {
    PyErr_SetString(PyExc_RuntimeError, "Unknown exception");
  }
}
