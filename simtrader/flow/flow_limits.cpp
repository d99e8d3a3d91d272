#include "flow/flow_limits.h"

#include <algorithm>

#include "event_table.h"

namespace simtrader {

bool RateWindow::TryCount(FlowClock::time_point now) {
  if (!limit_) return true;
  while (!recent_.empty() && now - recent_.front() >= std::chrono::seconds(1)) {
    recent_.pop_front();
  }
  if (recent_.size() >= static_cast<std::size_t>(*limit_)) return false;
  recent_.push_back(now);
  // Only the last `limit_` events can hold back the next one.
  while (recent_.size() > static_cast<std::size_t>(*limit_)) recent_.pop_front();
  return true;
}

QueryFlow::QueryFlow(const FlowLimits &limits)
    : in_flight_limit_(limits.queries_in_flight), sent_(limits.queries_per_second) {}

void QueryFlow::SetLimits(const FlowLimits &limits) {
  std::lock_guard<std::mutex> lock(mutex_);
  in_flight_limit_ = limits.queries_in_flight;
  sent_.set_limit(limits.queries_per_second);
}

int QueryFlow::Admit(Operation operation, int request_id, FlowClock::time_point now) {
  if (!IsQuery(operation)) return 0;
  std::lock_guard<std::mutex> lock(mutex_);
  if (in_flight_limit_ && unanswered_.size() >= static_cast<std::size_t>(*in_flight_limit_)) {
    return kTooManyInFlight;
  }
  if (!sent_.TryCount(now)) return kTooManyPerSecond;
  const std::optional<int> response = AnswerTo(operation);
  unanswered_.push_back(
      Unanswered{response.value_or(static_cast<int>(EventId::OnRspError)), request_id});
  return 0;
}

void QueryFlow::Raised(int event, int request_id, bool is_last) {
  if (!is_last) return;
  std::lock_guard<std::mutex> lock(mutex_);
  const bool error = event == static_cast<int>(EventId::OnRspError);
  auto answered = std::find_if(unanswered_.begin(), unanswered_.end(), [&](const Unanswered &q) {
    return q.request_id == request_id && (error || q.response_event == event);
  });
  if (answered != unanswered_.end()) unanswered_.erase(answered);
}

void QueryFlow::ConnectionLost() {
  std::lock_guard<std::mutex> lock(mutex_);
  unanswered_.clear();
}

}  // namespace simtrader
