// The module Quorvan.CTP.TraderApiBase: its initialisation, the class TraderApiBase and the
// table of the class's methods in class order.
#include "trader_methods.h"

#include "extension_module.h"
#include "object_lifecycle.h"
#include "log_writer.h"
#include "process_state.h"

#include <cstring>

namespace {

// Installed while the class is made ready, before the module-level imports run.
PyMethodDef kPickleRefusal[] = {
    QV_DEF("__reduce__", method_reduce, nullptr),
    QV_DEF("__setstate__", method_setstate, nullptr),
    {nullptr, nullptr, 0, nullptr},
};

PyMethodDef kGetApiVersion = QV_ENTRY(GetApiVersion);

QV_METHOD(method_write_log) { return write_log(".td", self, args, nargs, kwnames); }

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
#define REQUEST(Name, Record, Param, ...) QV_ENTRY(Name),
#define USER_SYSTEM_INFO(Name) QV_ENTRY(Name),
#include "requests.def"
#define EVENT(Shape, Name, Record, Param, Handler) QV_ENTRY(Name),
#include "events.def"
    {nullptr, nullptr, 0, nullptr},
};

bool execute_module(PyObject *module) {
  PyObject *globals = PyModule_GetDict(module);
  set_module_globals(globals);
  set_method_owner("Quorvan.CTP.TraderApiBase", "TraderApiBase");
  return bind_process_state() && PyType_Ready(&TraderApiBaseType) == 0 &&
         PyModule_AddObjectRef(module, "TraderApiBase",
                               reinterpret_cast<PyObject *>(&TraderApiBaseType)) == 0 &&
         run_module_statements(globals) &&
         install_methods(&TraderApiBaseType, kClassMethods, &kGetApiVersion) &&
         release_traders_at_exit();
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
