#include "delivery_wait.h"

#include <memory>
#include <vector>

#include "api/api_backend.h"
#include "registry.h"

namespace simtrader {

bool WaitDelivered(const std::optional<std::string> &front, TaskQueue::Clock::time_point deadline) {
  // Objects lent to this thread (a replay's) are delivered by running their work here, which
  // inside one of their callbacks would run others within it.
  if (TaskQueue::InLentTask()) {
    throw WaitOnOwnThread(
        "cannot wait for deliveries inside a callback: its thread delivers the events waited "
        "for, which would wait for itself: wait outside its callbacks");
  }
  std::vector<std::shared_ptr<ApiBackend>> backends;
  for (std::shared_ptr<ApiBackend> &backend : Registry::Instance().Running()) {
    if (front && !Serves(*backend, *front)) continue;
    if (backend->OnWorkerThread() && !backend->LentHere()) {
      throw WaitOnOwnThread("cannot wait for deliveries on the thread of the API object " +
                            QuotedFlowPath(backend->flow_path()) +
                            ", which would wait for itself: wait outside its callbacks");
    }
    backends.push_back(std::move(backend));
  }
  // One object's callback may send a request whose answer goes to another object already
  // found idle: all are idle together only once a whole round finds none that ran anything
  // since the round before.
  std::vector<unsigned long long> before(backends.size());
  bool first_round = true;
  for (;;) {
    bool ran = false;
    for (std::size_t i = 0; i < backends.size(); ++i) {
      unsigned long long started = 0;
      if (backends[i]->LentHere()) {
        if (TaskQueue::Clock::now() >= deadline) return false;
        backends[i]->RunHere();
        started = backends[i]->TasksStarted();
      } else if (!backends[i]->WaitIdle(deadline, started)) {
        return false;
      }
      if (!first_round && started != before[i]) ran = true;
      before[i] = started;
    }
    if (!first_round && !ran) return true;
    first_round = false;
  }
}

}  // namespace simtrader
