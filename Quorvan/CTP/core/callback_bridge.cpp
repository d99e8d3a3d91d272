#include "callback_bridge.h"

#include <cstring>

#include "exit_handoff.h"
#include "record_methods.h"

namespace {

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

}  // namespace

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

namespace {

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

}  // namespace

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

const PyMethodDef *class_method_entry(const PyMethodDef *methods, const char *name) {
  for (const PyMethodDef *def = methods; def->ml_name != nullptr; ++def) {
    if (std::strcmp(def->ml_name, name) == 0) {
      return def;
    }
  }
  return nullptr;
}
