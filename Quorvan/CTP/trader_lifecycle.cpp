// A trader object from allocation to freeing, as object_lifecycle.h has every object go: the
// trader's construction.
#include "trader_methods.h"

#include <algorithm>

#include "object_lifecycle.h"
#include "record_builder.h"
#include "vendor_controls.h"

namespace {

const char *const kConstructorNames[] = {
    "broker_id", "td_server", "investor_id",         "password",           "app_id", "auth_code",
    "md_queue",  "flow_path", "private_resume_type", "public_resume_type",
};
const Parameters kConstructor{"__cinit__", kConstructorNames, 6, 10};

constexpr const char kDeallocContext[] = "Quorvan.CTP.TraderApiBase.TraderApiBase.__dealloc__";

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

bool make_vendor_object(TraderObject *self) {
  PyRef path = vendor_flow_directory(reinterpret_cast<PyObject *>(self), QV_NAME("td.con"));
  const char *text = path ? lent_text(path.get()) : nullptr;
  if (text == nullptr) {
    return false;
  }
  CThostFtdcTraderApi *api = nullptr;
  if (!call_vendor([&] { api = CThostFtdcTraderApi::CreateFtdcTraderApi(text); })) {
    return false;
  }
  path.reset();
  self->api = api;
  if (api == nullptr) {
    PyErr_SetString(PyExc_Exception, "Error:Fail to new TraderApi instance.");
    return false;
  }
  return true;
}

bool attach_bridge(TraderObject *self) {
  CTraderSpi *bridge = new (std::nothrow) CTraderSpi(reinterpret_cast<PyObject *>(self));
  if (bridge == nullptr) {
    PyErr_SetString(PyExc_Exception, "Error:Fail to new TraderSpi instance.");
    return false;
  }
  self->bridge = bridge;
  self->spi = bridge;
  CThostFtdcTraderApi *api = self->api;
  return call_vendor([&] { api->RegisterSpi(bridge); });
}

bool construct(TraderObject *self, PyObject *args, PyObject *kwargs) {
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
  PyRef error_msg(PyDict_New());
  PyRef empty(PyUnicode_FromString(""));
  if (!zero || !error_msg || !empty ||
      PyDict_SetItemString(error_msg.get(), "ErrorID", zero.get()) < 0 ||
      PyDict_SetItemString(error_msg.get(), "ErrorMsg", empty.get()) < 0 ||
      !set_attribute(object, QV_NAME("order_ref"), zero.get()) ||
      !set_attribute(object, QV_NAME("init_error_msg"), error_msg.get()) ||
      !call_method(object, QV_NAME("init_extra"), {})) {
    return false;
  }
  if (!make_vendor_object(self) || !attach_bridge(self)) {
    return false;
  }
  PyRef stored_server;
  return call_method(object, QV_NAME("SubscribePrivateTopic"), {private_resume}) &&
         call_method(object, QV_NAME("SubscribePublicTopic"), {public_resume}) &&
         (stored_server = get_attribute(object, QV_NAME("td_server"))) &&
         call_method(object, QV_NAME("connect"), {stored_server.get()});
}

LiveObjects<TraderObject> g_live_traders(kDeallocContext, construct);

}  // namespace

PyObject *trader_new(PyTypeObject *type, PyObject *args, PyObject *kwargs) {
  return g_live_traders.make(type, args, kwargs);
}

void trader_dealloc(PyObject *object) { g_live_traders.dealloc(object); }

bool release_traders_at_exit() { return g_live_traders.release_all_at_exit_registered(); }
