// Records are kept as the vendor's structs in blobs beside the columns the broker looks them up
// by: the file belongs to the library that wrote it, as the vendor's flow files do. A day's
// records of one kind differ in a few words, so each is kept packed against the first record of
// its size the file was given, which is kept whole for good: an order's state costs some sixty
// bytes rather than the struct's 856. Every page a request changes is written to the log
// again, so the tables are clustered on what they are looked up by and carry only the indexes
// the broker's lookups need.
// While a transaction is open this connection holds the file's write lock, so nothing it read
// can change under it: within one, accounts and positions read are kept for the transaction's
// later reads, and an order put several times is written once, in its last state, when the
// transaction commits or before orders are next read. A request costs fewer statements and
// pages that way, and what it committed is the same.
// The file is in write-ahead-log mode with normal synchronisation: a committed transaction
// survives the process being killed; a power cut may lose those since the log was last folded
// into the file.
#include "broker/sqlite_store.h"

#include <sqlite3.h>

#include <cstring>
#include <map>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "broker/orders.h"
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
  close_profit_by_trade REAL NOT NULL, commission REAL NOT NULL,
  PRIMARY KEY (investor, leg)) WITHOUT ROWID;
CREATE TABLE lots (
  investor TEXT NOT NULL, leg INTEGER NOT NULL, lot INTEGER NOT NULL, trade_id TEXT NOT NULL,
  open_date TEXT NOT NULL, open_price REAL NOT NULL, basis_price REAL NOT NULL,
  volume INTEGER NOT NULL, PRIMARY KEY (investor, leg, lot)) WITHOUT ROWID;
CREATE TABLE bases (size INTEGER PRIMARY KEY, record BLOB NOT NULL);
CREATE TABLE orders (
  investor TEXT NOT NULL, broker_order_seq INTEGER NOT NULL, front_id INTEGER NOT NULL,
  session_id INTEGER NOT NULL, order_ref TEXT NOT NULL, order_sys_id TEXT NOT NULL,
  waiting INTEGER NOT NULL, record BLOB NOT NULL,
  PRIMARY KEY (investor, broker_order_seq)) WITHOUT ROWID;
CREATE INDEX orders_by_ref ON orders (front_id, session_id, order_ref);
CREATE INDEX orders_by_sys_id ON orders (order_sys_id) WHERE order_sys_id != '';
CREATE INDEX orders_waiting ON orders (broker_order_seq) WHERE waiting;
CREATE TABLE trades (
  investor TEXT NOT NULL, number INTEGER NOT NULL, record BLOB NOT NULL,
  PRIMARY KEY (investor, number)) WITHOUT ROWID;
CREATE TABLE flows (
  investor TEXT NOT NULL, number INTEGER NOT NULL, event INTEGER NOT NULL,
  request_id INTEGER NOT NULL, is_last INTEGER NOT NULL, size INTEGER NOT NULL,
  record BLOB NOT NULL, rsp_info BLOB, PRIMARY KEY (investor, number)) WITHOUT ROWID;
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

class SqliteStore final : public BrokerStore {
 public:
  explicit SqliteStore(sqlite3 *db)
      : db_(db),
        find_account_(db,
                      "SELECT password, app_id, auth_code, pre_balance, deposit, withdraw, "
                      "confirmed_day, confirmed_time FROM accounts WHERE investor = ?"),
        put_account_(db, "INSERT OR REPLACE INTO accounts VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        legs_(db,
              "SELECT leg, instrument, side, today, start_volume, open_volume, close_volume, "
              "open_amount, close_amount, close_profit, close_profit_by_trade, commission "
              "FROM position_legs WHERE investor = ? ORDER BY leg"),
        lots_(db,
              "SELECT leg, trade_id, open_date, open_price, basis_price, volume FROM lots "
              "WHERE investor = ? ORDER BY leg, lot"),
        delete_legs_(db, "DELETE FROM position_legs WHERE investor = ?"),
        delete_lots_(db, "DELETE FROM lots WHERE investor = ?"),
        put_leg_(db, "INSERT INTO position_legs VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        put_lot_(db, "INSERT INTO lots VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
        put_order_(db, "INSERT OR REPLACE INTO orders VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
        order_by_ref_(db,
                      "SELECT record FROM orders WHERE front_id = ? AND session_id = ? AND "
                      "order_ref = ? ORDER BY broker_order_seq DESC LIMIT 1"),
        orders_by_sys_id_(db,
                          "SELECT record FROM orders WHERE order_sys_id = ? AND "
                          "order_sys_id != '' ORDER BY broker_order_seq"),
        orders_of_(db, "SELECT record FROM orders WHERE investor = ? ORDER BY broker_order_seq"),
        resting_(db, "SELECT record FROM orders WHERE waiting ORDER BY broker_order_seq"),
        add_trade_(db,
                   "INSERT INTO trades VALUES (?1, (SELECT coalesce(max(number), 0) + 1 FROM "
                   "trades WHERE investor = ?1), ?2)"),
        trades_of_(db, "SELECT record FROM trades WHERE investor = ? ORDER BY number"),
        append_flow_(db,
                     "INSERT INTO flows VALUES (?1, (SELECT coalesce(max(number), 0) + 1 FROM "
                     "flows WHERE investor = ?1), ?2, ?3, ?4, ?5, ?6, ?7) RETURNING number"),
        flow_(db,
              "SELECT number, event, request_id, is_last, size, record, rsp_info FROM flows "
              "WHERE investor = ? AND number > ? ORDER BY number"),
        flow_length_(db, "SELECT coalesce(max(number), 0) FROM flows WHERE investor = ?"),
        next_(db,
              "INSERT INTO counters VALUES (?, 1) ON CONFLICT (counter) DO UPDATE SET "
              "value = value + 1 RETURNING value"),
        setting_(db, "SELECT value FROM settings WHERE name = ?"),
        put_setting_(db, "INSERT OR REPLACE INTO settings VALUES (?, ?)"),
        accounts_(db, "SELECT investor FROM accounts ORDER BY investor"),
        put_statement_(db, "INSERT OR REPLACE INTO statements VALUES (?, ?, ?)"),
        statement_of_(db,
                      "SELECT trading_day, text FROM statements WHERE investor = ? AND "
                      "(? = '' OR trading_day = ?) ORDER BY trading_day DESC LIMIT 1"),
        base_(db, "SELECT record FROM bases WHERE size = ?"),
        put_base_(db, "INSERT INTO bases VALUES (?, ?)"),
        begin_(db, "BEGIN IMMEDIATE"),
        commit_(db, "COMMIT"),
        rollback_(db, "ROLLBACK") {}

  std::optional<Account> FindAccount(const std::string &investor) const override {
    if (!in_transaction_) return ReadAccount(investor);
    auto read = accounts_read_.find(investor);
    if (read == accounts_read_.end()) {
      read = accounts_read_.emplace(investor, ReadAccount(investor)).first;
    }
    return read->second;
  }

  std::optional<Account> ReadAccount(const std::string &investor) const {
    SqlStatement &row = find_account_.With(investor);
    if (!row.Next()) return std::nullopt;
    Account account;
    account.investor = investor;
    account.password = row.Text(0);
    account.app_id = row.Text(1);
    account.auth_code = row.Text(2);
    account.pre_balance = row.Real(3);
    account.deposit = row.Real(4);
    account.withdraw = row.Real(5);
    account.confirmed_day = row.Text(6);
    account.confirmed_time = row.Text(7);
    row.Finish();
    return account;
  }

  void PutAccount(const Account &account) override {
    if (in_transaction_) accounts_read_[account.investor] = account;
    put_account_
        .With(account.investor, account.password, account.app_id, account.auth_code,
              account.pre_balance, account.deposit, account.withdraw, account.confirmed_day,
              account.confirmed_time)
        .Run();
  }

  std::vector<Account> Accounts() const override {
    std::vector<std::string> investors;
    for (SqlStatement &row = accounts_.With(); row.Next();) investors.push_back(row.Text(0));
    std::vector<Account> accounts;
    for (const std::string &investor : investors) accounts.push_back(*FindAccount(investor));
    return accounts;
  }

  std::vector<PositionLeg> Positions(const std::string &investor) const override {
    if (!in_transaction_) return ReadPositions(investor);
    auto read = positions_read_.find(investor);
    if (read == positions_read_.end()) {
      read = positions_read_.emplace(investor, ReadPositions(investor)).first;
    }
    return read->second;
  }

  std::vector<PositionLeg> ReadPositions(const std::string &investor) const {
    std::vector<PositionLeg> legs;
    for (SqlStatement &row = legs_.With(investor); row.Next();) {
      PositionLeg &leg = legs.emplace_back();
      leg.instrument = row.Text(1);
      leg.side = static_cast<Side>(row.Int(2));
      leg.today = row.Int(3) != 0;
      leg.start_volume = static_cast<int>(row.Int(4));
      leg.open_volume = static_cast<int>(row.Int(5));
      leg.close_volume = static_cast<int>(row.Int(6));
      leg.open_amount = row.Real(7);
      leg.close_amount = row.Real(8);
      leg.close_profit = row.Real(9);
      leg.close_profit_by_trade = row.Real(10);
      leg.commission = row.Real(11);
    }
    for (SqlStatement &row = lots_.With(investor); row.Next();) {
      Lot &lot = legs.at(static_cast<std::size_t>(row.Int(0))).lots.emplace_back();
      lot.trade_id = row.Text(1);
      lot.open_date = row.Text(2);
      lot.open_price = row.Real(3);
      lot.basis_price = row.Real(4);
      lot.volume = static_cast<int>(row.Int(5));
    }
    return legs;
  }

  void PutPositions(const std::string &investor, const std::vector<PositionLeg> &legs) override {
    if (in_transaction_) positions_read_[investor] = legs;
    delete_legs_.With(investor).Run();
    delete_lots_.With(investor).Run();
    for (std::size_t index = 0; index < legs.size(); ++index) {
      const PositionLeg &leg = legs[index];
      const long long leg_index = static_cast<long long>(index);
      put_leg_
          .With(investor, leg_index, leg.instrument, static_cast<int>(leg.side), leg.today,
                leg.start_volume, leg.open_volume, leg.close_volume, leg.open_amount,
                leg.close_amount, leg.close_profit, leg.close_profit_by_trade, leg.commission)
          .Run();
      for (std::size_t lot = 0; lot < leg.lots.size(); ++lot) {
        const Lot &kept = leg.lots[lot];
        put_lot_
            .With(investor, leg_index, static_cast<long long>(lot), kept.trade_id, kept.open_date,
                  kept.open_price, kept.basis_price, kept.volume)
            .Run();
      }
    }
  }

  void PutOrder(const CThostFtdcOrderField &order) override {
    if (in_transaction_) {
      unwritten_orders_[order.BrokerOrderSeq] = order;
    } else {
      WriteOrder(order);
    }
  }

  std::optional<CThostFtdcOrderField> FindOrderByRef(int front_id, int session_id,
                                                     const std::string &order_ref) const override {
    WriteOrders();
    SqlStatement &row = order_by_ref_.With(front_id, session_id, order_ref);
    if (!row.Next()) return std::nullopt;
    const auto order = RecordAt<CThostFtdcOrderField>(row, 0);
    row.Finish();
    return order;
  }

  std::optional<CThostFtdcOrderField> FindOrderBySysID(
      const std::string &exchange, const std::string &order_sys_id) const override {
    WriteOrders();
    for (SqlStatement &row = orders_by_sys_id_.With(order_sys_id); row.Next();) {
      const auto order = RecordAt<CThostFtdcOrderField>(row, 0);
      if (exchange.empty() || exchange == TextOf(order.ExchangeID)) {
        row.Finish();
        return order;
      }
    }
    return std::nullopt;
  }

  std::vector<CThostFtdcOrderField> Orders(const std::string &investor) const override {
    WriteOrders();
    return Records<CThostFtdcOrderField>(orders_of_.With(investor));
  }

  std::vector<CThostFtdcOrderField> RestingOrders() const override {
    WriteOrders();
    return Records<CThostFtdcOrderField>(resting_.With());
  }

  void AddTrade(const CThostFtdcTradeField &trade) override {
    const std::vector<unsigned char> record = Packed(&trade, sizeof trade);
    add_trade_.With(TextOf(trade.InvestorID), SqlStatement::Whole(record)).Run();
  }

  std::vector<CThostFtdcTradeField> Trades(const std::string &investor) const override {
    return Records<CThostFtdcTradeField>(trades_of_.With(investor));
  }

  long long AppendFlow(const std::string &investor, const FlowEntry &entry) override {
    const std::vector<unsigned char> &whole = entry.args.record;
    const std::vector<unsigned char> record = Packed(whole.data(), whole.size());
    const std::optional<CThostFtdcRspInfoField> &rsp_info = entry.args.rsp_info;
    const std::vector<unsigned char> info =
        rsp_info ? Packed(&*rsp_info, sizeof *rsp_info) : std::vector<unsigned char>();
    SqlStatement &row =
        append_flow_.With(investor, entry.event, entry.args.number, entry.args.is_last,
                          static_cast<long long>(whole.size()), SqlStatement::Whole(record),
                          rsp_info ? SqlStatement::Whole(info) : SqlStatement::Null());
    if (!row.Next()) throw SqliteError(db_.get(), "append to a flow");
    const long long number = row.Int(0);
    row.Run();
    return number;
  }

  std::vector<FlowEntry> Flow(const std::string &investor, long long after) const override {
    std::vector<FlowEntry> flow;
    for (SqlStatement &row = flow_.With(investor, after); row.Next();) {
      FlowEntry &entry = flow.emplace_back();
      entry.args.flow_number = row.Int(0);
      entry.event = static_cast<int>(row.Int(1));
      entry.args.number = static_cast<int>(row.Int(2));
      entry.args.is_last = row.Int(3) != 0;
      entry.args.record.resize(static_cast<std::size_t>(row.Int(4)));
      Unpack(row, 5, entry.args.record.data(), entry.args.record.size());
      if (!row.IsNull(6)) entry.args.rsp_info = RecordAt<CThostFtdcRspInfoField>(row, 6);
    }
    return flow;
  }

  long long FlowLength(const std::string &investor) const override {
    SqlStatement &row = flow_length_.With(investor);
    const long long length = row.Next() ? row.Int(0) : 0;
    row.Finish();
    return length;
  }

  std::string TradingDay() const override {
    SqlStatement &row = setting_.With(std::string("trading_day"));
    std::string day = row.Next() ? row.Text(0) : std::string();
    row.Finish();
    return day;
  }

  void PutTradingDay(const std::string &day) override {
    put_setting_.With(std::string("trading_day"), day).Run();
  }

  // The ended day's orders, trades and flows go; accounts, positions, statements and the
  // counters carry on.
  void StartTradingDay(const std::string &) override {
    unwritten_orders_.clear();
    Execute(db_.get(), "DELETE FROM orders; DELETE FROM trades; DELETE FROM flows;");
  }

  void PutStatement(const std::string &investor, const Statement &statement) override {
    const std::vector<unsigned char> text(statement.text.begin(), statement.text.end());
    put_statement_.With(investor, statement.trading_day, SqlStatement::Whole(text)).Run();
  }

  std::optional<Statement> FindStatement(const std::string &investor,
                                         const std::string &trading_day) const override {
    SqlStatement &row = statement_of_.With(investor, trading_day, trading_day);
    if (!row.Next()) return std::nullopt;
    const std::vector<unsigned char> text = row.Blob(1);
    Statement statement{row.Text(0), std::string(text.begin(), text.end())};
    row.Finish();
    return statement;
  }

  long long Next(Counter counter) override {
    SqlStatement &row = next_.With(static_cast<int>(counter));
    if (!row.Next()) throw SqliteError(db_.get(), "advance a counter");
    const long long value = row.Int(0);
    row.Run();
    return value;
  }

  void Begin() override {
    begin_.With().Run();
    in_transaction_ = true;
  }
  void Commit() override {
    try {
      WriteOrders();
      commit_.With().Run();
    } catch (...) {
      // Left open, the transaction is rolled back next; what it put is then forgotten.
      EndTransaction();
      bases_.clear();
      throw;
    }
    EndTransaction();
  }
  // A base first put by the transaction goes with it.
  void Rollback() override {
    EndTransaction();
    bases_.clear();
    rollback_.With().Run();
  }

 private:
  void EndTransaction() {
    in_transaction_ = false;
    accounts_read_.clear();
    positions_read_.clear();
    unwritten_orders_.clear();
  }

  // Logically const: what the store holds is the same before and after.
  void WriteOrders() const {
    for (const auto &[seq, order] : unwritten_orders_) WriteOrder(order);
    unwritten_orders_.clear();
  }

  void WriteOrder(const CThostFtdcOrderField &order) const {
    const std::vector<unsigned char> record = Packed(&order, sizeof order);
    put_order_
        .With(TextOf(order.InvestorID), order.BrokerOrderSeq, order.FrontID, order.SessionID,
              TextOf(order.OrderRef), std::string(Trimmed(TextOf(order.OrderSysID))),
              IsWaiting(order), SqlStatement::Whole(record))
        .Run();
  }

  struct Closer {
    void operator()(sqlite3 *db) const { sqlite3_close_v2(db); }
  };

  template <typename Record>
  std::vector<Record> Records(SqlStatement &rows) const {
    std::vector<Record> records;
    while (rows.Next()) records.push_back(RecordAt<Record>(rows, 0));
    return records;
  }

  // The base records of `size` bytes are packed against: the first such record, which
  // becomes the base when there is none. Null when there is none and `record` is null.
  const std::vector<unsigned char> *BaseOf(std::size_t size, const void *record = nullptr) const {
    auto cached = bases_.find(size);
    if (cached != bases_.end()) return &cached->second;
    const long long key = static_cast<long long>(size);
    SqlStatement &row = base_.With(key);
    if (row.Next()) {
      std::vector<unsigned char> base = row.Blob(0);
      row.Finish();
      if (base.size() != size) throw Damaged();
      return &bases_.emplace(size, std::move(base)).first->second;
    }
    if (record == nullptr) return nullptr;
    const auto *bytes = static_cast<const unsigned char *>(record);
    std::vector<unsigned char> base(bytes, bytes + size);
    put_base_.With(key, SqlStatement::Whole(base)).Run();
    return &bases_.emplace(size, std::move(base)).first->second;
  }

  // An empty record (a null pointer) packs to nothing, and needs no base.
  std::vector<unsigned char> Packed(const void *record, std::size_t size) const {
    if (size == 0) return {};
    return PackedBytes(record, size, BaseOf(size, record)->data());
  }

  void Unpack(const SqlStatement &row, int column, void *out, std::size_t size) const {
    const std::vector<unsigned char> *base = size == 0 ? nullptr : BaseOf(size);
    if ((size != 0 && base == nullptr) || !UnpackBytes(row.BlobData(column), row.BlobSize(column),
                                                       out, size, base ? base->data() : nullptr)) {
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
  // Reading steps a statement, which SQLite does not count as a change: the const reads use
  // the same cached statements.
  mutable SqlStatement find_account_, put_account_, legs_, lots_, delete_legs_, delete_lots_,
      put_leg_, put_lot_, put_order_, order_by_ref_, orders_by_sys_id_, orders_of_, resting_,
      add_trade_, trades_of_, append_flow_, flow_, flow_length_, next_, setting_, put_setting_,
      accounts_, put_statement_, statement_of_, base_, put_base_, begin_, commit_, rollback_;
  // By size: bases never change once put, so what was read stays true.
  mutable std::map<std::size_t, std::vector<unsigned char>> bases_;
  bool in_transaction_ = false;
  mutable std::map<std::string, std::optional<Account>> accounts_read_;
  mutable std::map<std::string, std::vector<PositionLeg>> positions_read_;
  // By BrokerOrderSeq: each order's last state put in the transaction.
  mutable std::map<int, CThostFtdcOrderField> unwritten_orders_;
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
  // disk costs more than the requests between: it waits for 10,000 pages of log (40 MB).
  Execute(db, "PRAGMA wal_autocheckpoint = 10000");
  return std::make_unique<SqliteStore>(owner.release());
}

}  // namespace simtrader
