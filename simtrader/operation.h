// The operations of CThostFtdcTraderApi by name: what the call log lists and what a test can
// arm a fault for.
#ifndef SIMTRADER_OPERATION_H
#define SIMTRADER_OPERATION_H

#include <iterator>
#include <optional>
#include <string_view>

namespace simtrader {

// The operations that requests.def does not list: the two static functions and the control
// operations, in the vendor's order.
// clang-format off
#define SIMTRADER_CONTROL_OPERATIONS(X) \
  X(CreateFtdcTraderApi)                \
  X(GetApiVersion)                      \
  X(Release)                            \
  X(Init)                               \
  X(Join)                               \
  X(GetTradingDay)                      \
  X(RegisterFront)                      \
  X(RegisterNameServer)                 \
  X(RegisterFensUserInfo)               \
  X(RegisterSpi)                        \
  X(SubscribePrivateTopic)              \
  X(SubscribePublicTopic)
// clang-format on

enum class Operation {
#define SIMTRADER_OPERATION_ENUMERATOR(Name) Name,
  SIMTRADER_CONTROL_OPERATIONS(SIMTRADER_OPERATION_ENUMERATOR)
#undef SIMTRADER_OPERATION_ENUMERATOR
#define REQUEST(Name, Record, Param) Name,
#define USER_SYSTEM_INFO(Name) Name,
#include "requests.def"
};

inline constexpr const char *kOperationNames[] = {
#define SIMTRADER_OPERATION_NAME(Name) #Name,
    SIMTRADER_CONTROL_OPERATIONS(SIMTRADER_OPERATION_NAME)
#undef SIMTRADER_OPERATION_NAME
#define REQUEST(Name, Record, Param) #Name,
#define USER_SYSTEM_INFO(Name) #Name,
#include "requests.def"
};

inline constexpr int kOperationCount = static_cast<int>(std::size(kOperationNames));

const char *OperationName(Operation operation);
std::optional<Operation> FindOperation(std::string_view name);

// The 95 requests and the two user-system-info operations: each carries a record that is
// logged, and is handed on to the API object's thread.
bool IsRequest(Operation operation);

// Whether fail_next may arm the operation: the requests (which then return the armed result)
// and the factory (which then returns null).
bool CanFail(Operation operation);

}  // namespace simtrader

#endif
