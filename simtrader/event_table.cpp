#include "event_table.h"

#include <iterator>

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
const EventInfo kEvents[] = {
#define EVENT(Shape, Name, Record, Param, Handler)                             \
  {#Name, EVENT_RECORD_CLASS(Shape, Record), EVENT_RECORD_SIZE(Shape, Record), \
   (" " EVENT_SHAPE_##Shape(SIMTRADER_PARAMETER, Record, Param)) + 1, EVENT_KINDS(Shape)},
#include "events.def"
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

}  // namespace

int EventCount() { return static_cast<int>(std::size(kEvents)); }

const EventInfo &GetEvent(int event) { return kEvents[event]; }

std::optional<int> FindEvent(std::string_view name) {
  for (int event = 0; event < EventCount(); ++event) {
    if (name == kEvents[event].name) return event;
  }
  return std::nullopt;
}

void RaiseEvent(CThostFtdcTraderSpi &spi, int event, EventArgs &args) {
  switch (event) {
#define EVENT(Shape, Name, Record, Param, Handler)                                              \
  case static_cast<int>(EventId::Name):                                                         \
    spi.Name(EVENT_DROP_LEADING_COMMA(EVENT_SHAPE_##Shape(SIMTRADER_ARGUMENT, Record, Param))); \
    break;
#include "events.def"
  }
}

}  // namespace simtrader
