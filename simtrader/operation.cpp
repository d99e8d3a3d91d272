#include "operation.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace simtrader {

namespace {

// requests.def follows the control operations in the enumeration.
#define SIMTRADER_COUNT_ONE(Name) +1
constexpr int kControlOperationCount = 0 SIMTRADER_CONTROL_OPERATIONS(SIMTRADER_COUNT_ONE);
#undef SIMTRADER_COUNT_ONE

// What CThostFtdcMdApi declares besides md_requests.def, in the vendor's order.
constexpr Operation kMarketDataControlOperations[] = {
    Operation::CreateFtdcMdApi,
    Operation::GetApiVersion,
    Operation::Release,
    Operation::Init,
    Operation::Join,
    Operation::GetTradingDay,
    Operation::RegisterFront,
    Operation::RegisterNameServer,
    Operation::RegisterFensUserInfo,
    Operation::RegisterSpi,
};

constexpr const char *kMarketDataSendingOperations[] = {
#define SUBSCRIPTION(Name, ...) #Name,
#define REQUEST(Name, Record, Param, ...) #Name,
#include "md_requests.def"
};

bool IsMarketDataOperation(Operation operation) {
  if (std::find(std::begin(kMarketDataControlOperations), std::end(kMarketDataControlOperations),
                operation) != std::end(kMarketDataControlOperations)) {
    return true;
  }
  const std::string_view name = OperationName(operation);
  return std::find(std::begin(kMarketDataSendingOperations), std::end(kMarketDataSendingOperations),
                   name) != std::end(kMarketDataSendingOperations);
}

// ReqUserLogin and ReqUserLogout stand in both tables, alike.
constexpr std::array<RequestKind, kOperationCount> RequestKinds() {
  std::array<RequestKind, kOperationCount> kinds{};
#define REQUEST(Name, Record, Param, Answer, Kind) \
  kinds[static_cast<int>(Operation::Name)] = RequestKind::Kind;
#include "requests.def"
#define REQUEST(Name, Record, Param, Answer, Kind) \
  kinds[static_cast<int>(Operation::Name)] = RequestKind::Kind;
#include "md_requests.def"
  return kinds;
}

constexpr std::array<RequestKind, kOperationCount> kRequestKinds = RequestKinds();

}  // namespace

RequestKind KindOf(Operation operation) { return kRequestKinds[static_cast<int>(operation)]; }

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

bool IsSubscription(Operation operation) {
  switch (operation) {
#define SUBSCRIPTION(Name, ...) case Operation::Name:
#include "md_requests.def"
    return true;
    default:
      return false;
  }
}

bool CanFail(Operation operation) {
  return IsRequest(operation) || operation == Operation::CreateFtdcTraderApi ||
         operation == Operation::CreateFtdcMdApi;
}

bool IsOperationOf(Operation operation, ApiKind kind) {
  if (kind == ApiKind::MarketData) return IsMarketDataOperation(operation);
  // The operations only the market-data class has follow the trader's in the enumeration.
  return operation != Operation::CreateFtdcMdApi && operation < Operation::SubscribeMarketData;
}

bool IsStatic(Operation operation) {
  return operation == Operation::CreateFtdcTraderApi || operation == Operation::CreateFtdcMdApi ||
         operation == Operation::GetApiVersion;
}

const char *ApiClassName(ApiKind kind) {
  return kind == ApiKind::Trader ? "CThostFtdcTraderApi" : "CThostFtdcMdApi";
}

}  // namespace simtrader
