#include "request_handler.h"

#include <mutex>
#include <utility>

#include "broker/broker_request_handler.h"

namespace simtrader {

namespace {

std::mutex factory_mutex;
RequestHandlerFactory installed_factory;

}  // namespace

std::unique_ptr<RequestHandler> MakeRequestHandler(const HandlerContext &context) {
  RequestHandlerFactory factory;
  {
    std::lock_guard<std::mutex> lock(factory_mutex);
    factory = installed_factory;
  }
  if (factory) return factory(context);
  return MakeBrokerRequestHandler(context);
}

void SetRequestHandlerFactory(RequestHandlerFactory factory) {
  std::lock_guard<std::mutex> lock(factory_mutex);
  installed_factory = std::move(factory);
}

}  // namespace simtrader
