// A trader object from allocation to freeing: construction runs in the type's allocation slot,
// so it has happened before any __init__ of a subclass; teardown releases the vendor object
// before the memory goes.
#include "trader_methods.h"

#include <algorithm>
#include <new>
#include <unordered_set>
#include <vector>

#include "exception_boundary.h"
#include "exit_handoff.h"
#include "record_builder.h"

namespace {

const char *const kConstructorNames[] = {
    "broker_id", "td_server", "investor_id",         "password",           "app_id", "auth_code",
    "md_queue",  "flow_path", "private_resume_type", "public_resume_type",
};
const Parameters kConstructor{"__cinit__", kConstructorNames, 6, 10};

constexpr const char kDeallocContext[] = "Quorvan.CTP.TraderApiBase.TraderApiBase.__dealloc__";

// Every trader object from allocation to freeing, so that interpreter exit can release them
// all before it finalizes: a vendor thread must never call into a dying interpreter. Guarded
// by the interpreter lock.
std::unordered_set<PyObject *> g_live_traders;

// An identity argument and the most bytes the vendor's fields take of it: the login chain
// and the trading helpers copy it into records whose text fields end in a NUL.
struct IdentityArgument {
  const char *name;
  size_t room;
};

constexpr IdentityArgument kBrokerId{"broker_id",
                                     sizeof(CThostFtdcReqUserLoginField::BrokerID) - 1};
constexpr IdentityArgument kInvestorId{
    "investor_id", std::min(sizeof(CThostFtdcReqUserLoginField::UserID),
                            sizeof(CThostFtdcSettlementInfoConfirmField::InvestorID)) -
                       1};
constexpr IdentityArgument kPassword{"password", sizeof(CThostFtdcReqUserLoginField::Password) - 1};
constexpr IdentityArgument kAppId{"app_id", sizeof(CThostFtdcReqAuthenticateField::AppID) - 1};
constexpr IdentityArgument kAuthCode{"auth_code",
                                     sizeof(CThostFtdcReqAuthenticateField::AuthCode) - 1};

// to_bytes(value), refused with ValueError when it would not fit the vendor's fields: the
// login chain would otherwise fail inside a handler, where no caller hears of it.
PyRef identity_bytes(PyObject *value, const IdentityArgument &argument) {
  PyRef text = to_bytes(value);
  if (!text) {
    return {};
  }
  const Py_ssize_t length = PyBytes_Check(text.get())       ? PyBytes_GET_SIZE(text.get())
                            : PyByteArray_Check(text.get()) ? PyByteArray_GET_SIZE(text.get())
                                                            : 0;
  if (static_cast<size_t>(length) > argument.room) {
    PyErr_Format(PyExc_ValueError, "%s takes at most %zu bytes, the vendor's field; got %zd",
                 argument.name, argument.room, length);
    return {};
  }
  return text;
}

bool set_attribute(PyObject *self, PyObject *name, PyObject *value) {
  return value != nullptr && PyObject_SetAttr(self, name, value) == 0;
}

PyRef to_str(PyObject *value) {
  PyRef convert = lookup_global(QV_NAME("to_str"));
  return convert ? call_object(convert.get(), {value}) : PyRef();
}

// os.path, with os looked up now.
PyRef os_path() {
  PyRef os = lookup_global(QV_NAME("os"));
  return os ? get_attribute(os.get(), QV_NAME("path")) : PyRef();
}

PyRef os_path_call(PyObject *function, std::initializer_list<PyObject *> args) {
  PyRef path = os_path();
  return path ? call_method(path.get(), function, args) : PyRef();
}

PyRef os_path_sep() {
  PyRef path = os_path();
  return path ? get_attribute(path.get(), QV_NAME("sep")) : PyRef();
}

// The investor id names a directory under the flow path, so it must be one plain path
// component: anything else ("..", "a/b", an absolute path) would put the flow files elsewhere.
bool check_investor_component(PyObject *investor) {
  if (!PyUnicode_Check(investor)) {
    return true;
  }
  const bool empty = PyUnicode_GET_LENGTH(investor) == 0;
  const bool dots = PyUnicode_CompareWithASCIIString(investor, ".") == 0 ||
                    PyUnicode_CompareWithASCIIString(investor, "..") == 0;
  PyRef sep = os_path_sep();
  if (!sep) {
    return false;
  }
  int has_separator = PySequence_Contains(investor, sep.get());
  if (has_separator == 0) {
    has_separator = PyUnicode_FindChar(investor, '/', 0, PY_SSIZE_T_MAX, 1) >= 0 ? 1 : 0;
  }
  PyRef absolute = os_path_call(QV_NAME("isabs"), {investor});
  if (has_separator < 0 || !absolute) {
    return false;
  }
  if (empty || dots || has_separator || PyObject_IsTrue(absolute.get())) {
    PyErr_Format(PyExc_ValueError,
                 "investor_id must be one plain path component to name the flow "
                 "directory, not %R",
                 investor);
    return false;
  }
  return true;
}

// self.flow_path: os.path.join(flow_path, investor) ending in exactly one separator.
bool set_flow_path(PyObject *self, PyObject *flow_path, PyObject *investor_id) {
  PyRef base = to_str(flow_path);
  PyRef investor = base ? to_str(investor_id) : PyRef();
  if (!investor || !check_investor_component(investor.get())) {
    return false;
  }
  PyRef joined = os_path_call(QV_NAME("join"), {base.get(), investor.get()});
  PyRef sep = joined ? os_path_sep() : PyRef();
  PyRef ends = sep ? call_method(joined.get(), QV_NAME("endswith"), {sep.get()}) : PyRef();
  if (!ends) {
    return false;
  }
  const int ends_with_sep = PyObject_IsTrue(ends.get());
  if (ends_with_sep < 0) {
    return false;
  }
  PyRef stored = ends_with_sep ? std::move(joined) : PyRef(PyNumber_Add(joined.get(), sep.get()));
  return set_attribute(self, QV_NAME("flow_path"), stored.get());
}

// os.mkdir(path), where a directory that another thread or process has just made counts as
// made: two traders of one new flow path may be constructed at once.
bool make_directory(PyObject *path) {
  PyRef os = lookup_global(QV_NAME("os"));
  if (os && call_method(os.get(), QV_NAME("mkdir"), {path})) {
    return true;
  }
  if (!os || !PyErr_ExceptionMatches(PyExc_FileExistsError)) {
    return false;
  }
  PyObject *type, *value, *traceback;
  PyErr_Fetch(&type, &value, &traceback);
  PyRef is_directory = os_path_call(QV_NAME("isdir"), {path});
  const int made = is_directory ? PyObject_IsTrue(is_directory.get()) : -1;
  if (made == 0) {
    PyErr_Restore(type, value, traceback);
    return false;
  }
  Py_XDECREF(type);
  Py_XDECREF(value);
  Py_XDECREF(traceback);
  return made > 0;
}

// Makes every missing prefix of self.flow_path + "td.con", outermost first.
bool make_flow_directories(PyObject *self) {
  PyRef flow_path = get_attribute(self, QV_NAME("flow_path"));
  PyRef full = flow_path ? PyRef(PyNumber_Add(flow_path.get(), QV_NAME("td.con"))) : PyRef();
  PyRef sep = full ? os_path_sep() : PyRef();
  PyRef pieces = sep ? call_method(full.get(), QV_NAME("split"), {sep.get()}) : PyRef();
  PyRef iterator = pieces ? PyRef(PyObject_GetIter(pieces.get())) : PyRef();
  if (!iterator) {
    return false;
  }
  PyRef prefix(PyUnicode_FromString(""));
  while (PyRef piece{PyIter_Next(iterator.get())}) {
    PyRef joined = os_path_call(QV_NAME("join"), {prefix.get(), piece.get()});
    PyRef separator = joined ? os_path_sep() : PyRef();
    prefix = separator ? PyRef(PyNumber_Add(joined.get(), separator.get())) : PyRef();
    PyRef exists = prefix ? os_path_call(QV_NAME("exists"), {prefix.get()}) : PyRef();
    if (!exists) {
      return false;
    }
    const int present = PyObject_IsTrue(exists.get());
    if (present < 0) {
      return false;
    }
    if (!present && !make_directory(prefix.get())) {
      return false;
    }
  }
  return !PyErr_Occurred();
}

bool make_vendor_object(TraderObject *self) {
  PyObject *object = reinterpret_cast<PyObject *>(self);
  PyRef flow_path = get_attribute(object, QV_NAME("flow_path"));
  PyRef with_con = flow_path ? PyRef(PyNumber_Add(flow_path.get(), QV_NAME("td.con"))) : PyRef();
  PyRef sep = with_con ? os_path_sep() : PyRef();
  PyRef full = sep ? PyRef(PyNumber_Add(with_con.get(), sep.get())) : PyRef();
  // As the file system spells the directory just made: to_bytes would give a non-ASCII path
  // in GB18030, which names no directory under a UTF-8 file system.
  PyRef os = full ? lookup_global(QV_NAME("os")) : PyRef();
  PyRef path = os ? call_method(os.get(), QV_NAME("fsencode"), {full.get()}) : PyRef();
  if (!path) {
    return false;
  }
  const char *text = nullptr;
  if (PyByteArray_Check(path.get())) {
    text = PyByteArray_AS_STRING(path.get());
  } else {
    char *buffer;
    Py_ssize_t length;
    if (PyBytes_AsStringAndSize(path.get(), &buffer, &length) < 0) {
      return false;
    }
    text = buffer;
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
      !set_attribute(object, QV_NAME("broker_id"), identity_bytes(broker_id, kBrokerId).get())) {
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
      !set_attribute(object, QV_NAME("investor_id"),
                     identity_bytes(investor_id, kInvestorId).get()) ||
      !set_attribute(object, QV_NAME("password"), identity_bytes(v[3], kPassword).get()) ||
      !set_attribute(object, QV_NAME("app_id"), identity_bytes(v[4], kAppId).get()) ||
      !set_attribute(object, QV_NAME("auth_code"), identity_bytes(v[5], kAuthCode).get()) ||
      !set_attribute(object, QV_NAME("md_queue"), md_queue)) {
    return false;
  }
  if (!set_flow_path(object, flow_path, investor_id) || !make_flow_directories(object)) {
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

// The frames of a traceback keep their locals, among them the dying object itself (the `self`
// of a failed Release): cleared, they no longer bring it back once its memory is freed.
void clear_traceback_frames() {
  PyObject *type, *value, *traceback;
  PyErr_Fetch(&type, &value, &traceback);
  for (PyObject *entry = traceback; entry != nullptr && PyTraceBack_Check(entry);) {
    PyRef frame = get_attribute(entry, QV_NAME("tb_frame"));
    PyRef cleared = frame ? call_method(frame.get(), QV_NAME("clear"), {}) : PyRef();
    if (!cleared) {
      PyErr_Clear();
    }
    entry = reinterpret_cast<PyObject *>(reinterpret_cast<PyTracebackObject *>(entry)->tb_next);
  }
  PyErr_Restore(type, value, traceback);
}

void report_teardown_failure() {
  clear_traceback_frames();
  report_unraisable(kDeallocContext);
}

// The user's Release may have failed or not called ours; the vendor must still be detached
// before the memory goes, or its next event would reach freed memory.
void release_left_over_vendor_object(TraderObject *self) {
  if (self->api != nullptr && !release_vendor_object(self)) {
    report_teardown_failure();
  }
}

PyObject *new_trader(PyTypeObject *type, PyObject *args, PyObject *kwargs) {
  // Traders are made on the main thread as a rule, and only there can this be done.
  prepare_main_thread_wake();
  PyRef object(type->tp_alloc(type, 0));
  if (!object) {
    return nullptr;
  }
  TraderObject *self = as_trader(object.get());
  g_live_traders.insert(object.get());
  self->calls = new (std::nothrow) VendorCalls();
  if (self->calls == nullptr) {
    return PyErr_NoMemory();
  }
  if (!construct(self, args, kwargs)) {
    // Dropping the half-built object runs teardown, which releases a vendor object that
    // was already made.
    return method_failed("__cinit__");
  }
  return object.release();
}

void tear_down(PyObject *object) {
  TraderObject *self = as_trader(object);
  if (self->bridge != nullptr) {
    // Teardown has begun and the instance's attributes may already be gone: no handler
    // may run on this object any more, even while a subclass's Release runs Python code.
    self->bridge->detached = true;
  }
  if (self->calls != nullptr) {
    // Keeps the object alive through the calls below, which take references to it.
    Py_SET_REFCNT(object, Py_REFCNT(object) + 1);
    if (!call_method(object, QV_NAME("Release"), {})) {
      report_teardown_failure();
    }
    release_left_over_vendor_object(self);
    Py_SET_REFCNT(object, Py_REFCNT(object) - 1);
    if (Py_REFCNT(object) != 0) {
      // Something kept a new reference (an exception holding the object, say): freeing
      // the memory now would leave that reference dangling, so the object lives on, a
      // released shell, until its new owners let it go. A subclass's deallocation
      // gives up its reference to the type once this returns; the object still needs it.
      if (Py_TYPE(object)->tp_flags & Py_TPFLAGS_HEAPTYPE) {
        Py_INCREF(Py_TYPE(object));
      }
      return;
    }
  }
  if (self->api == nullptr) {
    // Otherwise the vendor may still hold the bridge, which stays detached for good.
    delete self->bridge;
  }
  g_live_traders.erase(object);
  delete self->calls;
  Py_TYPE(object)->tp_free(object);
}

}  // namespace

PyObject *trader_new(PyTypeObject *type, PyObject *args, PyObject *kwargs) {
  try {
    return new_trader(type, args, kwargs);
  } catch (...) {
    raise_thrown();
    return method_failed("__cinit__");
  }
}

void trader_dealloc(PyObject *object) {
  // An error pending when teardown began (the one that dropped the last reference, say)
  // is still pending when it ends.
  PyObject *type, *value, *traceback;
  PyErr_Fetch(&type, &value, &traceback);
  try {
    tear_down(object);
  } catch (...) {
    // The memory stays: whatever threw may have left it in use.
    report_thrown(kDeallocContext);
  }
  PyErr_Restore(type, value, traceback);
}

QV_METHOD(method_init_extra) {
  (void)self;
  (void)args;
  if (!check_no_arguments("init_extra", nargs, kwnames)) {
    return method_failed("init_extra");
  }
  Py_RETURN_NONE;
}

QV_METHOD(method_reduce) {
  (void)self;
  (void)args;
  if (check_no_arguments("__reduce__", nargs, kwnames)) {
    PyErr_SetString(PyExc_TypeError, "no default __reduce__ due to non-trivial __cinit__");
  }
  return method_failed("__reduce__");
}

QV_METHOD(method_setstate) {
  (void)self;
  (void)args;
  if (check_one_argument("__setstate__", nargs, kwnames)) {
    PyErr_SetString(PyExc_TypeError, "no default __reduce__ due to non-trivial __cinit__");
  }
  return method_failed("__setstate__");
}

namespace {

void release_every_live_trader() {
  std::vector<PyRef> traders;
  for (PyObject *trader : g_live_traders) {
    traders.push_back(PyRef::borrowed(trader));
  }
  for (const PyRef &trader : traders) {
    if (!release_vendor_object(as_trader(trader.get()))) {
      report_unraisable(kDeallocContext);
    }
  }
}

PyObject *release_live_traders(PyObject *, PyObject *) {
  try {
    release_every_live_trader();
  } catch (...) {
    report_thrown(kDeallocContext);
  }
  // A vendor thread released from inside its own handler may still be on its way out.
  close_interpreter_to_vendor_threads();
  Py_RETURN_NONE;
}

PyMethodDef kReleaseLiveTraders = {"release_live_traders", release_live_traders, METH_NOARGS,
                                   nullptr};

}  // namespace

bool release_traders_at_exit() {
  PyRef atexit(PyImport_ImportModule("atexit"));
  PyRef function(PyCFunction_New(&kReleaseLiveTraders, nullptr));
  return atexit && function && call_method(atexit.get(), QV_NAME("register"), {function.get()});
}
