// Where an event becomes a method call: the bridge functions look up the trader's handler,
// turn each vendor record into a dict with its record class, and call the handler. A failure
// at any step, a C++ exception included, is reported as unraisable and the vendor never hears
// of it.
#include "CTraderAPI.h"

#include "exception_boundary.h"
#include "exit_handoff.h"
#include "python_support.h"
#include "record_methods.h"
#include "trader_methods.h"

namespace {

// What one event needs by name, its record class "" when it has no record; made once, on the
// event's first delivery.
struct EventNames {
  EventNames(const char *event, const char *record, const char *context, bool session_handles)
      : handler(PyUnicode_InternFromString(event)),
        record_class(*record ? PyUnicode_InternFromString(record) : nullptr),
        context(context),
        do_nothing(session_handles ? nullptr : class_method_entry(event)) {}
  PyObject *handler;
  PyObject *record_class;
  const char *context;
  // The class's own handler of the event, which does nothing with what it is given; null for
  // the events the session handles.
  const PyMethodDef *do_nothing;
};

// A new dict of the record's fields: <record_class>.from_address(address).<method>(), the
// class looked up now; a null record gives an empty dict and no lookup. A record class with
// the stock methods has its dict made straight from the vendor's memory, as those methods
// would make it, without a record object in between; when the dict is `unread` (it goes to a
// handler that does nothing with it) such a class's dict is not made at all, and None stands
// in for it. Either way no record object outlives this call, so no handler ever holds a view
// of memory the vendor reuses.
PyRef record_dict(PyObject *record_class, const void *record, PyObject *method, bool decode_text,
                  bool unread) {
  if (record == nullptr) {
    return PyRef(PyDict_New());
  }
  PyRef cls = lookup_global(record_class);
  const RecordMethodsApi *api = cls ? import_record_methods() : nullptr;
  if (api == nullptr) {
    return {};
  }
  if (unread && api->reads_directly(cls.get(), decode_text)) {
    return PyRef::borrowed(Py_None);
  }
  PyRef direct(api->dict_at(cls.get(), record, decode_text));
  if (direct || PyErr_Occurred()) {
    return direct;
  }
  PyRef from_address = get_attribute(cls.get(), QV_NAME("from_address"));
  PyRef address = from_address ? PyRef(PyLong_FromVoidPtr(const_cast<void *>(record))) : PyRef();
  PyRef view = address ? call_object(from_address.get(), {address.get()}) : PyRef();
  return view ? call_method(view.get(), method, {}) : PyRef();
}

PyRef info_dict(const CThostFtdcRspInfoField *info, bool unread) {
  return record_dict(QV_NAME("RspInfoField"), info, QV_NAME("to_str_dict"), true, unread);
}

PyRef data_dict(const EventNames &names, const void *record, bool unread) {
  return record_dict(names.record_class, record, QV_NAME("to_dict"), false, unread);
}

// A handler asked the program to exit. Exiting on the vendor's thread would finalize the
// interpreter under the main thread's feet (and hang a main thread waiting in Join), so the
// trader is released here, which ends such a wait, and the request is raised again in the
// main thread, which exits as if it had asked itself.
void exit_through_main_thread(PyObject *self) {
  PyObject *type, *value, *traceback;
  PyErr_Fetch(&type, &value, &traceback);
  PyErr_NormalizeException(&type, &value, &traceback);
  Py_XDECREF(type);
  Py_XDECREF(traceback);
  // Handed over first, so that a main thread whose Join the release ends finds it waiting.
  PyRef exit(value);
  if (exit) {
    hand_exit_to_main_thread(exit.get());
  }
  if (!release_vendor_object(as_trader(self))) {
    report_unraisable("Quorvan.CTP.TraderApiBase.TraderApiBase.Release");
  }
}

void finish(PyObject *self, const EventNames &names, PyRef result) {
  if (result) {
    return;
  }
  if (PyErr_ExceptionMatches(PyExc_SystemExit)) {
    exit_through_main_thread(self);
  } else {
    report_unraisable(names.context);
  }
}

// Whether `handler` is the class's method `entry` bound to some object.
bool is_bound_method(PyObject *handler, const PyMethodDef *entry) {
  return entry != nullptr && PyCFunction_Check(handler) &&
         reinterpret_cast<PyCFunctionObject *>(handler)->m_ml == entry;
}

// A handler call being prepared: the handler, then its arguments made in order, each only
// while everything before it succeeded, so that no Python call runs with an error pending.
// The class's do-nothing handler is not called: its arguments are made only as far as making
// them may run code of a record class, and None is the result.
class HandlerCall {
 public:
  HandlerCall(PyObject *self, const EventNames &names)
      : handler_(get_attribute(self, names.handler)),
        failed_(!handler_),
        does_nothing_(handler_ && is_bound_method(handler_.get(), names.do_nothing)) {}

  // make_argument(unread) makes the next argument; `unread` when the handler does nothing.
  template <typename MakeArgument>
  void add(MakeArgument make_argument) {
    if (failed_) {
      return;
    }
    arguments_[count_] = make_argument(does_nothing_);
    failed_ = !arguments_[count_++];
  }

  // The handler's result; null with the error set when any step failed.
  PyRef result() {
    if (failed_) {
      return PyRef();
    }
    if (does_nothing_) {
      return PyRef::borrowed(Py_None);
    }
    PyObject *borrowed[kMaxArguments];
    for (std::size_t index = 0; index < count_; ++index) {
      borrowed[index] = arguments_[index].get();
    }
    return PyRef(PyObject_Vectorcall(handler_.get(), borrowed, count_, nullptr));
  }

 private:
  static constexpr std::size_t kMaxArguments = 4;
  PyRef handler_;
  PyRef arguments_[kMaxArguments];
  std::size_t count_ = 0;
  bool failed_;
  bool does_nothing_;
};

// The handler called with the arguments the makers return, in order.
template <typename... MakeArgument>
PyRef call_handler(PyObject *self, const EventNames &names, MakeArgument... make_argument) {
  HandlerCall call(self, names);
  (call.add(make_argument), ...);
  return call.result();
}

PyRef flag(bool value) { return PyRef(Py_NewRef(value ? Py_True : Py_False)); }

}  // namespace

// What the handler receives for each kind of the callback's parameters.
#define QV_ARGUMENT_RECORD(Param) data_dict(names, Param, unread)
#define QV_ARGUMENT_INT(Param) PyRef(PyLong_FromLong(Param))
#define QV_ARGUMENT_RSP_INFO(Param) info_dict(pRspInfo, unread)
#define QV_ARGUMENT_REQUEST_ID(Param) PyRef(PyLong_FromLong(nRequestID))
#define QV_ARGUMENT_IS_LAST(Param) flag(bIsLast)
#define QV_ARGUMENT_MAKER(Kind, Record, Param) \
  , [&]([[maybe_unused]] bool unread) { return QV_ARGUMENT_##Kind(Param); }

#define QV_SESSION_HANDLES_Session true
#define QV_SESSION_HANDLES_Default false

#define QV_CONTEXT(Name) "Quorvan.CTP.TraderApiBase.TraderSpi_" #Name

#define EVENT(Shape, Name, Record, Param, Handler)                                              \
  void TraderSpi_##Name(PyObject *self EVENT_COMMA_PARAMETERS(Shape, Record, Param)) noexcept { \
    try {                                                                                       \
      static const EventNames names(#Name, EVENT_RECORD_CLASS(Shape, Record), QV_CONTEXT(Name), \
                                    QV_SESSION_HANDLES_##Handler);                              \
      finish(self, names,                                                                       \
             call_handler(self, names EVENT_SHAPE_##Shape(QV_ARGUMENT_MAKER, Record, Param)));  \
    } catch (...) {                                                                             \
      report_thrown(QV_CONTEXT(Name));                                                          \
    }                                                                                           \
  }
#include "events.def"
