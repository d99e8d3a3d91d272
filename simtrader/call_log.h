// What an API object received, in order: the record behind Quorvan.sim.calls().
#ifndef SIMTRADER_CALL_LOG_H
#define SIMTRADER_CALL_LOG_H

#include <cstddef>
#include <deque>
#include <initializer_list>
#include <mutex>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "operation.h"

namespace simtrader {

// One argument as the log keeps it: None (a null pointer), a bool, an int, or bytes (text or
// a record).
using CallArg = std::variant<std::monostate, bool, long long, std::string>;

struct Call {
  Operation operation;
  std::vector<CallArg> args;
};

// One argument as the log receives it: CallArg's kinds, with bytes that are the caller's
// until Append has copied them.
using ArgView = std::variant<std::monostate, bool, long long, std::string_view>;

ArgView TextArg(const char *text);
ArgView RecordArg(const void *record, std::size_t size);

// Appended to from any thread. It keeps the last `capacity` calls only, so that a session of
// a million orders costs the log no more than its first `capacity` did.
class CallLog {
 public:
  explicit CallLog(std::size_t capacity);

  void Append(Operation operation, std::initializer_list<ArgView> args);
  // The calls kept, oldest first.
  std::vector<Call> Snapshot() const;

 private:
  const std::size_t capacity_;
  mutable std::mutex mutex_;
  std::deque<Call> calls_;  // guarded by mutex_
};

}  // namespace simtrader

#endif
