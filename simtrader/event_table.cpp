#include "event_table.h"

#include <iterator>
#include <stdexcept>
#include <string>

#include "event_shapes.h"

namespace simtrader {

namespace {

// Per kind of parameter: its entry in EventInfo::parameters, and what it is raised with.
#define SIMTRADER_PARAMETER_RECORD(Param) " record:" #Param
#define SIMTRADER_PARAMETER_INT(Param) " int:" #Param
#define SIMTRADER_PARAMETER_RSP_INFO(Param) " rsp_info:pRspInfo"
#define SIMTRADER_PARAMETER_REQUEST_ID(Param) " int:nRequestID"
#define SIMTRADER_PARAMETER_IS_LAST(Param) " bool:bIsLast"
#define SIMTRADER_PARAMETER(Kind, Record, Param) SIMTRADER_PARAMETER_##Kind(Param)

// The parameters string starts after its first space.
#define SIMTRADER_EVENT_INFO(Shape, Name, Record, Param, Handler)              \
  {#Name, EVENT_RECORD_CLASS(Shape, Record), EVENT_RECORD_SIZE(Shape, Record), \
   (" " EVENT_SHAPE_##Shape(SIMTRADER_PARAMETER, Record, Param)) + 1, EVENT_KINDS(Shape)},

const EventInfo kTraderEvents[] = {
#define EVENT SIMTRADER_EVENT_INFO
#include "events.def"
};

const EventInfo kMdEvents[] = {
#define EVENT SIMTRADER_EVENT_INFO
#include "md_events.def"
};

template <typename Record>
Record *RecordOf(EventArgs &args) {
  return args.record.empty() ? nullptr : reinterpret_cast<Record *>(args.record.data());
}

CThostFtdcRspInfoField *RspInfoOf(EventArgs &args) {
  return args.rsp_info ? &*args.rsp_info : nullptr;
}

#define SIMTRADER_ARGUMENT_RECORD(Record) RecordOf<CThostFtdc##Record##Field>(args)
#define SIMTRADER_ARGUMENT_INT(Record) args.number
#define SIMTRADER_ARGUMENT_RSP_INFO(Record) RspInfoOf(args)
#define SIMTRADER_ARGUMENT_REQUEST_ID(Record) args.number
#define SIMTRADER_ARGUMENT_IS_LAST(Record) args.is_last
#define SIMTRADER_ARGUMENT(Kind, Record, Param) , SIMTRADER_ARGUMENT_##Kind(Record)
#define SIMTRADER_RAISE_CASE(Ids, Shape, Name, Record, Param)                                   \
  case static_cast<int>(Ids::Name):                                                             \
    spi.Name(EVENT_DROP_LEADING_COMMA(EVENT_SHAPE_##Shape(SIMTRADER_ARGUMENT, Record, Param))); \
    break;

void RaiseTraderEvent(void *target, int event, EventArgs &args) {
  CThostFtdcTraderSpi &spi = *static_cast<CThostFtdcTraderSpi *>(target);
  switch (event) {
#define EVENT(Shape, Name, Record, Param, Handler) \
  SIMTRADER_RAISE_CASE(EventId, Shape, Name, Record, Param)
#include "events.def"
  }
}

void RaiseMdEvent(void *target, int event, EventArgs &args) {
  CThostFtdcMdSpi &spi = *static_cast<CThostFtdcMdSpi *>(target);
  switch (event) {
#define EVENT(Shape, Name, Record, Param, Handler) \
  SIMTRADER_RAISE_CASE(MdEventId, Shape, Name, Record, Param)
#include "md_events.def"
  }
}

int RequiredEvent(const EventInfo *events, int count, std::string_view name) {
  for (int event = 0; event < count; ++event) {
    if (name == events[event].name) return event;
  }
  // Both tables declare the session's events; a table without one is not the vendor's.
  throw std::logic_error("an event table lacks " + std::string(name));
}

// Made on first use, so that no other static's initialisation can find them unmade.
const EventTable &TraderTable() {
  static const EventTable table("CThostFtdcTraderSpi", kTraderEvents,
                                static_cast<int>(std::size(kTraderEvents)), RaiseTraderEvent);
  return table;
}

const EventTable &MdTable() {
  static const EventTable table("CThostFtdcMdSpi", kMdEvents,
                                static_cast<int>(std::size(kMdEvents)), RaiseMdEvent);
  return table;
}

}  // namespace

EventTable::EventTable(const char *spi_class, const EventInfo *events, int count, Raiser raise)
    : spi_class_(spi_class),
      events_(events),
      count_(count),
      raise_(raise),
      front_connected_(RequiredEvent(events, count, "OnFrontConnected")),
      front_disconnected_(RequiredEvent(events, count, "OnFrontDisconnected")),
      rsp_user_login_(RequiredEvent(events, count, "OnRspUserLogin")) {}

std::optional<int> EventTable::Find(std::string_view name) const {
  for (int event = 0; event < count_; ++event) {
    if (name == events_[event].name) return event;
  }
  return std::nullopt;
}

const EventTable &EventsOf(ApiKind kind) {
  return kind == ApiKind::Trader ? TraderTable() : MdTable();
}

int EventCount() { return TraderTable().count(); }

const EventInfo &GetEvent(int event) { return TraderTable().Get(event); }

std::optional<int> FindEvent(std::string_view name) { return TraderTable().Find(name); }

void RaiseEvent(CThostFtdcTraderSpi &spi, int event, EventArgs &args) {
  TraderTable().Raise(&spi, event, args);
}

}  // namespace simtrader
