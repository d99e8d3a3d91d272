#include "broker/order_book.h"

#include <algorithm>
#include <climits>

#include "broker/orders.h"
#include "broker/record_text.h"

namespace simtrader {

std::optional<TradePrint> PrintOf(const MarketUpdate &update, const Market &before) {
  if (!update.last || *update.last <= 0) return std::nullopt;
  TradePrint print;
  print.price = *update.last;
  // A volume that falls is a new day's count: what it shows is what traded since.
  if (update.volume) {
    print.volume =
        *update.volume >= before.volume ? *update.volume - before.volume : *update.volume;
  }
  return print;
}

void OrderBook::Put(const CThostFtdcOrderField &order) {
  const int seq = order.BrokerOrderSeq;
  auto found = entries_.find(seq);
  const bool queued = IsResting(order);
  if (!queued && !IsHeld(order)) {
    if (found != entries_.end()) {
      Remove(found->second);
      entries_.erase(found);
    }
    return;
  }
  // An order keeps its time while it stays queued; one that joins a queue (a held order
  // that triggered, or a new one) takes its place behind those already there.
  if (found != entries_.end() && found->second.held == !queued) {
    found->second.order = order;
    return;
  }
  if (found != entries_.end()) {
    Remove(found->second);
    entries_.erase(found);
  }
  Entry entry{order, !queued, next_time_++};
  Insert(entry);
  entries_.emplace(seq, entry);
}

void OrderBook::Insert(const Entry &entry) {
  const CThostFtdcOrderField &order = entry.order;
  const int seq = order.BrokerOrderSeq;
  const std::string instrument = TextOf(order.InstrumentID);
  if (entry.held) {
    held_[instrument].emplace(entry.time, seq);
    return;
  }
  const Place place{order.LimitPrice, entry.time, seq};
  Queues &queues = queues_[instrument];
  if (order.Direction == THOST_FTDC_D_Buy) {
    queues.buys.insert(place);
  } else {
    queues.sells.insert(place);
  }
  queued_by_investor_[TextOf(order.InvestorID)].emplace(entry.time, seq);
  ++queued_count_;
}

void OrderBook::Remove(const Entry &entry) {
  const CThostFtdcOrderField &order = entry.order;
  const std::string instrument = TextOf(order.InstrumentID);
  if (entry.held) {
    held_[instrument].erase(entry.time);
    return;
  }
  const Place place{order.LimitPrice, entry.time, order.BrokerOrderSeq};
  Queues &queues = queues_[instrument];
  if (order.Direction == THOST_FTDC_D_Buy) {
    queues.buys.erase(place);
  } else {
    queues.sells.erase(place);
  }
  queued_by_investor_[TextOf(order.InvestorID)].erase(entry.time);
  --queued_count_;
}

std::vector<CThostFtdcOrderField> OrderBook::QueuedOf(const std::string &investor) const {
  std::vector<CThostFtdcOrderField> orders;
  auto queued = queued_by_investor_.find(investor);
  if (queued == queued_by_investor_.end()) return orders;
  orders.reserve(queued->second.size());
  for (const auto &[time, seq] : queued->second) orders.push_back(entries_.at(seq).order);
  return orders;
}

std::vector<BookFill> OrderBook::Match(const std::string &instrument, char direction,
                                       Market &market,
                                       const std::optional<TradePrint> &print) const {
  std::vector<BookFill> fills;
  // Most moves find nothing queued anywhere: no lookup by instrument for them.
  if (queued_count_ == 0) return fills;
  auto queues = queues_.find(instrument);
  if (queues == queues_.end()) return fills;
  const bool buys = direction == THOST_FTDC_D_Buy;
  long long printed = !print ? 0 : print->volume ? *print->volume : LLONG_MAX;
  // A price of 0 is no trade: it reaches nothing.
  auto reaches = [buys](double other, double price) {
    return other > 0 && (buys ? other <= price : other >= price);
  };
  // Each queue is in fill order, and what reaches an order reaches every order ahead of it:
  // the orders that trade are a prefix of the queue.
  auto match = [&](const auto &queue) {
    for (const Place &place : queue) {
      const CThostFtdcOrderField &order = entries_.at(place.seq).order;
      // The levels at or through its price, best first, however far through: it trades at
      // its own price whichever it meets.
      int volume = TakeCrossed(market, order, order.VolumeTotal).volume;
      if (print && reaches(print->price, place.price)) {
        const int more = static_cast<int>(std::min<long long>(order.VolumeTotal - volume, printed));
        printed -= more;
        volume += more;
      }
      if (volume == 0) break;
      fills.push_back(BookFill{order, order.LimitPrice, volume});
    }
  };
  if (buys) {
    match(queues->second.buys);
  } else {
    match(queues->second.sells);
  }
  return fills;
}

std::vector<CThostFtdcOrderField> OrderBook::Touched(const std::string &instrument,
                                                     double last) const {
  std::vector<CThostFtdcOrderField> orders;
  if (HeldCount() == 0) return orders;
  auto held = held_.find(instrument);
  if (held == held_.end()) return orders;
  for (const auto &[time, seq] : held->second) {
    const CThostFtdcOrderField &order = entries_.at(seq).order;
    if (ConditionHolds(order, last)) orders.push_back(order);
  }
  return orders;
}

}  // namespace simtrader
