// The callback bridge: the handler object the vendor library calls on its own thread. Each
// override takes the interpreter lock for the whole event and hands the event to its bridge
// function, which turns the records into dicts and calls the trader's method of that name.
#pragma once

#include "python_compat.h"

#include <atomic>

#include "MyTools.h"
#include "ThostFtdcTraderApi.h"

// The vendor callback's parameters, and the same as arguments, by the shape of the event.
#define QV_PARAMS_FrontConnected(Record, Param)
#define QV_PARAMS_IntArg(Record, Param) int Param
#define QV_PARAMS_RspError(Record, Param) \
  CThostFtdcRspInfoField *pRspInfo, int nRequestID, bool bIsLast
#define QV_PARAMS_Rsp(Record, Param) \
  CThostFtdc##Record##Field *Param, CThostFtdcRspInfoField *pRspInfo, int nRequestID, bool bIsLast
#define QV_PARAMS_ErrRtn(Record, Param) \
  CThostFtdc##Record##Field *Param, CThostFtdcRspInfoField *pRspInfo
#define QV_PARAMS_Rtn(Record, Param) CThostFtdc##Record##Field *Param

#define QV_ARGS_FrontConnected(Record, Param)
#define QV_ARGS_IntArg(Record, Param) , Param
#define QV_ARGS_RspError(Record, Param) , pRspInfo, nRequestID, bIsLast
#define QV_ARGS_Rsp(Record, Param) , Param, pRspInfo, nRequestID, bIsLast
#define QV_ARGS_ErrRtn(Record, Param) , Param, pRspInfo
#define QV_ARGS_Rtn(Record, Param) , Param

// The bridge functions: the trader object first, then the callback's own arguments. They
// report whatever fails, a C++ exception included, and return normally.
#define QV_COMMA_PARAMS_FrontConnected(Record, Param)
#define QV_COMMA_PARAMS_IntArg(Record, Param) , QV_PARAMS_IntArg(Record, Param)
#define QV_COMMA_PARAMS_RspError(Record, Param) , QV_PARAMS_RspError(Record, Param)
#define QV_COMMA_PARAMS_Rsp(Record, Param) , QV_PARAMS_Rsp(Record, Param)
#define QV_COMMA_PARAMS_ErrRtn(Record, Param) , QV_PARAMS_ErrRtn(Record, Param)
#define QV_COMMA_PARAMS_Rtn(Record, Param) , QV_PARAMS_Rtn(Record, Param)
#define EVENT(Shape, Name, Record, Param, Handler) \
  void TraderSpi_##Name(PyObject *self QV_COMMA_PARAMS_##Shape(Record, Param)) noexcept;
#include "events.def"

class CTraderSpi final : public CThostFtdcTraderSpi {
 public:
  explicit CTraderSpi(PyObject *trader) : self(trader) {}

  // The trader object that receives the events. Borrowed: the trader owns the bridge, and
  // detaches it from the vendor before the trader's memory goes.
  PyObject *self;

  // Set by Release, under the interpreter lock, before the vendor is told to detach: an
  // event that was already waiting for the lock then finds it set and leaves the trader
  // object alone.
  std::atomic<bool> detached{false};

  // The vendor's thread must never see an exception from an event: the bridge functions
  // catch every one, and only a failing mutex of the visit's gate is left, which ends the
  // process rather than run on with the gate in an unknown state.
#define EVENT(Shape, Name, Record, Param, Handler)                \
  void Name(QV_PARAMS_##Shape(Record, Param)) noexcept override { \
    VendorThreadVisit visit;                                      \
    if (!visit.admitted()) {                                      \
      return;                                                     \
    }                                                             \
    PyGILLock gilLock;                                            \
    if (!detached.load(std::memory_order_relaxed)) {              \
      TraderSpi_##Name(self QV_ARGS_##Shape(Record, Param));      \
    }                                                             \
  }
#include "events.def"
};
