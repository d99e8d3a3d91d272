// The module Quorvan.CTP.MdApiBase: its initialisation, the class MdApiBase and the table of
// the class's methods in class order.
#include "md_methods.h"

#include "extension_module.h"
#include "object_lifecycle.h"
#include "process_state.h"

namespace {

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
    QV_DOCUMENTED(subscribe, kSubscribeDoc),
    QV_DOCUMENTED(unsubscribe, kUnsubscribeDoc),
    {"GetApiVersion", nullptr, 0, nullptr},
    QV_ENTRY(Release),
    QV_ENTRY(Join),
    QV_ENTRY(GetTradingDay),
    QV_ENTRY(RegisterFront),
    QV_ENTRY(RegisterNameServer),
    QV_ENTRY(RegisterFensUserInfo),
#define SUBSCRIPTION(Name, ...) QV_ENTRY(Name),
#define REQUEST(Name, Record, Param, ...) QV_ENTRY(Name),
#include "md_requests.def"
#define EVENT(Shape, Name, Record, Param, Handler) QV_ENTRY(Name),
#include "md_events.def"
    {nullptr, nullptr, 0, nullptr},
};

bool execute_module(PyObject *module) {
  PyObject *globals = PyModule_GetDict(module);
  set_module_globals(globals);
  set_method_owner("Quorvan.CTP.MdApiBase", "MdApiBase");
  return bind_process_state() && PyType_Ready(&MdApiBaseType) == 0 &&
         PyModule_AddObjectRef(module, "MdApiBase", reinterpret_cast<PyObject *>(&MdApiBaseType)) ==
             0 &&
         run_module_statements(globals) &&
         install_methods(&MdApiBaseType, kClassMethods, &kGetApiVersion) &&
         release_md_objects_at_exit();
}

SingleModule g_module{execute_module};

int module_exec(PyObject *module) { return execute_single_module(g_module, module); }

PyObject *module_create(PyObject *module_spec, PyModuleDef *) {
  return create_single_module(g_module, module_spec);
}

PyModuleDef_Slot kModuleSlots[] = {
    {Py_mod_create, reinterpret_cast<void *>(module_create)},
    {Py_mod_exec, reinterpret_cast<void *>(module_exec)},
#if PY_VERSION_HEX >= 0x030C0000
    // One module, one class and the live objects are process-wide: a subinterpreter with
    // its own lock would share them with the main interpreter.
    {Py_mod_multiple_interpreters, Py_MOD_MULTIPLE_INTERPRETERS_NOT_SUPPORTED},
#endif
    {0, nullptr},
};

PyModuleDef kModule = {
    PyModuleDef_HEAD_INIT, "MdApiBase", nullptr, 0,       nullptr,
    kModuleSlots,          nullptr,     nullptr, nullptr,
};

}  // namespace

PyTypeObject MdApiBaseType = [] {
  PyTypeObject type{};
  Py_SET_REFCNT(&type, 1);
  type.tp_name = "Quorvan.CTP.MdApiBase.MdApiBase";
  type.tp_basicsize = sizeof(MdObject);
  type.tp_dealloc = md_dealloc;
  type.tp_flags = Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE;
  type.tp_methods = kPickleRefusal;
  type.tp_new = md_new;
  return type;
}();

PyMODINIT_FUNC PyInit_MdApiBase(void) { return PyModuleDef_Init(&kModule); }
