// What an API object received, in order: the record behind Quorvan.sim.calls().
#ifndef SIMTRADER_CALL_LOG_H
#define SIMTRADER_CALL_LOG_H

#include <cstddef>
#include <mutex>
#include <string>
#include <variant>
#include <vector>

#include "operation.h"

namespace simtrader {

// One argument as the log keeps it: None (a null pointer), a bool, an int, or bytes (text or
// a record, copied during the call).
using CallArg = std::variant<std::monostate, bool, long long, std::string>;

CallArg TextArg(const char *text);
CallArg RecordArg(const void *record, std::size_t size);

struct Call {
  Operation operation;
  std::vector<CallArg> args;
};

// Appended to from any thread; read as a snapshot so that a reader never waits for, or sees
// half of, a call in progress.
class CallLog {
 public:
  void Append(Call call);
  std::vector<Call> Snapshot() const;

 private:
  mutable std::mutex mutex_;
  std::vector<Call> calls_;
};

}  // namespace simtrader

#endif
