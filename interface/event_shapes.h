// The shapes of the vendor's trader events (the Shape column of events.def), each stated once
// as the callback's parameters in order. Every layer derives what it needs from these lists:
// the vendor overrides, the bridge's handler arguments, the default handlers' parameter names,
// the simulator's raising of an event. A new shape is one line here.
//
// A shape's list calls SLOT(Kind, Record, Param) once per parameter, Kind being one of
//   RECORD      CThostFtdc<Record>Field *<Param>   the event's record
//   INT         int <Param>
//   RSP_INFO    CThostFtdcRspInfoField *pRspInfo
//   REQUEST_ID  int nRequestID
//   IS_LAST     bool bIsLast
// Include after ThostFtdcTraderApi.h.
#ifndef QUORVAN_INTERFACE_EVENT_SHAPES_H
#define QUORVAN_INTERFACE_EVENT_SHAPES_H

#define EVENT_SHAPE_FrontConnected(SLOT, Record, Param)
#define EVENT_SHAPE_IntArg(SLOT, Record, Param) SLOT(INT, Record, Param)
#define EVENT_SHAPE_RspError(SLOT, Record, Param) \
  SLOT(RSP_INFO, Record, Param) SLOT(REQUEST_ID, Record, Param) SLOT(IS_LAST, Record, Param)
#define EVENT_SHAPE_Rsp(SLOT, Record, Param) \
  SLOT(RECORD, Record, Param)                \
  SLOT(RSP_INFO, Record, Param) SLOT(REQUEST_ID, Record, Param) SLOT(IS_LAST, Record, Param)
#define EVENT_SHAPE_ErrRtn(SLOT, Record, Param) \
  SLOT(RECORD, Record, Param) SLOT(RSP_INFO, Record, Param)
#define EVENT_SHAPE_Rtn(SLOT, Record, Param) SLOT(RECORD, Record, Param)

// Each kind's C++ type and parameter name, as the vendor declares them.
#define EVENT_TYPE_RECORD(Record) CThostFtdc##Record##Field *
#define EVENT_TYPE_INT(Record) int
#define EVENT_TYPE_RSP_INFO(Record) CThostFtdcRspInfoField *
#define EVENT_TYPE_REQUEST_ID(Record) int
#define EVENT_TYPE_IS_LAST(Record) bool
#define EVENT_NAME_RECORD(Param) Param
#define EVENT_NAME_INT(Param) Param
#define EVENT_NAME_RSP_INFO(Param) pRspInfo
#define EVENT_NAME_REQUEST_ID(Param) nRequestID
#define EVENT_NAME_IS_LAST(Param) bIsLast

// The lists most layers want, each parameter preceded by a comma (for a list that already has
// a first member, as the bridge's `self`)...
#define EVENT_COMMA_PARAMETERS(Shape, Record, Param) \
  EVENT_SHAPE_##Shape(EVENT_COMMA_PARAMETER_, Record, Param)
#define EVENT_COMMA_ARGUMENTS(Shape, Record, Param) \
  EVENT_SHAPE_##Shape(EVENT_COMMA_ARGUMENT_, Record, Param)
#define EVENT_COMMA_PARAMETER_(Kind, Record, Param) \
  , EVENT_TYPE_##Kind(Record) EVENT_NAME_##Kind(Param)
#define EVENT_COMMA_ARGUMENT_(Kind, Record, Param) , EVENT_NAME_##Kind(Param)

// ...or the parameters without it, as a vendor override declares them.
#define EVENT_PARAMETERS(Shape, Record, Param) \
  EVENT_DROP_LEADING_COMMA(EVENT_COMMA_PARAMETERS(Shape, Record, Param))

// `a, b` from `, a, b`, and nothing from nothing: for a layer's own comma-led list.
#define EVENT_DROP_LEADING_COMMA(...) EVENT_DROP_FIRST_(~__VA_ARGS__)
#define EVENT_DROP_FIRST_(...) EVENT_DROP_FIRST_EXPANDED_(__VA_ARGS__)
#define EVENT_DROP_FIRST_EXPANDED_(first, ...) __VA_ARGS__

// The parameter names as strings, each followed by a comma, for an initializer list.
#define EVENT_PARAMETER_NAMES(Shape, Param) EVENT_SHAPE_##Shape(EVENT_PARAMETER_NAME_, , Param)
#define EVENT_PARAMETER_NAME_(Kind, Record, Param) EVENT_STRING_(EVENT_NAME_##Kind(Param)),
#define EVENT_STRING_(name) EVENT_STRING_EXPANDED_(name)
#define EVENT_STRING_EXPANDED_(name) #name

// The record class's name ("OrderField" for CThostFtdcOrderField) and the vendor record's
// size, or "" and 0 for a shape without a record.
#define EVENT_RECORD_CLASS(Shape, Record) "" EVENT_SHAPE_##Shape(EVENT_RECORD_CLASS_, Record, )
#define EVENT_RECORD_CLASS_(Kind, Record, Param) EVENT_RECORD_CLASS_##Kind(Record)
#define EVENT_RECORD_CLASS_RECORD(Record) #Record "Field"
#define EVENT_RECORD_CLASS_INT(Record)
#define EVENT_RECORD_CLASS_RSP_INFO(Record)
#define EVENT_RECORD_CLASS_REQUEST_ID(Record)
#define EVENT_RECORD_CLASS_IS_LAST(Record)
#define EVENT_RECORD_SIZE(Shape, Record) (0 EVENT_SHAPE_##Shape(EVENT_RECORD_SIZE_, Record, ))
#define EVENT_RECORD_SIZE_(Kind, Record, Param) EVENT_RECORD_SIZE_##Kind(Record)
#define EVENT_RECORD_SIZE_RECORD(Record) +sizeof(CThostFtdc##Record##Field)
#define EVENT_RECORD_SIZE_INT(Record)
#define EVENT_RECORD_SIZE_RSP_INFO(Record)
#define EVENT_RECORD_SIZE_REQUEST_ID(Record)
#define EVENT_RECORD_SIZE_IS_LAST(Record)

// The kinds a shape takes, as a set of bits, and the number of its parameters.
enum EventParameterKind : unsigned {
  EVENT_KIND_RECORD = 1u << 0,
  EVENT_KIND_INT = 1u << 1,
  EVENT_KIND_RSP_INFO = 1u << 2,
  EVENT_KIND_REQUEST_ID = 1u << 3,
  EVENT_KIND_IS_LAST = 1u << 4,
};
#define EVENT_KINDS(Shape) (0u EVENT_SHAPE_##Shape(EVENT_KIND_BIT_, , ))
#define EVENT_KIND_BIT_(Kind, Record, Param) | EVENT_KIND_##Kind
#define EVENT_PARAMETER_COUNT(Shape) (0 EVENT_SHAPE_##Shape(EVENT_COUNT_ONE_, , ))
#define EVENT_COUNT_ONE_(Kind, Record, Param) +1

#endif
