// The market-data session: OnFrontConnected logs in, and the login answer makes the session
// ready and subscribes again to everything subscribed so far. The first failure is kept in
// init_error_msg and stops the login, also across reconnections, as the trader's does.
#include "md_methods.h"

#include "record_builder.h"
#include "session_steps.h"

namespace {

const char *const kLoginNames[] = {"pRspUserLogin", "pRspInfo", "nRequestID", "bIsLast"};
const Parameters kOnRspUserLogin{"OnRspUserLogin", kLoginNames, 4, 4};

bool front_connected(PyObject *self) {
  const int go_on = log_connection(self);
  if (go_on != 1) {
    return go_on == 0;
  }
  PyRef login = RecordBuilder(QV_NAME("ReqUserLoginField"))
                    .add_attribute("BrokerID", self, QV_NAME("broker_id"))
                    .add_attribute("UserID", self, QV_NAME("investor_id"))
                    .add_attribute("Password", self, QV_NAME("password"))
                    .make();
  return login && send_step(self, QV_NAME("ReqUserLogin"), login.get(),
                            "Error:Fail to send ReqUserLogin.", "ReqUserLogin", false);
}

bool log_ready(PyObject *self) {
  const char *version_text = nullptr;
  if (!call_vendor([&] { version_text = CThostFtdcMdApi::GetApiVersion(); })) {
    return false;
  }
  PyRef version_bytes(PyBytes_FromString(version_text ? version_text : ""));
  PyRef day = version_bytes ? call_method(self, QV_NAME("GetTradingDay"), {}) : PyRef();
  PyRef investor = day ? get_attribute(self, QV_NAME("investor_id")) : PyRef();
  PyRef broker = investor ? get_attribute(self, QV_NAME("broker_id")) : PyRef();
  PyRef server = broker ? get_attribute(self, QV_NAME("md_server")) : PyRef();
  if (!server) {
    return false;
  }
  PyRef name = text("MdApi Ready!");
  PyRef version = labelled("CTP Md API Version:", version_bytes.get());
  PyRef trading_day = labelled("TradingDay:", day.get());
  PyRef investor_item = labelled("investor_id:", investor.get());
  PyRef broker_item = labelled("broker_id:", broker.get());
  PyRef server_item = labelled("server:", server.get());
  return log_items(self, {name.get(), version.get(), trading_day.get(), investor_item.get(),
                          broker_item.get(), server_item.get()});
}

bool logged_in(PyObject *self, const Response &r) {
  if (!log_response(self, "OnRspUserLogin", r)) {
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
  // Subscribing comes first: a write_log of a subclass that fails must not cost the ticks.
  return renew_subscriptions(self) && log_ready(self);
}

}  // namespace

QV_METHOD(method_OnFrontConnected) {
  (void)args;
  return done(check_no_arguments("OnFrontConnected", nargs, kwnames) && front_connected(self),
              "OnFrontConnected");
}

QV_METHOD(method_OnFrontDisconnected) { return front_disconnected(self, args, nargs, kwnames); }

QV_METHOD(method_OnRspUserLogin) {
  Response r;
  return done(bind_response(kOnRspUserLogin, args, nargs, kwnames, &r) && logged_in(self, r),
              "OnRspUserLogin");
}
