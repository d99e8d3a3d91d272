#include "flow/fault_plan.h"

#include <ios>
#include <iterator>
#include <new>
#include <stdexcept>
#include <typeinfo>
#include <utility>

namespace simtrader {

namespace {

constexpr const char *kThrowKindNames[] = {
#define SIMTRADER_THROW_KIND_NAME(Name, Exception) #Name,
    SIMTRADER_THROW_KINDS(SIMTRADER_THROW_KIND_NAME)
#undef SIMTRADER_THROW_KIND_NAME
};

[[noreturn]] void Throw(ThrowKind kind, const std::string &message) {
  switch (kind) {
#define SIMTRADER_THROW_CASE(Name, Exception) \
  case ThrowKind::Name:                       \
    throw Exception;
    SIMTRADER_THROW_KINDS(SIMTRADER_THROW_CASE)
#undef SIMTRADER_THROW_CASE
  }
  throw UnknownFault{message};
}

}  // namespace

std::optional<ThrowKind> FindThrowKind(std::string_view name) {
  for (std::size_t index = 0; index < std::size(kThrowKindNames); ++index) {
    if (name == kThrowKindNames[index]) return static_cast<ThrowKind>(index);
  }
  return std::nullopt;
}

Fault Fault::Failing(int result) { return Fault{false, result, ThrowKind::unknown, {}}; }

Fault Fault::Throwing(ThrowKind kind, std::string message) {
  return Fault{true, 0, kind, std::move(message)};
}

int Fault::Apply() const {
  if (throws) Throw(kind, message);
  return result;
}

void FaultPlan::Arm(Operation operation, Fault fault) {
  std::lock_guard<std::mutex> lock(mutex_);
  armed_[operation].push_back(std::move(fault));
  armed_count_.fetch_add(1);
}

std::optional<Fault> FaultPlan::Take(Operation operation) {
  if (armed_count_.load() == 0) return std::nullopt;
  std::lock_guard<std::mutex> lock(mutex_);
  auto armed = armed_.find(operation);
  if (armed == armed_.end()) return std::nullopt;
  Fault fault = std::move(armed->second.front());
  armed->second.pop_front();
  armed_count_.fetch_sub(1);
  if (armed->second.empty()) armed_.erase(armed);
  return fault;
}

}  // namespace simtrader
