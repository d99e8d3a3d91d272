#include "broker/positions.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <utility>

#include "broker/orders.h"
#include "broker/record_text.h"

namespace simtrader {

namespace {

double Sign(Side side) { return side == Side::Long ? 1 : -1; }

double MarginRatio(const Instrument &instrument, Side side) {
  return side == Side::Long ? instrument.long_margin_ratio : instrument.short_margin_ratio;
}

// The legs grouped by instrument and side, today's before yesterday's, so that records come
// out in a stable order.
std::map<std::pair<std::string, Side>, std::vector<const PositionLeg *>> LegsByHolding(
    const std::vector<PositionLeg> &legs) {
  std::map<std::pair<std::string, Side>, std::vector<const PositionLeg *>> groups;
  for (const PositionLeg &leg : legs) groups[{leg.instrument, leg.side}].push_back(&leg);
  for (auto &[key, group] : groups) {
    std::stable_sort(group.begin(), group.end(), [](const PositionLeg *a, const PositionLeg *b) {
      return a->today && !b->today;
    });
  }
  return groups;
}

CThostFtdcInvestorPositionField NewPositionRecord(const Listing &listing, Side side,
                                                  char position_date, const RecordOwner &owner) {
  const Instrument &instrument = listing.instrument;
  CThostFtdcInvestorPositionField record{};
  SetText(record.InstrumentID, instrument.id);
  SetText(record.ExchangeID, instrument.exchange);
  SetText(record.BrokerID, owner.broker_id);
  SetText(record.InvestorID, owner.investor);
  SetText(record.TradingDay, owner.trading_day);
  record.PosiDirection = side == Side::Long ? THOST_FTDC_PD_Long : THOST_FTDC_PD_Short;
  record.HedgeFlag = THOST_FTDC_HF_Speculation;
  record.PositionDate = position_date;
  record.PreSettlementPrice = listing.market.pre_settlement;
  record.SettlementPrice = listing.market.last;
  record.SettlementID = 1;
  record.MarginRateByMoney = MarginRatio(instrument, side);
  return record;
}

void AddLeg(CThostFtdcInvestorPositionField &record, const PositionLeg &leg, const Listing &listing,
            const MarginCharges &charges) {
  const Instrument &instrument = listing.instrument;
  const int volume = leg.Volume();
  record.Position += volume;
  if (leg.today) {
    record.TodayPosition += volume;
  } else {
    record.YdPosition += leg.start_volume;
  }
  record.OpenVolume += leg.open_volume;
  record.CloseVolume += leg.close_volume;
  record.OpenAmount += leg.open_amount;
  record.CloseAmount += leg.close_amount;
  record.Commission += leg.commission;
  record.CloseProfit += leg.close_profit;
  record.CloseProfitByDate += leg.close_profit;
  record.CloseProfitByTrade += leg.close_profit_by_trade;
  for (const Lot &lot : leg.lots) {
    record.PositionCost += instrument.Value(lot.basis_price, lot.volume);
    record.OpenCost += instrument.Value(lot.open_price, lot.volume);
    record.UseMargin +=
        LotMargin(instrument, leg.side, lot) * charges.HeldShare(instrument, leg.side);
    record.PositionProfit += PositionProfit(instrument, leg.side, lot, listing.market.last);
  }
  record.ExchangeMargin = record.UseMargin;
}

// Buying orders freeze on the long side of the record, selling ones on the short side: a
// long position's closing sells show as ShortFrozen.
void AddFrozen(CThostFtdcInvestorPositionField &record, const CThostFtdcOrderField &order,
               const Instrument &instrument, const MarginCharges &charges) {
  const OrderReserve reserve = ReserveOf(order, instrument);
  const double amount = instrument.Value(order.LimitPrice, order.VolumeTotal);
  if (order.Direction == THOST_FTDC_D_Buy) {
    record.LongFrozen += order.VolumeTotal;
    record.LongFrozenAmount += amount;
  } else {
    record.ShortFrozen += order.VolumeTotal;
    record.ShortFrozenAmount += amount;
  }
  record.FrozenMargin += reserve.margin * charges.FrozenShare(instrument);
  record.FrozenCommission += reserve.commission;
}

std::string ProductKey(const Instrument &instrument) {
  return instrument.exchange + "." + instrument.product;
}

int SideIndex(Side side) { return side == Side::Long ? 0 : 1; }

}  // namespace

MarginCharges::MarginCharges(const Holdings &holdings,
                             const std::vector<CThostFtdcOrderField> &resting,
                             const Catalogue &catalogue) {
  for (const PositionLeg &leg : holdings.legs()) {
    auto listing = catalogue.find(leg.instrument);
    if (listing == catalogue.end() || !listing->second.instrument.max_margin_side) continue;
    const Instrument &instrument = listing->second.instrument;
    for (const Lot &lot : leg.lots) {
      products_[ProductKey(instrument)].held[SideIndex(leg.side)] +=
          LotMargin(instrument, leg.side, lot);
    }
  }
  for (const CThostFtdcOrderField &order : resting) {
    auto listing = catalogue.find(TextOf(order.InstrumentID));
    if (listing == catalogue.end() || !listing->second.instrument.max_margin_side) continue;
    const Instrument &instrument = listing->second.instrument;
    products_[ProductKey(instrument)].frozen[SideIndex(PositionSideOf(order))] +=
        ReserveOf(order, instrument).margin;
  }
}

const MarginCharges::Product *MarginCharges::Find(const Instrument &instrument) const {
  if (!instrument.max_margin_side) return nullptr;
  auto product = products_.find(ProductKey(instrument));
  return product != products_.end() ? &product->second : nullptr;
}

double MarginCharges::HeldShare(const Instrument &instrument, Side side) const {
  const Product *product = Find(instrument);
  if (product == nullptr) return 1;
  const bool long_larger = product->held[0] >= product->held[1];
  return long_larger == (side == Side::Long) ? 1 : 0;
}

double MarginCharges::FrozenShare(const Instrument &instrument) const {
  const Product *product = Find(instrument);
  if (product == nullptr) return 1;
  const double frozen = product->frozen[0] + product->frozen[1];
  if (frozen <= 0) return 0;
  const double larger = std::max(product->held[0], product->held[1]);
  const double larger_after =
      std::max(product->held[0] + product->frozen[0], product->held[1] + product->frozen[1]);
  return (larger_after - larger) / frozen;
}

int PositionLeg::Volume() const {
  return std::accumulate(lots.begin(), lots.end(), 0,
                         [](int total, const Lot &lot) { return total + lot.volume; });
}

CloseScope CloseScopeOf(const Instrument &instrument, char offset_flag) {
  if (!instrument.SeparatesTodayFromYesterday()) return CloseScope::OldestFirst;
  return offset_flag == THOST_FTDC_OF_CloseToday ? CloseScope::Today : CloseScope::Yesterday;
}

double PositionProfit(const Instrument &instrument, Side side, const Lot &lot, double last) {
  if (last <= 0) return 0;
  return instrument.Value(last - lot.basis_price, lot.volume) * Sign(side);
}

double LotMargin(const Instrument &instrument, Side side, const Lot &lot) {
  return instrument.Margin(side, lot.basis_price, lot.volume);
}

int Holdings::Held(const std::string &instrument, Side side, CloseScope scope) const {
  const PositionLeg *today = Find(instrument, side, true);
  const PositionLeg *yesterday = Find(instrument, side, false);
  const int today_volume = today != nullptr ? today->Volume() : 0;
  const int yesterday_volume = yesterday != nullptr ? yesterday->Volume() : 0;
  switch (scope) {
    case CloseScope::Today:
      return today_volume;
    case CloseScope::Yesterday:
      return yesterday_volume;
    case CloseScope::OldestFirst:
      return today_volume + yesterday_volume;
  }
  return 0;
}

void Holdings::OpenToday(const Instrument &instrument, Side side, const Lot &lot,
                         double commission) {
  PositionLeg &leg = Leg(instrument.id, side, true);
  leg.lots.push_back(lot);
  leg.open_volume += lot.volume;
  leg.open_amount += instrument.Value(lot.open_price, lot.volume);
  leg.commission += commission;
}

void Holdings::AddFromYesterday(const std::string &instrument, Side side, const Lot &lot) {
  PositionLeg &leg = Leg(instrument, side, false);
  leg.lots.push_back(lot);
  leg.start_volume += lot.volume;
}

double Holdings::Close(const Instrument &instrument, Side side, CloseScope scope, double price,
                       int volume) {
  std::vector<PositionLeg *> legs;
  if (scope != CloseScope::Today) legs.push_back(Find(instrument.id, side, false));
  if (scope != CloseScope::Yesterday) legs.push_back(Find(instrument.id, side, true));
  double commission = 0;
  for (PositionLeg *leg : legs) {
    if (leg == nullptr || volume == 0) continue;
    const int taken = std::min(volume, leg->Volume());
    commission += TakeLots(instrument, *leg, price, taken);
    volume -= taken;
  }
  return commission;
}

void Holdings::Settle(const std::map<std::string, double> &settlement_prices) {
  std::vector<PositionLeg> settled;
  // Yesterday's legs first, so that each side's lots stay oldest first.
  for (const bool today : {false, true}) {
    for (const PositionLeg &leg : legs_) {
      if (leg.today != today || leg.Volume() == 0) continue;
      auto held = std::find_if(settled.begin(), settled.end(), [&](const PositionLeg &other) {
        return other.instrument == leg.instrument && other.side == leg.side;
      });
      if (held == settled.end()) {
        held = settled.insert(settled.end(), PositionLeg{});
        held->instrument = leg.instrument;
        held->side = leg.side;
        held->today = false;
      }
      const double price = settlement_prices.at(leg.instrument);
      for (Lot lot : leg.lots) {
        lot.basis_price = price;
        held->lots.push_back(lot);
      }
    }
  }
  for (PositionLeg &leg : settled) leg.start_volume = leg.Volume();
  legs_ = std::move(settled);
}

double Holdings::TakeLots(const Instrument &instrument, PositionLeg &leg, double price,
                          int volume) {
  for (int left = volume; left > 0 && !leg.lots.empty();) {
    Lot &lot = leg.lots.front();
    const int taken = std::min(left, lot.volume);
    leg.close_profit += instrument.Value(price - lot.basis_price, taken) * Sign(leg.side);
    leg.close_profit_by_trade += instrument.Value(price - lot.open_price, taken) * Sign(leg.side);
    lot.volume -= taken;
    left -= taken;
    if (lot.volume == 0) leg.lots.erase(leg.lots.begin());
  }
  leg.close_volume += volume;
  leg.close_amount += instrument.Value(price, volume);
  const double commission =
      instrument.Commission(leg.today ? Fee::CloseToday : Fee::Close, price, volume);
  leg.commission += commission;
  return commission;
}

PositionLeg *Holdings::Find(const std::string &instrument, Side side, bool today) {
  for (PositionLeg &leg : legs_) {
    if (leg.instrument == instrument && leg.side == side && leg.today == today) return &leg;
  }
  return nullptr;
}

const PositionLeg *Holdings::Find(const std::string &instrument, Side side, bool today) const {
  return const_cast<Holdings *>(this)->Find(instrument, side, today);
}

PositionLeg &Holdings::Leg(const std::string &instrument, Side side, bool today) {
  if (PositionLeg *leg = Find(instrument, side, today)) return *leg;
  PositionLeg leg;
  leg.instrument = instrument;
  leg.side = side;
  leg.today = today;
  legs_.push_back(std::move(leg));
  return legs_.back();
}

std::vector<CThostFtdcInvestorPositionField> PositionRecords(
    const Holdings &holdings, const std::vector<CThostFtdcOrderField> &resting,
    const Catalogue &catalogue, const RecordOwner &owner) {
  std::vector<CThostFtdcInvestorPositionField> records;
  const MarginCharges charges(holdings, resting, catalogue);
  for (const auto &[holding, legs] : LegsByHolding(holdings.legs())) {
    const auto &[instrument_id, side] = holding;
    auto listing = catalogue.find(instrument_id);
    if (listing == catalogue.end()) continue;
    const Instrument &instrument = listing->second.instrument;
    const bool separate = instrument.SeparatesTodayFromYesterday();
    // The records of this holding: on SHFE and INE one per leg, elsewhere one for both.
    const std::size_t first = records.size();
    for (const PositionLeg *leg : legs) {
      if (separate || records.size() == first) {
        const char date = separate && !leg->today ? THOST_FTDC_PSD_History : THOST_FTDC_PSD_Today;
        records.push_back(NewPositionRecord(listing->second, side, date, owner));
      }
      AddLeg(records.back(), *leg, listing->second, charges);
    }
    for (const CThostFtdcOrderField &order : resting) {
      if (TextOf(order.InstrumentID) != instrument_id || PositionSideOf(order) != side) continue;
      // Opening orders and closes of today's lots freeze on today's record.
      const bool on_today = Opens(order) || CloseScopeOf(instrument, order.CombOffsetFlag[0]) !=
                                                CloseScope::Yesterday;
      const char date = separate && !on_today ? THOST_FTDC_PSD_History : THOST_FTDC_PSD_Today;
      for (std::size_t index = first; index < records.size(); ++index) {
        if (records[index].PositionDate == date) {
          AddFrozen(records[index], order, instrument, charges);
          break;
        }
      }
    }
  }
  return records;
}

std::vector<CThostFtdcInvestorPositionDetailField> PositionDetailRecords(const Holdings &holdings,
                                                                         const Catalogue &catalogue,
                                                                         const RecordOwner &owner) {
  std::vector<CThostFtdcInvestorPositionDetailField> records;
  const MarginCharges charges(holdings, {}, catalogue);
  for (const auto &[holding, legs] : LegsByHolding(holdings.legs())) {
    const auto &[instrument_id, side] = holding;
    auto listing = catalogue.find(instrument_id);
    if (listing == catalogue.end()) continue;
    const Instrument &instrument = listing->second.instrument;
    const Market &market = listing->second.market;
    for (const PositionLeg *leg : legs) {
      for (const Lot &lot : leg->lots) {
        CThostFtdcInvestorPositionDetailField record{};
        SetText(record.InstrumentID, instrument.id);
        SetText(record.ExchangeID, instrument.exchange);
        SetText(record.BrokerID, owner.broker_id);
        SetText(record.InvestorID, owner.investor);
        SetText(record.TradingDay, owner.trading_day);
        record.HedgeFlag = THOST_FTDC_HF_Speculation;
        record.Direction = side == Side::Long ? THOST_FTDC_D_Buy : THOST_FTDC_D_Sell;
        SetText(record.OpenDate, lot.open_date);
        SetText(record.TradeID, lot.trade_id);
        record.Volume = lot.volume;
        record.OpenPrice = lot.open_price;
        record.SettlementID = 1;
        record.TradeType = THOST_FTDC_TRDT_Common;
        record.PositionProfitByDate = PositionProfit(instrument, side, lot, market.last);
        if (market.last > 0) {
          record.PositionProfitByTrade =
              instrument.Value(market.last - lot.open_price, lot.volume) * Sign(side);
        }
        record.Margin = LotMargin(instrument, side, lot) * charges.HeldShare(instrument, side);
        record.ExchMargin = record.Margin;
        record.MarginRateByMoney = MarginRatio(instrument, side);
        record.LastSettlementPrice = leg->today ? market.pre_settlement : lot.basis_price;
        record.SettlementPrice = market.last;
        records.push_back(record);
      }
    }
  }
  return records;
}

}  // namespace simtrader
