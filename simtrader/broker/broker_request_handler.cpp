#include "broker/broker_request_handler.h"

#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "broker/broker.h"
#include "broker/broker_connection.h"
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
std::vector<std::vector<unsigned char>> AsBytes(const std::vector<Record> &records) {
  std::vector<std::vector<unsigned char>> bytes;
  for (const Record &record : records) {
    const auto *begin = reinterpret_cast<const unsigned char *>(&record);
    bytes.emplace_back(begin, begin + sizeof record);
  }
  return bytes;
}

class BrokerRequestHandler final : public BrokerConnection {
 public:
  BrokerRequestHandler(std::shared_ptr<Broker> broker, const HandlerContext &context)
      : BrokerConnection(broker, context.mailbox,
                         {context.private_resume_type,
                          std::make_shared<FlowMark>(context.flow_path, FlowTopic::Private)},
                         {context.public_resume_type,
                          std::make_shared<FlowMark>(context.flow_path, FlowTopic::Public)}),
        orders_(broker->flow_limits().orders_per_second) {}

  FlowLimits flow_limits() const override { return broker().flow_limits(); }

 private:
  void Dispatch(const Request &request) override {
    // The two user-system-info operations are not requests: nothing answers them.
    if (request.request_id) Answer(request, *request.request_id);
  }

  // Orders and cancels count against the front's limit when it receives them, here.
  bool BeyondOrderLimit(Operation operation) {
    if (operation != Operation::ReqOrderInsert && operation != Operation::ReqOrderAction) {
      return false;
    }
    return !orders_.TryCount(FlowClock::now());
  }

  void Answer(const Request &request, int id) {
    Broker &broker = this->broker();
    const std::shared_ptr<ClientLink> &link = this->link();
    if (BeyondOrderLimit(request.operation)) {
      const RecordView record{RequestRecordClass(request.operation), request.record};
      return broker.RefuseBeyondOrderLimit(link, *ResponseEventOf(request.operation), record, id);
    }
    switch (request.operation) {
      case Operation::ReqAuthenticate:
        return broker.Authenticate(link, Decode<CThostFtdcReqAuthenticateField>(request), id);
      case Operation::ReqUserLogin:
        return broker.Login(link, Decode<CThostFtdcReqUserLoginField>(request), id);
      case Operation::ReqUserLogout:
        return broker.Logout(link, Decode<CThostFtdcUserLogoutField>(request), id);
      case Operation::ReqUserPasswordUpdate:
        return broker.UpdatePassword(link, Decode<CThostFtdcUserPasswordUpdateField>(request), id);
      case Operation::ReqSettlementInfoConfirm:
        return broker.ConfirmSettlement(link, Decode<CThostFtdcSettlementInfoConfirmField>(request),
                                        id);
      case Operation::ReqOrderInsert:
        return broker.InsertOrder(link, Decode<CThostFtdcInputOrderField>(request), id);
      case Operation::ReqOrderAction:
        return broker.ActOnOrder(link, Decode<CThostFtdcInputOrderActionField>(request), id);
      case Operation::ReqQryOrder:
        return broker.QueryOrders(link, Decode<CThostFtdcQryOrderField>(request), id);
      case Operation::ReqQryTrade:
        return broker.QueryTrades(link, Decode<CThostFtdcQryTradeField>(request), id);
      case Operation::ReqQryInvestorPosition:
        return broker.QueryPositions(link, Decode<CThostFtdcQryInvestorPositionField>(request), id);
      case Operation::ReqQryInvestorPositionDetail:
        return broker.QueryPositionDetails(
            link, Decode<CThostFtdcQryInvestorPositionDetailField>(request), id);
      case Operation::ReqQryTradingAccount:
        return broker.QueryTradingAccount(link, Decode<CThostFtdcQryTradingAccountField>(request),
                                          id);
      case Operation::ReqQryInstrument:
        return broker.QueryInstruments(link, Decode<CThostFtdcQryInstrumentField>(request), id);
      case Operation::ReqQryDepthMarketData:
        return broker.QueryDepthMarketData(link, Decode<CThostFtdcQryDepthMarketDataField>(request),
                                           id);
      case Operation::ReqQrySettlementInfo:
        return broker.QuerySettlementInfo(link, Decode<CThostFtdcQrySettlementInfoField>(request),
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
            link, Decode<CThostFtdcQrySettlementInfoConfirmField>(request), id);
      default:
        break;
    }
    const std::optional<int> response = ResponseEventOf(request.operation);
    if (!response) return;
    const RecordView record{RequestRecordClass(request.operation), request.record};
    if (IsQuery(request.operation)) return broker.AnswerNothing(link, *response, record, id);
    broker.Refuse(link, *response, record, id);
  }

  // Answers a reference data query with what `make(catalogue, query, owner)` returns.
  template <typename Query, typename Make>
  void AnswerFromCatalogue(const Request &request, int id, Make make) {
    const Query query = Decode<Query>(request);
    const RecordView record{RequestRecordClass(request.operation), request.record};
    broker().QueryReference(link(), *ResponseEventOf(request.operation), record, id,
                            [&](const Catalogue &catalogue, const RecordOwner &owner) {
                              return AsBytes(make(catalogue, query, owner));
                            });
  }

  RateWindow orders_;
};

}  // namespace

std::unique_ptr<RequestHandler> MakeBrokerRequestHandler(const HandlerContext &context) {
  return std::make_unique<BrokerRequestHandler>(
      BrokerDirectory::Instance().ForFront(context.front_address), context);
}

}  // namespace simtrader
