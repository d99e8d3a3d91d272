// The broker's state, behind the one interface a durable store implements: accounts,
// positions, orders, trades, each investor's private flow, and the counters that number
// them. Everything else the broker holds (markets, connections) is rebuilt on start.
#ifndef SIMTRADER_BROKER_STORE_H
#define SIMTRADER_BROKER_STORE_H

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ThostFtdcUserApiStruct.h"
#include "broker/instruments.h"
#include "event_table.h"

namespace simtrader {

struct Account {
  std::string investor;
  std::string password;   // empty until the first login sets it
  std::string app_id;     // empty: any app id authenticates
  std::string auth_code;  // empty: any auth code authenticates
  double pre_balance = 0;
  double deposit = 0;
  double withdraw = 0;
  // When the settlement was last confirmed: the trading day, and the time of day.
  std::string confirmed_day;
  std::string confirmed_time;
};

// Lots opened by one trade, or what is left of them.
struct Lot {
  std::string trade_id;
  std::string open_date;
  double open_price = 0;
  // What the lot is marked against: its open price on the day it was opened, yesterday's
  // settlement on later days.
  double basis_price = 0;
  int volume = 0;
};

// One side of one instrument's position, its lots opened today or those held from earlier
// days, with the day's totals.
struct PositionLeg {
  std::string instrument;
  Side side = Side::Long;
  bool today = true;
  std::vector<Lot> lots;  // oldest first
  int start_volume = 0;   // what was held when the day began (yesterday's leg)
  int open_volume = 0;
  int close_volume = 0;
  double open_amount = 0;
  double close_amount = 0;
  double close_profit = 0;           // against the basis: the daily mark-to-market
  double close_profit_by_trade = 0;  // against the open price
  double commission = 0;

  int Volume() const;
};

// An investor's settlement statement of a trading day: GB18030 text.
struct Statement {
  std::string trading_day;
  std::string text;
};

// An event published on a flow: an investor's private flow, or the public flow, which the
// store keeps under the empty investor. Its args.flow_number numbers it within its flow.
struct FlowEntry {
  int event = 0;
  EventArgs args;
};

enum class Counter { SessionID, BrokerOrderSeq, OrderSysID, TradeID, ConditionalOrderID };

class BrokerStore {
 public:
  virtual ~BrokerStore() = default;

  virtual std::optional<Account> FindAccount(const std::string &investor) const = 0;
  virtual void PutAccount(const Account &account) = 0;
  virtual std::vector<Account> Accounts() const = 0;

  virtual std::vector<PositionLeg> Positions(const std::string &investor) const = 0;
  virtual void PutPositions(const std::string &investor, const std::vector<PositionLeg> &legs) = 0;

  // Orders are keyed by BrokerOrderSeq: putting one again replaces it. Lists keep the order
  // in which the orders were first put.
  virtual void PutOrder(const CThostFtdcOrderField &order) = 0;
  virtual std::optional<CThostFtdcOrderField> FindOrderByRef(
      int front_id, int session_id, const std::string &order_ref) const = 0;
  // `order_sys_id` without its padding; an empty exchange matches any.
  virtual std::optional<CThostFtdcOrderField> FindOrderBySysID(
      const std::string &exchange, const std::string &order_sys_id) const = 0;
  virtual std::vector<CThostFtdcOrderField> Orders(const std::string &investor) const = 0;
  // Every investor's orders that wait: queueing at the exchange, or held by the broker until
  // their condition is met.
  virtual std::vector<CThostFtdcOrderField> RestingOrders() const = 0;

  virtual void AddTrade(const CThostFtdcTradeField &trade) = 0;
  virtual std::vector<CThostFtdcTradeField> Trades(const std::string &investor) const = 0;

  // Returns the entry's number in the flow: 1, 2, 3, ... in the order appended.
  virtual long long AppendFlow(const std::string &investor, const FlowEntry &entry) = 0;
  // The entries numbered after `after`, in order, each with its number.
  virtual std::vector<FlowEntry> Flow(const std::string &investor, long long after = 0) const = 0;
  virtual long long FlowLength(const std::string &investor) const = 0;

  // The broker's trading day; empty in a store that has never had one.
  virtual std::string TradingDay() const = 0;
  virtual void PutTradingDay(const std::string &day) = 0;

  // What is put between Begin and Commit is kept whole or not at all: the broker makes the
  // effects of the requests it handles together one transaction, committed before it answers.
  virtual void Begin() {}
  virtual void Commit() {}
  // Forgets what was put since Begin, where the store can.
  virtual void Rollback() {}
  // Within a transaction, each request's effects: kept by ReleaseSavepoint, or forgotten by
  // RollbackToSavepoint while what was put before the savepoint stays. A ReleaseSavepoint
  // that throws leaves the savepoint to roll back to; a RollbackToSavepoint that throws has
  // forgotten the whole transaction.
  virtual void Savepoint() {}
  virtual void ReleaseSavepoint() {}
  virtual void RollbackToSavepoint() {}

  // The settlement ended the day: its orders, trades and private flows are dropped (the
  // positions and accounts it rolled are put as usual); `trading_day` is the new day.
  virtual void StartTradingDay(const std::string &trading_day) = 0;

  virtual void PutStatement(const std::string &investor, const Statement &statement) = 0;
  // The investor's statement of that trading day; without a day, the latest one.
  virtual std::optional<Statement> FindStatement(const std::string &investor,
                                                 const std::string &trading_day) const = 0;

  // 1, 2, 3, ... for each counter.
  virtual long long Next(Counter counter) = 0;
};

// A store that lives as long as its broker.
std::unique_ptr<BrokerStore> MakeMemoryStore();

}  // namespace simtrader

#endif
