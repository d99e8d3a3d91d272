#include "broker/orders.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "broker/record_text.h"

namespace simtrader {

namespace {

char OffsetFlagOf(const CThostFtdcOrderField &order) { return order.CombOffsetFlag[0]; }

bool IsOffsetFlagTaken(char flag) {
  return flag == THOST_FTDC_OF_Open || flag == THOST_FTDC_OF_Close ||
         flag == THOST_FTDC_OF_CloseToday || flag == THOST_FTDC_OF_CloseYesterday;
}

}  // namespace

bool Opens(const CThostFtdcOrderField &order) { return OffsetFlagOf(order) == THOST_FTDC_OF_Open; }

Side PositionSideOf(const CThostFtdcOrderField &order) {
  const bool buys = order.Direction == THOST_FTDC_D_Buy;
  return buys == Opens(order) ? Side::Long : Side::Short;
}

bool IsResting(const CThostFtdcOrderField &order) {
  return order.OrderStatus == THOST_FTDC_OST_NoTradeQueueing ||
         order.OrderStatus == THOST_FTDC_OST_PartTradedQueueing;
}

bool IsHeld(const CThostFtdcOrderField &order) {
  return order.OrderStatus == THOST_FTDC_OST_NotTouched;
}

bool IsWaiting(const CThostFtdcOrderField &order) { return IsResting(order) || IsHeld(order); }

bool IsConditional(const CThostFtdcInputOrderField &input) {
  return input.ContingentCondition != THOST_FTDC_CC_Immediately;
}

bool ConditionHolds(const CThostFtdcOrderField &order, double last) {
  const double stop = order.StopPrice;
  const bool buys = order.Direction == THOST_FTDC_D_Buy;
  switch (order.ContingentCondition) {
    case THOST_FTDC_CC_Touch:
      return buys ? last >= stop : last <= stop;
    case THOST_FTDC_CC_TouchProfit:
      return buys ? last <= stop : last >= stop;
    case THOST_FTDC_CC_LastPriceGreaterThanStopPrice:
      return last > stop;
    case THOST_FTDC_CC_LastPriceGreaterEqualStopPrice:
      return last >= stop;
    case THOST_FTDC_CC_LastPriceLesserThanStopPrice:
      return last < stop;
    case THOST_FTDC_CC_LastPriceLesserEqualStopPrice:
      return last <= stop;
    default:
      return false;
  }
}

bool IsFinished(const CThostFtdcOrderField &order) {
  return order.OrderStatus == THOST_FTDC_OST_AllTraded ||
         order.OrderStatus == THOST_FTDC_OST_Canceled;
}

std::optional<VendorError> CheckOrderFields(const CThostFtdcInputOrderField &input,
                                            const Instrument &instrument) {
  const bool immediate = input.TimeCondition == THOST_FTDC_TC_IOC;
  const bool priced = input.OrderPriceType == THOST_FTDC_OPT_LimitPrice
                          ? std::isfinite(input.LimitPrice) && input.LimitPrice > 0
                          : input.OrderPriceType == THOST_FTDC_OPT_AnyPrice && immediate;
  bool volume_taken = false;
  switch (input.VolumeCondition) {
    case THOST_FTDC_VC_AV:
      volume_taken = true;
      break;
    case THOST_FTDC_VC_MV:
      volume_taken =
          immediate && input.MinVolume >= 1 && input.MinVolume <= input.VolumeTotalOriginal;
      break;
    case THOST_FTDC_VC_CV:
      volume_taken = immediate;
      break;
  }
  const int cap = input.OrderPriceType == THOST_FTDC_OPT_AnyPrice
                      ? instrument.max_market_order_volume
                      : instrument.max_limit_order_volume;
  const bool valid =
      input.VolumeTotalOriginal > 0 && input.VolumeTotalOriginal <= cap && priced && volume_taken &&
      (input.Direction == THOST_FTDC_D_Buy || input.Direction == THOST_FTDC_D_Sell) &&
      IsOffsetFlagTaken(input.CombOffsetFlag[0]) &&
      input.CombHedgeFlag[0] == THOST_FTDC_HF_Speculation &&
      (input.TimeCondition == THOST_FTDC_TC_GFD || immediate) &&
      input.ForceCloseReason == THOST_FTDC_FCC_NotForceClose && input.UserForceClose == 0 &&
      input.IsSwapOrder == 0;
  if (!valid) return vendor_error::kBadOrderField;
  switch (input.ContingentCondition) {
    case THOST_FTDC_CC_Immediately:
      return std::nullopt;
    case THOST_FTDC_CC_Touch:
    case THOST_FTDC_CC_TouchProfit:
    case THOST_FTDC_CC_LastPriceGreaterThanStopPrice:
    case THOST_FTDC_CC_LastPriceGreaterEqualStopPrice:
    case THOST_FTDC_CC_LastPriceLesserThanStopPrice:
    case THOST_FTDC_CC_LastPriceLesserEqualStopPrice:
      if (std::isfinite(input.StopPrice) && input.StopPrice > 0 &&
          instrument.OnTick(input.StopPrice)) {
        return std::nullopt;
      }
      return vendor_error::kBadOrderField;
    case THOST_FTDC_CC_ParkedOrder:
    case THOST_FTDC_CC_AskPriceGreaterThanStopPrice:
    case THOST_FTDC_CC_AskPriceGreaterEqualStopPrice:
    case THOST_FTDC_CC_AskPriceLesserThanStopPrice:
    case THOST_FTDC_CC_AskPriceLesserEqualStopPrice:
    case THOST_FTDC_CC_BidPriceGreaterThanStopPrice:
    case THOST_FTDC_CC_BidPriceGreaterEqualStopPrice:
    case THOST_FTDC_CC_BidPriceLesserThanStopPrice:
    case THOST_FTDC_CC_BidPriceLesserEqualStopPrice:
      return vendor_error::kConditionNotSupported;
    default:
      return vendor_error::kBadOrderField;
  }
}

std::optional<std::string> ExchangeRejection(const CThostFtdcOrderField &order,
                                             const Listing &listing) {
  if (order.OrderPriceType != THOST_FTDC_OPT_LimitPrice) return std::nullopt;
  const char *reason = nullptr;
  if (!listing.instrument.OnTick(order.LimitPrice)) {
    reason = status_text::kOffTick;
  } else if (order.LimitPrice > listing.market.upper_limit) {
    reason = status_text::kAboveUpperLimit;
  } else if (order.LimitPrice < listing.market.lower_limit) {
    reason = status_text::kBelowLowerLimit;
  } else {
    return std::nullopt;
  }
  return std::string(status_text::kRejected) + listing.instrument.exchange + ":" + reason;
}

int FillableVolume(const CThostFtdcOrderField &order, int available) {
  const int volume = std::min(order.VolumeTotal, available);
  switch (order.VolumeCondition) {
    case THOST_FTDC_VC_CV:
      return volume == order.VolumeTotal ? volume : 0;
    case THOST_FTDC_VC_MV:
      return volume >= order.MinVolume ? volume : 0;
    default:
      return volume;
  }
}

CThostFtdcOrderField NewOrder(const CThostFtdcInputOrderField &input, const Instrument &instrument,
                              const OrderOrigin &origin, const std::string &order_ref,
                              int broker_order_seq) {
  CThostFtdcOrderField order{};
  SetText(order.BrokerID, origin.broker_id);
  SetText(order.InvestorID, origin.investor);
  SetText(order.InstrumentID, instrument.id);
  SetText(order.ExchangeInstID, instrument.id);
  SetText(order.ExchangeID, instrument.exchange);
  SetText(order.OrderRef, order_ref);
  SetText(order.UserID, origin.user_id);
  SetText(order.ActiveUserID, origin.user_id);
  order.OrderPriceType = input.OrderPriceType;
  order.Direction = input.Direction;
  SetText(order.CombOffsetFlag, TextOf(input.CombOffsetFlag));
  SetText(order.CombHedgeFlag, TextOf(input.CombHedgeFlag));
  order.LimitPrice = input.LimitPrice;
  order.VolumeTotalOriginal = input.VolumeTotalOriginal;
  order.TimeCondition = input.TimeCondition;
  SetText(order.GTDDate, TextOf(input.GTDDate));
  order.VolumeCondition = input.VolumeCondition;
  order.MinVolume = input.MinVolume;
  order.ContingentCondition = input.ContingentCondition;
  order.StopPrice = input.StopPrice;
  order.ForceCloseReason = input.ForceCloseReason;
  order.IsAutoSuspend = input.IsAutoSuspend;
  SetText(order.BusinessUnit, TextOf(input.BusinessUnit));
  order.RequestID = origin.request_id;
  order.UserForceClose = input.UserForceClose;
  order.IsSwapOrder = input.IsSwapOrder;
  SetText(order.InvestUnitID, TextOf(input.InvestUnitID));
  SetText(order.AccountID, origin.investor);
  SetText(order.CurrencyID, "CNY");
  SetText(order.ClientID, origin.investor);
  SetText(order.ParticipantID, origin.broker_id);
  SetText(order.ClearingPartID, origin.broker_id);
  SetText(order.MacAddress, TextOf(input.MacAddress));
  SetText(order.IPAddress, TextOf(input.IPAddress));
  SetText(order.OrderLocalID, ExchangeNumber(broker_order_seq));
  SetText(order.TraderID, origin.broker_id + "01");
  SetText(order.ActiveTraderID, origin.broker_id + "01");
  order.InstallID = 1;
  SetText(order.TradingDay, origin.trading_day);
  order.SettlementID = 1;
  order.OrderSource = THOST_FTDC_OSRC_Participant;
  order.OrderType = THOST_FTDC_ORDT_Normal;
  order.VolumeTraded = 0;
  order.VolumeTotal = input.VolumeTotalOriginal;
  SetText(order.InsertDate, origin.time.action_day);
  SetText(order.InsertTime, origin.time.update_time);
  order.FrontID = origin.front_id;
  order.SessionID = origin.session_id;
  order.BrokerOrderSeq = broker_order_seq;
  SetStatus(order, THOST_FTDC_OST_Unknown, THOST_FTDC_OSS_InsertSubmitted, status_text::kSubmitted,
            origin.time);
  return order;
}

void SetStatus(CThostFtdcOrderField &order, char order_status, char submit_status,
               const char *message, const MarketTime &now) {
  order.OrderStatus = order_status;
  order.OrderSubmitStatus = submit_status;
  SetText(order.StatusMsg, message);
  SetText(order.UpdateTime, now.update_time);
  if (order_status == THOST_FTDC_OST_Canceled) SetText(order.CancelTime, now.update_time);
  ++order.NotifySequence;
}

namespace {

// The side of the market an order trades against: a Levels, const as the market is.
template <typename AnyMarket>
auto &OtherSide(AnyMarket &market, const CThostFtdcOrderField &order) {
  return order.Direction == THOST_FTDC_D_Buy ? market.asks : market.bids;
}

bool Crosses(const CThostFtdcOrderField &order, const Level &level) {
  if (level.price <= 0) return false;
  if (order.OrderPriceType == THOST_FTDC_OPT_AnyPrice) return true;
  return order.Direction == THOST_FTDC_D_Buy ? level.price <= order.LimitPrice
                                             : level.price >= order.LimitPrice;
}

}  // namespace

int CrossedVolume(const CThostFtdcOrderField &order, const Market &market) {
  long long volume = 0;
  // Levels are in price order, the empty ones last: the first one not crossed ends them.
  for (const Level &level : OtherSide(market, order)) {
    if (!Crosses(order, level)) break;
    volume += level.volume;
  }
  return static_cast<int>(std::min<long long>(volume, INT_MAX));
}

Sweep TakeCrossed(Market &market, const CThostFtdcOrderField &order, int volume) {
  Sweep sweep;
  for (Level &level : OtherSide(market, order)) {
    if (sweep.volume == volume || !Crosses(order, level)) break;
    const int taken = std::min(volume - sweep.volume, level.volume);
    if (taken == 0) continue;
    level.volume -= taken;
    sweep.volume += taken;
    sweep.fills[sweep.count++] = LevelFill{level.price, taken};
  }
  return sweep;
}

OrderReserve ReserveOf(const CThostFtdcOrderField &order, const Instrument &instrument) {
  OrderReserve reserve;
  const int volume = order.VolumeTotal;
  if (Opens(order)) {
    reserve.margin = instrument.Margin(PositionSideOf(order), order.LimitPrice, volume);
    reserve.commission = instrument.Commission(Fee::Open, order.LimitPrice, volume);
  } else {
    // Elsewhere than SHFE and INE the lots a close takes are known only when it trades; the
    // plain rate stands in for them until then.
    const bool closes_today =
        instrument.SeparatesTodayFromYesterday() && OffsetFlagOf(order) == THOST_FTDC_OF_CloseToday;
    reserve.commission = instrument.Commission(closes_today ? Fee::CloseToday : Fee::Close,
                                               order.LimitPrice, volume);
  }
  return reserve;
}

CThostFtdcTradeField TradeOf(const CThostFtdcOrderField &order, double price, int volume,
                             const std::string &trade_id, int trade_seq, const MarketTime &now) {
  CThostFtdcTradeField trade{};
  SetText(trade.BrokerID, TextOf(order.BrokerID));
  SetText(trade.InvestorID, TextOf(order.InvestorID));
  SetText(trade.InstrumentID, TextOf(order.InstrumentID));
  SetText(trade.ExchangeInstID, TextOf(order.ExchangeInstID));
  SetText(trade.OrderRef, TextOf(order.OrderRef));
  SetText(trade.UserID, TextOf(order.UserID));
  SetText(trade.ExchangeID, TextOf(order.ExchangeID));
  SetText(trade.TradeID, trade_id);
  trade.Direction = order.Direction;
  SetText(trade.OrderSysID, TextOf(order.OrderSysID));
  SetText(trade.ParticipantID, TextOf(order.ParticipantID));
  SetText(trade.ClientID, TextOf(order.ClientID));
  trade.TradingRole = THOST_FTDC_ER_Broker;
  trade.OffsetFlag = OffsetFlagOf(order);
  trade.HedgeFlag = order.CombHedgeFlag[0];
  trade.Price = price;
  trade.Volume = volume;
  // The calendar date: a night session's trade is dated the evening it was made, and counts
  // for the next trading day.
  SetText(trade.TradeDate, now.action_day);
  SetText(trade.TradeTime, now.update_time);
  trade.TradeType = THOST_FTDC_TRDT_Common;
  // A buy trades at the price the seller quoted, a sell at the buyer's.
  trade.PriceSource =
      order.Direction == THOST_FTDC_D_Buy ? THOST_FTDC_PSRC_Sell : THOST_FTDC_PSRC_Buy;
  SetText(trade.TraderID, TextOf(order.TraderID));
  SetText(trade.OrderLocalID, TextOf(order.OrderLocalID));
  SetText(trade.ClearingPartID, TextOf(order.ClearingPartID));
  SetText(trade.BusinessUnit, TextOf(order.BusinessUnit));
  trade.SequenceNo = trade_seq;
  SetText(trade.TradingDay, TextOf(order.TradingDay));
  trade.SettlementID = order.SettlementID;
  trade.BrokerOrderSeq = order.BrokerOrderSeq;
  trade.TradeSource = THOST_FTDC_TSRC_NORMAL;
  SetText(trade.InvestUnitID, TextOf(order.InvestUnitID));
  return trade;
}

CThostFtdcOrderActionField RefusedActionOf(const CThostFtdcInputOrderActionField &input,
                                           const OrderOrigin &origin, const VendorError &error) {
  CThostFtdcOrderActionField action{};
  SetText(action.BrokerID, origin.broker_id);
  SetText(action.InvestorID, origin.investor);
  action.OrderActionRef = input.OrderActionRef;
  SetText(action.OrderRef, TextOf(input.OrderRef));
  action.RequestID = origin.request_id;
  action.FrontID = input.FrontID;
  action.SessionID = input.SessionID;
  SetText(action.ExchangeID, TextOf(input.ExchangeID));
  SetText(action.OrderSysID, TextOf(input.OrderSysID));
  action.ActionFlag = input.ActionFlag;
  action.LimitPrice = input.LimitPrice;
  action.VolumeChange = input.VolumeChange;
  SetText(action.ActionDate, origin.time.action_day);
  SetText(action.ActionTime, origin.time.update_time);
  action.OrderActionStatus = THOST_FTDC_OAS_Rejected;
  SetText(action.UserID, origin.user_id);
  SetText(action.StatusMsg, error.message);
  SetText(action.InstrumentID, TextOf(input.InstrumentID));
  SetText(action.InvestUnitID, TextOf(input.InvestUnitID));
  SetText(action.MacAddress, TextOf(input.MacAddress));
  SetText(action.IPAddress, TextOf(input.IPAddress));
  return action;
}

}  // namespace simtrader
