#include "call_log.h"

#include <cstring>
#include <new>
#include <stdexcept>
#include <type_traits>

namespace simtrader {

namespace {

CallArg Owned(const ArgView &arg) {
  return std::visit(
      [](const auto &value) -> CallArg {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string_view>) {
          return std::string(value);
        } else {
          return value;
        }
      },
      arg);
}

std::size_t ByteCount(const ArgView &arg) {
  const std::string_view *bytes = std::get_if<std::string_view>(&arg);
  return bytes != nullptr ? bytes->size() : 0;
}

// The arena frees its chunks without destroying what was built in them.
static_assert(std::is_trivially_destructible_v<CallLog::Logged>);

}  // namespace

ArgView TextArg(const char *text) {
  if (text == nullptr) return std::monostate{};
  return std::string_view(text);
}

ArgView RecordArg(const void *record, std::size_t size) {
  if (record == nullptr) return std::monostate{};
  return std::string_view(static_cast<const char *>(record), size);
}

const CallLog::Logged &CallLog::Append(Operation operation, std::initializer_list<ArgView> args) {
  if (args.size() > kMaxArgs) {
    throw std::length_error(std::string(OperationName(operation)) +
                            " has more arguments than a call log entry holds");
  }
  std::size_t size = sizeof(Entry);
  for (const ArgView &arg : args) size += ByteCount(arg);

  std::lock_guard<std::mutex> lock(mutex_);
  void *memory = arena_.Allocate(size);
  Entry *entry = ::new (memory) Entry{{operation, args.size(), {}}, nullptr};
  // The bytes follow the entry.
  char *bytes = reinterpret_cast<char *>(entry + 1);
  ArgView *logged = entry->call.args;
  for (const ArgView &arg : args) {
    if (const std::string_view *given = std::get_if<std::string_view>(&arg)) {
      // An empty view may have no data at all, which memcpy must not be handed.
      if (!given->empty()) std::memcpy(bytes, given->data(), given->size());
      *logged++ = std::string_view(bytes, given->size());
      bytes += given->size();
    } else {
      *logged++ = arg;
    }
  }
  if (last_ != nullptr) {
    last_->next = entry;
  } else {
    first_ = entry;
  }
  last_ = entry;
  ++count_;
  return entry->call;
}

std::vector<Call> CallLog::Snapshot() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<Call> calls;
  calls.reserve(count_);
  for (const Entry *entry = first_; entry != nullptr; entry = entry->next) {
    Call &call = calls.emplace_back(Call{entry->call.operation, {}});
    call.args.reserve(entry->call.arg_count);
    for (std::size_t arg = 0; arg < entry->call.arg_count; ++arg) {
      call.args.push_back(Owned(entry->call.args[arg]));
    }
  }
  return calls;
}

}  // namespace simtrader
