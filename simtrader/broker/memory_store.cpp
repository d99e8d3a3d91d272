// The store that keeps everything in memory, indexed the way the broker looks things up.
// Orders, trades and the private flows grow with every order of the day, so their records are
// kept packed: an order placed and cancelled costs a few hundred bytes, not its records whole.
#include <climits>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <utility>

#include "broker/orders.h"
#include "broker/packed_record.h"
#include "broker/record_text.h"
#include "broker/store.h"

namespace simtrader {

namespace {

template <typename Record>
Record Unpacked(const PackedRecord &packed, const Record *base = nullptr) {
  Record record;
  packed.UnpackTo(&record, base);
  return record;
}

// An investor's private flow. Each record is packed against the one before it of the same
// event, which the flow keeps whole: the states of one order, and orders one after another,
// differ in a few words.
class PackedFlow {
 public:
  void Append(const FlowEntry &entry) {
    const std::optional<CThostFtdcRspInfoField> &rsp_info = entry.args.rsp_info;
    std::vector<unsigned char> &latest = latest_[entry.event];
    const std::vector<unsigned char> &record = entry.args.record;
    // A null record is kept as an empty one; an event's records all have one size.
    const void *base = latest.size() == record.size() ? latest.data() : nullptr;
    entries_.push_back(
        Entry{entry.event, entry.args.number, entry.args.is_last,
              PackedRecord(record.data(), record.size(), base),
              rsp_info ? PackedRecord(&*rsp_info, sizeof *rsp_info) : PackedRecord(nullptr, 0)});
    latest = record;
  }

  long long size() const { return static_cast<long long>(entries_.size()); }

  // Each record is unpacked against the one before it, so the flow is read from its start
  // whatever is asked for.
  std::vector<FlowEntry> Entries(long long after) const {
    std::vector<FlowEntry> flow;
    std::map<int, std::vector<unsigned char>> latest;
    long long number = 0;
    for (const Entry &entry : entries_) {
      FlowEntry unpacked;
      unpacked.event = entry.event;
      unpacked.args.number = entry.number;
      unpacked.args.is_last = entry.is_last;
      std::vector<unsigned char> &base = latest[entry.event];
      unpacked.args.record.resize(entry.record.size());
      entry.record.UnpackTo(unpacked.args.record.data(),
                            base.size() == entry.record.size() ? base.data() : nullptr);
      base = unpacked.args.record;
      if (entry.rsp_info.size() != 0) {
        unpacked.args.rsp_info = Unpacked<CThostFtdcRspInfoField>(entry.rsp_info);
      }
      unpacked.args.flow_number = ++number;
      if (number > after) flow.push_back(std::move(unpacked));
    }
    return flow;
  }

 private:
  struct Entry {
    int event;
    int number;
    bool is_last;
    PackedRecord record;
    PackedRecord rsp_info;  // empty for a null pointer
  };

  std::deque<Entry> entries_;
  std::map<int, std::vector<unsigned char>> latest_;  // by event: its last record, whole
};

class MemoryStore final : public BrokerStore {
 public:
  std::optional<Account> FindAccount(const std::string &investor) const override {
    auto account = accounts_.find(investor);
    if (account == accounts_.end()) return std::nullopt;
    return account->second;
  }

  void PutAccount(const Account &account) override { accounts_[account.investor] = account; }

  std::vector<Account> Accounts() const override {
    std::vector<Account> accounts;
    for (const auto &[investor, account] : accounts_) accounts.push_back(account);
    return accounts;
  }

  std::vector<PositionLeg> Positions(const std::string &investor) const override {
    auto legs = positions_.find(investor);
    if (legs == positions_.end()) return {};
    return legs->second;
  }

  void PutPositions(const std::string &investor, const std::vector<PositionLeg> &legs) override {
    positions_[investor] = legs;
  }

  void PutOrder(const CThostFtdcOrderField &order) override {
    const int seq = order.BrokerOrderSeq;
    if (!first_order_) first_order_ = order;
    auto [stored, is_new] =
        orders_.insert_or_assign(seq, PackedRecord(&order, sizeof order, &*first_order_));
    if (is_new) {
      by_investor_[TextOf(order.InvestorID)].push_back(seq);
      by_ref_[{order.FrontID, order.SessionID, TextOf(order.OrderRef)}] = seq;
    }
    const std::string sys_id(Trimmed(TextOf(order.OrderSysID)));
    if (!sys_id.empty()) by_sys_id_.insert({sys_id, seq});
    if (IsWaiting(order)) {
      resting_.insert(seq);
    } else {
      resting_.erase(seq);
    }
  }

  std::optional<CThostFtdcOrderField> FindOrderByRef(int front_id, int session_id,
                                                     const std::string &order_ref) const override {
    auto seq = by_ref_.find({front_id, session_id, order_ref});
    if (seq == by_ref_.end()) return std::nullopt;
    return StoredOrder(seq->second);
  }

  std::optional<CThostFtdcOrderField> FindOrderBySysID(
      const std::string &exchange, const std::string &order_sys_id) const override {
    for (auto entry = by_sys_id_.lower_bound({order_sys_id, INT_MIN});
         entry != by_sys_id_.end() && entry->first == order_sys_id; ++entry) {
      const auto order = StoredOrder(entry->second);
      if (exchange.empty() || exchange == TextOf(order.ExchangeID)) return order;
    }
    return std::nullopt;
  }

  std::vector<CThostFtdcOrderField> Orders(const std::string &investor) const override {
    std::vector<CThostFtdcOrderField> orders;
    auto seqs = by_investor_.find(investor);
    if (seqs == by_investor_.end()) return orders;
    for (int seq : seqs->second) {
      orders.push_back(StoredOrder(seq));
    }
    return orders;
  }

  std::vector<CThostFtdcOrderField> RestingOrders() const override {
    std::vector<CThostFtdcOrderField> orders;
    for (int seq : resting_) orders.push_back(StoredOrder(seq));
    return orders;
  }

  void AddTrade(const CThostFtdcTradeField &trade) override {
    trades_[TextOf(trade.InvestorID)].emplace_back(&trade, sizeof trade);
  }

  std::vector<CThostFtdcTradeField> Trades(const std::string &investor) const override {
    std::vector<CThostFtdcTradeField> trades;
    auto packed = trades_.find(investor);
    if (packed == trades_.end()) return trades;
    for (const PackedRecord &trade : packed->second) {
      trades.push_back(Unpacked<CThostFtdcTradeField>(trade));
    }
    return trades;
  }

  long long AppendFlow(const std::string &investor, const FlowEntry &entry) override {
    PackedFlow &flow = flows_[investor];
    flow.Append(entry);
    return flow.size();
  }

  std::vector<FlowEntry> Flow(const std::string &investor, long long after) const override {
    auto flow = flows_.find(investor);
    if (flow == flows_.end()) return {};
    return flow->second.Entries(after);
  }

  long long FlowLength(const std::string &investor) const override {
    auto flow = flows_.find(investor);
    return flow == flows_.end() ? 0 : flow->second.size();
  }

  std::string TradingDay() const override { return trading_day_; }
  void PutTradingDay(const std::string &day) override { trading_day_ = day; }

  void StartTradingDay(const std::string &) override {
    orders_.clear();
    first_order_.reset();
    by_investor_.clear();
    by_ref_.clear();
    by_sys_id_.clear();
    resting_.clear();
    trades_.clear();
    flows_.clear();
  }

  void PutStatement(const std::string &investor, const Statement &statement) override {
    statements_[investor][statement.trading_day] = statement;
  }

  std::optional<Statement> FindStatement(const std::string &investor,
                                         const std::string &trading_day) const override {
    auto days = statements_.find(investor);
    if (days == statements_.end() || days->second.empty()) return std::nullopt;
    if (trading_day.empty()) return days->second.rbegin()->second;
    auto statement = days->second.find(trading_day);
    if (statement == days->second.end()) return std::nullopt;
    return statement->second;
  }

  long long Next(Counter counter) override { return ++counters_[counter]; }

 private:
  CThostFtdcOrderField StoredOrder(int seq) const {
    return Unpacked(orders_.at(seq), &*first_order_);
  }

  std::map<std::string, Account> accounts_;
  std::map<std::string, std::vector<PositionLeg>> positions_;
  // Sequence numbers grow with each new order, so the ordered containers of them list
  // orders in the order they were placed.
  std::map<int, PackedRecord> orders_;
  // The day's first order, whole: the others are kept as their difference from it, which is
  // little more than their references, times and states.
  std::optional<CThostFtdcOrderField> first_order_;
  std::map<std::string, std::vector<int>> by_investor_;
  std::map<std::tuple<int, int, std::string>, int> by_ref_;
  std::set<std::pair<std::string, int>> by_sys_id_;
  std::set<int> resting_;
  std::map<std::string, std::deque<PackedRecord>> trades_;
  std::map<std::string, PackedFlow> flows_;
  std::map<Counter, long long> counters_;
  std::string trading_day_;

  // By investor, then trading day: days written YYYYMMDD sort by date.
  std::map<std::string, std::map<std::string, Statement>> statements_;
};

}  // namespace

std::unique_ptr<BrokerStore> MakeMemoryStore() { return std::make_unique<MemoryStore>(); }

}  // namespace simtrader
