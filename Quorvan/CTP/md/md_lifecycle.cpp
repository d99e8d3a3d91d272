// A market-data object from allocation to freeing, as object_lifecycle.h has every object go:
// its construction.
#include "md_methods.h"

#include <algorithm>

#include "object_lifecycle.h"
#include "record_builder.h"
#include "vendor_controls.h"

namespace {

const char *const kConstructorNames[] = {
    "broker_id", "md_server", "investor_id", "password",
    "md_queue",  "flow_path", "udp",         "multicast",
};
const Parameters kConstructor{"__cinit__", kConstructorNames, 2, 8};

constexpr const char kDeallocContext[] = "Quorvan.CTP.MdApiBase.MdApiBase.__dealloc__";

// The identity goes into the login record, whose text fields end in a NUL. It may be empty:
// most market-data fronts accept any.
constexpr FieldArgument kBrokerId{"broker_id", sizeof(CThostFtdcReqUserLoginField::BrokerID) - 1};
constexpr FieldArgument kInvestorId{"investor_id", sizeof(CThostFtdcReqUserLoginField::UserID) - 1};
constexpr FieldArgument kPassword{"password", sizeof(CThostFtdcReqUserLoginField::Password) - 1};

// The front's address as bytes: "tcp://" is added to one given without a scheme, as the
// trader does; one with its own scheme (a udp:// front of a multicast feed) stays as given.
PyRef front_address(PyObject *server) {
  PyRef front = to_bytes(server);
  if (!front || !check_no_nul(front.get(), "md_server")) {
    return {};
  }
  PyRef scheme(PyBytes_FromString("://"));
  const int has_scheme = scheme ? PySequence_Contains(front.get(), scheme.get()) : -1;
  if (has_scheme < 0) {
    return {};
  }
  if (has_scheme) {
    return front;
  }
  PyRef prefix(PyBytes_FromString("tcp://"));
  return prefix ? PyRef(PyNumber_Add(prefix.get(), front.get())) : PyRef();
}

// md_queue is None or has a callable put: a tick cannot be handed to anything else, and the
// failure would otherwise show only as a report per tick on the vendor's thread.
bool check_md_queue(PyObject *md_queue) {
  if (md_queue == Py_None) {
    return true;
  }
  PyRef put(PyObject_GetAttrString(md_queue, "put"));
  if (!put && !PyErr_ExceptionMatches(PyExc_AttributeError)) {
    return false;
  }
  PyErr_Clear();
  if (!put || !PyCallable_Check(put.get())) {
    PyErr_Format(PyExc_TypeError, "md_queue must be None or have a put method, not be %.200s",
                 Py_TYPE(md_queue)->tp_name);
    return false;
  }
  return true;
}

bool convert_flag(PyObject *value, bool fallback, bool *out) {
  if (value == nullptr) {
    *out = fallback;
    return true;
  }
  const int truth = PyObject_IsTrue(value);
  *out = truth > 0;
  return truth >= 0;
}

bool make_vendor_object(MdObject *self, bool udp, bool multicast) {
  PyRef path = vendor_flow_directory(reinterpret_cast<PyObject *>(self), QV_NAME("md.con"));
  const char *text = path ? lent_text(path.get()) : nullptr;
  if (text == nullptr) {
    return false;
  }
  CThostFtdcMdApi *api = nullptr;
  if (!call_vendor([&] { api = CThostFtdcMdApi::CreateFtdcMdApi(text, udp, multicast); })) {
    return false;
  }
  self->api = api;
  if (api == nullptr) {
    PyErr_SetString(PyExc_Exception, "Error:Fail to new MdApi instance.");
    return false;
  }
  return true;
}

bool attach_bridge(MdObject *self) {
  CMdSpi *bridge = new (std::nothrow) CMdSpi(reinterpret_cast<PyObject *>(self));
  if (bridge == nullptr) {
    PyErr_SetString(PyExc_Exception, "Error:Fail to new MdSpi instance.");
    return false;
  }
  self->bridge = bridge;
  self->spi = bridge;
  CThostFtdcMdApi *api = self->api;
  return call_vendor([&] { api->RegisterSpi(bridge); });
}

bool store_initial_state(PyObject *object) {
  PyRef minus_one(PyLong_FromLong(-1));
  PyRef zero(PyLong_FromLong(0));
  PyRef error_msg(PyDict_New());
  PyRef empty(PyUnicode_FromString(""));
  return minus_one && zero && error_msg && empty &&
         PyDict_SetItemString(error_msg.get(), "ErrorID", zero.get()) == 0 &&
         PyDict_SetItemString(error_msg.get(), "ErrorMsg", empty.get()) == 0 &&
         set_attribute(object, QV_NAME("status"), minus_one.get()) &&
         set_attribute(object, QV_NAME("init_error_msg"), error_msg.get());
}

bool construct(MdObject *self, PyObject *args, PyObject *kwargs) {
  PyObject *v[8];
  if (!bind_arguments(kConstructor, args, kwargs, v)) {
    return false;
  }
  PyRef empty_identity(v[2] && v[3] ? nullptr : PyUnicode_FromString(""));
  PyRef default_flow_path(v[5] ? nullptr : PyUnicode_FromString("."));
  PyObject *const investor_id = v[2] ? v[2] : empty_identity.get();
  PyObject *const password = v[3] ? v[3] : empty_identity.get();
  PyObject *const md_queue = v[4] ? v[4] : Py_None;
  PyObject *const flow_path = v[5] ? v[5] : default_flow_path.get();
  bool udp, multicast;
  if (!investor_id || !password || !flow_path || !convert_flag(v[6], false, &udp) ||
      !convert_flag(v[7], false, &multicast) || !check_md_queue(md_queue)) {
    return false;
  }
  self->market_data = new SubscriptionSet();
  self->for_quote = new SubscriptionSet();
  PyObject *object = reinterpret_cast<PyObject *>(self);
  PyRef udp_flag(PyBool_FromLong(udp));
  PyRef multicast_flag(PyBool_FromLong(multicast));
  if (!store_initial_state(object) ||
      !set_attribute(object, QV_NAME("broker_id"), field_bytes(v[0], kBrokerId).get()) ||
      !set_attribute(object, QV_NAME("md_server"), front_address(v[1]).get()) ||
      !set_attribute(object, QV_NAME("investor_id"), field_bytes(investor_id, kInvestorId).get()) ||
      !set_attribute(object, QV_NAME("password"), field_bytes(password, kPassword).get()) ||
      !set_attribute(object, QV_NAME("md_queue"), md_queue) ||
      !set_attribute(object, QV_NAME("udp"), udp_flag.get()) ||
      !set_attribute(object, QV_NAME("multicast"), multicast_flag.get())) {
    return false;
  }
  if (!set_flow_path(object, flow_path, investor_id, true) ||
      !make_flow_directories(object, QV_NAME("md.con")) ||
      !call_method(object, QV_NAME("init_extra"), {})) {
    return false;
  }
  if (!make_vendor_object(self, udp, multicast) || !attach_bridge(self)) {
    return false;
  }
  PyRef server = get_attribute(object, QV_NAME("md_server"));
  return server && call_method(object, QV_NAME("connect"), {server.get()});
}

void free_subscriptions(MdObject *self) {
  delete self->market_data;
  delete self->for_quote;
}

LiveObjects<MdObject> g_live_objects(kDeallocContext, construct, free_subscriptions);

}  // namespace

PyObject *md_new(PyTypeObject *type, PyObject *args, PyObject *kwargs) {
  return g_live_objects.make(type, args, kwargs);
}

void md_dealloc(PyObject *object) { g_live_objects.dealloc(object); }

bool release_md_objects_at_exit() { return g_live_objects.release_all_at_exit_registered(); }
