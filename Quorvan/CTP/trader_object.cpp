#include "trader_object.h"

#include <ios>
#include <new>
#include <stdexcept>
#include <typeinfo>

bool VendorCalls::try_enter() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (releasing_) {
        return false;
    }
    ++in_flight_;
    return true;
}

void VendorCalls::leave() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (--in_flight_ == 0) {
        changed_.notify_all();
    }
}

bool VendorCalls::releasing() {
    std::lock_guard<std::mutex> lock(mutex_);
    return releasing_;
}

bool VendorCalls::begin_release() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (releasing_) {
        return false;
    }
    releasing_ = true;
    return true;
}

void VendorCalls::end_release() {
    std::lock_guard<std::mutex> lock(mutex_);
    releasing_ = false;
    changed_.notify_all();
}

void VendorCalls::wait_until_idle() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return in_flight_ == 0; });
}

void VendorCalls::wait_for_release() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !releasing_; });
}

CThostFtdcTraderApi *usable_api(TraderObject *self) {
    if (self->api == nullptr || self->calls->releasing()) {
        return nullptr;
    }
    return self->api;
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
