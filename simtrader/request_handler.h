// Where the API object's thread hands on each request it received: the seam behind which a
// simulated broker answers them.
#ifndef SIMTRADER_REQUEST_HANDLER_H
#define SIMTRADER_REQUEST_HANDLER_H

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "operation.h"

namespace simtrader {

struct Request {
  Operation operation;
  std::string record;  // the vendor record's bytes, copied during the call
  std::optional<int> request_id;  // absent for the two user-system-info operations
};

// Called on the API object's own thread, one request at a time, in the order received.
class RequestHandler {
 public:
  virtual ~RequestHandler() = default;
  virtual void Handle(const Request &request) = 0;
};

using RequestHandlerFactory =
    std::function<std::unique_ptr<RequestHandler>(const std::string &flow_path)>;

// The handler each new API object gets. Until a factory is installed, requests are received
// and logged but answered by no one.
std::unique_ptr<RequestHandler> MakeRequestHandler(const std::string &flow_path);

// Installs the factory for API objects created from now on; an empty one restores the default.
void SetRequestHandlerFactory(RequestHandlerFactory factory);

}  // namespace simtrader

#endif
