// The module Quorvan.CTP.TraderApiBase: the class TraderApiBase's methods in class order, made
// into the module as extension_module.h makes every half's.
#include "extension_module.h"
#include "trader_methods.h"

PyMethodDef TraderHalf::methods[] = {
    QV_LEADING_ENTRIES(TraderHalf),
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
    QV_CONTROL_ENTRIES(TraderHalf),
    QV_ENTRY(SubscribePrivateTopic),
    QV_ENTRY(SubscribePublicTopic),
#define REQUEST(Name, Record, Param, ...) QV_ENTRY(Name),
#define USER_SYSTEM_INFO(Name, ...) QV_ENTRY(Name),
#include "requests.def"
#define EVENT(Shape, Name, Record, Param, Handler, ...) QV_ENTRY(Name),
#include "events.def"
    {nullptr, nullptr, 0, nullptr},
};

PyMODINIT_FUNC PyInit_TraderApiBase(void) { return ExtensionModule<TraderHalf>::init(); }
