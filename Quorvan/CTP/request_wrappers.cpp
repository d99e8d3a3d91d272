// The 95 request methods, each as vendor_requests.h makes one.
#include "trader_methods.h"
#include "vendor_requests.h"

#define REQUEST(Name, Record, Param, ...) \
  QV_REQUEST_METHOD(TraderObject, CThostFtdcTraderApi, Name, Record, Param)
#include "requests.def"
