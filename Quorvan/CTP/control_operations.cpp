// The vendor API object's control operations, and `connect`, which starts it.
#include "trader_methods.h"

#include <string>

#include "record_address.h"

namespace {

// The text of a bytes or bytearray argument, lent for the duration of the call.
const char *lent_text(PyObject *value) {
  if (PyByteArray_Check(value)) {
    return PyByteArray_AS_STRING(value);
  }
  char *buffer;
  Py_ssize_t length;
  return PyBytes_AsStringAndSize(value, &buffer, &length) < 0 ? nullptr : buffer;
}

using RegisterAddress = void (CThostFtdcTraderApi::*)(char *);
using Subscribe = void (CThostFtdcTraderApi::*)(THOST_TE_RESUME_TYPE);
using UserSystemInfoCall = int (CThostFtdcTraderApi::*)(CThostFtdcUserSystemInfoField *);

PyObject *register_address(PyObject *self, PyObject *const *args, Py_ssize_t nargs,
                           PyObject *kwnames, const char *method, RegisterAddress operation) {
  if (!check_one_argument(method, nargs, kwnames)) {
    return method_failed(method);
  }
  const char *text = lent_text(args[0]);
  if (text == nullptr || !check_no_nul(args[0], method)) {
    return method_failed(method);
  }
  CThostFtdcTraderApi *api = usable_api(as_trader(self));
  if (api != nullptr && !call_vendor([&] { (api->*operation)(const_cast<char *>(text)); })) {
    return method_failed(method);
  }
  Py_RETURN_NONE;
}

PyObject *subscribe(PyObject *self, PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames,
                    const char *method, Subscribe operation) {
  unsigned int resume_type;
  if (!check_one_argument(method, nargs, kwnames) || !convert_resume_type(args[0], &resume_type)) {
    return method_failed(method);
  }
  CThostFtdcTraderApi *api = usable_api(as_trader(self));
  if (api != nullptr &&
      !call_vendor([&] { (api->*operation)(static_cast<THOST_TE_RESUME_TYPE>(resume_type)); })) {
    return method_failed(method);
  }
  Py_RETURN_NONE;
}

PyObject *user_system_info(PyObject *self, PyObject *const *args, Py_ssize_t nargs,
                           PyObject *kwnames, const char *method, UserSystemInfoCall operation) {
  if (!check_one_argument(method, nargs, kwnames)) {
    return method_failed(method);
  }
  TraderObject *trader = as_trader(self);
  if (usable_api(trader) == nullptr) {
    return PyLong_FromLong(-1);
  }
  size_t address;
  if (!record_address(method, args[0], sizeof(CThostFtdcUserSystemInfoField),
                      QV_NAME("UserSystemInfoField"), &address)) {
    return method_failed(method);
  }
  auto *record = reinterpret_cast<CThostFtdcUserSystemInfoField *>(address);
  int result = -1;
  bool no_api;
  if (!call_vendor_unlocked(
          trader, &no_api, [&](CThostFtdcTraderApi *api) { result = (api->*operation)(record); })) {
    return method_failed(method);
  }
  return PyLong_FromLong(no_api ? -1 : result);
}

// A record object for the name server's user information; an integer keeps meaning an address.
bool fens_user_info_address(PyObject *value, size_t *address) {
  const bool integer = PyLong_Check(value) || (Py_TYPE(value)->tp_as_number != nullptr &&
                                               Py_TYPE(value)->tp_as_number->nb_int != nullptr);
  if (integer || !PyObject_CheckBuffer(value)) {
    return convert_address(value, address);
  }
  return record_address("RegisterFensUserInfo", value, sizeof(CThostFtdcFensUserInfoField),
                        QV_NAME("FensUserInfoField"), address);
}

const char *const kClsName[] = {"cls"};
const Parameters kGetApiVersion{"GetApiVersion", kClsName, 1, 1};

// Whether this thread may go on to release the object: false once it is released, by this
// call's wait or before. A Release under way on another thread is waited for, since it ends
// only once the handlers are done with the object, except on a vendor thread, whose own
// handler that Release may be waiting for.
bool take_release_turn(TraderObject *self) {
  while (self->api != nullptr && !self->calls->begin_release()) {
    if (VendorThreadVisit::on_this_thread()) {
      return false;
    }
    Py_BEGIN_ALLOW_THREADS self->calls->wait_while_releasing();
    Py_END_ALLOW_THREADS
  }
  return self->api != nullptr;
}

}  // namespace

bool release_vendor_object(TraderObject *self) {
  if (!take_release_turn(self)) {
    return true;
  }
  CThostFtdcTraderApi *api = self->api;
  CTraderSpi *bridge = self->spi;
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
      // Still attached, so the session goes on as before.
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

QV_METHOD(method_connect) {
  if (!check_one_argument("connect", nargs, kwnames)) {
    return method_failed("connect");
  }
  TraderObject *trader = as_trader(self);
  if (usable_api(trader) == nullptr || trader->spi == nullptr) {
    PyErr_SetString(PyExc_Exception, "Error:TraderApi instance is NULL.");
    return method_failed("connect");
  }
  if (!call_method(self, QV_NAME("RegisterFront"), {args[0]})) {
    return method_failed("connect");
  }
  // RegisterFront may be a subclass's, which may have released the object meanwhile.
  CThostFtdcTraderApi *api = usable_api(trader);
  if (api == nullptr) {
    PyErr_SetString(PyExc_Exception, "Error:TraderApi instance is NULL.");
    return method_failed("connect");
  }
  if (!call_vendor([&] { api->Init(); })) {
    return method_failed("connect");
  }
  Py_RETURN_NONE;
}

QV_METHOD(method_GetApiVersion) {
  (void)self;
  PyObject *cls;
  if (!bind_arguments(kGetApiVersion, args, nargs, kwnames, &cls)) {
    return method_failed("GetApiVersion");
  }
  const char *version = nullptr;
  if (!call_vendor([&] { version = CThostFtdcTraderApi::GetApiVersion(); })) {
    return method_failed("GetApiVersion");
  }
  return PyBytes_FromString(version ? version : "");
}

QV_METHOD(method_Release) {
  (void)args;
  if (!check_no_arguments("Release", nargs, kwnames) || !release_vendor_object(as_trader(self))) {
    return method_failed("Release");
  }
  Py_RETURN_NONE;
}

QV_METHOD(method_Join) {
  (void)args;
  if (!check_no_arguments("Join", nargs, kwnames)) {
    return method_failed("Join");
  }
  TraderObject *trader = as_trader(self);
  if (usable_api(trader) == nullptr) {
    return PyLong_FromLong(-1);
  }
  // The vendor's Join returns 0 once Release has ended its threads; waiting inside it would
  // leave this thread in an object that Release, on another thread, frees.
  Py_BEGIN_ALLOW_THREADS trader->calls->wait_until_released();
  Py_END_ALLOW_THREADS return PyLong_FromLong(0);
}

QV_METHOD(method_GetTradingDay) {
  (void)args;
  if (!check_no_arguments("GetTradingDay", nargs, kwnames)) {
    return method_failed("GetTradingDay");
  }
  std::string day;
  bool no_api;
  if (!call_vendor_unlocked(as_trader(self), &no_api, [&](CThostFtdcTraderApi *api) {
        const char *text = api->GetTradingDay();
        day = text ? text : "";
      })) {
    return method_failed("GetTradingDay");
  }
  return PyBytes_FromStringAndSize(day.data(), static_cast<Py_ssize_t>(day.size()));
}

QV_METHOD(method_RegisterFront) {
  return register_address(self, args, nargs, kwnames, "RegisterFront",
                          &CThostFtdcTraderApi::RegisterFront);
}

QV_METHOD(method_RegisterNameServer) {
  return register_address(self, args, nargs, kwnames, "RegisterNameServer",
                          &CThostFtdcTraderApi::RegisterNameServer);
}

QV_METHOD(method_RegisterFensUserInfo) {
  size_t address;
  if (!check_one_argument("RegisterFensUserInfo", nargs, kwnames) ||
      !fens_user_info_address(args[0], &address)) {
    return method_failed("RegisterFensUserInfo");
  }
  CThostFtdcTraderApi *api = usable_api(as_trader(self));
  auto *record = reinterpret_cast<CThostFtdcFensUserInfoField *>(address);
  if (api != nullptr && !call_vendor([&] { api->RegisterFensUserInfo(record); })) {
    return method_failed("RegisterFensUserInfo");
  }
  Py_RETURN_NONE;
}

QV_METHOD(method_SubscribePrivateTopic) {
  return subscribe(self, args, nargs, kwnames, "SubscribePrivateTopic",
                   &CThostFtdcTraderApi::SubscribePrivateTopic);
}

QV_METHOD(method_SubscribePublicTopic) {
  return subscribe(self, args, nargs, kwnames, "SubscribePublicTopic",
                   &CThostFtdcTraderApi::SubscribePublicTopic);
}

QV_METHOD(method_RegisterUserSystemInfo) {
  return user_system_info(self, args, nargs, kwnames, "RegisterUserSystemInfo",
                          &CThostFtdcTraderApi::RegisterUserSystemInfo);
}

QV_METHOD(method_SubmitUserSystemInfo) {
  return user_system_info(self, args, nargs, kwnames, "SubmitUserSystemInfo",
                          &CThostFtdcTraderApi::SubmitUserSystemInfo);
}
