// One connection of an API object to its broker, as the broker holds it: the way to that
// object's thread. The link closes when the connection drops; events posted before that but
// not raised yet are then dropped, as a line that goes down loses what was on it.
#ifndef SIMTRADER_BROKER_CLIENT_LINK_H
#define SIMTRADER_BROKER_CLIENT_LINK_H

#include <atomic>
#include <memory>

#include "ThostFtdcTraderApi.h"
#include "event_table.h"
#include "request_handler.h"

namespace simtrader {

class ClientLink : public std::enable_shared_from_this<ClientLink> {
 public:
  ClientLink(std::shared_ptr<SessionMailbox> mailbox, THOST_TE_RESUME_TYPE private_resume_type)
      : mailbox_(std::move(mailbox)), private_resume_type_(private_resume_type) {}

  // Queues the event for the object's thread, to be raised there if the link is still open
  // then; false once the link is closed or its object released.
  bool Send(int event, EventArgs args);
  void Close() { closed_.store(true); }
  bool open() const { return !closed_.load() && !mailbox_->released(); }
  // How the object subscribed to its private flow.
  THOST_TE_RESUME_TYPE private_resume_type() const { return private_resume_type_; }

 private:
  const std::shared_ptr<SessionMailbox> mailbox_;
  const THOST_TE_RESUME_TYPE private_resume_type_;
  std::atomic<bool> closed_{false};
};

}  // namespace simtrader

#endif
