// The class's methods, each defined in the file of its subsystem; TraderApiBase.cpp lists them
// in class order.
#pragma once

#include "trader_object.h"

#define QV_METHOD(name) \
    PyObject *name(PyObject *self, PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames)

// trader_lifecycle.cpp: construction, teardown, the construction hook and the pickle refusal.
PyObject *trader_new(PyTypeObject *type, PyObject *args, PyObject *kwargs);
void trader_dealloc(PyObject *self);
QV_METHOD(method_init_extra);
QV_METHOD(method_reduce);
QV_METHOD(method_setstate);

// control_operations.cpp
QV_METHOD(method_connect);
QV_METHOD(method_GetApiVersion);
QV_METHOD(method_Release);
QV_METHOD(method_Join);
QV_METHOD(method_GetTradingDay);
QV_METHOD(method_RegisterFront);
QV_METHOD(method_RegisterNameServer);
QV_METHOD(method_RegisterFensUserInfo);
QV_METHOD(method_SubscribePrivateTopic);
QV_METHOD(method_SubscribePublicTopic);
QV_METHOD(method_RegisterUserSystemInfo);
QV_METHOD(method_SubmitUserSystemInfo);

// request_wrappers.cpp
#define REQUEST(Name, Record, Param) QV_METHOD(method_##Name);
#include "requests.def"

// Detaches the bridge and hands the vendor object back, without holding the interpreter lock
// while the vendor works. False with the vendor's exception set; both pointers then stay.
bool release_vendor_object(TraderObject *self);
