// The simulated broker behind one front address, shared by every API object connected to it:
// authentication and login, settlement confirmation, order entry and matching against the
// markets, cancellation, the accounts' bookkeeping, and the queries.
//
// Requests arrive on the API objects' own threads, markets move from any thread; one mutex
// keeps the state whole. Every event is posted to its connection's thread while the mutex is
// held, so that each connection sees events in the order the broker made them, but none is
// raised under it: posting only queues, and the callback that a connection's thread raises
// later may send the next request at once.
#ifndef SIMTRADER_BROKER_BROKER_H
#define SIMTRADER_BROKER_BROKER_H

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ThostFtdcUserApiStruct.h"
#include "broker/client_link.h"
#include "broker/reference/configuration.h"
#include "broker/instruments.h"
#include "broker/order_book.h"
#include "broker/orders.h"
#include "broker/positions.h"
#include "broker/reference/trading_hours.h"
#include "broker/store.h"
#include "event_table.h"
#include "operation.h"
#include "record_fields.h"

namespace simtrader {

// The events a request made, held until its effects are committed to the store: nobody is
// answered what a killed process would not remember.
class Outbox {
 public:
  void Send(const std::shared_ptr<ClientLink> &link, int event, EventArgs args);
  // Sends them, in the order made.
  void Deliver();
  void Discard() { waiting_.clear(); }
  std::size_t size() const { return waiting_.size(); }
  // Drops those sent since the outbox held `kept`: what one request of several answered.
  void DiscardFrom(std::size_t kept) { waiting_.resize(kept); }

 private:
  struct Waiting {
    std::shared_ptr<ClientLink> link;
    int event;
    EventArgs args;
  };
  std::vector<Waiting> waiting_;
};

class Broker {
 public:
  // The FrontID of every session of a broker: the simulation has one front per address.
  static constexpr int kFrontID = 1;

  Broker(const BrokerConfig &config, std::unique_ptr<BrokerStore> store);

  using Link = std::shared_ptr<ClientLink>;

  // Requests handled one after another on one thread, made one transaction of the store: a
  // commit costs more than most requests, and one for many answers them all sooner. The
  // batch holds the mutex from its start to its end, and the broker's requests made on its
  // thread meanwhile join it: each request's effects are kept or forgotten whole within it,
  // and every answer is sent, in order, once the batch's one commit has kept them all.
  class Batch {
   public:
    explicit Batch(Broker &broker);
    ~Batch();
    Batch(const Batch &) = delete;
    Batch &operator=(const Batch &) = delete;

    // The events its requests answered so far, sent when it ends.
    std::size_t answers_held() const { return broker_.outbox_.size(); }
    // False once a request's failure could not be undone alone: the store forgot the whole
    // batch, and a further request must wait for a batch of its own.
    bool open() const { return broker_.batch_open_; }

   private:
    Broker &broker_;
    std::lock_guard<std::mutex> lock_;
  };

  void Authenticate(const Link &link, const CThostFtdcReqAuthenticateField &request,
                    int request_id);
  void Login(const Link &link, const CThostFtdcReqUserLoginField &request, int request_id);
  void Logout(const Link &link, const CThostFtdcUserLogoutField &request, int request_id);
  void UpdatePassword(const Link &link, const CThostFtdcUserPasswordUpdateField &request,
                      int request_id);
  // Confirms the logged-in investor's settlement (whatever investor the request names: a
  // session acts for its own investor only).
  void ConfirmSettlement(const Link &link, const CThostFtdcSettlementInfoConfirmField &request,
                         int request_id);
  void InsertOrder(const Link &link, const CThostFtdcInputOrderField &input, int request_id);
  void ActOnOrder(const Link &link, const CThostFtdcInputOrderActionField &input, int request_id);

  void QueryOrders(const Link &link, const CThostFtdcQryOrderField &query, int request_id);
  void QueryTrades(const Link &link, const CThostFtdcQryTradeField &query, int request_id);
  void QueryPositions(const Link &link, const CThostFtdcQryInvestorPositionField &query,
                      int request_id);
  void QueryPositionDetails(const Link &link, const CThostFtdcQryInvestorPositionDetailField &query,
                            int request_id);
  void QueryTradingAccount(const Link &link, const CThostFtdcQryTradingAccountField &query,
                           int request_id);
  void QueryInstruments(const Link &link, const CThostFtdcQryInstrumentField &query,
                        int request_id);
  void QueryDepthMarketData(const Link &link, const CThostFtdcQryDepthMarketDataField &query,
                            int request_id);
  void QuerySettlementInfo(const Link &link, const CThostFtdcQrySettlementInfoField &query,
                           int request_id);
  void QuerySettlementConfirmation(const Link &link,
                                   const CThostFtdcQrySettlementInfoConfirmField &query,
                                   int request_id);
  // A query the catalogue answers for the logged-in investor (reference_data.h): `answer`
  // makes the records, each as its bytes.
  using ReferenceAnswer = std::function<std::vector<std::vector<unsigned char>>(
      const Catalogue &catalogue, const RecordOwner &owner)>;
  void QueryReference(const Link &link, int response_event, const RecordView &query, int request_id,
                      const ReferenceAnswer &answer);
  // A query about what this broker does not keep: one empty last response, as the vendor
  // gives when there is nothing to report.
  void AnswerNothing(const Link &link, int response_event, const RecordView &query, int request_id);
  // A request this broker does not serve: its response, carrying what a refusal carries, with
  // the vendor's "unsupported" error.
  void Refuse(const Link &link, int response_event, const RecordView &request, int request_id);
  // An order or cancel beyond the orders a second the front takes from an API object: only
  // its response, with the vendor's code 116, whether logged in or not. The front refuses it
  // before it reaches the investor's books, as it refuses a request without a login, so no
  // ErrRtn goes to the private flow: that reports what the books refused, and a later login
  // would replay it.
  void RefuseBeyondOrderLimit(const Link &link, int response_event, const RecordView &request,
                              int request_id);

  // The market-data front publishing this broker's markets (market_data.cpp): a login
  // accepts any identity; subscriptions are the connection's, answered one instrument a
  // response, and a market-data subscription is followed at once by the market of each
  // listed instrument it names, then by every move of that market.
  void MarketDataLogin(const Link &link, const CThostFtdcReqUserLoginField &request,
                       int request_id);
  void MarketDataLogout(const Link &link, const CThostFtdcUserLogoutField &request, int request_id);
  // `operation` is one of the four subscriptions of md_requests.def.
  void Subscribe(const Link &link, Operation operation, const std::vector<std::string> &ids);
  void QueryMulticastInstruments(const Link &link,
                                 const CThostFtdcQryMulticastInstrumentField &query,
                                 int request_id);

  // The connection dropped: its login ends, and nothing more is sent on the link.
  void Disconnect(const ClientLink &link);

  // Moves the instrument's market, setting the broker's market clock to the time the update
  // gives (or back to the local clock without one), then fills the resting orders the new market
  // crosses, in price then time priority up to the volume it offers; a new last price then triggers
  // the held orders whose condition it meets. Throws std::invalid_argument for an instrument not
  // listed or a market MovedMarket refuses.
  void SetMarket(const std::string &instrument, const MarketUpdate &update);
  // The same for an instrument listed; false, moving nothing, for one that is not.
  bool SetMarketIfListed(const std::string &instrument, const MarketUpdate &update);
  std::optional<Listing> Listed(const std::string &instrument) const;
  // The instrument's market as a query of its depth market data answers it; nullopt for an
  // instrument not listed.
  std::optional<CThostFtdcDepthMarketDataField> MarketRecord(const std::string &instrument) const;

  // Ends the trading day, as a broker does overnight: the day's resting orders are cancelled,
  // each account's positions are marked at the settlement prices (the last price, or
  // yesterday's settlement without one, for the instruments `settlement_prices` leaves out),
  // today's positions become yesterday's, each account rolls and gets its statement, and
  // the next trading day begins, each market's limits around its new settlement. The day
  // settled is the one the broker trades in now (TradingDayNow). Every login
  // ends: its connection must log in again to the new day. Throws std::invalid_argument,
  // changing nothing, for an instrument not listed or a price off its tick or outside the
  // day's limits.
  void Settle(const std::map<std::string, double> &settlement_prices);
  std::string trading_day() const;

  // The flow limits the front applies to each API object.
  const FlowLimits &flow_limits() const { return limits_; }

  // Whether an API object that has not been released is connected.
  bool HasConnections();
  // What a configuration of this broker's front starts from: its accounts as declared, its
  // instruments with their markets as they are now.
  BrokerConfig Configuration() const;

 private:
  // A login on a connection: what its requests act for.
  struct Session {
    std::string broker_id;
    std::string investor;
    std::string user_id;
    int session_id = 0;
    // The highest numeric order reference the investor has used today: what the login
    // reports as MaxOrderRef, and what an order sent without a reference is numbered after.
    long long max_order_ref = 0;
    // The highest numeric order reference of this session: the counter takes only references
    // above it.
    long long session_order_ref = 0;
  };
  struct Connection {
    Link link;
    bool authenticated = false;
    std::optional<Session> session;
  };
  // A market-data object's connection: its login and what it subscribed to since.
  struct MarketDataConnection {
    Link link;
    bool logged_in = false;
    std::set<std::string> market_data;
    std::set<std::string> for_quote;

    // The login ends, and with it what it subscribed to.
    void EndLogin() {
      logged_in = false;
      market_data.clear();
      for_quote.clear();
    }
  };

  // One request's work: holds the mutex, makes the request's effects one transaction of the
  // store, and sends what it answered once they are committed. Within a batch of the calling
  // thread it is a savepoint of the batch's transaction instead, and its answers wait for
  // the batch's commit.
  class Transaction {
   public:
    explicit Transaction(Broker &broker);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

   private:
    Broker &broker_;
    const bool batched_;
    // Not taken within a batch, which holds it already.
    std::unique_lock<std::mutex> lock_;
    // What the outbox held when the request began: the batch's earlier answers.
    std::size_t earlier_answers_ = 0;
    const int uncaught_;
  };

  // The end of a transaction: commits it and sends its answers, or, when the commit fails,
  // reports that and sends none.
  void CommitAndAnswer();
  // A transaction failed: the store forgets it, and none of its answers is sent.
  void Forget();
  // The end of a request within a batch: its effects join the batch's, or are forgotten
  // with its answers when the store cannot keep them.
  void KeepRequest(std::size_t earlier_answers);
  void ForgetRequest(std::size_t earlier_answers);

  // Now by the market's clock: every record the broker stamps carries it. Called with the
  // mutex held, which guards the clock.
  MarketTime MarketNow() const;
  // The trading day the broker trades in now: its current day (configured, or the one the
  // last settle began), or the later day the market's clock has moved into, as a night
  // session trades for the next trading day. The local clock does not move the day: a
  // broker left on it keeps its day until settled, at any hour. Valid until the mutex is
  // released.
  const std::string &TradingDayNow() const;

  Connection &ConnectionOf(const Link &link);
  MarketDataConnection &MarketDataConnectionOf(const Link &link);
  // Sends the instrument's market to every market-data connection subscribed to it.
  void PublishMarket(const Listing &listing);
  // Starts the day's public flow when it is empty: every instrument trading continuously.
  void OpenPublicFlow();
  // After a login, the part of a flow the link's subscription asks for: the whole day's for
  // RESTART, what its flow directory has not received for RESUME, nothing past for QUICK.
  void SendPastFlow(const Link &link, FlowTopic topic, const std::string &owner);
  // The connection's login; without one, answers `response_event` with "not logged in",
  // carrying the request's fields as every refusal does.
  Session *RequireLogin(Connection &connection, int response_event, const RecordView &request,
                        int request_id);
  Account AccountOf(const Session &session) const;
  RecordOwner OwnerOf(const Session &session) const;
  OrderOrigin OriginOf(const Session &session, int request_id) const;
  std::vector<CThostFtdcOrderField> RestingOrdersOf(const std::string &investor) const;
  CThostFtdcSettlementInfoConfirmField ConfirmationRecord(const Session &session,
                                                          const Account &account) const;

  // The order checks that need the investor's positions and money.
  std::optional<VendorError> CheckPositionsAndFunds(const CThostFtdcOrderField &order,
                                                    const Listing &listing) const;
  // Moves each product's trading status to the market's time; with `publish`, each change
  // goes to the public flow, for every instrument of the product.
  void MoveSessions(bool publish = true);
  // Matches the waiting orders of `product`'s instruments against their markets, as
  // continuous trading opens.
  void MatchWaitingOrders(const std::string &product);
  // Whether the instrument's exchange is trading it continuously: matching and triggering
  // wait otherwise.
  bool TradesContinuously(const Instrument &instrument) const;
  // Whether its exchange takes orders for the instrument now: in continuous trading or while
  // an opening auction takes orders.
  bool TakesOrders(const Instrument &instrument) const;
  // Posts an event on the public flow: to every logged-in connection that subscribed to it,
  // and into the store for those that will ask it again.
  void PublishPublic(EventId event, EventArgs args);

  // The order reaches its exchange, which rejects it or queues it; what the market offers at
  // once fills it, and an immediate order's rest is cancelled.
  void SendToExchange(CThostFtdcOrderField order);
  // A held order whose condition was met goes to the exchange if the investor can still
  // afford it, and is cancelled with the reason otherwise.
  void Trigger(CThostFtdcOrderField order);
  // Fills `volume` lots of the order at `price`.
  void Fill(CThostFtdcOrderField &order, double price, int volume);
  // Posts an event on the investor's private flow: to every connection logged in as the
  // investor that subscribed to it, and into the store for those that will ask it again.
  void Publish(const std::string &investor, EventId event, EventArgs args);
  void PublishOrder(const CThostFtdcOrderField &order);

  mutable std::mutex mutex_;
  const std::map<std::string, AccountConfig> declared_accounts_;
  const FlowLimits limits_;
  Catalogue catalogue_;
  const ExchangeRulebook exchanges_;
  // The waiting orders of every investor, filed by PublishOrder.
  OrderBook book_;
  const std::optional<std::string> store_path_;
  const std::optional<std::string> md_front_;
  const std::unique_ptr<BrokerStore> store_;
  const Holidays holidays_;
  std::string trading_day_;
  MarketClock market_clock_;
  // The trading day (TradingDayOf) of the last date and session the market's clock was asked
  // in: a replay's ticks ask it of the same one over and over. Its key is all it depends on,
  // the holidays being the broker's for good. Guarded by mutex_.
  struct ClockDay {
    std::string action_day;
    bool night = false;
    std::string trading_day;  // empty until worked out
  };
  mutable ClockDay clock_day_;
  // The products' hours and where their trading stands; none: every instrument trades at
  // any time.
  std::optional<SessionBoard> sessions_;
  std::map<const ClientLink *, Connection> connections_;
  std::map<const ClientLink *, MarketDataConnection> market_data_connections_;
  // What the request in progress answered, or the batch in progress; guarded by mutex_.
  Outbox outbox_;
  // Whether the batch in progress takes further requests; guarded by mutex_.
  bool batch_open_ = false;
};

}  // namespace simtrader

#endif
