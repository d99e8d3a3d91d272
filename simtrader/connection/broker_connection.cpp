#include "connection/broker_connection.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "broker/broker.h"
#include "connection/broker_directory.h"
#include "broker/client_link.h"
#include "broker/reference/reference_data.h"
#include "flow/flow_limits.h"

namespace simtrader {

namespace {

// The record a request carries, as the vendor declares it ("InputOrderField").
const char *RequestRecordClass(Operation operation) {
  switch (operation) {
#define REQUEST(Name, Record, ...) \
  case Operation::Name:            \
    return #Record "Field";
#include "requests.def"
    default:
      return "";
  }
}

// A request's record as the vendor's struct, zero where the request carried less.
template <typename Record>
Record Decode(const Request &request) {
  Record record{};
  std::memcpy(&record, request.record.data(), std::min(request.record.size(), sizeof record));
  return record;
}

RecordView ViewOfRequest(const Request &request) {
  return RecordView{RequestRecordClass(request.operation), request.record};
}

template <typename Record>
std::vector<std::vector<unsigned char>> AsBytes(const std::vector<Record> &records) {
  std::vector<std::vector<unsigned char>> bytes;
  for (const Record &record : records) {
    const auto *begin = reinterpret_cast<const unsigned char *>(&record);
    bytes.emplace_back(begin, begin + sizeof record);
  }
  return bytes;
}

// How the broker answers one operation: `answer` is the request's table Answer.
using Route = void (*)(Broker &broker, const Broker::Link &link, const Request &request,
                       int answer);

// The broker's method for a request of one record: its record type, read off its signature.
template <typename Method>
struct MethodRecord;
template <typename Record>
struct MethodRecord<void (Broker::*)(const Broker::Link &, const Record &, int)> {
  using type = Record;
};

template <auto method>
void Serve(Broker &broker, const Broker::Link &link, const Request &request, int) {
  using Record = typename MethodRecord<decltype(method)>::type;
  (broker.*method)(link, Decode<Record>(request), *request.request_id);
}

// A query the catalogue answers (reference_data.h), `make` giving the records from the
// catalogue, the query and the investor that owns them.
template <typename Query, auto make>
void FromCatalogue(Broker &broker, const Broker::Link &link, const Request &request, int answer) {
  const Query query = Decode<Query>(request);
  broker.QueryReference(link, answer, ViewOfRequest(request), *request.request_id,
                        [&](const Catalogue &catalogue, const RecordOwner &owner) {
                          return AsBytes(make(catalogue, query, owner));
                        });
}

std::vector<CThostFtdcExchangeField> Exchanges(const Catalogue &catalogue,
                                               const CThostFtdcQryExchangeField &query,
                                               const RecordOwner &) {
  return ExchangeRecords(catalogue, query);
}

std::vector<CThostFtdcProductField> Products(const Catalogue &catalogue,
                                             const CThostFtdcQryProductField &query,
                                             const RecordOwner &) {
  return ProductRecords(catalogue, query);
}

std::vector<CThostFtdcInvestorField> Investors(const Catalogue &,
                                               const CThostFtdcQryInvestorField &query,
                                               const RecordOwner &owner) {
  return InvestorRecords(query, owner);
}

// What the broker serves that it does not answer in a route: a query it keeps nothing for
// gets one empty last response, anything else the vendor's "unsupported".
void Unserved(Broker &broker, const Broker::Link &link, const Request &request, int answer) {
  if (IsQuery(request.operation)) {
    return broker.AnswerNothing(link, answer, ViewOfRequest(request), *request.request_id);
  }
  broker.Refuse(link, answer, ViewOfRequest(request), *request.request_id);
}

void Subscribe(Broker &broker, const Broker::Link &link, const Request &request, int) {
  broker.Subscribe(link, request.operation, SubscribedIds(request));
}

struct RouteRow {
  Operation operation;
  Route route;
};

constexpr RouteRow kTraderRoutes[] = {
    {Operation::ReqAuthenticate, Serve<&Broker::Authenticate>},
    {Operation::ReqUserLogin, Serve<&Broker::Login>},
    {Operation::ReqUserLogout, Serve<&Broker::Logout>},
    {Operation::ReqUserPasswordUpdate, Serve<&Broker::UpdatePassword>},
    {Operation::ReqSettlementInfoConfirm, Serve<&Broker::ConfirmSettlement>},
    {Operation::ReqOrderInsert, Serve<&Broker::InsertOrder>},
    {Operation::ReqOrderAction, Serve<&Broker::ActOnOrder>},
    {Operation::ReqQryOrder, Serve<&Broker::QueryOrders>},
    {Operation::ReqQryTrade, Serve<&Broker::QueryTrades>},
    {Operation::ReqQryInvestorPosition, Serve<&Broker::QueryPositions>},
    {Operation::ReqQryInvestorPositionDetail, Serve<&Broker::QueryPositionDetails>},
    {Operation::ReqQryTradingAccount, Serve<&Broker::QueryTradingAccount>},
    {Operation::ReqQryInstrument, Serve<&Broker::QueryInstruments>},
    {Operation::ReqQryDepthMarketData, Serve<&Broker::QueryDepthMarketData>},
    {Operation::ReqQrySettlementInfo, Serve<&Broker::QuerySettlementInfo>},
    {Operation::ReqQrySettlementInfoConfirm, Serve<&Broker::QuerySettlementConfirmation>},
    {Operation::ReqQryExchange, FromCatalogue<CThostFtdcQryExchangeField, Exchanges>},
    {Operation::ReqQryProduct, FromCatalogue<CThostFtdcQryProductField, Products>},
    {Operation::ReqQryInstrumentCommissionRate,
     FromCatalogue<CThostFtdcQryInstrumentCommissionRateField, CommissionRateRecords>},
    {Operation::ReqQryInstrumentMarginRate,
     FromCatalogue<CThostFtdcQryInstrumentMarginRateField, MarginRateRecords>},
    {Operation::ReqQryInstrumentOrderCommRate,
     FromCatalogue<CThostFtdcQryInstrumentOrderCommRateField, OrderCommRateRecords>},
    {Operation::ReqQryInvestor, FromCatalogue<CThostFtdcQryInvestorField, Investors>},
    {Operation::ReqQryTradingCode,
     FromCatalogue<CThostFtdcQryTradingCodeField, TradingCodeRecords>},
};

constexpr RouteRow kMarketDataRoutes[] = {
    {Operation::ReqUserLogin, Serve<&Broker::MarketDataLogin>},
    {Operation::ReqUserLogout, Serve<&Broker::MarketDataLogout>},
    {Operation::ReqQryMulticastInstrument, Serve<&Broker::QueryMulticastInstruments>},
#define SUBSCRIPTION(Name, ...) {Operation::Name, Subscribe},
#include "md_requests.def"
};

using Routes = std::array<Route, kOperationCount>;

// Every request of the kind's table is routed, the trader's unrouted ones to Unserved; an
// operation the kind does not send stays null.
template <std::size_t count>
Routes RoutesOf(const RouteRow (&rows)[count], ApiKind kind) {
  Routes routes{};
  if (kind == ApiKind::Trader) {
#define REQUEST(Name, ...) routes[static_cast<int>(Operation::Name)] = Unserved;
#include "requests.def"
  }
  for (const RouteRow &row : rows) routes[static_cast<int>(row.operation)] = row.route;
  return routes;
}

const Routes &RoutesOf(ApiKind kind) {
  static const Routes trader = RoutesOf(kTraderRoutes, ApiKind::Trader);
  static const Routes market_data = RoutesOf(kMarketDataRoutes, ApiKind::MarketData);
  return kind == ApiKind::Trader ? trader : market_data;
}

// How an object subscribed to one of its flows: the trader's flows are marked in its flow
// directory; a market-data object follows neither, its subscriptions being the connection's.
FlowSubscription FlowOf(const ConnectionContext &context, FlowTopic topic) {
  if (context.kind == ApiKind::MarketData) return {THOST_TERT_NONE, nullptr};
  return {topic == FlowTopic::Private ? context.private_resume_type : context.public_resume_type,
          std::make_shared<FlowMark>(context.flow_path, topic)};
}

class BrokerConnection final : public Connection {
 public:
  BrokerConnection(std::shared_ptr<Broker> broker, const ConnectionContext &context)
      : broker_(std::move(broker)),
        mailbox_(context.mailbox),
        events_(EventsOf(context.kind)),
        routes_(RoutesOf(context.kind)),
        private_flow_(FlowOf(context, FlowTopic::Private)),
        public_flow_(FlowOf(context, FlowTopic::Public)),
        // The market-data front limits nothing.
        limits_(context.kind == ApiKind::Trader ? broker_->flow_limits() : FlowLimits::None()),
        orders_(limits_.orders_per_second) {}

  ~BrokerConnection() override { Drop(); }

  void Handle(const Request &request) override {
    if (!link_) Open();
    const Route route = routes_[static_cast<int>(request.operation)];
    // The two user-system-info operations are not requests: nothing answers them.
    if (route == nullptr) return;
    const int answer = *events_.AnswerTo(request.operation);
    // Orders and cancels count against the front's limit when it receives them, here.
    if (KindOf(request.operation) == RequestKind::Order && !orders_.TryCount(FlowClock::now())) {
      return broker_->RefuseBeyondOrderLimit(link_, answer, ViewOfRequest(request),
                                             *request.request_id);
    }
    route(*broker_, link_, request, answer);
  }

  // One transaction of the broker's store for them all.
  void HandleBatch(const NextRequest &next) override {
    std::optional<Request> request = next(0);
    if (!request) return;
    Broker::Batch batch(*broker_);
    do {
      Handle(*request);
    } while (batch.open() && (request = next(batch.answers_held())));
  }

  void Connected() override {
    if (!link_) Open();
  }

  void Disconnected(EventRaiser &raiser) override {
    RaiseReceived(raiser);
    Drop();
  }

  void RaiseReceived(EventRaiser &raiser) override {
    if (link_) link_->RaisePending(raiser);
  }

  FlowLimits flow_limits() const override { return limits_; }

 private:
  void Open() { link_ = std::make_shared<ClientLink>(mailbox_, private_flow_, public_flow_); }

  void Drop() {
    if (!link_) return;
    link_->Close();
    broker_->Disconnect(*link_);
    link_.reset();
  }

  const std::shared_ptr<Broker> broker_;
  const std::shared_ptr<ApiMailbox> mailbox_;
  const EventTable &events_;
  const Routes &routes_;
  const FlowSubscription private_flow_;
  const FlowSubscription public_flow_;
  const FlowLimits limits_;
  // Touched on the object's thread only.
  RateWindow orders_;
  std::shared_ptr<ClientLink> link_;
};

}  // namespace

std::unique_ptr<Connection> MakeBrokerConnection(const ConnectionContext &context) {
  BrokerDirectory &directory = BrokerDirectory::Instance();
  std::shared_ptr<Broker> broker = context.kind == ApiKind::Trader
                                       ? directory.ForFront(context.front_address)
                                       : directory.ForMarketDataFront(context.front_address);
  return std::make_unique<BrokerConnection>(std::move(broker), context);
}

}  // namespace simtrader
