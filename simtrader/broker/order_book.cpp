#include "broker/order_book.h"

#include "broker/orders.h"
#include "broker/record_text.h"

namespace simtrader {

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

std::vector<CThostFtdcOrderField> OrderBook::Crossed(const std::string &instrument, char direction,
                                                     const Market &market) const {
  std::vector<CThostFtdcOrderField> orders;
  auto queues = queues_.find(instrument);
  if (queues == queues_.end()) return orders;
  // Each queue is in fill order, so the crossed orders are a prefix of it.
  auto take_while = [&](const auto &queue, auto crosses) {
    for (const Place &place : queue) {
      if (!crosses(place.price)) break;
      orders.push_back(entries_.at(place.seq).order);
    }
  };
  if (direction == THOST_FTDC_D_Buy) {
    if (market.ask > 0) {
      take_while(queues->second.buys, [&](double price) { return price >= market.ask; });
    }
  } else if (market.bid > 0) {
    take_while(queues->second.sells, [&](double price) { return price <= market.bid; });
  }
  return orders;
}

std::vector<CThostFtdcOrderField> OrderBook::Touched(const std::string &instrument,
                                                     double last) const {
  std::vector<CThostFtdcOrderField> orders;
  auto held = held_.find(instrument);
  if (held == held_.end()) return orders;
  for (const auto &[time, seq] : held->second) {
    const CThostFtdcOrderField &order = entries_.at(seq).order;
    if (ConditionHolds(order, last)) orders.push_back(order);
  }
  return orders;
}

}  // namespace simtrader
