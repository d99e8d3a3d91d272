// The interpreter's C interface as CPython 3.13 offers it, for every supported release from
// 3.8: the few newer public calls this module uses, written here for the older interpreters.
#pragma once

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#if PY_VERSION_HEX < 0x03090000
// 3.8 has vectorcall only under a private name; a call through a tuple does the same.
inline PyObject *PyObject_Vectorcall(PyObject *callable, PyObject *const *args, size_t nargsf,
                                     PyObject *kwnames) {
  const Py_ssize_t nargs = PyVectorcall_NARGS(nargsf);
  PyObject *positional = PyTuple_New(nargs);
  if (positional == nullptr) {
    return nullptr;
  }
  for (Py_ssize_t i = 0; i < nargs; ++i) {
    Py_INCREF(args[i]);
    PyTuple_SET_ITEM(positional, i, args[i]);
  }
  PyObject *keywords = nullptr;
  if (kwnames != nullptr && PyTuple_GET_SIZE(kwnames) > 0) {
    keywords = PyDict_New();
    for (Py_ssize_t i = 0; keywords != nullptr && i < PyTuple_GET_SIZE(kwnames); ++i) {
      if (PyDict_SetItem(keywords, PyTuple_GET_ITEM(kwnames, i), args[nargs + i]) < 0) {
        Py_CLEAR(keywords);
      }
    }
    if (keywords == nullptr) {
      Py_DECREF(positional);
      return nullptr;
    }
  }
  PyObject *result = PyObject_Call(callable, positional, keywords);
  Py_DECREF(positional);
  Py_XDECREF(keywords);
  return result;
}

// 3.8's PyMODINIT_FUNC leaves the entry point hidden in a library built with hidden symbols.
#undef PyMODINIT_FUNC
#define PyMODINIT_FUNC extern "C" __attribute__((visibility("default"))) PyObject *

inline void quorvan_set_refcnt(PyObject *object, Py_ssize_t count) { object->ob_refcnt = count; }
#define Py_SET_REFCNT(object, count) quorvan_set_refcnt(reinterpret_cast<PyObject *>(object), count)
#endif

#if PY_VERSION_HEX < 0x030A0000
inline PyObject *Py_NewRef(PyObject *object) {
  Py_INCREF(object);
  return object;
}

inline PyObject *Py_XNewRef(PyObject *object) {
  Py_XINCREF(object);
  return object;
}

// PyModule_AddObject steals the reference only when it succeeds.
inline int PyModule_AddObjectRef(PyObject *module, const char *name, PyObject *value) {
  Py_XINCREF(value);
  const int result = PyModule_AddObject(module, name, value);
  if (result < 0) {
    Py_XDECREF(value);
  }
  return result;
}
#endif

// Whether the interpreter is finalizing: public from 3.13, private before.
inline bool interpreter_finalizing() {
#if PY_VERSION_HEX >= 0x030D0000
  return Py_IsFinalizing() != 0;
#else
  return _Py_IsFinalizing() != 0;
#endif
}
