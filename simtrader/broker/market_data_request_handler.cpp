#include "broker/market_data_request_handler.h"

#include <cstring>
#include <utility>

#include "broker/broker.h"
#include "broker/broker_directory.h"
#include "broker/client_link.h"
#include "flow_limits.h"

namespace simtrader {

namespace {

template <typename Record>
Record Decode(const Request &request) {
  Record record{};
  std::memcpy(&record, request.record.data(), std::min(request.record.size(), sizeof record));
  return record;
}

// A connection lasts from the line coming up to its going down, as the trader's does
// (broker_request_handler.cpp): a request meeting a line that is down was never sent, and
// the subscriptions, which are the connection's, end with it.
class MarketDataRequestHandler final : public RequestHandler {
 public:
  MarketDataRequestHandler(std::shared_ptr<Broker> broker, HandlerContext context)
      : broker_(std::move(broker)), context_(std::move(context)) {}

  ~MarketDataRequestHandler() override { Drop(); }

  void Handle(const Request &request) override {
    if (!link_) {
      if (line_down_) return;
      Open();
    }
    Broker &broker = *broker_;
    switch (request.operation) {
      case Operation::ReqUserLogin:
        return broker.MarketDataLogin(link_, Decode<CThostFtdcReqUserLoginField>(request),
                                      *request.request_id);
      case Operation::ReqUserLogout:
        return broker.MarketDataLogout(link_, Decode<CThostFtdcUserLogoutField>(request),
                                       *request.request_id);
      case Operation::ReqQryMulticastInstrument:
        return broker.QueryMulticastInstruments(
            link_, Decode<CThostFtdcQryMulticastInstrumentField>(request), *request.request_id);
      default:
        if (IsSubscription(request.operation)) {
          broker.Subscribe(link_, request.operation, SubscribedIds(request));
        }
    }
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

  // The market-data front limits no queries.
  FlowLimits flow_limits() const override { return FlowLimits::None(); }

 private:
  // A market-data connection follows neither flow of the trader's.
  void Open() {
    const FlowSubscription none{THOST_TERT_NONE, nullptr};
    link_ = std::make_shared<ClientLink>(context_.mailbox, none, none);
  }

  void Drop() {
    if (!link_) return;
    link_->Close();
    broker_->Disconnect(*link_);
    link_.reset();
  }

  const std::shared_ptr<Broker> broker_;
  const HandlerContext context_;
  // Touched on the object's thread only.
  std::shared_ptr<ClientLink> link_;
  bool line_down_ = false;
};

}  // namespace

std::unique_ptr<RequestHandler> MakeMarketDataRequestHandler(const HandlerContext &context) {
  return std::make_unique<MarketDataRequestHandler>(
      BrokerDirectory::Instance().ForMarketDataFront(context.front_address), context);
}

}  // namespace simtrader
