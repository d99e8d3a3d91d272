// Records are kept as the vendor's structs in blobs beside the columns that identify them: the
// file belongs to the library that wrote it, as the vendor's flow files do. A day's records of
// one kind differ in a few words, so each is kept packed against the first record of its size
// the file was given, which is kept whole for good: an order's state costs some sixty bytes
// rather than the struct's 856.
// The store holds everything the file holds in memory as well, in a memory store, and serves
// every read from it: the file is only written, and only the rows a request changed. What a
// request costs is then mostly the pages it changes, each written to the log again at commit:
// the tables carry no index but their keys, and new files have small pages (1 KB), so that a
// row changed costs a kilobyte of log rather than four. What a day appends (orders, trades,
// flow events) goes to rowid tables in the order of their keys, which SQLite appends to
// their last page, where a table keyed otherwise would split pages in the middle and write
// several. The memory is loaded again from the file when another connection committed to
// it, and after a rollback.
// The file is in write-ahead-log mode with normal synchronisation: a committed transaction
// survives the process being killed; a power cut may lose those since the log was last folded
// into the file. A commit writes every page the transaction changed, so the requests an API
// object finds waiting together are one transaction, each request a savepoint within it: a
// request that fails is rolled back to its savepoint, its neighbours kept. Each request's
// rows are written when its savepoint is released, so that the mirror loaded again after a
// later request's failure holds them; the pages they share (the last of the flows, the
// orders, the position) go to the log once, at the commit.
#include "broker/sqlite_store.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <stdexcept>
#include <string_view>
#include <tuple>
#include <utility>

#include "broker/packed_record.h"
#include "broker/record_text.h"

namespace simtrader {

namespace {

class SqliteError : public std::runtime_error {
 public:
  SqliteError(sqlite3 *db, const std::string &doing)
      : std::runtime_error("the broker's store failed to " + doing + ": " +
                           (db ? sqlite3_errmsg(db) : "out of memory")),
        code(db ? sqlite3_errcode(db) : SQLITE_NOMEM) {}
  int code;
};

// One prepared statement, reset for each use.
class SqlStatement {
 public:
  SqlStatement(sqlite3 *db, const char *sql) : db_(db) {
    if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr) !=
        SQLITE_OK) {
      throw SqliteError(db, std::string("prepare \"") + sql + "\"");
    }
  }
  ~SqlStatement() { sqlite3_finalize(statement_); }
  SqlStatement(const SqlStatement &) = delete;
  SqlStatement &operator=(const SqlStatement &) = delete;

  // Binds the arguments in order, for a statement about to run.
  template <typename... Args>
  SqlStatement &With(const Args &...args) {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    int index = 0;
    (Bind(++index, args), ...);
    return *this;
  }

  // Steps to the next row; false when there is none.
  bool Next() {
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW) return true;
    if (result == SQLITE_DONE) return false;
    throw SqliteError(db_, std::string("run \"") + sqlite3_sql(statement_) + "\"");
  }

  void Run() {
    while (Next()) {
    }
  }

  // A statement left on a row holds its read transaction open, which would keep the reader
  // on an old snapshot and the log from being checkpointed: single-row reads end with this.
  void Finish() { sqlite3_reset(statement_); }

  long long Int(int column) const { return sqlite3_column_int64(statement_, column); }
  double Real(int column) const { return sqlite3_column_double(statement_, column); }
  bool IsNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }
  std::string Text(int column) const {
    const auto *text = sqlite3_column_text(statement_, column);
    return text ? std::string(reinterpret_cast<const char *>(text),
                              sqlite3_column_bytes(statement_, column))
                : std::string();
  }
  std::vector<unsigned char> Blob(int column) const {
    const auto *data = static_cast<const unsigned char *>(sqlite3_column_blob(statement_, column));
    return std::vector<unsigned char>(data, data + sqlite3_column_bytes(statement_, column));
  }
  const unsigned char *BlobData(int column) const {
    return static_cast<const unsigned char *>(sqlite3_column_blob(statement_, column));
  }
  std::size_t BlobSize(int column) const {
    return static_cast<std::size_t>(sqlite3_column_bytes(statement_, column));
  }

 private:
  struct Bytes {
    const void *data;
    std::size_t size;
  };

  void Check(int result) {
    if (result != SQLITE_OK) throw SqliteError(db_, "bind a value");
  }
  void Bind(int index, long long value) { Check(sqlite3_bind_int64(statement_, index, value)); }
  void Bind(int index, int value) { Check(sqlite3_bind_int64(statement_, index, value)); }
  void Bind(int index, bool value) { Check(sqlite3_bind_int64(statement_, index, value)); }
  void Bind(int index, double value) { Check(sqlite3_bind_double(statement_, index, value)); }
  void Bind(int index, const std::string &value) {
    Check(sqlite3_bind_text(statement_, index, value.data(), static_cast<int>(value.size()),
                            SQLITE_TRANSIENT));
  }
  void Bind(int index, const Bytes &value) {
    Check(value.data == nullptr
              ? sqlite3_bind_null(statement_, index)
              : sqlite3_bind_blob(statement_, index, value.data, static_cast<int>(value.size),
                                  SQLITE_TRANSIENT));
  }

 public:
  static Bytes Whole(const std::vector<unsigned char> &bytes) {
    // An empty record (a null pointer) is kept as an empty blob, not as NULL.
    static const unsigned char kNothing = 0;
    return Bytes{bytes.empty() ? &kNothing : bytes.data(), bytes.size()};
  }
  static Bytes Null() { return Bytes{nullptr, 0}; }

 private:
  sqlite3 *const db_;
  sqlite3_stmt *statement_ = nullptr;
};

void Execute(sqlite3 *db, const char *sql) {
  if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
    throw SqliteError(db, std::string("run \"") + sql + "\"");
  }
}

long long Pragma(sqlite3 *db, const char *name) {
  SqlStatement pragma(db, (std::string("PRAGMA ") + name).c_str());
  const long long value = pragma.With().Next() ? pragma.Int(0) : 0;
  pragma.Finish();
  return value;
}

constexpr const char kSchema[] = R"sql(
CREATE TABLE accounts (
  investor TEXT PRIMARY KEY, password TEXT NOT NULL, app_id TEXT NOT NULL,
  auth_code TEXT NOT NULL, pre_balance REAL NOT NULL, deposit REAL NOT NULL,
  withdraw REAL NOT NULL, confirmed_day TEXT NOT NULL, confirmed_time TEXT NOT NULL);
CREATE TABLE position_legs (
  investor TEXT NOT NULL, leg INTEGER NOT NULL, instrument TEXT NOT NULL,
  side INTEGER NOT NULL, today INTEGER NOT NULL, start_volume INTEGER NOT NULL,
  open_volume INTEGER NOT NULL, close_volume INTEGER NOT NULL, open_amount REAL NOT NULL,
  close_amount REAL NOT NULL, close_profit REAL NOT NULL,
  close_profit_by_trade REAL NOT NULL, commission REAL NOT NULL, lots INTEGER NOT NULL,
  lot_records BLOB NOT NULL, PRIMARY KEY (investor, leg)) WITHOUT ROWID;
CREATE TABLE bases (size INTEGER PRIMARY KEY, record BLOB NOT NULL);
CREATE TABLE orders (
  broker_order_seq INTEGER PRIMARY KEY, investor TEXT NOT NULL, record BLOB NOT NULL);
CREATE TABLE trades (investor TEXT NOT NULL, record BLOB NOT NULL);
CREATE TABLE flows (
  investor TEXT NOT NULL, number INTEGER NOT NULL, event INTEGER NOT NULL,
  request_id INTEGER NOT NULL, is_last INTEGER NOT NULL, size INTEGER NOT NULL,
  record BLOB NOT NULL, rsp_info BLOB);
CREATE TABLE counters (counter INTEGER PRIMARY KEY, value INTEGER NOT NULL);
CREATE TABLE settings (name TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE statements (
  investor TEXT NOT NULL, trading_day TEXT NOT NULL, text BLOB NOT NULL,
  PRIMARY KEY (investor, trading_day));
)sql";

// Marks a new file as ours, or checks that an existing one is, before anything is written.
void AdoptFile(sqlite3 *db, const std::string &path) {
  long long application_id = 0;
  long long tables = 0;
  try {
    application_id = Pragma(db, "application_id");
    SqlStatement count(db, "SELECT count(*) FROM sqlite_master");
    tables = count.With().Next() ? count.Int(0) : 0;
  } catch (const SqliteError &error) {
    if (error.code == SQLITE_NOTADB) {
      throw std::invalid_argument("'" + path + "' is not a broker store: not an SQLite database");
    }
    throw;
  }
  if (application_id == 0 && tables == 0) {
    Execute(db, "PRAGMA page_size = 1024");
    Execute(db, "BEGIN IMMEDIATE");
    Execute(db, kSchema);
    Execute(db, ("PRAGMA application_id = " + std::to_string(kStoreApplicationID)).c_str());
    Execute(db, ("PRAGMA user_version = " + std::to_string(kStoreSchemaVersion)).c_str());
    Execute(db, "COMMIT");
    return;
  }
  if (application_id != kStoreApplicationID) {
    throw std::invalid_argument("'" + path +
                                "' is not a broker store: an SQLite database of another "
                                "application");
  }
  const long long version = Pragma(db, "user_version");
  if (version > 0 && version < kStoreSchemaVersion) {
    throw std::invalid_argument(
        "'" + path + "' is a broker store of version " + std::to_string(version) +
        ", which kept records whole; this library keeps version " +
        std::to_string(kStoreSchemaVersion) +
        " and does not convert it: finish its day with the library that wrote it, or move "
        "the file aside to start a new store");
  }
  if (version != kStoreSchemaVersion) {
    throw std::invalid_argument("'" + path + "' is a broker store of version " +
                                std::to_string(version) + "; this library keeps version " +
                                std::to_string(kStoreSchemaVersion));
  }
}

bool SameLot(const Lot &a, const Lot &b) {
  return std::tie(a.trade_id, a.open_date, a.open_price, a.basis_price, a.volume) ==
         std::tie(b.trade_id, b.open_date, b.open_price, b.basis_price, b.volume);
}

bool SameLeg(const PositionLeg &a, const PositionLeg &b) {
  return std::tie(a.instrument, a.side, a.today, a.start_volume, a.open_volume, a.close_volume,
                  a.open_amount, a.close_amount, a.close_profit, a.close_profit_by_trade,
                  a.commission) == std::tie(b.instrument, b.side, b.today, b.start_volume,
                                            b.open_volume, b.close_volume, b.open_amount,
                                            b.close_amount, b.close_profit, b.close_profit_by_trade,
                                            b.commission) &&
         std::equal(a.lots.begin(), a.lots.end(), b.lots.begin(), b.lots.end(), SameLot);
}

// A lot in fields of the sizes of the vendor's fields it comes from, so that a leg's lots are
// kept as one record in the leg's row, packed as the vendor's records are: a trade changes
// one row, one page of log, rather than rows of a table of legs and of one of lots.
struct LotRecord {
  TThostFtdcTradeIDType trade_id;
  TThostFtdcDateType open_date;
  double open_price;
  double basis_price;
  int volume;
};

std::vector<LotRecord> LotRecords(const std::vector<Lot> &lots) {
  std::vector<LotRecord> records(lots.size());
  // Zeroed padding and all, so that the record packs the same each time.
  if (!records.empty()) std::memset(records.data(), 0, records.size() * sizeof(LotRecord));
  for (std::size_t index = 0; index < lots.size(); ++index) {
    const Lot &lot = lots[index];
    LotRecord &record = records[index];
    SetText(record.trade_id, lot.trade_id);
    SetText(record.open_date, lot.open_date);
    record.open_price = lot.open_price;
    record.basis_price = lot.basis_price;
    record.volume = lot.volume;
  }
  return records;
}

bool SameAccount(const Account &a, const Account &b) {
  return std::tie(a.investor, a.password, a.app_id, a.auth_code, a.pre_balance, a.deposit,
                  a.withdraw, a.confirmed_day, a.confirmed_time) ==
         std::tie(b.investor, b.password, b.app_id, b.auth_code, b.pre_balance, b.deposit,
                  b.withdraw, b.confirmed_day, b.confirmed_time);
}

class SqliteStore final : public BrokerStore {
 public:
  explicit SqliteStore(sqlite3 *db)
      : db_(db),
        put_account_(db, "INSERT OR REPLACE INTO accounts VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        put_leg_(db,
                 "INSERT OR REPLACE INTO position_legs VALUES "
                 "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        delete_legs_from_(db, "DELETE FROM position_legs WHERE investor = ? AND leg >= ?"),
        put_order_(db, "INSERT OR REPLACE INTO orders VALUES (?, ?, ?)"),
        add_trade_(db, "INSERT INTO trades VALUES (?, ?)"),
        append_flow_(db, "INSERT INTO flows VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
        put_counter_(db, "INSERT OR REPLACE INTO counters VALUES (?, ?)"),
        put_setting_(db, "INSERT OR REPLACE INTO settings VALUES (?, ?)"),
        put_statement_(db, "INSERT OR REPLACE INTO statements VALUES (?, ?, ?)"),
        put_base_(db, "INSERT INTO bases VALUES (?, ?)"),
        data_version_(db, "PRAGMA data_version"),
        begin_(db, "BEGIN IMMEDIATE"),
        commit_(db, "COMMIT"),
        rollback_(db, "ROLLBACK"),
        savepoint_(db, "SAVEPOINT request"),
        release_(db, "RELEASE request"),
        rollback_to_(db, "ROLLBACK TO request") {
    Load();
  }

  std::optional<Account> FindAccount(const std::string &investor) const override {
    return Mirror().FindAccount(investor);
  }

  void PutAccount(const Account &account) override {
    const std::optional<Account> kept = Mirror().FindAccount(account.investor);
    if (kept && SameAccount(*kept, account)) return;
    mirror_->PutAccount(account);
    Writing([&] {
      put_account_
          .With(account.investor, account.password, account.app_id, account.auth_code,
                account.pre_balance, account.deposit, account.withdraw, account.confirmed_day,
                account.confirmed_time)
          .Run();
    });
  }

  std::vector<Account> Accounts() const override { return Mirror().Accounts(); }

  std::vector<PositionLeg> Positions(const std::string &investor) const override {
    return Mirror().Positions(investor);
  }

  // Only the legs that changed are written: a trade changes one leg of many.
  void PutPositions(const std::string &investor, const std::vector<PositionLeg> &legs) override {
    const std::vector<PositionLeg> kept = Mirror().Positions(investor);
    mirror_->PutPositions(investor, legs);
    Writing([&] { WritePositions(investor, kept, legs); });
  }

  void PutOrder(const CThostFtdcOrderField &order) override {
    Mirror();
    mirror_->PutOrder(order);
    if (in_transaction_) {
      unwritten_orders_[order.BrokerOrderSeq] = order;
      changed_ = true;
    } else {
      Writing([&] { WriteOrder(order); });
    }
  }

  std::optional<CThostFtdcOrderField> FindOrderByRef(int front_id, int session_id,
                                                     const std::string &order_ref) const override {
    return Mirror().FindOrderByRef(front_id, session_id, order_ref);
  }

  std::optional<CThostFtdcOrderField> FindOrderBySysID(
      const std::string &exchange, const std::string &order_sys_id) const override {
    return Mirror().FindOrderBySysID(exchange, order_sys_id);
  }

  std::vector<CThostFtdcOrderField> Orders(const std::string &investor) const override {
    return Mirror().Orders(investor);
  }

  std::vector<CThostFtdcOrderField> RestingOrders() const override {
    return Mirror().RestingOrders();
  }

  void AddTrade(const CThostFtdcTradeField &trade) override {
    Mirror();
    mirror_->AddTrade(trade);
    Writing([&] {
      const std::vector<unsigned char> record = Packed(&trade, sizeof trade);
      add_trade_.With(TextOf(trade.InvestorID), SqlStatement::Whole(record)).Run();
    });
  }

  std::vector<CThostFtdcTradeField> Trades(const std::string &investor) const override {
    return Mirror().Trades(investor);
  }

  long long AppendFlow(const std::string &investor, const FlowEntry &entry) override {
    Mirror();
    const long long number = mirror_->AppendFlow(investor, entry);
    Writing([&] { WriteFlowEntry(investor, number, entry); });
    return number;
  }

  std::vector<FlowEntry> Flow(const std::string &investor, long long after) const override {
    return Mirror().Flow(investor, after);
  }

  long long FlowLength(const std::string &investor) const override {
    return Mirror().FlowLength(investor);
  }

  std::string TradingDay() const override { return Mirror().TradingDay(); }

  void PutTradingDay(const std::string &day) override {
    Mirror();
    mirror_->PutTradingDay(day);
    Writing([&] { put_setting_.With(std::string("trading_day"), day).Run(); });
  }

  // The ended day's orders, trades and flows go; accounts, positions, statements and the
  // counters carry on.
  void StartTradingDay(const std::string &trading_day) override {
    Mirror();
    mirror_->StartTradingDay(trading_day);
    unwritten_orders_.clear();
    Writing(
        [&] { Execute(db_.get(), "DELETE FROM orders; DELETE FROM trades; DELETE FROM flows;"); });
  }

  void PutStatement(const std::string &investor, const Statement &statement) override {
    Mirror();
    mirror_->PutStatement(investor, statement);
    Writing([&] {
      const std::vector<unsigned char> text(statement.text.begin(), statement.text.end());
      put_statement_.With(investor, statement.trading_day, SqlStatement::Whole(text)).Run();
    });
  }

  std::optional<Statement> FindStatement(const std::string &investor,
                                         const std::string &trading_day) const override {
    return Mirror().FindStatement(investor, trading_day);
  }

  // The file keeps the end of a block of numbers handed out from memory, moved a block on
  // when a number passes it, so that few requests write a counter. A store opened again
  // carries on after the kept end: numbers skip then, but never repeat, and each is greater
  // than the last, all that the session, order and trade numbers need. Within a transaction
  // the end is written once, when it commits or the request's savepoint is released.
  long long Next(Counter counter) override {
    Mirror();
    const long long value = ++counters_[counter];
    long long &reserved = reserved_[counter];
    if (value <= reserved) return value;
    reserved = value + kCounterBlock - 1;
    if (in_transaction_) {
      unwritten_counters_.insert(counter);
      changed_ = true;
    } else {
      Writing([&] { WriteCounter(counter); });
    }
    return value;
  }

  void Begin() override {
    begin_.With().Run();
    in_transaction_ = true;
    // Holding the write lock now, the file cannot change under the mirror until Commit.
    try {
      Refresh();
    } catch (...) {
      Rollback();
      throw;
    }
  }

  void Commit() override {
    try {
      WriteUnwritten();
      commit_.With().Run();
    } catch (...) {
      // What the mirror holds was not kept: it goes with the transaction.
      Rollback();
      throw;
    }
    in_transaction_ = false;
    changed_ = false;
  }

  void Savepoint() override { savepoint_.With().Run(); }

  // The rows held back are written now: a later request of the transaction that fails is
  // undone by loading the mirror again from the file, which must hold this one's.
  void ReleaseSavepoint() override {
    WriteUnwritten();
    release_.With().Run();
  }

  void RollbackToSavepoint() override {
    try {
      unwritten_orders_.clear();
      unwritten_counters_.clear();
      rollback_to_.With().Run();
      release_.With().Run();
      // Read within the transaction: what its earlier requests kept, without this one.
      if (changed_) Load();
    } catch (...) {
      Rollback();
      throw;
    }
  }

  // Rare (a request that failed half way): the mirror is loaded again from what the file
  // kept, rather than every change keeping its undo.
  void Rollback() override {
    in_transaction_ = false;
    unwritten_orders_.clear();
    unwritten_counters_.clear();
    if (!sqlite3_get_autocommit(db_.get())) rollback_.With().Run();
    // A request refused before it changed anything leaves the mirror as the file is.
    if (changed_) Load();
    changed_ = false;
  }

 private:
  // The state as the file holds it. Outside a transaction another connection may have
  // committed to the file since it was loaded; within one, this connection holds the write
  // lock and the file cannot change.
  const BrokerStore &Mirror() const {
    if (!in_transaction_) Refresh();
    return *mirror_;
  }

  void Refresh() const {
    if (DataVersion() != loaded_version_) Load();
  }

  long long DataVersion() const {
    SqlStatement &row = data_version_.With();
    const long long version = row.Next() ? row.Int(0) : 0;
    row.Finish();
    return version;
  }

  // A write outside a transaction that fails leaves the mirror ahead of the file.
  template <typename Write>
  void Writing(const Write &write) {
    if (in_transaction_) {
      changed_ = true;
      write();
      return;
    }
    try {
      write();
    } catch (...) {
      Load();
      throw;
    }
  }

  // Logically const: the mirror is what the file holds, loaded again when that changed.
  void Load() const {
    auto mirror = MakeMemoryStore();
    std::map<std::size_t, std::vector<unsigned char>> bases;
    std::map<Counter, long long> counters;
    // Read as one snapshot, when no transaction is open already.
    const bool own_read = sqlite3_get_autocommit(db_.get()) != 0;
    if (own_read) Execute(db_.get(), "BEGIN");
    try {
      const long long version = DataVersion();
      bases_.clear();
      for (SqlStatement rows(db_.get(), "SELECT size, record FROM bases"); rows.Next();) {
        std::vector<unsigned char> base = rows.Blob(1);
        if (base.size() != static_cast<std::size_t>(rows.Int(0))) throw Damaged();
        bases_.emplace(base.size(), std::move(base));
      }
      for (SqlStatement rows(db_.get(),
                             "SELECT investor, password, app_id, auth_code, pre_balance, "
                             "deposit, withdraw, confirmed_day, confirmed_time FROM accounts");
           rows.Next();) {
        mirror->PutAccount(Account{rows.Text(0), rows.Text(1), rows.Text(2), rows.Text(3),
                                   rows.Real(4), rows.Real(5), rows.Real(6), rows.Text(7),
                                   rows.Text(8)});
      }
      std::map<std::string, std::vector<PositionLeg>> positions;
      for (SqlStatement rows(db_.get(),
                             "SELECT investor, leg, instrument, side, today, start_volume, "
                             "open_volume, close_volume, open_amount, close_amount, "
                             "close_profit, close_profit_by_trade, commission, lots, lot_records "
                             "FROM position_legs ORDER BY investor, leg");
           rows.Next();) {
        std::vector<PositionLeg> &legs = positions[rows.Text(0)];
        if (rows.Int(1) != static_cast<long long>(legs.size())) throw Damaged();
        PositionLeg &leg = legs.emplace_back();
        leg.instrument = rows.Text(2);
        leg.side = static_cast<Side>(rows.Int(3));
        leg.today = rows.Int(4) != 0;
        leg.start_volume = static_cast<int>(rows.Int(5));
        leg.open_volume = static_cast<int>(rows.Int(6));
        leg.close_volume = static_cast<int>(rows.Int(7));
        leg.open_amount = rows.Real(8);
        leg.close_amount = rows.Real(9);
        leg.close_profit = rows.Real(10);
        leg.close_profit_by_trade = rows.Real(11);
        leg.commission = rows.Real(12);
        const long long lots = rows.Int(13);
        // A packed record has a bit of mask for each of its words: a damaged count is
        // refused before it is allocated.
        if (lots < 0 ||
            static_cast<std::size_t>(lots) * sizeof(LotRecord) > rows.BlobSize(14) * 64) {
          throw Damaged();
        }
        std::vector<LotRecord> records(static_cast<std::size_t>(lots));
        if (!UnpackBytes(rows.BlobData(14), rows.BlobSize(14), records.data(),
                         records.size() * sizeof(LotRecord))) {
          throw Damaged();
        }
        for (const LotRecord &record : records) {
          leg.lots.push_back(Lot{TextOf(record.trade_id), TextOf(record.open_date),
                                 record.open_price, record.basis_price, record.volume});
        }
      }
      for (const auto &[investor, legs] : positions) mirror->PutPositions(investor, legs);
      for (SqlStatement rows(db_.get(), "SELECT record FROM orders ORDER BY broker_order_seq");
           rows.Next();) {
        mirror->PutOrder(RecordAt<CThostFtdcOrderField>(rows, 0));
      }
      for (SqlStatement rows(db_.get(), "SELECT record FROM trades ORDER BY rowid"); rows.Next();) {
        mirror->AddTrade(RecordAt<CThostFtdcTradeField>(rows, 0));
      }
      for (SqlStatement rows(db_.get(),
                             "SELECT investor, number, event, request_id, is_last, size, "
                             "record, rsp_info FROM flows ORDER BY rowid");
           rows.Next();) {
        FlowEntry entry;
        entry.event = static_cast<int>(rows.Int(2));
        entry.args.number = static_cast<int>(rows.Int(3));
        entry.args.is_last = rows.Int(4) != 0;
        entry.args.record.resize(static_cast<std::size_t>(rows.Int(5)));
        Unpack(rows, 6, entry.args.record.data(), entry.args.record.size());
        if (!rows.IsNull(7)) entry.args.rsp_info = RecordAt<CThostFtdcRspInfoField>(rows, 7);
        // Each flow is numbered from 1 without a gap, as the mirror numbers it.
        if (mirror->AppendFlow(rows.Text(0), entry) != rows.Int(1)) throw Damaged();
      }
      for (SqlStatement rows(db_.get(), "SELECT counter, value FROM counters"); rows.Next();) {
        counters[static_cast<Counter>(rows.Int(0))] = rows.Int(1);
      }
      for (SqlStatement rows(db_.get(), "SELECT value FROM settings WHERE name = 'trading_day'");
           rows.Next();) {
        mirror->PutTradingDay(rows.Text(0));
      }
      for (SqlStatement rows(db_.get(), "SELECT investor, trading_day, text FROM statements");
           rows.Next();) {
        const std::vector<unsigned char> text = rows.Blob(2);
        mirror->PutStatement(rows.Text(0),
                             Statement{rows.Text(1), std::string(text.begin(), text.end())});
      }
      if (own_read) Execute(db_.get(), "COMMIT");
      loaded_version_ = version;
    } catch (...) {
      if (own_read) sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
      // The mirror may hold what was rolled back: the next read or transaction loads again.
      loaded_version_ = -1;
      throw;
    }
    mirror_ = std::move(mirror);
    counters_ = counters;
    reserved_ = std::move(counters);
  }

  void WritePositions(const std::string &investor, const std::vector<PositionLeg> &kept,
                      const std::vector<PositionLeg> &legs) {
    for (std::size_t index = 0; index < legs.size(); ++index) {
      const PositionLeg &leg = legs[index];
      const PositionLeg *was = index < kept.size() ? &kept[index] : nullptr;
      if (was && SameLeg(*was, leg)) continue;
      const std::vector<LotRecord> lots = LotRecords(leg.lots);
      const std::vector<unsigned char> lot_records =
          PackedBytes(lots.data(), lots.size() * sizeof(LotRecord));
      put_leg_
          .With(investor, static_cast<long long>(index), leg.instrument, static_cast<int>(leg.side),
                leg.today, leg.start_volume, leg.open_volume, leg.close_volume, leg.open_amount,
                leg.close_amount, leg.close_profit, leg.close_profit_by_trade, leg.commission,
                static_cast<long long>(lots.size()), SqlStatement::Whole(lot_records))
          .Run();
    }
    if (kept.size() > legs.size()) {
      const auto first_gone = static_cast<long long>(legs.size());
      delete_legs_from_.With(investor, first_gone).Run();
    }
  }

  void WriteFlowEntry(const std::string &investor, long long number, const FlowEntry &entry) {
    const std::vector<unsigned char> &whole = entry.args.record;
    const std::vector<unsigned char> record = Packed(whole.data(), whole.size());
    const std::optional<CThostFtdcRspInfoField> &rsp_info = entry.args.rsp_info;
    const std::vector<unsigned char> info =
        rsp_info ? Packed(&*rsp_info, sizeof *rsp_info) : std::vector<unsigned char>();
    append_flow_
        .With(investor, number, entry.event, entry.args.number, entry.args.is_last,
              static_cast<long long>(whole.size()), SqlStatement::Whole(record),
              rsp_info ? SqlStatement::Whole(info) : SqlStatement::Null())
        .Run();
  }

  void WriteCounter(Counter counter) {
    put_counter_.With(static_cast<int>(counter), reserved_[counter]).Run();
  }

  void WriteUnwritten() {
    for (const auto &[seq, order] : unwritten_orders_) WriteOrder(order);
    unwritten_orders_.clear();
    for (Counter counter : unwritten_counters_) WriteCounter(counter);
    unwritten_counters_.clear();
  }

  void WriteOrder(const CThostFtdcOrderField &order) {
    const std::vector<unsigned char> record = Packed(&order, sizeof order);
    put_order_.With(order.BrokerOrderSeq, TextOf(order.InvestorID), SqlStatement::Whole(record))
        .Run();
  }

  struct Closer {
    void operator()(sqlite3 *db) const { sqlite3_close_v2(db); }
  };

  // The base records of `size` bytes are packed against: the first such record the file was
  // given, which `record` becomes when there is none yet.
  const std::vector<unsigned char> &BaseFor(std::size_t size, const void *record) {
    auto kept = bases_.find(size);
    if (kept != bases_.end()) return kept->second;
    const auto *bytes = static_cast<const unsigned char *>(record);
    std::vector<unsigned char> base(bytes, bytes + size);
    put_base_.With(static_cast<long long>(size), SqlStatement::Whole(base)).Run();
    return bases_.emplace(size, std::move(base)).first->second;
  }

  // An empty record (a null pointer) packs to nothing, and needs no base.
  std::vector<unsigned char> Packed(const void *record, std::size_t size) {
    if (size == 0) return {};
    return PackedBytes(record, size, BaseFor(size, record).data());
  }

  void Unpack(const SqlStatement &row, int column, void *out, std::size_t size) const {
    const unsigned char *base = nullptr;
    if (size != 0) {
      auto kept = bases_.find(size);
      if (kept == bases_.end()) throw Damaged();
      base = kept->second.data();
    }
    if (!UnpackBytes(row.BlobData(column), row.BlobSize(column), out, size, base)) {
      throw Damaged();
    }
  }

  template <typename Record>
  Record RecordAt(const SqlStatement &row, int column) const {
    Record record{};
    Unpack(row, column, &record, sizeof record);
    return record;
  }

  static std::runtime_error Damaged() {
    return std::runtime_error(
        "the broker's store holds a record it cannot read: the file is "
        "damaged, or of another build of the vendor's structs");
  }

  // Declared first, so that it closes after every statement is finalised.
  const std::unique_ptr<sqlite3, Closer> db_;
  SqlStatement put_account_, put_leg_, delete_legs_from_, put_order_, add_trade_, append_flow_,
      put_counter_, put_setting_, put_statement_, put_base_;
  // Reading steps a statement, which SQLite does not count as a change.
  mutable SqlStatement data_version_;
  SqlStatement begin_, commit_, rollback_, savepoint_, release_, rollback_to_;
  bool in_transaction_ = false;
  // Whether the open transaction changed the mirror.
  bool changed_ = false;
  // Everything the file holds, which serves every read: the file is only written. Loaded
  // when the store opens, and again after a rollback or another connection's commit.
  mutable std::unique_ptr<BrokerStore> mirror_;
  mutable long long loaded_version_ = -1;
  // By counter: the last number handed out, and the end of its block the file keeps.
  mutable std::map<Counter, long long> counters_;
  mutable std::map<Counter, long long> reserved_;
  static constexpr long long kCounterBlock = 100;
  // By size: bases never change once put.
  mutable std::map<std::size_t, std::vector<unsigned char>> bases_;
  // By BrokerOrderSeq: each order's last state put in the transaction, written when it
  // commits or its request's savepoint is released; an order's states within one request
  // cost one row.
  std::map<int, CThostFtdcOrderField> unwritten_orders_;
  std::set<Counter> unwritten_counters_;
};

}  // namespace

std::unique_ptr<BrokerStore> OpenSqliteStore(const std::string &path) {
  sqlite3 *db = nullptr;
  const int opened =
      sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  std::unique_ptr<sqlite3, decltype(&sqlite3_close_v2)> owner(db, &sqlite3_close_v2);
  if (opened != SQLITE_OK) {
    throw std::invalid_argument("cannot open the broker store '" + path +
                                "': " + (db ? sqlite3_errmsg(db) : "out of memory"));
  }
  sqlite3_busy_timeout(db, 5000);
  AdoptFile(db, path);
  Execute(db, "PRAGMA journal_mode = WAL");
  Execute(db, "PRAGMA synchronous = NORMAL");
  // Folding the log into the file is when the disk is synchronised, twice, which on a busy
  // disk costs more than the requests between: it waits for 10,000 pages of log,
  // a thousand requests or so (10 MB of 1 KB pages, 40 MB in a file made with 4 KB ones).
  Execute(db, "PRAGMA wal_autocheckpoint = 10000");
  // Files made before the broker's reads were served from memory carry indexes that only
  // cost pages now.
  Execute(db,
          "DROP INDEX IF EXISTS orders_by_ref; DROP INDEX IF EXISTS orders_by_sys_id; "
          "DROP INDEX IF EXISTS orders_waiting;");
  return std::make_unique<SqliteStore>(owner.release());
}

}  // namespace simtrader
