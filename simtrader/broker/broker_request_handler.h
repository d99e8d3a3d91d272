// The request handler every API object gets: it turns the object's requests into calls of the
// simulated broker of its front, whose answers come back as events on the object's thread.
#ifndef SIMTRADER_BROKER_BROKER_REQUEST_HANDLER_H
#define SIMTRADER_BROKER_BROKER_REQUEST_HANDLER_H

#include <memory>

#include "request_handler.h"

namespace simtrader {

std::unique_ptr<RequestHandler> MakeBrokerRequestHandler(const HandlerContext &context);

}  // namespace simtrader

#endif
