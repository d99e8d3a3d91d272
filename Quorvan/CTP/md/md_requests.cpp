// The market-data requests, each as vendor_requests.h makes one.
#include "md_methods.h"
#include "vendor_requests.h"

#define REQUEST(Name, Record, Param, ...) QV_REQUEST_METHOD(MdHalf, Name, Record, Param)
#include "md_requests.def"
