#include "event_delivery.h"

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

void finish(PyObject *self, const EventNames &names, PyRef result, bool (*release)(PyObject *),
            const char *release_context) {
  if (result) {
    return;
  }
  if (PyErr_ExceptionMatches(PyExc_SystemExit)) {
    exit_through_main_thread(self, release, release_context);
  } else {
    report_unraisable(names.context);
  }
}

PyRef HandlerCall::result() {
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
