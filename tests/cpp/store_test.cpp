// The broker's stores, memory and SQLite, read back what was put, the SQLite one from a new
// connection to its file; the SQLite store refuses files that are not its own and keeps a
// transaction whole; a broker answers only what was committed, and undoes a request that
// fails within a batch alone; and it delivers its flows after a login by the resume type.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "broker/record_text.h"
#include "broker/sqlite_store.h"
#include "broker/store.h"
#include "broker_test_support.h"
#include "flow/flow_mark.h"

namespace {

using simtrader::BrokerStore;
using simtrader::Counter;
using simtrader::FlowEntry;
using simtrader::SetText;
using simtrader::TextOf;

std::string TempPath(const std::string &name) {
  static int counter = 0;
  const std::string path = testing::TempDir() + "simtrader-store-" + std::to_string(getpid()) +
                           "-" + std::to_string(counter++) + "-" + name;
  std::remove(path.c_str());
  std::remove((path + "-wal").c_str());
  std::remove((path + "-shm").c_str());
  return path;
}

std::string FileContent(const std::string &path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// A store to write, and the store that reads it back: the same one in memory, a new
// connection to the file for SQLite.
struct StoreKind {
  const char *name;
  std::function<std::unique_ptr<BrokerStore>(const std::string &path)> open;
  bool reopens;
};

class EveryStore : public testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override {
    path_ = TempPath("round-trip.db");
    store_ = GetParam().open(path_);
  }
  // What was written, as a reader comes to it.
  BrokerStore &Reread() {
    if (GetParam().reopens) store_ = GetParam().open(path_);
    return *store_;
  }

  std::string path_;
  std::unique_ptr<BrokerStore> store_;
};

CThostFtdcOrderField OrderOf(const std::string &investor, int seq, const std::string &ref,
                             const std::string &sys_id, char status) {
  CThostFtdcOrderField order{};
  SetText(order.InvestorID, investor);
  SetText(order.InstrumentID, "rb2705");
  SetText(order.ExchangeID, "SHFE");
  SetText(order.OrderRef, ref);
  SetText(order.OrderSysID, sys_id);
  SetText(order.StatusMsg, "全部成交");
  order.FrontID = 1;
  order.SessionID = 7;
  order.BrokerOrderSeq = seq;
  order.OrderStatus = status;
  order.OrderSubmitStatus = THOST_FTDC_OSS_Accepted;
  order.ContingentCondition = THOST_FTDC_CC_Immediately;
  order.LimitPrice = 3201.5;
  return order;
}

bool SameBytes(const CThostFtdcOrderField &a, const CThostFtdcOrderField &b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST_P(EveryStore, KeepsEveryKindOfRecord) {
  BrokerStore &store = *store_;
  store.Begin();
  simtrader::Account account;
  account.investor = "U01";
  account.password = "pw";
  account.app_id = "app";
  account.pre_balance = 1'000'000.25;
  account.deposit = 3;
  account.withdraw = 4;
  account.confirmed_day = "20270104";
  account.confirmed_time = "09:00:01";
  store.PutAccount(account);

  simtrader::PositionLeg leg;
  leg.instrument = "rb2705";
  leg.side = simtrader::Side::Short;
  leg.today = false;
  leg.start_volume = 5;
  leg.open_volume = 1;
  leg.close_volume = 2;
  leg.open_amount = 32010;
  leg.close_amount = 64000.5;
  leg.close_profit = -20;
  leg.close_profit_by_trade = -30;
  leg.commission = 6.4;
  leg.lots = {{"      000001", "20270101", 3200, 3190, 2},
              {"      000002", "20270102", 3210, 3190, 1}};
  simtrader::PositionLeg today = leg;
  today.today = true;
  today.lots.clear();
  store.PutPositions("U01", {today, leg});
  store.PutPositions("U01", {leg});  // replaces what was put before

  const auto resting = OrderOf("U01", 1, "1", "      000001", THOST_FTDC_OST_NoTradeQueueing);
  auto finished = OrderOf("U01", 2, "2", "      000002", THOST_FTDC_OST_NoTradeQueueing);
  const auto others = OrderOf("U02", 3, "1", "      000003", THOST_FTDC_OST_AllTraded);
  store.PutOrder(resting);
  store.PutOrder(finished);
  finished.OrderStatus = THOST_FTDC_OST_AllTraded;
  store.PutOrder(finished);  // the same order again: replaced, still second
  store.PutOrder(others);

  CThostFtdcTradeField trade{};
  SetText(trade.InvestorID, "U01");
  SetText(trade.TradeID, "      000009");
  trade.Price = 3201;
  store.AddTrade(trade);

  FlowEntry with_error{12, {}};
  with_error.args.record = {1, 2, 3, 0, 0, 0, 0, 0};
  with_error.args.rsp_info = CThostFtdcRspInfoField{};
  with_error.args.rsp_info->ErrorID = 31;
  FlowEntry without_record{13, {}};
  without_record.args.number = 9;
  without_record.args.is_last = true;
  EXPECT_EQ(store.AppendFlow("U01", with_error), 1);
  EXPECT_EQ(store.AppendFlow("U01", without_record), 2);
  EXPECT_EQ(store.AppendFlow("", with_error), 1);

  for (long long expected : {1, 2, 3}) EXPECT_EQ(store.Next(Counter::TradeID), expected);
  EXPECT_EQ(store.Next(Counter::SessionID), 1);
  store.PutTradingDay("20270105");
  store.Commit();

  BrokerStore &read = Reread();
  const std::optional<simtrader::Account> found = read.FindAccount("U01");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->password, "pw");
  EXPECT_EQ(found->app_id, "app");
  EXPECT_EQ(found->auth_code, "");
  EXPECT_EQ(found->pre_balance, 1'000'000.25);
  EXPECT_EQ(found->deposit + found->withdraw, 7);
  EXPECT_EQ(found->confirmed_day + found->confirmed_time, "2027010409:00:01");
  EXPECT_FALSE(read.FindAccount("U09"));

  const std::vector<simtrader::PositionLeg> legs = read.Positions("U01");
  ASSERT_EQ(legs.size(), 1u);
  EXPECT_EQ(legs[0].instrument, "rb2705");
  EXPECT_EQ(legs[0].side, simtrader::Side::Short);
  EXPECT_FALSE(legs[0].today);
  EXPECT_EQ(legs[0].Volume(), 3);
  EXPECT_EQ(legs[0].start_volume + legs[0].open_volume + legs[0].close_volume, 8);
  EXPECT_EQ(legs[0].open_amount + legs[0].close_amount, 96010.5);
  EXPECT_EQ(legs[0].close_profit + legs[0].close_profit_by_trade, -50);
  EXPECT_EQ(legs[0].commission, 6.4);
  ASSERT_EQ(legs[0].lots.size(), 2u);
  EXPECT_EQ(legs[0].lots[1].trade_id, "      000002");
  EXPECT_EQ(legs[0].lots[1].open_date, "20270102");
  EXPECT_EQ(legs[0].lots[1].open_price + legs[0].lots[1].basis_price, 6400);
  EXPECT_EQ(legs[0].lots[0].volume, 2);
  EXPECT_TRUE(read.Positions("U02").empty());

  const auto orders = read.Orders("U01");
  ASSERT_EQ(orders.size(), 2u);
  EXPECT_TRUE(SameBytes(orders[0], resting));
  EXPECT_TRUE(SameBytes(orders[1], finished));
  const auto waiting = read.RestingOrders();
  ASSERT_EQ(waiting.size(), 1u);
  EXPECT_TRUE(SameBytes(waiting[0], resting));
  const auto by_ref = read.FindOrderByRef(1, 7, "2");
  ASSERT_TRUE(by_ref);
  EXPECT_TRUE(SameBytes(*by_ref, finished));
  EXPECT_FALSE(read.FindOrderByRef(1, 8, "2"));
  ASSERT_TRUE(read.FindOrderBySysID("", "000003"));
  EXPECT_EQ(TextOf(read.FindOrderBySysID("SHFE", "000003")->InvestorID), "U02");
  EXPECT_FALSE(read.FindOrderBySysID("DCE", "000003"));

  const auto trades = read.Trades("U01");
  ASSERT_EQ(trades.size(), 1u);
  EXPECT_EQ(std::memcmp(&trades[0], &trade, sizeof trade), 0);
  EXPECT_TRUE(read.Trades("U02").empty());

  const std::vector<FlowEntry> flow = read.Flow("U01");
  ASSERT_EQ(flow.size(), 2u);
  EXPECT_EQ(flow[0].event, 12);
  EXPECT_EQ(flow[0].args.record, with_error.args.record);
  ASSERT_TRUE(flow[0].args.rsp_info);
  EXPECT_EQ(flow[0].args.rsp_info->ErrorID, 31);
  EXPECT_EQ(flow[0].args.flow_number, 1);
  EXPECT_TRUE(flow[1].args.record.empty());
  EXPECT_FALSE(flow[1].args.rsp_info);
  EXPECT_EQ(flow[1].args.number, 9);
  EXPECT_TRUE(flow[1].args.is_last);
  EXPECT_EQ(flow[1].args.flow_number, 2);
  const std::vector<FlowEntry> after_first = read.Flow("U01", 1);
  ASSERT_EQ(after_first.size(), 1u);
  EXPECT_EQ(after_first[0].event, 13);
  EXPECT_EQ(read.FlowLength("U01"), 2);
  EXPECT_EQ(read.FlowLength(""), 1);
  EXPECT_EQ(read.FlowLength("U02"), 0);

  // Numbers carry on after those handed out, though the file may skip some.
  EXPECT_GT(read.Next(Counter::TradeID), 3);
  EXPECT_GE(read.Next(Counter::OrderSysID), 1);
  EXPECT_EQ(read.TradingDay(), "20270105");
}

TEST_P(EveryStore, EndsADayKeepingAccountsPositionsAndStatements) {
  BrokerStore &store = *store_;
  store.Begin();
  for (const char *investor : {"U02", "U01"}) {
    simtrader::Account account;
    account.investor = investor;
    account.pre_balance = 100;
    store.PutAccount(account);
  }
  simtrader::PositionLeg leg;
  leg.instrument = "rb2705";
  leg.start_volume = 2;
  store.PutPositions("U01", {leg});
  store.PutOrder(OrderOf("U01", 1, "1", "000001", THOST_FTDC_OST_NoTradeQueueing));
  store.AppendFlow("U01", FlowEntry{12, {}});
  // GB18030 text with a NUL in it: the statement is bytes, kept whole.
  const std::string text("\xd5\xcb\xbb\xa7\0end", 8);
  store.PutStatement("U01", simtrader::Statement{"20270104", "first"});
  store.PutStatement("U01", simtrader::Statement{"20270105", text});
  store.StartTradingDay("20270106");
  store.Commit();

  BrokerStore &read = Reread();
  std::vector<std::string> investors;
  for (const simtrader::Account &account : read.Accounts()) investors.push_back(account.investor);
  EXPECT_EQ(investors, (std::vector<std::string>{"U01", "U02"}));
  EXPECT_EQ(read.Positions("U01").size(), 1u);
  EXPECT_TRUE(read.Orders("U01").empty());
  EXPECT_TRUE(read.RestingOrders().empty());
  EXPECT_EQ(read.FlowLength("U01"), 0);
  ASSERT_TRUE(read.FindStatement("U01", ""));
  EXPECT_EQ(read.FindStatement("U01", "")->text, text);
  EXPECT_EQ(read.FindStatement("U01", "20270104")->text, "first");
  EXPECT_FALSE(read.FindStatement("U01", "20270103"));
  EXPECT_FALSE(read.FindStatement("U02", ""));
}

INSTANTIATE_TEST_SUITE_P(
    Stores, EveryStore,
    testing::Values(StoreKind{"memory",
                              [](const std::string &) { return simtrader::MakeMemoryStore(); },
                              false},
                    StoreKind{"sqlite", simtrader::OpenSqliteStore, true}),
    [](const testing::TestParamInfo<StoreKind> &info) { return std::string(info.param.name); });

void RunSql(const std::string &path, const char *sql) {
  sqlite3 *db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

struct ForeignFile {
  const char *name;
  std::function<void(const std::string &path)> make;
  const char *message;
};

class NotOurStore : public testing::TestWithParam<ForeignFile> {};

TEST_P(NotOurStore, IsRefusedAndLeftAsItWas) {
  const std::string path = TempPath(std::string(GetParam().name) + ".db");
  GetParam().make(path);
  const std::string before = FileContent(path);
  try {
    simtrader::OpenSqliteStore(path);
    FAIL() << "opened";
  } catch (const std::invalid_argument &error) {
    EXPECT_NE(std::string(error.what()).find(GetParam().message), std::string::npos)
        << error.what();
  }
  EXPECT_EQ(FileContent(path), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, NotOurStore,
    testing::Values(
        ForeignFile{"other_application",
                    [](const std::string &path) { RunSql(path, "CREATE TABLE notes (text)"); },
                    "of another application"},
        ForeignFile{"later_version",
                    [](const std::string &path) {
                      simtrader::OpenSqliteStore(path);
                      RunSql(path, "PRAGMA user_version = 99");
                    },
                    "of version 99; this library keeps version 2"},
        ForeignFile{"records_kept_whole",
                    [](const std::string &path) {
                      simtrader::OpenSqliteStore(path);
                      RunSql(path, "PRAGMA user_version = 1");
                    },
                    "of version 1, which kept records whole; this library keeps version 2 "
                    "and does not convert it"},
        ForeignFile{"not_a_database",
                    [](const std::string &path) { std::ofstream(path) << std::string(4096, 'x'); },
                    "not an SQLite database"}),
    [](const testing::TestParamInfo<ForeignFile> &info) { return std::string(info.param.name); });

TEST(SqliteStore, ShowsOthersOnlyWhatWasCommitted) {
  const std::string path = TempPath("transaction.db");
  auto writer = simtrader::OpenSqliteStore(path);
  auto reader = simtrader::OpenSqliteStore(path);
  simtrader::Account account;
  account.investor = "U01";
  writer->Begin();
  writer->PutAccount(account);
  writer->AppendFlow("U01", FlowEntry{12, {}});
  EXPECT_FALSE(reader->FindAccount("U01"));
  EXPECT_EQ(reader->FlowLength("U01"), 0);
  writer->Commit();
  EXPECT_TRUE(reader->FindAccount("U01"));
  EXPECT_EQ(reader->FlowLength("U01"), 1);

  writer->Begin();
  writer->AppendFlow("U01", FlowEntry{12, {}});
  writer->Rollback();
  // A transaction never committed, as a killed process leaves it, is not in the file.
  writer->Begin();
  writer->AppendFlow("U01", FlowEntry{13, {}});
  writer.reset();
  EXPECT_EQ(simtrader::OpenSqliteStore(path)->FlowLength("U01"), 1);
}

// Each connection serves its reads from a copy of the file in memory, which must stay what
// the file holds: after another connection's commits, after a rollback, and across a reopen
// of a position whose oldest lot was closed (only changed rows are written).
TEST(SqliteStore, ReadsWhatTheFileHoldsAfterOthersCommitAndAfterARollback) {
  const std::string path = TempPath("two-connections.db");
  auto first = simtrader::OpenSqliteStore(path);
  auto second = simtrader::OpenSqliteStore(path);
  simtrader::PositionLeg leg;
  leg.instrument = "rb2705";
  leg.lots = {{"      000001", "20270101", 3200, 3200, 1},
              {"      000002", "20270101", 3201, 3201, 1}};
  first->Begin();
  const long long first_seq = first->Next(Counter::BrokerOrderSeq);
  first->PutOrder(OrderOf("U01", 1, "1", "000001", THOST_FTDC_OST_NoTradeQueueing));
  first->AppendFlow("U01", FlowEntry{12, {}});
  first->PutPositions("U01", {leg});
  first->Commit();

  second->Begin();
  const long long second_seq = second->Next(Counter::BrokerOrderSeq);
  EXPECT_GT(second_seq, first_seq);
  EXPECT_EQ(second->AppendFlow("U01", FlowEntry{12, {}}), 2);
  EXPECT_EQ(second->RestingOrders().size(), 1u);
  leg.lots.erase(leg.lots.begin());
  second->PutPositions("U01", {leg});
  second->Commit();

  first->Begin();
  EXPECT_GT(first->Next(Counter::BrokerOrderSeq), second_seq);
  first->PutOrder(OrderOf("U01", 1, "1", "000001", THOST_FTDC_OST_AllTraded));
  EXPECT_EQ(first->AppendFlow("U01", FlowEntry{12, {}}), 3);
  first->PutPositions("U01", {});
  first->Rollback();
  EXPECT_EQ(first->FlowLength("U01"), 2);
  EXPECT_EQ(first->RestingOrders().size(), 1u);
  first->Begin();
  EXPECT_GT(first->Next(Counter::BrokerOrderSeq), second_seq);
  first->Commit();

  first.reset();
  second.reset();
  const auto legs = simtrader::OpenSqliteStore(path)->Positions("U01");
  ASSERT_EQ(legs.size(), 1u);
  ASSERT_EQ(legs[0].lots.size(), 1u);
  EXPECT_EQ(legs[0].lots[0].trade_id, "      000002");
}

// The file keeps counters a block ahead: a store opened again, or loaded again after a
// rollback, never hands out a number again, within a block or past one.
TEST(SqliteStore, NeverHandsOutANumberTwice) {
  const std::string path = TempPath("counters.db");
  long long last = 0;
  for (int opening = 0; opening < 3; ++opening) {
    auto store = simtrader::OpenSqliteStore(path);
    for (int request = 0; request < 130; ++request) {
      store->Begin();
      const long long number = store->Next(Counter::TradeID);
      EXPECT_GT(number, last);
      last = number;
      if (request % 50 == 49) {
        store->PutTradingDay("20270104");
        store->Rollback();
      } else {
        store->Commit();
      }
    }
  }
}

std::vector<unsigned char> BytesOf(const void *record, std::size_t size) {
  const auto *bytes = static_cast<const unsigned char *>(record);
  return std::vector<unsigned char>(bytes, bytes + size);
}

// What a request costs is the pages it writes to the log, each a kilobyte: an order that
// fills (its states, its trade, its flow events, its position, its numbers) is kept within a
// few pages, in a day that already holds many such orders.
TEST(SqliteStore, KeepsAFilledOrderWithinAFewPagesOfLog) {
  const std::string path = TempPath("pages.db");
  auto store = simtrader::OpenSqliteStore(path);
  simtrader::PositionLeg leg;
  leg.instrument = "rb2705";
  auto fill = [&](int index) {
    store->Begin();
    const int seq = static_cast<int>(store->Next(Counter::BrokerOrderSeq));
    auto order = OrderOf("U01", seq, std::to_string(seq), "", THOST_FTDC_OST_Unknown);
    order.OrderLocalID[0] = static_cast<char>('0' + index % 10);
    store->PutOrder(order);
    store->AppendFlow("U01", FlowEntry{1, {BytesOf(&order, sizeof order)}});
    SetText(order.OrderSysID, std::to_string(store->Next(Counter::OrderSysID)));
    order.OrderStatus = THOST_FTDC_OST_NoTradeQueueing;
    store->PutOrder(order);
    store->AppendFlow("U01", FlowEntry{1, {BytesOf(&order, sizeof order)}});
    CThostFtdcTradeField trade{};
    SetText(trade.InvestorID, "U01");
    SetText(trade.TradeID, std::to_string(store->Next(Counter::TradeID)));
    trade.Price = 3200 + index % 7;
    store->AddTrade(trade);
    order.OrderStatus = THOST_FTDC_OST_AllTraded;
    store->PutOrder(order);
    store->AppendFlow("U01", FlowEntry{1, {BytesOf(&order, sizeof order)}});
    store->AppendFlow("U01", FlowEntry{2, {BytesOf(&trade, sizeof trade)}});
    // Orders open and close in turn.
    if (index % 2 == 0) {
      leg.lots.push_back({TextOf(trade.TradeID), "20270104", trade.Price, trade.Price, 1});
      leg.open_volume += 1;
    } else {
      leg.lots.erase(leg.lots.begin());
      leg.close_volume += 1;
    }
    store->PutPositions("U01", {leg});
    store->Commit();
  };
  constexpr int kEarlier = 300, kMeasured = 200;
  for (int index = 0; index < kEarlier; ++index) fill(index);
  struct stat before {};
  ASSERT_EQ(stat((path + "-wal").c_str(), &before), 0);
  for (int index = kEarlier; index < kEarlier + kMeasured; ++index) fill(index);
  struct stat after {};
  ASSERT_EQ(stat((path + "-wal").c_str(), &after), 0);
  // Each page in the log carries a 24-byte header.
  const double pages = static_cast<double>(after.st_size - before.st_size) / (1024 + 24);
  EXPECT_LE(pages / kMeasured, 5.0) << pages / kMeasured << " pages a request";
}

// Hands every call on to the store it wraps.
class ForwardingStore : public BrokerStore {
 public:
  explicit ForwardingStore(std::unique_ptr<BrokerStore> inner) : inner_(std::move(inner)) {}
  std::optional<simtrader::Account> FindAccount(const std::string &investor) const override {
    return inner_->FindAccount(investor);
  }
  void PutAccount(const simtrader::Account &account) override { inner_->PutAccount(account); }
  std::vector<simtrader::PositionLeg> Positions(const std::string &investor) const override {
    return inner_->Positions(investor);
  }
  void PutPositions(const std::string &investor,
                    const std::vector<simtrader::PositionLeg> &legs) override {
    inner_->PutPositions(investor, legs);
  }
  void PutOrder(const CThostFtdcOrderField &order) override { inner_->PutOrder(order); }
  std::optional<CThostFtdcOrderField> FindOrderByRef(int front_id, int session_id,
                                                     const std::string &ref) const override {
    return inner_->FindOrderByRef(front_id, session_id, ref);
  }
  std::optional<CThostFtdcOrderField> FindOrderBySysID(const std::string &exchange,
                                                       const std::string &id) const override {
    return inner_->FindOrderBySysID(exchange, id);
  }
  std::vector<CThostFtdcOrderField> Orders(const std::string &investor) const override {
    return inner_->Orders(investor);
  }
  std::vector<CThostFtdcOrderField> RestingOrders() const override {
    return inner_->RestingOrders();
  }
  void AddTrade(const CThostFtdcTradeField &trade) override { inner_->AddTrade(trade); }
  std::vector<CThostFtdcTradeField> Trades(const std::string &investor) const override {
    return inner_->Trades(investor);
  }
  long long AppendFlow(const std::string &investor, const FlowEntry &entry) override {
    return inner_->AppendFlow(investor, entry);
  }
  std::vector<FlowEntry> Flow(const std::string &investor, long long after) const override {
    return inner_->Flow(investor, after);
  }
  long long FlowLength(const std::string &investor) const override {
    return inner_->FlowLength(investor);
  }
  std::string TradingDay() const override { return inner_->TradingDay(); }
  void PutTradingDay(const std::string &day) override { inner_->PutTradingDay(day); }
  std::vector<simtrader::Account> Accounts() const override { return inner_->Accounts(); }
  void StartTradingDay(const std::string &day) override { inner_->StartTradingDay(day); }
  void PutStatement(const std::string &investor, const simtrader::Statement &statement) override {
    inner_->PutStatement(investor, statement);
  }
  std::optional<simtrader::Statement> FindStatement(const std::string &investor,
                                                    const std::string &day) const override {
    return inner_->FindStatement(investor, day);
  }
  long long Next(Counter counter) override { return inner_->Next(counter); }
  void Begin() override { inner_->Begin(); }
  void Commit() override { inner_->Commit(); }
  void Rollback() override { inner_->Rollback(); }
  void Savepoint() override { inner_->Savepoint(); }
  void ReleaseSavepoint() override { inner_->ReleaseSavepoint(); }
  void RollbackToSavepoint() override { inner_->RollbackToSavepoint(); }

 private:
  const std::unique_ptr<BrokerStore> inner_;
};

// A store that tells whether a transaction is open, over the memory store.
class WatchedStore final : public ForwardingStore {
 public:
  explicit WatchedStore(bool *open) : ForwardingStore(simtrader::MakeMemoryStore()), open_(open) {}
  void Begin() override { *open_ = true; }
  void Commit() override { *open_ = false; }

 private:
  bool *const open_;
};

// Records whether the store's transaction was open as each event was sent.
class WatchingMailbox final : public simtrader::ApiMailbox {
 public:
  explicit WatchingMailbox(const bool *open) : open_(open) {}
  bool Post(Work) override {
    sent_while_open_.push_back(*open_);
    return true;
  }
  bool released() const override { return false; }
  std::vector<bool> sent_while_open_;

 private:
  const bool *const open_;
};

// Each request alone, or the requests of a batch together.
class AnsweredAfterCommit : public testing::TestWithParam<bool> {};

TEST_P(AnsweredAfterCommit, EachRequestOnceItsEffectsAreCommitted) {
  const bool batched = GetParam();
  bool open = false;
  auto broker = simtest::MakeBroker("", std::make_unique<WatchedStore>(&open));
  simtest::BrokerClient client(broker);
  client.LogIn("U01");
  auto mailbox = std::make_shared<WatchingMailbox>(&open);
  auto link = std::make_shared<simtrader::ClientLink>(mailbox, simtrader::FlowSubscription{},
                                                      simtrader::FlowSubscription{});
  CThostFtdcReqAuthenticateField authenticate{};
  SetText(authenticate.UserID, "U01");
  broker->Authenticate(link, authenticate, 1);
  CThostFtdcReqUserLoginField login{};
  SetText(login.UserID, "U01");
  SetText(login.Password, "pw");
  broker->Login(link, login, 2);
  broker->ConfirmSettlement(link, CThostFtdcSettlementInfoConfirmField{}, 3);
  {
    std::optional<simtrader::Broker::Batch> batch;
    if (batched) batch.emplace(*broker);
    // Orders that fill: their answers go to both connections of the investor.
    client.Order("rb2705", THOST_FTDC_D_Buy, THOST_FTDC_OF_Open, 3201, 1);
    client.Order("rb2705", THOST_FTDC_D_Buy, THOST_FTDC_OF_Open, 3201, 1);
    if (batched) {
      EXPECT_EQ(mailbox->sent_while_open_.size(), 3u) << "answered before the commit";
    }
  }
  EXPECT_EQ(mailbox->sent_while_open_.size(), 3u + 2 * 4u);
  EXPECT_EQ(mailbox->sent_while_open_, std::vector<bool>(mailbox->sent_while_open_.size(), false));
  broker->Disconnect(*link);
}

INSTANTIATE_TEST_SUITE_P(Broker, AnsweredAfterCommit, testing::Bool(),
                         [](const testing::TestParamInfo<bool> &info) {
                           return info.param ? "InABatch" : "Alone";
                         });

// Fails the trade of the `failing`th fill, half way through its order: its states, its flow
// events and its position are in the transaction already.
class FailingStore final : public ForwardingStore {
 public:
  FailingStore(std::unique_ptr<BrokerStore> inner, int failing)
      : ForwardingStore(std::move(inner)), failing_(failing) {}
  void AddTrade(const CThostFtdcTradeField &trade) override {
    if (++trades_ == failing_) throw std::runtime_error("the disk is full");
    ForwardingStore::AddTrade(trade);
  }

 private:
  const int failing_;
  int trades_ = 0;
};

TEST(Broker, ForgetsARequestThatFailsInABatchAndKeepsItsNeighbours) {
  const std::string path = TempPath("batch.db");
  auto broker =
      simtest::MakeBroker("", std::make_unique<FailingStore>(simtrader::OpenSqliteStore(path), 2));
  simtest::BrokerClient client(broker);
  client.LogIn("U01");
  {
    simtrader::Broker::Batch batch(*broker);
    client.Order("rb2705", THOST_FTDC_D_Buy, THOST_FTDC_OF_Open, 3201, 1);
    EXPECT_THROW(client.Order("rb2705", THOST_FTDC_D_Buy, THOST_FTDC_OF_Open, 3201, 1),
                 std::runtime_error);
    client.Order("rb2705", THOST_FTDC_D_Buy, THOST_FTDC_OF_Open, 3201, 1);
    EXPECT_TRUE(client.Take().empty()) << "answered before the commit";
  }
  const std::vector<simtest::BrokerEvent> events = client.Take();
  const std::vector<std::string> filled = {"OnRtnOrder", "OnRtnOrder", "OnRtnOrder", "OnRtnTrade"};
  std::vector<std::string> expected = filled;
  expected.insert(expected.end(), filled.begin(), filled.end());
  EXPECT_EQ(simtest::Names(events), expected);
  std::vector<std::string> refs;
  for (std::size_t index = 0; index < events.size(); ++index) {
    // The failed order's flow numbers went with it.
    EXPECT_EQ(events[index].args.flow_number, static_cast<long long>(index + 1));
    if (index % 4 == 0) refs.push_back(TextOf(events[index].As<CThostFtdcOrderField>().OrderRef));
  }
  EXPECT_EQ(refs, (std::vector<std::string>{"1", "3"}));
  // The broker's copy of its state and the file agree: two lots, two orders, two trades.
  const auto positions = client.Positions();
  ASSERT_EQ(positions.size(), 1u);
  EXPECT_EQ(positions[0].Position, 2);
  auto reread = simtrader::OpenSqliteStore(path);
  EXPECT_EQ(reread->Orders("U01").size(), 2u);
  EXPECT_EQ(reread->Trades("U01").size(), 2u);
  EXPECT_EQ(reread->FlowLength("U01"), 8);
  ASSERT_EQ(reread->Positions("U01").size(), 1u);
  EXPECT_EQ(reread->Positions("U01")[0].Volume(), 2);
}

// ----- the flows after a login -----------------------------------------------------------------

class FlowAfterLogin : public testing::Test {
 protected:
  void SetUp() override {
    directory_ = TempPath("flow") + "/";
    ASSERT_EQ(mkdir(directory_.c_str(), 0755), 0);
  }
  void TearDown() override {
    std::remove((directory_ + "Private.con").c_str());
    std::remove((directory_ + "Public.con").c_str());
    rmdir(directory_.c_str());
  }

  simtrader::FlowSubscription Subscribed(THOST_TE_RESUME_TYPE resume, simtrader::FlowTopic topic) {
    return {resume, std::make_shared<simtrader::FlowMark>(directory_, topic)};
  }

  // What a login answers, and what follows it.
  static std::vector<simtest::BrokerEvent> LoginEvents(simtest::BrokerClient &client) {
    client.Authenticate("U01");
    CThostFtdcReqUserLoginField request{};
    SetText(request.UserID, "U01");
    SetText(request.Password, "pw");
    client.broker().Login(client.link(), request, 1);
    return client.Take();
  }

  // Logs in a client of the flow directory; returns the private flow's numbers it received.
  std::vector<long long> PrivateFlowAtLogin(THOST_TE_RESUME_TYPE resume) {
    simtest::BrokerClient client(broker_, Subscribed(resume, simtrader::FlowTopic::Private),
                                 simtrader::FlowSubscription{THOST_TERT_NONE, nullptr});
    std::vector<long long> numbers;
    for (const simtest::BrokerEvent &event : LoginEvents(client)) {
      if (event.args.flow_number != 0) numbers.push_back(event.args.flow_number);
    }
    return numbers;
  }

  // Places an order that fills at once: four events of the private flow.
  void Trade() {
    simtest::BrokerClient client(broker_);
    client.LogIn("U01");
    client.Order("rb2705", THOST_FTDC_D_Buy, THOST_FTDC_OF_Open, 3201, 1);
  }

  std::string directory_;
  std::shared_ptr<simtrader::Broker> broker_ = simtest::MakeBroker();
};

TEST_F(FlowAfterLogin, GivesWhatEachResumeTypePromises) {
  Trade();
  const std::vector<long long> day = {1, 2, 3, 4};
  EXPECT_EQ(PrivateFlowAtLogin(THOST_TERT_QUICK), std::vector<long long>{});
  EXPECT_EQ(PrivateFlowAtLogin(THOST_TERT_NONE), std::vector<long long>{});
  // Nothing received yet: RESUME starts from the beginning, and marks what it delivered.
  EXPECT_EQ(PrivateFlowAtLogin(THOST_TERT_RESUME), day);
  EXPECT_EQ(PrivateFlowAtLogin(THOST_TERT_RESUME), std::vector<long long>{});
  Trade();
  EXPECT_EQ(PrivateFlowAtLogin(THOST_TERT_RESUME), (std::vector<long long>{5, 6, 7, 8}));
  EXPECT_EQ(PrivateFlowAtLogin(THOST_TERT_RESTART).size(), 8u);
}

TEST_F(FlowAfterLogin, ResumesFromTheStartWithAMarkNotOfThisFlow) {
  Trade();
  const std::string today = simtrader::LocalDate();
  for (const auto &[day, number] : {std::pair<std::string, long long>{"19990101", 2},
                                    std::pair<std::string, long long>{today, 99}}) {
    simtrader::FlowMark(directory_, simtrader::FlowTopic::Private).Delivered(day, number);
    EXPECT_EQ(PrivateFlowAtLogin(THOST_TERT_RESUME), (std::vector<long long>{1, 2, 3, 4}))
        << day << " " << number;
  }
}

TEST_F(FlowAfterLogin, OnlyAFlowSubscribedToIsSent) {
  simtest::BrokerClient unsubscribed(broker_, THOST_TERT_NONE);
  unsubscribed.LogIn("U01");
  simtest::BrokerClient subscribed(broker_,
                                   Subscribed(THOST_TERT_RESTART, simtrader::FlowTopic::Private),
                                   Subscribed(THOST_TERT_RESTART, simtrader::FlowTopic::Public));
  const auto statuses = simtest::Named(LoginEvents(subscribed), "OnRtnInstrumentStatus");
  EXPECT_EQ(statuses.size(), simtrader::DefaultCatalogue().size());
  Trade();
  EXPECT_TRUE(unsubscribed.Take().empty());
  EXPECT_EQ(subscribed.Take().size(), 4u);
}

}  // namespace
