#include "log_writer.h"

namespace {

// The value itself when it is a str, else format(value, "").
PyRef plain_text(PyObject *value) {
  PyRef empty(PyUnicode_FromString(""));
  return empty ? PyRef(PyObject_Format(value, empty.get())) : PyRef();
}

bool take_sep(PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames, PyObject **sep) {
  const Py_ssize_t nkeys = kwnames ? PyTuple_GET_SIZE(kwnames) : 0;
  for (Py_ssize_t k = 0; k < nkeys; ++k) {
    PyObject *key = PyTuple_GET_ITEM(kwnames, k);
    if (PyUnicode_Check(key) && PyUnicode_CompareWithASCIIString(key, "sep") == 0) {
      *sep = args[nargs + k];
    } else {
      PyErr_Format(PyExc_TypeError, "%s() got an unexpected keyword argument '%U'", "write_log",
                   key);
      return false;
    }
  }
  return true;
}

PyRef time_stamp() {
  PyRef datetime = lookup_global(QV_NAME("datetime"));
  PyRef now = datetime ? call_method(datetime.get(), QV_NAME("now"), {}) : PyRef();
  PyRef format(PyUnicode_FromString("%Y-%m-%d %H:%M:%S"));
  return now && format ? call_method(now.get(), QV_NAME("strftime"), {format.get()}) : PyRef();
}

// sep.join(map(str, args))
PyRef message(PyObject *sep, PyObject *const *args, Py_ssize_t nargs) {
  PyRef items(PyTuple_New(nargs));
  if (!items) {
    return {};
  }
  for (Py_ssize_t i = 0; i < nargs; ++i) {
    PyTuple_SET_ITEM(items.get(), i, Py_NewRef(args[i]));
  }
  PyRef map = lookup_global(QV_NAME("map"));
  PyRef strings =
      map ? call_object(map.get(), {reinterpret_cast<PyObject *>(&PyUnicode_Type), items.get()})
          : PyRef();
  return strings ? call_method(sep, QV_NAME("join"), {strings.get()}) : PyRef();
}

PyRef log_line(PyObject *self, const char *side, PyObject *sep, PyObject *const *args,
               Py_ssize_t nargs) {
  PyRef stamp = time_stamp();
  PyRef first_sep = stamp ? plain_text(sep) : PyRef();
  PyRef investor = first_sep ? get_attribute(self, QV_NAME("investor_id")) : PyRef();
  PyRef investor_text = investor ? plain_text(investor.get()) : PyRef();
  PyRef second_sep = investor_text ? plain_text(sep) : PyRef();
  PyRef text = second_sep ? message(sep, args, nargs) : PyRef();
  if (!text) {
    return {};
  }
  PyRef side_text(PyUnicode_FromString(side));
  PyRef pieces(PyTuple_Pack(6, stamp.get(), first_sep.get(), investor_text.get(), side_text.get(),
                            second_sep.get(), text.get()));
  PyRef nothing(PyUnicode_FromString(""));
  return pieces && nothing ? PyRef(PyUnicode_Join(nothing.get(), pieces.get())) : PyRef();
}

}  // namespace

PyObject *write_log(const char *side, PyObject *self, PyObject *const *args, Py_ssize_t nargs,
                    PyObject *kwnames) {
  PyRef default_sep(PyUnicode_FromString(" || "));
  PyObject *sep = default_sep.get();
  if (!sep || !take_sep(args, nargs, kwnames, &sep)) {
    return method_failed("write_log");
  }
  PyRef line = log_line(self, side, sep, args, nargs);
  PyRef print = line ? lookup_global(QV_NAME("print")) : PyRef();
  if (!print || !call_object(print.get(), {line.get()})) {
    return method_failed("write_log");
  }
  Py_RETURN_NONE;
}
