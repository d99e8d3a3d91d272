// The orders that wait at a broker: those queueing at the exchanges until a market crosses
// them, in price then time priority across every investor, and the conditional orders the
// broker holds until the last price meets their condition.
//
// The book is an index over the store's records, rebuilt from them when a broker starts: the
// broker files every order it changes, and the book keeps those still waiting. It takes no
// lock of its own; the broker's mutex guards it.
#ifndef SIMTRADER_BROKER_ORDER_BOOK_H
#define SIMTRADER_BROKER_ORDER_BOOK_H

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "ThostFtdcUserApiStruct.h"
#include "broker/instruments.h"

namespace simtrader {

// The trades a market move reports: at its last price, `volume` lots (the rise of the day's
// volume), or an unknown number when the move does not give the day's volume.
struct TradePrint {
  double price = 0;
  std::optional<int> volume;
};

// What a market move reports traded, given the market before it; none without a last price.
std::optional<TradePrint> PrintOf(const MarketUpdate &update, const Market &before);

// One trade of a queued order.
struct BookFill {
  CThostFtdcOrderField order;
  double price;
  int volume;
};

class OrderBook {
 public:
  // Files the order as its status says: queued (keeping its place if it had one, so that a
  // partial fill does not cost it its priority), held, or dropped once it is neither.
  void Put(const CThostFtdcOrderField &order);

  // The investor's queued orders, earliest first.
  std::vector<CThostFtdcOrderField> QueuedOf(const std::string &investor) const;
  // What a market move trades of the instrument's queued orders on one side (THOST_FTDC_D_Buy
  // or _Sell), in the order they fill: best price first, then earliest. A queued order was
  // there first, so it is the maker and trades at its own price: with the other side's levels
  // at or through its price, best first, taking the lots quoted there from `market`; then
  // with the trades `print` reports where their price is at or through its own, up to the
  // lots they traded. Nothing could have traded through a queued order without meeting it
  // first.
  std::vector<BookFill> Match(const std::string &instrument, char direction, Market &market,
                              const std::optional<TradePrint> &print) const;
  // The instrument's held orders whose condition the last price meets, earliest first.
  std::vector<CThostFtdcOrderField> Touched(const std::string &instrument, double last) const;

  std::size_t QueuedCount() const { return queued_count_; }
  std::size_t HeldCount() const { return entries_.size() - queued_count_; }

 private:
  // A place in a queue: the earlier `time` among equal prices goes first.
  struct Place {
    double price;
    long long time;
    int seq;  // BrokerOrderSeq
  };
  struct BuysFirst {
    bool operator()(const Place &a, const Place &b) const {
      return a.price != b.price ? a.price > b.price : a.time < b.time;
    }
  };
  struct SellsFirst {
    bool operator()(const Place &a, const Place &b) const {
      return a.price != b.price ? a.price < b.price : a.time < b.time;
    }
  };
  struct Queues {
    std::set<Place, BuysFirst> buys;
    std::set<Place, SellsFirst> sells;
  };
  struct Entry {
    CThostFtdcOrderField order;
    bool held = false;
    long long time = 0;
  };

  void Remove(const Entry &entry);
  void Insert(const Entry &entry);

  std::unordered_map<int, Entry> entries_;
  std::map<std::string, Queues> queues_;
  // By instrument, then time: the held orders.
  std::map<std::string, std::map<long long, int>> held_;
  // By investor: the sequence numbers of their queued orders, earliest first.
  std::map<std::string, std::map<long long, int>> queued_by_investor_;
  std::size_t queued_count_ = 0;
  long long next_time_ = 0;
};

}  // namespace simtrader

#endif
