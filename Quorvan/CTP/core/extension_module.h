// What every extension module of the package does alike: its method table's entries, the
// module-level imports the methods look their names up in, the class's methods installed in
// class order, and the module made once per process. ExtensionModule<Half> is one half's module
// whole, from its traits (trader_half.h, md_half.h).
#pragma once

#include <string>

#include "log_writer.h"
#include "object_lifecycle.h"
#include "process_state.h"
#include "vendor_controls.h"

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

// The entries every class's method table begins with, and those of the control operations
// every vendor object has, which follow the class's own helpers; GetApiVersion takes its place
// as a static method.
#define QV_LEADING_ENTRIES(Half)                            \
  QV_DEF("init_extra", method_init_extra, nullptr),         \
      QV_DEF("write_log", write_log_method<Half>, nullptr), \
      QV_DEF("connect", ControlMethods<Half>::connect, nullptr)
#define QV_CONTROL_ENTRIES(Half)                                                         \
  {"GetApiVersion", nullptr, 0, nullptr},                                                \
      QV_DEF("Release", ControlMethods<Half>::release, nullptr),                         \
      QV_DEF("Join", ControlMethods<Half>::join, nullptr),                               \
      QV_DEF("GetTradingDay", ControlMethods<Half>::get_trading_day, nullptr),           \
      QV_DEF("RegisterFront", ControlMethods<Half>::register_front, nullptr),            \
      QV_DEF("RegisterNameServer", ControlMethods<Half>::register_name_server, nullptr), \
      QV_DEF("RegisterFensUserInfo", ControlMethods<Half>::register_fens_user_info, nullptr)

template <class Half>
QV_METHOD(write_log_method) {
  static const std::string side = std::string(".") + Half::kSide;
  return write_log(side.c_str(), self, args, nargs, kwnames);
}

template <class Half>
class ExtensionModule {
 public:
  static PyObject *init() { return PyModuleDef_Init(&definition_); }

 private:
  static bool execute(PyObject *module) {
    PyObject *globals = PyModule_GetDict(module);
    set_module_globals(globals);
    set_method_owner(module_name<Half>(), Half::kClass);
    PyTypeObject *type = &type_;
    return bind_process_state() && PyType_Ready(type) == 0 &&
           PyModule_AddObjectRef(module, Half::kClass, reinterpret_cast<PyObject *>(type)) == 0 &&
           run_module_statements(globals) &&
           install_methods(type, Half::methods, &get_api_version_) &&
           live_objects<Half>().release_all_at_exit_registered();
  }

  static PyObject *make(PyTypeObject *type, PyObject *args, PyObject *kwargs) {
    return live_objects<Half>().make(type, args, kwargs);
  }

  static void dealloc(PyObject *object) { live_objects<Half>().dealloc(object); }

  static int exec_slot(PyObject *module) { return execute_single_module(single_, module); }

  static PyObject *create_slot(PyObject *module_spec, PyModuleDef *) {
    return create_single_module(single_, module_spec);
  }

  static PyTypeObject make_type() {
    static const std::string name = std::string(module_name<Half>()) + "." + Half::kClass;
    PyTypeObject type{};
    Py_SET_REFCNT(&type, 1);
    type.tp_name = name.c_str();
    type.tp_basicsize = sizeof(ApiObject<Half>);
    type.tp_dealloc = dealloc;
    type.tp_flags = Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE;
    type.tp_methods = pickle_refusal_;
    type.tp_new = make;
    return type;
  }

  // Installed while the class is made ready, before the module-level imports run.
  static inline PyMethodDef pickle_refusal_[] = {
      QV_DEF("__reduce__", method_reduce, nullptr),
      QV_DEF("__setstate__", method_setstate, nullptr),
      {nullptr, nullptr, 0, nullptr},
  };
  static inline PyMethodDef get_api_version_ =
      QV_DEF("GetApiVersion", ControlMethods<Half>::get_api_version, nullptr);
  static inline PyTypeObject type_ = make_type();
  static inline SingleModule single_{execute};
  static inline PyModuleDef_Slot slots_[] = {
      {Py_mod_create, reinterpret_cast<void *>(create_slot)},
      {Py_mod_exec, reinterpret_cast<void *>(exec_slot)},
#if PY_VERSION_HEX >= 0x030C0000
      // One module, one class and the live objects are process-wide: a subinterpreter with its
      // own lock would share them with the main interpreter.
      {Py_mod_multiple_interpreters, Py_MOD_MULTIPLE_INTERPRETERS_NOT_SUPPORTED},
#endif
      {0, nullptr},
  };
  static inline PyModuleDef definition_ = {
      PyModuleDef_HEAD_INIT, Half::kClass, nullptr, 0, nullptr, slots_, nullptr, nullptr, nullptr,
  };
};
