// What an API object received, in order: the record behind Quorvan.sim.calls().
#ifndef SIMTRADER_CALL_LOG_H
#define SIMTRADER_CALL_LOG_H

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "log_arena.h"
#include "operation.h"
#include "spin_lock.h"

namespace simtrader {

// One argument as a snapshot of the log gives it: None (a null pointer), a bool, an int, or
// bytes (text or a record).
using CallArg = std::variant<std::monostate, bool, long long, std::string>;

struct Call {
  Operation operation;
  std::vector<CallArg> args;
};

// One argument as the log receives it: CallArg's kinds, with bytes that are the caller's
// until Append has taken them in.
using ArgView = std::variant<std::monostate, bool, long long, std::string_view>;

ArgView TextArg(const char *text);
ArgView RecordArg(const void *record, std::size_t size);

// Appended to from any thread; read as a snapshot so that a reader never waits for, or sees
// half of, a call in progress.
//
// Every request is logged on its caller's thread and the log keeps every call for as long as
// it lives, so what a call costs is mostly the fresh memory it takes. An entry is therefore
// packed: its arguments follow a small header, and a call's first argument, when it is bytes
// (a request's record), is kept as its difference from the same operation's previous one
// without the words that did not change. An order that differs from the one before in its
// reference and price keeps about 30 bytes of its 392. A request's record is read back from
// there on the object's thread rather than copied a second time.
class CallLog {
 public:
  // The most arguments an operation takes: a request's record and its id.
  static constexpr std::size_t kMaxArgs = 2;

  // A logged call, where the log keeps it: unchanged and in place for as long as the log
  // lives, so it can be read back from any thread the caller hands it to.
  struct Entry;

  // Reads entries back on one thread. It keeps the last record it read of each operation,
  // so that reading a log's records in order takes one step each.
  class Reader {
   public:
    Reader();
    Call Read(const Entry &entry);
    // Writes the bytes of a logged call's argument into `bytes`, whose storage is reused.
    // The argument must be bytes.
    void ReadBytes(const Entry &entry, std::size_t arg, std::string &bytes);

   private:
    struct Latest {
      const Entry *entry = nullptr;
      std::string words;  // its record, padded to whole words
    };
    std::vector<Latest> latest_;  // by operation
  };

  CallLog();

  // Throws std::length_error for more than kMaxArgs arguments or for bytes of 4 GiB or
  // more, std::bad_alloc.
  const Entry &Append(Operation operation, std::initializer_list<ArgView> args);
  std::vector<Call> Snapshot() const;

  static Operation OperationOf(const Entry &entry);

 private:
  // The record last logged for an operation, which the next one is kept as a difference
  // from, and how many differences lie between it and a whole record.
  struct Latest {
    const Entry *entry = nullptr;
    std::string words;
    std::size_t chain = 0;
  };

  // Held for an append's few hundred instructions, and briefly by a snapshot.
  mutable SpinLock lock_;
  LogArena arena_;
  std::vector<Latest> latest_;  // by operation
  const Entry *first_ = nullptr;
  Entry *last_ = nullptr;
  std::size_t count_ = 0;
};

}  // namespace simtrader

#endif
