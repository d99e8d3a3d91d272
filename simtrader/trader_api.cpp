// CThostFtdcTraderApi as the vendor's library exports it: the factory, the version, and the
// object a caller holds, which logs each call, applies the fault armed for it and hands the
// work to its session.
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "ThostFtdcTraderApi.h"
#include "call_log.h"
#include "operation.h"
#include "registry.h"
#include "trader_session.h"

namespace simtrader {

namespace {

constexpr const char kApiVersion[] = "v6.6.9_sim";

class SimTraderApi final : public CThostFtdcTraderApi {
 public:
  explicit SimTraderApi(std::shared_ptr<TraderSession> session) : session_(std::move(session)) {}

  void Release() override {
    session_->Receive(Operation::Release, {});
    session_->Release();
    delete this;
  }

  void Init() override {
    session_->Receive(Operation::Init, {});
    session_->Init();
  }

  int Join() override {
    // Release may free this object while we wait; only the session is touched afterwards.
    std::shared_ptr<TraderSession> session = session_;
    session->Receive(Operation::Join, {});
    return session->Join();
  }

  const char *GetTradingDay() override {
    session_->Receive(Operation::GetTradingDay, {});
    return session_->trading_day();
  }

  // The registration and subscription operations keep nothing beyond the log, which copies
  // the text and records during the call.
  void RegisterFront(char *pszFrontAddress) override {
    session_->Receive(Operation::RegisterFront, {TextArg(pszFrontAddress)});
  }

  void RegisterNameServer(char *pszNsAddress) override {
    session_->Receive(Operation::RegisterNameServer, {TextArg(pszNsAddress)});
  }

  void RegisterFensUserInfo(CThostFtdcFensUserInfoField *pFensUserInfo) override {
    session_->Receive(Operation::RegisterFensUserInfo,
                      {RecordArg(pFensUserInfo, sizeof *pFensUserInfo)});
  }

  void RegisterSpi(CThostFtdcTraderSpi *pSpi) override {
    // This may wait for a callback, in which the object may be released.
    std::shared_ptr<TraderSession> session = session_;
    session->Receive(Operation::RegisterSpi, {pSpi != nullptr});
    session->SetSpi(pSpi);
  }

  void SubscribePrivateTopic(THOST_TE_RESUME_TYPE nResumeType) override {
    session_->Receive(Operation::SubscribePrivateTopic, {ResumeTypeArg(nResumeType)});
  }

  void SubscribePublicTopic(THOST_TE_RESUME_TYPE nResumeType) override {
    session_->Receive(Operation::SubscribePublicTopic, {ResumeTypeArg(nResumeType)});
  }

#define REQUEST(Name, Record, Param)                                          \
  int Name(CThostFtdc##Record##Field *Param, int nRequestID) override {       \
    return Submit(Operation::Name, Param, sizeof *Param, nRequestID);         \
  }
#define USER_SYSTEM_INFO(Name)                                                \
  int Name(CThostFtdcUserSystemInfoField *pUserSystemInfo) override {         \
    return Submit(Operation::Name, pUserSystemInfo, sizeof *pUserSystemInfo,  \
                  std::nullopt);                                              \
  }
#include "requests.def"

 private:
  // The value as the caller passed it, values outside the vendor's four included.
  static CallArg ResumeTypeArg(THOST_TE_RESUME_TYPE type) {
    using Underlying = std::underlying_type_t<THOST_TE_RESUME_TYPE>;
    return static_cast<long long>(static_cast<Underlying>(type));
  }

  int Submit(Operation operation, const void *record, std::size_t size,
             std::optional<int> request_id) {
    std::vector<CallArg> args{RecordArg(record, size)};
    if (request_id) args.emplace_back(static_cast<long long>(*request_id));
    if (std::optional<int> result = session_->Receive(operation, std::move(args))) return *result;
    // Nothing to send: a null record is refused rather than read.
    if (record == nullptr) return -1;
    return session_->Submit(
        Request{operation, std::string(static_cast<const char *>(record), size), request_id});
  }

  const std::shared_ptr<TraderSession> session_;
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
  return new simtrader::SimTraderApi(registry.CreateSession(flow_path));
}

__attribute__((visibility("default"))) const char *CThostFtdcTraderApi::GetApiVersion() {
  if (std::optional<simtrader::Fault> fault =
          Registry::Instance().Faults(std::nullopt)->Take(Operation::GetApiVersion)) {
    fault->Apply();
  }
  return simtrader::kApiVersion;
}
