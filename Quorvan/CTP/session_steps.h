// The steps every login sequence of the package is made of: each sends its request from
// inside the previous event's handler, logs what it saw through write_log, and keeps its
// failure in init_error_msg. A broker's refusal stops the chain, also across reconnections;
// a request the vendor did not send is tried again, since the line or the flow control that
// kept it back does not last.
#pragma once

#include "python_support.h"
#include "vendor_calls.h"

// An answer's four arguments as its handler received them.
struct Response {
  PyObject *record, *info, *request_id, *is_last;
};

// "label" followed by str(value), as one log item.
PyRef labelled(const char *label, PyObject *value);
PyRef text(const char *value);

// self.write_log(*items); false when an item is null (its computation failed) or on an error.
bool log_items(PyObject *self, std::initializer_list<PyObject *> items);

PyRef error_msg(PyObject *self);
bool store_error(PyObject *self, PyObject *key, PyObject *value);

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

// OnFrontConnected's first step: logs the connection with the failure init_error_msg holds,
// if any. 1 to go on logging in (nothing failed, or a request was not sent), 0 when a
// refusal has halted the chain, -1 on a Python error.
int log_connection(PyObject *self);

// The line a session logs when it is ready: `ready`, then `version_label` with the vendor's
// version text, the trading day, the identity and the front `server` names.
bool log_ready(PyObject *self, const char *ready, const char *version_label,
               const char *version_text, PyObject *server);

// The default OnFrontDisconnected: status -2, and the reason logged.
PyObject *front_disconnected(PyObject *self, PyObject *const *args, Py_ssize_t nargs,
                             PyObject *kwnames);
