#include "call_log.h"

#include <utility>

namespace simtrader {

CallArg TextArg(const char *text) {
  if (text == nullptr) return std::monostate{};
  return std::string(text);
}

CallArg RecordArg(const void *record, std::size_t size) {
  if (record == nullptr) return std::monostate{};
  return std::string(static_cast<const char *>(record), size);
}

void CallLog::Append(Call call) {
  std::lock_guard<std::mutex> lock(mutex_);
  calls_.push_back(std::move(call));
}

std::vector<Call> CallLog::Snapshot() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return calls_;
}

}  // namespace simtrader
