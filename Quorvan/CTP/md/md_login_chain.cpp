// The market data's login chain: OnFrontConnected logs in, and the login answer makes the
// object ready and subscribes again to everything subscribed so far (login_chain.h).
#include "md_methods.h"

#include "login_chain.h"

namespace {

constexpr LoginRequest::Field kLoginFields[] = {
    {"BrokerID", "broker_id"},
    {"UserID", "investor_id"},
    {"Password", "password"},
};
constexpr LoginRequest kLogin{"ReqUserLogin", "ReqUserLoginField", kLoginFields,
                              "Error:Fail to send ReqUserLogin."};

const char *const kLoginNames[] = {"pRspUserLogin", "pRspInfo", "nRequestID", "bIsLast"};
const Parameters kOnRspUserLogin{"OnRspUserLogin", kLoginNames, 4, 4};

// Subscribing comes before the ready line: a write_log of a subclass that fails must not cost
// the ticks.
bool ready(PyObject *self) {
  const char *version_text = nullptr;
  return set_ready(self) && renew_subscriptions(self) &&
         call_vendor([&] { version_text = CThostFtdcMdApi::GetApiVersion(); }) &&
         log_ready(self, "MdApi Ready!", "CTP Md API Version:", version_text, QV_NAME("md_server"));
}

}  // namespace

QV_METHOD(method_OnFrontConnected) {
  (void)args;
  return front_connected(self, nargs, kwnames, kLogin, as_md(self)->calls);
}

QV_METHOD(method_OnRspUserLogin) {
  return answer(self, args, nargs, kwnames, kOnRspUserLogin,
                [self](const Response &) { return ready(self); });
}
