// One connection of an API object to its broker, as the broker holds it: the way to that
// object's thread. The broker's events wait in the link until the object's thread raises
// them; when the line drops, those still waiting are raised ahead of the disconnection, and
// nothing is sent on the link after it closes.
#ifndef SIMTRADER_BROKER_CLIENT_LINK_H
#define SIMTRADER_BROKER_CLIENT_LINK_H

#include <deque>
#include <memory>
#include <mutex>
#include <utility>

#include "ThostFtdcTraderApi.h"
#include "event_table.h"
#include "request_handler.h"

namespace simtrader {

class ClientLink : public std::enable_shared_from_this<ClientLink> {
 public:
  ClientLink(std::shared_ptr<ApiMailbox> mailbox, THOST_TE_RESUME_TYPE private_resume_type)
      : mailbox_(std::move(mailbox)), private_resume_type_(private_resume_type) {}

  // Queues the event for the object's thread; false once the link is closed or its object
  // released.
  bool Send(int event, EventArgs args);
  // On the object's thread, as the line drops: raises every event sent and not raised yet.
  void RaisePending(EventRaiser &raiser);
  void Close();
  bool open() const;
  // How the object subscribed to its private flow.
  THOST_TE_RESUME_TYPE private_resume_type() const { return private_resume_type_; }

 private:
  // Raises the oldest waiting event, if RaisePending has not raised it already.
  void RaiseNext(EventRaiser &raiser);
  // Takes the oldest waiting event; false when none waits.
  bool TakeNext(std::pair<int, EventArgs> &event);

  const std::shared_ptr<ApiMailbox> mailbox_;
  const THOST_TE_RESUME_TYPE private_resume_type_;
  mutable std::mutex mutex_;
  bool closed_ = false;  // guarded by mutex_
  // Sent and not raised yet, oldest first; each has a RaiseNext posted for it. Guarded by
  // mutex_.
  std::deque<std::pair<int, EventArgs>> waiting_;
};

}  // namespace simtrader

#endif
