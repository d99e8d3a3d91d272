// CThostFtdcTraderApi as the vendor's library exports it: the factory, the version, and the
// object a caller holds, which logs each call, applies the fault armed for it and hands the
// work to its backend (api/api_object.h holds what it shares with the market-data object).
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

#include "ThostFtdcTraderApi.h"
#include "api/api_object.h"
#include "call_log.h"
#include "operation.h"
#include "registry.h"
#include "api/api_backend.h"

namespace simtrader {

namespace {

class SimTraderApi final
    : public ApiObject<SimTraderApi, CThostFtdcTraderApi, CThostFtdcTraderSpi> {
 public:
  using ApiObject::ApiObject;

  void SubscribePrivateTopic(THOST_TE_RESUME_TYPE nResumeType) override {
    backend_->Receive(Operation::SubscribePrivateTopic, {ResumeTypeArg(nResumeType)});
    backend_->SubscribePrivateTopic(nResumeType);
  }

  void SubscribePublicTopic(THOST_TE_RESUME_TYPE nResumeType) override {
    backend_->Receive(Operation::SubscribePublicTopic, {ResumeTypeArg(nResumeType)});
    backend_->SubscribePublicTopic(nResumeType);
  }

#define REQUEST(Name, Record, Param, ...)                                       \
  int Name(CThostFtdc##Record##Field *Param, int nRequestID) override {         \
    return backend_->Submit(Operation::Name, Param, sizeof *Param, nRequestID); \
  }
#define USER_SYSTEM_INFO(Name)                                                         \
  int Name(CThostFtdcUserSystemInfoField *pUserSystemInfo) override {                  \
    return backend_->Submit(Operation::Name, pUserSystemInfo, sizeof *pUserSystemInfo, \
                            std::nullopt);                                             \
  }
#include "requests.def"

 private:
  // The value as the caller passed it, values outside the vendor's four included.
  static ArgView ResumeTypeArg(THOST_TE_RESUME_TYPE type) {
    using Underlying = std::underlying_type_t<THOST_TE_RESUME_TYPE>;
    return static_cast<long long>(static_cast<Underlying>(type));
  }
};

}  // namespace

const char *ApiVersion() {
  if (std::optional<Fault> fault =
          Registry::Instance().Faults(std::nullopt)->Take(Operation::GetApiVersion)) {
    fault->Apply();
  }
  return kApiVersion;
}

}  // namespace simtrader

using simtrader::Registry;

__attribute__((visibility("default"))) CThostFtdcTraderApi *
CThostFtdcTraderApi::CreateFtdcTraderApi(const char *pszFlowPath) {
  std::shared_ptr<simtrader::ApiBackend> backend =
      Registry::Instance().CreateFromFactory(simtrader::ApiKind::Trader, pszFlowPath);
  return backend ? new simtrader::SimTraderApi(std::move(backend)) : nullptr;
}

__attribute__((visibility("default"))) const char *CThostFtdcTraderApi::GetApiVersion() {
  return simtrader::ApiVersion();
}
