// What both kinds of API object a caller holds have in common: the control operations of
// CThostFtdcTraderApi and CThostFtdcMdApi, each logged, its armed fault applied, and handed
// to the backend. `Derived` is the final class, which Release frees; `Api` the vendor's
// class; `Spi` its handler class.
#ifndef SIMTRADER_API_API_OBJECT_H
#define SIMTRADER_API_API_OBJECT_H

#include <memory>
#include <utility>

#include "api/api_backend.h"
#include "call_log.h"
#include "operation.h"

namespace simtrader {

// What GetApiVersion reports, for both classes.
inline constexpr const char kApiVersion[] = "v6.6.9_sim";

// GetApiVersion of either class: a fault armed for it without a flow directory applies to
// the next call of either.
const char *ApiVersion();

template <typename Derived, typename Api, typename Spi>
class ApiObject : public Api {
 public:
  explicit ApiObject(std::shared_ptr<ApiBackend> backend) : backend_(std::move(backend)) {}

  // Frees the object, as the vendor's library does: a call made on it afterwards, or still in
  // progress on another thread, is a use after free for the sanitizers to find. It is freed
  // before the thread is stopped, so that a Join waiting meanwhile wakes to a freed object.
  // The backend lives on while its thread ends, when Release runs on that thread.
  void Release() override {
    backend_->Receive(Operation::Release, {});
    const std::shared_ptr<ApiBackend> backend = backend_;
    delete static_cast<Derived *>(this);
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

  void RegisterSpi(Spi *pSpi) override {
    backend_->Receive(Operation::RegisterSpi, {pSpi != nullptr});
    backend_->SetSpi(pSpi);
  }

 protected:
  // Freed through Release only, as the vendor's objects are.
  ~ApiObject() = default;

  const std::shared_ptr<ApiBackend> backend_;
};

}  // namespace simtrader

#endif
