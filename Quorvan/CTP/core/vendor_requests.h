// How a record object's memory reaches the vendor, and the request methods that pass it: each
// hands its record object's memory to the vendor as the vendor record and returns the vendor's
// integer; answers come later, as events.
#pragma once

#include "vendor_calls.h"

// ctypes.addressof(record), with ctypes looked up now. The record must be an instance of the
// module global `record_class` (an interned name, looked up now) or of a subclass, and hold
// at least the vendor record's size: the vendor reads sizeof(vendor record) bytes laid out
// as its record, so another class's memory, even a large enough one, would be misread.
// Refused with TypeError naming the class.
bool record_address(const char *method, PyObject *record, size_t vendor_size,
                    PyObject *record_class, size_t *address);

template <class Object, class Api, class Record>
PyObject *send_request(PyObject *self, PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames,
                       const Parameters &parameters, PyObject *record_class,
                       int (Api::*operation)(Record *, int)) {
  PyObject *values[2];
  int request_id = 0;
  if (!bind_arguments(parameters, args, nargs, kwnames, values) ||
      (values[1] != nullptr && !convert_int32(values[1], &request_id))) {
    return method_failed(parameters.function);
  }
  Object *object = reinterpret_cast<Object *>(self);
  if (usable_api(object) == nullptr) {
    return PyLong_FromLong(-1);
  }
  size_t address;
  if (!record_address(parameters.function, values[0], sizeof(Record), record_class, &address)) {
    return method_failed(parameters.function);
  }
  return call_request(object, parameters.function, operation, reinterpret_cast<Record *>(address),
                      request_id);
}

// The request method `Name` of the class of the half `Half`.
#define QV_REQUEST_METHOD(Half, Name, Record, Param)                                  \
  QV_METHOD(method_##Name) {                                                          \
    static const char *const names[] = {#Param, "nRequestID"};                        \
    static const Parameters parameters{#Name, names, 1, 2};                           \
    return send_request<ApiObject<Half>>(self, args, nargs, kwnames, parameters,      \
                                         QV_NAME(#Record "Field"), &Half::Api::Name); \
  }
