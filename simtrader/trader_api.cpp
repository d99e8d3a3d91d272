// CThostFtdcTraderApi as the vendor's library exports it: the factory, the version, and the
// object a caller holds, which logs each call, applies the fault armed for it and hands the
// work to its backend.
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

#include "ThostFtdcTraderApi.h"
#include "call_log.h"
#include "operation.h"
#include "registry.h"
#include "api_backend.h"

namespace simtrader {

namespace {

constexpr const char kApiVersion[] = "v6.6.9_sim";

class SimTraderApi final : public CThostFtdcTraderApi {
 public:
  explicit SimTraderApi(std::shared_ptr<ApiBackend> backend) : backend_(std::move(backend)) {}

  // Frees the object, as the vendor's library does: a call made on it afterwards, or still in
  // progress on another thread, is a use after free for the sanitizers to find. It is freed
  // before the thread is stopped, so that a Join waiting meanwhile wakes to a freed object.
  // The backend lives on while its thread ends, when Release runs on that thread.
  void Release() override {
    backend_->Receive(Operation::Release, {});
    const std::shared_ptr<ApiBackend> backend = backend_;
    delete this;
    backend->Release();
  }

  void Init() override {
    backend_->Receive(Operation::Init, {});
    backend_->Init();
  }

  int Join() override {
    backend_->Receive(Operation::Join, {});
    const std::shared_ptr<ApiBackend> backend = backend_;
    backend->Join();
    // A vendor's Join may read its object once the wait is over; this one reads its backend
    // pointer again, so that a Join that outlasted a Release on another thread shows as a use
    // after free.
    return backend_->Join();
  }

  const char *GetTradingDay() override {
    backend_->Receive(Operation::GetTradingDay, {});
    return backend_->trading_day();
  }

  // The front names the simulated broker that answers the object; the other registrations
  // keep nothing beyond the log, which copies the text and records during the call.
  void RegisterFront(char *pszFrontAddress) override {
    backend_->Receive(Operation::RegisterFront, {TextArg(pszFrontAddress)});
    backend_->RegisterFront(pszFrontAddress);
  }

  void RegisterNameServer(char *pszNsAddress) override {
    backend_->Receive(Operation::RegisterNameServer, {TextArg(pszNsAddress)});
  }

  void RegisterFensUserInfo(CThostFtdcFensUserInfoField *pFensUserInfo) override {
    backend_->Receive(Operation::RegisterFensUserInfo,
                      {RecordArg(pFensUserInfo, sizeof *pFensUserInfo)});
  }

  void RegisterSpi(CThostFtdcTraderSpi *pSpi) override {
    backend_->Receive(Operation::RegisterSpi, {pSpi != nullptr});
    backend_->SetSpi(pSpi);
  }

  void SubscribePrivateTopic(THOST_TE_RESUME_TYPE nResumeType) override {
    backend_->Receive(Operation::SubscribePrivateTopic, {ResumeTypeArg(nResumeType)});
    backend_->SubscribePrivateTopic(nResumeType);
  }

  void SubscribePublicTopic(THOST_TE_RESUME_TYPE nResumeType) override {
    backend_->Receive(Operation::SubscribePublicTopic, {ResumeTypeArg(nResumeType)});
    backend_->SubscribePublicTopic(nResumeType);
  }

#define REQUEST(Name, Record, Param)                                            \
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

  const std::shared_ptr<ApiBackend> backend_;
};

}  // namespace

}  // namespace simtrader

using simtrader::Operation;
using simtrader::Registry;

__attribute__((visibility("default"))) CThostFtdcTraderApi *
CThostFtdcTraderApi::CreateFtdcTraderApi(const char *pszFlowPath) {
  const std::string flow_path = pszFlowPath != nullptr ? pszFlowPath : "";
  Registry &registry = Registry::Instance();
  // A fault armed without a flow directory applies to the next factory call whatever its
  // directory; one armed with a directory, to the next call with that directory.
  const std::optional<std::string> scopes[] = {std::nullopt, flow_path};
  for (const std::optional<std::string> &scope : scopes) {
    if (std::optional<simtrader::Fault> fault =
            registry.Faults(scope)->Take(Operation::CreateFtdcTraderApi)) {
      fault->Apply();
      return nullptr;
    }
  }
  // No flow files are written: the directory may be missing or read-only, and the
  // simulated broker keeps its state elsewhere.
  return new simtrader::SimTraderApi(registry.CreateBackend(flow_path));
}

__attribute__((visibility("default"))) const char *CThostFtdcTraderApi::GetApiVersion() {
  if (std::optional<simtrader::Fault> fault =
          Registry::Instance().Faults(std::nullopt)->Take(Operation::GetApiVersion)) {
    fault->Apply();
  }
  return simtrader::kApiVersion;
}
