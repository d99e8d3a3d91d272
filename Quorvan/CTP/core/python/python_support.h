// The small part of a binding library that this module needs: an owning reference, module
// globals looked up at each use, argument binding with the interpreter's own wordings, the
// traceback entry of a method and the report of an error that cannot reach a caller.
#pragma once

#include "python_compat.h"

#include <utility>

// Owns one reference; the only place that gives it back.
class PyRef {
 public:
  PyRef() = default;
  explicit PyRef(PyObject *owned) : object_(owned) {}
  PyRef(const PyRef &) = delete;
  PyRef &operator=(const PyRef &) = delete;
  PyRef(PyRef &&other) noexcept : object_(other.release()) {}
  PyRef &operator=(PyRef &&other) noexcept {
    reset(other.release());
    return *this;
  }
  ~PyRef() { Py_XDECREF(object_); }

  static PyRef borrowed(PyObject *object) {
    Py_XINCREF(object);
    return PyRef(object);
  }

  PyObject *get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  PyObject *release() { return std::exchange(object_, nullptr); }
  void reset(PyObject *owned = nullptr) { Py_XDECREF(std::exchange(object_, owned)); }

 private:
  PyObject *object_ = nullptr;
};

// An interned str made once per call site; names are cached, never the values they name.
#define QV_NAME(literal)                                                   \
  ([]() -> PyObject * {                                                    \
    static PyObject *const interned = PyUnicode_InternFromString(literal); \
    return interned;                                                       \
  }())

// The module's namespace, set once when the module is executed.
void set_module_globals(PyObject *globals);

// The module global `name` (then the builtin of that name), looked up now; NameError as the
// interpreter words it when neither exists.
PyRef lookup_global(PyObject *name);

// getattr(object, name) and object.name(*args) with the name interned by the caller.
PyRef get_attribute(PyObject *object, PyObject *name);
PyRef call_method(PyObject *object, PyObject *name, std::initializer_list<PyObject *> args);
PyRef call_object(PyObject *callable, std::initializer_list<PyObject *> args);

// Binds a call to a function of `names` parameters (the first `n_required` without default)
// taking every parameter by position or by keyword, with the messages and the order of checks
// of the interpreter's generated argument parsers. `values` receives borrowed references, null
// for a parameter not given. Returns false with TypeError set.
struct Parameters {
  const char *function;
  const char *const *names;
  Py_ssize_t n_required;
  Py_ssize_t n_max;
};
bool bind_arguments(const Parameters &parameters, PyObject *const *args, Py_ssize_t nargs,
                    PyObject *kwnames, PyObject **values);
// The same for a call made with an argument tuple and a keyword dict (the allocation slot).
bool bind_arguments(const Parameters &parameters, PyObject *args, PyObject *kwargs,
                    PyObject **values);

// Checks for methods taking one positional argument, or none, in the interpreter's wording.
bool check_one_argument(const char *function, Py_ssize_t nargs, PyObject *kwnames);
bool check_no_arguments(const char *function, Py_ssize_t nargs, PyObject *kwnames);

// A method of a class, as the module defines it.
#define QV_METHOD(name) \
  PyObject *name(PyObject *self, PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames)

// The class whose methods this module's method_failed names, as "Quorvan.CTP.TraderApiBase"
// (the module) and "TraderApiBase" (the class), set once when the module is executed; each
// module of the package links its own copy of these helpers, and so keeps its own.
void set_method_owner(const char *module, const char *cls);

// Adds the entry "<module>.<class>.<method>" to the pending error's traceback and returns
// null, so a method can end with `return method_failed("connect");`.
PyObject *method_failed(const char *method);

// For errors that cannot reach a caller: prints the pending error with its traceback, then
// hands it to sys.unraisablehook with `context` as the object, and clears it. Never exits the
// process, not even for a SystemExit.
void report_unraisable(const char *context);

// ValueError naming `what` when the bytes or bytearray `text` holds a NUL: the vendor takes
// C strings, and would see the text end there. Other objects pass.
bool check_no_nul(PyObject *text, const char *what);

// Integer conversions through the object's __int__, with the interpreter's messages; a resume
// type must also be one of the enum's four values.
bool convert_int32(PyObject *value, int *out);
bool convert_resume_type(PyObject *value, unsigned int *out);
bool convert_address(PyObject *value, size_t *out);
