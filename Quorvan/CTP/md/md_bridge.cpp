// Where a market-data event becomes a method call, as event_delivery.h delivers every event.
// A failure at any step, a C++ exception included, is reported as unraisable and the vendor
// never hears of it.
#include "CMdAPI.h"

#include "event_delivery.h"
#include "exception_boundary.h"
#include "md_methods.h"

namespace {

constexpr const char kReleaseContext[] = "Quorvan.CTP.MdApiBase.MdApiBase.Release";

bool release_md(PyObject *self) { return release_vendor_object(as_md(self)); }

bool md_detached(PyObject *self) { return as_md(self)->bridge->detached.load(); }

const DeliveryTarget kMdObjects{md_detached, release_md, kReleaseContext};

}  // namespace

#define QV_CONTEXT(Name) "Quorvan.CTP.MdApiBase.MdSpi_" #Name

#define EVENT(Shape, Name, Record, Param, Handler)                                               \
  void MdSpi_##Name(PyObject *self EVENT_COMMA_PARAMETERS(Shape, Record, Param)) noexcept {      \
    try {                                                                                        \
      static const EventNames names(#Name, EVENT_RECORD_CLASS(Shape, Record), QV_CONTEXT(Name)); \
      deliver_event(self, names,                                                                 \
                    kMdObjects EVENT_SHAPE_##Shape(QV_ARGUMENT_MAKER, Record, Param));           \
    } catch (...) {                                                                              \
      report_thrown(QV_CONTEXT(Name));                                                           \
    }                                                                                            \
  }
#include "md_events.def"
