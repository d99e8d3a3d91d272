// The callback bridge: the handler objects the vendor's libraries call on their own threads,
// one class for each half (trader and market data) over the one delivery of an event they
// share. Each callback takes the interpreter lock for the whole event, looks the handler up on
// the object, turns each vendor record into a dict with its record class, calls the handler
// and reports a failure as unraisable (a SystemExit carried to the main thread). The vendor
// never hears of a failure, a C++ exception included.
#pragma once

#include "python_support.h"

#include <atomic>

#include "ThostFtdcMdApi.h"
#include "ThostFtdcTraderApi.h"
#include "event_shapes.h"
#include "vendor_calls.h"
#include "vendor_thread.h"

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

// A new dict of the record's fields: <record_class>.from_address(address).<method>(), the
// class looked up now; a null record gives an empty dict and no lookup. A record class with
// the stock methods has its dict made straight from the vendor's memory, as those methods
// would make it, without a record object in between; when the dict is `unread` (it goes to a
// handler that does nothing with it) such a class's dict is not made at all, and None stands
// in for it. Either way no record object outlives this call, so no handler ever holds a view
// of memory the vendor reuses.
PyRef record_dict(PyObject *record_class, const void *record, PyObject *method, bool decode_text,
                  bool unread);

// The dict of an event's response information, and of its record.
PyRef info_dict(const void *info, bool unread);
PyRef data_dict(const EventNames &names, const void *record, bool unread);

// What delivering an event to the objects of one class needs besides the event.
struct DeliveryTarget {
  // Releases the object for a handler's exit request, reporting a failure under the context.
  bool (*release)(PyObject *self);
  const char *release_context;
  // The class's method table, where the do-nothing handlers are found.
  const PyMethodDef *methods;
};

// The class's own entry of the method `name` in its method table; null when it has none.
const PyMethodDef *class_method_entry(const PyMethodDef *methods, const char *name);

// What both halves' bridges hold: the object that receives the events and the flag that
// Release sets.
class CallbackBridge {
 public:
  CallbackBridge(PyObject *object, const DeliveryTarget &delivery)
      : self(object), target(delivery) {}

  // Borrowed: the object owns the bridge, and detaches it from the vendor before the object's
  // memory goes.
  PyObject *const self;
  const DeliveryTarget &target;

  // Set by Release, under the interpreter lock, before the vendor is told to detach: an event
  // that was already waiting for the lock then finds it set and leaves the object alone.
  std::atomic<bool> detached{false};
};

// Whether no handler may have the object any more: Release has begun on it, or its teardown
// has, which marks the bridge detached only once the instance's attributes are gone; their
// finalizers may let an event in before that, and a handler would bring the object back.
inline bool out_of_reach(const CallbackBridge &bridge) {
  return Py_REFCNT(bridge.self) == 0 || bridge.detached.load();
}

// Whether `handler` is the class's method `entry` bound to some object.
inline bool is_bound_method(PyObject *handler, const PyMethodDef *entry) {
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

inline PyRef flag(bool value) { return PyRef(Py_NewRef(value ? Py_True : Py_False)); }

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
#define QV_BRIDGE_EVENT(Context, Shape, Name, Record, Param, Handler)                        \
  void Name(EVENT_PARAMETERS(Shape, Record, Param)) noexcept override {                      \
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

class TraderBridge final : public CThostFtdcTraderSpi, public CallbackBridge {
 public:
  using CallbackBridge::CallbackBridge;
#define EVENT(Shape, Name, Record, Param, Handler, ...) \
  QV_BRIDGE_EVENT("Quorvan.CTP.TraderApiBase.TraderSpi_", Shape, Name, Record, Param, Handler)
#include "events.def"
};

class MdBridge final : public CThostFtdcMdSpi, public CallbackBridge {
 public:
  using CallbackBridge::CallbackBridge;
#define EVENT(Shape, Name, Record, Param, Handler, ...) \
  QV_BRIDGE_EVENT("Quorvan.CTP.MdApiBase.MdSpi_", Shape, Name, Record, Param, Handler)
#include "md_events.def"
};
