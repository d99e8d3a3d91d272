// The market-data half's traits: what the core (vendor_calls.h, object_lifecycle.h,
// extension_module.h) needs to know of the class Quorvan.CTP.MdApiBase.MdApiBase.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "callback_bridge.h"
#include "vendor_calls.h"

// Instrument ids in the order they were first subscribed, each once: what a login subscribes
// again. Guarded by the interpreter lock.
class SubscriptionSet {
 public:
  void add(const std::string &instrument);
  void remove(const std::string &instrument);
  const std::vector<std::string> &instruments() const { return ordered_; }

 private:
  std::vector<std::string> ordered_;
  std::unordered_set<std::string> members_;
};

struct MdHalf {
  using Api = CThostFtdcMdApi;
  using Bridge = MdBridge;
  // What the object has subscribed to, made with the object and freed with it.
  struct Members {
    SubscriptionSet *market_data;
    SubscriptionSet *for_quote;
  };

  // The class, the vendor's word for the half (CThostFtdcMdApi) and the half's short
  // name, which tells its log lines (".md") and its flow directory ("md.con").
  static constexpr const char kClass[] = "MdApiBase", kVendor[] = "Md", kSide[] = "md";

  // md_lifecycle.cpp: fills a new object, false with an error set; frees its subscriptions.
  static bool construct(ApiObject<MdHalf> *self, PyObject *args, PyObject *kwargs);
  static void free_members(ApiObject<MdHalf> *self);

  // md_module.cpp: the class's methods in class order.
  static PyMethodDef methods[];
};

using MdObject = ApiObject<MdHalf>;

inline MdObject *as_md(PyObject *object) { return as_object<MdHalf>(object); }
