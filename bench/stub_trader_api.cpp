// A vendor library that does nothing: every request returns 0 at once. The request bench
// runs the extension against it, so that what it times is the extension alone.
#include "ThostFtdcTraderApi.h"

namespace {

class StubTraderApi final : public CThostFtdcTraderApi {
 public:
  void Release() override { delete this; }
  void Init() override {}
  int Join() override { return 0; }
  const char *GetTradingDay() override { return "20260101"; }
  void RegisterFront(char *) override {}
  void RegisterNameServer(char *) override {}
  void RegisterFensUserInfo(CThostFtdcFensUserInfoField *) override {}
  void RegisterSpi(CThostFtdcTraderSpi *) override {}
  void SubscribePrivateTopic(THOST_TE_RESUME_TYPE) override {}
  void SubscribePublicTopic(THOST_TE_RESUME_TYPE) override {}

#define REQUEST(Name, Record, Param, ...) \
  int Name(CThostFtdc##Record##Field *, int) override { return 0; }
#define USER_SYSTEM_INFO(Name) \
  int Name(CThostFtdcUserSystemInfoField *) override { return 0; }
#include "requests.def"
};

}  // namespace

CThostFtdcTraderApi *CThostFtdcTraderApi::CreateFtdcTraderApi(const char *) {
  return new StubTraderApi;
}

const char *CThostFtdcTraderApi::GetApiVersion() { return "stub"; }
