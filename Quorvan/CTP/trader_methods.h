// The class's methods, each defined in the file of its subsystem; TraderApiBase.cpp lists them
// in class order.
#pragma once

#include "trader_object.h"

// trader_lifecycle.cpp: construction and teardown (the construction hook and the pickle
// refusal are object_lifecycle.h's).
PyObject *trader_new(PyTypeObject *type, PyObject *args, PyObject *kwargs);
void trader_dealloc(PyObject *self);
// Has interpreter exit release every trader still alive, before the interpreter finalizes.
bool release_traders_at_exit();

// queries.cpp, order_entry.cpp, order_cancellation.cpp: the trading helpers
QV_METHOD(method_query_order);
QV_METHOD(method_query_trade);
QV_METHOD(method_query_position);
QV_METHOD(method_query_position_detail);
QV_METHOD(method_query_trading_account);
QV_METHOD(method_query_instrument);
QV_METHOD(method_buy_open);
QV_METHOD(method_sell_close);
QV_METHOD(method_sell_open);
QV_METHOD(method_buy_close);
QV_METHOD(method_insert_order);
QV_METHOD(method_cancel_order);
extern const char kQueryOrderDoc[], kQueryTradeDoc[], kQueryPositionDoc[],
    kQueryPositionDetailDoc[], kQueryTradingAccountDoc[], kBuyOpenDoc[], kSellCloseDoc[],
    kSellOpenDoc[], kBuyCloseDoc[], kInsertOrderDoc[], kCancelOrderDoc[];

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
#define REQUEST(Name, Record, Param, ...) QV_METHOD(method_##Name);
#include "requests.def"

// session.cpp (the login sequence) and default_handlers.cpp (every other event)
#define EVENT(Shape, Name, Record, Param, Handler) QV_METHOD(method_##Name);
#include "events.def"

// The class's own entry of the method `name` in its method table; null when it has none.
const PyMethodDef *class_method_entry(const char *name);
