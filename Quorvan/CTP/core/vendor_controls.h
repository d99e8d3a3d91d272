// The control operations every vendor API object has (connect, Release, Join, GetTradingDay,
// the registrations and GetApiVersion), for any class whose objects follow vendor_calls.h.
#pragma once

#include <chrono>
#include <string>
#include <type_traits>

#include "ThostFtdcUserApiStruct.h"
#include "exit_handoff.h"
#include "vendor_calls.h"

// The text of a bytes or bytearray argument, lent for the duration of the call; null with an
// error set for anything else.
const char *lent_text(PyObject *value);

// A record object for the name server's user information; an integer keeps meaning an address.
bool fens_user_info_address(PyObject *value, size_t *address);

// GetApiVersion's one argument, the class it is called on (it is a static method taking it).
bool bind_api_version_call(PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames);

namespace vendor_controls {

template <class Object>
using Api = std::remove_pointer_t<decltype(Object::api)>;

template <class Object>
PyObject *register_address(PyObject *self, PyObject *const *args, Py_ssize_t nargs,
                           PyObject *kwnames, const char *method,
                           void (Api<Object>::*operation)(char *)) {
  if (!check_one_argument(method, nargs, kwnames)) {
    return method_failed(method);
  }
  const char *text = lent_text(args[0]);
  if (text == nullptr || !check_no_nul(args[0], method)) {
    return method_failed(method);
  }
  Api<Object> *api = usable_api(reinterpret_cast<Object *>(self));
  if (api != nullptr && !call_vendor([&] { (api->*operation)(const_cast<char *>(text)); })) {
    return method_failed(method);
  }
  Py_RETURN_NONE;
}

template <class Object>
PyObject *register_fens_user_info(PyObject *self, PyObject *const *args, Py_ssize_t nargs,
                                  PyObject *kwnames) {
  size_t address;
  if (!check_one_argument("RegisterFensUserInfo", nargs, kwnames) ||
      !fens_user_info_address(args[0], &address)) {
    return method_failed("RegisterFensUserInfo");
  }
  Api<Object> *api = usable_api(reinterpret_cast<Object *>(self));
  auto *record = reinterpret_cast<CThostFtdcFensUserInfoField *>(address);
  if (api != nullptr && !call_vendor([&] { api->RegisterFensUserInfo(record); })) {
    return method_failed("RegisterFensUserInfo");
  }
  Py_RETURN_NONE;
}

// connect(front): registers the front through the object's RegisterFront (a subclass's, when
// it has one) and starts the vendor object. `missing` is the error when there is none.
template <class Object>
PyObject *connect(PyObject *self, PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames,
                  const char *missing) {
  if (!check_one_argument("connect", nargs, kwnames)) {
    return method_failed("connect");
  }
  Object *object = reinterpret_cast<Object *>(self);
  if (usable_api(object) == nullptr || object->spi == nullptr) {
    PyErr_SetString(PyExc_Exception, missing);
    return method_failed("connect");
  }
  if (!call_method(self, QV_NAME("RegisterFront"), {args[0]})) {
    return method_failed("connect");
  }
  // RegisterFront may be a subclass's, which may have released the object meanwhile.
  Api<Object> *api = usable_api(object);
  if (api == nullptr) {
    PyErr_SetString(PyExc_Exception, missing);
    return method_failed("connect");
  }
  if (!call_vendor([&] { api->Init(); })) {
    return method_failed("connect");
  }
  Py_RETURN_NONE;
}

template <class Object>
PyObject *get_api_version(PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames) {
  if (!bind_api_version_call(args, nargs, kwnames)) {
    return method_failed("GetApiVersion");
  }
  const char *version = nullptr;
  if (!call_vendor([&] { version = Api<Object>::GetApiVersion(); })) {
    return method_failed("GetApiVersion");
  }
  return PyBytes_FromString(version ? version : "");
}

template <class Object>
PyObject *release(PyObject *self, Py_ssize_t nargs, PyObject *kwnames) {
  if (!check_no_arguments("Release", nargs, kwnames) ||
      !release_vendor_object(reinterpret_cast<Object *>(self))) {
    return method_failed("Release");
  }
  Py_RETURN_NONE;
}

// How long a wait on the main thread goes without looking at what only the main thread
// runs: the program's signal handlers and a handler's exit request.
constexpr std::chrono::milliseconds kMainThreadWaitSlice{50};

template <class Object>
PyObject *join(PyObject *self, Py_ssize_t nargs, PyObject *kwnames) {
  if (!check_no_arguments("Join", nargs, kwnames)) {
    return method_failed("Join");
  }
  Object *object = reinterpret_cast<Object *>(self);
  if (usable_api(object) == nullptr) {
    return PyLong_FromLong(-1);
  }
  bool main = false;
  if (!on_main_thread(&main)) {
    return method_failed("Join");
  }
  // The vendor's Join returns 0 once Release has ended its threads; waiting inside it would
  // leave this thread in an object that Release, on another thread, frees.
  if (!main) {
    Py_BEGIN_ALLOW_THREADS object->calls->wait_until_released();
    Py_END_ALLOW_THREADS return PyLong_FromLong(0);
  }
  // Nothing wakes the wait for a signal (a Ctrl-C, or one the program set a handler for) or
  // for an exit request, which may come from an object of either module: the main thread
  // looks at them every slice, with the lock, and ends its wait with what they raise.
  for (;;) {
    bool released;
    Py_BEGIN_ALLOW_THREADS released = object->calls->wait_until_released(kMainThreadWaitSlice);
    Py_END_ALLOW_THREADS if (released) { return PyLong_FromLong(0); }
    if (PyErr_CheckSignals() < 0 || Py_MakePendingCalls() < 0) {
      return method_failed("Join");
    }
  }
}

template <class Object>
PyObject *get_trading_day(PyObject *self, Py_ssize_t nargs, PyObject *kwnames) {
  if (!check_no_arguments("GetTradingDay", nargs, kwnames)) {
    return method_failed("GetTradingDay");
  }
  std::string day;
  bool no_api;
  if (!call_vendor_unlocked(reinterpret_cast<Object *>(self), &no_api, [&](Api<Object> *api) {
        const char *text = api->GetTradingDay();
        day = text ? text : "";
      })) {
    return method_failed("GetTradingDay");
  }
  return PyBytes_FromStringAndSize(day.data(), static_cast<Py_ssize_t>(day.size()));
}

}  // namespace vendor_controls

// The control methods of the half `Half`'s class, as the class's method table takes them.
template <class Half>
struct ControlMethods {
  using Object = ApiObject<Half>;
  using Api = typename Half::Api;

  static QV_METHOD(connect) {
    static const std::string missing =
        std::string("Error:") + Half::kVendor + "Api instance is NULL.";
    return vendor_controls::connect<Object>(self, args, nargs, kwnames, missing.c_str());
  }
  static QV_METHOD(get_api_version) {
    (void)self;
    return vendor_controls::get_api_version<Object>(args, nargs, kwnames);
  }
  static QV_METHOD(release) {
    (void)args;
    return vendor_controls::release<Object>(self, nargs, kwnames);
  }
  static QV_METHOD(join) {
    (void)args;
    return vendor_controls::join<Object>(self, nargs, kwnames);
  }
  static QV_METHOD(get_trading_day) {
    (void)args;
    return vendor_controls::get_trading_day<Object>(self, nargs, kwnames);
  }
  static QV_METHOD(register_front) {
    return vendor_controls::register_address<Object>(self, args, nargs, kwnames, "RegisterFront",
                                                     &Api::RegisterFront);
  }
  static QV_METHOD(register_name_server) {
    return vendor_controls::register_address<Object>(
        self, args, nargs, kwnames, "RegisterNameServer", &Api::RegisterNameServer);
  }
  static QV_METHOD(register_fens_user_info) {
    return vendor_controls::register_fens_user_info<Object>(self, args, nargs, kwnames);
  }
};
