// The market-data bridge: the handler object the vendor's market-data library calls on its
// own thread. Each override takes the interpreter lock for the whole event and hands the
// event to its bridge function, which turns the records into dicts and calls the method of
// that name, as the trader's bridge does.
#pragma once

#include "python_compat.h"

#include <atomic>

#include "MyTools.h"
#include "ThostFtdcMdApi.h"
#include "event_shapes.h"

// The bridge functions: the object first, then the callback's own arguments. They report
// whatever fails, a C++ exception included, and return normally.
#define EVENT(Shape, Name, Record, Param, Handler) \
  void MdSpi_##Name(PyObject *self EVENT_COMMA_PARAMETERS(Shape, Record, Param)) noexcept;
#include "md_events.def"

class CMdSpi final : public CThostFtdcMdSpi {
 public:
  explicit CMdSpi(PyObject *md) : self(md) {}

  // The object that receives the events. Borrowed: the object owns the bridge, and detaches
  // it from the vendor before its memory goes.
  PyObject *self;

  // Set by Release, under the interpreter lock, before the vendor is told to detach: an
  // event that was already waiting for the lock then finds it set and leaves the object
  // alone.
  std::atomic<bool> detached{false};

#define EVENT(Shape, Name, Record, Param, Handler)                      \
  void Name(EVENT_PARAMETERS(Shape, Record, Param)) noexcept override { \
    VendorThreadVisit visit;                                            \
    if (!visit.admitted()) {                                            \
      return;                                                           \
    }                                                                   \
    PyGILLock gilLock;                                                  \
    if (!detached.load(std::memory_order_relaxed)) {                    \
      MdSpi_##Name(self EVENT_COMMA_ARGUMENTS(Shape, Record, Param));   \
    }                                                                   \
  }
#include "md_events.def"
};
