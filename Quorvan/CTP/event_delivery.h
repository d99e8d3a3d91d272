// Delivering one event to its handler, for every bridge of the package: the handler looked
// up on the object, each vendor record turned into a dict with its record class, the handler
// called, and a failure reported as unraisable (a SystemExit carried to the main thread).
#pragma once

#include "python_support.h"

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

// Ends an event: nothing when the handler returned, else its error reported as unraisable
// under the event's context. A SystemExit asks the program to exit, which cannot happen on
// the vendor's thread (it would finalize the interpreter under the main thread's feet, and
// hang a main thread waiting in Join): the object is released with `release`, which ends
// such a wait, and the request is raised again in the main thread.
void finish(PyObject *self, const EventNames &names, PyRef result, bool (*release)(PyObject *),
            const char *release_context);

// Whether `handler` is the class's method `entry` bound to some object.
inline bool is_bound_method(PyObject *handler, const PyMethodDef *entry) {
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
  PyRef result();

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

inline PyRef flag(bool value) { return PyRef(Py_NewRef(value ? Py_True : Py_False)); }

// What the handler receives for each kind of the callback's parameters.
#define QV_ARGUMENT_RECORD(Param) data_dict(names, Param, unread)
#define QV_ARGUMENT_INT(Param) PyRef(PyLong_FromLong(Param))
#define QV_ARGUMENT_RSP_INFO(Param) info_dict(pRspInfo, unread)
#define QV_ARGUMENT_REQUEST_ID(Param) PyRef(PyLong_FromLong(nRequestID))
#define QV_ARGUMENT_IS_LAST(Param) flag(bIsLast)
#define QV_ARGUMENT_MAKER(Kind, Record, Param) \
  , [&]([[maybe_unused]] bool unread) { return QV_ARGUMENT_##Kind(Param); }
