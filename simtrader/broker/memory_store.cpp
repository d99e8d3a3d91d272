// The store that keeps everything in memory, indexed the way the broker looks things up.
#include <climits>
#include <map>
#include <set>
#include <tuple>
#include <utility>

#include "broker/orders.h"
#include "broker/record_text.h"
#include "broker/store.h"

namespace simtrader {

namespace {

class MemoryStore final : public BrokerStore {
 public:
  std::optional<Account> FindAccount(const std::string &investor) const override {
    auto account = accounts_.find(investor);
    if (account == accounts_.end()) return std::nullopt;
    return account->second;
  }

  void PutAccount(const Account &account) override { accounts_[account.investor] = account; }

  std::vector<PositionLeg> Positions(const std::string &investor) const override {
    auto legs = positions_.find(investor);
    if (legs == positions_.end()) return {};
    return legs->second;
  }

  void PutPositions(const std::string &investor,
                    const std::vector<PositionLeg> &legs) override {
    positions_[investor] = legs;
  }

  void PutOrder(const CThostFtdcOrderField &order) override {
    const int seq = order.BrokerOrderSeq;
    auto [stored, is_new] = orders_.insert_or_assign(seq, order);
    if (is_new) {
      by_investor_[TextOf(order.InvestorID)].push_back(seq);
      by_ref_[{order.FrontID, order.SessionID, TextOf(order.OrderRef)}] = seq;
    }
    const std::string sys_id(Trimmed(TextOf(order.OrderSysID)));
    if (!sys_id.empty()) by_sys_id_.insert({sys_id, seq});
    if (IsResting(order)) {
      resting_.insert(seq);
    } else {
      resting_.erase(seq);
    }
  }

  std::optional<CThostFtdcOrderField> FindOrderByRef(
      int front_id, int session_id, const std::string &order_ref) const override {
    auto seq = by_ref_.find({front_id, session_id, order_ref});
    if (seq == by_ref_.end()) return std::nullopt;
    return orders_.at(seq->second);
  }

  std::optional<CThostFtdcOrderField> FindOrderBySysID(
      const std::string &exchange, const std::string &order_sys_id) const override {
    for (auto entry = by_sys_id_.lower_bound({order_sys_id, INT_MIN});
         entry != by_sys_id_.end() && entry->first == order_sys_id; ++entry) {
      const CThostFtdcOrderField &order = orders_.at(entry->second);
      if (exchange.empty() || exchange == TextOf(order.ExchangeID)) return order;
    }
    return std::nullopt;
  }

  std::vector<CThostFtdcOrderField> Orders(const std::string &investor) const override {
    std::vector<CThostFtdcOrderField> orders;
    auto seqs = by_investor_.find(investor);
    if (seqs == by_investor_.end()) return orders;
    for (int seq : seqs->second) orders.push_back(orders_.at(seq));
    return orders;
  }

  std::vector<CThostFtdcOrderField> RestingOrders() const override {
    std::vector<CThostFtdcOrderField> orders;
    for (int seq : resting_) orders.push_back(orders_.at(seq));
    return orders;
  }

  void AddTrade(const CThostFtdcTradeField &trade) override {
    trades_[TextOf(trade.InvestorID)].push_back(trade);
  }

  std::vector<CThostFtdcTradeField> Trades(const std::string &investor) const override {
    auto trades = trades_.find(investor);
    if (trades == trades_.end()) return {};
    return trades->second;
  }

  void AppendFlow(const std::string &investor, const FlowEntry &entry) override {
    flows_[investor].push_back(entry);
  }

  std::vector<FlowEntry> Flow(const std::string &investor) const override {
    auto flow = flows_.find(investor);
    if (flow == flows_.end()) return {};
    return flow->second;
  }

  long long Next(Counter counter) override { return ++counters_[counter]; }

 private:
  std::map<std::string, Account> accounts_;
  std::map<std::string, std::vector<PositionLeg>> positions_;
  // Sequence numbers grow with each new order, so the ordered containers of them list
  // orders in the order they were placed.
  std::map<int, CThostFtdcOrderField> orders_;
  std::map<std::string, std::vector<int>> by_investor_;
  std::map<std::tuple<int, int, std::string>, int> by_ref_;
  std::set<std::pair<std::string, int>> by_sys_id_;
  std::set<int> resting_;
  std::map<std::string, std::vector<CThostFtdcTradeField>> trades_;
  std::map<std::string, std::vector<FlowEntry>> flows_;
  std::map<Counter, long long> counters_;
};

}  // namespace

std::unique_ptr<BrokerStore> MakeMemoryStore() { return std::make_unique<MemoryStore>(); }

}  // namespace simtrader
