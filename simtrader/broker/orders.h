// An order's life at the broker: the record made from a client's input, its statuses, the
// price it trades at against a market, what it holds back while it rests, and its trades.
#ifndef SIMTRADER_BROKER_ORDERS_H
#define SIMTRADER_BROKER_ORDERS_H

#include <array>
#include <optional>
#include <string>

#include "ThostFtdcUserApiStruct.h"
#include "broker/instruments.h"
#include "broker/vendor_errors.h"

namespace simtrader {

// The session an order or action came from.
struct OrderOrigin {
  std::string broker_id;
  std::string investor;
  std::string user_id;
  std::string trading_day;
  int front_id = 0;
  int session_id = 0;
  int request_id = 0;
  // The market's time of the request: what its records are stamped with.
  MarketTime time;
};

bool Opens(const CThostFtdcOrderField &order);
// The side of the position an order opens or closes: buying opens a long position and closes
// a short one.
Side PositionSideOf(const CThostFtdcOrderField &order);
// Queueing in the exchange's book.
bool IsResting(const CThostFtdcOrderField &order);
// A conditional order the broker holds until the last price meets its condition.
bool IsHeld(const CThostFtdcOrderField &order);
// Queueing or held: something may still happen to it without another request.
bool IsWaiting(const CThostFtdcOrderField &order);
bool IsConditional(const CThostFtdcInputOrderField &input);
// Whether a held order's condition holds at the last price `last`. A stop (Touch) triggers
// when the price moves against the position it guards: a sell at or below its stop price, a
// buy at or above; a take-profit (TouchProfit) the other way round.
bool ConditionHolds(const CThostFtdcOrderField &order, double last);
// All traded or cancelled: nothing can happen to it any more.
bool IsFinished(const CThostFtdcOrderField &order);

// The refusal of an order whose own fields are wrong (ErrorID 15): a volume that is not
// positive or above the instrument's cap for its kind of order (MaxLimitOrderVolume,
// MaxMarketOrderVolume), a limit price that is not positive, a kind of order the broker does
// not take. It
// takes speculative orders for opening, closing, closing today and closing yesterday: limit
// orders good for the day or immediate (IOC, with any volume (AV), a minimum (MV, MinVolume
// from 1 to the volume) or all (CV)), and market orders (AnyPrice), which are immediate. Of
// the conditions it holds only the last-price ones (ErrorID 54 for the others), each with a
// positive stop price on the tick.
std::optional<VendorError> CheckOrderFields(const CThostFtdcInputOrderField &input,
                                            const Instrument &instrument);

// What an exchange rejects an order reaching it for, as the StatusMsg it reports: a limit
// price off the tick or outside the day's limits.
std::optional<std::string> ExchangeRejection(const CThostFtdcOrderField &order,
                                             const Listing &listing);

// How many of the order's lots trade when `available` lots are offered at its price: its
// volume condition may want them all (CV) or a minimum (MV), otherwise none trade.
int FillableVolume(const CThostFtdcOrderField &order, int available);

// The order as the broker first reports it: submitted, its status unknown.
CThostFtdcOrderField NewOrder(const CThostFtdcInputOrderField &input, const Instrument &instrument,
                              const OrderOrigin &origin, const std::string &order_ref,
                              int broker_order_seq);

// Moves the order to a status at the market's time `now`, with the vendor's text for it in
// StatusMsg.
void SetStatus(CThostFtdcOrderField &order, char order_status, char submit_status,
               const char *message, const MarketTime &now);

// The lots an order took at one level of the market, at that level's price.
struct LevelFill {
  double price = 0;
  int volume = 0;
};

// What an order took from the levels it crossed, best level first.
struct Sweep {
  std::array<LevelFill, kDepth> fills{};
  int count = 0;
  int volume = 0;  // of all of them

  const LevelFill *begin() const { return fills.data(); }
  const LevelFill *end() const { return fills.data() + count; }
};

// The lots the other side of the market offers an order at or better than its limit: a buy
// the asks at or below it, a sell the bids at or above it, a market order every level.
int CrossedVolume(const CThostFtdcOrderField &order, const Market &market);
// Takes up to `volume` of them, best level first. What a level gives is gone from it until a
// move of the market quotes it again, so the next order meets only what is left. An order
// reaching the exchange trades at each level's price; once queued it trades at its own
// (order_book.h).
Sweep TakeCrossed(Market &market, const CThostFtdcOrderField &order, int volume);

// Margin and commission held back while an order rests, at its limit price.
struct OrderReserve {
  double margin = 0;
  double commission = 0;
};
OrderReserve ReserveOf(const CThostFtdcOrderField &order, const Instrument &instrument);

// The trade, made at the market's time `now`, counts for the order's trading day.
CThostFtdcTradeField TradeOf(const CThostFtdcOrderField &order, double price, int volume,
                             const std::string &trade_id, int trade_seq, const MarketTime &now);

// The record a refused cancellation is reported with on the private flow.
CThostFtdcOrderActionField RefusedActionOf(const CThostFtdcInputOrderActionField &input,
                                           const OrderOrigin &origin, const VendorError &error);

}  // namespace simtrader

#endif
