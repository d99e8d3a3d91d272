// The trader's construction; object_lifecycle.h takes every object from allocation to freeing.
#include "trader_methods.h"

#include <algorithm>

#include "object_lifecycle.h"
#include "record_builder.h"

namespace {

const char *const kConstructorNames[] = {
    "broker_id", "td_server", "investor_id",         "password",           "app_id", "auth_code",
    "md_queue",  "flow_path", "private_resume_type", "public_resume_type",
};
const Parameters kConstructor{"__cinit__", kConstructorNames, 6, 10};

// An identity argument and the most bytes the vendor's fields take of it: the login chain
// and the trading helpers copy it into records whose text fields end in a NUL.
constexpr FieldArgument kBrokerId{"broker_id", sizeof(CThostFtdcReqUserLoginField::BrokerID) - 1};
constexpr FieldArgument kInvestorId{
    "investor_id", std::min(sizeof(CThostFtdcReqUserLoginField::UserID),
                            sizeof(CThostFtdcSettlementInfoConfirmField::InvestorID)) -
                       1};
constexpr FieldArgument kPassword{"password", sizeof(CThostFtdcReqUserLoginField::Password) - 1};
constexpr FieldArgument kAppId{"app_id", sizeof(CThostFtdcReqAuthenticateField::AppID) - 1};
constexpr FieldArgument kAuthCode{"auth_code",
                                  sizeof(CThostFtdcReqAuthenticateField::AuthCode) - 1};

}  // namespace

bool TraderHalf::construct(TraderObject *self, PyObject *args, PyObject *kwargs) {
  PyObject *v[10];
  if (!bind_arguments(kConstructor, args, kwargs, v)) {
    return false;
  }
  PyObject *const broker_id = v[0], *const td_server = v[1], *const investor_id = v[2];
  PyObject *const md_queue = v[6] ? v[6] : Py_None;
  PyRef default_flow_path(v[7] ? nullptr : PyUnicode_FromString("."));
  PyRef default_resume_type(v[8] && v[9] ? nullptr : PyLong_FromLong(THOST_TERT_QUICK));
  PyObject *const flow_path = v[7] ? v[7] : default_flow_path.get();
  PyObject *const private_resume = v[8] ? v[8] : default_resume_type.get();
  PyObject *const public_resume = v[9] ? v[9] : default_resume_type.get();
  if (!flow_path || !private_resume || !public_resume) {
    return false;
  }
  PyObject *object = reinterpret_cast<PyObject *>(self);

  PyRef minus_one(PyLong_FromLong(-1));
  if (!set_attribute(object, QV_NAME("status"), minus_one.get()) ||
      !set_attribute(object, QV_NAME("broker_id"), field_bytes(broker_id, kBrokerId).get())) {
    return false;
  }
  PyRef front = to_bytes(td_server);
  if (front && !check_no_nul(front.get(), "td_server")) {
    return false;
  }
  PyRef prefix(PyBytes_FromString("tcp://"));
  PyRef has_prefix =
      front ? call_method(front.get(), QV_NAME("startswith"), {prefix.get()}) : PyRef();
  if (!has_prefix) {
    return false;
  }
  const int prefixed = PyObject_IsTrue(has_prefix.get());
  if (prefixed < 0) {
    return false;
  }
  PyRef stored_front = prefixed ? std::move(front) : PyRef(PyNumber_Add(prefix.get(), front.get()));
  if (!set_attribute(object, QV_NAME("td_server"), stored_front.get()) ||
      !set_attribute(object, QV_NAME("investor_id"), field_bytes(investor_id, kInvestorId).get()) ||
      !set_attribute(object, QV_NAME("password"), field_bytes(v[3], kPassword).get()) ||
      !set_attribute(object, QV_NAME("app_id"), field_bytes(v[4], kAppId).get()) ||
      !set_attribute(object, QV_NAME("auth_code"), field_bytes(v[5], kAuthCode).get()) ||
      !set_attribute(object, QV_NAME("md_queue"), md_queue)) {
    return false;
  }
  if (!set_flow_path(object, flow_path, investor_id, false) ||
      !make_flow_directories(object, QV_NAME("td.con"))) {
    return false;
  }
  PyRef zero(PyLong_FromLong(0));
  if (!set_attribute(object, QV_NAME("order_ref"), zero.get()) ||
      !set_attribute(object, QV_NAME("init_error_msg"), no_login_failure().get()) ||
      !call_method(object, QV_NAME("init_extra"), {})) {
    return false;
  }
  if (!attach_vendor_object(self, CThostFtdcTraderApi::CreateFtdcTraderApi)) {
    return false;
  }
  PyRef stored_server;
  return call_method(object, QV_NAME("SubscribePrivateTopic"), {private_resume}) &&
         call_method(object, QV_NAME("SubscribePublicTopic"), {public_resume}) &&
         (stored_server = get_attribute(object, QV_NAME("td_server"))) &&
         call_method(object, QV_NAME("connect"), {stored_server.get()});
}
