// The events of both kinds of API object by name (the trader's 138 of events.def, the
// market-data API's 13 of md_events.def), and the one place where an event becomes a call of
// the registered CThostFtdcTraderSpi or CThostFtdcMdSpi.
#ifndef SIMTRADER_EVENT_TABLE_H
#define SIMTRADER_EVENT_TABLE_H

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "ThostFtdcMdApi.h"
#include "ThostFtdcTraderApi.h"
#include "operation.h"

namespace simtrader {

// The trader's events by name, in the table's order: EventId::OnFrontConnected is event 0.
enum class EventId {
#define EVENT(Shape, Name, Record, Param, Handler) Name,
#include "events.def"
};

// The market-data API's events, numbered in md_events.def's order.
enum class MdEventId {
#define EVENT(Shape, Name, Record, Param, Handler) Name,
#include "md_events.def"
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

// The events of one kind of API object, and how they reach its handler class.
class EventTable {
 public:
  // The event answering each operation (the Answer column of the kind's requests table), -1
  // for one the kind does not send.
  using Answers = std::array<int, kOperationCount>;

  EventTable(ApiKind kind, const char *spi_class, const EventInfo *events, int count,
             const Answers &answers);

  const char *spi_class() const { return spi_class_; }
  int count() const { return count_; }
  const EventInfo &Get(int event) const { return events_[event]; }
  std::optional<int> Find(std::string_view name) const;
  // Calls the event's method of `spi`, a pointer to the kind's handler class.
  void Raise(void *spi, int event, EventArgs &args) const;
  std::optional<int> AnswerTo(Operation operation) const;

  // The events the API object's own thread raises; both tables have them.
  int front_connected() const { return front_connected_; }
  int front_disconnected() const { return front_disconnected_; }
  int rsp_user_login() const { return rsp_user_login_; }

 private:
  const ApiKind kind_;
  const char *const spi_class_;
  const EventInfo *const events_;
  const int count_;
  const Answers &answers_;
  const int front_connected_;
  const int front_disconnected_;
  const int rsp_user_login_;
};

const EventTable &EventsOf(ApiKind kind);

// The trader's table, by the names most of the library uses.
int EventCount();
const EventInfo &GetEvent(int event);
std::optional<int> FindEvent(std::string_view name);
std::optional<int> AnswerTo(Operation operation);
void RaiseEvent(CThostFtdcTraderSpi &spi, int event, EventArgs &args);

}  // namespace simtrader

#endif
