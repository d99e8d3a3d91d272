// Waiting until what a broker sent has been delivered: the moment a market move's fills have
// reached every handler, and whatever those handlers sent in turn has been answered.
#ifndef SIMTRADER_DELIVERY_WAIT_H
#define SIMTRADER_DELIVERY_WAIT_H

#include <optional>
#include <stdexcept>
#include <string>

#include "api/task_queue.h"

namespace simtrader {

// A wait made on the thread of an API object it would wait for, which would never end.
class WaitOnOwnThread : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// Waits until every running API object of `front` (Serves in registry.h; every one, with no
// front)
// has nothing due on its thread, and none ran anything while the others were looked at: the
// events posted to them are raised, their callbacks have returned, and the requests those
// callbacks sent are handled and answered. Work that threads outside the library start
// meanwhile is not waited for. False if `deadline` passes first; throws WaitOnOwnThread on
// the thread of one of those objects.
bool WaitDelivered(const std::optional<std::string> &front, TaskQueue::Clock::time_point deadline);

}  // namespace simtrader

#endif
