// The market-data session: OnFrontConnected logs in, and the login answer makes the session
// ready and subscribes again to everything subscribed so far. A failure is kept in
// init_error_msg: a refusal stops the login, also across reconnections, and a login the
// vendor did not send is tried again, as the trader's are.
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
  return login && send_step(self, as_md(self)->calls, QV_NAME("ReqUserLogin"), login.get(),
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
  PyRef ready(PyLong_FromLong(0));
  if (!ready || PyObject_SetAttr(self, QV_NAME("status"), ready.get()) < 0) {
    return false;
  }
  // Subscribing comes first: a write_log of a subclass that fails must not cost the ticks.
  const char *version_text = nullptr;
  return renew_subscriptions(self) &&
         call_vendor([&] { version_text = CThostFtdcMdApi::GetApiVersion(); }) &&
         log_ready(self, "MdApi Ready!", "CTP Md API Version:", version_text, QV_NAME("md_server"));
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
