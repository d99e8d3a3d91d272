#include "python_support.h"

#include <frameobject.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ThostFtdcUserApiDataType.h"

namespace {

PyObject *g_module_globals = nullptr;

PyRef call_with(PyObject *callable, std::initializer_list<PyObject *> args) {
  return PyRef(
      PyObject_Vectorcall(callable, const_cast<PyObject **>(args.begin()), args.size(), nullptr));
}

// The interpreter's message for a wrong number of positional arguments.
void raise_wrong_count(const Parameters &p, Py_ssize_t given) {
  const bool exact = p.n_required == p.n_max;
  const bool too_few = given < p.n_required;
  const Py_ssize_t expected = too_few ? p.n_required : p.n_max;
  const char *how = exact ? "exactly" : (too_few ? "at least" : "at most");
  PyErr_Format(PyExc_TypeError, "%.200s() takes %.8s %zd positional argument%.1s (%zd given)",
               p.function, how, expected, expected == 1 ? "" : "s", given);
}

Py_ssize_t parameter_index(const Parameters &p, PyObject *key) {
  for (Py_ssize_t i = 0; i < p.n_max; ++i) {
    if (PyUnicode_CompareWithASCIIString(key, p.names[i]) == 0) {
      return i;
    }
  }
  return -1;
}

// Keywords come as parallel arrays of names and values, whichever calling convention the
// caller used.
bool bind_keywords(const Parameters &p, Py_ssize_t nargs, PyObject *const *keys,
                   PyObject *const *key_values, Py_ssize_t nkeys, PyObject **values) {
  Py_ssize_t unmatched = nkeys;
  // Missing parameters are filled from the keywords first; a required one that is still
  // missing is reported before any unknown keyword.
  for (Py_ssize_t i = nargs; i < p.n_max; ++i) {
    for (Py_ssize_t k = 0; k < nkeys; ++k) {
      if (PyUnicode_Check(keys[k]) && PyUnicode_CompareWithASCIIString(keys[k], p.names[i]) == 0) {
        values[i] = key_values[k];
        --unmatched;
        break;
      }
    }
    if (values[i] == nullptr && i < p.n_required) {
      raise_wrong_count(p, i);
      return false;
    }
  }
  if (unmatched == 0) {
    return true;
  }
  for (Py_ssize_t k = 0; k < nkeys; ++k) {
    PyObject *key = keys[k];
    if (!PyUnicode_Check(key)) {
      PyErr_Format(PyExc_TypeError, "%.200s() keywords must be strings", p.function);
      return false;
    }
    const Py_ssize_t index = parameter_index(p, key);
    if (index < 0) {
      PyErr_Format(PyExc_TypeError, "%.200s() got an unexpected keyword argument '%U'", p.function,
                   key);
      return false;
    }
    if (index < nargs) {
      PyErr_Format(PyExc_TypeError, "%s() got multiple values for keyword argument '%U'",
                   p.function, key);
      return false;
    }
  }
  return true;
}

// The object's integer form through __int__, as the generated converters take it.
PyRef integer_of(PyObject *value) {
  if (PyLong_Check(value)) {
    return PyRef::borrowed(value);
  }
  PyNumberMethods *number = Py_TYPE(value)->tp_as_number;
  if (number == nullptr || number->nb_int == nullptr) {
    PyErr_SetString(PyExc_TypeError, "an integer is required");
    return {};
  }
  PyRef result(number->nb_int(value));
  if (result && !PyLong_Check(result.get())) {
    PyErr_Format(PyExc_TypeError, "__int__ returned non-int (type %.200s)",
                 Py_TYPE(result.get())->tp_name);
    return {};
  }
  return result;
}

bool is_negative(PyObject *integer) {
  int overflow = 0;
  const long long value = PyLong_AsLongLongAndOverflow(integer, &overflow);
  return overflow < 0 || (overflow == 0 && value < 0);
}

}  // namespace

void set_module_globals(PyObject *globals) { g_module_globals = globals; }

PyRef lookup_global(PyObject *name) {
  PyObject *found = PyDict_GetItemWithError(g_module_globals, name);
  if (found == nullptr && !PyErr_Occurred()) {
    found = PyDict_GetItemWithError(PyEval_GetBuiltins(), name);
    if (found == nullptr && !PyErr_Occurred()) {
      PyErr_Format(PyExc_NameError, "name '%U' is not defined", name);
    }
  }
  return PyRef::borrowed(found);
}

PyRef get_attribute(PyObject *object, PyObject *name) {
  return PyRef(PyObject_GetAttr(object, name));
}

PyRef call_method(PyObject *object, PyObject *name, std::initializer_list<PyObject *> args) {
  PyRef method = get_attribute(object, name);
  if (!method) {
    return {};
  }
  return call_with(method.get(), args);
}

PyRef call_object(PyObject *callable, std::initializer_list<PyObject *> args) {
  return call_with(callable, args);
}

bool bind_arguments(const Parameters &p, PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames,
                    PyObject **values) {
  for (Py_ssize_t i = 0; i < p.n_max; ++i) {
    values[i] = i < nargs ? args[i] : nullptr;
  }
  if (nargs > p.n_max) {
    raise_wrong_count(p, nargs);
    return false;
  }
  const Py_ssize_t nkeys = kwnames ? PyTuple_GET_SIZE(kwnames) : 0;
  if (nkeys == 0) {
    if (nargs < p.n_required) {
      raise_wrong_count(p, nargs);
      return false;
    }
    return true;
  }
  return bind_keywords(p, nargs, &PyTuple_GET_ITEM(kwnames, 0), args + nargs, nkeys, values);
}

bool bind_arguments(const Parameters &p, PyObject *args, PyObject *kwargs, PyObject **values) {
  const Py_ssize_t nargs = PyTuple_GET_SIZE(args);
  PyObject *const *positional = nargs ? &PyTuple_GET_ITEM(args, 0) : nullptr;
  const Py_ssize_t nkeys = kwargs ? PyDict_GET_SIZE(kwargs) : 0;
  if (nkeys == 0) {
    return bind_arguments(p, positional, nargs, nullptr, values);
  }
  for (Py_ssize_t i = 0; i < p.n_max; ++i) {
    values[i] = i < nargs ? positional[i] : nullptr;
  }
  if (nargs > p.n_max) {
    raise_wrong_count(p, nargs);
    return false;
  }
  std::vector<PyObject *> keys, key_values;
  PyObject *key, *value;
  Py_ssize_t position = 0;
  while (PyDict_Next(kwargs, &position, &key, &value)) {
    keys.push_back(key);
    key_values.push_back(value);
  }
  return bind_keywords(p, nargs, keys.data(), key_values.data(), nkeys, values);
}

bool check_one_argument(const char *function, Py_ssize_t nargs, PyObject *kwnames) {
  if (kwnames && PyTuple_GET_SIZE(kwnames)) {
    PyErr_Format(PyExc_TypeError, "%.200s() takes no keyword arguments", function);
    return false;
  }
  if (nargs != 1) {
    PyErr_Format(PyExc_TypeError, "%.200s() takes exactly one argument (%zd given)", function,
                 nargs);
    return false;
  }
  return true;
}

bool check_no_arguments(const char *function, Py_ssize_t nargs, PyObject *kwnames) {
  if (kwnames && PyTuple_GET_SIZE(kwnames)) {
    PyErr_Format(PyExc_TypeError, "%.200s() takes no keyword arguments", function);
    return false;
  }
  if (nargs != 0) {
    PyErr_Format(PyExc_TypeError, "%.200s() takes no arguments (%zd given)", function, nargs);
    return false;
  }
  return true;
}

namespace {

const char *g_owner_module = "Quorvan.CTP.TraderApiBase";
const char *g_owner_class = "TraderApiBase";
// The module's file as a traceback shows it: its dotted name with slashes.
char g_owner_file[96] = "Quorvan/CTP/TraderApiBase";

}  // namespace

void set_method_owner(const char *module, const char *cls) {
  g_owner_module = module;
  g_owner_class = cls;
  std::snprintf(g_owner_file, sizeof g_owner_file, "%s", module);
  for (char *c = g_owner_file; *c != '\0'; ++c) {
    if (*c == '.') {
      *c = '/';
    }
  }
}

PyObject *method_failed(const char *method) {
  // No C++ allocation here: this also ends a method that a C++ exception has just left.
  char entry[160];
  std::snprintf(entry, sizeof entry, "%s.%s.%s", g_owner_module, g_owner_class, method);
  // The entry is a frame of an empty code object named after the method. Making it may run
  // Python code (the file system codec), which must not see the pending error; if it
  // cannot be made, the error goes on without the entry.
  PyObject *type, *value, *traceback;
  PyErr_Fetch(&type, &value, &traceback);
  PyRef globals(PyDict_New());
  PyRef code(globals ? reinterpret_cast<PyObject *>(PyCode_NewEmpty(g_owner_file, entry, 0))
                     : nullptr);
  PyRef frame(code ? reinterpret_cast<PyObject *>(PyFrame_New(
                         PyThreadState_Get(), reinterpret_cast<PyCodeObject *>(code.get()),
                         globals.get(), nullptr))
                   : nullptr);
  PyErr_Clear();
  PyErr_Restore(type, value, traceback);
  if (frame) {
    PyTraceBack_Here(reinterpret_cast<PyFrameObject *>(frame.get()));
  }
  return nullptr;
}

namespace {

// sys.last_type, sys.last_value and sys.last_traceback (and sys.last_exc from 3.12), as the
// interpreter's own report of an uncaught error sets them, for a debugger's post-mortem.
void remember_last_error(PyObject *type, PyObject *value, PyObject *traceback) {
  const bool remembered =
#if PY_VERSION_HEX >= 0x030C0000
      PySys_SetObject("last_exc", value) == 0 &&
#endif
      PySys_SetObject("last_type", type) == 0 && PySys_SetObject("last_value", value) == 0 &&
      PySys_SetObject("last_traceback", traceback ? traceback : Py_None) == 0;
  if (!remembered) {
    PyErr_Clear();
  }
}

}  // namespace

void report_unraisable(const char *context) {
  PyObject *type, *value, *traceback;
  PyErr_Fetch(&type, &value, &traceback);
  if (type == nullptr) {
    return;
  }
  PyErr_NormalizeException(&type, &value, &traceback);
  if (traceback != nullptr && value != nullptr) {
    PyException_SetTraceback(value, traceback);
  }
  remember_last_error(type, value, traceback);
  // Printed directly rather than through PyErr_PrintEx and sys.excepthook: both end the
  // process on a SystemExit, and this runs where nobody may exit, on the vendor's thread
  // or in the middle of a teardown.
  PyErr_Display(type, value, traceback);
  PyObject *object = PyUnicode_FromString(context);
  PyErr_Restore(type, value, traceback);
  PyErr_WriteUnraisable(object ? object : Py_None);
  Py_XDECREF(object);
}

bool check_no_nul(PyObject *text, const char *what) {
  const bool is_bytes = PyBytes_Check(text);
  if (!is_bytes && !PyByteArray_Check(text)) {
    return true;
  }
  const char *data = is_bytes ? PyBytes_AS_STRING(text) : PyByteArray_AS_STRING(text);
  const Py_ssize_t size = is_bytes ? PyBytes_GET_SIZE(text) : PyByteArray_GET_SIZE(text);
  if (std::memchr(data, '\0', static_cast<size_t>(size)) != nullptr) {
    PyErr_Format(PyExc_ValueError, "NUL byte in %s: the vendor would see the text end there", what);
    return false;
  }
  return true;
}

namespace {

// The value as a C long through its __int__; false with the interpreter's error.
bool long_of(PyObject *value, long *out) {
  PyRef integer = integer_of(value);
  if (!integer) {
    return false;
  }
  *out = PyLong_AsLong(integer.get());
  return !(*out == -1 && PyErr_Occurred());
}

}  // namespace

bool convert_int32(PyObject *value, int *out) {
  long wide;
  if (!long_of(value, &wide)) {
    return false;
  }
  if (wide < INT_MIN || wide > INT_MAX) {
    PyErr_SetString(PyExc_OverflowError, "value too large to convert to int");
    return false;
  }
  *out = static_cast<int>(wide);
  return true;
}

bool convert_resume_type(PyObject *value, unsigned int *out) {
  long wide;
  if (!long_of(value, &wide)) {
    return false;
  }
  if (wide > static_cast<long>(UINT_MAX)) {
    PyErr_SetString(PyExc_OverflowError, "value too large to convert to enum THOST_TE_RESUME_TYPE");
    return false;
  }
  if (wide < INT_MIN) {
    PyErr_SetString(PyExc_OverflowError,
                    "can't convert negative value to enum THOST_TE_RESUME_TYPE");
    return false;
  }
  // Any other value would be cast to the enum, which is undefined behaviour in C++.
  if (wide < THOST_TERT_RESTART || wide > THOST_TERT_NONE) {
    PyErr_Format(PyExc_ValueError,
                 "%ld is not a THOST_TE_RESUME_TYPE: THOST_TERT_RESTART (0), "
                 "THOST_TERT_RESUME (1), THOST_TERT_QUICK (2) or THOST_TERT_NONE (3)",
                 wide);
    return false;
  }
  *out = static_cast<unsigned int>(wide);
  return true;
}

bool convert_address(PyObject *value, size_t *out) {
  PyRef integer = integer_of(value);
  if (!integer) {
    return false;
  }
  if (is_negative(integer.get())) {
    PyErr_SetString(PyExc_OverflowError, "can't convert negative value to size_t");
    return false;
  }
  const size_t address = PyLong_AsSize_t(integer.get());
  if (address == static_cast<size_t>(-1) && PyErr_Occurred()) {
    return false;
  }
  *out = address;
  return true;
}
