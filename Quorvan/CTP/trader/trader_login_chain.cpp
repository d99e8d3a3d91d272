// The trader's login chain: OnFrontConnected authenticates, the authentication answer logs in,
// the login answer confirms the settlement statement and the confirmation makes the trader
// ready. Each answer sends the next request from inside its handler (login_chain.h).
#include "trader_methods.h"

#include "login_chain.h"

namespace {

constexpr LoginRequest::Field kAuthenticateFields[] = {
    {"BrokerID", "broker_id"},
    {"UserID", "investor_id"},
    {"AppID", "app_id"},
    {"AuthCode", "auth_code"},
};
constexpr LoginRequest::Field kLoginFields[] = {
    {"BrokerID", "broker_id"},
    {"UserID", "investor_id"},
    {"Password", "password"},
};
constexpr LoginRequest::Field kConfirmFields[] = {
    {"BrokerID", "broker_id"},
    {"InvestorID", "investor_id"},
};
constexpr LoginRequest kAuthenticate{"ReqAuthenticate", "ReqAuthenticateField", kAuthenticateFields,
                                     "Error:Fail to send ReqAuthenticate."};
constexpr LoginRequest kLogin{"ReqUserLogin", "ReqUserLoginField", kLoginFields,
                              "Error:Fail to send ReqUserLogin."};
constexpr LoginRequest kConfirm{"ReqSettlementInfoConfirm", "SettlementInfoConfirmField",
                                kConfirmFields, "Error:Fail to send ReqSettlementInfoConfirm.",
                                true};

const char *const kResponseNames[][4] = {
    {"pRspAuthenticateField", "pRspInfo", "nRequestID", "bIsLast"},
    {"pRspUserLogin", "pRspInfo", "nRequestID", "bIsLast"},
    {"pSettlementInfoConfirm", "pRspInfo", "nRequestID", "bIsLast"},
};
const Parameters kOnRspAuthenticate{"OnRspAuthenticate", kResponseNames[0], 4, 4};
const Parameters kOnRspUserLogin{"OnRspUserLogin", kResponseNames[1], 4, 4};
const Parameters kOnRspSettlementInfoConfirm{"OnRspSettlementInfoConfirm", kResponseNames[2], 4, 4};

// The login answer's FrontID and SessionID, which identify this session's orders.
bool keep_session(PyObject *self, const Response &r) {
  PyRef front_id(PyObject_GetItem(r.record, QV_NAME("FrontID")));
  if (!front_id || PyObject_SetAttr(self, QV_NAME("front_id"), front_id.get()) < 0) {
    return false;
  }
  PyRef session_id(PyObject_GetItem(r.record, QV_NAME("SessionID")));
  return session_id && PyObject_SetAttr(self, QV_NAME("session_id"), session_id.get()) == 0;
}

bool ready(PyObject *self) {
  const char *version_text = nullptr;
  return set_ready(self) &&
         call_vendor([&] { version_text = CThostFtdcTraderApi::GetApiVersion(); }) &&
         log_ready(self, "Trader Ready!", "CTP Trader API Version:", version_text,
                   QV_NAME("td_server"));
}

}  // namespace

QV_METHOD(method_OnFrontConnected) {
  (void)args;
  return front_connected(self, nargs, kwnames, kAuthenticate, as_trader(self)->calls);
}

QV_METHOD(method_OnRspAuthenticate) {
  return answer(self, args, nargs, kwnames, kOnRspAuthenticate, [self](const Response &) {
    return send_request(self, as_trader(self)->calls, kLogin);
  });
}

QV_METHOD(method_OnRspUserLogin) {
  return answer(self, args, nargs, kwnames, kOnRspUserLogin, [self](const Response &r) {
    return keep_session(self, r) && send_request(self, as_trader(self)->calls, kConfirm);
  });
}

QV_METHOD(method_OnRspSettlementInfoConfirm) {
  return answer(self, args, nargs, kwnames, kOnRspSettlementInfoConfirm,
                [self](const Response &) { return ready(self); });
}
