#include "broker/client_link.h"

#include <utility>

namespace simtrader {

bool ClientLink::Send(int event, EventArgs args) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_) return false;
    waiting_.emplace_back(event, std::move(args));
  }
  return mailbox_->Post(
      [link = shared_from_this()](EventRaiser &raiser) { link->RaiseNext(raiser); });
}

void ClientLink::RaiseNext(EventRaiser &raiser) {
  std::pair<int, EventArgs> event;
  if (TakeNext(event)) raiser.Raise(event.first, event.second);
}

void ClientLink::RaisePending(EventRaiser &raiser) {
  std::pair<int, EventArgs> event;
  while (TakeNext(event)) raiser.Raise(event.first, event.second);
}

bool ClientLink::TakeNext(std::pair<int, EventArgs> &event) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (closed_ || waiting_.empty()) return false;
  event = std::move(waiting_.front());
  waiting_.pop_front();
  return true;
}

void ClientLink::Close() {
  std::lock_guard<std::mutex> lock(mutex_);
  closed_ = true;
  waiting_.clear();
}

bool ClientLink::open() const {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_) return false;
  }
  return !mailbox_->released();
}

}  // namespace simtrader
