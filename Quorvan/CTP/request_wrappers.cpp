// The 95 request methods: each passes its record object's memory to the vendor as the vendor
// record and returns the vendor's integer; answers come later, as events.
#include "trader_methods.h"

#include "record_address.h"

namespace {

template <class Record>
using Request = int (CThostFtdcTraderApi::*)(Record *, int);

template <class Record>
PyObject *send_request(PyObject *self, PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames,
                       const Parameters &parameters, PyObject *record_class,
                       Request<Record> operation) {
  PyObject *values[2];
  int request_id = 0;
  if (!bind_arguments(parameters, args, nargs, kwnames, values) ||
      (values[1] != nullptr && !convert_int32(values[1], &request_id))) {
    return method_failed(parameters.function);
  }
  TraderObject *trader = as_trader(self);
  if (usable_api(trader) == nullptr) {
    return PyLong_FromLong(-1);
  }
  size_t address;
  if (!record_address(parameters.function, values[0], sizeof(Record), record_class, &address)) {
    return method_failed(parameters.function);
  }
  auto *record = reinterpret_cast<Record *>(address);
  int result = -1;
  bool no_api;
  if (!call_vendor_unlocked(trader, &no_api, [&](CThostFtdcTraderApi *api) {
        result = (api->*operation)(record, request_id);
      })) {
    return method_failed(parameters.function);
  }
  return PyLong_FromLong(no_api ? -1 : result);
}

}  // namespace

#define REQUEST(Name, Record, Param)                                                       \
  QV_METHOD(method_##Name) {                                                               \
    static const char *const names[] = {#Param, "nRequestID"};                             \
    static const Parameters parameters{#Name, names, 1, 2};                                \
    return send_request<CThostFtdc##Record##Field>(self, args, nargs, kwnames, parameters, \
                                                   QV_NAME(#Record "Field"),               \
                                                   &CThostFtdcTraderApi::Name);            \
  }
#include "requests.def"
