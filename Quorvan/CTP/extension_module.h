// What every extension module of the package does alike: its method table's entries, the
// module-level imports the methods look their names up in, the class's methods installed in
// class order, and the module made once per process.
#pragma once

#include "exception_boundary.h"

inline constexpr int kFastCall = METH_FASTCALL | METH_KEYWORDS;

using MethodFunction = PyObject *(PyObject *, PyObject *const *, Py_ssize_t, PyObject *);

// Every method of the class runs inside this: a C++ exception leaving it becomes the Python
// exception of its class, with the method's traceback entry.
inline PyObject *run_method(const char *name, MethodFunction *method, PyObject *self,
                            PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames) noexcept {
  try {
    return method(self, args, nargs, kwnames);
  } catch (...) {
    raise_thrown();
    return method_failed(name);
  }
}

// A plain function for the table that runs `function` through run_method.
#define QV_GUARDED(name, function)                                                           \
  +[](PyObject *self, PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames) noexcept { \
    return run_method(name, function, self, args, nargs, kwnames);                           \
  }
#define QV_DEF(name, function, doc)                                                             \
  {name,                                                                                        \
   reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)(void)>(QV_GUARDED(name, function))), \
   kFastCall, doc}
#define QV_DOCUMENTED(name, doc) QV_DEF(#name, method_##name, doc)
#define QV_ENTRY(name) QV_DOCUMENTED(name, nullptr)

// import os; import ctypes; from datetime import datetime; from .ApiStruct import *;
// from .ApiConst import *; from ..utils.base_field import to_bytes, to_str
bool run_module_statements(PyObject *globals);

// Puts `methods` (ended by an entry without a name) into the ready class `type` in order; an
// entry without a function stands for GetApiVersion, installed from `get_api_version` as a
// static method that gets the class as its first argument and ignores it.
bool install_methods(PyTypeObject *type, PyMethodDef *methods, PyMethodDef *get_api_version);

// A module made once per process; importing it again gives the same object. `execute` runs
// the module's statements; a failure leaves nothing behind, so a later import starts afresh.
struct SingleModule {
  bool (*execute)(PyObject *module);
  PyObject *module = nullptr;
  bool executed = false;
};
PyObject *create_single_module(SingleModule &single, PyObject *module_spec);
int execute_single_module(SingleModule &single, PyObject *module);
