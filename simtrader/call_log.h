// What an API object received, in order: the record behind Quorvan.sim.calls().
#ifndef SIMTRADER_CALL_LOG_H
#define SIMTRADER_CALL_LOG_H

#include <cstddef>
#include <initializer_list>
#include <mutex>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "log_arena.h"
#include "operation.h"

namespace simtrader {

// One argument as a snapshot of the log gives it: None (a null pointer), a bool, an int, or
// bytes (text or a record).
using CallArg = std::variant<std::monostate, bool, long long, std::string>;

struct Call {
  Operation operation;
  std::vector<CallArg> args;
};

// One argument as the log receives and keeps it: CallArg's kinds, with bytes that are the
// caller's until Append copies them into the log.
using ArgView = std::variant<std::monostate, bool, long long, std::string_view>;

ArgView TextArg(const char *text);
ArgView RecordArg(const void *record, std::size_t size);

// Appended to from any thread; read as a snapshot so that a reader never waits for, or sees
// half of, a call in progress.
//
// Every request is logged on its caller's thread, so appending allocates nothing of its own:
// an entry and its bytes are laid out in the log's arena, where they stay unchanged for as
// long as the log lives. A request's record is read from there on the object's thread rather
// than copied a second time.
class CallLog {
 public:
  // The most arguments an operation takes: a request's record and its id.
  static constexpr std::size_t kMaxArgs = 2;

  struct Logged {
    Operation operation;
    std::size_t arg_count;
    ArgView args[kMaxArgs];  // bytes in the log's arena
  };

  // Throws std::length_error for more than kMaxArgs arguments, std::bad_alloc.
  const Logged &Append(Operation operation, std::initializer_list<ArgView> args);
  std::vector<Call> Snapshot() const;

 private:
  // A call and, right behind it in the arena, its bytes; chained in the order appended.
  struct Entry {
    Logged call;
    const Entry *next;
  };

  mutable std::mutex mutex_;
  LogArena arena_;
  const Entry *first_ = nullptr;
  Entry *last_ = nullptr;
  std::size_t count_ = 0;
};

}  // namespace simtrader

#endif
