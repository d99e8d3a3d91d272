// The trader half's traits: what the core (vendor_calls.h, object_lifecycle.h,
// extension_module.h) needs to know of the class Quorvan.CTP.TraderApiBase.TraderApiBase.
#pragma once

#include "callback_bridge.h"
#include "vendor_calls.h"

struct TraderHalf {
  using Api = CThostFtdcTraderApi;
  using Bridge = TraderBridge;
  struct Members {};

  static constexpr const char kModule[] = "Quorvan.CTP.TraderApiBase";
  static constexpr const char kClass[] = "TraderApiBase";
  static constexpr const char kLogSide[] = ".td";
  static constexpr const char kFlowFolder[] = "td.con";
  static constexpr const char kApiMissing[] = "Error:TraderApi instance is NULL.";
  static constexpr const char kApiNotMade[] = "Error:Fail to new TraderApi instance.";
  static constexpr const char kBridgeNotMade[] = "Error:Fail to new TraderSpi instance.";

  // trader_lifecycle.cpp: fills a new object, false with an error set.
  static bool construct(ApiObject<TraderHalf> *self, PyObject *args, PyObject *kwargs);
  static constexpr void (*free_members)(ApiObject<TraderHalf> *) = nullptr;

  // trader_module.cpp: the class's methods in class order.
  static PyMethodDef methods[];
};

using TraderObject = ApiObject<TraderHalf>;

inline TraderObject *as_trader(PyObject *object) { return as_object<TraderHalf>(object); }
