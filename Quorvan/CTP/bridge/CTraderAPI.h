// The callback bridge: the handler object the vendor library calls on its own thread. Each
// override takes the interpreter lock for the whole event and hands the event to its bridge
// function, which turns the records into dicts and calls the trader's method of that name.
#pragma once

#include "python_compat.h"

#include <atomic>

#include "MyTools.h"
#include "ThostFtdcTraderApi.h"
#include "event_shapes.h"

// The bridge functions: the trader object first, then the callback's own arguments. They
// report whatever fails, a C++ exception included, and return normally.
#define EVENT(Shape, Name, Record, Param, Handler) \
  void TraderSpi_##Name(PyObject *self EVENT_COMMA_PARAMETERS(Shape, Record, Param)) noexcept;
#include "events.def"

class CTraderSpi final : public CThostFtdcTraderSpi {
 public:
  explicit CTraderSpi(PyObject *trader) : self(trader) {}

  // The trader object that receives the events. Borrowed: the trader owns the bridge, and
  // detaches it from the vendor before the trader's memory goes.
  PyObject *self;

  // Set by Release, under the interpreter lock, before the vendor is told to detach: an
  // event that was already waiting for the lock then finds it set and leaves the trader
  // object alone.
  std::atomic<bool> detached{false};

  // The vendor's thread must never see an exception from an event: the bridge functions
  // catch every one, and only a failing mutex of the visit's gate is left, which ends the
  // process rather than run on with the gate in an unknown state.
#define EVENT(Shape, Name, Record, Param, Handler)                        \
  void Name(EVENT_PARAMETERS(Shape, Record, Param)) noexcept override {   \
    VendorThreadVisit visit;                                              \
    if (!visit.admitted()) {                                              \
      return;                                                             \
    }                                                                     \
    PyGILLock gilLock;                                                    \
    if (!detached.load(std::memory_order_relaxed)) {                      \
      TraderSpi_##Name(self EVENT_COMMA_ARGUMENTS(Shape, Record, Param)); \
    }                                                                     \
  }
#include "events.def"
};
