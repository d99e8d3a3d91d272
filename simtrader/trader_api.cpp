// CThostFtdcTraderApi as the vendor's library exports it: the factory, the version, and the
// object a caller holds, which logs each call, applies the fault armed for it and hands the
// work to its session.
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
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
  explicit SimTraderApi(std::shared_ptr<TraderSession> session)
      : requested_session_(session.get()), session_(std::move(session)) {}

  // The object is not freed: a thread that took the pointer just before another thread
  // released it (one about to Join, say) may still make its call, and must find a husk whose
  // calls do nothing rather than freed memory. What stays is this small object, without its
  // session.
  void Release() override {
    std::shared_ptr<TraderSession> session = Session();
    if (!session) return;
    session->Receive(Operation::Release, {});
    session->Release();
    // Requests in progress finish with the session before it is let go. They never wait for
    // anything, so this takes no longer than the longest of them.
    requests_.fetch_or(kReleased);
    while ((requests_.load() & ~kReleased) != 0) std::this_thread::yield();
    std::atomic_store(&session_, std::shared_ptr<TraderSession>());
    Retire(this);
  }

  void Init() override {
    if (std::shared_ptr<TraderSession> session = Session()) {
      session->Receive(Operation::Init, {});
      session->Init();
    }
  }

  int Join() override {
    std::shared_ptr<TraderSession> session = Session();
    if (!session) return 0;
    session->Receive(Operation::Join, {});
    return session->Join();
  }

  const char *GetTradingDay() override {
    std::shared_ptr<TraderSession> session = Session();
    if (!session) return "";
    session->Receive(Operation::GetTradingDay, {});
    return session->trading_day();
  }

  // The front names the simulated broker that answers the object; the other registrations
  // keep nothing beyond the log, which copies the text and records during the call.
  void RegisterFront(char *pszFrontAddress) override {
    if (std::shared_ptr<TraderSession> session = Session()) {
      session->Receive(Operation::RegisterFront, {TextArg(pszFrontAddress)});
      session->RegisterFront(pszFrontAddress);
    }
  }

  void RegisterNameServer(char *pszNsAddress) override {
    if (std::shared_ptr<TraderSession> session = Session()) {
      session->Receive(Operation::RegisterNameServer, {TextArg(pszNsAddress)});
    }
  }

  void RegisterFensUserInfo(CThostFtdcFensUserInfoField *pFensUserInfo) override {
    if (std::shared_ptr<TraderSession> session = Session()) {
      session->Receive(Operation::RegisterFensUserInfo,
                       {RecordArg(pFensUserInfo, sizeof *pFensUserInfo)});
    }
  }

  void RegisterSpi(CThostFtdcTraderSpi *pSpi) override {
    // This may wait for a callback, in which the object may be released: the local reference
    // keeps the session.
    if (std::shared_ptr<TraderSession> session = Session()) {
      session->Receive(Operation::RegisterSpi, {pSpi != nullptr});
      session->SetSpi(pSpi);
    }
  }

  void SubscribePrivateTopic(THOST_TE_RESUME_TYPE nResumeType) override {
    if (std::shared_ptr<TraderSession> session = Session()) {
      session->Receive(Operation::SubscribePrivateTopic, {ResumeTypeArg(nResumeType)});
      session->SubscribePrivateTopic(nResumeType);
    }
  }

  void SubscribePublicTopic(THOST_TE_RESUME_TYPE nResumeType) override {
    if (std::shared_ptr<TraderSession> session = Session()) {
      session->Receive(Operation::SubscribePublicTopic, {ResumeTypeArg(nResumeType)});
    }
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
  static ArgView ResumeTypeArg(THOST_TE_RESUME_TYPE type) {
    using Underlying = std::underlying_type_t<THOST_TE_RESUME_TYPE>;
    return static_cast<long long>(static_cast<Underlying>(type));
  }

  std::shared_ptr<TraderSession> Session() const { return std::atomic_load(&session_); }

  // Requests are what a caller makes most: rather than copy the session pointer (a lock and
  // two reference counts), each counts itself in, and Release waits for the count to drop
  // before it lets the session go.
  int Submit(Operation operation, const void *record, std::size_t size,
             std::optional<int> request_id) {
    struct CountedIn {
      std::atomic<unsigned> &requests;
      ~CountedIn() { requests.fetch_sub(1); }
    } counted_in{requests_};
    if ((requests_.fetch_add(1) & kReleased) != 0) return -1;
    return requested_session_->Submit(operation, record, size, request_id);
  }

  static void Retire(SimTraderApi *api) {
    static std::mutex mutex;
    // Never destroyed: a husk must outlive every thread that may still call it.
    static auto *const retired = new std::vector<std::unique_ptr<SimTraderApi>>;
    std::lock_guard<std::mutex> lock(mutex);
    retired->emplace_back(api);
  }

  static constexpr unsigned kReleased = 1u << 31;  // the rest of the word counts requests

  std::atomic<unsigned> requests_{0};
  // The session's, valid while kReleased is clear or a request is counted in.
  TraderSession *const requested_session_;
  std::shared_ptr<TraderSession> session_;
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
