// One connection of an API object to its broker, as the broker holds it: the way to that
// object's thread. The broker's events wait in the link until the object's thread raises
// them; when the line drops, those still waiting are raised ahead of the disconnection, and
// nothing is sent on the link after it closes.
#ifndef SIMTRADER_BROKER_CLIENT_LINK_H
#define SIMTRADER_BROKER_CLIENT_LINK_H

#include <deque>
#include <string>
#include <memory>
#include <mutex>
#include <utility>

#include "ThostFtdcTraderApi.h"
#include "event_table.h"
#include "flow/flow_mark.h"
#include "api/connection.h"

namespace simtrader {

// How the object subscribed to one of its flows, and where it keeps how far it received it.
struct FlowSubscription {
  THOST_TE_RESUME_TYPE resume_type = THOST_TERT_QUICK;
  std::shared_ptr<FlowMark> mark;  // null: nothing is kept
};

// The flow an event travels on, if any: instrument statuses on the public one, the rest of
// what is numbered on the investor's private one.
FlowTopic TopicOf(int event);

class ClientLink : public std::enable_shared_from_this<ClientLink> {
 public:
  ClientLink(std::shared_ptr<ApiMailbox> mailbox, FlowSubscription private_flow,
             FlowSubscription public_flow)
      : mailbox_(std::move(mailbox)),
        private_flow_(std::move(private_flow)),
        public_flow_(std::move(public_flow)) {}

  // Queues the event for the object's thread; false once the link is closed or its object
  // released.
  bool Send(int event, EventArgs args);
  // On the object's thread, as the line drops: raises every event sent and not raised yet.
  void RaisePending(EventRaiser &raiser);
  void Close();
  bool open() const;
  const FlowSubscription &subscription(FlowTopic topic) const {
    return topic == FlowTopic::Private ? private_flow_ : public_flow_;
  }
  bool subscribed(FlowTopic topic) const {
    return subscription(topic).resume_type != THOST_TERT_NONE;
  }
  // The trading day the flows' events sent from now on belong to, set by the login.
  void SetTradingDay(const std::string &day);

 private:
  // Raises the oldest waiting event, if RaisePending has not raised it already.
  void RaiseNext(EventRaiser &raiser);
  void Raise(EventRaiser &raiser, std::pair<int, EventArgs> &event);
  // Takes the oldest waiting event; false when none waits.
  bool TakeNext(std::pair<int, EventArgs> &event);

  const std::shared_ptr<ApiMailbox> mailbox_;
  const FlowSubscription private_flow_;
  const FlowSubscription public_flow_;
  mutable std::mutex mutex_;
  bool closed_ = false;      // guarded by mutex_
  std::string trading_day_;  // guarded by mutex_
  // Sent and not raised yet, oldest first; each has a RaiseNext posted for it. Guarded by
  // mutex_.
  std::deque<std::pair<int, EventArgs>> waiting_;
  // RaiseNext tasks posted and not yet run: more than the events waiting once RaisePending
  // has raised some ahead of their tasks. Guarded by mutex_.
  std::size_t raise_tasks_ = 0;
};

}  // namespace simtrader

#endif
