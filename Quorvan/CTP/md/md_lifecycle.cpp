// The market-data object's construction; object_lifecycle.h takes every object from
// allocation to freeing.
#include "md_methods.h"

#include <algorithm>

#include "object_lifecycle.h"
#include "record_builder.h"

namespace {

const char *const kConstructorNames[] = {
    "broker_id", "md_server", "investor_id", "password",
    "md_queue",  "flow_path", "udp",         "multicast",
};
const Parameters kConstructor{"__cinit__", kConstructorNames, 2, 8};

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

bool store_initial_state(PyObject *object) {
  PyRef minus_one(PyLong_FromLong(-1));
  PyRef error_msg = no_login_failure();
  return minus_one && error_msg && set_attribute(object, QV_NAME("status"), minus_one.get()) &&
         set_attribute(object, QV_NAME("init_error_msg"), error_msg.get());
}

}  // namespace

bool MdHalf::construct(MdObject *self, PyObject *args, PyObject *kwargs) {
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
  self->members.market_data = new SubscriptionSet();
  self->members.for_quote = new SubscriptionSet();
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
  if (!attach_vendor_object(self, [udp, multicast](const char *flow_directory) {
        return CThostFtdcMdApi::CreateFtdcMdApi(flow_directory, udp, multicast);
      })) {
    return false;
  }
  PyRef server = get_attribute(object, QV_NAME("md_server"));
  return server && call_method(object, QV_NAME("connect"), {server.get()});
}

void MdHalf::free_members(MdObject *self) {
  delete self->members.market_data;
  delete self->members.for_quote;
}
