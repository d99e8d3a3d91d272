// The vendor's flow control. Its library holds back a query beyond the queries a second it
// allows (-3) and one made while as many earlier queries as it allows are unanswered (-2),
// sending nothing; its brokers refuse orders and cancels beyond the ones a second they take
// from a trader (code 116). Each limit is counted per API object, in real time.
#ifndef SIMTRADER_FLOW_FLOW_LIMITS_H
#define SIMTRADER_FLOW_FLOW_LIMITS_H

#include <chrono>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>

#include "operation.h"

namespace simtrader {

// What a front allows; an empty limit is lifted. The defaults are the vendor's.
struct FlowLimits {
  std::optional<int> queries_per_second = 1;
  std::optional<int> queries_in_flight = 1;
  std::optional<int> orders_per_second;

  static FlowLimits None() { return FlowLimits{std::nullopt, std::nullopt, std::nullopt}; }
};

// The limits by the names a configuration gives them.
struct FlowLimitField {
  const char *key;
  std::optional<int> FlowLimits::*limit;
};
inline constexpr FlowLimitField kFlowLimitFields[] = {
    {"queries_per_second", &FlowLimits::queries_per_second},
    {"queries_in_flight", &FlowLimits::queries_in_flight},
    {"orders_per_second", &FlowLimits::orders_per_second},
};

using FlowClock = std::chrono::steady_clock;

// At most `limit` events in any second: the second before each new event, not a second of
// the clock, so that two events a moment apart are never counted in different seconds.
class RateWindow {
 public:
  explicit RateWindow(std::optional<int> limit) : limit_(limit) {}

  // The events counted so far still count against the new limit; none are counted while
  // there is no limit.
  void set_limit(std::optional<int> limit) { limit_ = limit; }

  // Counts an event at `now`, unless it would be one more than the limit; false then, and
  // nothing is counted.
  bool TryCount(FlowClock::time_point now);

 private:
  std::optional<int> limit_;
  // The times of the last `limit_` events counted, oldest first.
  std::deque<FlowClock::time_point> recent_;
};

// An API object's query limits, as its library applies them: Submit asks before it sends a
// query, the object's thread reports each answer before raising it, and a dropped line
// forgets the queries it will never answer.
class QueryFlow {
 public:
  // Results of Admit, as the vendor's requests return them.
  static constexpr int kTooManyInFlight = -2;
  static constexpr int kTooManyPerSecond = -3;

  explicit QueryFlow(const FlowLimits &limits = FlowLimits());

  // Limits for the queries from now on; what was sent before still counts against them.
  void SetLimits(const FlowLimits &limits);
  // 0 when the request may go out (any request that is not a query may), counting a query
  // as sent and unanswered; otherwise kTooManyInFlight or kTooManyPerSecond, counting
  // nothing. An unanswered query blocks a new one before the rate is looked at, since
  // waiting for its answer is what the caller must do first.
  int Admit(Operation operation, int request_id, FlowClock::time_point now = FlowClock::now());
  // An event about to be raised: the last answer to an unanswered query (its response or
  // OnRspError, with its request id and bIsLast) ends it.
  void Raised(int event, int request_id, bool is_last);
  // The line dropped: what it did not answer before going down is never answered.
  void ConnectionLost();

 private:
  struct Unanswered {
    int response_event;
    int request_id;
  };

  std::mutex mutex_;
  std::optional<int> in_flight_limit_;  // guarded by mutex_
  RateWindow sent_;                     // guarded by mutex_
  std::deque<Unanswered> unanswered_;   // guarded by mutex_, oldest first
};

}  // namespace simtrader

#endif
