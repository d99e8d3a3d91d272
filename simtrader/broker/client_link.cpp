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
    // A task left behind by an event raised ahead of it raises this one: a line dropping with
    // many requests to answer raises their answers as they come (RaisePending), and one task
    // each would pile up. Those events are all raised within the drop, so none is moved ahead
    // of anything else the object's thread has queued.
    if (raise_tasks_ >= waiting_.size()) return true;
    ++raise_tasks_;
  }
  return mailbox_->Post(
      [link = shared_from_this()](EventRaiser &raiser) { link->RaiseNext(raiser); });
}

void ClientLink::RaiseNext(EventRaiser &raiser) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    --raise_tasks_;
  }
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
