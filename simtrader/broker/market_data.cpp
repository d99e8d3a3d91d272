// The market-data front of a broker: logins, subscriptions and the markets it publishes to
// market-data objects. Everything here runs under the broker's mutex, as a transaction of
// its store, and answers through its outbox like the trader's requests.
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "broker/answers.h"
#include "broker/broker.h"
#include "broker/record_text.h"
#include "broker/vendor_errors.h"

namespace simtrader {

namespace {

constexpr int MdEvent(MdEventId event) { return static_cast<int>(event); }

constexpr const char kMarketDataSystemName[] = "Quorvan simulated market data";

// Whether a subscription adds to what the connection receives, and to which of its two
// lists; its response is the table's Answer.
struct SubscriptionKind {
  bool market_data;
  bool subscribes;
};

SubscriptionKind SubscriptionKindOf(Operation operation) {
  switch (operation) {
    case Operation::SubscribeMarketData:
      return {true, true};
    case Operation::UnSubscribeMarketData:
      return {true, false};
    case Operation::SubscribeForQuoteRsp:
      return {false, true};
    case Operation::UnSubscribeForQuoteRsp:
      return {false, false};
    default:
      throw std::invalid_argument(std::string(OperationName(operation)) + " is not a subscription");
  }
}

}  // namespace

Broker::MarketDataConnection &Broker::MarketDataConnectionOf(const Link &link) {
  MarketDataConnection &connection = market_data_connections_[link.get()];
  if (!connection.link) connection.link = link;
  return connection;
}

void Broker::MarketDataLogin(const Link &link, const CThostFtdcReqUserLoginField &request,
                             int request_id) {
  Transaction transaction(*this);
  MarketDataConnection &connection = MarketDataConnectionOf(link);
  connection.logged_in = true;
  const std::string now = LocalTime();
  CThostFtdcRspUserLoginField response{};
  SetText(response.TradingDay, trading_day_);
  SetText(response.LoginTime, now);
  SetText(response.BrokerID, TextOf(request.BrokerID));
  SetText(response.UserID, TextOf(request.UserID));
  SetText(response.SystemName, kMarketDataSystemName);
  response.FrontID = kFrontID;
  response.SessionID = static_cast<int>(store_->Next(Counter::SessionID));
  for (TThostFtdcTimeType *exchange_time :
       {&response.SHFETime, &response.DCETime, &response.CZCETime, &response.FFEXTime,
        &response.INETime, &response.GFEXTime}) {
    SetText(*exchange_time, MarketNow().update_time);
  }
  outbox_.Send(link, MdEvent(MdEventId::OnRspUserLogin),
               ArgsOf(&response, kSuccess, request_id, true));
}

void Broker::MarketDataLogout(const Link &link, const CThostFtdcUserLogoutField &request,
                              int request_id) {
  Transaction transaction(*this);
  MarketDataConnection &connection = MarketDataConnectionOf(link);
  const bool logged_in = connection.logged_in;
  connection.EndLogin();
  outbox_.Send(
      link, MdEvent(MdEventId::OnRspUserLogout),
      ArgsOf(&request, RspInfoOf(logged_in ? vendor_error::kNone : vendor_error::kNotLoggedIn),
             request_id, true));
}

void Broker::Subscribe(const Link &link, Operation operation, const std::vector<std::string> &ids) {
  const SubscriptionKind kind = SubscriptionKindOf(operation);
  const int response = *EventsOf(ApiKind::MarketData).AnswerTo(operation);
  Transaction transaction(*this);
  MarketDataConnection &connection = MarketDataConnectionOf(link);
  std::set<std::string> &subscribed =
      kind.market_data ? connection.market_data : connection.for_quote;
  const CThostFtdcRspInfoField answer =
      RspInfoOf(connection.logged_in ? vendor_error::kNone : vendor_error::kNotLoggedIn);
  for (std::size_t index = 0; index < ids.size(); ++index) {
    CThostFtdcSpecificInstrumentField instrument{};
    SetText(instrument.InstrumentID, ids[index]);
    outbox_.Send(link, response, ArgsOf(&instrument, answer, 0, index + 1 == ids.size()));
    if (!connection.logged_in) continue;
    if (kind.subscribes) {
      subscribed.insert(ids[index]);
    } else {
      subscribed.erase(ids[index]);
    }
  }
  if (!connection.logged_in || !kind.subscribes || !kind.market_data) return;
  // The current market of each listed instrument, once, in the order first named.
  std::set<std::string> sent;
  for (const std::string &id : ids) {
    auto listing = catalogue_.find(id);
    if (listing == catalogue_.end() || !sent.insert(id).second) continue;
    const CThostFtdcDepthMarketDataField market =
        DepthMarketDataRecord(listing->second, TradingDayNow());
    outbox_.Send(link, MdEvent(MdEventId::OnRtnDepthMarketData), ArgsOf(&market, std::nullopt));
  }
}

void Broker::QueryMulticastInstruments(const Link &link,
                                       const CThostFtdcQryMulticastInstrumentField &query,
                                       int request_id) {
  Transaction transaction(*this);
  const int response = MdEvent(MdEventId::OnRspQryMulticastInstrument);
  if (!MarketDataConnectionOf(link).logged_in) {
    outbox_.Send(link, response,
                 RefusalAs(ViewOf(query), EventsOf(ApiKind::MarketData).Get(response).record_class,
                           vendor_error::kNotLoggedIn, request_id));
    return;
  }
  // The simulated front multicasts nothing.
  outbox_.Send(link, response, EmptyResponse(std::nullopt, request_id));
}

void Broker::PublishMarket(const Listing &listing) {
  const std::string &id = listing.instrument.id;
  const int event = MdEvent(MdEventId::OnRtnDepthMarketData);
  // Each subscriber is sent a copy of the record but the last, which takes it.
  EventArgs tick;
  const Link *subscriber = nullptr;
  for (const auto &[key, connection] : market_data_connections_) {
    if (!connection.logged_in || connection.market_data.count(id) == 0) continue;
    if (subscriber != nullptr) {
      outbox_.Send(*subscriber, event, tick);
    } else {
      const CThostFtdcDepthMarketDataField market = DepthMarketDataRecord(listing, TradingDayNow());
      tick = ArgsOf(&market, std::nullopt);
    }
    subscriber = &connection.link;
  }
  if (subscriber != nullptr) outbox_.Send(*subscriber, event, std::move(tick));
}

}  // namespace simtrader
