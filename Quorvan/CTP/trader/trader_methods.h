// The trader class's own methods, each defined in the file of its subsystem; trader_module.cpp
// lists them in class order with those every class has (extension_module.h).
#pragma once

#include "trader_half.h"

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

// trader_controls.cpp: the topics and the user system information, which only the trader has
QV_METHOD(method_SubscribePrivateTopic);
QV_METHOD(method_SubscribePublicTopic);
QV_METHOD(method_RegisterUserSystemInfo);
QV_METHOD(method_SubmitUserSystemInfo);

// trader_requests.cpp
#define REQUEST(Name, Record, Param, ...) QV_METHOD(method_##Name);
#include "requests.def"

// trader_login_chain.cpp (the login chain) and trader_default_handlers.cpp (every other event)
#define EVENT(Shape, Name, Record, Param, Handler, ...) QV_METHOD(method_##Name);
#include "events.def"

// The trader class's own entry of the method `name` in its method table; null when it has none.
inline const PyMethodDef *trader_method_entry(const char *name) {
  return class_method_entry(TraderHalf::methods, name);
}

// A request method as the trading helpers send through it (record_builder.h).
#define QV_TRADER_REQUEST(Name) \
  QV_HELPER_REQUEST(TraderObject, CThostFtdcTraderApi, trader_method_entry, Name)
