// The connection and login sequence: OnFrontConnected authenticates, the authentication
// answer logs in, the login answer confirms the settlement statement and the confirmation
// makes the session ready. Each step sends the next request from inside the previous event's
// handler; the first failure is kept in init_error_msg and stops the chain, also across
// reconnections.
#include "trader_methods.h"

#include "record_builder.h"

namespace {

const char *const kResponseNames[][4] = {
    {"pRspAuthenticateField", "pRspInfo", "nRequestID", "bIsLast"},
    {"pRspUserLogin", "pRspInfo", "nRequestID", "bIsLast"},
    {"pSettlementInfoConfirm", "pRspInfo", "nRequestID", "bIsLast"},
};
const Parameters kOnRspAuthenticate{"OnRspAuthenticate", kResponseNames[0], 4, 4};
const Parameters kOnRspUserLogin{"OnRspUserLogin", kResponseNames[1], 4, 4};
const Parameters kOnRspSettlementInfoConfirm{"OnRspSettlementInfoConfirm", kResponseNames[2], 4, 4};

struct Response {
  PyObject *record, *info, *request_id, *is_last;
};

// "label" followed by str(value), as one log item.
PyRef labelled(const char *label, PyObject *value) {
  PyRef text = value ? PyRef(PyObject_Str(value)) : PyRef();
  PyRef prefix(PyUnicode_FromString(label));
  return text && prefix ? PyRef(PyUnicode_Concat(prefix.get(), text.get())) : PyRef();
}

PyRef text(const char *value) { return PyRef(PyUnicode_FromString(value)); }

bool write_log(PyObject *self, std::initializer_list<PyObject *> items) {
  for (PyObject *item : items) {
    if (item == nullptr) {
      return false;
    }
  }
  return bool(call_method(self, QV_NAME("write_log"), items));
}

PyRef error_msg(PyObject *self) { return get_attribute(self, QV_NAME("init_error_msg")); }

// init_error_msg[key] != 0 (1), == 0 (0), or -1 with an error set.
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

// Sends the request through the trader's method and keeps its result in ErrorID; a result
// other than 0 also stores `failure` and logs the step. False only on a Python error.
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
  return write_log(self, {name.get(), logged.get(), record});
}

bool log_response(PyObject *self, const char *handler, const Response &r) {
  PyRef name = text(handler);
  PyRef request_id = labelled("RequestID:", r.request_id);
  PyRef is_last = labelled("IsLast:", r.is_last);
  return write_log(self, {name.get(), r.info, request_id.get(), is_last.get(), r.record});
}

// The branch a response takes: 1 when it is the last and reports no error (go on), 0 when it
// reports an error (recorded here), -2 for neither, -1 on a Python error.
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

bool front_connected(PyObject *self) {
  const int halted = error_id_is_set(self);
  if (halted < 0) {
    return false;
  }
  PyRef name = text("OnFrontConnected");
  PyRef state = halted ? error_msg(self) : text("");
  if (!write_log(self, {name.get(), state.get()})) {
    return false;
  }
  const int still_halted = error_id_is_set(self);
  if (still_halted != 0) {
    return still_halted == 1;
  }
  PyRef authenticate = RecordBuilder(QV_NAME("ReqAuthenticateField"))
                           .add_attribute("BrokerID", self, QV_NAME("broker_id"))
                           .add_attribute("UserID", self, QV_NAME("investor_id"))
                           .add_attribute("AppID", self, QV_NAME("app_id"))
                           .add_attribute("AuthCode", self, QV_NAME("auth_code"))
                           .make();
  return authenticate && send_step(self, QV_NAME("ReqAuthenticate"), authenticate.get(),
                                   "Error:Fail to send ReqAuthenticate.", "ReqAuthenticate", false);
}

bool authenticated(PyObject *self, const Response &r) {
  if (!log_response(self, "OnRspAuthenticate", r)) {
    return false;
  }
  const int branch = settle_response(self, r);
  if (branch != 1) {
    return branch != -1;
  }
  PyRef login = RecordBuilder(QV_NAME("ReqUserLoginField"))
                    .add_attribute("BrokerID", self, QV_NAME("broker_id"))
                    .add_attribute("UserID", self, QV_NAME("investor_id"))
                    .add_attribute("Password", self, QV_NAME("password"))
                    .make();
  return login && send_step(self, QV_NAME("ReqUserLogin"), login.get(),
                            "Error:Fail to send ReqUserLogin.", "ReqUserLogin", false);
}

bool logged_in(PyObject *self, const Response &r) {
  if (!log_response(self, "OnRspUserLogin", r)) {
    return false;
  }
  const int branch = settle_response(self, r);
  if (branch != 1) {
    return branch != -1;
  }
  PyRef front_id(PyObject_GetItem(r.record, QV_NAME("FrontID")));
  if (!front_id || PyObject_SetAttr(self, QV_NAME("front_id"), front_id.get()) < 0) {
    return false;
  }
  PyRef session_id(PyObject_GetItem(r.record, QV_NAME("SessionID")));
  if (!session_id || PyObject_SetAttr(self, QV_NAME("session_id"), session_id.get()) < 0) {
    return false;
  }
  PyRef confirm = RecordBuilder(QV_NAME("SettlementInfoConfirmField"))
                      .add_attribute("BrokerID", self, QV_NAME("broker_id"))
                      .add_attribute("InvestorID", self, QV_NAME("investor_id"))
                      .make();
  return confirm && send_step(self, QV_NAME("ReqSettlementInfoConfirm"), confirm.get(),
                              "Error:Fail to send ReqSettlementInfoConfirm.",
                              "ReqSettlementInfoConfirm", true);
}

bool settlement_confirmed(PyObject *self, const Response &r) {
  if (!log_response(self, "OnRspSettlementInfoConfirm", r)) {
    return false;
  }
  const int branch = settle_response(self, r);
  if (branch != 1) {
    return branch != -1;
  }
  PyRef ready(PyLong_FromLong(0));
  if (!ready || PyObject_SetAttr(self, QV_NAME("status"), ready.get()) < 0) {
    return false;
  }
  const char *version_text = nullptr;
  if (!call_vendor([&] { version_text = CThostFtdcTraderApi::GetApiVersion(); })) {
    return false;
  }
  PyRef version_bytes(PyBytes_FromString(version_text ? version_text : ""));
  PyRef day = version_bytes ? call_method(self, QV_NAME("GetTradingDay"), {}) : PyRef();
  PyRef investor = day ? get_attribute(self, QV_NAME("investor_id")) : PyRef();
  PyRef broker = investor ? get_attribute(self, QV_NAME("broker_id")) : PyRef();
  PyRef server = broker ? get_attribute(self, QV_NAME("td_server")) : PyRef();
  if (!server) {
    return false;
  }
  PyRef name = text("Trader Ready!");
  PyRef version = labelled("CTP Trader API Version:", version_bytes.get());
  PyRef trading_day = labelled("TradingDay:", day.get());
  PyRef investor_item = labelled("investor_id:", investor.get());
  PyRef broker_item = labelled("broker_id:", broker.get());
  PyRef server_item = labelled("server:", server.get());
  return write_log(self, {name.get(), version.get(), trading_day.get(), investor_item.get(),
                          broker_item.get(), server_item.get()});
}

}  // namespace

QV_METHOD(method_OnFrontConnected) {
  (void)args;
  return done(check_no_arguments("OnFrontConnected", nargs, kwnames) && front_connected(self),
              "OnFrontConnected");
}

QV_METHOD(method_OnFrontDisconnected) {
  if (!check_one_argument("OnFrontDisconnected", nargs, kwnames)) {
    return method_failed("OnFrontDisconnected");
  }
  PyRef disconnected(PyLong_FromLong(-2));
  if (!disconnected || PyObject_SetAttr(self, QV_NAME("status"), disconnected.get()) < 0) {
    return method_failed("OnFrontDisconnected");
  }
  PyRef name = text("OnFrontDisconnected");
  PyRef reason = labelled("Reason:", args[0]);
  return done(write_log(self, {name.get(), reason.get()}), "OnFrontDisconnected");
}

QV_METHOD(method_OnRspAuthenticate) {
  Response r;
  return done(bind_response(kOnRspAuthenticate, args, nargs, kwnames, &r) && authenticated(self, r),
              "OnRspAuthenticate");
}

QV_METHOD(method_OnRspUserLogin) {
  Response r;
  return done(bind_response(kOnRspUserLogin, args, nargs, kwnames, &r) && logged_in(self, r),
              "OnRspUserLogin");
}

QV_METHOD(method_OnRspSettlementInfoConfirm) {
  Response r;
  return done(bind_response(kOnRspSettlementInfoConfirm, args, nargs, kwnames, &r) &&
                  settlement_confirmed(self, r),
              "OnRspSettlementInfoConfirm");
}
