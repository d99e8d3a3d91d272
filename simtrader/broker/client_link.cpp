#include "broker/client_link.h"

#include <utility>

namespace simtrader {

bool ClientLink::Send(int event, EventArgs args) {
  if (closed_.load()) return false;
  return mailbox_->Post(
      [link = shared_from_this(), event, args = std::move(args)](EventRaiser &raiser) mutable {
        if (!link->closed_.load()) raiser.Raise(event, args);
      });
}

}  // namespace simtrader
