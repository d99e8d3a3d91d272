// The trader half's traits: what the core (vendor_calls.h, object_lifecycle.h,
// extension_module.h) needs to know of the class Quorvan.CTP.TraderApiBase.TraderApiBase.
#pragma once

#include "callback_bridge.h"
#include "vendor_calls.h"

struct TraderHalf {
  using Api = CThostFtdcTraderApi;
  using Bridge = TraderBridge;
  struct Members {};

  // The class, the vendor's word for the half (CThostFtdcTraderApi) and the half's short
  // name, which tells its log lines (".td") and its flow directory ("td.con").
  static constexpr const char kClass[] = "TraderApiBase", kVendor[] = "Trader", kSide[] = "td";

  // trader_lifecycle.cpp: fills a new object, false with an error set.
  static bool construct(ApiObject<TraderHalf> *self, PyObject *args, PyObject *kwargs);
  static constexpr void (*free_members)(ApiObject<TraderHalf> *) = nullptr;

  // trader_module.cpp: the class's methods in class order.
  static PyMethodDef methods[];
};

using TraderObject = ApiObject<TraderHalf>;

inline TraderObject *as_trader(PyObject *object) { return as_object<TraderHalf>(object); }
