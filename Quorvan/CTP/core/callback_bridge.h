// The callback bridge: the handler objects the vendor's libraries call on their own threads,
// one class for each half (trader and market data) over the one delivery of an event they
// share. Each callback takes the interpreter lock for the whole event, looks the handler up on
// the object, turns each vendor record into a dict with its record class, calls the handler
// and reports a failure as unraisable (a SystemExit carried to the main thread). The vendor
// never hears of a failure, a C++ exception included.
#pragma once

#include "python_support.h"

#include <atomic>

#include "ThostFtdcMdApi.h"
#include "ThostFtdcTraderApi.h"
#include "event_shapes.h"

// What delivering an event to the objects of one class needs besides the event.
struct DeliveryTarget {
  // Releases the object for a handler's exit request, reporting a failure under the context.
  bool (*release)(PyObject *self);
  const char *release_context;
  // The class's method table, where the do-nothing handlers are found.
  const PyMethodDef *methods;
};

// The class's own entry of the method `name` in its method table; null when it has none.
const PyMethodDef *class_method_entry(const PyMethodDef *methods, const char *name);

// What both halves' bridges hold: the object that receives the events and the flag that
// Release sets.
class CallbackBridge {
 public:
  CallbackBridge(PyObject *object, const DeliveryTarget &delivery)
      : self(object), target(delivery) {}

  // Borrowed: the object owns the bridge, and detaches it from the vendor before the object's
  // memory goes.
  PyObject *const self;
  const DeliveryTarget &target;

  // Set by Release, under the interpreter lock, before the vendor is told to detach: an event
  // that was already waiting for the lock then finds it set and leaves the object alone.
  std::atomic<bool> detached{false};
};

// One callback of a bridge: defined with the one delivery they all share, in
// callback_bridge.cpp.
#define QV_BRIDGE_EVENT_DECLARATION(Shape, Name, Record, Param, Handler, ...) \
  void Name(EVENT_PARAMETERS(Shape, Record, Param)) noexcept override;

class TraderBridge final : public CThostFtdcTraderSpi, public CallbackBridge {
 public:
  using CallbackBridge::CallbackBridge;
#define EVENT QV_BRIDGE_EVENT_DECLARATION
#include "events.def"
};

class MdBridge final : public CThostFtdcMdSpi, public CallbackBridge {
 public:
  using CallbackBridge::CallbackBridge;
#define EVENT QV_BRIDGE_EVENT_DECLARATION
#include "md_events.def"
};
