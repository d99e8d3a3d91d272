// CThostFtdcMdApi as the market-data library hands it out: the object a caller holds, which
// logs each call, applies the fault armed for it and hands the work to its backend, as the
// trader's object does. The objects live in this library, beside the trader's, so that one
// process has one registry and one set of brokers; libthostmduserapi_se.so's two static
// functions forward here (control.h).
#include <memory>
#include <optional>
#include <utility>

#include "ThostFtdcMdApi.h"
#include "api/api_backend.h"
#include "api/api_object.h"
#include "control.h"
#include "operation.h"
#include "registry.h"

namespace simtrader {

namespace {

class SimMdApi final : public ApiObject<SimMdApi, CThostFtdcMdApi, CThostFtdcMdSpi> {
 public:
  using ApiObject::ApiObject;

#define SUBSCRIPTION(Name, ...)                                                  \
  int Name(char *ppInstrumentID[], int nCount) override {                        \
    return backend_->SubmitInstruments(Operation::Name, ppInstrumentID, nCount); \
  }
#define REQUEST(Name, Record, Param, ...)                                       \
  int Name(CThostFtdc##Record##Field *Param, int nRequestID) override {         \
    return backend_->Submit(Operation::Name, Param, sizeof *Param, nRequestID); \
  }
#include "md_requests.def"
};

}  // namespace

}  // namespace simtrader

extern "C" {

// The udp and multicast choices change how the vendor's library listens, which a simulated
// front has no use for.
void *quorvan_sim_create_md_api(const char *flow_path, int udp, int multicast) {
  static_cast<void>(udp);
  static_cast<void>(multicast);
  std::shared_ptr<simtrader::ApiBackend> backend =
      simtrader::Registry::Instance().CreateFromFactory(simtrader::ApiKind::MarketData, flow_path);
  if (!backend) return nullptr;
  CThostFtdcMdApi *api = new simtrader::SimMdApi(std::move(backend));
  return api;
}

const char *quorvan_sim_md_api_version(void) { return simtrader::ApiVersion(); }

}  // extern "C"
