#include "call_log.h"

#include <type_traits>
#include <utility>

namespace simtrader {

ArgView TextArg(const char *text) {
  if (text == nullptr) return std::monostate{};
  return std::string_view(text);
}

ArgView RecordArg(const void *record, std::size_t size) {
  if (record == nullptr) return std::monostate{};
  return std::string_view(static_cast<const char *>(record), size);
}

ArgView TextsArg(const char *const *texts, std::size_t count) {
  if (texts == nullptr) return std::monostate{};
  return TextsView{texts, count};
}

CallLog::CallLog(std::size_t capacity) : capacity_(capacity) {}

void CallLog::Append(Operation operation, std::initializer_list<ArgView> args) {
  if (capacity_ == 0) return;
  Call call{operation, {}};
  call.args.reserve(args.size());
  for (const ArgView &arg : args) {
    std::visit(
        [&](const auto &value) {
          using Value = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<Value, std::string_view>) {
            call.args.emplace_back(std::in_place_type<std::string>, value);
          } else if constexpr (std::is_same_v<Value, TextsView>) {
            CallTexts texts;
            texts.reserve(value.count);
            for (std::size_t index = 0; index < value.count; ++index) {
              const char *text = value.texts[index];
              texts.push_back(text != nullptr ? std::optional<std::string>(text) : std::nullopt);
            }
            call.args.emplace_back(std::move(texts));
          } else {
            call.args.emplace_back(std::in_place_type<Value>, value);
          }
        },
        arg);
  }
  std::lock_guard<std::mutex> lock(mutex_);
  if (calls_.size() == capacity_) calls_.pop_front();
  calls_.push_back(std::move(call));
}

std::vector<Call> CallLog::Snapshot() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::vector<Call>(calls_.begin(), calls_.end());
}

}  // namespace simtrader
