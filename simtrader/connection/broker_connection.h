// One API object's connection to the simulated broker of its front, of either kind: the
// requests the object's thread hands on go to the broker by a table of routes, and the
// broker's answers come back on a link (client_link.h) made each time the line comes up.
// The API object hands over what it accepted before a drop ahead of the drop and accepts
// nothing while the line is down, so the connection keeps no line state of its own: a
// request arriving without a link opens one, as those sent before Init do once the object's
// thread runs.
#ifndef SIMTRADER_CONNECTION_BROKER_CONNECTION_H
#define SIMTRADER_CONNECTION_BROKER_CONNECTION_H

#include <memory>

#include "api/connection.h"

namespace simtrader {

// The connection of an API object started with `context`: to the broker of its front, or for
// a market-data object to the broker whose markets its front publishes.
std::unique_ptr<Connection> MakeBrokerConnection(const ConnectionContext &context);

}  // namespace simtrader

#endif
