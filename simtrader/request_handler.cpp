#include "request_handler.h"

#include <mutex>
#include <utility>

namespace simtrader {

namespace {

class UnansweredRequests final : public RequestHandler {
 public:
  void Handle(const Request &) override {}
};

std::mutex factory_mutex;
RequestHandlerFactory installed_factory;

}  // namespace

std::unique_ptr<RequestHandler> MakeRequestHandler(const std::string &flow_path) {
  RequestHandlerFactory factory;
  {
    std::lock_guard<std::mutex> lock(factory_mutex);
    factory = installed_factory;
  }
  if (factory) return factory(flow_path);
  return std::make_unique<UnansweredRequests>();
}

void SetRequestHandlerFactory(RequestHandlerFactory factory) {
  std::lock_guard<std::mutex> lock(factory_mutex);
  installed_factory = std::move(factory);
}

}  // namespace simtrader
