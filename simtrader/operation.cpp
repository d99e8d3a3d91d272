#include "operation.h"

namespace simtrader {

namespace {

// requests.def follows the control operations in the enumeration.
#define SIMTRADER_COUNT_ONE(Name) +1
constexpr int kControlOperationCount = 0 SIMTRADER_CONTROL_OPERATIONS(SIMTRADER_COUNT_ONE);
#undef SIMTRADER_COUNT_ONE

}  // namespace

const char *OperationName(Operation operation) {
  return kOperationNames[static_cast<int>(operation)];
}

std::optional<Operation> FindOperation(std::string_view name) {
  for (int index = 0; index < kOperationCount; ++index) {
    if (name == kOperationNames[index]) return static_cast<Operation>(index);
  }
  return std::nullopt;
}

bool IsRequest(Operation operation) {
  return static_cast<int>(operation) >= kControlOperationCount;
}

bool CanFail(Operation operation) {
  return IsRequest(operation) || operation == Operation::CreateFtdcTraderApi;
}

}  // namespace simtrader
