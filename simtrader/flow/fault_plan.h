// Faults armed by fail_next/throw_next: the next call of an operation returns a given result
// or throws a given exception instead of doing its work.
#ifndef SIMTRADER_FLOW_FAULT_PLAN_H
#define SIMTRADER_FLOW_FAULT_PLAN_H

#include <atomic>
#include <cstddef>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "operation.h"

namespace simtrader {

// The exceptions a call can be made to throw, by the name a test gives.
#define SIMTRADER_THROW_KINDS(X)                       \
  X(bad_alloc, Described<std::bad_alloc>(message))     \
  X(bad_cast, Described<std::bad_cast>(message))       \
  X(bad_typeid, Described<std::bad_typeid>(message))   \
  X(domain_error, std::domain_error(message))          \
  X(invalid_argument, std::invalid_argument(message))  \
  X(ios_base_failure, std::ios_base::failure(message)) \
  X(out_of_range, std::out_of_range(message))          \
  X(overflow_error, std::overflow_error(message))      \
  X(range_error, std::range_error(message))            \
  X(underflow_error, std::underflow_error(message))    \
  X(runtime_error, std::runtime_error(message))        \
  X(logic_error, std::logic_error(message))            \
  X(unknown, UnknownFault{message})

enum class ThrowKind {
#define SIMTRADER_THROW_KIND_ENUMERATOR(Name, Exception) Name,
  SIMTRADER_THROW_KINDS(SIMTRADER_THROW_KIND_ENUMERATOR)
#undef SIMTRADER_THROW_KIND_ENUMERATOR
};

std::optional<ThrowKind> FindThrowKind(std::string_view name);

// The exception types whose constructors take no text still describe themselves with the
// armed message, so that a test can tell its exception from any other of the type.
template <typename Base>
class Described : public Base {
 public:
  explicit Described(std::string message) : message_(std::move(message)) {}
  const char *what() const noexcept override {
    return message_.empty() ? Base::what() : message_.c_str();
  }

 private:
  std::string message_;
};

// What kind "unknown" throws: deliberately not a std::exception, as a caller must also
// survive whatever else a closed library may throw.
struct UnknownFault {
  std::string message;
};

struct Fault {
  static Fault Failing(int result);
  static Fault Throwing(ThrowKind kind, std::string message);

  // Throws the armed exception, or returns the result a failing call reports.
  int Apply() const;

  bool throws;
  int result;
  ThrowKind kind;
  std::string message;
};

// The faults armed for one flow directory (or for the calls made without one), each consumed
// by the next call of its operation, in the order armed.
class FaultPlan {
 public:
  void Arm(Operation operation, Fault fault);
  std::optional<Fault> Take(Operation operation);

 private:
  std::mutex mutex_;
  std::map<Operation, std::deque<Fault>> armed_;
  // The faults in armed_, read without the lock: every call of the object asks, and nearly
  // always nothing is armed. A fault armed before a call (as a test arms it) is seen by it.
  std::atomic<std::size_t> armed_count_{0};
};

}  // namespace simtrader

#endif
