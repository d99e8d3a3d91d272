// The market-data class's own methods, each defined in the file of its subsystem;
// md_module.cpp lists them in class order with those every class has (extension_module.h).
#pragma once

#include "md_half.h"

// md_subscriptions.cpp: subscribe and unsubscribe, the vendor's four subscription operations
// and the subscriptions a login renews.
QV_METHOD(method_subscribe);
QV_METHOD(method_unsubscribe);
extern const char kSubscribeDoc[], kUnsubscribeDoc[];
#define SUBSCRIPTION(Name, ...) QV_METHOD(method_##Name);
#include "md_requests.def"
// Sends every remembered subscription again; false with an error set.
bool renew_subscriptions(PyObject *self);

// md_requests.cpp
#define REQUEST(Name, Record, Param, ...) QV_METHOD(method_##Name);
#include "md_requests.def"

// md_login_chain.cpp (the login chain) and md_default_handlers.cpp (every other event)
#define EVENT(Shape, Name, Record, Param, Handler, ...) QV_METHOD(method_##Name);
#include "md_events.def"
