// The 138 trader events by name, and the one place where an event becomes a call of the
// registered CThostFtdcTraderSpi.
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

struct EventInfo {
  const char *name;
  const char *record_class;  // "OrderField" for CThostFtdcOrderField; "" without a record
  std::size_t record_size;   // sizeof the vendor record; 0 without a record
  // The callback's parameters in order, each as kind:name, the kinds being record, rsp_info,
  // int and bool: "record:pOrder rsp_info:pRspInfo int:nRequestID bool:bIsLast".
  const char *parameters;
  unsigned kinds;  // the EventParameterKind bits of event_shapes.h
};

int EventCount();
const EventInfo &GetEvent(int event);
std::optional<int> FindEvent(std::string_view name);

// One event's arguments, held in the library's own memory as the vendor delivers its own.
// Only the members the event takes are read.
struct EventArgs {
  std::vector<unsigned char> record;               // empty: a null record pointer
  std::optional<CThostFtdcRspInfoField> rsp_info;  // nullopt: a null pointer
  int number = 0;  // nRequestID, or the int of an event that takes one
  bool is_last = false;
  // The event's number in the private or public flow that carried it; 0 outside a flow.
  long long flow_number = 0;
};

void RaiseEvent(CThostFtdcTraderSpi &spi, int event, EventArgs &args);

}  // namespace simtrader

#endif
