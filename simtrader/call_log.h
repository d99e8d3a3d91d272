// What an API object received, in order: the record behind Quorvan.sim.calls().
#ifndef SIMTRADER_CALL_LOG_H
#define SIMTRADER_CALL_LOG_H

#include <cstddef>
#include <deque>
#include <initializer_list>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "operation.h"

namespace simtrader {

// A list of texts as a subscription passes it: each element its text, or nullopt for a null
// pointer.
using CallTexts = std::vector<std::optional<std::string>>;

// One argument as the log keeps it: None (a null pointer), a bool, an int, bytes (text or
// a record), or a list of texts.
using CallArg = std::variant<std::monostate, bool, long long, std::string, CallTexts>;

struct Call {
  Operation operation;
  std::vector<CallArg> args;
};

// The caller's array of texts, read by Append only.
struct TextsView {
  const char *const *texts;
  std::size_t count;
};

// One argument as the log receives it: CallArg's kinds, with bytes that are the caller's
// until Append has copied them.
using ArgView = std::variant<std::monostate, bool, long long, std::string_view, TextsView>;

ArgView TextArg(const char *text);
ArgView RecordArg(const void *record, std::size_t size);
// `count` texts of `texts`; None for a null array.
ArgView TextsArg(const char *const *texts, std::size_t count);

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
