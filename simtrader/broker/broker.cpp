#include "broker/broker.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <exception>
#include <cstdlib>
#include <stdexcept>
#include <utility>

#include "broker/answers.h"
#include "broker/funds.h"
#include "broker/record_text.h"
#include "broker/reference/settlement.h"
#include "broker/reference/trading_calendar.h"
#include "broker/vendor_errors.h"
#include "record_fields.h"

namespace simtrader {

namespace {

constexpr const char kSystemName[] = "Quorvan simulated broker";
constexpr const char kSystemVersion[] = "v6.6.9_sim";
// What the numbers of conditional orders start with, telling them from the exchanges' own.
constexpr const char kConditionalOrderPrefix[] = "TJBD_";

constexpr int Event(EventId event) { return static_cast<int>(event); }

// A refused trader request's answer (RefusalAs).
EventArgs RefusalOf(const RecordView &request, int response_event, const VendorError &error,
                    int request_id) {
  return RefusalAs(request, GetEvent(response_event).record_class, error, request_id);
}

// Sends a query's records one response each, the last flagged; one empty last response when
// there are none. Query responses carry no RspInfo on success, as the vendor's.
template <typename Record>
void SendAll(Outbox &outbox, const std::shared_ptr<ClientLink> &link, EventId event,
             const std::vector<Record> &records, int request_id) {
  if (records.empty()) {
    outbox.Send(link, Event(event), EmptyResponse(std::nullopt, request_id));
    return;
  }
  for (std::size_t index = 0; index < records.size(); ++index) {
    outbox.Send(link, Event(event),
                ArgsOf(&records[index], std::nullopt, request_id, index + 1 == records.size()));
  }
}

// Whether a record's field passes a query's filter on it: an empty filter passes everything.
bool Matches(const std::string &filter, const std::string &value) {
  return filter.empty() || filter == value;
}

// The number an order reference stands for, if it is one.
std::optional<long long> NumericOrderRef(const std::string &order_ref) {
  const std::string text(Trimmed(order_ref));
  if (text.empty()) return std::nullopt;
  char *end = nullptr;
  errno = 0;
  const long long number = std::strtoll(text.c_str(), &end, 10);
  if (*end != '\0' || errno != 0) return std::nullopt;
  return number;
}

// The broker whose batch the thread is in, if any: its requests join the batch.
thread_local const Broker *batching_broker = nullptr;

// A thread in a batch already would wait for its own mutex.
std::mutex &MutexOutsideBatch(std::mutex &mutex) {
  if (batching_broker != nullptr) throw std::logic_error("the thread is in a batch already");
  return mutex;
}

void ReportStoreFailure(const char *doing, const std::exception &error) {
  std::fprintf(stderr, "simtrader: the broker's store failed to %s: %s\n", doing, error.what());
}

// The public flow is kept in the store as the flow of no investor.
const std::string kPublicFlow;

// A store carried over from an earlier process goes on in its own day; a new one starts in
// the configured day, or today.
std::string StartingDay(const BrokerStore &store, const std::string &configured) {
  std::string day = store.TradingDay();
  if (!day.empty()) return day;
  return configured.empty() ? LocalDate() : configured;
}

// Where an instrument's trading stands, as the public flow reports it.
CThostFtdcInstrumentStatusField InstrumentStatusOf(const Instrument &instrument,
                                                   TThostFtdcInstrumentStatusType status,
                                                   const std::string &enter_time) {
  CThostFtdcInstrumentStatusField record{};
  SetText(record.ExchangeID, instrument.exchange);
  SetText(record.InstrumentID, instrument.id);
  SetText(record.ExchangeInstID, instrument.id);
  record.InstrumentStatus = status;
  SetText(record.EnterTime, enter_time);
  record.EnterReason = THOST_FTDC_IER_Automatic;
  return record;
}

}  // namespace

void Outbox::Send(const std::shared_ptr<ClientLink> &link, int event, EventArgs args) {
  waiting_.push_back(Waiting{link, event, std::move(args)});
}

void Outbox::Deliver() {
  for (Waiting &waiting : waiting_) waiting.link->Send(waiting.event, std::move(waiting.args));
  waiting_.clear();
}

Broker::Batch::Batch(Broker &broker) : broker_(broker), lock_(MutexOutsideBatch(broker.mutex_)) {
  broker_.store_->Begin();
  broker_.batch_open_ = true;
  batching_broker = &broker_;
}

Broker::Batch::~Batch() {
  batching_broker = nullptr;
  // A request that threw was forgotten by its own Transaction: its neighbours are kept.
  if (broker_.batch_open_) broker_.CommitAndAnswer();
  broker_.batch_open_ = false;
}

Broker::Transaction::Transaction(Broker &broker)
    : broker_(broker),
      batched_(batching_broker == &broker),
      lock_(broker.mutex_, std::defer_lock),
      uncaught_(std::uncaught_exceptions()) {
  if (batched_) {
    // A batch that could not undo a request forgot everything: nothing may join it now.
    if (!broker_.batch_open_) throw std::runtime_error("the broker's batch was abandoned");
    earlier_answers_ = broker_.outbox_.size();
    broker_.store_->Savepoint();
    return;
  }
  lock_.lock();
  broker_.store_->Begin();
}

Broker::Transaction::~Transaction() {
  // A request that failed half way is forgotten by the store, and answers nothing it made.
  const bool failed = std::uncaught_exceptions() > uncaught_;
  if (batched_ && failed) {
    broker_.ForgetRequest(earlier_answers_);
  } else if (batched_) {
    broker_.KeepRequest(earlier_answers_);
  } else if (failed) {
    broker_.Forget();
  } else {
    broker_.CommitAndAnswer();
  }
}

void Broker::CommitAndAnswer() {
  try {
    store_->Commit();
  } catch (const std::exception &error) {
    // Answering would promise what the store has not kept.
    ReportStoreFailure("commit", error);
    outbox_.Discard();
    return;
  }
  outbox_.Deliver();
}

void Broker::Forget() {
  outbox_.Discard();
  try {
    store_->Rollback();
  } catch (const std::exception &error) {
    ReportStoreFailure("roll back", error);
  }
}

void Broker::KeepRequest(std::size_t earlier_answers) {
  try {
    store_->ReleaseSavepoint();
  } catch (const std::exception &error) {
    ReportStoreFailure("commit", error);
    ForgetRequest(earlier_answers);
  }
}

void Broker::ForgetRequest(std::size_t earlier_answers) {
  outbox_.DiscardFrom(earlier_answers);
  try {
    store_->RollbackToSavepoint();
  } catch (const std::exception &error) {
    // The store forgot the batch's earlier requests too: their answers would promise them.
    ReportStoreFailure("roll back", error);
    outbox_.Discard();
    batch_open_ = false;
  }
}

Broker::Broker(const BrokerConfig &config, std::unique_ptr<BrokerStore> store)
    : declared_accounts_(config.accounts),
      limits_(config.limits),
      catalogue_(config.catalogue),
      exchanges_(config.exchanges),
      store_path_(config.store_path),
      md_front_(config.md_front),
      store_(std::move(store)),
      holidays_(config.holidays),
      trading_day_(StartingDay(*store_, config.trading_day)) {
  if (config.trading_hours) sessions_.emplace(*config.trading_hours, holidays_);
  Transaction transaction(*this);
  store_->PutTradingDay(trading_day_);
  for (const CThostFtdcOrderField &order : store_->RestingOrders()) book_.Put(order);
  OpenPublicFlow();
  for (const auto &[investor, declared] : declared_accounts_) {
    // A store carried over from an earlier process holds the account as it stands now.
    if (store_->FindAccount(investor)) continue;
    Account account;
    account.investor = investor;
    account.password = declared.password;
    account.app_id = declared.app_id;
    account.auth_code = declared.auth_code;
    account.pre_balance = declared.balance;
    store_->PutAccount(account);
    Holdings holdings(store_->Positions(investor));
    for (const DeclaredPosition &position : declared.positions) {
      Lot lot;
      lot.trade_id = ExchangeNumber(store_->Next(Counter::TradeID));
      lot.open_date = LocalDate(1);
      lot.open_price =
          position.price.value_or(catalogue_.at(position.instrument).market.pre_settlement);
      lot.basis_price = lot.open_price;
      lot.volume = position.volume;
      holdings.AddFromYesterday(position.instrument, position.side, lot);
    }
    store_->PutPositions(investor, holdings.legs());
  }
}

Broker::Connection &Broker::ConnectionOf(const Link &link) {
  Connection &connection = connections_[link.get()];
  if (!connection.link) connection.link = link;
  return connection;
}

Broker::Session *Broker::RequireLogin(Connection &connection, int response_event,
                                      const RecordView &request, int request_id) {
  if (connection.session) return &*connection.session;
  outbox_.Send(connection.link, response_event,
               RefusalOf(request, response_event, vendor_error::kNotLoggedIn, request_id));
  return nullptr;
}

Account Broker::AccountOf(const Session &session) const {
  // Every login has an account: declared ones exist from the start, the others are opened
  // by their first login.
  return *store_->FindAccount(session.investor);
}

RecordOwner Broker::OwnerOf(const Session &session) const {
  return RecordOwner{session.broker_id, session.investor, TradingDayNow()};
}

OrderOrigin Broker::OriginOf(const Session &session, int request_id) const {
  OrderOrigin origin;
  origin.broker_id = session.broker_id;
  origin.investor = session.investor;
  origin.user_id = session.user_id;
  origin.trading_day = TradingDayNow();
  origin.time = MarketNow();
  origin.front_id = kFrontID;
  origin.session_id = session.session_id;
  origin.request_id = request_id;
  return origin;
}

std::vector<CThostFtdcOrderField> Broker::RestingOrdersOf(const std::string &investor) const {
  return book_.QueuedOf(investor);
}

void Broker::Authenticate(const Link &link, const CThostFtdcReqAuthenticateField &request,
                          int request_id) {
  Transaction transaction(*this);
  Connection &connection = ConnectionOf(link);
  const std::string user = TextOf(request.UserID);
  const std::optional<Account> account = store_->FindAccount(user);
  // An account's app id and auth code are checked where it declares them; without declared
  // accounts an unknown user authenticates too.
  auto declared_or_any = [](const std::string &declared, const std::string &given) {
    return declared.empty() || declared == given;
  };
  const bool accepted = account ? declared_or_any(account->app_id, TextOf(request.AppID)) &&
                                      declared_or_any(account->auth_code, TextOf(request.AuthCode))
                                : declared_accounts_.empty();
  if (!accepted) {
    outbox_.Send(link, Event(EventId::OnRspAuthenticate),
                 RefusalOf(ViewOf(request), Event(EventId::OnRspAuthenticate),
                           vendor_error::kAuthenticationFailed, request_id));
    return;
  }
  connection.authenticated = true;
  CThostFtdcRspAuthenticateField response{};
  SetText(response.BrokerID, TextOf(request.BrokerID));
  SetText(response.UserID, user);
  SetText(response.UserProductInfo, TextOf(request.UserProductInfo));
  SetText(response.AppID, TextOf(request.AppID));
  response.AppType = THOST_FTDC_APP_TYPE_Investor;
  outbox_.Send(link, Event(EventId::OnRspAuthenticate),
               ArgsOf(&response, kSuccess, request_id, true));
}

void Broker::Login(const Link &link, const CThostFtdcReqUserLoginField &request, int request_id) {
  Transaction transaction(*this);
  // A login finds the statuses of now in the flow it is sent, on the local clock as well.
  MoveSessions();
  Connection &connection = ConnectionOf(link);
  const std::string investor = TextOf(request.UserID);
  const std::string password = TextOf(request.Password);
  auto refuse = [&](const VendorError &error) {
    outbox_.Send(link, Event(EventId::OnRspUserLogin),
                 RefusalOf(ViewOf(request), Event(EventId::OnRspUserLogin), error, request_id));
  };
  // Brokers admit only clients that authenticated on the connection first.
  if (!connection.authenticated) return refuse(vendor_error::kAuthenticationFailed);
  if (investor.empty()) return refuse(vendor_error::kInvalidLogin);
  std::optional<Account> account = store_->FindAccount(investor);
  if (!account) {
    if (!declared_accounts_.empty()) return refuse(vendor_error::kInvalidLogin);
    account.emplace();
    account->investor = investor;
    account->pre_balance = kDefaultBalance;
  }
  // An account without a password takes the first one it is given.
  if (account->password.empty()) {
    account->password = password;
  } else if (account->password != password) {
    return refuse(vendor_error::kInvalidLogin);
  }
  store_->PutAccount(*account);

  Session session;
  session.broker_id = TextOf(request.BrokerID);
  session.investor = investor;
  session.user_id = investor;
  session.session_id = static_cast<int>(store_->Next(Counter::SessionID));
  // The investor's highest order reference of the day, so that a client numbering on from it
  // never repeats one.
  for (const CThostFtdcOrderField &order : store_->Orders(investor)) {
    session.max_order_ref =
        std::max(session.max_order_ref, NumericOrderRef(TextOf(order.OrderRef)).value_or(0));
  }
  connection.session = session;

  const std::string now = LocalTime();
  CThostFtdcRspUserLoginField response{};
  SetText(response.TradingDay, trading_day_);
  SetText(response.LoginTime, now);
  SetText(response.BrokerID, session.broker_id);
  SetText(response.UserID, session.user_id);
  SetText(response.SystemName, kSystemName);
  response.FrontID = kFrontID;
  response.SessionID = session.session_id;
  SetText(response.MaxOrderRef, std::to_string(session.max_order_ref));
  for (TThostFtdcTimeType *exchange_time :
       {&response.SHFETime, &response.DCETime, &response.CZCETime, &response.FFEXTime,
        &response.INETime, &response.GFEXTime}) {
    SetText(*exchange_time, MarketNow().update_time);
  }
  SetText(response.SysVersion, kSystemVersion);
  outbox_.Send(link, Event(EventId::OnRspUserLogin), ArgsOf(&response, kSuccess, request_id, true));

  link->SetTradingDay(trading_day_);
  SendPastFlow(link, FlowTopic::Private, investor);
  SendPastFlow(link, FlowTopic::Public, kPublicFlow);
}

void Broker::SendPastFlow(const Link &link, FlowTopic topic, const std::string &owner) {
  const FlowSubscription &subscription = link->subscription(topic);
  long long after = 0;
  switch (subscription.resume_type) {
    case THOST_TERT_RESTART:
      break;
    case THOST_TERT_RESUME:
      after = subscription.mark ? subscription.mark->Received(trading_day_) : 0;
      // A mark beyond the flow's end is not of this broker's flow: it starts over.
      if (after > store_->FlowLength(owner)) after = 0;
      break;
    default:
      return;
  }
  for (FlowEntry &entry : store_->Flow(owner, after)) {
    outbox_.Send(link, entry.event, std::move(entry.args));
  }
}

void Broker::Logout(const Link &link, const CThostFtdcUserLogoutField &request, int request_id) {
  Transaction transaction(*this);
  Connection &connection = ConnectionOf(link);
  if (!RequireLogin(connection, Event(EventId::OnRspUserLogout), ViewOf(request), request_id)) {
    return;
  }
  connection.session.reset();
  connection.authenticated = false;
  outbox_.Send(link, Event(EventId::OnRspUserLogout), ArgsOf(&request, kSuccess, request_id, true));
}

void Broker::UpdatePassword(const Link &link, const CThostFtdcUserPasswordUpdateField &request,
                            int request_id) {
  Transaction transaction(*this);
  Connection &connection = ConnectionOf(link);
  const Session *session = RequireLogin(connection, Event(EventId::OnRspUserPasswordUpdate),
                                        ViewOf(request), request_id);
  if (session == nullptr) return;
  Account account = AccountOf(*session);
  if (account.password != TextOf(request.OldPassword)) {
    const CThostFtdcRspInfoField error = RspInfoOf(vendor_error::kOldPasswordMismatch);
    outbox_.Send(link, Event(EventId::OnRspUserPasswordUpdate),
                 ArgsOf(&request, error, request_id, true));
    return;
  }
  account.password = TextOf(request.NewPassword);
  store_->PutAccount(account);
  outbox_.Send(link, Event(EventId::OnRspUserPasswordUpdate),
               ArgsOf(&request, kSuccess, request_id, true));
}

void Broker::ConfirmSettlement(const Link &link,
                               const CThostFtdcSettlementInfoConfirmField &request,
                               int request_id) {
  Transaction transaction(*this);
  Connection &connection = ConnectionOf(link);
  const Session *session = RequireLogin(connection, Event(EventId::OnRspSettlementInfoConfirm),
                                        ViewOf(request), request_id);
  if (session == nullptr) return;
  Account account = AccountOf(*session);
  account.confirmed_day = trading_day_;
  account.confirmed_time = LocalTime();
  store_->PutAccount(account);
  const CThostFtdcSettlementInfoConfirmField response = ConfirmationRecord(*session, account);
  outbox_.Send(link, Event(EventId::OnRspSettlementInfoConfirm),
               ArgsOf(&response, kSuccess, request_id, true));
}

CThostFtdcSettlementInfoConfirmField Broker::ConfirmationRecord(const Session &session,
                                                                const Account &account) const {
  CThostFtdcSettlementInfoConfirmField record{};
  SetText(record.BrokerID, session.broker_id);
  SetText(record.InvestorID, session.investor);
  SetText(record.ConfirmDate, account.confirmed_day);
  SetText(record.ConfirmTime, account.confirmed_time);
  record.SettlementID = 1;
  SetText(record.AccountID, session.investor);
  SetText(record.CurrencyID, "CNY");
  return record;
}

void Broker::InsertOrder(const Link &link, const CThostFtdcInputOrderField &input, int request_id) {
  Transaction transaction(*this);
  Connection &connection = ConnectionOf(link);
  Session *session =
      RequireLogin(connection, Event(EventId::OnRspOrderInsert), ViewOf(input), request_id);
  if (session == nullptr) return;
  auto refuse = [&](const VendorError &error) {
    const CThostFtdcRspInfoField info = RspInfoOf(error);
    outbox_.Send(link, Event(EventId::OnRspOrderInsert), ArgsOf(&input, info, request_id, true));
    Publish(session->investor, EventId::OnErrRtnOrderInsert, ArgsOf(&input, info));
  };
  if (AccountOf(*session).confirmed_day != trading_day_) {
    return refuse(vendor_error::kSettlementNotConfirmed);
  }
  // The instrument decides the exchange: an empty ExchangeID is taken to be its own, another
  // exchange's is refused as naming an instrument that exchange does not list.
  auto listing = catalogue_.find(TextOf(input.InstrumentID));
  const std::string exchange = TextOf(input.ExchangeID);
  if (listing == catalogue_.end() ||
      !(exchange.empty() || exchange == listing->second.instrument.exchange)) {
    return refuse(vendor_error::kInstrumentNotFound);
  }
  const Instrument &instrument = listing->second.instrument;
  if (std::optional<VendorError> error = CheckOrderFields(input, instrument)) {
    return refuse(*error);
  }
  // The broker holds a conditional order at any hour; the exchange takes the others only
  // while it takes orders for the instrument.
  const bool conditional = IsConditional(input);
  MoveSessions();
  if (!conditional && !TakesOrders(instrument)) return refuse(vendor_error::kInstrumentNotTrading);
  if (input.OrderPriceType == THOST_FTDC_OPT_AnyPrice) {
    auto rules = exchanges_.find(instrument.exchange);
    if (rules == exchanges_.end() || !rules->second.market_orders) {
      return refuse(vendor_error::kPriceTypeNotSupported);
    }
  }
  // References are unique and increasing within a session; an order without one is numbered
  // after the investor's highest, as the vendor does.
  std::string order_ref = TextOf(input.OrderRef);
  if (order_ref.empty()) {
    order_ref = std::to_string(session->max_order_ref + 1);
  } else if (store_->FindOrderByRef(kFrontID, session->session_id, order_ref) ||
             NumericOrderRef(order_ref).value_or(LLONG_MAX) <= session->session_order_ref) {
    return refuse(vendor_error::kDuplicateOrderRef);
  }
  CThostFtdcOrderField order =
      NewOrder(input, instrument, OriginOf(*session, request_id), order_ref,
               static_cast<int>(store_->Next(Counter::BrokerOrderSeq)));
  // A conditional order's money and positions are checked when it triggers: until then the
  // broker only holds it, under a number of its own kind, since no exchange has seen it.
  if (!conditional) {
    if (std::optional<VendorError> error = CheckPositionsAndFunds(order, listing->second)) {
      return refuse(*error);
    }
  }
  session->max_order_ref = std::max(session->max_order_ref, NumericOrderRef(order_ref).value_or(0));
  session->session_order_ref =
      std::max(session->session_order_ref, NumericOrderRef(order_ref).value_or(0));
  if (conditional) {
    SetText(order.OrderSysID,
            kConditionalOrderPrefix + std::to_string(store_->Next(Counter::ConditionalOrderID)));
    SetStatus(order, THOST_FTDC_OST_NotTouched, THOST_FTDC_OSS_InsertSubmitted,
              status_text::kNotTouched, MarketNow());
    PublishOrder(order);
    return;
  }
  PublishOrder(order);
  SendToExchange(order);
}

void Broker::SendToExchange(CThostFtdcOrderField order) {
  Listing &listing = catalogue_.at(TextOf(order.InstrumentID));
  if (std::optional<std::string> rejection = ExchangeRejection(order, listing)) {
    SetStatus(order, THOST_FTDC_OST_Canceled, THOST_FTDC_OSS_InsertRejected, rejection->c_str(),
              MarketNow());
    PublishOrder(order);
    return;
  }
  SetText(order.OrderSysID, ExchangeNumber(store_->Next(Counter::OrderSysID)));
  order.SequenceNo = order.BrokerOrderSeq;
  SetStatus(order, THOST_FTDC_OST_NoTradeQueueing, THOST_FTDC_OSS_Accepted, status_text::kQueueing,
            MarketNow());
  PublishOrder(order);
  // An auction's orders wait for it to end; an immediate order finds nothing to meet.
  if (TradesContinuously(listing.instrument)) {
    const int volume = FillableVolume(order, CrossedVolume(order, listing.market));
    if (volume > 0) {
      for (const LevelFill &fill : TakeCrossed(listing.market, order, volume)) {
        Fill(order, fill.price, fill.volume);
      }
    }
  }
  if (order.TimeCondition == THOST_FTDC_TC_IOC && !IsFinished(order)) {
    SetStatus(order, THOST_FTDC_OST_Canceled, THOST_FTDC_OSS_Accepted, status_text::kCanceled,
              MarketNow());
    PublishOrder(order);
  }
}

void Broker::Trigger(CThostFtdcOrderField order) {
  const Listing &listing = catalogue_.at(TextOf(order.InstrumentID));
  if (std::optional<VendorError> error = CheckPositionsAndFunds(order, listing)) {
    SetStatus(order, THOST_FTDC_OST_Canceled, THOST_FTDC_OSS_InsertRejected, error->message,
              MarketNow());
    PublishOrder(order);
    return;
  }
  SendToExchange(order);
}

std::optional<VendorError> Broker::CheckPositionsAndFunds(const CThostFtdcOrderField &order,
                                                          const Listing &listing) const {
  const Instrument &instrument = listing.instrument;
  const std::string investor = TextOf(order.InvestorID);
  const Holdings holdings(store_->Positions(investor));
  const std::vector<CThostFtdcOrderField> resting = RestingOrdersOf(investor);
  if (Opens(order)) {
    // A market order may trade anywhere up to the day's limit: it must afford that price.
    CThostFtdcOrderField priced = order;
    if (order.OrderPriceType == THOST_FTDC_OPT_AnyPrice) {
      priced.LimitPrice = listing.market.upper_limit;
    }
    if (!Affords(*store_->FindAccount(investor), holdings, resting, priced, catalogue_)) {
      return vendor_error::kInsufficientMoney;
    }
    return std::nullopt;
  }
  // Resting closes have claimed part of the position already: in all, and of this scope.
  const Side side = PositionSideOf(order);
  const CloseScope scope = CloseScopeOf(instrument, order.CombOffsetFlag[0]);
  int claimed = 0;
  int claimed_in_scope = 0;
  for (const CThostFtdcOrderField &other : resting) {
    if (Opens(other) || TextOf(other.InstrumentID) != instrument.id ||
        PositionSideOf(other) != side) {
      continue;
    }
    claimed += other.VolumeTotal;
    if (CloseScopeOf(instrument, other.CombOffsetFlag[0]) == scope) {
      claimed_in_scope += other.VolumeTotal;
    }
  }
  const int volume = order.VolumeTotalOriginal;
  if (volume > holdings.Held(instrument.id, side, CloseScope::OldestFirst) - claimed) {
    return vendor_error::kOverClosePosition;
  }
  if (scope != CloseScope::OldestFirst &&
      volume > holdings.Held(instrument.id, side, scope) - claimed_in_scope) {
    return scope == CloseScope::Today ? vendor_error::kOverCloseToday
                                      : vendor_error::kOverCloseYesterday;
  }
  return std::nullopt;
}

void Broker::Fill(CThostFtdcOrderField &order, double price, int volume) {
  const std::string investor = TextOf(order.InvestorID);
  Listing &listing = catalogue_.at(TextOf(order.InstrumentID));
  const Instrument &instrument = listing.instrument;
  const long long trade_number = store_->Next(Counter::TradeID);
  const std::string trade_id = ExchangeNumber(trade_number);
  Holdings holdings(store_->Positions(investor));
  if (Opens(order)) {
    Lot lot;
    lot.trade_id = trade_id;
    lot.open_date = TextOf(order.TradingDay);
    lot.open_price = price;
    lot.basis_price = price;
    lot.volume = volume;
    holdings.OpenToday(instrument, PositionSideOf(order), lot,
                       instrument.Commission(Fee::Open, price, volume));
  } else {
    holdings.Close(instrument, PositionSideOf(order),
                   CloseScopeOf(instrument, order.CombOffsetFlag[0]), price, volume);
  }
  store_->PutPositions(investor, holdings.legs());
  order.VolumeTraded += volume;
  order.VolumeTotal -= volume;
  if (order.VolumeTotal == 0) {
    SetStatus(order, THOST_FTDC_OST_AllTraded, THOST_FTDC_OSS_Accepted, status_text::kAllTraded,
              MarketNow());
  } else {
    SetStatus(order, THOST_FTDC_OST_PartTradedQueueing, THOST_FTDC_OSS_Accepted,
              status_text::kPartTraded, MarketNow());
  }
  PublishOrder(order);
  const CThostFtdcTradeField trade =
      TradeOf(order, price, volume, trade_id, static_cast<int>(trade_number), MarketNow());
  store_->AddTrade(trade);
  Publish(investor, EventId::OnRtnTrade, ArgsOf(&trade, std::nullopt));
}

void Broker::ActOnOrder(const Link &link, const CThostFtdcInputOrderActionField &input,
                        int request_id) {
  Transaction transaction(*this);
  Connection &connection = ConnectionOf(link);
  const Session *session =
      RequireLogin(connection, Event(EventId::OnRspOrderAction), ViewOf(input), request_id);
  if (session == nullptr) return;
  auto refuse = [&](const VendorError &error) {
    const CThostFtdcRspInfoField info = RspInfoOf(error);
    outbox_.Send(link, Event(EventId::OnRspOrderAction), ArgsOf(&input, info, request_id, true));
    const CThostFtdcOrderActionField action =
        RefusedActionOf(input, OriginOf(*session, request_id), error);
    Publish(session->investor, EventId::OnErrRtnOrderAction, ArgsOf(&action, info));
  };
  // Exchanges cancel; changing a resting order is not theirs to offer.
  if (input.ActionFlag != THOST_FTDC_AF_Delete) {
    return refuse(vendor_error::kBadOrderActionField);
  }
  // Both ways of naming the order may be filled in: the exchange's number, when given, is
  // the one that counts. Without FrontID and SessionID a reference is one of this session.
  const std::string sys_id(Trimmed(TextOf(input.OrderSysID)));
  std::optional<CThostFtdcOrderField> order;
  if (!sys_id.empty()) {
    order = store_->FindOrderBySysID(TextOf(input.ExchangeID), sys_id);
  } else {
    order = store_->FindOrderByRef(input.FrontID != 0 ? input.FrontID : kFrontID,
                                   input.SessionID != 0 ? input.SessionID : session->session_id,
                                   TextOf(input.OrderRef));
  }
  if (!order || TextOf(order->InvestorID) != session->investor) {
    return refuse(vendor_error::kOrderNotFound);
  }
  if (IsFinished(*order)) return refuse(vendor_error::kOrderFinished);
  // An order the exchange holds is cancelled there, while it takes orders; the broker's held
  // conditional orders at any hour.
  MoveSessions();
  if (order->OrderStatus != THOST_FTDC_OST_NotTouched &&
      !TakesOrders(catalogue_.at(TextOf(order->InstrumentID)).instrument)) {
    return refuse(vendor_error::kInstrumentNotTrading);
  }
  SetStatus(*order, THOST_FTDC_OST_Canceled, THOST_FTDC_OSS_Accepted, status_text::kCanceled,
            MarketNow());
  SetText(order->ActiveUserID, session->user_id);
  PublishOrder(*order);
}

void Broker::QueryOrders(const Link &link, const CThostFtdcQryOrderField &query, int request_id) {
  Transaction transaction(*this);
  const Session *session =
      RequireLogin(ConnectionOf(link), Event(EventId::OnRspQryOrder), ViewOf(query), request_id);
  if (session == nullptr) return;
  std::vector<CThostFtdcOrderField> orders = store_->Orders(session->investor);
  const std::string sys_id(Trimmed(TextOf(query.OrderSysID)));
  orders.erase(
      std::remove_if(orders.begin(), orders.end(),
                     [&](const CThostFtdcOrderField &order) {
                       return !Matches(TextOf(query.InstrumentID), TextOf(order.InstrumentID)) ||
                              !Matches(TextOf(query.ExchangeID), TextOf(order.ExchangeID)) ||
                              !Matches(sys_id, std::string(Trimmed(TextOf(order.OrderSysID))));
                     }),
      orders.end());
  SendAll(outbox_, link, EventId::OnRspQryOrder, orders, request_id);
}

void Broker::QueryTrades(const Link &link, const CThostFtdcQryTradeField &query, int request_id) {
  Transaction transaction(*this);
  const Session *session =
      RequireLogin(ConnectionOf(link), Event(EventId::OnRspQryTrade), ViewOf(query), request_id);
  if (session == nullptr) return;
  std::vector<CThostFtdcTradeField> trades = store_->Trades(session->investor);
  const std::string trade_id(Trimmed(TextOf(query.TradeID)));
  trades.erase(
      std::remove_if(trades.begin(), trades.end(),
                     [&](const CThostFtdcTradeField &trade) {
                       return !Matches(TextOf(query.InstrumentID), TextOf(trade.InstrumentID)) ||
                              !Matches(TextOf(query.ExchangeID), TextOf(trade.ExchangeID)) ||
                              !Matches(trade_id, std::string(Trimmed(TextOf(trade.TradeID))));
                     }),
      trades.end());
  SendAll(outbox_, link, EventId::OnRspQryTrade, trades, request_id);
}

void Broker::QueryPositions(const Link &link, const CThostFtdcQryInvestorPositionField &query,
                            int request_id) {
  Transaction transaction(*this);
  const Session *session = RequireLogin(
      ConnectionOf(link), Event(EventId::OnRspQryInvestorPosition), ViewOf(query), request_id);
  if (session == nullptr) return;
  std::vector<CThostFtdcInvestorPositionField> records =
      PositionRecords(Holdings(store_->Positions(session->investor)),
                      RestingOrdersOf(session->investor), catalogue_, OwnerOf(*session));
  records.erase(
      std::remove_if(records.begin(), records.end(),
                     [&](const CThostFtdcInvestorPositionField &record) {
                       return !Matches(TextOf(query.InstrumentID), TextOf(record.InstrumentID)) ||
                              !Matches(TextOf(query.ExchangeID), TextOf(record.ExchangeID));
                     }),
      records.end());
  SendAll(outbox_, link, EventId::OnRspQryInvestorPosition, records, request_id);
}

void Broker::QueryPositionDetails(const Link &link,
                                  const CThostFtdcQryInvestorPositionDetailField &query,
                                  int request_id) {
  Transaction transaction(*this);
  const Session *session =
      RequireLogin(ConnectionOf(link), Event(EventId::OnRspQryInvestorPositionDetail),
                   ViewOf(query), request_id);
  if (session == nullptr) return;
  std::vector<CThostFtdcInvestorPositionDetailField> records = PositionDetailRecords(
      Holdings(store_->Positions(session->investor)), catalogue_, OwnerOf(*session));
  records.erase(
      std::remove_if(records.begin(), records.end(),
                     [&](const CThostFtdcInvestorPositionDetailField &record) {
                       return !Matches(TextOf(query.InstrumentID), TextOf(record.InstrumentID)) ||
                              !Matches(TextOf(query.ExchangeID), TextOf(record.ExchangeID));
                     }),
      records.end());
  SendAll(outbox_, link, EventId::OnRspQryInvestorPositionDetail, records, request_id);
}

void Broker::QueryTradingAccount(const Link &link, const CThostFtdcQryTradingAccountField &query,
                                 int request_id) {
  Transaction transaction(*this);
  const Session *session = RequireLogin(ConnectionOf(link), Event(EventId::OnRspQryTradingAccount),
                                        ViewOf(query), request_id);
  if (session == nullptr) return;
  std::vector<CThostFtdcTradingAccountField> records;
  // The account is held in yuan only.
  if (Matches(TextOf(query.CurrencyID), "CNY")) {
    const Funds funds = FundsOf(AccountOf(*session), Holdings(store_->Positions(session->investor)),
                                RestingOrdersOf(session->investor), catalogue_);
    records.push_back(TradingAccountRecord(funds, OwnerOf(*session)));
  }
  SendAll(outbox_, link, EventId::OnRspQryTradingAccount, records, request_id);
}

void Broker::QueryInstruments(const Link &link, const CThostFtdcQryInstrumentField &query,
                              int request_id) {
  Transaction transaction(*this);
  if (!RequireLogin(ConnectionOf(link), Event(EventId::OnRspQryInstrument), ViewOf(query),
                    request_id)) {
    return;
  }
  std::vector<CThostFtdcInstrumentField> records;
  for (const auto &[id, listing] : catalogue_) {
    const Instrument &instrument = listing.instrument;
    if (Matches(TextOf(query.InstrumentID), id) && Matches(TextOf(query.ExchangeInstID), id) &&
        Matches(TextOf(query.ExchangeID), instrument.exchange) &&
        Matches(TextOf(query.ProductID), instrument.product)) {
      records.push_back(InstrumentRecord(instrument));
    }
  }
  SendAll(outbox_, link, EventId::OnRspQryInstrument, records, request_id);
}

void Broker::QueryDepthMarketData(const Link &link, const CThostFtdcQryDepthMarketDataField &query,
                                  int request_id) {
  Transaction transaction(*this);
  if (!RequireLogin(ConnectionOf(link), Event(EventId::OnRspQryDepthMarketData), ViewOf(query),
                    request_id)) {
    return;
  }
  std::vector<CThostFtdcDepthMarketDataField> records;
  for (const auto &[id, listing] : catalogue_) {
    if (Matches(TextOf(query.InstrumentID), id) &&
        Matches(TextOf(query.ExchangeID), listing.instrument.exchange)) {
      records.push_back(DepthMarketDataRecord(listing, TradingDayNow()));
    }
  }
  SendAll(outbox_, link, EventId::OnRspQryDepthMarketData, records, request_id);
}

void Broker::QuerySettlementInfo(const Link &link, const CThostFtdcQrySettlementInfoField &query,
                                 int request_id) {
  Transaction transaction(*this);
  const Session *session = RequireLogin(ConnectionOf(link), Event(EventId::OnRspQrySettlementInfo),
                                        ViewOf(query), request_id);
  if (session == nullptr) return;
  std::vector<CThostFtdcSettlementInfoField> records;
  if (Matches(TextOf(query.CurrencyID), "CNY")) {
    if (std::optional<Statement> statement =
            store_->FindStatement(session->investor, TextOf(query.TradingDay))) {
      RecordOwner owner = OwnerOf(*session);
      owner.trading_day = statement->trading_day;
      records = SettlementInfoRecords(statement->text, owner);
    }
  }
  SendAll(outbox_, link, EventId::OnRspQrySettlementInfo, records, request_id);
}

void Broker::QuerySettlementConfirmation(const Link &link,
                                         const CThostFtdcQrySettlementInfoConfirmField &query,
                                         int request_id) {
  Transaction transaction(*this);
  const Session *session = RequireLogin(
      ConnectionOf(link), Event(EventId::OnRspQrySettlementInfoConfirm), ViewOf(query), request_id);
  if (session == nullptr) return;
  std::vector<CThostFtdcSettlementInfoConfirmField> records;
  const Account account = AccountOf(*session);
  if (!account.confirmed_day.empty()) records.push_back(ConfirmationRecord(*session, account));
  SendAll(outbox_, link, EventId::OnRspQrySettlementInfoConfirm, records, request_id);
}

void Broker::QueryReference(const Link &link, int response_event, const RecordView &query,
                            int request_id, const ReferenceAnswer &answer) {
  Transaction transaction(*this);
  const Session *session = RequireLogin(ConnectionOf(link), response_event, query, request_id);
  if (session == nullptr) return;
  const std::vector<std::vector<unsigned char>> records = answer(catalogue_, OwnerOf(*session));
  if (records.empty()) {
    outbox_.Send(link, response_event, EmptyResponse(std::nullopt, request_id));
    return;
  }
  for (std::size_t index = 0; index < records.size(); ++index) {
    EventArgs args;
    args.record = records[index];
    args.number = request_id;
    args.is_last = index + 1 == records.size();
    outbox_.Send(link, response_event, std::move(args));
  }
}

void Broker::AnswerNothing(const Link &link, int response_event, const RecordView &query,
                           int request_id) {
  Transaction transaction(*this);
  if (!RequireLogin(ConnectionOf(link), response_event, query, request_id)) return;
  outbox_.Send(link, response_event, EmptyResponse(std::nullopt, request_id));
}

void Broker::Refuse(const Link &link, int response_event, const RecordView &request,
                    int request_id) {
  Transaction transaction(*this);
  // A way of logging in that the broker does not offer is refused as such, logged in or not.
  const bool logs_in = response_event == Event(EventId::OnRspUserLogin);
  if (!logs_in && !RequireLogin(ConnectionOf(link), response_event, request, request_id)) {
    return;
  }
  outbox_.Send(link, response_event,
               RefusalOf(request, response_event, vendor_error::kUnsupported, request_id));
}

void Broker::RefuseBeyondOrderLimit(const Link &link, int response_event, const RecordView &request,
                                    int request_id) {
  Transaction transaction(*this);
  outbox_.Send(link, response_event,
               RefusalOf(request, response_event, vendor_error::kOrderFrequencyLimit, request_id));
}

void Broker::Disconnect(const ClientLink &link) {
  std::lock_guard<std::mutex> lock(mutex_);
  connections_.erase(&link);
  market_data_connections_.erase(&link);
}

void Broker::SetMarket(const std::string &instrument, const MarketUpdate &update) {
  if (!SetMarketIfListed(instrument, update)) {
    throw std::invalid_argument("no instrument '" + instrument + "' is listed");
  }
}

bool Broker::SetMarketIfListed(const std::string &instrument, const MarketUpdate &update) {
  Transaction transaction(*this);
  auto listing = catalogue_.find(instrument);
  if (listing == catalogue_.end()) return false;
  Market &market = listing->second.market;
  const std::optional<TradePrint> print = PrintOf(update, market);
  market = MovedMarket(listing->second, update);
  market_clock_.Set(update.time);
  MoveSessions();
  // Outside continuous trading the market moves, but what waits keeps waiting: an auction's
  // orders first meet the market continuous trading opens with.
  if (!TradesContinuously(listing->second.instrument)) {
    PublishMarket(listing->second);
    return true;
  }
  for (const char direction : {THOST_FTDC_D_Buy, THOST_FTDC_D_Sell}) {
    for (BookFill &fill : book_.Match(instrument, direction, market, print)) {
      Fill(fill.order, fill.price, fill.volume);
    }
  }
  if (update.last) {
    for (CThostFtdcOrderField &order : book_.Touched(instrument, *update.last)) Trigger(order);
  }
  // What subscribers see is the market after the fills took their lots.
  PublishMarket(listing->second);
  return true;
}

std::optional<Listing> Broker::Listed(const std::string &instrument) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto listing = catalogue_.find(instrument);
  if (listing == catalogue_.end()) return std::nullopt;
  return listing->second;
}

std::optional<CThostFtdcDepthMarketDataField> Broker::MarketRecord(
    const std::string &instrument) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto listing = catalogue_.find(instrument);
  if (listing == catalogue_.end()) return std::nullopt;
  return DepthMarketDataRecord(listing->second, TradingDayNow());
}

void Broker::OpenPublicFlow() {
  // A day's flow opens with every instrument's status: trading continuously, without hours.
  if (sessions_) sessions_->Forget();
  if (store_->FlowLength(kPublicFlow) != 0) {
    MoveSessions(false);
    return;
  }
  if (sessions_) {
    MoveSessions(true);
    return;
  }
  const std::string now = LocalTime();
  for (const auto &[id, listing] : catalogue_) {
    const CThostFtdcInstrumentStatusField status =
        InstrumentStatusOf(listing.instrument, THOST_FTDC_IS_Continous, now);
    PublishPublic(EventId::OnRtnInstrumentStatus, ArgsOf(&status, std::nullopt));
  }
}

void Broker::MoveSessions(bool publish) {
  if (!sessions_) return;
  for (const SessionBoard::Change &change : sessions_->MoveTo(MarketNow())) {
    if (!publish) continue;
    for (const auto &[id, listing] : catalogue_) {
      if (listing.instrument.product != change.product) continue;
      const CThostFtdcInstrumentStatusField status =
          InstrumentStatusOf(listing.instrument, change.status, change.enter_time);
      PublishPublic(EventId::OnRtnInstrumentStatus, ArgsOf(&status, std::nullopt));
    }
    if (change.status == THOST_FTDC_IS_Continous) MatchWaitingOrders(change.product);
  }
}

void Broker::MatchWaitingOrders(const std::string &product) {
  // What waited through an auction or a break meets the market continuous trading opens
  // with as soon as it opens, whichever instrument's tick or order moved the clock there:
  // an order sent later must not take the lots first.
  for (auto &[id, listing] : catalogue_) {
    if (listing.instrument.product != product) continue;
    for (const char direction : {THOST_FTDC_D_Buy, THOST_FTDC_D_Sell}) {
      for (BookFill &fill : book_.Match(id, direction, listing.market, std::nullopt)) {
        Fill(fill.order, fill.price, fill.volume);
      }
    }
  }
}

bool Broker::TradesContinuously(const Instrument &instrument) const {
  return !sessions_ || sessions_->StatusOf(instrument.product) == THOST_FTDC_IS_Continous;
}

bool Broker::TakesOrders(const Instrument &instrument) const {
  return TradesContinuously(instrument) ||
         sessions_->StatusOf(instrument.product) == THOST_FTDC_IS_AuctionOrdering;
}

void Broker::PublishPublic(EventId event, EventArgs args) {
  args.flow_number = store_->AppendFlow(kPublicFlow, FlowEntry{Event(event), args});
  for (const auto &[key, client] : connections_) {
    if (client.session && client.link->subscribed(FlowTopic::Public)) {
      outbox_.Send(client.link, Event(event), args);
    }
  }
}

void Broker::Settle(const std::map<std::string, double> &settlement_prices) {
  Transaction transaction(*this);
  for (const auto &[instrument, price] : settlement_prices) {
    auto listing = catalogue_.find(instrument);
    if (listing == catalogue_.end()) {
      throw std::invalid_argument("no instrument '" + instrument + "' is listed");
    }
    const Market &market = listing->second.market;
    if (!(std::isfinite(price) && price > 0 && listing->second.instrument.OnTick(price)) ||
        (market.upper_limit > 0 && price > market.upper_limit) || price < market.lower_limit) {
      throw std::invalid_argument("the settlement price " + std::to_string(price) + " of '" +
                                  instrument +
                                  "' is not a positive price on its tick within the day's limits");
    }
  }
  std::map<std::string, double> prices;
  for (const auto &[id, listing] : catalogue_) {
    auto given = settlement_prices.find(id);
    const Market &market = listing.market;
    prices[id] = given != settlement_prices.end() ? given->second
                 : market.last > 0                ? market.last
                                                  : market.pre_settlement;
  }

  // The broker takes good-for-day and immediate orders only, and holds conditional orders as
  // good-for-day too: nothing waiting outlives its day.
  for (CThostFtdcOrderField order : store_->RestingOrders()) {
    SetStatus(order, THOST_FTDC_OST_Canceled, THOST_FTDC_OSS_Accepted, status_text::kCanceled,
              MarketNow());
    PublishOrder(order);
  }

  const std::string settled_day = TradingDayNow();
  Catalogue settled = catalogue_;
  for (auto &[id, listing] : settled) listing.market.last = prices.at(id);
  for (Account account : store_->Accounts()) {
    StatementOfDay day;
    day.investor = account.investor;
    day.trading_day = settled_day;
    Holdings holdings(store_->Positions(account.investor));
    day.funds = FundsOf(account, holdings, {}, settled);
    day.trades = store_->Trades(account.investor);
    day.holdings = holdings;
    day.settlement_prices = prices;
    holdings.Settle(prices);
    account.pre_balance = day.funds.balance;
    account.deposit = 0;
    account.withdraw = 0;
    // From now on margin is charged at the settlement prices, and the statement shows it so.
    const Funds rolled = FundsOf(account, holdings, {}, settled);
    day.funds.margin = rolled.margin;
    day.funds.available = rolled.available;
    store_->PutStatement(account.investor, Statement{settled_day, StatementText(day, catalogue_)});
    store_->PutAccount(account);
    store_->PutPositions(account.investor, holdings.legs());
  }

  for (auto &[id, listing] : catalogue_) {
    Market &market = listing.market;
    const Instrument &instrument = listing.instrument;
    market.pre_settlement = prices.at(id);
    market.upper_limit = UpperLimitOf(instrument, market.pre_settlement);
    market.lower_limit = LowerLimitOf(instrument, market.pre_settlement);
    // What yesterday's book quoted outside the new day's limits is gone with it.
    if (market.last > 0 && (market.last < market.lower_limit || market.last > market.upper_limit)) {
      market.last = market.pre_settlement;
    }
    DropLevelsOutsideLimits(market);
    StartNewDay(market);
  }

  trading_day_ = NextTradingDay(settled_day, holidays_);
  store_->StartTradingDay(trading_day_);
  store_->PutTradingDay(trading_day_);
  for (auto &[key, connection] : connections_) {
    connection.session.reset();
    connection.authenticated = false;
  }
  // Each login to the new day receives its flow from the start.
  OpenPublicFlow();
  for (auto &[key, connection] : market_data_connections_) {
    connection.EndLogin();
  }
}

MarketTime Broker::MarketNow() const { return market_clock_.Now(); }

const std::string &Broker::TradingDayNow() const {
  const std::optional<MarketTime> &time = market_clock_.given_time();
  if (!time) return trading_day_;
  const bool night = InNightSession(*time);
  if (clock_day_.trading_day.empty() || clock_day_.action_day != time->action_day ||
      clock_day_.night != night) {
    clock_day_ = ClockDay{time->action_day, night, TradingDayOf(*time, holidays_)};
  }
  return std::max(trading_day_, clock_day_.trading_day);
}

std::string Broker::trading_day() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return trading_day_;
}

bool Broker::HasConnections() {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto connection = connections_.begin(); connection != connections_.end();) {
    if (connection->second.link->open()) return true;
    connection = connections_.erase(connection);
  }
  for (auto connection = market_data_connections_.begin();
       connection != market_data_connections_.end();) {
    if (connection->second.link->open()) return true;
    connection = market_data_connections_.erase(connection);
  }
  return false;
}

BrokerConfig Broker::Configuration() const {
  std::lock_guard<std::mutex> lock(mutex_);
  BrokerConfig config;
  config.accounts = declared_accounts_;
  config.catalogue = catalogue_;
  config.limits = limits_;
  config.exchanges = exchanges_;
  config.store_path = store_path_;
  config.trading_day = trading_day_;
  config.holidays = holidays_;
  config.md_front = md_front_;
  if (sessions_) config.trading_hours = sessions_->hours();
  return config;
}

void Broker::Publish(const std::string &investor, EventId event, EventArgs args) {
  args.flow_number = store_->AppendFlow(investor, FlowEntry{Event(event), args});
  for (const auto &[key, client] : connections_) {
    if (client.session && client.session->investor == investor &&
        client.link->subscribed(FlowTopic::Private)) {
      outbox_.Send(client.link, Event(event), args);
    }
  }
}

void Broker::PublishOrder(const CThostFtdcOrderField &order) {
  store_->PutOrder(order);
  book_.Put(order);
  Publish(TextOf(order.InvestorID), EventId::OnRtnOrder, ArgsOf(&order, std::nullopt));
}

}  // namespace simtrader
