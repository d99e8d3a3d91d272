#include "broker/broker_connection.h"

#include <utility>

namespace simtrader {

BrokerConnection::BrokerConnection(std::shared_ptr<Broker> broker,
                                   std::shared_ptr<ApiMailbox> mailbox,
                                   FlowSubscription private_flow, FlowSubscription public_flow)
    : broker_(std::move(broker)),
      mailbox_(std::move(mailbox)),
      private_flow_(std::move(private_flow)),
      public_flow_(std::move(public_flow)) {}

BrokerConnection::~BrokerConnection() { Drop(); }

void BrokerConnection::Handle(const Request &request) {
  if (!link_) {
    if (line_down_) return;
    Open();
  }
  Dispatch(request);
}

void BrokerConnection::HandleBatch(const NextRequest &next) {
  std::optional<Request> request = next(0);
  if (!request) return;
  Broker::Batch batch(*broker_);
  do {
    Handle(*request);
  } while (batch.open() && (request = next(batch.answers_held())));
}

void BrokerConnection::Connected() {
  line_down_ = false;
  if (!link_) Open();
}

void BrokerConnection::Disconnected(EventRaiser &raiser) {
  line_down_ = true;
  RaiseReceived(raiser);
  Drop();
}

void BrokerConnection::RaiseReceived(EventRaiser &raiser) {
  if (link_) link_->RaisePending(raiser);
}

void BrokerConnection::Open() {
  link_ = std::make_shared<ClientLink>(mailbox_, private_flow_, public_flow_);
}

void BrokerConnection::Drop() {
  if (!link_) return;
  link_->Close();
  broker_->Disconnect(*link_);
  link_.reset();
}

}  // namespace simtrader
