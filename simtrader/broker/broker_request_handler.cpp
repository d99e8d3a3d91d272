#include "broker/broker_request_handler.h"

#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "broker/broker.h"
#include "broker/broker_directory.h"
#include "broker/client_link.h"
#include "broker/reference_data.h"
#include "flow_limits.h"

namespace simtrader {

namespace {

// The record a request carries, as the vendor declares it ("InputOrderField").
const char *RequestRecordClass(Operation operation) {
  switch (operation) {
#define REQUEST(Name, Record, Param) \
  case Operation::Name:              \
    return #Record "Field";
#include "requests.def"
    default:
      return "";
  }
}

// The event a request is answered with: "OnRsp" and the request's name without "Req"; the
// login variants are all answered as a login.
std::optional<int> ResponseEventOf(Operation operation) {
  const std::string_view name = OperationName(operation);
  if (name.rfind("ReqUserLoginWith", 0) == 0) return static_cast<int>(EventId::OnRspUserLogin);
  if (name.rfind("Req", 0) != 0) return std::nullopt;
  return FindEvent("OnRsp" + std::string(name.substr(3)));
}

template <typename Record>
Record Decode(const Request &request) {
  Record record{};
  std::memcpy(&record, request.record.data(), std::min(request.record.size(), sizeof record));
  return record;
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

// A connection to the broker lasts from the line coming up to its going down. The API object
// hands over what it accepted before a drop ahead of the drop and accepts nothing while the
// line is down, so a request meeting a line that is down is one no caller was told was sent:
// it is dropped unanswered. Requests queued before the first connection (sent before Init) go
// out once the handler runs.
class BrokerRequestHandler final : public RequestHandler {
 public:
  BrokerRequestHandler(std::shared_ptr<Broker> broker, HandlerContext context)
      : broker_(std::move(broker)),
        context_(std::move(context)),
        orders_(broker_->flow_limits().orders_per_second),
        private_flow_{context_.private_resume_type,
                      std::make_shared<FlowMark>(context_.flow_path, FlowTopic::Private)},
        public_flow_{context_.public_resume_type,
                     std::make_shared<FlowMark>(context_.flow_path, FlowTopic::Public)} {}

  ~BrokerRequestHandler() override { Drop(); }

  void Handle(const Request &request) override {
    if (!link_) {
      if (line_down_) return;
      Open();
    }
    // The two user-system-info operations are not requests: nothing answers them.
    if (!request.request_id) return;
    Dispatch(request, *request.request_id);
  }

  void Connected() override {
    line_down_ = false;
    if (!link_) Open();
  }

  void Disconnected(EventRaiser &raiser) override {
    line_down_ = true;
    if (link_) link_->RaisePending(raiser);
    Drop();
  }

  FlowLimits flow_limits() const override { return broker_->flow_limits(); }

 private:
  void Open() {
    link_ = std::make_shared<ClientLink>(context_.mailbox, private_flow_, public_flow_);
  }

  void Drop() {
    if (!link_) return;
    link_->Close();
    broker_->Disconnect(*link_);
    link_.reset();
  }

  // Orders and cancels count against the front's limit when it receives them, here.
  bool BeyondOrderLimit(Operation operation) {
    if (operation != Operation::ReqOrderInsert && operation != Operation::ReqOrderAction) {
      return false;
    }
    return !orders_.TryCount(FlowClock::now());
  }

  void Dispatch(const Request &request, int id) {
    Broker &broker = *broker_;
    if (BeyondOrderLimit(request.operation)) {
      const RecordView record{RequestRecordClass(request.operation), request.record};
      return broker.RefuseBeyondOrderLimit(link_, *ResponseEventOf(request.operation), record, id);
    }
    switch (request.operation) {
      case Operation::ReqAuthenticate:
        return broker.Authenticate(link_, Decode<CThostFtdcReqAuthenticateField>(request), id);
      case Operation::ReqUserLogin:
        return broker.Login(link_, Decode<CThostFtdcReqUserLoginField>(request), id);
      case Operation::ReqUserLogout:
        return broker.Logout(link_, Decode<CThostFtdcUserLogoutField>(request), id);
      case Operation::ReqUserPasswordUpdate:
        return broker.UpdatePassword(link_, Decode<CThostFtdcUserPasswordUpdateField>(request), id);
      case Operation::ReqSettlementInfoConfirm:
        return broker.ConfirmSettlement(link_,
                                        Decode<CThostFtdcSettlementInfoConfirmField>(request), id);
      case Operation::ReqOrderInsert:
        return broker.InsertOrder(link_, Decode<CThostFtdcInputOrderField>(request), id);
      case Operation::ReqOrderAction:
        return broker.ActOnOrder(link_, Decode<CThostFtdcInputOrderActionField>(request), id);
      case Operation::ReqQryOrder:
        return broker.QueryOrders(link_, Decode<CThostFtdcQryOrderField>(request), id);
      case Operation::ReqQryTrade:
        return broker.QueryTrades(link_, Decode<CThostFtdcQryTradeField>(request), id);
      case Operation::ReqQryInvestorPosition:
        return broker.QueryPositions(link_, Decode<CThostFtdcQryInvestorPositionField>(request),
                                     id);
      case Operation::ReqQryInvestorPositionDetail:
        return broker.QueryPositionDetails(
            link_, Decode<CThostFtdcQryInvestorPositionDetailField>(request), id);
      case Operation::ReqQryTradingAccount:
        return broker.QueryTradingAccount(link_, Decode<CThostFtdcQryTradingAccountField>(request),
                                          id);
      case Operation::ReqQryInstrument:
        return broker.QueryInstruments(link_, Decode<CThostFtdcQryInstrumentField>(request), id);
      case Operation::ReqQryDepthMarketData:
        return broker.QueryDepthMarketData(link_,
                                           Decode<CThostFtdcQryDepthMarketDataField>(request), id);
      case Operation::ReqQrySettlementInfo:
        return broker.QuerySettlementInfo(link_, Decode<CThostFtdcQrySettlementInfoField>(request),
                                          id);
      case Operation::ReqQryExchange:
        return AnswerFromCatalogue<CThostFtdcQryExchangeField>(
            request, id, [](const Catalogue &catalogue, const auto &query, const RecordOwner &) {
              return ExchangeRecords(catalogue, query);
            });
      case Operation::ReqQryProduct:
        return AnswerFromCatalogue<CThostFtdcQryProductField>(
            request, id, [](const Catalogue &catalogue, const auto &query, const RecordOwner &) {
              return ProductRecords(catalogue, query);
            });
      case Operation::ReqQryInstrumentCommissionRate:
        return AnswerFromCatalogue<CThostFtdcQryInstrumentCommissionRateField>(
            request, id, CommissionRateRecords);
      case Operation::ReqQryInstrumentMarginRate:
        return AnswerFromCatalogue<CThostFtdcQryInstrumentMarginRateField>(request, id,
                                                                           MarginRateRecords);
      case Operation::ReqQryInstrumentOrderCommRate:
        return AnswerFromCatalogue<CThostFtdcQryInstrumentOrderCommRateField>(request, id,
                                                                              OrderCommRateRecords);
      case Operation::ReqQryInvestor:
        return AnswerFromCatalogue<CThostFtdcQryInvestorField>(
            request, id, [](const Catalogue &, const auto &query, const RecordOwner &owner) {
              return InvestorRecords(query, owner);
            });
      case Operation::ReqQryTradingCode:
        return AnswerFromCatalogue<CThostFtdcQryTradingCodeField>(request, id, TradingCodeRecords);
      case Operation::ReqQrySettlementInfoConfirm:
        return broker.QuerySettlementConfirmation(
            link_, Decode<CThostFtdcQrySettlementInfoConfirmField>(request), id);
      default:
        break;
    }
    const std::optional<int> response = ResponseEventOf(request.operation);
    if (!response) return;
    const RecordView record{RequestRecordClass(request.operation), request.record};
    if (IsQuery(request.operation)) return broker.AnswerNothing(link_, *response, record, id);
    broker.Refuse(link_, *response, record, id);
  }

  // Answers a reference data query with what `make(catalogue, query, owner)` returns.
  template <typename Query, typename Make>
  void AnswerFromCatalogue(const Request &request, int id, Make make) {
    const Query query = Decode<Query>(request);
    const RecordView record{RequestRecordClass(request.operation), request.record};
    broker_->QueryReference(link_, *ResponseEventOf(request.operation), record, id,
                            [&](const Catalogue &catalogue, const RecordOwner &owner) {
                              return AsBytes(make(catalogue, query, owner));
                            });
  }

  const std::shared_ptr<Broker> broker_;
  const HandlerContext context_;
  // Touched on the object's thread only.
  std::shared_ptr<ClientLink> link_;
  bool line_down_ = false;
  RateWindow orders_;
  const FlowSubscription private_flow_;
  const FlowSubscription public_flow_;
};

}  // namespace

std::unique_ptr<RequestHandler> MakeBrokerRequestHandler(const HandlerContext &context) {
  return std::make_unique<BrokerRequestHandler>(
      BrokerDirectory::Instance().ForFront(context.front_address), context);
}

}  // namespace simtrader
