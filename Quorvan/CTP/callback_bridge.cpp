// Where a trader's event becomes a method call, as event_delivery.h delivers every event. A
// failure at any step, a C++ exception included, is reported as unraisable and the vendor
// never hears of it.
#include "CTraderAPI.h"

#include "event_delivery.h"
#include "exception_boundary.h"
#include "trader_methods.h"

namespace {

constexpr const char kReleaseContext[] = "Quorvan.CTP.TraderApiBase.TraderApiBase.Release";

bool release_trader(PyObject *self) { return release_vendor_object(as_trader(self)); }

bool trader_detached(PyObject *self) { return as_trader(self)->bridge->detached.load(); }

const DeliveryTarget kTraders{trader_detached, release_trader, kReleaseContext};

}  // namespace

// The class's do-nothing handler of an event, or null for the events the session handles.
#define QV_DO_NOTHING_Session(Name) nullptr
#define QV_DO_NOTHING_Default(Name) class_method_entry(#Name)

#define QV_CONTEXT(Name) "Quorvan.CTP.TraderApiBase.TraderSpi_" #Name

#define EVENT(Shape, Name, Record, Param, Handler)                                                \
  void TraderSpi_##Name(PyObject *self EVENT_COMMA_PARAMETERS(Shape, Record, Param)) noexcept {   \
    try {                                                                                         \
      static const EventNames names(#Name, EVENT_RECORD_CLASS(Shape, Record), QV_CONTEXT(Name),   \
                                    QV_DO_NOTHING_##Handler(Name));                               \
      deliver_event(self, names, kTraders EVENT_SHAPE_##Shape(QV_ARGUMENT_MAKER, Record, Param)); \
    } catch (...) {                                                                               \
      report_thrown(QV_CONTEXT(Name));                                                            \
    }                                                                                             \
  }
#include "events.def"
