#include "broker/market_data_request_handler.h"

#include <utility>

#include "broker/broker.h"
#include "broker/broker_connection.h"
#include "broker/broker_directory.h"
#include "flow_limits.h"

namespace simtrader {

namespace {

// Follows neither of the trader's flows; its subscriptions are the connection's, and end with
// it.
class MarketDataRequestHandler final : public BrokerConnection {
 public:
  MarketDataRequestHandler(std::shared_ptr<Broker> broker, const HandlerContext &context)
      : BrokerConnection(std::move(broker), context.mailbox, {THOST_TERT_NONE, nullptr},
                         {THOST_TERT_NONE, nullptr}) {}

  // The market-data front limits no queries.
  FlowLimits flow_limits() const override { return FlowLimits::None(); }

 private:
  void Dispatch(const Request &request) override {
    switch (request.operation) {
      case Operation::ReqUserLogin:
        return broker().MarketDataLogin(link(), Decode<CThostFtdcReqUserLoginField>(request),
                                        *request.request_id);
      case Operation::ReqUserLogout:
        return broker().MarketDataLogout(link(), Decode<CThostFtdcUserLogoutField>(request),
                                         *request.request_id);
      case Operation::ReqQryMulticastInstrument:
        return broker().QueryMulticastInstruments(
            link(), Decode<CThostFtdcQryMulticastInstrumentField>(request), *request.request_id);
      default:
        if (IsSubscription(request.operation)) {
          broker().Subscribe(link(), request.operation, SubscribedIds(request));
        }
    }
  }
};

}  // namespace

std::unique_ptr<RequestHandler> MakeMarketDataRequestHandler(const HandlerContext &context) {
  return std::make_unique<MarketDataRequestHandler>(
      BrokerDirectory::Instance().ForMarketDataFront(context.front_address), context);
}

}  // namespace simtrader
