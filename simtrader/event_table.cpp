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

constexpr EventTable::Answers NoAnswers() {
  EventTable::Answers answers{};
  for (int &answer : answers) answer = -1;
  return answers;
}

constexpr EventTable::Answers TraderAnswers() {
  EventTable::Answers answers = NoAnswers();
#define REQUEST(Name, Record, Param, Answer, Kind) \
  answers[static_cast<int>(Operation::Name)] = static_cast<int>(EventId::Answer);
#include "requests.def"
  return answers;
}

constexpr EventTable::Answers MdAnswers() {
  EventTable::Answers answers = NoAnswers();
#define REQUEST(Name, Record, Param, Answer, Kind) \
  answers[static_cast<int>(Operation::Name)] = static_cast<int>(MdEventId::Answer);
#define SUBSCRIPTION(Name, Answer) \
  answers[static_cast<int>(Operation::Name)] = static_cast<int>(MdEventId::Answer);
#include "md_requests.def"
  return answers;
}

constexpr EventTable::Answers kTraderAnswers = TraderAnswers();
constexpr EventTable::Answers kMdAnswers = MdAnswers();

int RequiredEvent(const EventInfo *events, int count, std::string_view name) {
  for (int event = 0; event < count; ++event) {
    if (name == events[event].name) return event;
  }
  // Both tables declare the session's events; a table without one is not the vendor's.
  throw std::logic_error("an event table lacks " + std::string(name));
}

// Made on first use, so that no other static's initialisation can find them unmade.
const EventTable &TraderTable() {
  static const EventTable table(ApiKind::Trader, "CThostFtdcTraderSpi", kTraderEvents,
                                static_cast<int>(std::size(kTraderEvents)), kTraderAnswers);
  return table;
}

const EventTable &MdTable() {
  static const EventTable table(ApiKind::MarketData, "CThostFtdcMdSpi", kMdEvents,
                                static_cast<int>(std::size(kMdEvents)), kMdAnswers);
  return table;
}

}  // namespace

EventTable::EventTable(ApiKind kind, const char *spi_class, const EventInfo *events, int count,
                       const Answers &answers)
    : kind_(kind),
      spi_class_(spi_class),
      events_(events),
      count_(count),
      answers_(answers),
      front_connected_(RequiredEvent(events, count, "OnFrontConnected")),
      front_disconnected_(RequiredEvent(events, count, "OnFrontDisconnected")),
      rsp_user_login_(RequiredEvent(events, count, "OnRspUserLogin")) {}

std::optional<int> EventTable::Find(std::string_view name) const {
  for (int event = 0; event < count_; ++event) {
    if (name == events_[event].name) return event;
  }
  return std::nullopt;
}

void EventTable::Raise(void *spi, int event, EventArgs &args) const {
  if (kind_ == ApiKind::Trader) {
    RaiseTraderEvent(spi, event, args);
  } else {
    RaiseMdEvent(spi, event, args);
  }
}

std::optional<int> EventTable::AnswerTo(Operation operation) const {
  const int answer = answers_[static_cast<int>(operation)];
  if (answer < 0) return std::nullopt;
  return answer;
}

const EventTable &EventsOf(ApiKind kind) {
  return kind == ApiKind::Trader ? TraderTable() : MdTable();
}

int EventCount() { return TraderTable().count(); }

const EventInfo &GetEvent(int event) { return TraderTable().Get(event); }

std::optional<int> FindEvent(std::string_view name) { return TraderTable().Find(name); }

std::optional<int> AnswerTo(Operation operation) { return TraderTable().AnswerTo(operation); }

void RaiseEvent(CThostFtdcTraderSpi &spi, int event, EventArgs &args) {
  TraderTable().Raise(&spi, event, args);
}

}  // namespace simtrader
