// What the request handlers of both kinds of API object share: a connection to a broker that
// lasts from the line coming up to its going down. The API object hands over what it
// accepted before a drop ahead of the drop and accepts nothing while the line is down, so a
// request meeting a line that is down is one no caller was told was sent: it is dropped
// unanswered. Requests queued before the first connection (sent before Init) go out once the
// handler runs.
#ifndef SIMTRADER_BROKER_BROKER_CONNECTION_H
#define SIMTRADER_BROKER_BROKER_CONNECTION_H

#include <memory>

#include "broker/broker.h"
#include "broker/client_link.h"
#include "request_handler.h"

namespace simtrader {

class BrokerConnection : public RequestHandler {
 public:
  // The link made for each connection carries the object's subscriptions to the two flows.
  BrokerConnection(std::shared_ptr<Broker> broker, std::shared_ptr<ApiMailbox> mailbox,
                   FlowSubscription private_flow, FlowSubscription public_flow);
  ~BrokerConnection() override;

  void Handle(const Request &request) final;
  // One transaction of the broker's store for them all.
  void HandleBatch(const NextRequest &next) final;
  void Connected() final;
  void Disconnected(EventRaiser &raiser) final;
  void RaiseReceived(EventRaiser &raiser) final;

 protected:
  // A request arriving on a connection that is up, with its link.
  virtual void Dispatch(const Request &request) = 0;

  Broker &broker() const { return *broker_; }
  const std::shared_ptr<ClientLink> &link() const { return link_; }

 private:
  void Open();
  void Drop();

  const std::shared_ptr<Broker> broker_;
  const std::shared_ptr<ApiMailbox> mailbox_;
  const FlowSubscription private_flow_;
  const FlowSubscription public_flow_;
  // Touched on the object's thread only.
  std::shared_ptr<ClientLink> link_;
  bool line_down_ = false;
};

}  // namespace simtrader

#endif
