#include "callback_bridge.h"

#include <cstring>

#include "exit_handoff.h"
#include "record_methods.h"
#include "vendor_calls.h"
#include "vendor_thread.h"

namespace {

// What one event needs by name, its record class "" when it has no record; made once, on the
// event's first delivery.
struct EventNames {
  EventNames(const char *event, const char *record, const char *context,
             const PyMethodDef *do_nothing = nullptr)
      : handler(PyUnicode_InternFromString(event)),
        record_class(*record ? PyUnicode_InternFromString(record) : nullptr),
        context(context),
        do_nothing(do_nothing) {}
  PyObject *handler;
  PyObject *record_class;
  const char *context;
  // The class's own handler of the event when it does nothing with what it is given (null
  // when the class's handler does something): such a handler is not called.
  const PyMethodDef *do_nothing;
};

// A handler asked the program to exit: the object is released here, and the request is
// raised again in the main thread, which exits as if it had asked itself.
void exit_through_main_thread(PyObject *self, bool (*release)(PyObject *),
                              const char *release_context) {
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
  if (!release(self)) {
    report_unraisable(release_context);
  }
}

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

PyRef info_dict(const void *info, bool unread) {
  return record_dict(QV_NAME("RspInfoField"), info, QV_NAME("to_str_dict"), true, unread);
}

PyRef data_dict(const EventNames &names, const void *record, bool unread) {
  return record_dict(names.record_class, record, QV_NAME("to_dict"), false, unread);
}

// Ends an event whose handler failed: its error reported as unraisable under the event's
// context. A SystemExit asks the program to exit, which cannot happen on the vendor's thread
// (it would finalize the interpreter under the main thread's feet, and hang a main thread
// waiting in Join): the object is released, which ends such a wait, and the request is
// raised again in the main thread.
void report_failure(PyObject *self, const EventNames &names, const DeliveryTarget &target) {
  if (PyErr_ExceptionMatches(PyExc_SystemExit)) {
    exit_through_main_thread(self, target.release, target.release_context);
  } else {
    report_unraisable(names.context);
  }
}

// An empty Python function: where a function begins, the interpreter hands the lock to a
// thread that has waited for it (and runs what else is due, such as a scheduled collection).
PyObject *empty_function() {
  static PyObject *const function = [] {
    PyRef code(Py_CompileString("lambda: None", "<event delivery>", Py_eval_input));
    PyRef globals(code ? PyDict_New() : nullptr);
    PyRef made;
    if (globals && PyDict_SetItemString(globals.get(), "__builtins__", PyEval_GetBuiltins()) == 0) {
      made.reset(PyEval_EvalCode(code.get(), globals.get(), globals.get()));
    }
    // Without it an event only gives the other threads fewer chances.
    PyErr_Clear();
    return made.release();
  }();
  return function;
}

// Whether no handler may have the object any more: Release has begun on it, or its teardown
// has, which marks the bridge detached only once the instance's attributes are gone; their
// finalizers may let an event in before that, and a handler would bring the object back.
bool out_of_reach(const CallbackBridge &bridge) {
  return Py_REFCNT(bridge.self) == 0 || bridge.detached.load();
}

// Whether `handler` is the class's method `entry` bound to some object.
bool is_bound_method(PyObject *handler, const PyMethodDef *entry) {
  return entry != nullptr && PyCFunction_Check(handler) &&
         reinterpret_cast<PyCFunctionObject *>(handler)->m_ml == entry;
}

// An event's delivery: the handler looked up, then its arguments made in order, each only
// while everything before it succeeded, so that no Python call runs with an error pending;
// then the handler called and its failure reported. The class's do-nothing handler is not
// called: its arguments are made only as far as making them may run code of a record class.
//
// Making the arguments may run Python code (a record class of the program's own) and let
// other threads run; the program may drop its last reference to the object meanwhile, which
// releases it. So the delivery holds no reference to the object until the call (a method's
// function is kept, not the bound method), gives a thread waiting for the interpreter lock
// its turn before that, and calls nothing once the object is detached. Only where the handler
// itself begins may the interpreter still hand the lock over, its frame holding the object by
// then. From the call to the end of the delivery the delivery holds a reference too: a
// handler that lets go of the object's last reference ends it once the delivery is over, not
// under its feet.
class HandlerCall {
 public:
  HandlerCall(PyObject *self, const EventNames &names);

  // make_argument(unread) makes the next argument; `unread` when the handler does nothing.
  template <typename MakeArgument>
  void add(MakeArgument make_argument) {
    if (failed_) {
      return;
    }
    arguments_[count_] = make_argument(does_nothing_);
    failed_ = !arguments_[count_++];
  }

  void deliver(const CallbackBridge &bridge);

 private:
  static constexpr std::size_t kMaxArguments = 4;
  // The handler's result; null with the error set when it failed.
  PyRef call();

  PyObject *self_;
  const EventNames &names_;
  // The handler; for a method of the object, its function, called with the object first.
  PyRef handler_;
  bool with_self_ = false;
  // The handler is bound to the object otherwise (a method of the class written in C): it is
  // looked up again for the call.
  bool look_up_again_ = false;
  PyRef arguments_[kMaxArguments];
  std::size_t count_ = 0;
  bool failed_;
  bool does_nothing_;
};

HandlerCall::HandlerCall(PyObject *self, const EventNames &names)
    : self_(self),
      names_(names),
      handler_(PyObject_GetAttr(self, names.handler)),
      failed_(!handler_),
      does_nothing_(handler_ && is_bound_method(handler_.get(), names.do_nothing)) {
  if (failed_) {
    return;
  }
  PyObject *handler = handler_.get();
  if (does_nothing_) {
    handler_.reset();
  } else if (PyMethod_Check(handler) && PyMethod_GET_SELF(handler) == self) {
    handler_ = PyRef::borrowed(PyMethod_GET_FUNCTION(handler));
    with_self_ = true;
  } else if (PyCFunction_Check(handler) && PyCFunction_GET_SELF(handler) == self) {
    handler_.reset();
    look_up_again_ = true;
  }
}

void HandlerCall::deliver(const CallbackBridge &bridge) {
  if (!failed_ && !does_nothing_ && empty_function() != nullptr) {
    failed_ = !PyRef(PyObject_Vectorcall(empty_function(), nullptr, 0, nullptr));
  }
  if (out_of_reach(bridge)) {
    // Release began while the arguments were made: nothing more reaches the object.
    if (failed_) {
      report_unraisable(names_.context);
    }
    return;
  }
  const PyRef hold = PyRef::borrowed(self_);
  if (!failed_ && !call()) {
    failed_ = true;
  }
  if (failed_) {
    report_failure(self_, names_, bridge.target);
  }
}

PyRef HandlerCall::call() {
  if (does_nothing_) {
    return PyRef::borrowed(Py_None);
  }
  if (look_up_again_) {
    handler_.reset(PyObject_GetAttr(self_, names_.handler));
    if (!handler_) {
      return {};
    }
  }
  // One slot before the arguments, for the object or for the vectorcall's own use.
  PyObject *slots[kMaxArguments + 2];
  slots[1] = self_;
  for (std::size_t index = 0; index < count_; ++index) {
    slots[index + 2] = arguments_[index].get();
  }
  PyObject *const *first = with_self_ ? slots + 1 : slots + 2;
  const std::size_t count = with_self_ ? count_ + 1 : count_;
  return PyRef(
      PyObject_Vectorcall(handler_.get(), first, count | PY_VECTORCALL_ARGUMENTS_OFFSET, nullptr));
}

// Delivers an event: the handler called with the arguments the makers return, in order.
template <typename... MakeArgument>
void deliver_event(const CallbackBridge &bridge, const EventNames &names,
                   MakeArgument... make_argument) {
  if (out_of_reach(bridge)) {
    return;
  }
  HandlerCall call(bridge.self, names);
  (call.add(make_argument), ...);
  call.deliver(bridge);
}

PyRef flag(bool value) { return PyRef(Py_NewRef(value ? Py_True : Py_False)); }

}  // namespace

const PyMethodDef *class_method_entry(const PyMethodDef *methods, const char *name) {
  for (const PyMethodDef *def = methods; def->ml_name != nullptr; ++def) {
    if (std::strcmp(def->ml_name, name) == 0) {
      return def;
    }
  }
  return nullptr;
}

// What the handler receives for each kind of the callback's parameters.
#define QV_ARGUMENT_RECORD(Param) data_dict(names, Param, unread)
#define QV_ARGUMENT_INT(Param) PyRef(PyLong_FromLong(Param))
#define QV_ARGUMENT_RSP_INFO(Param) info_dict(pRspInfo, unread)
#define QV_ARGUMENT_REQUEST_ID(Param) PyRef(PyLong_FromLong(nRequestID))
#define QV_ARGUMENT_IS_LAST(Param) flag(bIsLast)
#define QV_ARGUMENT_MAKER(Kind, Record, Param) \
  , [&]([[maybe_unused]] bool unread) { return QV_ARGUMENT_##Kind(Param); }

// The class's do-nothing handler of an event by its Handler column: only the default handlers
// do nothing; those of the login chain, the log and the tick queue do something.
#define QV_DO_NOTHING_Default(Name) class_method_entry(target.methods, #Name)
#define QV_DO_NOTHING_Session(Name) nullptr
#define QV_DO_NOTHING_Log(Name) nullptr
#define QV_DO_NOTHING_Tick(Name) nullptr

// One callback of a bridge: `Context` the prefix of the names its failures are reported under.
// The vendor's thread must never see an exception from an event: every one is caught, and only
// a failing mutex of the visit's gate is left, which ends the process rather than run on with
// the gate in an unknown state.
#define QV_BRIDGE_EVENT(Bridge, Context, Shape, Name, Record, Param, Handler)                \
  void Bridge::Name(EVENT_PARAMETERS(Shape, Record, Param)) noexcept {                       \
    VendorThreadVisit visit;                                                                 \
    if (!visit.admitted()) {                                                                 \
      return;                                                                                \
    }                                                                                        \
    PyGILLock gil_lock;                                                                      \
    if (detached.load(std::memory_order_relaxed)) {                                          \
      return;                                                                                \
    }                                                                                        \
    try {                                                                                    \
      static const EventNames names(#Name, EVENT_RECORD_CLASS(Shape, Record), Context #Name, \
                                    QV_DO_NOTHING_##Handler(Name));                          \
      deliver_event(*this, names EVENT_SHAPE_##Shape(QV_ARGUMENT_MAKER, Record, Param));     \
    } catch (...) {                                                                          \
      report_thrown(Context #Name);                                                          \
    }                                                                                        \
  }

#define EVENT(Shape, Name, Record, Param, Handler, ...)                                      \
  QV_BRIDGE_EVENT(TraderBridge, "Quorvan.CTP.TraderApiBase.TraderSpi_", Shape, Name, Record, \
                  Param, Handler)
#include "events.def"

#define EVENT(Shape, Name, Record, Param, Handler, ...) \
  QV_BRIDGE_EVENT(MdBridge, "Quorvan.CTP.MdApiBase.MdSpi_", Shape, Name, Record, Param, Handler)
#include "md_events.def"
