// The connection and login sequence: OnFrontConnected authenticates, the authentication
// answer logs in, the login answer confirms the settlement statement and the confirmation
// makes the session ready. Each step sends the next request from inside the previous event's
// handler. A failure is kept in init_error_msg: a broker's refusal stops the chain, also
// across reconnections; a request the vendor did not send is tried again (session_steps.h).
#include "trader_methods.h"

#include "record_builder.h"
#include "session_steps.h"

namespace {

const char *const kResponseNames[][4] = {
    {"pRspAuthenticateField", "pRspInfo", "nRequestID", "bIsLast"},
    {"pRspUserLogin", "pRspInfo", "nRequestID", "bIsLast"},
    {"pSettlementInfoConfirm", "pRspInfo", "nRequestID", "bIsLast"},
};
const Parameters kOnRspAuthenticate{"OnRspAuthenticate", kResponseNames[0], 4, 4};
const Parameters kOnRspUserLogin{"OnRspUserLogin", kResponseNames[1], 4, 4};
const Parameters kOnRspSettlementInfoConfirm{"OnRspSettlementInfoConfirm", kResponseNames[2], 4, 4};

bool front_connected(PyObject *self) {
  const int go_on = log_connection(self);
  if (go_on != 1) {
    return go_on == 0;
  }
  PyRef authenticate = RecordBuilder(QV_NAME("ReqAuthenticateField"))
                           .add_attribute("BrokerID", self, QV_NAME("broker_id"))
                           .add_attribute("UserID", self, QV_NAME("investor_id"))
                           .add_attribute("AppID", self, QV_NAME("app_id"))
                           .add_attribute("AuthCode", self, QV_NAME("auth_code"))
                           .make();
  return authenticate &&
         send_step(self, as_trader(self)->calls, QV_NAME("ReqAuthenticate"), authenticate.get(),
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
  return login && send_step(self, as_trader(self)->calls, QV_NAME("ReqUserLogin"), login.get(),
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
  return confirm && send_step(self, as_trader(self)->calls, QV_NAME("ReqSettlementInfoConfirm"),
                              confirm.get(), "Error:Fail to send ReqSettlementInfoConfirm.",
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
  return call_vendor([&] { version_text = CThostFtdcTraderApi::GetApiVersion(); }) &&
         log_ready(self, "Trader Ready!", "CTP Trader API Version:", version_text,
                   QV_NAME("td_server"));
}

}  // namespace

QV_METHOD(method_OnFrontConnected) {
  (void)args;
  return done(check_no_arguments("OnFrontConnected", nargs, kwnames) && front_connected(self),
              "OnFrontConnected");
}

QV_METHOD(method_OnFrontDisconnected) { return front_disconnected(self, args, nargs, kwnames); }

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
