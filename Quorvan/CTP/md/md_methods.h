// The native part of a market-data object and the class's methods, each defined in the file
// of its subsystem; MdApiBase.cpp lists them in class order.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "CMdAPI.h"
#include "ThostFtdcMdApi.h"
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

struct MdObject {
  PyObject_HEAD CThostFtdcMdApi
      *api;        // the vendor API object: null before construction makes it and after Release
  CMdSpi *spi;     // the bridge registered with it: null likewise
  CMdSpi *bridge;  // owns the bridge until the object is freed, since an event may still be
                   // leaving it when Release returns on the vendor's thread
  VendorCalls *calls;
  // What the object has subscribed to, made with the object and freed with it.
  SubscriptionSet *market_data;
  SubscriptionSet *for_quote;
};

extern PyTypeObject MdApiBaseType;

inline MdObject *as_md(PyObject *object) { return reinterpret_cast<MdObject *>(object); }

// md_lifecycle.cpp: construction and teardown (the construction hook and the pickle refusal
// are object_lifecycle.h's).
PyObject *md_new(PyTypeObject *type, PyObject *args, PyObject *kwargs);
void md_dealloc(PyObject *self);
// Has interpreter exit release every object still alive, before the interpreter finalizes.
bool release_md_objects_at_exit();

// md_subscriptions.cpp: subscribe and unsubscribe, the vendor's four subscription operations
// and the subscriptions a login renews.
QV_METHOD(method_subscribe);
QV_METHOD(method_unsubscribe);
extern const char kSubscribeDoc[], kUnsubscribeDoc[];
#define SUBSCRIPTION(Name, ...) QV_METHOD(method_##Name);
#include "md_requests.def"
// Sends every remembered subscription again; false with an error set.
bool renew_subscriptions(PyObject *self);

// md_operations.cpp: the control operations and the requests.
QV_METHOD(method_write_log);
QV_METHOD(method_connect);
QV_METHOD(method_GetApiVersion);
QV_METHOD(method_Release);
QV_METHOD(method_Join);
QV_METHOD(method_GetTradingDay);
QV_METHOD(method_RegisterFront);
QV_METHOD(method_RegisterNameServer);
QV_METHOD(method_RegisterFensUserInfo);
#define REQUEST(Name, Record, Param, ...) QV_METHOD(method_##Name);
#include "md_requests.def"

// md_session.cpp (the login and the resubscription) and md_defaults.cpp (every other event)
#define EVENT(Shape, Name, Record, Param, Handler) QV_METHOD(method_##Name);
#include "md_events.def"
