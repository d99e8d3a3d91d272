// The native part of a trader object.
#pragma once

#include "vendor_calls.h"

#include "CTraderAPI.h"
#include "ThostFtdcTraderApi.h"

struct TraderObject {
  PyObject_HEAD CThostFtdcTraderApi
      *api;            // the vendor API object: null before construction makes it and after Release
  CTraderSpi *spi;     // the bridge registered with it: null likewise
  CTraderSpi *bridge;  // owns the bridge until the object is freed, since an event may
                       // still be leaving it when Release returns on the vendor's thread
  VendorCalls *calls;
};

extern PyTypeObject TraderApiBaseType;

inline TraderObject *as_trader(PyObject *object) {
  return reinterpret_cast<TraderObject *>(object);
}
