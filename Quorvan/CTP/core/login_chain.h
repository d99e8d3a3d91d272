// The login chain, the requests an object sends by itself after each connection until it is
// ready (the trader authenticates, logs in and confirms the settlement statement; the market
// data logs in), made of the steps both halves share: each sends its request from inside the
// previous answer's handler, logs what it saw through write_log, and keeps its failure in
// init_error_msg. A broker's refusal stops the chain, also across reconnections; a request the
// vendor did not send is tried again, since the line or the flow control that kept it back
// does not last.
#pragma once

#include "python_support.h"

#include <cstddef>

#include "vendor_calls.h"

// An answer's four arguments as its handler received them.
struct Response {
  PyObject *record, *info, *request_id, *is_last;
};

// "label" followed by str(value), as one log item.
PyRef labelled(const char *label, PyObject *value);
PyRef make_str(const char *value);

// self.write_log(*items); false when an item is null (its computation failed) or on an error.
bool log_items(PyObject *self, std::initializer_list<PyObject *> items);

PyRef error_msg(PyObject *self);
bool store_error(PyObject *self, PyObject *key, PyObject *value);

// A request of the chain, its record made of the object's attributes.
struct LoginRequest {
  struct Field {
    const char *field, *attribute;
  };
  template <std::size_t N>
  constexpr LoginRequest(const char *method, const char *record_class, const Field (&fields)[N],
                         const char *failure, bool log_message_only = false)
      : method(method),
        record_class(record_class),
        fields(fields),
        field_count(N),
        failure(failure),
        log_message_only(log_message_only) {}
  const char *method;  // the object's method that sends it, "ReqUserLogin"
  const char *record_class;
  const Field *fields;
  std::size_t field_count;
  const char *failure;    // the message init_error_msg keeps when it is not sent
  bool log_message_only;  // the failure's log line shows the message alone
};

// OnFrontConnected: logs the connection, then sends the chain's first request unless a
// refusal has halted the chain.
PyObject *front_connected(PyObject *self, Py_ssize_t nargs, PyObject *kwnames,
                          const LoginRequest &first, VendorCalls *calls);

// Builds the request's record and sends it as send_step does.
bool send_request(PyObject *self, VendorCalls *calls, const LoginRequest &request);

// An answer of the chain, as its handler binds `parameters`: logged, and settled; when it is the
// last and reports no error, `go_on(response)` takes the chain on.
template <class GoOn>
PyObject *answer(PyObject *self, PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames,
                 const Parameters &parameters, GoOn &&go_on);

// status 0: the chain has made the object ready.
bool set_ready(PyObject *self);

// Sends the request through the object's method and keeps its result in ErrorID; a result
// other than 0 also stores `failure` and logs the step. A request the flow control held back
// (-2, -3) is sent again after a wait without the interpreter lock, a few times, unless a
// Release begins meanwhile (`calls` wakes the wait); one the line kept back (-1) waits for
// the next connection. A send that goes out after such a failure clears its message. False
// only on a Python error.
bool send_step(PyObject *self, VendorCalls *calls, PyObject *request, PyObject *record,
               const char *failure, const char *request_name, bool log_message_only);

// Logs an answer as "<handler>, pRspInfo, RequestID:.., IsLast:.., record".
bool log_response(PyObject *self, const char *handler, const Response &r);

// The branch a response takes: 1 when it is the last and reports no error (go on), 0 when it
// reports an error (recorded in init_error_msg), -2 for neither, -1 on a Python error.
int settle_response(PyObject *self, const Response &r);

bool bind_response(const Parameters &parameters, PyObject *const *args, Py_ssize_t nargs,
                   PyObject *kwnames, Response *response);

// None, or null with the method's traceback entry.
PyObject *done(bool ok, const char *method);

// The line an object logs when the chain has made it ready: `ready`, then `version_label` with
// the vendor's version text, the trading day, the identity and the front `server` names.
bool log_ready(PyObject *self, const char *ready, const char *version_label,
               const char *version_text, PyObject *server);

// Both classes' OnFrontDisconnected: status -2, and the reason logged.
QV_METHOD(method_OnFrontDisconnected);

template <class GoOn>
PyObject *answer(PyObject *self, PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames,
                 const Parameters &parameters, GoOn &&go_on) {
  Response r;
  if (!bind_response(parameters, args, nargs, kwnames, &r) ||
      !log_response(self, parameters.function, r)) {
    return method_failed(parameters.function);
  }
  const int branch = settle_response(self, r);
  return done(branch == 1 ? go_on(r) : branch != -1, parameters.function);
}
