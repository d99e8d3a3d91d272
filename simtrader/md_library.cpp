// libthostmduserapi_se.so: the vendor's two static functions of CThostFtdcMdApi, forwarding
// to the simulated trader library, which holds the market-data objects beside the trader's.
#include "ThostFtdcMdApi.h"
#include "control.h"

__attribute__((visibility("default"))) CThostFtdcMdApi *CThostFtdcMdApi::CreateFtdcMdApi(
    const char *pszFlowPath, const bool bIsUsingUdp, const bool bIsMulticast) {
  return static_cast<CThostFtdcMdApi *>(
      quorvan_sim_create_md_api(pszFlowPath, bIsUsingUdp ? 1 : 0, bIsMulticast ? 1 : 0));
}

__attribute__((visibility("default"))) const char *CThostFtdcMdApi::GetApiVersion() {
  return quorvan_sim_md_api_version();
}
