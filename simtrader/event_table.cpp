#include "event_table.h"

#include <iterator>

namespace simtrader {

namespace {

// Per shape: whether the event carries a record, so that the record type is named only for
// the shapes that have one (the Record column is empty for the others).
#define SIMTRADER_RECORD_FrontConnected(Record) "", 0
#define SIMTRADER_RECORD_IntArg(Record) "", 0
#define SIMTRADER_RECORD_RspError(Record) "", 0
#define SIMTRADER_RECORD_WITH(Record) #Record "Field", sizeof(CThostFtdc##Record##Field)
#define SIMTRADER_RECORD_Rsp(Record) SIMTRADER_RECORD_WITH(Record)
#define SIMTRADER_RECORD_ErrRtn(Record) SIMTRADER_RECORD_WITH(Record)
#define SIMTRADER_RECORD_Rtn(Record) SIMTRADER_RECORD_WITH(Record)

const EventInfo kEvents[] = {
#define EVENT(Shape, Name, Record, Param, Handler) \
  {#Name, EventShape::Shape, SIMTRADER_RECORD_##Shape(Record), #Param},
#include "events.def"
};

template <typename Record>
Record *RecordOf(EventArgs &args) {
  return args.record.empty() ? nullptr : reinterpret_cast<Record *>(args.record.data());
}

CThostFtdcRspInfoField *RspInfoOf(EventArgs &args) {
  return args.rsp_info ? &*args.rsp_info : nullptr;
}

#define SIMTRADER_RAISE_FrontConnected(Name, Record) spi.Name()
#define SIMTRADER_RAISE_IntArg(Name, Record) spi.Name(args.number)
#define SIMTRADER_RAISE_RspError(Name, Record) spi.Name(RspInfoOf(args), args.number, args.is_last)
#define SIMTRADER_RAISE_Rsp(Name, Record) \
  spi.Name(RecordOf<CThostFtdc##Record##Field>(args), RspInfoOf(args), args.number, args.is_last)
#define SIMTRADER_RAISE_ErrRtn(Name, Record) \
  spi.Name(RecordOf<CThostFtdc##Record##Field>(args), RspInfoOf(args))
#define SIMTRADER_RAISE_Rtn(Name, Record) spi.Name(RecordOf<CThostFtdc##Record##Field>(args))

}  // namespace

int EventCount() { return static_cast<int>(std::size(kEvents)); }

const EventInfo &GetEvent(int event) { return kEvents[event]; }

std::optional<int> FindEvent(std::string_view name) {
  for (int event = 0; event < EventCount(); ++event) {
    if (name == kEvents[event].name) return event;
  }
  return std::nullopt;
}

const char *ShapeName(EventShape shape) {
  switch (shape) {
    case EventShape::FrontConnected:
      return "FrontConnected";
    case EventShape::IntArg:
      return "IntArg";
    case EventShape::RspError:
      return "RspError";
    case EventShape::Rsp:
      return "Rsp";
    case EventShape::ErrRtn:
      return "ErrRtn";
    case EventShape::Rtn:
      return "Rtn";
  }
  return "";
}

bool TakesRecord(EventShape shape) {
  return shape == EventShape::Rsp || shape == EventShape::ErrRtn || shape == EventShape::Rtn;
}

bool TakesRspInfo(EventShape shape) {
  return shape == EventShape::RspError || shape == EventShape::Rsp || shape == EventShape::ErrRtn;
}

void RaiseEvent(CThostFtdcTraderSpi &spi, int event, EventArgs &args) {
  switch (event) {
#define EVENT(Shape, Name, Record, Param, Handler) \
  case static_cast<int>(EventId::Name):            \
    SIMTRADER_RAISE_##Shape(Name, Record);         \
    break;
#include "events.def"
  }
}

}  // namespace simtrader
