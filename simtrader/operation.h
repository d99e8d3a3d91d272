// The operations of CThostFtdcTraderApi and CThostFtdcMdApi by name: what the call log lists
// and what a test can arm a fault for.
#ifndef SIMTRADER_OPERATION_H
#define SIMTRADER_OPERATION_H

#include <iterator>
#include <optional>
#include <string_view>

namespace simtrader {

// The operations that requests.def does not list: the static functions and the control
// operations, in the vendor's order.
// clang-format off
#define SIMTRADER_CONTROL_OPERATIONS(X) \
  X(CreateFtdcTraderApi)                \
  X(CreateFtdcMdApi)                    \
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

// The market-data operations that sit beyond the trader's: md_requests.def's subscriptions,
// then its requests that requests.def does not list (its login and logout are the trader's).
#define SIMTRADER_MARKET_DATA_QUERIES(X) X(ReqQryMulticastInstrument)

// The two kinds of API object the library makes.
enum class ApiKind { Trader, MarketData };

enum class Operation {
#define SIMTRADER_OPERATION_ENUMERATOR(Name) Name,
  SIMTRADER_CONTROL_OPERATIONS(SIMTRADER_OPERATION_ENUMERATOR)
#undef SIMTRADER_OPERATION_ENUMERATOR
#define REQUEST(Name, Record, Param, ...) Name,
#define USER_SYSTEM_INFO(Name) Name,
#include "requests.def"
#define SUBSCRIPTION(Name, ...) Name,
#include "md_requests.def"
#define SIMTRADER_OPERATION_ENUMERATOR(Name) Name,
      SIMTRADER_MARKET_DATA_QUERIES(SIMTRADER_OPERATION_ENUMERATOR)
#undef SIMTRADER_OPERATION_ENUMERATOR
};

inline constexpr const char *kOperationNames[] = {
#define SIMTRADER_OPERATION_NAME(Name) #Name,
    SIMTRADER_CONTROL_OPERATIONS(SIMTRADER_OPERATION_NAME)
#undef SIMTRADER_OPERATION_NAME
#define REQUEST(Name, Record, Param, ...) #Name,
#define USER_SYSTEM_INFO(Name) #Name,
#include "requests.def"
#define SUBSCRIPTION(Name, ...) #Name,
#include "md_requests.def"
#define SIMTRADER_OPERATION_NAME(Name) #Name,
        SIMTRADER_MARKET_DATA_QUERIES(SIMTRADER_OPERATION_NAME)
#undef SIMTRADER_OPERATION_NAME
};

inline constexpr int kOperationCount = static_cast<int>(std::size(kOperationNames));

const char *OperationName(Operation operation);
std::optional<Operation> FindOperation(std::string_view name);

// The operations that send something to the front: the requests, the two user-system-info
// operations and the market-data subscriptions, each handed on to the API object's thread.
bool IsRequest(Operation operation);

// The market-data subscriptions, which carry a list of instrument ids instead of a record.
bool IsSubscription(Operation operation);

// A request's Kind column (requests.def); Other for what is not a request.
enum class RequestKind { Other, Query, Order };
RequestKind KindOf(Operation operation);

// The requests the query limits count: every ReqQry... request.
inline bool IsQuery(Operation operation) { return KindOf(operation) == RequestKind::Query; }

// Whether fail_next may arm the operation: those that send (which then return the armed
// result) and the factories (which then return null).
bool CanFail(Operation operation);

// Whether the operation is one of that kind of API object (or of its class's static
// functions).
bool IsOperationOf(Operation operation, ApiKind kind);

// The static functions of a class, armed without a flow directory.
bool IsStatic(Operation operation);

// The class whose operations a kind of API object has, for messages.
const char *ApiClassName(ApiKind kind);

}  // namespace simtrader

#endif
