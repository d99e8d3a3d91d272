#include "request_handler.h"

#include <mutex>
#include <utility>

#include "broker/broker_request_handler.h"
#include "broker/market_data_request_handler.h"

namespace simtrader {

namespace {

std::mutex factory_mutex;
RequestHandlerFactory installed_factory;

}  // namespace

std::vector<std::string> SubscribedIds(const Request &request) {
  std::vector<std::string> ids;
  constexpr std::size_t kSlot = sizeof(TThostFtdcInstrumentIDType);
  for (std::size_t offset = 0; offset + kSlot <= request.record.size(); offset += kSlot) {
    ids.emplace_back(request.record.c_str() + offset);
  }
  return ids;
}

std::unique_ptr<RequestHandler> MakeRequestHandler(const HandlerContext &context) {
  RequestHandlerFactory factory;
  {
    std::lock_guard<std::mutex> lock(factory_mutex);
    factory = installed_factory;
  }
  if (factory) return factory(context);
  if (context.kind == ApiKind::MarketData) return MakeMarketDataRequestHandler(context);
  return MakeBrokerRequestHandler(context);
}

void SetRequestHandlerFactory(RequestHandlerFactory factory) {
  std::lock_guard<std::mutex> lock(factory_mutex);
  installed_factory = std::move(factory);
}

}  // namespace simtrader
