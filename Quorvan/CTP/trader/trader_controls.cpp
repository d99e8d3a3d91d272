// The control operations only the trader has: the topics and the user system information.
#include "trader_methods.h"

#include "vendor_controls.h"
#include "vendor_requests.h"

namespace {

using Subscribe = void (CThostFtdcTraderApi::*)(THOST_TE_RESUME_TYPE);
using UserSystemInfoCall = int (CThostFtdcTraderApi::*)(CThostFtdcUserSystemInfoField *);

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

}  // namespace

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
