#include "session_steps.h"

namespace {

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

}  // namespace

PyRef labelled(const char *label, PyObject *value) {
  PyRef text = value ? PyRef(PyObject_Str(value)) : PyRef();
  PyRef prefix(PyUnicode_FromString(label));
  return text && prefix ? PyRef(PyUnicode_Concat(prefix.get(), text.get())) : PyRef();
}

PyRef text(const char *value) { return PyRef(PyUnicode_FromString(value)); }

bool log_items(PyObject *self, std::initializer_list<PyObject *> items) {
  for (PyObject *item : items) {
    if (item == nullptr) {
      return false;
    }
  }
  return bool(call_method(self, QV_NAME("write_log"), items));
}

PyRef error_msg(PyObject *self) { return get_attribute(self, QV_NAME("init_error_msg")); }

int error_id_is_set(PyObject *self) {
  PyRef errors = error_msg(self);
  PyRef id = errors ? PyRef(PyObject_GetItem(errors.get(), QV_NAME("ErrorID"))) : PyRef();
  PyRef zero(PyLong_FromLong(0));
  return id && zero ? PyObject_RichCompareBool(id.get(), zero.get(), Py_NE) : -1;
}

bool store_error(PyObject *self, PyObject *key, PyObject *value) {
  PyRef errors = error_msg(self);
  return errors && value && PyObject_SetItem(errors.get(), key, value) == 0;
}

bool send_step(PyObject *self, PyObject *request, PyObject *record, const char *failure,
               const char *request_name, bool log_message_only) {
  PyRef result = call_method(self, request, {record});
  if (!result || !store_error(self, QV_NAME("ErrorID"), result.get())) {
    return false;
  }
  const int failed = error_id_is_set(self);
  if (failed <= 0) {
    return failed == 0;
  }
  PyRef message = text(failure);
  if (!store_error(self, QV_NAME("ErrorMsg"), message.get())) {
    return false;
  }
  PyRef errors = error_msg(self);
  PyRef logged = errors && log_message_only
                     ? PyRef(PyObject_GetItem(errors.get(), QV_NAME("ErrorMsg")))
                     : std::move(errors);
  PyRef name = text(request_name);
  return log_items(self, {name.get(), logged.get(), record});
}

bool log_response(PyObject *self, const char *handler, const Response &r) {
  PyRef name = text(handler);
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

int log_connection(PyObject *self) {
  const int halted = error_id_is_set(self);
  if (halted < 0) {
    return -1;
  }
  PyRef name = text("OnFrontConnected");
  PyRef state = halted ? error_msg(self) : text("");
  if (!log_items(self, {name.get(), state.get()})) {
    return -1;
  }
  const int still_halted = error_id_is_set(self);
  return still_halted < 0 ? -1 : still_halted ? 0 : 1;
}

PyObject *front_disconnected(PyObject *self, PyObject *const *args, Py_ssize_t nargs,
                             PyObject *kwnames) {
  if (!check_one_argument("OnFrontDisconnected", nargs, kwnames)) {
    return method_failed("OnFrontDisconnected");
  }
  PyRef disconnected(PyLong_FromLong(-2));
  if (!disconnected || PyObject_SetAttr(self, QV_NAME("status"), disconnected.get()) < 0) {
    return method_failed("OnFrontDisconnected");
  }
  PyRef name = text("OnFrontDisconnected");
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
  PyRef name = text(ready);
  PyRef version = labelled(version_label, version_bytes.get());
  PyRef trading_day = labelled("TradingDay:", day.get());
  PyRef investor_item = labelled("investor_id:", investor.get());
  PyRef broker_item = labelled("broker_id:", broker.get());
  PyRef server_item = labelled("server:", address.get());
  return log_items(self, {name.get(), version.get(), trading_day.get(), investor_item.get(),
                          broker_item.get(), server_item.get()});
}
