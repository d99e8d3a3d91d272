// The module Quorvan.CTP.TraderApiBase: its initialisation, the class TraderApiBase and the
// table of the class's methods in class order.
#include "trader_methods.h"

#include "exception_boundary.h"
#include "record_builder.h"

#include <cstring>

namespace {

constexpr int kFastCall = METH_FASTCALL | METH_KEYWORDS;

using MethodFunction = PyObject *(PyObject *, PyObject *const *, Py_ssize_t, PyObject *);

// Every method of the class runs inside this: a C++ exception leaving it becomes the Python
// exception of its class, with the method's traceback entry.
PyObject *run_method(const char *name, MethodFunction *method, PyObject *self,
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

// Installed while the class is made ready, before the module-level imports run.
PyMethodDef kPickleRefusal[] = {
    QV_DEF("__reduce__", method_reduce, nullptr),
    QV_DEF("__setstate__", method_setstate, nullptr),
    {nullptr, nullptr, 0, nullptr},
};

PyMethodDef kGetApiVersion = QV_ENTRY(GetApiVersion);

// The class's methods in class order; GetApiVersion takes its place as a static method.
PyMethodDef kClassMethods[] = {
    QV_ENTRY(init_extra),
    QV_ENTRY(write_log),
    QV_ENTRY(connect),
    QV_DOCUMENTED(query_order, kQueryOrderDoc),
    QV_DOCUMENTED(query_trade, kQueryTradeDoc),
    QV_DOCUMENTED(query_position, kQueryPositionDoc),
    QV_DOCUMENTED(query_position_detail, kQueryPositionDetailDoc),
    QV_DOCUMENTED(query_trading_account, kQueryTradingAccountDoc),
    QV_ENTRY(query_instrument),
    QV_DOCUMENTED(buy_open, kBuyOpenDoc),
    QV_DOCUMENTED(sell_close, kSellCloseDoc),
    QV_DOCUMENTED(sell_open, kSellOpenDoc),
    QV_DOCUMENTED(buy_close, kBuyCloseDoc),
    QV_DOCUMENTED(insert_order, kInsertOrderDoc),
    QV_DOCUMENTED(cancel_order, kCancelOrderDoc),
    {"GetApiVersion", nullptr, 0, nullptr},
    QV_ENTRY(Release),
    QV_ENTRY(Join),
    QV_ENTRY(GetTradingDay),
    QV_ENTRY(RegisterFront),
    QV_ENTRY(RegisterNameServer),
    QV_ENTRY(RegisterFensUserInfo),
    QV_ENTRY(SubscribePrivateTopic),
    QV_ENTRY(SubscribePublicTopic),
#define REQUEST(Name, Record, Param) QV_ENTRY(Name),
#define USER_SYSTEM_INFO(Name) QV_ENTRY(Name),
#include "requests.def"
#define EVENT(Shape, Name, Record, Param, Handler) QV_ENTRY(Name),
#include "events.def"
    {nullptr, nullptr, 0, nullptr},
};

PyObject *g_module = nullptr;
bool g_executed = false;

bool bind_global(PyObject *globals, const char *name, PyObject *value) {
  return value != nullptr && PyDict_SetItemString(globals, name, value) == 0;
}

PyRef import(PyObject *globals, const char *name, std::initializer_list<const char *> from,
             int level) {
  PyRef module_name(PyUnicode_FromString(name));
  PyRef fromlist(PyTuple_New(static_cast<Py_ssize_t>(from.size())));
  if (!module_name || !fromlist) {
    return {};
  }
  Py_ssize_t i = 0;
  for (const char *item : from) {
    PyObject *text = PyUnicode_FromString(item);
    if (text == nullptr) {
      return {};
    }
    PyTuple_SET_ITEM(fromlist.get(), i++, text);
  }
  return PyRef(PyImport_ImportModuleLevelObject(module_name.get(), globals, nullptr,
                                                from.size() ? fromlist.get() : nullptr, level));
}

bool import_from(PyObject *globals, PyObject *module, const char *name) {
  PyRef value(PyObject_GetAttrString(module, name));
  if (!value) {
    if (PyErr_ExceptionMatches(PyExc_AttributeError)) {
      PyErr_Format(PyExc_ImportError, "cannot import name %s", name);
    }
    return false;
  }
  return bind_global(globals, name, value.get());
}

// from module import *: the names of __all__, or every public name of the module.
bool import_star(PyObject *globals, PyObject *module) {
  PyRef names(PyObject_GetAttrString(module, "__all__"));
  if (!names) {
    if (!PyErr_ExceptionMatches(PyExc_AttributeError)) {
      return false;
    }
    PyErr_Clear();
    PyObject *dict = PyModule_GetDict(module);
    if (dict == nullptr) {
      return false;
    }
    names.reset(PyDict_Keys(dict));
    if (!names) {
      return false;
    }
    PyObject *key;
    for (Py_ssize_t i = 0; i < PyList_GET_SIZE(names.get()); ++i) {
      key = PyList_GET_ITEM(names.get(), i);
      if (PyUnicode_Check(key) && PyUnicode_READ_CHAR(key, 0) != '_') {
        PyObject *value = PyDict_GetItemWithError(dict, key);
        if (value == nullptr || PyDict_SetItem(globals, key, value) < 0) {
          return false;
        }
      }
    }
    return true;
  }
  PyRef iterator(PyObject_GetIter(names.get()));
  if (!iterator) {
    return false;
  }
  while (PyRef name{PyIter_Next(iterator.get())}) {
    PyRef value(PyObject_GetAttr(module, name.get()));
    if (!value || PyDict_SetItem(globals, name.get(), value.get()) < 0) {
      return false;
    }
  }
  return !PyErr_Occurred();
}

// import os; import ctypes; from datetime import datetime; from .ApiStruct import *;
// from .ApiConst import *; from ..utils.base_field import to_bytes, to_str
bool run_module_statements(PyObject *globals) {
  PyRef os = import(globals, "os", {}, 0);
  if (!bind_global(globals, "os", os.get())) {
    return false;
  }
  PyRef ctypes = import(globals, "ctypes", {}, 0);
  if (!bind_global(globals, "ctypes", ctypes.get())) {
    return false;
  }
  PyRef datetime = import(globals, "datetime", {"datetime"}, 0);
  if (!datetime || !import_from(globals, datetime.get(), "datetime")) {
    return false;
  }
  PyRef records = import(globals, "ApiStruct", {"*"}, 1);
  if (!records || !import_star(globals, records.get())) {
    return false;
  }
  PyRef constants = import(globals, "ApiConst", {"*"}, 1);
  if (!constants || !import_star(globals, constants.get())) {
    return false;
  }
  PyRef base_field = import(globals, "utils.base_field", {"to_bytes", "to_str"}, 2);
  if (!base_field || !import_from(globals, base_field.get(), "to_bytes") ||
      !import_from(globals, base_field.get(), "to_str")) {
    return false;
  }
  remember_package_to_bytes(PyDict_GetItemString(globals, "to_bytes"));
  return true;
}

bool install_methods() {
  PyObject *dict = TraderApiBaseType.tp_dict;
  for (PyMethodDef *def = kClassMethods; def->ml_name != nullptr; ++def) {
    PyRef method;
    if (def->ml_meth == nullptr) {
      // Never bound: the function gets the class as its first argument and ignores it.
      PyRef function(PyCFunction_NewEx(&kGetApiVersion,
                                       reinterpret_cast<PyObject *>(&TraderApiBaseType), nullptr));
      method.reset(function ? PyStaticMethod_New(function.get()) : nullptr);
    } else {
      method.reset(PyDescr_NewMethod(&TraderApiBaseType, def));
    }
    if (!method || PyDict_SetItemString(dict, def->ml_name, method.get()) < 0) {
      return false;
    }
  }
  PyType_Modified(&TraderApiBaseType);
  return true;
}

bool execute_module(PyObject *module) {
  PyObject *globals = PyModule_GetDict(module);
  set_module_globals(globals);
  return PyType_Ready(&TraderApiBaseType) == 0 &&
         PyModule_AddObjectRef(module, "TraderApiBase",
                               reinterpret_cast<PyObject *>(&TraderApiBaseType)) == 0 &&
         run_module_statements(globals) && install_methods() && release_traders_at_exit();
}

int module_exec(PyObject *module) {
  if (g_executed) {
    return 0;
  }
  bool executed = false;
  try {
    executed = execute_module(module);
  } catch (...) {
    raise_thrown();
  }
  if (!executed) {
    // A later import starts afresh with a new module.
    Py_CLEAR(g_module);
    return -1;
  }
  g_executed = true;
  return 0;
}

// The module is made once per process; importing it again gives the same object.
PyObject *module_create(PyObject *module_spec, PyModuleDef *) {
  if (g_module != nullptr) {
    return Py_NewRef(g_module);
  }
  PyRef name(PyObject_GetAttrString(module_spec, "name"));
  if (!name) {
    return nullptr;
  }
  g_module = PyModule_NewObject(name.get());
  return Py_XNewRef(g_module);
}

PyModuleDef_Slot kModuleSlots[] = {
    {Py_mod_create, reinterpret_cast<void *>(module_create)},
    {Py_mod_exec, reinterpret_cast<void *>(module_exec)},
#if PY_VERSION_HEX >= 0x030C0000
    // One module, one class and the live traders are process-wide: a subinterpreter with
    // its own lock would share them with the main interpreter.
    {Py_mod_multiple_interpreters, Py_MOD_MULTIPLE_INTERPRETERS_NOT_SUPPORTED},
#endif
    {0, nullptr},
};

PyModuleDef kModule = {
    PyModuleDef_HEAD_INIT, "TraderApiBase", nullptr, 0,       nullptr,
    kModuleSlots,          nullptr,         nullptr, nullptr,
};

}  // namespace

PyTypeObject TraderApiBaseType = [] {
  PyTypeObject type{};
  Py_SET_REFCNT(&type, 1);
  type.tp_name = "Quorvan.CTP.TraderApiBase.TraderApiBase";
  type.tp_basicsize = sizeof(TraderObject);
  type.tp_dealloc = trader_dealloc;
  type.tp_flags = Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE;
  type.tp_methods = kPickleRefusal;
  type.tp_new = trader_new;
  return type;
}();

const PyMethodDef *class_method_entry(const char *name) {
  for (const PyMethodDef *def = kClassMethods; def->ml_name != nullptr; ++def) {
    if (std::strcmp(def->ml_name, name) == 0) {
      return def;
    }
  }
  return nullptr;
}

PyMODINIT_FUNC PyInit_TraderApiBase(void) { return PyModuleDef_Init(&kModule); }
