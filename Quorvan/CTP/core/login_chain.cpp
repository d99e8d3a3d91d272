#include "login_chain.h"

#include <chrono>

#include "record_builder.h"

namespace {

// The vendor's results for a request it did not send: the line is down, or its flow control
// held the request back (an earlier one unanswered, or the second's allowance used).
constexpr long kLineDown = -1, kHeldBackInFlight = -2, kHeldBackPerSecond = -3;

// The flow control counts requests over a second; a few seconds of waiting on the vendor's
// thread is as long as the object's other events may be held up for it.
constexpr std::chrono::milliseconds kFlowControlWait{1000};
constexpr int kFlowControlRetries = 3;

long vendor_result(PyObject *value) {
  if (!PyLong_Check(value)) {
    return 0;
  }
  int overflow = 0;
  const long result = PyLong_AsLongAndOverflow(value, &overflow);
  return overflow ? 0 : result;
}

bool held_back(PyObject *result) {
  const long code = vendor_result(result);
  return code == kHeldBackInFlight || code == kHeldBackPerSecond;
}

// What init_error_msg["ErrorID"] tells of the chain.
enum LoginFailure { kNoFailure, kNotSent, kRefused };

// A LoginFailure, or -1 with an error set.
int login_failure(PyObject *self) {
  PyRef errors = error_msg(self);
  PyRef id = errors ? PyRef(PyObject_GetItem(errors.get(), QV_NAME("ErrorID"))) : PyRef();
  PyRef zero(PyLong_FromLong(0));
  const int failed = id && zero ? PyObject_RichCompareBool(id.get(), zero.get(), Py_NE) : -1;
  if (failed <= 0) {
    return failed < 0 ? -1 : kNoFailure;
  }
  const long code = vendor_result(id.get());
  return code == kLineDown || held_back(id.get()) ? kNotSent : kRefused;
}

// Waits for the flow control to let a request out; false when a Release began meanwhile.
bool wait_for_flow_control(VendorCalls *calls) {
  bool released;
  Py_BEGIN_ALLOW_THREADS released = calls->wait_unless_released(kFlowControlWait);
  Py_END_ALLOW_THREADS return !released;
}

// Keeps `failure` in ErrorMsg and logs the step that failed.
bool record_send_failure(PyObject *self, PyObject *record, const char *failure,
                         const char *request_name, bool log_message_only) {
  PyRef message = make_str(failure);
  if (!store_error(self, QV_NAME("ErrorMsg"), message.get())) {
    return false;
  }
  PyRef errors = error_msg(self);
  PyRef logged = errors && log_message_only
                     ? PyRef(PyObject_GetItem(errors.get(), QV_NAME("ErrorMsg")))
                     : std::move(errors);
  PyRef name = make_str(request_name);
  return log_items(self, {name.get(), logged.get(), record});
}

// A response reports an error when pRspInfo tests true and its ErrorID is not 0: 1, 0, or -1.
int reports_error(PyObject *info) {
  const int present = PyObject_IsTrue(info);
  if (present <= 0) {
    return present;
  }
  PyRef id(PyObject_GetItem(info, QV_NAME("ErrorID")));
  PyRef zero(PyLong_FromLong(0));
  return id && zero ? PyObject_RichCompareBool(id.get(), zero.get(), Py_NE) : -1;
}

// Logs the connection with the failure init_error_msg holds, if any. 1 to go on logging in
// (nothing failed, or a request was not sent), 0 when a refusal has halted the chain, -1 on a
// Python error.
int log_connection(PyObject *self) {
  const int failure = login_failure(self);
  if (failure < 0) {
    return -1;
  }
  PyRef name = make_str("OnFrontConnected");
  PyRef state = failure != kNoFailure ? error_msg(self) : make_str("");
  if (!log_items(self, {name.get(), state.get()})) {
    return -1;
  }
  const int now = login_failure(self);
  return now < 0 ? -1 : now == kRefused ? 0 : 1;
}

}  // namespace

PyRef labelled(const char *label, PyObject *value) {
  PyRef text = value ? PyRef(PyObject_Str(value)) : PyRef();
  PyRef prefix(PyUnicode_FromString(label));
  return text && prefix ? PyRef(PyUnicode_Concat(prefix.get(), text.get())) : PyRef();
}

PyRef make_str(const char *value) { return PyRef(PyUnicode_FromString(value)); }

bool log_items(PyObject *self, std::initializer_list<PyObject *> items) {
  for (PyObject *item : items) {
    if (item == nullptr) {
      return false;
    }
  }
  return bool(call_method(self, QV_NAME("write_log"), items));
}

PyRef error_msg(PyObject *self) { return get_attribute(self, QV_NAME("init_error_msg")); }

bool store_error(PyObject *self, PyObject *key, PyObject *value) {
  PyRef errors = error_msg(self);
  return errors && value && PyObject_SetItem(errors.get(), key, value) == 0;
}

bool send_step(PyObject *self, VendorCalls *calls, PyObject *request, PyObject *record,
               const char *failure, const char *request_name, bool log_message_only) {
  for (int retries = 0;; ++retries) {
    const int before = login_failure(self);
    PyRef result = before >= 0 ? call_method(self, request, {record}) : PyRef();
    if (!result || !store_error(self, QV_NAME("ErrorID"), result.get())) {
      return false;
    }
    const int after = login_failure(self);
    if (after < 0) {
      return false;
    }
    if (after == kNoFailure) {
      PyRef cleared = before == kNotSent ? make_str("") : PyRef();
      return before != kNotSent || store_error(self, QV_NAME("ErrorMsg"), cleared.get());
    }
    if (!record_send_failure(self, record, failure, request_name, log_message_only)) {
      return false;
    }
    if (!held_back(result.get()) || retries == kFlowControlRetries ||
        !wait_for_flow_control(calls)) {
      return true;
    }
  }
}

bool log_response(PyObject *self, const char *handler, const Response &r) {
  PyRef name = make_str(handler);
  PyRef request_id = labelled("RequestID:", r.request_id);
  PyRef is_last = labelled("IsLast:", r.is_last);
  return log_items(self, {name.get(), r.info, request_id.get(), is_last.get(), r.record});
}

int settle_response(PyObject *self, const Response &r) {
  const int last = PyObject_IsTrue(r.is_last);
  if (last < 0) {
    return -1;
  }
  const int error = reports_error(r.info);
  if (error < 0) {
    return -1;
  }
  if (last && !error) {
    return 1;
  }
  if (!error) {
    return -2;
  }
  PyRef id(PyObject_GetItem(r.info, QV_NAME("ErrorID")));
  if (!id || !store_error(self, QV_NAME("ErrorID"), id.get())) {
    return -1;
  }
  PyRef message(PyObject_GetItem(r.info, QV_NAME("ErrorMsg")));
  return message && store_error(self, QV_NAME("ErrorMsg"), message.get()) ? 0 : -1;
}

bool bind_response(const Parameters &parameters, PyObject *const *args, Py_ssize_t nargs,
                   PyObject *kwnames, Response *response) {
  PyObject *values[4];
  if (!bind_arguments(parameters, args, nargs, kwnames, values)) {
    return false;
  }
  *response = {values[0], values[1], values[2], values[3]};
  return true;
}

PyObject *done(bool ok, const char *method) {
  if (!ok) {
    return method_failed(method);
  }
  Py_RETURN_NONE;
}

QV_METHOD(method_OnFrontDisconnected) {
  if (!check_one_argument("OnFrontDisconnected", nargs, kwnames)) {
    return method_failed("OnFrontDisconnected");
  }
  PyRef disconnected(PyLong_FromLong(-2));
  if (!disconnected || PyObject_SetAttr(self, QV_NAME("status"), disconnected.get()) < 0) {
    return method_failed("OnFrontDisconnected");
  }
  PyRef name = make_str("OnFrontDisconnected");
  PyRef reason = labelled("Reason:", args[0]);
  return done(log_items(self, {name.get(), reason.get()}), "OnFrontDisconnected");
}

bool log_ready(PyObject *self, const char *ready, const char *version_label,
               const char *version_text, PyObject *server) {
  PyRef version_bytes(PyBytes_FromString(version_text ? version_text : ""));
  PyRef day = version_bytes ? call_method(self, QV_NAME("GetTradingDay"), {}) : PyRef();
  PyRef investor = day ? get_attribute(self, QV_NAME("investor_id")) : PyRef();
  PyRef broker = investor ? get_attribute(self, QV_NAME("broker_id")) : PyRef();
  PyRef address = broker ? get_attribute(self, server) : PyRef();
  if (!address) {
    return false;
  }
  PyRef name = make_str(ready);
  PyRef version = labelled(version_label, version_bytes.get());
  PyRef trading_day = labelled("TradingDay:", day.get());
  PyRef investor_item = labelled("investor_id:", investor.get());
  PyRef broker_item = labelled("broker_id:", broker.get());
  PyRef server_item = labelled("server:", address.get());
  return log_items(self, {name.get(), version.get(), trading_day.get(), investor_item.get(),
                          broker_item.get(), server_item.get()});
}

bool send_request(PyObject *self, VendorCalls *calls, const LoginRequest &request) {
  PyRef record_class(PyUnicode_InternFromString(request.record_class));
  if (!record_class) {
    return false;
  }
  RecordBuilder builder(record_class.get());
  for (std::size_t i = 0; builder.ok() && i < request.field_count; ++i) {
    PyRef attribute(PyUnicode_InternFromString(request.fields[i].attribute));
    if (!attribute) {
      return false;
    }
    builder.add_attribute(request.fields[i].field, self, attribute.get());
  }
  PyRef record = builder.make();
  PyRef method(record ? PyUnicode_InternFromString(request.method) : nullptr);
  return method && send_step(self, calls, method.get(), record.get(), request.failure,
                             request.method, request.log_message_only);
}

PyObject *front_connected(PyObject *self, Py_ssize_t nargs, PyObject *kwnames,
                          const LoginRequest &first, VendorCalls *calls) {
  if (!check_no_arguments("OnFrontConnected", nargs, kwnames)) {
    return method_failed("OnFrontConnected");
  }
  const int go_on = log_connection(self);
  return done(go_on == 1 ? send_request(self, calls, first) : go_on == 0, "OnFrontConnected");
}

bool set_ready(PyObject *self) {
  PyRef ready(PyLong_FromLong(0));
  return ready && PyObject_SetAttr(self, QV_NAME("status"), ready.get()) == 0;
}
