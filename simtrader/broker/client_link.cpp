#include "broker/client_link.h"

#include <utility>

namespace simtrader {

FlowTopic TopicOf(int event) {
  return event == static_cast<int>(EventId::OnRtnInstrumentStatus) ? FlowTopic::Public
                                                                   : FlowTopic::Private;
}

void ClientLink::SetTradingDay(const std::string &day) {
  std::lock_guard<std::mutex> lock(mutex_);
  trading_day_ = day;
}

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
  if (TakeNext(event)) Raise(raiser, event);
}

void ClientLink::RaisePending(EventRaiser &raiser) {
  std::pair<int, EventArgs> event;
  while (TakeNext(event)) Raise(raiser, event);
}

// A flow's event counts as received once its callback has returned.
void ClientLink::Raise(EventRaiser &raiser, std::pair<int, EventArgs> &event) {
  raiser.Raise(event.first, event.second);
  const long long number = event.second.flow_number;
  if (number == 0) return;
  const std::shared_ptr<FlowMark> &mark = subscription(TopicOf(event.first)).mark;
  if (!mark) return;
  std::string day;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    day = trading_day_;
  }
  mark->Delivered(day, number);
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
