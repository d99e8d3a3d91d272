// The 138 trader events by name and shape, and the one place where an event becomes a call of
// the registered CThostFtdcTraderSpi.
#ifndef SIMTRADER_EVENT_TABLE_H
#define SIMTRADER_EVENT_TABLE_H

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "ThostFtdcTraderApi.h"

namespace simtrader {

// The events by name, in the table's order: EventId::OnFrontConnected is event 0.
enum class EventId {
#define EVENT(Shape, Name, Record, Param, Handler) Name,
#include "events.def"
};

// The argument lists of events.def (see its header comment).
enum class EventShape { FrontConnected, IntArg, RspError, Rsp, ErrRtn, Rtn };

struct EventInfo {
  const char *name;
  EventShape shape;
  const char *record_class;  // "OrderField" for CThostFtdcOrderField; "" without a record
  std::size_t record_size;   // sizeof the vendor record; 0 without a record
  const char *param;         // the record's (or the int's) parameter name; "" for none
};

int EventCount();
const EventInfo &GetEvent(int event);
std::optional<int> FindEvent(std::string_view name);
const char *ShapeName(EventShape shape);
bool TakesRecord(EventShape shape);
bool TakesRspInfo(EventShape shape);

// One event's arguments, held in the library's own memory as the vendor delivers its own.
// Only the members the event's shape takes are read.
struct EventArgs {
  std::vector<unsigned char> record;               // empty: a null record pointer
  std::optional<CThostFtdcRspInfoField> rsp_info;  // nullopt: a null pointer
  int number = 0;                                  // nRequestID, or the int of an IntArg event
  bool is_last = false;
};

void RaiseEvent(CThostFtdcTraderSpi &spi, int event, EventArgs &args);

}  // namespace simtrader

#endif
