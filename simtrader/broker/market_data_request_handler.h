// The request handler of every market-data object: its logins and subscriptions go to the
// broker whose markets its front publishes, whose answers and ticks come back as events on
// the object's thread.
#ifndef SIMTRADER_BROKER_MARKET_DATA_REQUEST_HANDLER_H
#define SIMTRADER_BROKER_MARKET_DATA_REQUEST_HANDLER_H

#include <memory>

#include "request_handler.h"

namespace simtrader {

std::unique_ptr<RequestHandler> MakeMarketDataRequestHandler(const HandlerContext &context);

}  // namespace simtrader

#endif
