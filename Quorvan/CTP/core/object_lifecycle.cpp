#include "object_lifecycle.h"

#include "record_builder.h"

PyRef field_bytes(PyObject *value, const FieldArgument &argument) {
  PyRef text = to_bytes(value);
  if (!text || !check_no_nul(text.get(), argument.name)) {
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

namespace {

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
// An empty one, where allowed, names the flow path itself.
bool check_investor_component(PyObject *investor, bool allow_empty) {
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
  if ((empty && !allow_empty) || dots || has_separator || PyObject_IsTrue(absolute.get())) {
    PyErr_Format(PyExc_ValueError,
                 "investor_id must be one plain path component to name the flow "
                 "directory, not %R",
                 investor);
    return false;
  }
  return true;
}

}  // namespace

bool set_flow_path(PyObject *self, PyObject *flow_path, PyObject *investor_id,
                   bool allow_empty_investor) {
  PyRef base = to_str(flow_path);
  PyRef investor = base ? to_str(investor_id) : PyRef();
  if (!investor || !check_investor_component(investor.get(), allow_empty_investor)) {
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

namespace {

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

}  // namespace

bool make_flow_directories(PyObject *self, PyObject *con) {
  PyRef flow_path = get_attribute(self, QV_NAME("flow_path"));
  PyRef full = flow_path ? PyRef(PyNumber_Add(flow_path.get(), con)) : PyRef();
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

PyRef vendor_flow_directory(PyObject *self, PyObject *con) {
  PyRef flow_path = get_attribute(self, QV_NAME("flow_path"));
  PyRef with_con = flow_path ? PyRef(PyNumber_Add(flow_path.get(), con)) : PyRef();
  PyRef sep = with_con ? os_path_sep() : PyRef();
  PyRef full = sep ? PyRef(PyNumber_Add(with_con.get(), sep.get())) : PyRef();
  // As the file system spells the directory just made: to_bytes would give a non-ASCII path
  // in GB18030, which names no directory under a UTF-8 file system.
  PyRef os = full ? lookup_global(QV_NAME("os")) : PyRef();
  return os ? call_method(os.get(), QV_NAME("fsencode"), {full.get()}) : PyRef();
}

namespace {

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

}  // namespace

void report_teardown_failure(const char *context) {
  clear_traceback_frames();
  report_unraisable(context);
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

PyRef no_login_failure() {
  PyRef zero(PyLong_FromLong(0));
  PyRef error_msg(PyDict_New());
  PyRef empty(PyUnicode_FromString(""));
  if (!zero || !error_msg || !empty ||
      PyDict_SetItemString(error_msg.get(), "ErrorID", zero.get()) < 0 ||
      PyDict_SetItemString(error_msg.get(), "ErrorMsg", empty.get()) < 0) {
    return {};
  }
  return error_msg;
}
